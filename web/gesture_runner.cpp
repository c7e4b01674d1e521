#include "web/gesture_runner.h"

#include "app/silent_desktop.h"
#include "app/texts.h"

#include <emscripten/emscripten.h>

#include <utility>

// clang-format off
EM_JS(void, pageAskPromotion, (const char *caption, int captionSize, const char *prompt, int promptSize), {
    chessPage.askPromotion(UTF8ToString(caption, captionSize), UTF8ToString(prompt, promptSize));
});
// clang-format on

namespace chess::web {
namespace {

// Shows nothing, and notes whether the piece was asked.
class TrialDesktop final : public SilentDesktop {
public:
    bool promotionAsked = false;

    std::optional<int> choosePromotion() override
    {
        promotionAsked = true;
        return std::nullopt;
    }
};

} // namespace

GestureRunner::GestureRunner(GameState &state, WebDesktop &desktop) : state_(state), desktop_(desktop) {}

void GestureRunner::run(Gesture gesture)
{
    if (waiting_)
        return;
    // The trial needs the game but not its history, which grows with the game.
    GameHistory history = std::move(state_.history);
    GameState trial = state_;
    state_.history = std::move(history);
    TrialDesktop trialDesktop;
    gesture(trial, trialDesktop);
    if (!trialDesktop.promotionAsked) {
        gesture(state_, desktop_);
        return;
    }
    waiting_ = std::move(gesture);
    pageAskPromotion(texts::promotionCaption.data(), static_cast<int>(texts::promotionCaption.size()),
                     texts::promotionPrompt.data(), static_cast<int>(texts::promotionPrompt.size()));
}

void GestureRunner::promotionChosen(int choice)
{
    if (!waiting_)
        return;
    desktop_.presetPromotion(choice);
    std::exchange(waiting_, nullptr)(state_, desktop_);
    desktop_.presetPromotion(std::nullopt);
}

} // namespace chess::web
