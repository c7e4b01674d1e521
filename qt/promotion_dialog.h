#pragma once

#include <QDialog>

namespace chess::ui {

// The modal question for the piece a pawn becomes. exec() gives 0 queen, 1 rook, 2 bishop,
// 3 knight; Enter (whichever button has the focus), Escape and closing give the queen.
class PromotionDialog : public QDialog {
    Q_OBJECT

public:
    explicit PromotionDialog(QWidget *parent);

protected:
    void keyPressEvent(QKeyEvent *event) override;
};

} // namespace chess::ui
