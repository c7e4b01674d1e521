#pragma once

#include "app/board.h"

#include <optional>

namespace chess {

// Client pixels of the window's picture area, origin top left.
struct Point {
    int x = 0;
    int y = 0;
    friend constexpr bool operator==(Point, Point) = default;
};

// A rectangle as the drawing calls take it: right and bottom are exclusive, so an outline
// drawn with a one-pixel pen covers the columns left to right - 1.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    friend constexpr bool operator==(Rect, Rect) = default;
};

inline constexpr int pictureWidth = 400;
inline constexpr int pictureHeight = 470;
inline constexpr int squareSize = 40;
inline constexpr int boardLeft = 40;
inline constexpr int boardTop = 20;
inline constexpr Rect boardOutline = {boardLeft - 1, boardTop - 1, boardLeft + 8 * squareSize + 1,
                                      boardTop + 8 * squareSize + 1};

constexpr Rect squareRect(Square s)
{
    const int left = boardLeft + squareSize * s.file;
    const int top = boardTop + squareSize * s.row;
    return {left, top, left + squareSize, top + squareSize};
}

// The middle of a square, where a player aims a double-click.
constexpr Point squareCentre(Square s)
{
    const Rect r = squareRect(s);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// Where a front end marks the keyboard square: inside it, clear of the 3-pixel frames that
// the picture draws on a square's edge, so both can show on one square.
constexpr Rect focusMarkRect(Square s)
{
    const Rect r = squareRect(s);
    return {r.left + 5, r.top + 5, r.right - 5, r.bottom - 5};
}

// Where the coordinate labels start (their top left): file letters under the board, rank
// digits left of it.
constexpr Point fileLabelPosition(int file) { return {50 + squareSize * file, 345}; }
constexpr Point rankLabelPosition(int row) { return {10, 25 + squareSize * row}; }

// The square under a client point, or nullopt when the point is off the board (the labels
// included). The inverse of squareRect.
constexpr std::optional<Square> hitTestBoard(Point p)
{
    if (p.x < boardLeft || p.x >= boardLeft + 8 * squareSize || p.y < boardTop ||
        p.y >= boardTop + 8 * squareSize)
        return std::nullopt;
    return Square{(p.x - boardLeft) / squareSize, (p.y - boardTop) / squareSize};
}

// Light when file + row is even.
constexpr bool isLightSquare(Square s) { return (s.file + s.row) % 2 == 0; }

} // namespace chess
