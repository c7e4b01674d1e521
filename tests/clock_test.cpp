#include "app/clock_commands.h"
#include "app/history_commands.h"
#include "app/history_file.h"
#include "app/keyboard.h"
#include "app/menu_commands.h"
#include "app/move_controller.h"
#include "board_setup.h"
#include "fake_desktop.h"
#include "game_test.h"

#include <gtest/gtest.h>

namespace chess {
namespace {

using namespace std::chrono_literals;
using testing::boardFromRanks;

class Clock : public testing::GameTest {
protected:
    void setClock(TimeControl control)
    {
        desktop.timeControlAnswers = {control};
        command(CommandId::ChooseClock);
    }
    std::array<Milliseconds, 2> left() const { return state.clock.left; }
};

TEST(ClockFace, ShowsAndSaysBothTimesWithTheRunningSideMarked)
{
    struct Row {
        Milliseconds white, black;
        bool started;
        Side toMove;
        std::string_view text, words;
        std::optional<Milliseconds> nextTick;
    };
    const Row rows[] = {
        {300s, 300s, false, Side::White, "白 5:00  黒 5:00", "White 5 minutes, Black 5 minutes.",
         std::nullopt},
        {299s, 300s, true, Side::White, "▶白 4:59  黒 5:00", "White 4 minutes 59 seconds, Black 5 minutes.",
         100ms},
        {299'950ms, 300s, true, Side::White, "▶白 4:59  黒 5:00",
         "White 4 minutes 59 seconds, Black 5 minutes.", 50ms},
        {61s, 9'950ms, true, Side::Black, "白 1:01  ▶黒 9.9", "White 1 minute 1 second, Black 9 seconds.",
         50ms},
        {10s, 1'001ms, true, Side::Black, "白 0:10  ▶黒 1.0", "White 10 seconds, Black 1 second.", 1ms},
        {180min, 0ms, true, Side::Black, "白 180:00  ▶黒 0.0", "White 180 minutes, Black 0 seconds.", 100ms},
    };
    for (const Row &row : rows) {
        GameState state;
        state.clock = freshClock({5, 3});
        state.clock.left = {row.white, row.black};
        state.clock.started = row.started;
        state.sideToMove = row.toMove;
        const ClockFace face = clockFace(state, 0ms);
        EXPECT_EQ(face.text, row.text);
        EXPECT_EQ(face.words, row.words);
        EXPECT_EQ(face.nextTick, row.nextTick) << row.text;
    }
    GameState none;
    EXPECT_EQ(clockFace(none, 0ms).text, "") << "no clock, no part";
}

TEST(ClockDialog, ThePlayersOwnFieldsAreChecked)
{
    struct Row {
        std::string_view minutes, seconds;
        std::optional<TimeControl> control;
    };
    const Row rows[] = {{"1", "0", TimeControl{1, 0}},  {"180", "60", TimeControl{180, 60}},
                        {"7", "05", TimeControl{7, 5}}, {"0", "0", std::nullopt},
                        {"181", "0", std::nullopt},     {"5", "61", std::nullopt},
                        {"", "3", std::nullopt},        {"5", "", std::nullopt},
                        {"-1", "0", std::nullopt},      {"5x", "0", std::nullopt},
                        {" 5", "0", std::nullopt},      {"99999999999", "0", std::nullopt}};
    for (const Row &row : rows)
        EXPECT_EQ(customTimeControl(row.minutes, row.seconds), row.control)
            << row.minutes << " " << row.seconds;
}

// A game of timed moves: the first move starts the clock untimed; after that every move,
// castling and promotion too, costs the mover its time and earns the increment, and the
// promotion dialog's time is the mover's.
TEST_F(Clock, MovesAreChargedToTheMoverWithTheIncrement)
{
    state.board = boardFromRanks(
        {".......k", ".P......", "........", "........", "........", "........", "......P.", "....K..R"});
    state.history.begin(state);
    EXPECT_FALSE(isCommandEnabled(state, CommandId::PauseClock));
    setClock({5, 3});
    EXPECT_EQ(desktop.spoken.back(), "Clock set. White 5 minutes, Black 5 minutes.");
    EXPECT_TRUE(isCommandEnabled(state, CommandId::PauseClock));
    struct Row {
        Milliseconds thinking;
        Square from, to;
        Milliseconds dialog, white, black;
    };
    const Row rows[] = {
        {10s, "g2"_sq, "g3"_sq, 0s, 300s, 300s}, // waiting for the first move costs nothing
        {20s, "h8"_sq, "h7"_sq, 0s, 300s, 283s},
        {5s, "e1"_sq, "g1"_sq, 0s, 298s, 283s}, // castling
        {1s, "h7"_sq, "h8"_sq, 0s, 298s, 285s},
        {4s, "b7"_sq, "b8"_sq, 4s, 293s, 285s}, // promotion, with the dialog's 4 seconds
    };
    for (const Row &row : rows) {
        desktop.now += row.thinking;
        EXPECT_EQ(desktop.clock.nextTick.has_value(), state.clock.started);
        desktop.promotionDialogTakes = row.dialog;
        move(row.from, row.to);
        EXPECT_EQ(state.board[row.from], 0) << squareName(row.from) << " moved";
        EXPECT_EQ(left(), (std::array{row.white, row.black})) << squareName(row.from);
    }
    EXPECT_EQ(state.board["g1"_sq], 'K');
    EXPECT_EQ(state.board["b8"_sq], 'Q');
    EXPECT_EQ(desktop.clock.text, "白 4:53  ▶黒 4:45");
}

TEST_F(Clock, PauseStopsTheRunningSideAndUndoBringsBackTheTimesOfThatStep)
{
    setClock({5, 3});
    move("e2"_sq, "e4"_sq);
    desktop.now += 10s;
    move("e7"_sq, "e5"_sq);
    desktop.now += 4s;
    command(CommandId::PauseClock);
    EXPECT_EQ(commandCaption(state, CommandId::PauseClock), "時計を動かす(&P)");
    EXPECT_EQ(desktop.spoken.back(), "Clock stopped.");
    desktop.now += 100s;
    EXPECT_EQ(clockFace(state, desktop.now).text, "白 4:56  黒 4:53") << "stopped, nobody marked";
    EXPECT_EQ(clockFace(state, desktop.now).nextTick, std::nullopt);
    command(CommandId::PauseClock);
    EXPECT_EQ(commandCaption(state, CommandId::PauseClock), "時計を止める(&P)");
    desktop.now += 6s;
    move("g1"_sq, "f3"_sq);
    EXPECT_EQ(left(), (std::array<Milliseconds, 2>{293s, 293s}));

    desktop.now += 30s;
    command(CommandId::Undo);
    EXPECT_EQ(left(), (std::array<Milliseconds, 2>{300s, 293s})) << "as after e7-e5";
    desktop.now += 1s;
    EXPECT_EQ(clockFace(state, desktop.now).text, "▶白 4:59  黒 4:53") << "White's time runs from the Undo";
    command(CommandId::Redo);
    EXPECT_EQ(left(), (std::array<Milliseconds, 2>{293s, 293s}));

    setClock({10, 0});
    command(CommandId::Undo);
    EXPECT_EQ(state.clock.control, (TimeControl{5, 3})) << "the step's own clock comes back";
    EXPECT_EQ(left(), (std::array<Milliseconds, 2>{300s, 293s}));
    command(CommandId::Undo);
    setClock({10, 0});
    command(CommandId::Undo);
    EXPECT_EQ(left(), (std::array<Milliseconds, 2>{600s, 600s})) << "the start had no clock: this one stays";
    EXPECT_FALSE(state.clock.started);
    move("g1"_sq, "f3"_sq);
    command(CommandId::ResetBoard);
    EXPECT_EQ(state.clock.control, (TimeControl{10, 0})) << "a new game keeps the control";
    EXPECT_EQ(desktop.clock.text, "白 10:00  黒 10:00");
    setClock({});
    EXPECT_EQ(desktop.spoken.back(), "No clock.");
    EXPECT_EQ(desktop.clock.text, "") << "the part is hidden again";
}

// A move completed when Black's minute is up, or later, loses: also when the promotion
// dialog took the last of it. One completed a millisecond before does not.
TEST(ClockFlag, AMoveCompletedAfterTheFlagFellLosesAndIsNotMade)
{
    struct Row {
        Milliseconds thinking, dialog;
        bool lost;
    };
    for (const Row row : {Row{59'999ms, 0ms, false}, Row{60s, 0ms, true}, Row{58s, 2s, true}}) {
        GameState state;
        testing::FakeDesktop desktop;
        state.board = boardFromRanks(
            {"....k...", "....p...", "........", "........", "........", "........", "p.......", "....K..."});
        state.history.begin(state);
        desktop.timeControlAnswers = {TimeControl{1, 0}};
        dispatchCommand(state, desktop, static_cast<int>(CommandId::ChooseClock));
        const auto click = [&](Square square) { onLeftDoubleClick(state, desktop, squareCentre(square)); };
        click("e1"_sq);
        click("d1"_sq);
        desktop.now += 30s;
        const Square from = row.dialog > 0ms ? "a2"_sq : "e7"_sq;
        click(from);
        desktop.now += row.thinking - 30s;
        desktop.promotionDialogTakes = row.dialog;
        desktop.takeCalls();
        click(row.dialog > 0ms ? "a1"_sq : "e5"_sq);
        EXPECT_EQ(state.gameOver, row.lost);
        EXPECT_EQ(state.board[from] == 'p', row.lost) << "a late move is not made";
        if (!row.lost)
            continue;
        std::vector<std::string> calls{"beep", "redraw", "box: 白の勝ち | Win!!", "status: White has won!!"};
        if (row.dialog > 0ms)
            calls.insert(calls.begin(), "promotion dialog");
        EXPECT_EQ(desktop.takeCalls(), calls);
        EXPECT_EQ(state.history.steps().size(), 2u) << "the start and White's move";
        EXPECT_EQ(state.record.view().find("a1"), std::string_view::npos) << "nothing of it in the record";
        EXPECT_EQ(desktop.spoken.back(), "Black's time is up. White has won.");
        EXPECT_EQ(desktop.clock.text, "白 1:00  黒 0.0");
        EXPECT_EQ(desktop.clock.nextTick, std::nullopt);
    }
}

TEST_F(Clock, TicksWarnOnceEachAndEndTheGameWhenTheTimeIsUp)
{
    onKey(state, desktop, Key::T);
    EXPECT_TRUE(desktop.spoken.empty()) << "T says nothing without a clock";
    setClock({2, 0});
    onClockTick(state, desktop);
    EXPECT_EQ(desktop.clock.nextTick, std::nullopt) << "no timer before the first move";
    move("e2"_sq, "e4"_sq);
    const std::size_t spokenBefore = desktop.spoken.size();
    for (const Milliseconds at : {59'900ms, 60'000ms, 60'100ms, 110'000ms, 110'100ms, 119'900ms}) {
        desktop.now = at;
        onClockTick(state, desktop);
    }
    EXPECT_EQ(std::vector(desktop.spoken.begin() + static_cast<long>(spokenBefore), desktop.spoken.end()),
              (std::vector<std::string>{"One minute left for Black.", "Ten seconds left for Black."}));
    EXPECT_EQ(desktop.clock.text, "白 2:00  ▶黒 0.1");
    EXPECT_EQ(desktop.clock.nextTick, 100ms);
    desktop.takeCalls();
    desktop.now = 120s;
    onClockTick(state, desktop, true);
    EXPECT_FALSE(state.gameOver) << "inside a modal window the game waits for its answer";
    EXPECT_EQ(desktop.clock.text, "白 2:00  ▶黒 0.0");
    onClockTick(state, desktop);
    EXPECT_TRUE(state.gameOver);
    EXPECT_EQ(desktop.takeCalls(), (std::vector<std::string>{"beep", "redraw", "box: 白の勝ち | Win!!",
                                                             "status: White has won!!"}));
    onKey(state, desktop, Key::T);
    EXPECT_EQ(desktop.spoken.back(), "White 2 minutes, Black 0 seconds.");
    EXPECT_FALSE(state.keyboard.used) << "T leaves the board's mark alone";
    command(CommandId::CopyPgn);
    EXPECT_NE(desktop.clipboard.find("[Result \"1-0\"]"), std::string::npos) << "the PGN has the win on time";
}

TEST_F(Clock, TheSavedGameKeepsItsClockAndResumesStopped)
{
    setClock({15, 10});
    move("e2"_sq, "e4"_sq);
    desktop.now += 70s;
    move("e7"_sq, "e5"_sq);
    const std::string file = historyFileText(state.history);

    GameState next;
    testing::FakeDesktop nextDesktop;
    nextDesktop.now = 5s;
    startHistory(next, file);
    EXPECT_FALSE(next.clock.control.isOn()) << "a new run starts with no clock";
    dispatchCommand(next, nextDesktop, static_cast<int>(CommandId::ResumeLastGame));
    EXPECT_EQ(next.clock.control, (TimeControl{15, 10}));
    EXPECT_EQ(next.clock.left, (std::array<Milliseconds, 2>{900s, 840s}));
    EXPECT_EQ(nextDesktop.clock.text, "白 15:00  黒 14:00") << "stopped";
    EXPECT_EQ(commandCaption(next, CommandId::PauseClock), "時計を動かす(&P)");

    GameState undone;
    startHistory(undone, file);
    dispatchCommand(undone, nextDesktop, static_cast<int>(CommandId::Undo));
    EXPECT_EQ(undone.clock.left, next.clock.left) << "Ctrl+Z into the last game brings its clock too";

    std::string damaged = file;
    damaged.replace(damaged.find("clock 15 10"), 11, "clock 181 0");
    EXPECT_FALSE(readHistoryFile(damaged));
}

} // namespace
} // namespace chess
