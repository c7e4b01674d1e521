#pragma once

#include "app/game_state.h"

#include <QAccessibleWidget>

#include <array>
#include <optional>

namespace chess::ui {

class BoardWidget;

// The board as assistive technology sees it: a table of 64 cells, rank 8 first and a to h in
// each rank, each named by what stands on it ("e4, white pawn"). A cell is focused where the
// keyboard square is while the board has the focus, and selected where the picked-up piece
// stands. There is deliberately no table interface: with one, a screen reader reads the whole
// rank on every Up and Down, and the square the player went to is lost in it.
class BoardAccessible : public QAccessibleWidget {
public:
    explicit BoardAccessible(BoardWidget *board);
    // The cells are registered with Qt once, so that their ids stay the same; they go with
    // the board.
    ~BoardAccessible() override;

    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QAccessibleInterface *childAt(int x, int y) const override;
    QAccessibleInterface *focusChild() const override;

private:
    std::array<QAccessible::Id, 64> cells_;
};

// Makes every BoardWidget answer with a BoardAccessible. Safe to call more than once.
void installBoardAccessibility();

// What assistive technology was last told about the board.
struct BoardSnapshot {
    Board board;
    Square keyboard;
    std::optional<Square> selected; // the picked-up piece
};
BoardSnapshot snapshotOf(const GameState &state);

// Sends the events for what changed between two snapshots: a new name for each square whose
// piece changed, selection added or removed, and the focus on the new keyboard square while
// the board has the focus.
void notifyBoardChanges(BoardWidget &board, const BoardSnapshot &before, const BoardSnapshot &now);

// Focus on the keyboard square's cell. Qt reports the board itself as focused only after its
// focus-in handler has returned, so on entering the board this must wait for the next turn
// of the event loop, or the cell's focus would be overridden by the board's.
void notifyCellFocus(BoardWidget &board);

} // namespace chess::ui
