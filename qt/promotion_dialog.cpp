#include "qt/promotion_dialog.h"

#include "app/texts.h"
#include "qt/qt_desktop.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include <array>

namespace chess::ui {
namespace {

// A rectangle of the dialog template, in dialog units: a quarter of the dialog font's average
// character width across, an eighth of its height down.
struct TemplateRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

struct TemplateButton {
    const char *text;
    TemplateRect rect;
};

constexpr TemplateRect dialogSize = {0, 0, 175, 98};
constexpr TemplateRect promptRect = {42, 19, 84, 21};
// In the order of the results.
constexpr std::array<TemplateButton, 4> buttons = {{
    {"Queen", {12, 47, 60, 15}},
    {"Rook", {92, 47, 62, 15}},
    {"Bishop", {12, 72, 60, 15}},
    {"Knight", {92, 72, 62, 15}},
}};

// The template names the fixed-pitch FixedSys; IPAGothic is fixed-pitch too and also has the
// prompt's Japanese.
QFont dialogFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("IPAGothic"), QStringLiteral("monospace")});
    font.setStyleHint(QFont::Monospace);
    font.setPointSize(12);
    return font;
}

class DialogUnits {
public:
    explicit DialogUnits(const QFontMetrics &metrics)
        // The average width over the Latin letters, rounded, as dialog units have always used.
        : charWidth_((metrics.horizontalAdvance(
                          QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) /
                          26 +
                      1) /
                     2),
          charHeight_(metrics.height())
    {
    }

    QRect toPixels(TemplateRect rect) const
    {
        return QRect(x(rect.x), y(rect.y), x(rect.width), y(rect.height));
    }

private:
    int x(int units) const { return (units * charWidth_ + 2) / 4; }
    int y(int units) const { return (units * charHeight_ + 4) / 8; }

    int charWidth_;
    int charHeight_;
};

} // namespace

PromotionDialog::PromotionDialog(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(toQString(texts::promotionCaption));
    setFont(dialogFont());
    const DialogUnits units(fontMetrics());
    setFixedSize(units.toPixels(dialogSize).size());

    auto *prompt = new QLabel(toQString(texts::promotionPrompt), this);
    prompt->setWordWrap(true);
    prompt->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    prompt->setGeometry(units.toPixels(promptRect));

    for (int choice = 0; choice < static_cast<int>(buttons.size()); ++choice) {
        auto *button = new QPushButton(QString::fromLatin1(buttons[choice].text), this);
        button->setObjectName(button->text());
        button->setAutoDefault(false);
        button->setGeometry(units.toPixels(buttons[choice].rect));
        connect(button, &QPushButton::clicked, this, [this, choice] { done(choice); });
    }
}

void PromotionDialog::keyPressEvent(QKeyEvent *event)
{
    // The template's default button is an invisible one that chooses the queen, so Enter never
    // presses the focused button.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        done(0);
    else
        QDialog::keyPressEvent(event);
}

} // namespace chess::ui
