#pragma once

#include "app/desktop.h"
#include "app/game_state.h"

namespace chess {

// The players' clock as the desktop works it. Every call takes the time from the desktop's
// monotonic clock; each change ends by showing the clock's face (Desktop::showClock).

// The desktop's timer, when the last face asked for it. Counts the running side's time:
// the one-minute and ten-second warnings are spoken once each, and a flag that has fallen
// ends the game as a king capture would, with a beep. While one of the desktop's modal calls
// is open (`insideModal`: a timer fires in a modal window's loop too) the game waits for its
// answer, so only the face is shown.
void onClockTick(GameState &state, Desktop &desktop, bool insideModal = false);

// The game menu's clock commands: the dialog, which sets both sides to full time whatever
// is chosen (the clock starts with the next move); and stopping and restarting the clock.
void chooseClock(GameState &state, Desktop &desktop);
void togglePause(GameState &state, Desktop &desktop);

// The T key: both times in words. Nothing without a clock.
void speakClock(const GameState &state, Desktop &desktop);

// Counts the clock up to a gesture's time; when the flag has fallen by then, ends the game
// on time and returns false, and the gesture does nothing more.
bool clockAllowsGesture(GameState &state, Desktop &desktop);

// The side to move ran out of time (its flag has fallen at the last count): the game is over
// and the opponent has won.
void endOnTime(GameState &state, Desktop &desktop);

// Hands the clock's face as it is now to the desktop.
void showClock(const GameState &state, Desktop &desktop);

} // namespace chess
