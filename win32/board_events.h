#pragma once

#include "app/game_state.h"

#include <windows.h>

#include <optional>

namespace chess::win32 {

// Tells screen readers what changed on the accessible board since they were last told: the
// cells whose piece changed are renamed, the picked-up piece is selected and then
// deselected. Windows sends these events only to programs that listen, so telling costs
// nothing without a screen reader.
class BoardEvents {
public:
    explicit BoardEvents(const GameState &state);

    // After each redraw, which follows every change of the pieces or the selection.
    void notifyChanges(HWND window, const GameState &state);

    // The keyboard square's cell took the focus.
    static void notifyFocus(HWND window, Square square);

private:
    Board board_;
    std::optional<Square> selected_;
};

} // namespace chess::win32
