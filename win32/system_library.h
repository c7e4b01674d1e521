#pragma once

#include <windows.h>

namespace chess::win32 {

// The function `name` of the system DLL `library`, loading the DLL on the call, for the rest
// of the run: a DLL that only an occasional command needs then costs nothing at start.
// `Function` is the declared type, such as decltype(GetSaveFileNameW), so that calls through
// the pointer are checked like direct ones. Only the system folder is searched, so no file
// beside the program can stand in for the DLL. nullptr when either cannot be had.
template <typename Function> Function *systemFunction(const wchar_t *library, const char *name)
{
    HMODULE module = LoadLibraryExW(library, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (!module)
        return nullptr;
    // Through the untyped function pointer, as GetProcAddress's result is meant to be cast.
    return reinterpret_cast<Function *>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

} // namespace chess::win32
