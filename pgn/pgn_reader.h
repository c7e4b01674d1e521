#pragma once

#include "app/played_move.h"
#include "pgn/san.h"
#include "position/fen_reader.h"

#include <optional>
#include <string_view>
#include <variant>
#include <vector>

namespace chess {

// The first game of a PGN text with its moves resolved to squares.
struct PgnGame {
    std::optional<FenPosition> setUp; // the FEN tag's position as written; nullopt for the opening one
    std::vector<PlayedMove> moves;
    MoveLabel firstMove; // the label the first move has, or would have
};

enum class PgnErrorKind {
    NotPgn,         // no game in the text
    Unreadable,     // at the move: no move nor other mark of PGN, or a comment or variation left open
    IllegalMove,    // a move standard chess does not allow there
    AmbiguousMove,  // a move that more than one piece could make
    BadFen,         // a FEN tag that is no position standard chess has
    TooLarge,       // more than maxPgnBytes
    Binary,         // control bytes that no text has
    RefusedByBoard, // this board does not take the move
    EndedBefore,    // the game on this board ended before the move
};

struct PgnError {
    PgnErrorKind kind = PgnErrorKind::NotPgn;
    MoveLabel move; // the move that failed, for the kinds that name one
    friend bool operator==(const PgnError &, const PgnError &) = default;
};

// A single game takes some kilobytes; a whole collection of games is refused rather than read
// into memory for its first one.
inline constexpr std::size_t maxPgnBytes = 4 * 1024 * 1024;

// Reads the first game of `text`: its tags in any order (only FEN matters), then its moves up
// to its result, the next game's tags or the end. A UTF-8 byte order mark, CR LF line ends,
// comments, escape lines, NAGs, annotation marks, move numbers in any of their forms and
// variations (skipped, nested or not) are all read past. The moves are resolved as standard
// chess plays them, from the FEN tag's position or the opening one.
std::variant<PgnGame, PgnError> readPgn(std::string_view text);

} // namespace chess
