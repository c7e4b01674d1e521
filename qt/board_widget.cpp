#include "qt/board_widget.h"

#include "qt/embedded_art.h"

#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRegion>
#include <QTimer>

namespace chess::ui {
namespace {

QColor toQColor(Colour colour) { return QColor(colour.red, colour.green, colour.blue); }

// Fills the band `width` pixels wide just inside `outer`.
void fillBand(QPainter &painter, const QRect &outer, int width, QColor colour)
{
    const QRect inner = outer.adjusted(width, width, -width, -width);
    for (const QRect &part : QRegion(outer).subtracted(QRegion(inner)))
        painter.fillRect(part, colour);
}

QFont labelFont(const FontRequest &request)
{
    QStringList families;
    for (const std::string &face : request.faces)
        families << QString::fromStdString(face);
    QFont font;
    font.setFamilies(families);
    font.setStyleHint(QFont::Serif);
    font.setPixelSize(request.height);
    // Qt's weights use the same 100-900 scale (600 is DemiBold).
    font.setWeight(static_cast<QFont::Weight>(request.weight));
    // The labels are ASCII letters and digits, which every face has: no other face need be
    // looked up to fill in missing characters, a search through every installed font.
    font.setStyleStrategy(QFont::NoFontMerging);
    return font;
}

// Executes one drawing step each.
struct StepPainter {
    QPainter &painter;
    SquareArt &art;
    qreal devicePixelRatio;

    void operator()(const FillRect &step) const
    {
        painter.fillRect(toQRect(step.rect), toQColor(step.colour));
    }

    void operator()(const DrawLabel &step) const
    {
        const QRect cell(QPoint(step.topLeft.x, step.topLeft.y), QSize(pictureWidth, pictureHeight));
        painter.drawText(cell, Qt::AlignLeft | Qt::AlignTop, QString::fromStdString(step.text));
    }

    void operator()(const DrawSquareImage &step) const
    {
        const SquareArt::Piece piece = art.image(step.image, devicePixelRatio);
        painter.drawImage(toQRect(step.rect), piece.sheet, piece.source);
    }

    void operator()(const StrokeRect &step) const
    {
        // The pen is centred on the outline, whose one-pixel line covers left to right - 1.
        // Filling the band instead of stroking keeps every pixel exact at any whole scale.
        const int before = (step.penWidth - 1) / 2;
        const int after = step.penWidth / 2;
        const QRect line = toQRect(step.rect).adjusted(0, 0, -1, -1);
        fillBand(painter, line.adjusted(-before, -before, after + 1, after + 1), step.penWidth,
                 toQColor(step.colour));
    }
};

constexpr int focusMarkWidth = 3;

// Keys with Alt, Ctrl or Meta belong to the window: the menu's Alt+F and its mnemonics.
bool isWindowKey(const QKeyEvent &event)
{
    return event.modifiers().testAnyFlags(Qt::AltModifier | Qt::ControlModifier | Qt::MetaModifier);
}

std::optional<Key> boardKey(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_Left: return Key::Left;
    case Qt::Key_Right: return Key::Right;
    case Qt::Key_Up: return Key::Up;
    case Qt::Key_Down: return Key::Down;
    case Qt::Key_Home: return Key::Home;
    case Qt::Key_End: return Key::End;
    case Qt::Key_PageUp: return Key::PageUp;
    case Qt::Key_PageDown: return Key::PageDown;
    case Qt::Key_Return:
    case Qt::Key_Enter: return Key::Enter;
    case Qt::Key_Space: return Key::Space;
    case Qt::Key_Escape: return Key::Escape;
    case Qt::Key_T: return Key::T;
    default: return std::nullopt;
    }
}

// The one character a key types, if it is ASCII.
std::optional<char> typedCharacter(const QString &text)
{
    if (text.size() != 1 || text[0].unicode() >= 0x80)
        return std::nullopt;
    return static_cast<char>(text[0].unicode());
}

} // namespace

SquareArt::Piece SquareArt::image(SquareImage image, qreal devicePixelRatio)
{
    const int scale = devicePixelRatio > 1 ? 2 : 1;
    QImage &sheet = sheets_[scale - 1];
    if (sheet.isNull()) {
        sheet = readEmbeddedPng(scale == 2 ? QStringLiteral(":/web/squares@2x.png")
                                           : QStringLiteral(":/web/squares.png"));
        sheet.setDevicePixelRatio(scale);
    }
    const int side = squareSize * scale;
    return {sheet, QRect((imageResourceId(image) - 400) / 100 * side, 0, side, side)};
}

void paintPicture(QPainter &painter, const BoardPicture &picture, SquareArt &art, qreal devicePixelRatio)
{
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setFont(labelFont(picture.labelFont));
    painter.setPen(Qt::black);
    const StepPainter step{painter, art, devicePixelRatio};
    for (const DrawCommand &command : picture.commands)
        std::visit(step, command);
}

QImage composePicture(const BoardPicture &picture, SquareArt &art, qreal devicePixelRatio)
{
    QImage image(QSize(pictureWidth, pictureHeight) * devicePixelRatio, QImage::Format_RGB32);
    image.setDevicePixelRatio(devicePixelRatio);
    QPainter painter(&image);
    paintPicture(painter, picture, art, devicePixelRatio);
    return image;
}

BoardWidget::BoardWidget(GameState &game, QWidget *parent)
    : QWidget(parent), game_(game), told_(snapshotOf(game))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    installBoardAccessibility();
}

void BoardWidget::setPicture(BoardPicture picture)
{
    picture_ = std::move(picture);
    update();
}

void BoardWidget::paintEvent(QPaintEvent *)
{
    // Straight into the window's own buffer, at the pixel scale of the screen it is on now: a
    // picture kept beside that buffer would be a second copy of it.
    QPainter painter(this);
    paintPicture(painter, picture_, art_, devicePixelRatioF());
    // Over the picture, never in it: a mouse player's board stays exactly as it was.
    if (game_.keyboard.used && hasFocus())
        fillBand(painter, toQRect(focusMarkRect(game_.keyboard.square)), focusMarkWidth,
                 toQColor(focusMarkColour));
}

void BoardWidget::followGame()
{
    update();
    const BoardSnapshot now = snapshotOf(game_);
    notifyBoardChanges(*this, told_, now);
    told_ = now;
}

void BoardWidget::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The square is taken where the cursor is now, not where the click was queued.
    if (event->button() == Qt::LeftButton)
        emit leftDoubleClicked(mapFromGlobal(QCursor::pos()));
    else if (event->button() == Qt::RightButton)
        emit rightDoubleClicked();
}

void BoardWidget::keyPressEvent(QKeyEvent *event)
{
    if (isWindowKey(*event)) {
        QWidget::keyPressEvent(event);
    } else if (const std::optional<Key> key = boardKey(event->key())) {
        emit keyPressed(*key);
    } else if (const std::optional<char> typed = typedCharacter(event->text());
               typed && onTypedCharacter(game_, *typed)) {
        followGame();
    } else {
        QWidget::keyPressEvent(event);
    }
}

void BoardWidget::focusInEvent(QFocusEvent *event)
{
    if (event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason)
        game_.keyboard.used = true;
    QWidget::focusInEvent(event);
    QTimer::singleShot(0, this, [this] { notifyCellFocus(*this); });
}

} // namespace chess::ui
