#include "qt/board_accessible.h"

#include "app/speech.h"
#include "qt/board_widget.h"
#include "qt/qt_desktop.h"
#include "view/board_geometry.h"

#include <QPointer>
#include <QWindow>

namespace chess::ui {
namespace {

constexpr int cellIndex(Square s) { return s.row * 8 + s.file; }
constexpr Square cellSquare(int index) { return {index % 8, index / 8}; }

// One square. It has no object of its own: the board widget answers for all 64.
class CellAccessible : public QAccessibleInterface {
public:
    CellAccessible(BoardWidget *board, Square square) : board_(board), square_(square) {}

    bool isValid() const override { return !board_.isNull(); }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return board_->window()->windowHandle(); }
    QAccessibleInterface *parent() const override { return QAccessible::queryAccessibleInterface(board_); }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QAccessible::Role role() const override { return QAccessible::Cell; }
    void setText(QAccessible::Text, const QString &) override {}

    QString text(QAccessible::Text kind) const override
    {
        if (kind != QAccessible::Name)
            return {};
        return toQString(speech::squareWords(board_->game().board, square_));
    }

    // In screen pixels, as assistive technology measures.
    QRect rect() const override
    {
        const QRect local = toQRect(squareRect(square_));
        return QRect(board_->mapToGlobal(local.topLeft()), local.size());
    }

    QAccessible::State state() const override
    {
        const GameState &game = board_->game();
        QAccessible::State state;
        state.focusable = true;
        state.selectable = true;
        state.focused = board_->hasFocus() && game.keyboard.square == square_;
        state.selected = game.selectionState == SelectionState::PieceSelected && game.selectedFrom == square_;
        state.invisible = !board_->isVisible();
        return state;
    }

private:
    QPointer<BoardWidget> board_;
    Square square_;
};

QAccessibleInterface *boardFactory(const QString &, QObject *object)
{
    if (auto *board = qobject_cast<BoardWidget *>(object))
        return new BoardAccessible(board);
    return nullptr;
}

void notify(BoardWidget &board, QAccessible::Event type, Square square)
{
    QAccessibleEvent event(&board, type);
    event.setChild(cellIndex(square));
    QAccessible::updateAccessibility(&event);
}

} // namespace

BoardAccessible::BoardAccessible(BoardWidget *board) : QAccessibleWidget(board, QAccessible::Table)
{
    for (int index = 0; index < static_cast<int>(cells_.size()); ++index)
        cells_[index] =
            QAccessible::registerAccessibleInterface(new CellAccessible(board, cellSquare(index)));
}

BoardAccessible::~BoardAccessible()
{
    for (const QAccessible::Id id : cells_)
        QAccessible::deleteAccessibleInterface(id);
}

int BoardAccessible::childCount() const { return static_cast<int>(cells_.size()); }

QAccessibleInterface *BoardAccessible::child(int index) const
{
    if (index < 0 || index >= childCount())
        return nullptr;
    return QAccessible::accessibleInterface(cells_[index]);
}

int BoardAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    for (int index = 0; index < childCount(); ++index)
        if (QAccessible::accessibleInterface(cells_[index]) == child)
            return index;
    return -1;
}

QAccessibleInterface *BoardAccessible::childAt(int x, int y) const
{
    const QPoint local = widget()->mapFromGlobal(QPoint(x, y));
    const std::optional<Square> square = hitTestBoard({local.x(), local.y()});
    return square ? child(cellIndex(*square)) : nullptr;
}

QAccessibleInterface *BoardAccessible::focusChild() const
{
    if (!widget()->hasFocus())
        return nullptr;
    return child(cellIndex(static_cast<const BoardWidget *>(widget())->game().keyboard.square));
}

void installBoardAccessibility() { QAccessible::installFactory(boardFactory); }

BoardSnapshot snapshotOf(const GameState &state)
{
    BoardSnapshot snapshot{state.board, state.keyboard.square, std::nullopt};
    if (state.selectionState == SelectionState::PieceSelected)
        snapshot.selected = state.selectedFrom;
    return snapshot;
}

void notifyBoardChanges(BoardWidget &board, const BoardSnapshot &before, const BoardSnapshot &now)
{
    for (int index = 0; index < 64; ++index) {
        const Square square = cellSquare(index);
        if (before.board[square] != now.board[square])
            notify(board, QAccessible::NameChanged, square);
    }
    if (before.selected != now.selected) {
        if (before.selected)
            notify(board, QAccessible::SelectionRemove, *before.selected);
        if (now.selected)
            notify(board, QAccessible::SelectionAdd, *now.selected);
    }
    if (before.keyboard != now.keyboard)
        notifyCellFocus(board);
}

void notifyCellFocus(BoardWidget &board)
{
    if (board.hasFocus())
        notify(board, QAccessible::Focus, board.game().keyboard.square);
}

} // namespace chess::ui
