#pragma once

#include "app/game_state.h"
#include "app/menu_commands.h"
#include "qt/qt_desktop.h"

#include <QMainWindow>

#include <filesystem>
#include <span>
#include <string_view>

#include <utility>
#include <vector>

class QLabel;

namespace chess::ui {

class Announcer;
class BoardWidget;

// The program's one window: the File and game menus, the board picture and the status bar
// (the status text, and the clock while one is set) over the one game state.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    // The game's history is kept in `historyFile` and resumed from it; with no file, the
    // run keeps its history to itself.
    explicit MainWindow(const std::filesystem::path &historyFile = {});

private:
    // After every gesture and command: the record commands are offered only while the core
    // allows them, and the board shows and tells what changed.
    void followGame();
    void addMenu(std::string_view caption, std::span<const MenuItem> items);
    void tickClock();

    GameState state_;
    QLabel *status_;
    QLabel *clock_;
    BoardWidget *board_;
    Announcer *announcer_;
    QtDesktop desktop_;
    std::vector<std::pair<CommandId, QAction *>> commands_;
};

} // namespace chess::ui
