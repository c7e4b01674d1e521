#pragma once

#include "view/board_geometry.h"

namespace chess {

// The picture is laid out in pixels of a 96 dots-per-inch display. On a denser one each
// of its pixels covers dpi / 96 device pixels: the front end scales the geometry above by
// this one factor, so that what it draws, its hit test and what it tells screen readers
// always agree.
struct PixelScale {
    static constexpr int pictureDpi = 96;
    int dpi = pictureDpi;

    // The device pixel where picture coordinate `x` begins.
    constexpr int toDevice(int x) const { return floorDivide(x * dpi, pictureDpi); }
    constexpr Rect toDevice(Rect r) const
    {
        return {toDevice(r.left), toDevice(r.top), toDevice(r.right), toDevice(r.bottom)};
    }
    // The picture pixel that device pixel `p` belongs to: the last x whose toDevice(x) is
    // at or before it. So a device point inside a scaled rectangle is inside the rectangle.
    constexpr Point toPicture(Point p) const { return {toPicture(p.x), toPicture(p.y)}; }

    friend constexpr bool operator==(PixelScale, PixelScale) = default;

private:
    // Rounds toward minus infinity, as a point left of or above the window needs.
    static constexpr int floorDivide(int a, int b) { return a / b - (a % b != 0 && (a < 0) != (b < 0)); }
    constexpr int toPicture(int device) const
    {
        return floorDivide((device + 1) * pictureDpi + dpi - 1, dpi) - 1;
    }
};

} // namespace chess
