#pragma once

#include <windows.h>

#include <string_view>

struct IAccPropServices;

namespace chess::win32 {

// Where the spoken lines go: a static text of no size inside the status bar, marked as a
// polite live region, whose text is the last line. A screen reader reads it when told that
// it changed; nothing visible changes, the status bar's own text included, which keeps
// the terse status that sighted players know.
class LiveRegion {
public:
    LiveRegion() = default;
    LiveRegion(const LiveRegion &) = delete;
    LiveRegion &operator=(const LiveRegion &) = delete;
    ~LiveRegion();

    // False when the window cannot be made.
    bool create(HWND statusBar);

    // Makes `line` the region's text and tells screen readers to read it.
    void announce(std::string_view line);

    // Marks the region as a live one for screen readers that take that setting, the first
    // time only. It needs COM, so it waits until a screen reader shows up. Wine does not
    // keep the setting; the lines are still raised there.
    void markLive();

private:
    HWND window_ = nullptr;
    IAccPropServices *properties_ = nullptr;
    bool marked_ = false;
};

} // namespace chess::win32
