#pragma once

#include "pgn/standard_chess.h"

#include <span>
#include <string>
#include <string_view>

namespace chess {

// A move's number and side as PGN counts them: White's 23rd move is "23.", Black's reply "23...".
struct MoveLabel {
    long long number = 1;
    Side side = Side::White;
    friend bool operator==(const MoveLabel &, const MoveLabel &) = default;
};

// The label of the move `plies` half-moves after the one labelled `first`.
MoveLabel labelAfter(MoveLabel first, std::size_t plies);

// "23." or "23...".
std::string labelText(MoveLabel label);

// The move in Standard Algebraic Notation, without a check mark: "Nbd2", "exd6", "e8=Q",
// "O-O". `board` is the position before the move; the square of departure is named as far as
// needed to tell the piece from any other of its kind that `rivals` move to the same square.
std::string sanText(const Board &board, const PlayedMove &move, std::span<const PlayedMove> rivals);

// A legal move in SAN with "+" when it gives check and "#" when it mates; `legal` is
// legalMoves(position).
std::string sanOf(const StandardPosition &position, const PlayedMove &move,
                  std::span<const PlayedMove> legal);

enum class SanMatch {
    Found,
    Annotation, // marks alone, such as "!?" or "e.p.", which name no move
    Unreadable, // not written as a move at all
    Illegal,    // no legal move fits
    Ambiguous,  // more than one legal move fits
};

struct SanReading {
    SanMatch match = SanMatch::Unreadable;
    PlayedMove move;
};

// The legal move a SAN token names. Readers' leniency is taken in: "0-0" for "O-O", a
// piece letter "P", long algebraic "Ng1-f3", promotion without "=", and trailing "+", "#",
// "e.p.", "!" and "?" are all read.
SanReading readSan(std::string_view token, const Board &board, std::span<const PlayedMove> legal);

} // namespace chess
