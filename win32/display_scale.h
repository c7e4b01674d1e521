#pragma once

#include "view/pixel_scale.h"

#include <windows.h>

namespace chess::win32 {

// The display scale `window` is drawn at: its monitor's where the system says (Windows 10
// 1607 on), the screen's otherwise.
PixelScale displayScaleOf(HWND window);

// The outer size of a window of `style` with a menu bar at `scale` whose client area is
// the one a window of `sizeAt100` has at 100 %, scaled: the picture then fills it alike at
// every scale, however the frame and the menu bar grow.
SIZE windowSizeAt(PixelScale scale, SIZE sizeAt100, DWORD style);

// The status bar's font at `scale`, for a window that has moved to a monitor of another
// scale (the status bar takes its own font for the screen it was made on). nullptr where
// the system cannot say.
HFONT createStatusFont(PixelScale scale);

} // namespace chess::win32
