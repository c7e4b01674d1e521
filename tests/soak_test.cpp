#include "app/menu_commands.h"
#include "app/move_controller.h"
#include "fake_desktop.h"
#include "rules/castling.h"
#include "rules/move_rules.h"

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

// A square the picked-up piece may really go to, found by trying every one on a copy of the
// game (without its record, which the rules never read); nullopt when there is none.
std::optional<Square> someLegalTarget(const GameState &state, std::mt19937 &random)
{
    GameState probe;
    probe.board = state.board;
    probe.castlingRights = state.castlingRights;
    probe.doubleStep = state.doubleStep;
    std::vector<Square> targets;
    for (int index = 0; index < 64; ++index) {
        const Square to{index / 8, index % 8};
        if (to == state.selectedFrom || isPieceOf(state.sideToMove, state.board[to]))
            continue;
        GameState trial = probe;
        if (tryCastle(trial, state.sideToMove, state.selectedFrom, to) ||
            isLegalMove(trial, state.sideToMove, state.selectedFrom, to))
            targets.push_back(to);
    }
    if (targets.empty())
        return std::nullopt;
    return targets[std::uniform_int_distribution<std::size_t>(0, targets.size() - 1)(random)];
}

// Where the next left double-click goes: anywhere in the window now and then, mostly on the
// board, and often where a player would aim (an own piece, a legal target), so that whole
// games are played out and kings fall.
Point nextClick(const GameState &state, int kind, std::mt19937 &random)
{
    std::uniform_int_distribution<int> anyX(0, pictureWidth - 1), anyY(0, pictureHeight - 1), square(0, 63);
    if (kind < 150)
        return {anyX(random), anyY(random)};
    if (kind < 400)
        return squareCentre({square(random) / 8, square(random) % 8});
    if (state.selectionState == SelectionState::PieceSelected) {
        if (const std::optional<Square> target = someLegalTarget(state, random))
            return squareCentre(*target);
    }
    int index = square(random);
    for (int tries = 0; tries < 64 && !isPieceOf(state.sideToMove, state.board.squares[index]); ++tries)
        index = square(random);
    return squareCentre({index / 8, index % 8});
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
            onLeftDoubleClick(state, desktop, nextClick(state, kind, random));
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
