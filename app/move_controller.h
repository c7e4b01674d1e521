#pragma once

#include "app/desktop.h"
#include "app/game_state.h"
#include "view/board_geometry.h"

namespace chess {

// A left double-click at a client point, taken where the cursor is when the event is
// handled. Off the board nothing happens. On the board it picks up a piece of the side to
// move, or puts the picked-up piece down: castling, an ordinary move (with promotion), the
// capture of a king that wins, the draw when the counter reaches exactly 50. A refused
// gesture sets a warning and beeps; a refused target keeps the piece picked up.
void onLeftDoubleClick(GameState &state, Desktop &desktop, Point clientPoint);

// A right double-click: puts a picked-up piece back and returns the frame to the last
// move's destination. Does nothing when no piece is picked up.
void onCancel(GameState &state, Desktop &desktop);

// Ends the game with `winner`'s win: the frame on the last move, the win box and status.
void declareWinner(GameState &state, Desktop &desktop, Side winner);

// Whether the move `mover` just made took the opponent's king off the board.
bool kingCaptured(const Board &board, Side mover);

} // namespace chess
