#include "rules/attack.h"

#include <array>

namespace chess {
namespace {

struct Step {
    int file;
    int row;
};

constexpr std::array<Step, 4> orthogonal = {{{0, 1}, {0, -1}, {1, 0}, {-1, 0}}};
constexpr std::array<Step, 4> diagonal = {{{1, 1}, {1, -1}, {-1, 1}, {-1, -1}}};
constexpr std::array<Step, 8> knightJumps = {
    {{1, 2}, {2, 1}, {-1, 2}, {-2, 1}, {1, -2}, {2, -1}, {-1, -2}, {-2, -1}}};

char at(const Board &board, Square from, Step step)
{
    return board[{from.file + step.file, from.row + step.row}];
}

bool onBoard(Square from, Step step) { return isOnBoard(from.file + step.file, from.row + step.row); }

// Walks each ray to the edge; `slider` is the opponent's rook or bishop.
template <std::size_t N>
bool rayHits(const Board &board, Side side, Square square, const std::array<Step, N> &rays, char slider)
{
    const Side them = opponent(side);
    const char queen = pieceLetter(them, PieceIndex::Queen);
    const char ownKing = pieceLetter(side, PieceIndex::King);
    for (const Step ray : rays) {
        for (Step step = ray; onBoard(square, step); step = {step.file + ray.file, step.row + ray.row}) {
            const char piece = at(board, square, step);
            if (piece == queen || piece == slider)
                return true;
            if (piece != 0 && piece != ownKing)
                break;
        }
    }
    return false;
}

} // namespace

bool isSquareAttacked(const Board &board, Side side, Square square)
{
    const Side them = opponent(side);
    if (rayHits(board, side, square, orthogonal, pieceLetter(them, PieceIndex::Rook)) ||
        rayHits(board, side, square, diagonal, pieceLetter(them, PieceIndex::Bishop)))
        return true;
    const char knight = pieceLetter(them, PieceIndex::Knight);
    for (const Step jump : knightJumps)
        if (onBoard(square, jump) && at(board, square, jump) == knight)
            return true;
    // A black pawn attacks from the row above (toward rank 8), a white pawn from below.
    const int pawnRow = side == Side::White ? -1 : 1;
    const char pawn = pieceLetter(them, PieceIndex::Pawn);
    for (const Step diagonalStep : {Step{1, pawnRow}, Step{-1, pawnRow}})
        if (onBoard(square, diagonalStep) && at(board, square, diagonalStep) == pawn)
            return true;
    return false;
}

} // namespace chess
