#pragma once

#include "app/game_state.h"
#include "app/played_move.h"
#include "app/silent_desktop.h"

namespace chess {

// The desktop a game is replayed on: nothing is shown, the promotion dialog is answered with
// the piece of the move at hand.
class ReplayDesktop : public SilentDesktop {
public:
    char promotion = 0; // Q R B N, or 0 for a queen

    std::optional<int> choosePromotion() override;
};

// Plays `move` as a player would: a double-click on its square of departure, then one on its
// target, at the squares' centres. Returns whether the board took it as a completed move, one
// that ends the game included; a refused move leaves the piece picked up.
bool playMove(GameState &state, ReplayDesktop &desktop, const PlayedMove &move);

} // namespace chess
