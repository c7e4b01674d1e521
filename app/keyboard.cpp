#include "app/keyboard.h"

#include "app/clock_commands.h"
#include "app/move_controller.h"

#include <algorithm>
#include <utility>

namespace chess {
namespace {

void moveTo(GameState &state, Square square)
{
    state.keyboard.square = {std::clamp(square.file, 0, 7), std::clamp(square.row, 0, 7)};
}

} // namespace

void onKey(GameState &state, Desktop &desktop, Key key)
{
    KeyboardCursor &keyboard = state.keyboard;
    keyboard.typedFile.reset();
    // T only asks for the times: it brings up no mark on the board.
    if (key != Key::T)
        keyboard.used = true;
    const Square at = keyboard.square;
    switch (key) {
    case Key::Left: moveTo(state, {at.file - 1, at.row}); break;
    case Key::Right: moveTo(state, {at.file + 1, at.row}); break;
    case Key::Up: moveTo(state, {at.file, at.row - 1}); break;
    case Key::Down: moveTo(state, {at.file, at.row + 1}); break;
    case Key::Home: moveTo(state, {0, at.row}); break;
    case Key::End: moveTo(state, {7, at.row}); break;
    case Key::PageUp: moveTo(state, {at.file, 0}); break;
    case Key::PageDown: moveTo(state, {at.file, 7}); break;
    case Key::Enter:
    case Key::Space: onLeftDoubleClick(state, desktop, squareCentre(at)); break;
    case Key::Escape: onCancel(state, desktop); break;
    case Key::T: speakClock(state, desktop); break;
    }
}

bool onTypedCharacter(GameState &state, char character)
{
    KeyboardCursor &keyboard = state.keyboard;
    const std::optional<int> file = std::exchange(keyboard.typedFile, std::nullopt);
    if (character >= 'A' && character <= 'H')
        character = static_cast<char>(character - 'A' + 'a');
    if (character >= 'a' && character <= 'h') {
        keyboard.typedFile = character - 'a';
        keyboard.used = true;
        return true;
    }
    if (!file || character < '1' || character > '8')
        return false;
    moveTo(state, {*file, '8' - character});
    return true;
}

} // namespace chess
