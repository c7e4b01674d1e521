// What the page calls: one function per gesture or menu action, exported to site/app.js.
// Each one runs the core and then brings the page's controls up to date.

#include "app/chess_clock.h"
#include "app/clock_commands.h"
#include "app/history_commands.h"
#include "app/keyboard.h"
#include "app/menu_commands.h"
#include "app/move_controller.h"
#include "app/texts.h"
#include "web/gesture_runner.h"
#include "web/web_desktop.h"

#include <emscripten/emscripten.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <span>
#include <string_view>
#include <utility>

// clang-format off
EM_JS(void, pagePlaceBoard, (int left, int top, int size, int width, int height), {
    chessPage.placeBoard(left, top, size, width, height);
});
EM_JS(void, pageSetMenuCaption, (int menu, const char *caption, int size), {
    chessPage.setMenuCaption(menu, UTF8ToString(caption, size));
});
EM_JS(void, pageAddMenuItem, (int menu, int command, const char *caption, int size, const char *shortcut, int shortcutSize), {
    chessPage.addMenuItem(menu, command, UTF8ToString(caption, size), UTF8ToString(shortcut, shortcutSize));
});
EM_JS(void, pageAddClockChoice, (int index, const char *label, int size), {
    chessPage.addClockChoice(index, UTF8ToString(label, size));
});
EM_JS(void, pageAddOwnClockChoice, (int index, const char *label, int size, const char *minutes, int minutesSize,
                                    const char *seconds, int secondsSize), {
    chessPage.addOwnClockChoice(index, UTF8ToString(label, size), UTF8ToString(minutes, minutesSize),
                                UTF8ToString(seconds, secondsSize));
});
EM_JS(void, pageAskTimeControlAgain, (), { chessPage.askTimeControlAgain(); });
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
constexpr std::array<Key, 12> pageKeys = {Key::Left,  Key::Right, Key::Up,     Key::Down,
                                          Key::Home,  Key::End,   Key::PageUp, Key::PageDown,
                                          Key::Enter, Key::Space, Key::Escape, Key::T};

int sizeOf(std::string_view text) { return static_cast<int>(text.size()); }

// The clock dialog's choices, the players' own last.
void addClockChoices()
{
    for (std::size_t i = 0; i < timeControlChoices.size(); ++i) {
        const std::string label = timeControlLabel(timeControlChoices[i]);
        pageAddClockChoice(static_cast<int>(i), label.data(), sizeOf(label));
    }
    pageAddOwnClockChoice(static_cast<int>(timeControlChoices.size()), texts::ownTimeControl.data(),
                          sizeOf(texts::ownTimeControl), texts::minutesField.data(),
                          sizeOf(texts::minutesField), texts::secondsField.data(),
                          sizeOf(texts::secondsField));
}

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

// Lays the accessible grid over the board, builds the menus (a command of 0 is a separator),
// puts the history the page saved behind the game, and shows the opening board.
EMSCRIPTEN_KEEPALIVE void chess_start(const char *savedHistory, int size)
{
    pagePlaceBoard(boardLeft, boardTop, 8 * squareSize, pictureWidth, pictureHeight);
    const std::array<std::pair<std::string_view, std::span<const MenuItem>>, 2> menus = {
        {{fileMenuCaption, fileMenuItems()}, {gameMenuCaption, gameMenuItems()}}};
    for (int menu = 0; menu < static_cast<int>(menus.size()); ++menu) {
        const auto &[caption, items] = menus[static_cast<std::size_t>(menu)];
        pageSetMenuCaption(menu, caption.data(), static_cast<int>(caption.size()));
        for (const MenuItem &item : items)
            pageAddMenuItem(menu, item.command ? static_cast<int>(*item.command) : 0, item.caption.data(),
                            static_cast<int>(item.caption.size()), item.shortcut.data(),
                            static_cast<int>(item.shortcut.size()));
    }
    addClockChoices();
    startHistory(program().state, savedHistory
                                      ? std::string_view(savedHistory, static_cast<std::size_t>(size))
                                      : std::string_view());
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

// A menu command by its number.
EMSCRIPTEN_KEEPALIVE void chess_command(int command)
{
    dispatchCommand(program().state, program().desktop, command);
    program().desktop.deliverDownload();
    program().desktop.showControls();
}

// A key with Ctrl, by its letter (upper case); nonzero when a menu command took it.
EMSCRIPTEN_KEEPALIVE int chess_shortcut(int letter, int shift)
{
    const std::optional<CommandId> command = shortcutCommand(static_cast<char>(letter), shift != 0);
    if (command)
        chess_command(static_cast<int>(*command));
    return command.has_value();
}

// Runs the open command `command` (a position or a PGN file) on the bytes of the file the
// player chose for it. The page passes null when it could not hold the file, which the core
// then reports as a file that did not open.
EMSCRIPTEN_KEEPALIVE void chess_open_file(int command, const char *bytes, int size)
{
    constexpr const char *path = "/opened";
    std::remove(path);
    if (bytes)
        writeWholeFile(path, bytes, size);
    program().desktop.presetOpenFile(path);
    chess_command(command);
    std::remove(path);
}

// The clock's timer. Within one of the page's dialogs (`modal`) the game waits for its answer,
// so only the clock's face is shown.
EMSCRIPTEN_KEEPALIVE void chess_clock_tick(int modal)
{
    onClockTick(program().state, program().desktop, modal != 0);
    program().desktop.showControls(); // a flag that fell ended the game
}

// The clock dialog's answer: one of the choices by its place, or the players' own (the last
// place) with its two fields, -1 for a field that is no number. A control out of range is
// refused with a box over the dialog, which stays open; nonzero when it was taken.
EMSCRIPTEN_KEEPALIVE int chess_choose_clock(int choice, int minutes, int seconds)
{
    const bool own = choice >= static_cast<int>(timeControlChoices.size());
    const TimeControl control = own ? TimeControl{minutes, seconds}
                                    : timeControlChoices[static_cast<std::size_t>(std::max(choice, 0))];
    if (own && (minutes < 1 || !isValidTimeControl(control))) {
        pageAskTimeControlAgain();
        program().desktop.showMessage(texts::badTimeControl, texts::clockCaption);
        return 0;
    }
    program().desktop.presetTimeControl(control);
    chess_command(static_cast<int>(CommandId::ChooseClock));
    return 1;
}

// Draws the picture again, as on a change of the screen's pixel density.
EMSCRIPTEN_KEEPALIVE void chess_redraw() { program().desktop.requestRedraw(); }
}
