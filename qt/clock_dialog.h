#pragma once

#include "app/chess_clock.h"

#include <QDialog>

class QButtonGroup;
class QLineEdit;

namespace chess::ui {

// The clock dialog: the core's time controls as radio buttons with the one in use checked,
// and the players' own with minutes and seconds fields, which typing in checks. OK with a bad
// entry in them says so in a box and keeps the dialog open.
class ClockDialog : public QDialog {
    Q_OBJECT

public:
    ClockDialog(TimeControl current, QWidget *parent);

    // What was chosen, once the dialog was accepted.
    TimeControl chosen() const { return chosen_; }
    void accept() override;

private:
    QButtonGroup *choices_; // ids are places in timeControlChoices; the players' own comes after
    QLineEdit *minutes_;
    QLineEdit *seconds_;
    TimeControl chosen_;
};

} // namespace chess::ui
