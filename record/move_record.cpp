#include "record/move_record.h"

#include <cctype>
#include <new>
#include <string>

namespace chess {
namespace {

// The king and rook stand where castling puts them; a king that went e1-g1 some other way
// is written as an ordinary move.
bool isCastling(const Board &board, Side side, Square from, Square to)
{
    const int home = side == Side::White ? 7 : 0;
    if (from != Square{4, home})
        return false;
    const char king = pieceLetter(side, PieceIndex::King);
    const char rook = pieceLetter(side, PieceIndex::Rook);
    return (to == Square{6, home} && board[to] == king && board[{5, home}] == rook) ||
           (to == Square{2, home} && board[to] == king && board[{3, home}] == rook);
}

// The entry without move number and padding: "o-o", "e5-d6 e.p.", "a7-a8=Q", "e2-e4".
std::string moveText(const Board &board, Side side, Square from, Square to, char promotionLetter,
                     bool enPassant)
{
    if (isCastling(board, side, from, to))
        return to.file == 6 ? "o-o" : "o-o-o";
    std::string text = squareName(from) + "-" + squareName(to);
    if (enPassant && board[to] == pieceLetter(side, PieceIndex::Pawn))
        text += " e.p.";
    else if (promotionLetter != 0)
        text += {'=', static_cast<char>(std::toupper(static_cast<unsigned char>(promotionLetter)))};
    return text;
}

// White entries are padded to a fixed width so that Black's moves line up in a column:
// the number left-aligned in three columns, the move in eleven.
std::string whiteEntry(int moveNumber, const std::string &move)
{
    std::string number = std::to_string(moveNumber);
    if (number.size() < 3)
        number.resize(3, ' ');
    std::string padded = move;
    padded.resize(11, ' ');
    return number + padded;
}

} // namespace

bool appendMoveToRecord(GameState &state, Side side, Square from, Square to, char promotionLetter,
                        bool enPassant)
{
    try {
        const std::string move = moveText(state.board, side, from, to, promotionLetter, enPassant);
        if (!state.record.text)
            state.record.text.emplace();
        if (side == Side::White) {
            const int moveNumber = countedOnce(state.whiteMoveCount);
            state.record.text->append(whiteEntry(moveNumber, move));
            state.whiteMoveCount = moveNumber;
        } else {
            state.record.text->append(move + "\r\n");
        }
    } catch (const std::bad_alloc &) {
        state.record.text.reset();
        return false;
    }
    return true;
}

void freeRecord(GameState &state)
{
    if (!state.record.exists())
        return;
    state.record.text.reset();
    state.whiteMoveCount = 0;
}

} // namespace chess
