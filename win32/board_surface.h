#pragma once

#include "view/board_picture.h"

#include <windows.h>

#include <array>

namespace chess::win32 {

// The off-screen picture of the board and the 26 square bitmaps it is composed from. Both
// live as long as the window; painting only copies from the picture.
class BoardSurface {
public:
    BoardSurface() = default;
    BoardSurface(const BoardSurface &) = delete;
    BoardSurface &operator=(const BoardSurface &) = delete;
    ~BoardSurface();

    // Loads the bitmaps from the program's resources and makes a picture compatible with
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
    HDC imageDc_ = nullptr;
    std::array<HBITMAP, 26> images_{}; // in resource order
};

} // namespace chess::win32
