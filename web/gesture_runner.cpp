#include "web/gesture_runner.h"

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

// Answers every call without showing anything, and notes whether the piece was asked.
class TrialDesktop final : public Desktop {
public:
    bool promotionAsked = false;

    void setStatusText(std::string_view) override {}
    void beep() override {}
    void showMessage(std::string_view, std::string_view) override {}
    std::optional<int> choosePromotion() override
    {
        promotionAsked = true;
        return std::nullopt;
    }
    std::optional<std::filesystem::path> chooseSaveFile(const FileChooser &) override { return std::nullopt; }
    std::optional<std::filesystem::path> chooseOpenFile(const FileChooser &) override { return std::nullopt; }
    bool setClipboardText(std::string_view) override { return true; }
    void requestRedraw() override {}
    void announce(std::string_view) override {}
    void requestClose() override {}
};

} // namespace

GestureRunner::GestureRunner(GameState &state, WebDesktop &desktop) : state_(state), desktop_(desktop) {}

void GestureRunner::run(Gesture gesture)
{
    if (waiting_)
        return;
    GameState trial = state_;
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
