#pragma once

#include "app/game_state.h"
#include "view/pixel_scale.h"

#include <windows.h>

#include <optional>

namespace chess::win32 {

// A square's child id in the board's accessible table: 1 for a8 to 64 for h1, in reading
// order, as a screen reader lists the cells.
constexpr LONG cellId(Square s) { return s.row * 8 + s.file + 1; }

class BoardObject;

// The board as Windows screen readers see it (MSAA): a table "Chess board" of 64 cells,
// each named as the core speaks the square ("e4, white pawn"), the keyboard square focused
// while the window has the focus, the picked-up piece selected. The COM object is made on
// the first request, so a program nobody reads with a screen reader never loads COM. Cells
// are placed and hit in device pixels, at the window's current `scale`.
class AccessibleBoard {
public:
    AccessibleBoard(HWND window, const GameState &state, const PixelScale &scale)
        : window_(window), state_(state), scale_(scale)
    {
    }
    AccessibleBoard(const AccessibleBoard &) = delete;
    AccessibleBoard &operator=(const AccessibleBoard &) = delete;
    // Cuts the object off from the game: a screen reader that still holds it gets errors
    // from then on, never a read of the freed game.
    ~AccessibleBoard();

    // The answer to WM_GETOBJECT for the client area, or nullopt when the accessibility
    // libraries are missing and the window should answer as a plain one.
    std::optional<LRESULT> answer(WPARAM wParam);

private:
    HWND window_;
    const GameState &state_;
    const PixelScale &scale_;
    BoardObject *object_ = nullptr;
};

} // namespace chess::win32
