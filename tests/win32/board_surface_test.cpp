#include "view/board_picture.h"
#include "win32/board_surface.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace chess::win32 {
namespace {

// The picture composed at `scale` from `picture`, as 32-bit pixels, top row first.
class ComposedPicture {
public:
    ComposedPicture(BoardSurface &surface, PixelScale scale, const BoardPicture &picture)
        : width_(scale.toDevice(pictureWidth))
    {
        BITMAPINFO info{};
        info.bmiHeader = {
            sizeof(BITMAPINFOHEADER), width_, -scale.toDevice(pictureHeight), 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void *bits = nullptr;
        bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        dc_ = CreateCompatibleDC(nullptr);
        original_ = SelectObject(dc_, bitmap_);
        surface.compose(picture);
        surface.paint(dc_, {0, 0, width_, scale.toDevice(pictureHeight)});
        GdiFlush();
        bits_ = static_cast<const BYTE *>(bits);
    }
    ~ComposedPicture()
    {
        SelectObject(dc_, original_);
        DeleteDC(dc_);
        DeleteObject(bitmap_);
    }
    // Blue, green, red.
    const BYTE *pixel(int x, int y) const { return bits_ + 4 * (y * width_ + x); }

private:
    int width_;
    HBITMAP bitmap_;
    HDC dc_;
    HGDIOBJ original_;
    const BYTE *bits_ = nullptr;
};

// A 24-bit bitmap resource's pixels, top row first.
struct ResourceImage {
    explicit ResourceImage(int number)
    {
        HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(number), RT_BITMAP);
        resource = static_cast<const BYTE *>(LockResource(LoadResource(nullptr, found)));
        std::memcpy(&header, resource, sizeof header);
    }
    const BYTE *pixel(int x, int y) const
    {
        const int stride = (header.biWidth * 3 + 3) & ~3;
        const int row = header.biHeight > 0 ? header.biHeight - 1 - y : y;
        return resource + header.biSize + row * stride + 3 * x;
    }
    const BYTE *resource;
    BITMAPINFOHEADER header;
};

const Rect square{80, 60, 120, 100}; // in picture pixels

// The picture draws each square image straight from the program's resources: at 100 % the
// plain art, at 200 % the @2x art, every pixel where the bitmap has it, the right way up and
// in its own colour.
TEST(BoardSurface, DrawsEverySquareImageAsTheResourceOfItsScaleHoldsIt)
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
        const Rect target = scale.toDevice(square);
        for (SquareImage image : allSquareImages()) {
            SCOPED_TRACE(imageName(image));
            const ComposedPicture picture(surface, scale, {{}, {DrawSquareImage{image, square}}});
            const ResourceImage expected(imageResourceId(image) + numberAbove);
            ASSERT_EQ(expected.header.biBitCount, 24);
            ASSERT_EQ(expected.header.biWidth, target.right - target.left);
            int wrong = 0;
            for (int y = 0; y < expected.header.biWidth; ++y)
                for (int x = 0; x < expected.header.biWidth; ++x)
                    wrong += std::memcmp(expected.pixel(x, y), picture.pixel(target.left + x, target.top + y),
                                         3) != 0;
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
    const Rect target = scale.toDevice(square);
    const int side = target.right - target.left;
    for (SquareImage image : allSquareImages()) {
        SCOPED_TRACE(imageName(image));
        const ComposedPicture picture(surface, scale, {{}, {DrawSquareImage{image, square}}});
        const ResourceImage art(imageResourceId(image) + 1);
        const int artSide = art.header.biWidth;
        double drawnError = 0;
        double nearestError = 0;
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x)
                for (int channel = 0; channel < 3; ++channel) {
                    double average = 0;
                    for (int v = y * artSide / side; v <= (y + 1) * artSide / side && v < artSide; ++v)
                        for (int u = x * artSide / side; u <= (x + 1) * artSide / side && u < artSide; ++u)
                            average += coverage(x, u, artSide, side) * coverage(y, v, artSide, side) *
                                       art.pixel(u, v)[channel];
                    average /= (artSide * artSide) / double(side * side);
                    drawnError += std::abs(picture.pixel(target.left + x, target.top + y)[channel] - average);
                    nearestError +=
                        std::abs(art.pixel(x * artSide / side, y * artSide / side)[channel] - average);
                }
        EXPECT_LE(drawnError, nearestError / 2 + 1); // 1: the rounding of a plain square's sum
    }
}

} // namespace
} // namespace chess::win32
