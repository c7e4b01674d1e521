#include "app/menu_commands.h"
#include "app/move_controller.h"
#include "fake_desktop.h"
#include "random_play.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>

namespace chess {
namespace {

constexpr std::string_view pieces = "PNBRQKpnbrqk";

int countOf(const Board &board, char letter)
{
    return static_cast<int>(std::count(board.squares.begin(), board.squares.end(), letter));
}

// A million random gestures, mostly on the board so that games really get played: after
// each one the game must still be a game.
TEST(Soak, AMillionRandomGesturesKeepTheGameConsistent)
{
    GameState state;
    testing::FakeDesktop desktop;
    std::mt19937 random(20261208);
    std::uniform_int_distribution<int> perMille(0, 999);
    std::uniform_int_distribution<int> promotionChoice(-1, 3);

    int movesRecorded = 0, gamesWon = 0;
    for (int gesture = 0; gesture < 1'000'000; ++gesture) {
        const std::size_t recordBefore = state.record.view().size();
        const Side sideBefore = state.sideToMove;
        const bool overBefore = state.gameOver;
        const Board boardBefore = state.board;
        const int kind = perMille(random);
        bool reset = false;
        if (kind < 1) {
            dispatchCommand(state, desktop, static_cast<int>(CommandId::ResetBoard));
            reset = true;
        } else if (kind < 100) {
            onCancel(state, desktop);
        } else {
            const int choice = promotionChoice(random);
            desktop.promotionAnswers = {choice < 0 ? std::nullopt : std::optional<int>(choice)};
            onLeftDoubleClick(state, desktop, testing::nextClick(state, kind, random));
        }
        desktop.calls.clear();

        for (char byte : state.board.squares)
            ASSERT_TRUE(byte == 0 || pieces.find(byte) != std::string_view::npos) << "gesture " << gesture;
        const int whiteKings = countOf(state.board, 'K'), blackKings = countOf(state.board, 'k');
        ASSERT_LE(whiteKings, 1);
        ASSERT_LE(blackKings, 1);
        if (!state.gameOver) {
            ASSERT_TRUE(whiteKings == 1 && blackKings == 1) << "gesture " << gesture;
        }
        const int selection = static_cast<int>(state.selectionState);
        ASSERT_TRUE(selection == 0 || selection == 1 || selection == 3 || selection == 5);
        if (overBefore && !reset) {
            ASSERT_EQ(state.board, boardBefore) << "nothing moves once the game is over";
        }

        const bool moved = !reset && state.sideToMove != sideBefore;
        const std::size_t recordAfter = state.record.view().size();
        if (reset) {
            ASSERT_FALSE(state.record.exists());
        } else if (moved) {
            ASSERT_GT(recordAfter, recordBefore) << "a completed move is recorded";
            ++movesRecorded;
        } else {
            ASSERT_EQ(recordAfter, recordBefore) << "only completed moves are recorded, gesture " << gesture;
        }
        if (state.gameOver && !overBefore)
            ++gamesWon;
    }
    std::printf("%d moves recorded, %d games ended\n", movesRecorded, gamesWon);
    // The stream must have played real games, or the checks above prove little.
    EXPECT_GT(movesRecorded, 50'000);
    EXPECT_GT(gamesWon, 300);
}

} // namespace
} // namespace chess
