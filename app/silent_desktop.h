#pragma once

#include "app/desktop.h"

namespace chess {

// A desktop that shows nothing and takes every question as unanswered: the core's work with no
// window, for a trial run of a gesture or a benchmark.
class SilentDesktop : public Desktop {
public:
    void setStatusText(std::string_view) override {}
    void beep() override {}
    void showMessage(std::string_view, std::string_view) override {}
    std::optional<int> choosePromotion() override { return std::nullopt; }
    std::optional<std::filesystem::path> chooseSaveFile(const FileChooser &) override { return std::nullopt; }
    std::optional<std::filesystem::path> chooseOpenFile(const FileChooser &) override { return std::nullopt; }
    bool setClipboardText(std::string_view) override { return true; }
    void requestRedraw() override {}
    void announce(std::string_view) override {}
    void requestClose() override {}
    void saveHistory(const GameHistory &) override {}
    std::string localDate() override { return {}; }
    // No time passes.
    Milliseconds monotonicNow() override { return {}; }
    std::optional<TimeControl> chooseTimeControl(TimeControl) override { return std::nullopt; }
    void showClock(const ClockFace &) override {}
};

} // namespace chess
