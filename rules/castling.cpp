#include "rules/castling.h"

#include "rules/attack.h"

#include <algorithm>

namespace chess {
namespace {

struct Wing {
    int kingToFile;
    int rookFromFile;
    int rookToFile;
    bool CastlingRights::*right;
};

// King side first, then queen side.
constexpr Wing wings[] = {
    {6, 7, 5, &CastlingRights::kingSide},
    {2, 0, 3, &CastlingRights::queenSide},
};
constexpr int kingFile = 4;

// Every square between king and rook is empty, and neither the squares the king crosses nor
// the one it lands on is attacked. The b-file square on the queen side need only be empty.
bool canCastle(const GameState &state, Side side, int home, const Wing &wing)
{
    if (!(state.castling(side).*wing.right) ||
        state.board[{wing.rookFromFile, home}] != pieceLetter(side, PieceIndex::Rook))
        return false;
    for (int file = std::min(kingFile, wing.rookFromFile) + 1; file < std::max(kingFile, wing.rookFromFile);
         ++file)
        if (state.board[{file, home}] != 0)
            return false;
    for (int file = std::min(kingFile + 1, wing.kingToFile); file <= std::max(kingFile - 1, wing.kingToFile);
         ++file)
        if (isSquareAttacked(state.board, side, {file, home}))
            return false;
    return true;
}

} // namespace

bool tryCastle(GameState &state, Side side, Square from, Square to)
{
    const int home = side == Side::White ? 7 : 0;
    const char king = pieceLetter(side, PieceIndex::King);
    if (from != Square{kingFile, home} || state.board[from] != king || to.row != home)
        return false;
    for (const Wing &wing : wings) {
        if (to.file != wing.kingToFile || !canCastle(state, side, home, wing))
            continue;
        state.board[{wing.rookFromFile, home}] = 0;
        state.board[from] = 0;
        state.board[{wing.rookToFile, home}] = pieceLetter(side, PieceIndex::Rook);
        state.board[to] = king;
        state.castling(side) = {false, false};
        state.doubleStepOf(opponent(side)).pending = false;
        return true;
    }
    return false;
}

} // namespace chess
