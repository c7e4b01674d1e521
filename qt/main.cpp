#include "qt/main_window.h"

#include <QApplication>

#include <cstdlib>
#include <filesystem>

namespace {

// Where the game's history lives between runs: the user's state folder.
std::filesystem::path historyFile()
{
    const char *stateHome = std::getenv("XDG_STATE_HOME");
    const char *home = std::getenv("HOME");
    std::filesystem::path folder;
    if (stateHome && *stateHome == '/')
        folder = stateHome;
    else if (home && *home)
        folder = std::filesystem::path(home) / ".local" / "state";
    else
        return {};
    return folder / "chessboard" / "history";
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    chess::ui::MainWindow window(historyFile());
    window.show();
    return app.exec();
}
