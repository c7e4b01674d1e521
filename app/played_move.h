#pragma once

#include "app/board.h"

namespace chess {

// One completed move as the player made it: the square picked up, the square put down on,
// and the piece a promoting pawn became. Castling is the king's move (e1 to g1).
struct PlayedMove {
    Square from;
    Square to;
    char promotion = 0; // the new piece's upper-case letter (Q R B N), or 0
    friend constexpr bool operator==(const PlayedMove &, const PlayedMove &) = default;
};

} // namespace chess
