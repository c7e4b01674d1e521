#include "app/menu_commands.h"
#include "app/move_controller.h"
#include "app/texts.h"
#include "board_setup.h"
#include "fake_desktop.h"

#include <gtest/gtest.h>

#include <limits>

namespace chess {
namespace {

using testing::boardFromRanks;
using testing::FakeDesktop;
using Calls = std::vector<std::string>;

std::string status(std::string_view text) { return "status: " + std::string(text); }

class Controller : public ::testing::Test {
protected:
    GameState state;
    FakeDesktop desktop;

    // A double-click in the middle of the square; returns what the desktop was asked to do.
    Calls click(Square s)
    {
        onLeftDoubleClick(state, desktop, squareCentre(s));
        return desktop.takeCalls();
    }
    Calls cancel()
    {
        onCancel(state, desktop);
        return desktop.takeCalls();
    }
    void move(Square from, Square to)
    {
        click(from);
        ASSERT_EQ(state.selectionState, SelectionState::PieceSelected) << "picking up failed";
        click(to);
        ASSERT_EQ(state.selectionState, SelectionState::ShowLastMove) << "the move was refused";
    }
};

TEST_F(Controller, PlaysAnOpeningWithCastlingStepByStep)
{
    EXPECT_EQ(click("e2"_sq), (Calls{status(texts::whiteMoving), "redraw"}));
    EXPECT_EQ(state.selectionState, SelectionState::PieceSelected);
    EXPECT_EQ(state.selectedFrom, "e2"_sq);
    EXPECT_EQ(click("e4"_sq), (Calls{status(texts::blackThinking), "redraw"}));
    EXPECT_EQ(state.sideToMove, Side::Black);
    EXPECT_EQ(state.cursorSquare, "e4"_sq);
    EXPECT_EQ(state.lastMoveTo, "e4"_sq);
    EXPECT_TRUE(state.recordEnabled);
    EXPECT_EQ(click("e7"_sq), (Calls{status(texts::blackMoving), "redraw"}));
    EXPECT_EQ(click("e5"_sq), (Calls{status(texts::whiteThinking), "redraw"}));
    move("g1"_sq, "f3"_sq);
    move("b8"_sq, "c6"_sq);
    move("f1"_sq, "c4"_sq);
    move("g8"_sq, "f6"_sq);
    EXPECT_EQ(state.halfmoveCounter, 4);
    const Square lastOrdinary = state.lastMoveTo;
    click("e1"_sq);
    EXPECT_EQ(click("g1"_sq), (Calls{status(texts::blackThinking), "redraw"}));
    EXPECT_EQ(state.board["g1"_sq], 'K');
    EXPECT_EQ(state.board["f1"_sq], 'R');
    EXPECT_EQ(state.halfmoveCounter, 5);
    EXPECT_EQ(state.lastMoveTo, lastOrdinary) << "castling is no ordinary move";
    EXPECT_EQ(state.record.view(), "1  e2-e4      e7-e5\r\n"
                                   "2  g1-f3      b8-c6\r\n"
                                   "3  f1-c4      g8-f6\r\n"
                                   "4  o-o        ");
}

TEST_F(Controller, PickingUpFollowsTheSideToMove)
{
    EXPECT_EQ(click("e4"_sq), Calls{}) << "White on an empty square: not even a sound";
    EXPECT_EQ(click("e7"_sq), (Calls{status(texts::whiteTouchedBlackPiece), "beep"}));
    EXPECT_NE(state.selectionState, SelectionState::PieceSelected);
    move("e2"_sq, "e4"_sq);
    EXPECT_EQ(click("e3"_sq), Calls{});
    EXPECT_EQ(click("d2"_sq), (Calls{status(texts::illegalMove), "beep"}));
    EXPECT_EQ(state.selectionState, SelectionState::ShowLastMove);
}

TEST_F(Controller, DoubleClickingThePickedUpPieceCancelsLikeARightDoubleClick)
{
    click("b1"_sq);
    EXPECT_EQ(click("b1"_sq), (Calls{status(texts::whiteToMove), "redraw"}));
    EXPECT_EQ(state.selectionState, SelectionState::IdleAfterLoad) << "no White move yet";
    EXPECT_EQ(state.cursorSquare, state.lastMoveTo);

    move("e2"_sq, "e4"_sq);
    click("d7"_sq);
    EXPECT_EQ(cancel(), (Calls{status(texts::blackToMove), "redraw"}));
    EXPECT_EQ(state.selectionState, SelectionState::ShowLastMove);
    EXPECT_EQ(state.cursorSquare, "e4"_sq) << "the frame returns to the last move";
    EXPECT_EQ(cancel(), Calls{}) << "nothing picked up: nothing to do";
}

TEST_F(Controller, ARefusedTargetKeepsThePiecePickedUp)
{
    click("g1"_sq);
    EXPECT_EQ(click("e2"_sq), (Calls{status(texts::illegalMove), "beep"})) << "onto an own piece";
    EXPECT_EQ(click("g4"_sq), (Calls{status(texts::illegalMove), "beep"})) << "not a knight's move";
    EXPECT_EQ(state.selectionState, SelectionState::PieceSelected);
    EXPECT_EQ(state.selectedFrom, "g1"_sq);
    EXPECT_EQ(click("h3"_sq), (Calls{status(texts::blackThinking), "redraw"}));
}

TEST_F(Controller, OffTheBoardNothingHappens)
{
    onLeftDoubleClick(state, desktop, {39, 200});
    onLeftDoubleClick(state, desktop, {200, 345});
    EXPECT_TRUE(desktop.calls.empty());
    EXPECT_EQ(state.cursorSquare, (Square{}));
}

TEST_F(Controller, APawnTakingTheKingOnTheLastRankWinsWithoutPromotion)
{
    state.board = boardFromRanks(
        {"...k....", "..P.....", "........", "........", "........", "........", "........", "....K..."});
    click("c7"_sq);
    EXPECT_EQ(click("d8"_sq), (Calls{"redraw", "box: 白の勝ち | Win!!", status(texts::whiteHasWon)}));
    EXPECT_TRUE(state.gameOver);
    EXPECT_EQ(state.board["d8"_sq], 'P') << "no promotion dialog, the pawn stays a pawn";
    EXPECT_EQ(state.sideToMove, Side::White);
    EXPECT_FALSE(state.record.exists()) << "the winning move is not recorded";
    EXPECT_EQ(click("e1"_sq), Calls{}) << "play is over until a reset";
}

TEST_F(Controller, BlackWinsAndTheRecordEndsWithTheMoveBefore)
{
    state.board = boardFromRanks(
        {"....k...", "........", "........", "........", "........", "........", "....q...", "....K..R"});
    move("h1"_sq, "h2"_sq);
    click("e2"_sq);
    EXPECT_EQ(click("e1"_sq), (Calls{"redraw", "box: 黒の勝ち | Win!!", status(texts::blackHasWon)}));
    EXPECT_EQ(state.record.view(), "1  h1-h2      ");
    EXPECT_FALSE(state.castling(Side::White).kingSide);
}

TEST_F(Controller, TheDrawComesWhenAnOrdinaryMoveMakesTheCounterExactly50)
{
    state.halfmoveCounter = 48;
    move("g1"_sq, "f3"_sq);
    EXPECT_EQ(state.halfmoveCounter, 49);
    click("g8"_sq);
    EXPECT_EQ(click("f6"_sq), (Calls{"redraw", "box: 引き分け | Draw", status(texts::draw)}));
    EXPECT_TRUE(state.gameOver);
    EXPECT_EQ(state.record.view(), "1  g1-f3      ") << "the drawing move is not recorded";
}

TEST_F(Controller, CastlingToFiftyDeclaresNothingAndTheCounterRunsOn)
{
    state.board = boardFromRanks(
        {"....k..r", "........", "........", "........", "........", "........", "........", "....K..R"});
    state.halfmoveCounter = 49;
    move("e1"_sq, "g1"_sq);
    EXPECT_EQ(state.halfmoveCounter, 50);
    EXPECT_FALSE(state.gameOver);
    move("e8"_sq, "f8"_sq);
    EXPECT_EQ(state.halfmoveCounter, 51);
    EXPECT_FALSE(state.gameOver);
}

TEST_F(Controller, CapturesAndPawnMovesOfEitherSideResetTheCounter)
{
    state.board = boardFromRanks(
        {"....k...", ".p.....p", "........", "........", "........", "..n.N...", "...P....", "....K..B"});
    state.halfmoveCounter = 20;
    const std::pair<std::pair<Square, Square>, int> moves[] = {
        {{"h1"_sq, "b7"_sq}, 0},                                                   // White captures
        {{"c3"_sq, "d1"_sq}, 1}, {{"e1"_sq, "f1"_sq}, 2}, {{"d1"_sq, "e3"_sq}, 0}, // Black captures
        {{"f1"_sq, "g1"_sq}, 1}, {{"h7"_sq, "h6"_sq}, 0},                          // a black pawn moves
        {{"g1"_sq, "h1"_sq}, 1}, {{"e8"_sq, "d8"_sq}, 2}, {{"d2"_sq, "d3"_sq}, 0}, // a white pawn moves
    };
    for (const auto &[squares, counter] : moves) {
        move(squares.first, squares.second);
        EXPECT_EQ(state.halfmoveCounter, counter)
            << "after the move to " << ::testing::PrintToString(squares.second);
    }
}

TEST_F(Controller, CountersLoadedAtTheirLargestStayThere)
{
    state.halfmoveCounter = std::numeric_limits<int>::max();
    state.whiteMoveCount = std::numeric_limits<int>::max();
    move("g1"_sq, "f3"_sq);
    EXPECT_EQ(state.halfmoveCounter, std::numeric_limits<int>::max());
    EXPECT_EQ(state.whiteMoveCount, std::numeric_limits<int>::max());
    EXPECT_EQ(state.record.view(), "2147483647g1-f3      ");
}

TEST_F(Controller, PromotionAsksAndRecordsTheChosenPiece)
{
    state.board = boardFromRanks(
        {"........", "P......k", "........", "........", "........", "........", "......p.", "K......."});
    desktop.promotionAnswers = {3};
    move("a7"_sq, "a8"_sq);
    EXPECT_EQ(state.board["a8"_sq], 'N');
    desktop.promotionAnswers = {}; // the dialog cannot be shown: a queen
    move("g2"_sq, "g1"_sq);
    EXPECT_EQ(state.board["g1"_sq], 'q');
    EXPECT_EQ(state.record.view(), "1  a7-a8=N    g2-g1=Q\r\n");
}

TEST_F(Controller, BlacksMovesAloneDoNotOpenTheRecordCommands)
{
    state.sideToMove = Side::Black;
    move("e7"_sq, "e5"_sq);
    EXPECT_FALSE(state.recordEnabled);
    EXPECT_FALSE(isCommandEnabled(state, CommandId::ViewRecord));
    click("e2"_sq);
    cancel();
    EXPECT_EQ(state.selectionState, SelectionState::IdleAfterLoad) << "a cancel before any White move";
    move("e2"_sq, "e4"_sq);
    EXPECT_TRUE(isCommandEnabled(state, CommandId::CopyRecord));
}

} // namespace
} // namespace chess
