#pragma once

#include "app/desktop.h"

#include <string>
#include <string_view>
#include <vector>

namespace chess::win32 {

// The core's UTF-8 text as the UTF-16 the wide Win32 calls take. Bytes that are no UTF-8
// become U+FFFD rather than vanishing.
std::wstring widen(std::string_view utf8);

// What the user typed, as the core's UTF-8. A lone surrogate becomes U+FFFD.
std::string narrow(std::wstring_view utf16);

// The filter list of a file chooser: description and pattern of each filter, every one
// ended by a NUL, and one more NUL after the last.
std::wstring filterList(const std::vector<FileFilter> &filters);

} // namespace chess::win32
