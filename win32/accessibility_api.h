#pragma once

#include <windows.h>

#include <oleacc.h>

namespace chess::win32 {

// The functions of ole32, oleaut32 and oleacc that the screen reader support calls. They
// are loaded the first time a screen reader asks for the board, not at start-up: most
// players never run one, and these libraries cost every start time and memory.
struct AccessibilityApi {
    decltype(&CoCreateInstance) coCreateInstance;
    decltype(&CoDisconnectObject) coDisconnectObject;
    decltype(&SysAllocString) sysAllocString;
    decltype(&VariantChangeType) variantChangeType;
    decltype(&LresultFromObject) lresultFromObject;
    decltype(&CreateStdAccessibleObject) createStdAccessibleObject;
};

// Loads the libraries from the system folder and initialises COM on the calling thread,
// the first time only; call it from the window's thread, which serves the screen reader's
// calls. nullptr when any of it is missing: the window then answers as a plain window.
const AccessibilityApi *accessibilityApi();

} // namespace chess::win32
