#pragma once

#include "app/game_state.h"
#include "app/keyboard.h"
#include "qt/board_accessible.h"
#include "view/board_picture.h"

#include <QImage>
#include <QWidget>

#include <array>

class QPainter;

namespace chess::ui {

// The 26 square images embedded in the program as one sheet a pixel scale, side by side in
// the order of their resource numbers, read when first needed: the plain art at 1x, the @2x
// art on denser screens. One image to read at start instead of 26.
class SquareArt {
public:
    struct Piece {
        const QImage &sheet; // its device pixel ratio is the art's scale
        QRect source;        // the square's image in the sheet, in the sheet's pixels
    };
    Piece image(SquareImage image, qreal devicePixelRatio);

private:
    std::array<QImage, 2> sheets_;
};

// A picture rectangle (right and bottom exclusive) as Qt's.
inline QRect toQRect(Rect rect)
{
    return QRect(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
}

// Runs the picture's drawing steps on `painter`, whose device has `devicePixelRatio` device
// pixels to the picture pixel.
void paintPicture(QPainter &painter, const BoardPicture &picture, SquareArt &art, qreal devicePixelRatio);

// The same steps on a new image of the picture's size.
QImage composePicture(const BoardPicture &picture, SquareArt &art, qreal devicePixelRatio);

// Shows the board picture and reports the double-clicks and board keys on it. Once the
// keyboard has been used, the keyboard square is marked while the board has the focus.
// Typed squares only move the keyboard square, so the board takes them itself.
class BoardWidget : public QWidget {
    Q_OBJECT

public:
    explicit BoardWidget(GameState &game, QWidget *parent = nullptr);

    // Repaints with `picture`.
    void setPicture(BoardPicture picture);
    // The picture as the widget paints it, at the screen's pixel scale, without the keyboard
    // mark.
    QImage composedImage() const { return composePicture(picture_, art_, devicePixelRatioF()); }
    const GameState &game() const { return game_; }

    // Brings the keyboard mark and what assistive technology knows up to date with the game;
    // the window calls it after every gesture and command.
    void followGame();

signals:
    // Where the cursor is, in this widget's pixels, when the double-click is handled.
    void leftDoubleClicked(QPoint cursor);
    void rightDoubleClicked();
    void keyPressed(chess::Key key);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;

private:
    GameState &game_;
    BoardPicture picture_;
    mutable SquareArt art_;
    BoardSnapshot told_; // what assistive technology was last told
};

} // namespace chess::ui
