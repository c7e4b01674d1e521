#pragma once

#include "app/game_state.h"

namespace chess {

// Castles when the move from `from` to `to` is the king's castling move for `side`: the
// king on its home square, the rook on its corner, the right kept, the squares between
// empty, and the squares the king crosses and lands on not attacked. The king's own square
// is not tested, so a king in check may still castle. On success the board shows king and
// rook on their new squares, both of the side's rights are gone and the opponent's en
// passant chance ends. Returns false with nothing changed otherwise.
bool tryCastle(GameState &state, Side side, Square from, Square to);

} // namespace chess
