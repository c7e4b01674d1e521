#pragma once

#include "app/chess_clock.h"
#include "view/pixel_scale.h"

#include <windows.h>

#include <string>

namespace chess::win32 {

// The players' clock at the right of the status bar, there only while a clock is set: a
// second part of the status bar, filled by a window of its own that shows the face's text in
// the status bar's font. The window's own text is the face's words, which screen readers
// take as its name, so they read the times as the T key says them. Without a clock the
// status bar keeps its one part, untouched.
class ClockPart {
public:
    explicit ClockPart(const PixelScale &scale) : scale_(scale) {}
    ClockPart(const ClockPart &) = delete;
    ClockPart &operator=(const ClockPart &) = delete;
    // Cuts the window off from the text it paints, which goes with this object.
    ~ClockPart();

    // False when the window cannot be made.
    bool create(HWND statusBar);

    // Shows `face`, or takes the part away when its text is empty.
    void show(const ClockFace &face);

    // The status bar changed its size or font, or the window its scale: the parts follow.
    void layOut();

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void paint();

    const PixelScale &scale_;
    HWND statusBar_ = nullptr;
    HWND window_ = nullptr;
    std::wstring text_;
    std::wstring words_;
};

} // namespace chess::win32
