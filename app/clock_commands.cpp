#include "app/clock_commands.h"

#include "app/move_controller.h"
#include "app/speech.h"

namespace chess {

void onClockTick(GameState &state, Desktop &desktop, bool insideModal)
{
    const Milliseconds now = desktop.monotonicNow();
    if (insideModal) {
        desktop.showClock(clockFace(state, now));
        return;
    }
    if (countTime(state, now)) {
        endOnTime(state, desktop);
        return;
    }
    if (const std::optional<Side> running = runningSide(state))
        if (const std::optional<std::string> warning = dueWarning(state.clock, *running))
            desktop.announce(*warning);
    desktop.showClock(clockFace(state, now));
}

void chooseClock(GameState &state, Desktop &desktop)
{
    const std::optional<TimeControl> chosen = desktop.chooseTimeControl(state.clock.control);
    if (!chosen || !isValidTimeControl(*chosen))
        return;
    state.clock = freshClock(*chosen);
    const ClockFace face = clockFace(state, desktop.monotonicNow());
    desktop.showClock(face);
    desktop.announce(chosen->isOn() ? std::string(speech::clockSet) + face.words
                                    : std::string(speech::clockOff));
}

void togglePause(GameState &state, Desktop &desktop)
{
    if (!state.clock.control.isOn() || !clockAllowsGesture(state, desktop))
        return;
    state.clock.paused = !state.clock.paused;
    showClock(state, desktop);
    desktop.announce(state.clock.paused ? speech::clockPaused : speech::clockResumed);
}

void speakClock(const GameState &state, Desktop &desktop)
{
    if (state.clock.control.isOn())
        desktop.announce(clockFace(state, desktop.monotonicNow()).words);
}

bool clockAllowsGesture(GameState &state, Desktop &desktop)
{
    if (!countTime(state, desktop.monotonicNow()))
        return true;
    endOnTime(state, desktop);
    return false;
}

void endOnTime(GameState &state, Desktop &desktop)
{
    const Side loser = state.sideToMove;
    state.clock.left[sideIndex(loser)] = Milliseconds(0);
    // A piece in the hand goes back, and the frame with it to the last move.
    if (state.selectionState == SelectionState::PieceSelected)
        state.cursorSquare = state.lastMoveTo;
    desktop.beep();
    // Stopped before the win box opens, so the box stands over the final times.
    state.gameOver = true;
    showClock(state, desktop);
    declareWinner(state, desktop, opponent(loser));
    desktop.announce(speech::timeUpWords(loser));
}

void showClock(const GameState &state, Desktop &desktop)
{
    desktop.showClock(clockFace(state, desktop.monotonicNow()));
}

} // namespace chess
