#pragma once

#include <array>
#include <string>
#include <string_view>

namespace chess {

enum class Side { White = 0, Black = 1 };

constexpr int sideIndex(Side side) { return static_cast<int>(side); }
constexpr Side opponent(Side side) { return side == Side::White ? Side::Black : Side::White; }

// A square as the picture shows it: file 0-7 is a-h, row 0 is rank 8 (the top row) and
// row 7 is rank 1. Its chess name is 'a' + file followed by the digit 8 - row.
struct Square {
    int file = 0;
    int row = 0;
    friend constexpr bool operator==(Square, Square) = default;
};

// "e1" -> {4, 7}. For tables and tests that read like a chess book.
consteval Square operator""_sq(const char *name, std::size_t) { return {name[0] - 'a', 8 - (name[1] - '0')}; }

// "e4": the name a chess player gives the square.
inline std::string squareName(Square s)
{
    return {static_cast<char>('a' + s.file), static_cast<char>('0' + 8 - s.row)};
}

constexpr bool isOnBoard(int file, int row) { return file >= 0 && file < 8 && row >= 0 && row < 8; }

// 64 bytes, index file x 8 + row. Each byte is a piece letter (P N B R Q K for White,
// p n b r q k for Black) or 0 for an empty square. A loaded position may hold any other
// byte: it is drawn as a pawn and matches no movement rule.
struct Board {
    std::array<char, 64> squares{};

    constexpr char &operator[](Square s) { return squares[s.file * 8 + s.row]; }
    constexpr char operator[](Square s) const { return squares[s.file * 8 + s.row]; }
    friend constexpr bool operator==(const Board &, const Board &) = default;
};

// Colour tests on raw bytes, strictly between the end letters as the rules have always
// read them; a byte that is neither counts as no piece.
constexpr bool isWhitePiece(char c) { return c > 'A' && c < 'Z'; }
constexpr bool isBlackPiece(char c) { return c > 'a' && c < 'z'; }
constexpr bool isPieceOf(Side side, char c)
{
    return side == Side::White ? isWhitePiece(c) : isBlackPiece(c);
}

// Per side (White at 0, Black at 6): queen, rook, bishop, knight, pawn, king.
inline constexpr std::string_view PieceLetters = "QRBNPKqrbnpk";
// The promotion choices per side, in the order of the promotion dialog's results 0-3.
inline constexpr std::string_view PromotionLetters = "QRBNqrbn";

enum class PieceIndex { Queen = 0, Rook, Bishop, Knight, Pawn, King };

constexpr char pieceLetter(Side side, PieceIndex piece)
{
    return PieceLetters[sideIndex(side) * 6 + static_cast<int>(piece)];
}

constexpr Board openingBoard()
{
    constexpr std::string_view backRank = "rnbqkbnr";
    Board board;
    for (int file = 0; file < 8; ++file) {
        const char black = backRank[file];
        board[{file, 0}] = black;
        board[{file, 1}] = 'p';
        board[{file, 6}] = 'P';
        board[{file, 7}] = static_cast<char>(black - 'a' + 'A');
    }
    return board;
}

} // namespace chess
