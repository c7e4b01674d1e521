#pragma once

#include "app/game_state.h"

namespace chess {

// Appends the move `side` just made from `from` to `to` (the board already shows its
// result). `promotionLetter` is the new piece's letter in either case, or 0; `enPassant`
// tells that the move took a pawn en passant. A White entry takes the next move number.
// Returns false when memory could not be had: the record is then gone, the move stands.
bool appendMoveToRecord(GameState &state, Side side, Square from, Square to, char promotionLetter,
                        bool enPassant);

// Discards the record and starts the move numbers again; does nothing when no record exists.
void freeRecord(GameState &state);

} // namespace chess
