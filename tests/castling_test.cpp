#include "board_setup.h"
#include "rules/castling.h"

#include <gtest/gtest.h>

namespace chess {
namespace {

using testing::boardFromRanks;

GameState castlingPosition()
{
    GameState state;
    state.board = boardFromRanks(
        {"r...k..r", "pppppppp", "........", "........", "........", "........", "PPPPPPPP", "R...K..R"});
    return state;
}

struct CastleCase {
    Side side;
    Square from;
    Square to;
    Square kingTo;
    Square rookFrom;
    Square rookTo;
};

class CastlesOnEitherWing : public ::testing::TestWithParam<CastleCase> {};

TEST_P(CastlesOnEitherWing, MovesKingAndRookAndEndsTheRights)
{
    const CastleCase &c = GetParam();
    GameState state = castlingPosition();
    state.doubleStepOf(opponent(c.side)) = {true, 3};
    ASSERT_TRUE(tryCastle(state, c.side, c.from, c.to));
    const char king = c.side == Side::White ? 'K' : 'k';
    const char rook = c.side == Side::White ? 'R' : 'r';
    EXPECT_EQ(state.board[c.kingTo], king);
    EXPECT_EQ(state.board[c.rookTo], rook);
    EXPECT_EQ(state.board[c.from], 0);
    EXPECT_EQ(state.board[c.rookFrom], 0);
    EXPECT_FALSE(state.castling(c.side).kingSide);
    EXPECT_FALSE(state.castling(c.side).queenSide);
    EXPECT_TRUE(state.castling(opponent(c.side)).kingSide);
    EXPECT_FALSE(state.doubleStepOf(opponent(c.side)).pending);
}

INSTANTIATE_TEST_SUITE_P(
    Wings, CastlesOnEitherWing,
    ::testing::Values(CastleCase{Side::White, "e1"_sq, "g1"_sq, "g1"_sq, "h1"_sq, "f1"_sq},
                      CastleCase{Side::White, "e1"_sq, "c1"_sq, "c1"_sq, "a1"_sq, "d1"_sq},
                      CastleCase{Side::Black, "e8"_sq, "g8"_sq, "g8"_sq, "h8"_sq, "f8"_sq},
                      CastleCase{Side::Black, "e8"_sq, "c8"_sq, "c8"_sq, "a8"_sq, "d8"_sq}));

// Each case puts one obstacle in an otherwise open castling position.
struct RefusalCase {
    const char *situation;
    Square square;
    char piece;
    Square to;
};

class CastlingRefused : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(CastlingRefused, LeavesEverythingAsItWas)
{
    const RefusalCase &c = GetParam();
    GameState state = castlingPosition();
    state.board[c.square] = c.piece;
    const Board before = state.board;
    EXPECT_FALSE(tryCastle(state, Side::White, "e1"_sq, c.to)) << c.situation;
    EXPECT_EQ(state.board, before);
    EXPECT_TRUE(state.castling(Side::White).kingSide);
    EXPECT_TRUE(state.castling(Side::White).queenSide);
}

INSTANTIATE_TEST_SUITE_P(
    Obstacles, CastlingRefused,
    ::testing::Values(RefusalCase{"a piece between king and rook", "f1"_sq, 'B', "g1"_sq},
                      RefusalCase{"the knight's square on the queen side", "b1"_sq, 'N', "c1"_sq},
                      RefusalCase{"the corner holds another piece", "h1"_sq, 'Q', "g1"_sq},
                      RefusalCase{"an enemy rook in the corner", "h1"_sq, 'r', "g1"_sq},
                      RefusalCase{"the crossed square attacked", "e3"_sq, 'n', "g1"_sq},
                      RefusalCase{"the landing square attacked", "h3"_sq, 'n', "g1"_sq},
                      RefusalCase{"the queen side crossing attacked", "b2"_sq, 'p', "c1"_sq},
                      RefusalCase{"not a castling target", "e1"_sq, 'K', "f1"_sq}));

TEST(Castling, RefusedWithoutTheRight)
{
    GameState state = castlingPosition();
    state.castling(Side::Black).kingSide = false;
    EXPECT_FALSE(tryCastle(state, Side::Black, "e8"_sq, "g8"_sq));
    EXPECT_TRUE(tryCastle(state, Side::Black, "e8"_sq, "c8"_sq));
}

TEST(Castling, RefusedThroughTheOwnKingsRay)
{
    // An enemy rook on a1 attacks f1 through the king on e1: the king shields nothing.
    GameState state = castlingPosition();
    state.board["a1"_sq] = 'r';
    state.board["b1"_sq] = 0;
    state.castling(Side::White).queenSide = false;
    EXPECT_FALSE(tryCastle(state, Side::White, "e1"_sq, "g1"_sq));
}

TEST(Castling, AcceptedWhileTheKingItselfIsAttacked)
{
    GameState state = castlingPosition();
    state.board["e2"_sq] = 0;
    state.board["e5"_sq] = 'q'; // gives check down the e-file
    EXPECT_TRUE(tryCastle(state, Side::White, "e1"_sq, "g1"_sq));
}

TEST(Castling, OnlyTheKingOnItsHomeSquareCastles)
{
    GameState state = castlingPosition();
    EXPECT_FALSE(tryCastle(state, Side::White, "e8"_sq, "g8"_sq)) << "Black's king for White";
    EXPECT_FALSE(tryCastle(state, Side::Black, "e1"_sq, "g1"_sq)) << "White's king for Black";
    state.board["e1"_sq] = 'Q';
    EXPECT_FALSE(tryCastle(state, Side::White, "e1"_sq, "g1"_sq));
}

} // namespace
} // namespace chess
