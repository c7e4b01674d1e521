#pragma once

#include "app/desktop.h"
#include "win32/live_region.h"

#include <windows.h>

namespace chess::win32 {

// The core's desktop on Win32: the main window owns every box, dialog and chooser, the
// status texts go to part 0 of its status bar and the spoken lines to its live region.
class Win32Desktop final : public Desktop {
public:
    Win32Desktop(HWND window, HWND statusBar, LiveRegion &liveRegion)
        : window_(window), statusBar_(statusBar), liveRegion_(liveRegion)
    {
    }

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

private:
    HWND window_;
    HWND statusBar_;
    LiveRegion &liveRegion_;
};

} // namespace chess::win32
