#pragma once

#include "view/board_picture.h"

#include <QImage>
#include <QWidget>

#include <array>

class QPainter;

namespace chess::ui {

// The 26 square images embedded in the program, loaded at a pixel scale when first needed:
// the plain art at 1x, the @2x art on denser screens.
class SquareArt {
public:
    const QImage &image(SquareImage image, qreal devicePixelRatio);

private:
    std::array<std::array<QImage, 26>, 2> images_;
};

// Runs the picture's drawing steps on `painter`, whose device has `devicePixelRatio` device
// pixels to the picture pixel.
void paintPicture(QPainter &painter, const BoardPicture &picture, SquareArt &art, qreal devicePixelRatio);

// The same steps on a new image of the picture's size.
QImage composePicture(const BoardPicture &picture, SquareArt &art, qreal devicePixelRatio);

// Shows the board picture and reports the double-clicks on it.
class BoardWidget : public QWidget {
    Q_OBJECT

public:
    explicit BoardWidget(QWidget *parent = nullptr);

    // Repaints with `picture`.
    void setPicture(BoardPicture picture);
    // The picture as the widget paints it, at the screen's pixel scale.
    QImage composedImage() const { return composePicture(picture_, art_, devicePixelRatioF()); }

signals:
    // Where the cursor is, in this widget's pixels, when the double-click is handled.
    void leftDoubleClicked(QPoint cursor);
    void rightDoubleClicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    BoardPicture picture_;
    mutable SquareArt art_;
};

} // namespace chess::ui
