#pragma once

#include "app/desktop.h"
#include "app/game_state.h"
#include "app/played_move.h"
#include "pgn/pgn_reader.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace chess {

// The PGN commands. The game to save or copy is given as writePgn takes it: the state before
// its first move, the moves since, the date of the first one, and the side whose time ran out
// when that ended it.

// Asks for a file name (preset "棋譜.pgn") and writes the game there. The old file is
// replaced only once the new text is on the disk; a failure says so and leaves it as it was.
void savePgnFile(const GameState &start, std::span<const PlayedMove> moves, std::string_view date,
                 Desktop &desktop, std::optional<Side> flagFellFor = std::nullopt);

// Puts the game's PGN on the clipboard.
void copyPgnToClipboard(const GameState &start, std::span<const PlayedMove> moves, std::string_view date,
                        Desktop &desktop, std::optional<Side> flagFellFor = std::nullopt);

// Asks for a PGN file and replaces the game by the first game in it (see playPgn). Returns the
// game opened; on cancel or failure the game stays exactly as it was, and a failure is shown
// in a box that names the move at fault.
std::optional<PgnGame> openPgnFile(GameState &state, Desktop &desktop);

// The same for a text already at hand, such as a file the web page was given.
std::optional<PgnGame> openPgnText(GameState &state, Desktop &desktop, std::string_view text);

// The message a failure is shown with: "白の 12 手目は指せない手です".
std::string pgnErrorText(const PgnError &error);

} // namespace chess
