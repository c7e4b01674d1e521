#pragma once

#include "app/background_saver.h"
#include "app/desktop.h"
#include "win32/live_region.h"

#include <windows.h>

namespace chess::win32 {

// The core's desktop on Win32: the main window owns every box, dialog and chooser, the
// status texts go to part 0 of its status bar and the spoken lines to its live region.
class Win32Desktop final : public Desktop {
public:
    // The history is saved to `historyFile`, or nowhere when it is empty.
    Win32Desktop(HWND window, HWND statusBar, LiveRegion &liveRegion,
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

private:
    HWND window_;
    HWND statusBar_;
    LiveRegion &liveRegion_;
    std::optional<BackgroundSaver> historySaver_;
    const GameHistory *unsavedHistory_ = nullptr;
};

// Posted by saveHistory; the window answers it with saveUnsavedHistory.
inline constexpr UINT saveHistoryMessage = WM_APP + 1;

} // namespace chess::win32
