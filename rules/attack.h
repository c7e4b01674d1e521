#pragma once

#include "app/board.h"

namespace chess {

// Whether a queen, rook, bishop, knight or pawn of the opponent of `side` attacks `square`.
// The opponent's king never counts, and the own king shields nothing: rays pass through
// it, so a king cannot hide the square behind it from a rook or bishop. The square's own
// content is not looked at.
bool isSquareAttacked(const Board &board, Side side, Square square);

} // namespace chess
