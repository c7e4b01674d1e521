#pragma once

#include "app/game_state.h"

namespace chess {

// Whether the piece on `from` may go to `to` by its own movement rule. On acceptance the
// rule's side effects are applied: castling rights lost by king and rook moves, the double
// step noted for en passant, the pawn taken en passant removed (`epCaptured` set), and the
// opponent's en passant chance ended. The piece itself is not moved; that is the caller's.
//
// The caller guarantees that from and to differ, that `from` holds a piece of `side` and
// that `to` does not. The own king may be left attacked: a game ends by capturing a king,
// not by mate. Castling is tried before this, by tryCastle.
bool isLegalMove(GameState &state, Side side, Square from, Square to);

} // namespace chess
