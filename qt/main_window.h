#pragma once

#include "app/game_state.h"
#include "app/menu_commands.h"
#include "qt/qt_desktop.h"

#include <QMainWindow>

#include <utility>
#include <vector>

class QLabel;

namespace chess::ui {

class BoardWidget;

// The program's one window: the File menu, the board picture and the status bar over the one
// game state.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    MainWindow();

private:
    // Whatever the core changed, the record commands are offered only while it allows them.
    void updateCommands();

    GameState state_;
    QLabel *status_;
    BoardWidget *board_;
    QtDesktop desktop_;
    std::vector<std::pair<CommandId, QAction *>> commands_;
};

} // namespace chess::ui
