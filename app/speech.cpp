#include "app/speech.h"

#include "app/game_state.h"
#include "app/texts.h"
#include "view/square_image.h"

#include <array>

namespace chess::speech {
namespace {

constexpr std::array<std::string_view, 6> kindNames = {"queen", "rook", "bishop", "knight", "pawn", "king"};

// Pieces are named by the image the board shows for them, so what is heard is what is seen.
SquareImage imageOf(char piece)
{
    Board board;
    board["a1"_sq] = piece;
    return squareImageFor(board, "a1"_sq);
}

std::string imageWords(SquareImage image)
{
    if (image.kind == ImageKind::Empty)
        return "empty";
    return std::string(image.colour == Side::White ? "white " : "black ") +
           std::string(kindNames[static_cast<int>(image.kind)]);
}

std::string pieceWords(char piece) { return imageWords(imageOf(piece)); }

} // namespace

std::string squareWords(const Board &board, Square square)
{
    return squareName(square) + ", " + imageWords(squareImageFor(board, square));
}

std::string_view turnWords(Side sideToMove)
{
    return sideToMove == Side::White ? "White to move." : "Black to move.";
}

std::string_view gameWords(const GameState &state)
{
    if (!state.gameOver)
        return turnWords(state.sideToMove);
    if (state.statusText == texts::draw)
        return draw;
    return winWords(state.statusText == texts::whiteHasWon ? Side::White : Side::Black);
}

std::string_view winWords(Side winner) { return winner == Side::White ? "White has won." : "Black has won."; }

std::string timeUpWords(Side loser)
{
    return std::string(loser == Side::White ? "White's" : "Black's") + " time is up. " +
           std::string(winWords(opponent(loser)));
}

std::string moveWords(const MoveFacts &move)
{
    std::string words = squareName(move.from) + " to " + squareName(move.to);
    if (move.castling)
        return words + (move.to.file == 6 ? ", castling king side" : ", castling queen side");
    if (move.captured != 0)
        words += ", takes " + pieceWords(move.captured);
    if (move.enPassant)
        words += ", en passant";
    if (move.promotion != 0)
        words += ", promotes to " + std::string(kindNames[static_cast<int>(imageOf(move.promotion).kind)]);
    return words;
}

} // namespace chess::speech
