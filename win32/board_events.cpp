#include "win32/board_events.h"

#include "win32/board_accessible.h"

namespace chess::win32 {
namespace {

std::optional<Square> selectedSquare(const GameState &state)
{
    if (state.selectionState != SelectionState::PieceSelected)
        return std::nullopt;
    return state.selectedFrom;
}

void notify(DWORD event, HWND window, Square square)
{
    NotifyWinEvent(event, window, OBJID_CLIENT, cellId(square));
}

} // namespace

BoardEvents::BoardEvents(const GameState &state) : board_(state.board), selected_(selectedSquare(state)) {}

void BoardEvents::notifyChanges(HWND window, const GameState &state)
{
    // Put back or moved: the old selection goes before anything is renamed.
    const std::optional<Square> selected = selectedSquare(state);
    if (selected_ && selected_ != selected)
        notify(EVENT_OBJECT_SELECTIONREMOVE, window, *selected_);
    for (int file = 0; file < 8; ++file)
        for (int row = 0; row < 8; ++row)
            if (const Square square{file, row}; board_[square] != state.board[square])
                notify(EVENT_OBJECT_NAMECHANGE, window, square);
    if (selected && selected != selected_)
        notify(EVENT_OBJECT_SELECTION, window, *selected);
    board_ = state.board;
    selected_ = selected;
}

void BoardEvents::notifyFocus(HWND window, Square square) { notify(EVENT_OBJECT_FOCUS, window, square); }

} // namespace chess::win32
