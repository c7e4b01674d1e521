#include "qt/main_window.h"

#include "app/clock_commands.h"
#include "app/history_commands.h"
#include "app/keyboard.h"
#include "app/move_controller.h"
#include "app/texts.h"
#include "qt/announcer.h"
#include "qt/board_widget.h"
#include "qt/embedded_art.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>

namespace chess::ui {
namespace {

QIcon programIcon()
{
    // Every file there is one size of the icon. A name filter would cost a regular expression
    // engine at start.
    QIcon icon;
    const QDir icons(QStringLiteral(":/icons"));
    for (const QString &name : icons.entryList(QDir::Files))
        icon.addPixmap(QPixmap::fromImage(readEmbeddedPng(icons.filePath(name))));
    return icon;
}

} // namespace

MainWindow::MainWindow(const std::filesystem::path &historyFile)
    : status_(new QLabel(toQString(texts::ready))), clock_(new QLabel), board_(new BoardWidget(state_)),
      announcer_(new Announcer(statusBar())),
      desktop_(*this, *status_, *clock_, *board_, *announcer_, state_, historyFile)
{
    setWindowTitle(QStringLiteral("Chess"));
    setWindowIcon(programIcon());
    startHistoryFromFile(state_, historyFile);

    addMenu(fileMenuCaption, fileMenuItems());
    addMenu(gameMenuCaption, gameMenuItems());

    // A permanent widget, because the menu's status tips would wipe a status-bar message.
    status_->setObjectName(QStringLiteral("status"));
    statusBar()->addPermanentWidget(status_, 1);
    // At the right of the status text, shown only while a clock is set.
    clock_->setObjectName(QStringLiteral("clock"));
    statusBar()->addPermanentWidget(clock_);
    clock_->hide();
    statusBar()->setSizeGripEnabled(false);
    connect(&desktop_.clockTimer(), &QTimer::timeout, this, &MainWindow::tickClock);

    board_->setAccessibleName(QStringLiteral("board"));
    setCentralWidget(board_);
    connect(board_, &BoardWidget::leftDoubleClicked, this, [this](QPoint cursor) {
        onLeftDoubleClick(state_, desktop_, Point{cursor.x(), cursor.y()});
        followGame();
    });
    connect(board_, &BoardWidget::rightDoubleClicked, this, [this] {
        onCancel(state_, desktop_);
        followGame();
    });
    connect(board_, &BoardWidget::keyPressed, this, [this](Key key) {
        onKey(state_, desktop_, key);
        followGame();
    });

    setFixedSize(pictureWidth, pictureHeight);
    desktop_.requestRedraw();
    followGame();
    board_->setFocus();
}

void MainWindow::addMenu(std::string_view caption, std::span<const MenuItem> items)
{
    QMenu *menu = menuBar()->addMenu(toQString(caption));
    for (const MenuItem &item : items) {
        if (!item.command) {
            menu->addSeparator();
            continue;
        }
        QAction *action = menu->addAction(toQString(item.caption));
        QList<QKeySequence> keys;
        for (const std::string_view shortcut : {item.shortcut, item.alternativeShortcut})
            if (!shortcut.empty())
                keys << QKeySequence(toQString(shortcut));
        action->setShortcuts(keys);
        const CommandId id = *item.command;
        connect(action, &QAction::triggered, this, [this, id] {
            dispatchCommand(state_, desktop_, static_cast<int>(id));
            followGame();
        });
        commands_.emplace_back(id, action);
    }
}

void MainWindow::followGame()
{
    for (const auto &[id, action] : commands_) {
        action->setEnabled(isCommandEnabled(state_, id));
        action->setText(toQString(commandCaption(state_, id)));
    }
    board_->followGame();
}

void MainWindow::tickClock()
{
    const bool wasOver = state_.gameOver;
    onClockTick(state_, desktop_, QApplication::activeModalWidget() != nullptr);
    if (state_.gameOver != wasOver)
        followGame();
}

} // namespace chess::ui
