#pragma once

#include "app/board.h"

#include <array>
#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace chess {

struct GameState;

// Readings of the desktop's monotonic clock, and spans of time.
using Milliseconds = std::chrono::milliseconds;

// Minutes for each side, and seconds added to the mover's time after each timed move. No
// minutes is no clock, the default.
struct TimeControl {
    int minutes = 0;
    int incrementSeconds = 0;

    constexpr bool isOn() const { return minutes > 0; }
    friend constexpr bool operator==(TimeControl, TimeControl) = default;
};

// The clock dialog's choices, none first; the players' own control follows them.
inline constexpr std::array<TimeControl, 5> timeControlChoices = {
    {{0, 0}, {5, 3}, {10, 0}, {15, 10}, {30, 0}}};
inline constexpr int maxMinutes = 180;
inline constexpr int maxIncrementSeconds = 60;

// "なし", "5分+3秒".
std::string timeControlLabel(TimeControl control);
// No clock, or 1-180 minutes with 0-60 seconds.
bool isValidTimeControl(TimeControl control);
// The players' own control from the dialog's two fields as typed (digits only), or nullopt
// when it is not a valid control.
std::optional<TimeControl> customTimeControl(std::string_view minutes, std::string_view seconds);

// Both players' times. Only the running side's time passes, and it is kept as it stood at
// `since`: the clock is counted up to the desktop's reading at each event that needs it (a
// move, a timer tick, a pause), and shown in between by subtracting the time since then.
struct ChessClock {
    TimeControl control;
    std::array<Milliseconds, 2> left{}; // White first
    Milliseconds since{};
    // A move has been made since the clock was set or the game began: the clock runs from
    // then on, for the side to move. The move that starts it is not timed.
    bool started = false;
    bool paused = false;
    std::array<int, 2> warningsGiven{}; // per side, of the one-minute and the ten-second warning
};

// A clock for `control` with both sides at full time, waiting for the first move.
ChessClock freshClock(TimeControl control);

// The side whose time passes: the side to move once the clock has started, unless it is
// paused or the game is over.
std::optional<Side> runningSide(const GameState &state);

// Counts the running side's time up to `now`. True when its flag has fallen by then: its
// time is up.
bool countTime(GameState &state, Milliseconds now);

// The side whose time ran out, when that ended the game on the board.
std::optional<Side> flagFallen(const GameState &state);

// After a completed move: the mover gets the increment when the move was timed, and the
// clock runs from now on (counted up to the move's completion just before).
void passTurn(ChessClock &clock, Side mover);

// After Undo, Redo or resuming put back a step's clock: its control and times stay; a step
// from before any clock was set keeps the clock in use, at full time. The pause stays as it
// was in `before`, and the running side's time counts from `now`.
void keepClockSetting(ChessClock &restored, const ChessClock &before, Milliseconds now);

// The warning due for the running side's time, "One minute left for White.", each given once;
// nullopt when none is due.
std::optional<std::string> dueWarning(ChessClock &clock, Side running);

// What the clock part of the status bar shows.
struct ClockFace {
    // "▶白 4:59  黒 5:00": both times, White's first, the running side marked; m:ss, and s.t
    // under ten seconds. Empty when no clock is set: the part is hidden.
    std::string text;
    // "White 4 minutes 59 seconds, Black 5 minutes.": the part's accessible name, and what
    // the T key says.
    std::string words;
    // While the clock runs, when to tick next (onClockTick): as the shown tenth of a second
    // changes, so at most 100 ms from now. Nothing while it stands: no timer is needed.
    std::optional<Milliseconds> nextTick;
};
ClockFace clockFace(const GameState &state, Milliseconds now);

} // namespace chess
