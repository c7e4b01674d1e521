// The least a Qt program does to show a window like the chess board's: a fixed 400 x 470
// window with the File menu, a status bar and 64 squares painted on the board's background.
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QPainter>
#include <QStatusBar>

namespace {

class Board : public QWidget {
protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), QColor(200, 255, 255));
        for (int row = 0; row < 8; ++row)
            for (int file = 0; file < 8; ++file)
                painter.fillRect(40 + 40 * file, 20 + 40 * row, 40, 40,
                                 (file + row) % 2 ? QColor(0, 140, 0) : QColor(255, 255, 255));
    }
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Chess"));
    QMenu *menu = window.menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    for (const char *item : {"盤面の初期化(&R)", "盤面の保存(&F)", "盤面データを開く", "", "棋譜を見る(&P)",
                             "棋譜の保存(&R)", "棋譜をコピー", "", "終了(&X)"}) {
        if (*item)
            menu->addAction(QString::fromUtf8(item));
        else
            menu->addSeparator();
    }
    window.statusBar()->showMessage(QStringLiteral("Ready"));
    window.setCentralWidget(new Board);
    window.setFixedSize(400, 470);
    window.show();
    return app.exec();
}
