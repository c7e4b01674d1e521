#include "app/chess_clock.h"

#include "app/game_state.h"

#include <algorithm>
#include <charconv>

namespace chess {
namespace {

using std::chrono::minutes;
using std::chrono::seconds;

constexpr Milliseconds tickInterval{100};
// The warnings, in the order they fall due.
constexpr std::array<Milliseconds, 2> warningTimes = {minutes(1), seconds(10)};
constexpr std::array<std::string_view, 2> warningLines = {"One minute left for ", "Ten seconds left for "};

std::string_view sideWord(Side side) { return side == Side::White ? "White" : "Black"; }

// How many warnings a side with `left` has had, counting those before `given` as had.
int warningsPassed(Milliseconds left, int given)
{
    while (given < static_cast<int>(warningTimes.size()) && left <= warningTimes[given])
        ++given;
    return given;
}

// The displayed time: whole seconds as m:ss, tenths under ten seconds; never rounded up.
std::string shownTime(Milliseconds left)
{
    const long long ms = left.count();
    if (left < seconds(10))
        return std::to_string(ms / 1000) + "." + std::to_string(ms / 100 % 10);
    const long long secs = ms / 1000 % 60;
    return std::to_string(ms / 60000) + (secs < 10 ? ":0" : ":") + std::to_string(secs);
}

// "4 minutes 59 seconds", "1 minute", "0 seconds".
std::string spokenTime(Milliseconds left)
{
    const long long total = left.count() / 1000;
    const auto count = [](long long n, std::string_view unit) {
        return std::to_string(n) + " " + std::string(unit) + (n == 1 ? "" : "s");
    };
    if (total < 60)
        return count(total, "second");
    // Appended rather than " " + count(...): GCC 12 warns wrongly of overlapping copies there.
    std::string words = count(total / 60, "minute");
    if (total % 60 != 0)
        words.append(" ").append(count(total % 60, "second"));
    return words;
}

// The running side's time at `now`. A reading from before the last count (a desktop with no
// clock) lets no time pass.
Milliseconds runningTimeAt(const ChessClock &clock, Side running, Milliseconds now)
{
    const Milliseconds passed = std::max(now - clock.since, Milliseconds(0));
    return std::max(clock.left[sideIndex(running)] - passed, Milliseconds(0));
}

std::optional<int> wholeNumber(std::string_view digits)
{
    int value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (digits.empty() || digits.size() > 3 || error != std::errc() || end != digits.data() + digits.size())
        return std::nullopt;
    return value;
}

} // namespace

std::string timeControlLabel(TimeControl control)
{
    if (!control.isOn())
        return "なし";
    return std::to_string(control.minutes) + "分+" + std::to_string(control.incrementSeconds) + "秒";
}

bool isValidTimeControl(TimeControl control)
{
    return control == TimeControl{} ||
           (control.minutes >= 1 && control.minutes <= maxMinutes && control.incrementSeconds >= 0 &&
            control.incrementSeconds <= maxIncrementSeconds);
}

std::optional<TimeControl> customTimeControl(std::string_view minutes, std::string_view seconds)
{
    const std::optional<int> m = wholeNumber(minutes);
    const std::optional<int> s = wholeNumber(seconds);
    if (!m || !s || *m < 1 || !isValidTimeControl({*m, *s}))
        return std::nullopt;
    return TimeControl{*m, *s};
}

ChessClock freshClock(TimeControl control)
{
    ChessClock clock;
    clock.control = control;
    const Milliseconds full = minutes(control.minutes);
    clock.left = {full, full};
    // A control no longer than a warning's time has passed it before the game began.
    clock.warningsGiven.fill(warningsPassed(full, 0));
    return clock;
}

std::optional<Side> runningSide(const GameState &state)
{
    const ChessClock &clock = state.clock;
    if (!clock.control.isOn() || !clock.started || clock.paused || state.gameOver)
        return std::nullopt;
    return state.sideToMove;
}

bool countTime(GameState &state, Milliseconds now)
{
    ChessClock &clock = state.clock;
    if (!clock.control.isOn())
        return false;
    const std::optional<Side> running = runningSide(state);
    if (running)
        clock.left[sideIndex(*running)] = runningTimeAt(clock, *running, now);
    clock.since = std::max(now, clock.since);
    return running && clock.left[sideIndex(*running)] == Milliseconds(0);
}

std::optional<Side> flagFallen(const GameState &state)
{
    const Side side = state.sideToMove;
    if (state.gameOver && state.clock.control.isOn() && state.clock.left[sideIndex(side)] <= Milliseconds(0))
        return side;
    return std::nullopt;
}

void passTurn(ChessClock &clock, Side mover)
{
    if (clock.started && !clock.paused)
        clock.left[sideIndex(mover)] += seconds(clock.control.incrementSeconds);
    clock.started = true;
}

void keepClockSetting(ChessClock &restored, const ChessClock &before, Milliseconds now)
{
    if (!restored.control.isOn())
        restored = freshClock(before.control);
    restored.paused = before.paused;
    restored.since = now;
}

std::optional<std::string> dueWarning(ChessClock &clock, Side running)
{
    int &given = clock.warningsGiven[sideIndex(running)];
    const int before = given;
    given = warningsPassed(clock.left[sideIndex(running)], given);
    if (given == before)
        return std::nullopt;
    return std::string(warningLines[given - 1]) + std::string(sideWord(running)) + ".";
}

ClockFace clockFace(const GameState &state, Milliseconds now)
{
    const ChessClock &clock = state.clock;
    if (!clock.control.isOn())
        return {};
    const std::optional<Side> running = runningSide(state);
    std::array<Milliseconds, 2> left = clock.left;
    if (running)
        left[sideIndex(*running)] = runningTimeAt(clock, *running, now);
    ClockFace face;
    for (const Side side : {Side::White, Side::Black}) {
        face.text += std::string(side == Side::Black ? "  " : "") + (side == running ? "▶" : "") +
                     (side == Side::White ? "白 " : "黒 ") + shownTime(left[sideIndex(side)]);
        face.words += std::string(sideWord(side)) + " " + spokenTime(left[sideIndex(side)]) +
                      (side == Side::White ? ", " : ".");
    }
    if (running) {
        // The next tenth the running time reaches; zero itself is one, so time up is seen on time.
        const Milliseconds intoTenth = left[sideIndex(*running)] % tickInterval;
        face.nextTick = intoTenth == Milliseconds(0) ? tickInterval : intoTenth;
    }
    return face;
}

} // namespace chess
