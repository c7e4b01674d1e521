#include "view/board_picture.h"
#include "win32/board_surface.h"

#include <gtest/gtest.h>

#include <cstring>

namespace chess::win32 {
namespace {

// The picture draws each square image straight from the program's resources: every pixel
// must come out where the bitmap has it, the right way up and in its own colour.
TEST(BoardSurface, DrawsEverySquareImageAsTheResourceHoldsIt)
{
    BoardSurface surface;
    ASSERT_TRUE(surface.create(nullptr, GetModuleHandleW(nullptr)));
    const Rect square{80, 60, 120, 100};

    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), pictureWidth, -pictureHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void *bits = nullptr;
    HBITMAP target = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(target, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ original = SelectObject(dc, target);

    for (SquareImage image : allSquareImages()) {
        SCOPED_TRACE(imageName(image));
        surface.compose({{}, {DrawSquareImage{image, square}}});
        surface.paint(dc, {0, 0, pictureWidth, pictureHeight});
        GdiFlush();

        HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(imageResourceId(image)), RT_BITMAP);
        const auto *resource = static_cast<const BYTE *>(LockResource(LoadResource(nullptr, found)));
        BITMAPINFOHEADER header;
        std::memcpy(&header, resource, sizeof header);
        ASSERT_EQ(header.biBitCount, 24);
        const BYTE *rows = resource + header.biSize;
        const int stride = (header.biWidth * 3 + 3) & ~3;
        int wrong = 0;
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 40; ++x) {
                const BYTE *expected = rows + (header.biHeight > 0 ? 39 - y : y) * stride + 3 * x;
                const BYTE *shown =
                    static_cast<const BYTE *>(bits) + 4 * ((square.top + y) * pictureWidth + square.left + x);
                wrong += std::memcmp(expected, shown, 3) != 0;
            }
        EXPECT_EQ(wrong, 0);
    }
    SelectObject(dc, original);
    DeleteDC(dc);
    DeleteObject(target);
}

} // namespace
} // namespace chess::win32
