#pragma once

#include "app/game_state.h"
#include "view/board_geometry.h"
#include "view/square_image.h"

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace chess {

struct Colour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend constexpr bool operator==(Colour, Colour) = default;
};

inline constexpr Colour backgroundColour = {200, 255, 255};
inline constexpr Colour lastMoveFrameColour = {255, 0, 0};
inline constexpr Colour selectionFrameColour = {0, 0, 255};
inline constexpr Colour outlineColour = {0, 0, 0};
// The keyboard square's mark: orange, never taken for the red or the blue frame.
inline constexpr Colour focusMarkColour = {255, 140, 0};

// The label font: faces in order of preference (the first is the one the board was drawn
// with; the others are its closest free relatives), cell height in pixels, weight 100-900,
// and the character set as GDI numbers it (128: Japanese).
struct FontRequest {
    std::vector<std::string> faces;
    int height = 0;
    int weight = 0;
    int charset = 0;

    bool operator==(const FontRequest &) const = default;
};

// The drawing steps, executed in order by each front end with its own graphics API.
struct FillRect { // no outline
    Rect rect;
    Colour colour;
};
struct DrawLabel { // in the picture's font, black on a transparent background
    std::string text;
    Point topLeft;
};
struct DrawSquareImage {
    SquareImage image;
    Rect rect;
};
struct StrokeRect { // an outline only, centred on the rectangle's edge
    Rect rect;
    Colour colour;
    int penWidth = 1;
};
using DrawCommand = std::variant<FillRect, DrawLabel, DrawSquareImage, StrokeRect>;

struct BoardPicture {
    FontRequest labelFont;
    std::vector<DrawCommand> commands;
};

// The whole picture: background, coordinate labels, the 64 squares, their outlines and
// the frame on `cursor` (red after a move, blue on a picked-up piece, none when idle).
BoardPicture renderBoard(const Board &board, Square cursor, SelectionState selection);

} // namespace chess
