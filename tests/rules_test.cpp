#include "board_setup.h"
#include "rules/attack.h"
#include "rules/move_rules.h"

#include <gtest/gtest.h>

namespace chess {
namespace {

using testing::boardFromRanks;

struct MoveCase {
    const char *situation;
    Square from;
    Square to;
    bool accepted;
};

// Pieces in the middle of an otherwise quiet board; 'x' marks squares that block lines.
const Board geometryBoard = boardFromRanks({
    "........",
    "........",
    ".x......",
    "........",
    "...Q....",
    "........",
    ".....x..",
    "........",
});

class PieceGeometry : public ::testing::TestWithParam<std::pair<char, MoveCase>> {};

TEST_P(PieceGeometry, FollowsTheMovementRule)
{
    const auto &[piece, c] = GetParam();
    GameState state;
    state.board = geometryBoard;
    state.board["d4"_sq] = 0;
    state.board[c.from] = piece;
    EXPECT_EQ(isLegalMove(state, Side::White, c.from, c.to), c.accepted) << c.situation;
}

INSTANTIATE_TEST_SUITE_P(
    Pieces, PieceGeometry,
    ::testing::Values(std::pair{'Q', MoveCase{"queen along a file", "d4"_sq, "d8"_sq, true}},
                      std::pair{'Q', MoveCase{"queen along a rank", "d4"_sq, "a4"_sq, true}},
                      std::pair{'Q', MoveCase{"queen on a diagonal", "d4"_sq, "g7"_sq, true}},
                      std::pair{'Q', MoveCase{"queen blocked on the diagonal", "d4"_sq, "a7"_sq, false}},
                      std::pair{'Q', MoveCase{"queen up to the blocker", "d4"_sq, "b6"_sq, true}},
                      std::pair{'Q', MoveCase{"queen like a knight", "d4"_sq, "e6"_sq, false}},
                      std::pair{'R', MoveCase{"rook along a rank", "d4"_sq, "h4"_sq, true}},
                      std::pair{'R', MoveCase{"rook diagonally", "d4"_sq, "e5"_sq, false}},
                      std::pair{'R', MoveCase{"rook blocked on its file", "f1"_sq, "f8"_sq, false}},
                      std::pair{'B', MoveCase{"bishop on a diagonal", "d4"_sq, "h8"_sq, true}},
                      std::pair{'B', MoveCase{"bishop blocked", "d4"_sq, "g1"_sq, false}},
                      std::pair{'B', MoveCase{"bishop along a file", "d4"_sq, "d6"_sq, false}},
                      std::pair{'N', MoveCase{"knight two up one across", "d4"_sq, "e6"_sq, true}},
                      std::pair{'N', MoveCase{"knight jumps over pieces", "b7"_sq, "c5"_sq, true}},
                      std::pair{'N', MoveCase{"knight two across one up", "d4"_sq, "b5"_sq, true}},
                      std::pair{'N', MoveCase{"knight in a line", "d4"_sq, "d6"_sq, false}},
                      std::pair{'K', MoveCase{"king one step", "d4"_sq, "e5"_sq, true}},
                      std::pair{'K', MoveCase{"king two steps", "d4"_sq, "d6"_sq, false}},
                      std::pair{'X', MoveCase{"a stray byte from a loaded file", "d4"_sq, "d5"_sq, false}}));

TEST(PieceGeometry, LettersOfEitherCaseFollowTheSameRule)
{
    GameState state;
    state.board = {};
    state.board["d4"_sq] = 'n';
    EXPECT_TRUE(isLegalMove(state, Side::Black, "d4"_sq, "c2"_sq));
    EXPECT_FALSE(isLegalMove(state, Side::Black, "d4"_sq, "c3"_sq));
}

TEST(PieceGeometry, TheTargetItselfIsNeverExaminedForLinePieces)
{
    GameState state;
    state.board = boardFromRanks(
        {"........", "........", "........", "........", "...R..pp", "........", "........", "........"});
    EXPECT_TRUE(isLegalMove(state, Side::White, "d4"_sq, "g4"_sq));
    EXPECT_FALSE(isLegalMove(state, Side::White, "d4"_sq, "h4"_sq));
}

struct PawnCase {
    const char *situation;
    std::array<std::string_view, 8> ranks;
    Side side;
    Square from;
    Square to;
    bool accepted;
};

class PawnMoves : public ::testing::TestWithParam<PawnCase> {};

TEST_P(PawnMoves, FollowTheFourPawnRules)
{
    const PawnCase &c = GetParam();
    GameState state;
    state.board = boardFromRanks(c.ranks);
    EXPECT_EQ(isLegalMove(state, c.side, c.from, c.to), c.accepted) << c.situation;
}

constexpr std::array<std::string_view, 8> pawnsAtHome = {"........", "...p....", "........", "........",
                                                         "........", "........", "....P...", "........"};
constexpr std::array<std::string_view, 8> pawnsBlocked = {"........", "...p....", "...N....", "........",
                                                          "........", "....n...", "....P...", "........"};
constexpr std::array<std::string_view, 8> pawnsFacingPieces = {
    "........", "...p....", "..N.N...", "........", "........", "...n.n..", "....P...", "........"};

INSTANTIATE_TEST_SUITE_P(
    BothColours, PawnMoves,
    ::testing::Values(
        PawnCase{"white single step", pawnsAtHome, Side::White, "e2"_sq, "e3"_sq, true},
        PawnCase{"white double step from rank 2", pawnsAtHome, Side::White, "e2"_sq, "e4"_sq, true},
        PawnCase{"white triple step", pawnsAtHome, Side::White, "e2"_sq, "e5"_sq, false},
        PawnCase{"white backwards", pawnsAtHome, Side::White, "e2"_sq, "e1"_sq, false},
        PawnCase{"white diagonal onto an empty square", pawnsAtHome, Side::White, "e2"_sq, "d3"_sq, false},
        PawnCase{"white step onto a piece", pawnsBlocked, Side::White, "e2"_sq, "e3"_sq, false},
        PawnCase{"white double step over a piece", pawnsBlocked, Side::White, "e2"_sq, "e4"_sq, false},
        PawnCase{"white capture left", pawnsFacingPieces, Side::White, "e2"_sq, "d3"_sq, true},
        PawnCase{"white capture right", pawnsFacingPieces, Side::White, "e2"_sq, "f3"_sq, true},
        PawnCase{"black single step", pawnsAtHome, Side::Black, "d7"_sq, "d6"_sq, true},
        PawnCase{"black double step from rank 7", pawnsAtHome, Side::Black, "d7"_sq, "d5"_sq, true},
        PawnCase{"black backwards", pawnsAtHome, Side::Black, "d7"_sq, "d8"_sq, false},
        PawnCase{"black diagonal onto an empty square", pawnsAtHome, Side::Black, "d7"_sq, "e6"_sq, false},
        PawnCase{"black step onto a piece", pawnsBlocked, Side::Black, "d7"_sq, "d6"_sq, false},
        PawnCase{"black double step over a piece", pawnsBlocked, Side::Black, "d7"_sq, "d5"_sq, false},
        PawnCase{"black capture left", pawnsFacingPieces, Side::Black, "d7"_sq, "c6"_sq, true},
        PawnCase{"black capture right", pawnsFacingPieces, Side::Black, "d7"_sq, "e6"_sq, true}));

TEST(PawnMoves, DoubleStepIsOnlyFromTheStartingRank)
{
    GameState state;
    state.board = boardFromRanks(
        {"........", "........", "...p....", "........", "........", "....P...", "........", "........"});
    EXPECT_FALSE(isLegalMove(state, Side::White, "e3"_sq, "e5"_sq));
    EXPECT_FALSE(isLegalMove(state, Side::Black, "d6"_sq, "d4"_sq));
}

TEST(EnPassant, WhiteTakesOnTheVeryNextMoveOnly)
{
    GameState state;
    state.board = boardFromRanks(
        {"....k...", "...p....", "........", "....P...", "........", "........", "........", "....K..."});
    ASSERT_TRUE(isLegalMove(state, Side::Black, "d7"_sq, "d5"_sq));
    state.board["d5"_sq] = 'p';
    state.board["d7"_sq] = 0;
    EXPECT_TRUE(state.doubleStepOf(Side::Black).pending);
    EXPECT_EQ(state.doubleStepOf(Side::Black).file, 3);

    GameState later = state;
    ASSERT_TRUE(isLegalMove(state, Side::White, "e5"_sq, "d6"_sq));
    EXPECT_TRUE(state.epCaptured);
    EXPECT_EQ(state.board["d5"_sq], 0) << "the pawn taken en passant is removed";
    EXPECT_FALSE(state.doubleStepOf(Side::Black).pending);

    // One move later the chance is gone: White moved its king instead.
    later.board["e1"_sq] = 'K';
    ASSERT_TRUE(isLegalMove(later, Side::White, "e1"_sq, "f1"_sq));
    later.board["f1"_sq] = 'K';
    later.board["e1"_sq] = 0;
    ASSERT_TRUE(isLegalMove(later, Side::Black, "e8"_sq, "f8"_sq));
    EXPECT_FALSE(isLegalMove(later, Side::White, "e5"_sq, "d6"_sq));
    EXPECT_FALSE(later.epCaptured);
    EXPECT_EQ(later.board["d5"_sq], 'p');
}

TEST(EnPassant, BlackTakesAWhiteDoubleStep)
{
    GameState state;
    state.board = boardFromRanks(
        {"....k...", "........", "........", "........", ".....p..", "........", "....P...", "....K..."});
    ASSERT_TRUE(isLegalMove(state, Side::White, "e2"_sq, "e4"_sq));
    state.board["e4"_sq] = 'P';
    state.board["e2"_sq] = 0;
    ASSERT_TRUE(isLegalMove(state, Side::Black, "f4"_sq, "e3"_sq));
    EXPECT_TRUE(state.epCaptured);
    EXPECT_EQ(state.board["e4"_sq], 0);
}

TEST(EnPassant, NeedsTheDoubleStepOnThatFile)
{
    GameState state;
    state.board = boardFromRanks(
        {"....k...", "........", "........", "..p.Pp..", "........", "........", "........", "....K..."});
    state.doubleStepOf(Side::Black) = {true, 5};
    EXPECT_FALSE(isLegalMove(state, Side::White, "e5"_sq, "d6"_sq)) << "no pawn on d5";
    state.board["d5"_sq] = 'p';
    EXPECT_FALSE(isLegalMove(state, Side::White, "e5"_sq, "d6"_sq)) << "the double step was on f";
    EXPECT_FALSE(state.epCaptured);
    EXPECT_TRUE(isLegalMove(state, Side::White, "e5"_sq, "f6"_sq));
    EXPECT_EQ(state.board["f5"_sq], 0);
}

TEST(CastlingRights, KingMovesLoseBothRights)
{
    GameState state;
    state.board = boardFromRanks(
        {"r...k..r", "........", "........", "........", "........", "........", "........", "R...K..R"});
    ASSERT_TRUE(isLegalMove(state, Side::White, "e1"_sq, "d2"_sq));
    EXPECT_FALSE(state.castling(Side::White).kingSide);
    EXPECT_FALSE(state.castling(Side::White).queenSide);
    EXPECT_TRUE(state.castling(Side::Black).kingSide);
    EXPECT_TRUE(state.castling(Side::Black).queenSide);
}

TEST(CastlingRights, ARookLeavingFileAOrHFromAnyRowLosesThatWing)
{
    GameState state;
    state.board = boardFromRanks(
        {"....k...", "........", "r.......", ".......R", "........", "........", "........", "....K..."});
    ASSERT_TRUE(isLegalMove(state, Side::White, "h5"_sq, "g5"_sq));
    EXPECT_FALSE(state.castling(Side::White).kingSide);
    EXPECT_TRUE(state.castling(Side::White).queenSide);
    ASSERT_TRUE(isLegalMove(state, Side::Black, "a6"_sq, "a1"_sq));
    EXPECT_FALSE(state.castling(Side::Black).queenSide);
    EXPECT_TRUE(state.castling(Side::Black).kingSide);
}

TEST(CastlingRights, CapturingARookOrMovingTheQueenLosesNoRight)
{
    GameState state;
    state.board = boardFromRanks(
        {"r...k..r", "........", "........", "........", "........", "........", "........", "Q...K..R"});
    ASSERT_TRUE(isLegalMove(state, Side::White, "a1"_sq, "a8"_sq));
    EXPECT_TRUE(state.castling(Side::Black).queenSide);
    EXPECT_TRUE(state.castling(Side::White).queenSide);
    EXPECT_TRUE(state.castling(Side::White).kingSide);
}

TEST(MoveRules, ARefusedMoveChangesNothing)
{
    GameState state;
    state.doubleStepOf(Side::Black) = {true, 2};
    state.epCaptured = true;
    const Board before = state.board;
    EXPECT_FALSE(isLegalMove(state, Side::White, "a1"_sq, "a3"_sq));
    EXPECT_FALSE(state.epCaptured);
    EXPECT_EQ(state.board, before);
    EXPECT_TRUE(state.castling(Side::White).queenSide);
    EXPECT_TRUE(state.doubleStepOf(Side::Black).pending);
}

TEST(MoveRules, AKingMayStepIntoAttack)
{
    GameState state;
    state.board = boardFromRanks(
        {"....k...", "........", "........", "........", "........", "........", "...r....", "....K..."});
    EXPECT_TRUE(isLegalMove(state, Side::White, "e1"_sq, "d1"_sq));
}

TEST(SquareAttack, EachPieceAttacksByItsOwnRule)
{
    const Board board = boardFromRanks(
        {"...q....", "........", ".....n..", "........", "..b.....", "........", ".p......", "r......."});
    EXPECT_TRUE(isSquareAttacked(board, Side::White, "d1"_sq)) << "queen down the file";
    EXPECT_TRUE(isSquareAttacked(board, Side::White, "h1"_sq)) << "rook along the rank";
    EXPECT_TRUE(isSquareAttacked(board, Side::White, "e2"_sq)) << "bishop on the diagonal";
    EXPECT_TRUE(isSquareAttacked(board, Side::White, "g4"_sq)) << "knight";
    EXPECT_TRUE(isSquareAttacked(board, Side::White, "c1"_sq)) << "pawn toward rank 1";
    EXPECT_FALSE(isSquareAttacked(board, Side::White, "c3"_sq)) << "a pawn does not attack backwards";
    EXPECT_FALSE(isSquareAttacked(board, Side::White, "g7"_sq));
    EXPECT_FALSE(isSquareAttacked(board, Side::Black, "d1"_sq)) << "own pieces never attack";
}

TEST(SquareAttack, WhitePawnsAttackTowardRankEight)
{
    const Board board = boardFromRanks(
        {"........", "........", "........", "........", "........", "....P...", "........", "........"});
    EXPECT_TRUE(isSquareAttacked(board, Side::Black, "d4"_sq));
    EXPECT_TRUE(isSquareAttacked(board, Side::Black, "f4"_sq));
    EXPECT_FALSE(isSquareAttacked(board, Side::Black, "d2"_sq));
}

TEST(SquareAttack, RaysPassThroughTheOwnKingButStopAtOtherPieces)
{
    Board board = boardFromRanks(
        {"........", "........", "........", "........", "........", "........", "........", "r...K..."});
    EXPECT_TRUE(isSquareAttacked(board, Side::White, "f1"_sq)) << "the king shields nothing behind it";
    board["c1"_sq] = 'N';
    EXPECT_FALSE(isSquareAttacked(board, Side::White, "f1"_sq));
    board["c1"_sq] = 'k';
    EXPECT_FALSE(isSquareAttacked(board, Side::White, "f1"_sq)) << "the enemy king blocks like any piece";
}

TEST(SquareAttack, TheEnemyKingIsNoAttacker)
{
    const Board board = boardFromRanks(
        {"........", "........", "........", "........", "........", "........", "....k...", "........"});
    EXPECT_FALSE(isSquareAttacked(board, Side::White, "e1"_sq));
    EXPECT_FALSE(isSquareAttacked(board, Side::White, "f1"_sq));
}

TEST(SquareAttack, CornersAndEdgesSkipOffBoardSquares)
{
    Board board{};
    for (const Square corner : {"a1"_sq, "h1"_sq, "a8"_sq, "h8"_sq})
        EXPECT_FALSE(isSquareAttacked(board, Side::White, corner));
    board["b3"_sq] = 'n';
    EXPECT_TRUE(isSquareAttacked(board, Side::White, "a1"_sq));
    board["h7"_sq] = 'P';
    EXPECT_TRUE(isSquareAttacked(board, Side::Black, "g8"_sq));
    EXPECT_FALSE(isSquareAttacked(board, Side::Black, "h8"_sq));
}

} // namespace
} // namespace chess
