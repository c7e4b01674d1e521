#pragma once

#include "app/board.h"

#include <array>
#include <ostream>
#include <string_view>

namespace chess {
// Failure messages name squares as a chess player would.
inline void PrintTo(Square s, std::ostream *os) { *os << static_cast<char>('a' + s.file) << 8 - s.row; }
} // namespace chess

namespace chess::testing {

// A board drawn as it is seen, rank 8 first, one string of eight bytes a rank; '.' is an
// empty square:  boardFromRanks({"r...k..r", "........", ..., "R...K..R"}).
inline Board boardFromRanks(const std::array<std::string_view, 8> &ranks)
{
    Board board;
    for (int row = 0; row < 8; ++row)
        for (int file = 0; file < 8; ++file)
            board[{file, row}] = ranks[row][file] == '.' ? 0 : ranks[row][file];
    return board;
}

} // namespace chess::testing
