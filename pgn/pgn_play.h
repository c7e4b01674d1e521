#pragma once

#include "app/desktop.h"
#include "app/game_state.h"
#include "pgn/pgn_reader.h"

#include <optional>

namespace chess {

// Replaces the game by `game`, all or nothing, as if a player had set it up and played its
// moves by hand: a reset, then the FEN tag's position taken in as a position file is (unlike
// such a load, this ends a finished game too: the PGN game is a new one), then each move as
// two double-clicks through the move controller. Position, record, counters, menu states and
// status text are then what playing by hand gives; the desktop hears of it once (status text,
// redraw, one spoken line). When the board refuses a move, or its game ends before the last
// one, the error names that move and the state and desktop are left exactly as they were.
std::optional<PgnError> playPgn(GameState &state, Desktop &desktop, const PgnGame &game);

} // namespace chess
