#pragma once

#include "app/game_state.h"
#include "web/web_desktop.h"

#include <functional>

namespace chess::web {

// Runs the board's gestures so that a page, which cannot block, can still ask for the
// promotion piece with a dialog. Each gesture is first played on a copy of the game against
// a desktop that does nothing. When that trial asked for a piece, the page shows its dialog
// and the gesture is played for real only once the player has chosen, with the choice ready
// for the core's question. The core holds no other state and draws no random numbers in a
// gesture, so the real run takes the same path as the trial.
class GestureRunner {
public:
    using Gesture = std::function<void(GameState &, Desktop &)>;

    GestureRunner(GameState &state, WebDesktop &desktop);

    // Plays the gesture, or asks for the promotion piece and keeps the gesture until the
    // answer. Gestures that arrive while the dialog is up are ignored, as a modal dialog would.
    void run(Gesture gesture);
    // 0 queen, 1 rook, 2 bishop, 3 knight.
    void promotionChosen(int choice);

private:
    GameState &state_;
    WebDesktop &desktop_;
    Gesture waiting_;
};

} // namespace chess::web
