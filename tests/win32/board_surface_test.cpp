#include "view/board_picture.h"
#include "win32/board_surface.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace chess::win32 {
namespace {

const Rect square{80, 60, 120, 100}; // in picture pixels

// The device pixels of `square` after the surface composed `image` there at `scale`: blue,
// green, red and a spare byte each, top row first.
std::vector<BYTE> composedSquare(BoardSurface &surface, PixelScale scale, SquareImage image)
{
    const int width = scale.toDevice(pictureWidth);
    const int height = scale.toDevice(pictureHeight);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void *bits = nullptr;
    HBITMAP target = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ original = SelectObject(dc, target);
    surface.compose({{}, {DrawSquareImage{image, square}}});
    surface.paint(dc, {0, 0, width, height});
    GdiFlush();
    const Rect r = scale.toDevice(square);
    std::vector<BYTE> pixels;
    for (int y = r.top; y < r.bottom; ++y) {
        const BYTE *row = static_cast<const BYTE *>(bits) + 4 * (y * width + r.left);
        pixels.insert(pixels.end(), row, row + 4 * (r.right - r.left));
    }
    SelectObject(dc, original);
    DeleteDC(dc);
    DeleteObject(target);
    return pixels;
}

// The pixels of a bitmap resource as the system reads it, in the layout of composedSquare.
std::vector<BYTE> artPixels(int number)
{
    HBITMAP art = static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(number), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
    BITMAP size{};
    GetObjectW(art, sizeof size, &size);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), size.bmWidth, -size.bmHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<BYTE> pixels(4 * static_cast<std::size_t>(size.bmWidth * size.bmHeight));
    HDC screen = GetDC(nullptr);
    GetDIBits(screen, art, 0, static_cast<UINT>(size.bmHeight), pixels.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    DeleteObject(art);
    return pixels;
}

// The picture draws each square image straight from the program's resources: at 100 % the
// plain art, at 200 % the @2x art, every pixel where the bitmap has it, the right way up and
// in its own colour.
TEST(BoardSurface, DrawsEverySquareImageAsTheArtOfItsScaleHoldsIt)
{
    const struct {
        int dpi;
        int numberAbove; // of the plain art's resource number
    } scales[] = {{96, 0}, {192, 1}};
    for (const auto &[dpi, numberAbove] : scales) {
        SCOPED_TRACE(dpi);
        const PixelScale scale{dpi};
        BoardSurface surface;
        ASSERT_TRUE(surface.create(nullptr, GetModuleHandleW(nullptr), scale));
        for (SquareImage image : allSquareImages()) {
            SCOPED_TRACE(imageName(image));
            const std::vector<BYTE> drawn = composedSquare(surface, scale, image);
            const std::vector<BYTE> art = artPixels(imageResourceId(image) + numberAbove);
            ASSERT_EQ(drawn.size(), art.size());
            int wrong = 0;
            for (std::size_t i = 0; i < art.size(); i += 4)
                wrong += std::memcmp(&art[i], &drawn[i], 3) != 0;
            EXPECT_EQ(wrong, 0);
        }
    }
}

// How much of art pixel `u` the device pixel `x` covers when `art` pixels are spread over
// `device` pixels.
double coverage(int x, int u, int art, int device)
{
    const double ratio = static_cast<double>(art) / device;
    return std::max(0.0, std::min(u + 1.0, (x + 1) * ratio) - std::max(double(u), x * ratio));
}

// Between 100 % and 200 % the @2x art is scaled down with a smoothing filter: each device
// pixel comes close to the average of the art it covers, much closer than picking the one
// art pixel nearest to it, which leaves the pieces' thin outlines ragged.
TEST(BoardSurface, ResamplesTheDoubleArtSmoothlyAt150Percent)
{
    const PixelScale scale{144};
    BoardSurface surface;
    ASSERT_TRUE(surface.create(nullptr, GetModuleHandleW(nullptr), scale));
    const int side = scale.toDevice(square.right) - scale.toDevice(square.left);
    for (SquareImage image : allSquareImages()) {
        SCOPED_TRACE(imageName(image));
        const std::vector<BYTE> drawn = composedSquare(surface, scale, image);
        const std::vector<BYTE> art = artPixels(imageResourceId(image) + 1);
        const int artSide = 2 * squareSize;
        const auto artAt = [&](int u, int v, int channel) { return art[4 * (v * artSide + u) + channel]; };
        double drawnError = 0;
        double nearestError = 0;
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x)
                for (int channel = 0; channel < 3; ++channel) {
                    double average = 0;
                    for (int v = y * artSide / side; v <= (y + 1) * artSide / side && v < artSide; ++v)
                        for (int u = x * artSide / side; u <= (x + 1) * artSide / side && u < artSide; ++u)
                            average += coverage(x, u, artSide, side) * coverage(y, v, artSide, side) *
                                       artAt(u, v, channel);
                    average /= (artSide * artSide) / double(side * side);
                    drawnError += std::abs(drawn[4 * (y * side + x) + channel] - average);
                    nearestError +=
                        std::abs(artAt(x * artSide / side, y * artSide / side, channel) - average);
                }
        EXPECT_LE(drawnError, nearestError / 2 + 1); // 1: the rounding of a plain square's sum
    }
}

} // namespace
} // namespace chess::win32
