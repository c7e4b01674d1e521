#include "app/texts.h"
#include "win32/wide_text.h"

#include <gtest/gtest.h>

namespace chess::win32 {
namespace {

TEST(WideText, KeepsEveryCharacterOfTheCoreTexts)
{
    EXPECT_EQ(widen(texts::blackMoving), L"Turn:Black\u3000moving\uff65\uff65\uff65");
    EXPECT_EQ(widen(texts::recordCaption), L"\u68cb\u8b5c");
    EXPECT_EQ(widen("\U0001F600"), L"\xd83d\xde00"); // beyond 16 bits: a surrogate pair
    EXPECT_EQ(widen(""), L"");
}

TEST(WideText, MarksBytesThatAreNoUtf8InsteadOfDroppingThem)
{
    EXPECT_EQ(widen("a\xff"
                    "b"),
              L"a\ufffdb");
}

TEST(WideText, TypedTextComesBackAsTheCoreTexts)
{
    for (const std::string_view text :
         {texts::blackMoving, texts::badTimeControl, std::string_view("\U0001F600"), std::string_view("180"),
          std::string_view("")})
        EXPECT_EQ(narrow(widen(text)), text);
    EXPECT_EQ(narrow(L"1\xd800"), "1\xef\xbf\xbd"); // a lone surrogate: U+FFFD
}

TEST(WideText, FilterListEndsEachPartAndTheWholeListWithNul)
{
    using namespace std::string_literals;
    EXPECT_EQ(filterList({{"テキスト(*.txt)", "*.txt"}, {"All(*.*)", "*.*"}}),
              L"\u30c6\u30ad\u30b9\u30c8(*.txt)\0*.txt\0All(*.*)\0*.*\0\0"s);
    EXPECT_EQ(filterList({}), L"\0"s);
}

} // namespace
} // namespace chess::win32
