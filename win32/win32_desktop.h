#pragma once

#include "app/background_saver.h"
#include "app/desktop.h"
#include "win32/clock_part.h"
#include "win32/live_region.h"

#include <windows.h>

namespace chess::win32 {

// The core's desktop on Win32: the main window owns every box, dialog and chooser, the
// status texts go to part 0 of its status bar, the clock to its clock part and the spoken
// lines to its live region. The clock's timer is the window's (clockTimer).
class Win32Desktop final : public Desktop {
public:
    // The history is saved to `historyFile`, or nowhere when it is empty.
    Win32Desktop(HWND window, HWND statusBar, LiveRegion &liveRegion, ClockPart &clockPart,
                 const std::filesystem::path &historyFile);
    ~Win32Desktop() override;

    void setStatusText(std::string_view text) override;
    void beep() override;
    void showMessage(std::string_view text, std::string_view caption) override;
    std::optional<int> choosePromotion() override;
    std::optional<std::filesystem::path> chooseSaveFile(const FileChooser &chooser) override;
    std::optional<std::filesystem::path> chooseOpenFile(const FileChooser &chooser) override;
    bool setClipboardText(std::string_view text) override;
    void requestRedraw() override;
    void announce(std::string_view line) override;
    void requestClose() override;
    // Hands the history to the saver thread once the window has repainted (saveHistoryMessage).
    void saveHistory(const GameHistory &history) override;
    void saveUnsavedHistory();
    std::string localDate() override;
    Milliseconds monotonicNow() override;
    std::optional<TimeControl> chooseTimeControl(TimeControl current) override;
    // Arms the window's one-shot clockTimer for the face's next tick, or stops it.
    void showClock(const ClockFace &face) override;

private:
    HWND window_;
    HWND statusBar_;
    LiveRegion &liveRegion_;
    ClockPart &clockPart_;
    std::optional<BackgroundSaver> historySaver_;
    const GameHistory *unsavedHistory_ = nullptr;
};

// Posted by saveHistory; the window answers it with saveUnsavedHistory.
inline constexpr UINT saveHistoryMessage = WM_APP + 1;
// The id of the window's timer for the clock's next tick.
inline constexpr UINT_PTR clockTimer = 1;

} // namespace chess::win32
