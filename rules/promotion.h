#pragma once

#include "app/desktop.h"
#include "app/game_state.h"

namespace chess {

// Replaces a pawn of `side` that stands on its last rank by the piece the player chooses
// (queen when the choice cannot be had) and returns the new letter, or 0 when no pawn
// stands there. Only one pawn moves at a time, so only the first one found, from file a
// toward h, is promoted.
char promotePawn(Board &board, Side side, Desktop &desktop);

} // namespace chess
