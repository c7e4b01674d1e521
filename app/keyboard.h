#pragma once

#include "app/desktop.h"
#include "app/game_state.h"

namespace chess {

// The keys the board answers, whatever the toolkit calls them. A front end maps its own key
// codes onto these (Return and the keypad's Enter both to Enter) and leaves every other key,
// and every key with Alt or Ctrl, to its window so the menu keeps its shortcuts.
enum class Key { Left, Right, Up, Down, Home, End, PageUp, PageDown, Enter, Space, Escape, T };

// Moves or acts on the keyboard square. Arrows step one square and stop at the edges; Home
// and End go to file a and h, Page Up and Page Down to rank 8 and rank 1. Enter and Space
// are a left double-click on the keyboard square, Escape a right double-click. T says both
// players' times when a clock is set, and leaves the keyboard square alone. The keyboard
// square is no part of the composed picture: the front end marks it and tells the screen
// reader when it moved.
void onKey(GameState &state, Desktop &desktop, Key key);

// A typed character: a file letter (either case) and then a rank digit jump to that square,
// "e" then "4" to e4. Returns false for a character the board does not take, which the
// window may use; any character but the awaited digit forgets a pending letter.
bool onTypedCharacter(GameState &state, char character);

} // namespace chess
