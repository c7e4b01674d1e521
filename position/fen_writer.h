#pragma once

#include "app/desktop.h"
#include "app/game_state.h"

#include <string>

namespace chess {

// The position as one line of Forsyth-Edwards Notation, without a line break:
// "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1". Whatever bytes a loaded
// position put on the board are written back as they are. The move number is the one of
// White's coming move when White is to move, else that of the move Black is answering.
std::string positionToFen(const GameState &state);

// Asks for a file name (preset "無題.fen") and writes the position there. The old file is
// replaced only once the new text is complete; a failure says so and leaves it as it was.
void savePositionFile(const GameState &state, Desktop &desktop);

} // namespace chess
