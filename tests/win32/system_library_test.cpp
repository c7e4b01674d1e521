#include "win32/system_library.h"

#include <commdlg.h>

#include <gtest/gtest.h>

namespace chess::win32 {
namespace {

TEST(SystemFunction, CallsTheFunctionOfTheSystemDllAsDeclared)
{
    const auto length = systemFunction<decltype(lstrlenW)>(L"kernel32.dll", "lstrlenW");
    ASSERT_NE(length, nullptr);
    EXPECT_EQ(length(L"\u68cb\u8b5c.txt"), 6);
    EXPECT_NE(systemFunction<decltype(GetOpenFileNameW)>(L"comdlg32.dll", "GetOpenFileNameW"), nullptr);
}

TEST(SystemFunction, IsNullWhenTheDllOrTheFunctionIsMissing)
{
    EXPECT_EQ(systemFunction<decltype(GetSaveFileNameW)>(L"comdlg32.dll", "GetSaveFileNameX"), nullptr);
    EXPECT_EQ(systemFunction<decltype(GetSaveFileNameW)>(L"no-such-library.dll", "GetSaveFileNameW"),
              nullptr);
}

} // namespace
} // namespace chess::win32
