#pragma once

#include "view/board_picture.h"

#include <windows.h>

#include <array>

namespace chess::win32 {

// The off-screen picture of the board, composed from the 26 square images as the program's
// resources hold them: they are drawn from there, never copied into bitmaps of their own.
// The picture lives as long as the window; painting only copies from it.
class BoardSurface {
public:
    BoardSurface() = default;
    BoardSurface(const BoardSurface &) = delete;
    BoardSurface &operator=(const BoardSurface &) = delete;
    ~BoardSurface();

    // Finds the images in the program's resources and makes a picture compatible with
    // `window`'s display. False when any of it could not be had.
    bool create(HWND window, HINSTANCE instance);

    // Executes the picture's drawing commands with GDI.
    void compose(const BoardPicture &picture);

    // Copies `area` of the picture to the same place on `target`.
    void paint(HDC target, const RECT &area) const;

private:
    HDC picture_ = nullptr;
    HBITMAP pictureBitmap_ = nullptr;
    HGDIOBJ originalBitmap_ = nullptr;
    std::array<const BITMAPINFO *, 26> images_{}; // in resource order
    // Every picture asks for the same label font, which is made for the first one and kept.
    FontRequest fontRequest_;
    HFONT font_ = nullptr;
};

} // namespace chess::win32
