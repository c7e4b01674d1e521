#pragma once

#include <QWidget>

namespace chess::ui {

// Hands lines to the screen reader without showing them: an invisible widget whose
// accessible role is a notification, shown anew for each line. Screen readers of Qt 6.4's
// time stay silent when a label's text changes, but speak a notification that shows; the
// visible status label keeps its own texts.
class Announcer : public QWidget {
    Q_OBJECT

public:
    explicit Announcer(QWidget *parent);

    void announce(const QString &line);
};

} // namespace chess::ui
