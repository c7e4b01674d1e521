#pragma once

#include "app/game_state.h"
#include "app/played_move.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace chess {

// One game in PGN export format, lines of at most 79 characters ending in LF. `start` is the
// game as it stood before its first move (after a reset or a load), `moves` the moves
// completed since, replayed here by this board's rules; a move the board does not take ends
// them. `date` is the day of the first move, "YYYY.MM.DD" with "?" for unknown digits (any
// other text is written as "????.??.??"). `flagFellFor` names a side whose time ran out while
// the game was still going on.
//
// The moves are written in SAN as standard chess plays them, up to the first one standard
// chess does not have (a king left attacked, a king taken, castling out of or across check);
// a comment before the result tells in plain words what happened from there. The result is
// the board's own: the winner, "1/2-1/2" for its draw, "*" while the game goes on. A start
// position standard chess does not have gets no FEN tag; the comment gives it instead.
std::string writePgn(const GameState &start, std::span<const PlayedMove> moves, std::string_view date,
                     std::optional<Side> flagFellFor = std::nullopt);

} // namespace chess
