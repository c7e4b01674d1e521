#include "app/move_controller.h"
#include "board_setup.h"
#include "fake_desktop.h"
#include "record/move_record.h"

#include <gtest/gtest.h>

namespace chess {
namespace {

using testing::boardFromRanks;

// Makes the move on the board as the controller does, then records it.
void play(GameState &state, Side side, Square from, Square to, char promotion = 0, bool enPassant = false)
{
    state.board[to] = promotion != 0 ? promotion : state.board[from];
    state.board[from] = 0;
    ASSERT_TRUE(appendMoveToRecord(state, side, from, to, promotion, enPassant));
}

void castleOnBoard(GameState &state, Side side, Square kingFrom, Square kingTo, Square rookFrom,
                   Square rookTo)
{
    state.board[kingTo] = state.board[kingFrom];
    state.board[rookTo] = state.board[rookFrom];
    state.board[kingFrom] = state.board[rookFrom] = 0;
    ASSERT_TRUE(appendMoveToRecord(state, side, kingFrom, kingTo, 0, false));
}

TEST(GameRecord, AnOpeningWithCastlingIsWrittenInFixedColumns)
{
    GameState state;
    play(state, Side::White, "e2"_sq, "e4"_sq);
    play(state, Side::Black, "e7"_sq, "e5"_sq);
    play(state, Side::White, "g1"_sq, "f3"_sq);
    play(state, Side::Black, "b8"_sq, "c6"_sq);
    play(state, Side::White, "f1"_sq, "c4"_sq);
    play(state, Side::Black, "g8"_sq, "f6"_sq);
    castleOnBoard(state, Side::White, "e1"_sq, "g1"_sq, "h1"_sq, "f1"_sq);
    EXPECT_EQ(state.record.view(), "1  e2-e4      e7-e5\r\n"
                                   "2  g1-f3      b8-c6\r\n"
                                   "3  f1-c4      g8-f6\r\n"
                                   "4  o-o        ");
    EXPECT_EQ(state.whiteMoveCount, 4);
}

TEST(GameRecord, BothCastlingsOfBothColours)
{
    GameState state;
    state.board = boardFromRanks(
        {"r...k..r", "........", "........", "........", "........", "........", "........", "R...K..R"});
    GameState queenSide = state;
    castleOnBoard(state, Side::White, "e1"_sq, "g1"_sq, "h1"_sq, "f1"_sq);
    castleOnBoard(state, Side::Black, "e8"_sq, "g8"_sq, "h8"_sq, "f8"_sq);
    castleOnBoard(queenSide, Side::White, "e1"_sq, "c1"_sq, "a1"_sq, "d1"_sq);
    castleOnBoard(queenSide, Side::Black, "e8"_sq, "c8"_sq, "a8"_sq, "d8"_sq);
    EXPECT_EQ(state.record.view(), "1  o-o        o-o\r\n");
    EXPECT_EQ(queenSide.record.view(), "1  o-o-o      o-o-o\r\n");
}

TEST(GameRecord, AKingMoveToG1WithoutTheRookThereIsAnOrdinaryMove)
{
    GameState state;
    state.board = boardFromRanks(
        {"....k...", "........", "........", "........", "........", "........", "........", "....K..R"});
    play(state, Side::White, "e1"_sq, "g1"_sq);
    EXPECT_EQ(state.record.view(), "1  e1-g1      ");
}

TEST(GameRecord, EnPassantOfBothColours)
{
    GameState state;
    state.board = boardFromRanks(
        {"....k...", "........", "........", "...pP...", "...pP...", "........", "........", "....K..."});
    state.whiteMoveCount = 4;
    play(state, Side::White, "e5"_sq, "d6"_sq, 0, true);
    play(state, Side::Black, "d4"_sq, "e3"_sq, 0, true);
    EXPECT_EQ(state.record.view(), "5  e5-d6 e.p. d4-e3 e.p.\r\n");
}

TEST(GameRecord, EachPromotionPieceIsWrittenInCapitals)
{
    GameState state;
    state.whiteMoveCount = 11;
    state.board = boardFromRanks(
        {"........", "PPPP....", "........", "........", "........", "........", "pppp....", "........"});
    play(state, Side::White, "a7"_sq, "a8"_sq, 'Q');
    play(state, Side::Black, "h2"_sq, "h1"_sq, 'n');
    play(state, Side::White, "b7"_sq, "b8"_sq, 'R');
    play(state, Side::Black, "b2"_sq, "b1"_sq, 'b');
    play(state, Side::White, "c7"_sq, "c8"_sq, 'B');
    play(state, Side::Black, "c2"_sq, "c1"_sq, 'r');
    play(state, Side::White, "d7"_sq, "d8"_sq, 'N');
    play(state, Side::Black, "d2"_sq, "d1"_sq, 'q');
    EXPECT_EQ(state.record.view(), "12 a7-a8=Q    h2-h1=N\r\n"
                                   "13 b7-b8=R    b2-b1=B\r\n"
                                   "14 c7-c8=B    c2-c1=R\r\n"
                                   "15 d7-d8=N    d2-d1=Q\r\n");
}

TEST(GameRecord, ARecordMayStartWithBlacksMove)
{
    GameState state;
    state.whiteMoveCount = 7;
    play(state, Side::Black, "e7"_sq, "e5"_sq);
    play(state, Side::White, "g1"_sq, "f3"_sq);
    EXPECT_EQ(state.record.view(), "e7-e5\r\n8  g1-f3      ");
}

TEST(GameRecord, MoveNumbersPast999WidenTheWhiteEntry)
{
    GameState state;
    state.whiteMoveCount = 998;
    for (int i = 0; i < 2; ++i) {
        play(state, Side::White, "g1"_sq, "f3"_sq);
        play(state, Side::Black, "g8"_sq, "f6"_sq);
        play(state, Side::White, "f3"_sq, "g1"_sq);
        play(state, Side::Black, "f6"_sq, "g8"_sq);
    }
    EXPECT_EQ(state.record.view(), "999g1-f3      g8-f6\r\n"
                                   "1000f3-g1      f6-g8\r\n"
                                   "1001g1-f3      g8-f6\r\n"
                                   "1002f3-g1      f6-g8\r\n");
}

TEST(GameRecord, FreeingDiscardsTheRecordAndRestartsTheNumbers)
{
    GameState state;
    state.whiteMoveCount = 30; // a loaded position, no record yet
    freeRecord(state);
    EXPECT_EQ(state.whiteMoveCount, 30) << "nothing to free";
    play(state, Side::White, "e2"_sq, "e4"_sq);
    EXPECT_EQ(state.record.view(), "31 e2-e4      ");
    freeRecord(state);
    EXPECT_FALSE(state.record.exists());
    EXPECT_EQ(state.whiteMoveCount, 0);
    play(state, Side::White, "d2"_sq, "d4"_sq);
    EXPECT_EQ(state.record.view(), "1  d2-d4      ");
}

TEST(ResetGame, RestoresTheOpeningAndNumbersFromOneEvenWithoutARecord)
{
    GameState state;
    state.board = boardFromRanks(
        {"????????", "........", "........", "........", "........", "........", "........", "K......k"});
    state.castlingRights = {{{false, false}, {false, true}}};
    state.doubleStep = {{{true, 3}, {true, 5}}};
    state.whiteMoveCount = 41; // as after loading a position
    state.cursorSquare = "c3"_sq;
    state.lastMoveTo = "d4"_sq;
    resetGame(state);
    EXPECT_EQ(state.board, GameState::initialBoard);
    EXPECT_EQ(state.whiteMoveCount, 0);
    EXPECT_FALSE(state.record.exists());
    for (Side side : {Side::White, Side::Black}) {
        EXPECT_TRUE(state.castling(side).kingSide);
        EXPECT_TRUE(state.castling(side).queenSide);
        EXPECT_FALSE(state.doubleStepOf(side).pending);
    }
    EXPECT_EQ(state.doubleStepOf(Side::Black).file, 5) << "files are left";
    EXPECT_EQ(state.cursorSquare, "c3"_sq) << "the frame stays where it was";
    EXPECT_EQ(state.lastMoveTo, "d4"_sq);
}

} // namespace
} // namespace chess
