#pragma once

#include <windows.h>

namespace chess::win32 {

// Registers "Marvotek", the class of the program's one window. False when that fails.
bool registerMainWindowClass(HINSTANCE instance);

// Creates the window "Chess": the board picture with its File menu and status bar, over a
// game in the opening position with White to move. nullptr when that fails.
HWND createMainWindow(HINSTANCE instance);

} // namespace chess::win32
