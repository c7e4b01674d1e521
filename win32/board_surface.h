#pragma once

#include "view/board_picture.h"
#include "view/pixel_scale.h"

#include <windows.h>

#include <array>

namespace chess::win32 {

// The off-screen picture of the board at the window's display scale, composed from the 26
// square images as the program's resources hold them: they are drawn from there, never
// copied into bitmaps of their own. At 100 % the plain art is copied pixel for pixel, at
// 200 % the @2x art; at any other scale the nearer art is resampled with a smoothing filter.
// The picture lives as long as the window; painting only copies from it.
class BoardSurface {
public:
    BoardSurface() = default;
    BoardSurface(const BoardSurface &) = delete;
    BoardSurface &operator=(const BoardSurface &) = delete;
    ~BoardSurface();

    // Finds the images in the program's resources and makes a picture compatible with
    // `window`'s display at `scale`. False when any of it could not be had.
    bool create(HWND window, HINSTANCE instance, PixelScale scale);

    // Makes the picture anew for another display scale; compose it again before painting.
    // False, and the picture as it was, when there is no memory for it.
    bool rescale(HWND window, PixelScale scale);

    // Executes the picture's drawing commands with GDI, each scaled to the display.
    void compose(const BoardPicture &picture);

    // Copies `area` of the picture to the same place on `target`, in device pixels.
    void paint(HDC target, const RECT &area) const;

private:
    // The art for one scale: the plain images or the @2x ones, in resource order.
    using Art = std::array<const BITMAPINFO *, 26>;

    PixelScale scale_;
    HDC picture_ = nullptr;
    HBITMAP pictureBitmap_ = nullptr;
    HGDIOBJ originalBitmap_ = nullptr;
    Art plainArt_{};
    Art doubleArt_{};
    // Every picture asks for the same label font, which is made for the first one at the
    // current scale and kept.
    FontRequest fontRequest_;
    HFONT font_ = nullptr;
};

} // namespace chess::win32
