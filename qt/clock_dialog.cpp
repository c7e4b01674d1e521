#include "qt/clock_dialog.h"

#include "app/texts.h"
#include "qt/qt_desktop.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

namespace chess::ui {
namespace {

constexpr int ownChoice = static_cast<int>(timeControlChoices.size());

// A short field for a number of up to three digits, named by the unit after it.
QLineEdit *numberField(QHBoxLayout &row, std::string_view unit, int value)
{
    auto *field = new QLineEdit(QString::number(value));
    field->setMaxLength(3);
    field->setFixedWidth(field->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 12);
    field->setAccessibleName(toQString(unit));
    auto *label = new QLabel(toQString(unit));
    label->setBuddy(field);
    row.addWidget(field);
    row.addWidget(label);
    return field;
}

} // namespace

ClockDialog::ClockDialog(TimeControl current, QWidget *parent)
    : QDialog(parent), choices_(new QButtonGroup(this))
{
    setWindowTitle(toQString(texts::clockCaption));
    auto *layout = new QVBoxLayout(this);
    for (std::size_t i = 0; i < timeControlChoices.size(); ++i) {
        auto *choice = new QRadioButton(toQString(timeControlLabel(timeControlChoices[i])));
        choices_->addButton(choice, static_cast<int>(i));
        layout->addWidget(choice);
    }
    auto *ownRow = new QHBoxLayout;
    auto *own = new QRadioButton(toQString(texts::ownTimeControl));
    choices_->addButton(own, ownChoice);
    ownRow->addWidget(own);
    // The fields start from the control in use, or from the first one offered.
    const TimeControl start = current.isOn() ? current : timeControlChoices[1];
    minutes_ = numberField(*ownRow, texts::minutesField, start.minutes);
    ownRow->addWidget(new QLabel(QStringLiteral("+")));
    seconds_ = numberField(*ownRow, texts::secondsField, start.incrementSeconds);
    ownRow->addStretch();
    layout->addLayout(ownRow);
    for (QLineEdit *field : {minutes_, seconds_})
        connect(field, &QLineEdit::textEdited, own, [own] { own->setChecked(true); });

    const auto *preset = std::find(timeControlChoices.begin(), timeControlChoices.end(), current);
    choices_->button(static_cast<int>(preset - timeControlChoices.begin()))->setChecked(true);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void ClockDialog::accept()
{
    const int choice = choices_->checkedId();
    if (choice != ownChoice) {
        chosen_ = timeControlChoices[static_cast<std::size_t>(choice)];
        QDialog::accept();
        return;
    }
    const std::optional<TimeControl> own =
        customTimeControl(minutes_->text().toStdString(), seconds_->text().toStdString());
    if (!own) {
        QMessageBox box(QMessageBox::NoIcon, toQString(texts::clockCaption), toQString(texts::badTimeControl),
                        QMessageBox::Ok, this);
        box.exec();
        minutes_->setFocus();
        minutes_->selectAll();
        return;
    }
    chosen_ = *own;
    QDialog::accept();
}

} // namespace chess::ui
