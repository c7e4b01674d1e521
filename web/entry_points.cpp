// What the page calls: one function per gesture or menu action, exported to site/app.js.
// Each one runs the core and then brings the page's controls up to date.

#include "app/keyboard.h"
#include "app/menu_commands.h"
#include "app/move_controller.h"
#include "app/texts.h"
#include "web/gesture_runner.h"
#include "web/web_desktop.h"

#include <emscripten/emscripten.h>

#include <array>
#include <cstdio>

// clang-format off
EM_JS(void, pagePlaceBoard, (int left, int top, int size, int width, int height), {
    chessPage.placeBoard(left, top, size, width, height);
});
EM_JS(void, pageSetMenuCaption, (const char *caption, int size), {
    chessPage.setMenuCaption(UTF8ToString(caption, size));
});
EM_JS(void, pageAddMenuItem, (int command, const char *caption, int size), {
    chessPage.addMenuItem(command, UTF8ToString(caption, size));
});
// clang-format on

namespace chess::web {
namespace {

// The one game of the page, alive as long as the page.
struct Program {
    GameState state;
    WebDesktop desktop{state};
    GestureRunner gestures{state, desktop};
};

Program &program()
{
    static Program instance;
    return instance;
}

void play(GestureRunner::Gesture gesture)
{
    program().gestures.run(std::move(gesture));
    program().desktop.showControls();
}

// The page's keys in the order of its key table (site/app.js).
constexpr std::array<Key, 11> pageKeys = {Key::Left,  Key::Right, Key::Up,     Key::Down,
                                          Key::Home,  Key::End,   Key::PageUp, Key::PageDown,
                                          Key::Enter, Key::Space, Key::Escape};

bool writeWholeFile(const char *path, const char *bytes, int size)
{
    std::FILE *file = std::fopen(path, "wb");
    if (!file)
        return false;
    const bool written =
        std::fwrite(bytes, 1, static_cast<std::size_t>(size), file) == static_cast<std::size_t>(size);
    return std::fclose(file) == 0 && written;
}

} // namespace
} // namespace chess::web

using namespace chess;
using namespace chess::web;

extern "C" {

// Lays the accessible grid over the board, builds the File menu (a command of 0 is a
// separator) and shows the opening board.
EMSCRIPTEN_KEEPALIVE void chess_start()
{
    pagePlaceBoard(boardLeft, boardTop, 8 * squareSize, pictureWidth, pictureHeight);
    pageSetMenuCaption(fileMenuCaption.data(), static_cast<int>(fileMenuCaption.size()));
    for (const MenuItem &item : fileMenuItems())
        pageAddMenuItem(item.command ? static_cast<int>(*item.command) : 0, item.caption.data(),
                        static_cast<int>(item.caption.size()));
    program().desktop.setStatusText(texts::ready);
    program().desktop.requestRedraw();
    program().desktop.showControls();
}

// A left double-click at a point of the 400 x 470 picture.
EMSCRIPTEN_KEEPALIVE void chess_double_click(int x, int y)
{
    play([x, y](GameState &state, Desktop &desktop) { onLeftDoubleClick(state, desktop, {x, y}); });
}

// A right double-click.
EMSCRIPTEN_KEEPALIVE void chess_cancel()
{
    play([](GameState &state, Desktop &desktop) { onCancel(state, desktop); });
}

// A key of the board's table, by its position in pageKeys.
EMSCRIPTEN_KEEPALIVE void chess_key(int index)
{
    if (index < 0 || index >= static_cast<int>(pageKeys.size()))
        return;
    const Key key = pageKeys[static_cast<std::size_t>(index)];
    play([key](GameState &state, Desktop &desktop) { onKey(state, desktop, key); });
}

// A typed character; nonzero when the board took it.
EMSCRIPTEN_KEEPALIVE int chess_typed_character(int character)
{
    const bool taken = onTypedCharacter(program().state, static_cast<char>(character));
    program().desktop.showControls();
    return taken;
}

EMSCRIPTEN_KEEPALIVE void chess_promotion_chosen(int choice)
{
    program().gestures.promotionChosen(choice);
    program().desktop.showControls();
}

// A File menu command by its number.
EMSCRIPTEN_KEEPALIVE void chess_command(int command)
{
    dispatchCommand(program().state, program().desktop, command);
    program().desktop.deliverDownload();
    program().desktop.showControls();
}

// Opens the bytes of a file the player chose as a position. The page passes null when it could
// not hold the file, which the core then reports as a file that did not open.
EMSCRIPTEN_KEEPALIVE void chess_open_position(const char *bytes, int size)
{
    constexpr const char *path = "/opened.fen";
    std::remove(path);
    if (bytes)
        writeWholeFile(path, bytes, size);
    program().desktop.presetOpenFile(path);
    chess_command(static_cast<int>(CommandId::OpenPosition));
    std::remove(path);
}

// Draws the picture again, as on a change of the screen's pixel density.
EMSCRIPTEN_KEEPALIVE void chess_redraw() { program().desktop.requestRedraw(); }
}
