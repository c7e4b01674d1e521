#include "win32/wide_text.h"

#include <windows.h>

namespace chess::win32 {

std::wstring widen(std::string_view utf8)
{
    if (utf8.empty())
        return {};
    const int length = static_cast<int>(utf8.size());
    const int wideLength = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, wide.data(), wideLength);
    return wide;
}

std::string narrow(std::wstring_view utf16)
{
    if (utf16.empty())
        return {};
    const int length = static_cast<int>(utf16.size());
    const int narrowLength =
        WideCharToMultiByte(CP_UTF8, 0, utf16.data(), length, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(narrowLength), '\0');
    WideCharToMultiByte(CP_UTF8, 0, utf16.data(), length, utf8.data(), narrowLength, nullptr, nullptr);
    return utf8;
}

std::wstring filterList(const std::vector<FileFilter> &filters)
{
    std::wstring list;
    for (const FileFilter &filter : filters) {
        list += widen(filter.description);
        list += L'\0';
        list += widen(filter.pattern);
        list += L'\0';
    }
    list += L'\0';
    return list;
}

} // namespace chess::win32
