#include "rules/move_rules.h"

#include <cctype>
#include <cstdlib>

namespace chess {
namespace {

int sign(int v) { return (v > 0) - (v < 0); }

// Every square strictly between from and to on their line is empty.
bool isPathClear(const Board &board, Square from, Square to)
{
    const int stepFile = sign(to.file - from.file);
    const int stepRow = sign(to.row - from.row);
    for (Square s{from.file + stepFile, from.row + stepRow}; s != to;
         s = {s.file + stepFile, s.row + stepRow})
        if (board[s] != 0)
            return false;
    return true;
}

// Pawns go by their exact letter ('P' up the board, 'p' down); a stray byte from a loaded
// file matches no rule.
bool isPawnMoveLegal(GameState &state, Side pawnSide, Square from, Square to)
{
    Board &board = state.board;
    const bool white = pawnSide == Side::White;
    const int forward = white ? -1 : 1; // rows grow toward rank 1
    const int startRow = white ? 6 : 1;
    const int passRow = white ? 3 : 4; // where a pawn stands to take en passant
    const int dF = std::abs(to.file - from.file);
    const int advance = (to.row - from.row) * forward;
    const bool targetEmpty = board[to] == 0;

    if (dF == 0 && advance == 1 && targetEmpty)
        return true;
    if (dF == 0 && from.row == startRow && advance == 2 && targetEmpty &&
        board[{to.file, from.row + forward}] == 0) {
        state.doubleStepOf(pawnSide) = {true, from.file};
        return true;
    }
    if (dF == 1 && advance == 1 && !targetEmpty)
        return true;
    const Side other = opponent(pawnSide);
    const Square passed{to.file, passRow};
    const DoubleStepRecord &theirs = state.doubleStepOf(other);
    if (dF == 1 && from.row == passRow && advance == 1 && targetEmpty &&
        board[passed] == pieceLetter(other, PieceIndex::Pawn) && theirs.pending && theirs.file == to.file) {
        board[passed] = 0;
        state.epCaptured = true;
        return true;
    }
    return false;
}

bool isPieceMoveLegal(GameState &state, Side side, Square from, Square to)
{
    const char piece = state.board[from];
    if (piece == 'P' || piece == 'p')
        return isPawnMoveLegal(state, piece == 'P' ? Side::White : Side::Black, from, to);

    const int dF = std::abs(to.file - from.file);
    const int dR = std::abs(to.row - from.row);
    const bool straight = dF == 0 || dR == 0;
    const bool diagonal = dF == dR;
    CastlingRights &rights = state.castling(side);
    switch (std::toupper(static_cast<unsigned char>(piece))) {
    case 'K':
        if (dF > 1 || dR > 1)
            return false;
        rights = {false, false};
        return true;
    case 'Q': return (straight || diagonal) && isPathClear(state.board, from, to);
    case 'R':
        if (!straight || !isPathClear(state.board, from, to))
            return false;
        // A rook leaving its file gives up that wing, from whatever row it leaves.
        if (from.file == 0)
            rights.queenSide = false;
        else if (from.file == 7)
            rights.kingSide = false;
        return true;
    case 'B': return diagonal && isPathClear(state.board, from, to);
    case 'N': return (dF == 2 && dR == 1) || (dF == 1 && dR == 2);
    default: return false;
    }
}

} // namespace

bool isLegalMove(GameState &state, Side side, Square from, Square to)
{
    state.epCaptured = false;
    if (!isPieceMoveLegal(state, side, from, to))
        return false;
    state.doubleStepOf(opponent(side)).pending = false;
    return true;
}

} // namespace chess
