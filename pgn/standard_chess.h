#pragma once

#include "app/played_move.h"
#include "position/fen_reader.h"

#include <optional>
#include <vector>

namespace chess {

// A position under the rules of standard chess, which every PGN reader assumes: a king may
// never be left attacked, the other king attacks like any piece, castling needs a king that
// is not in check, and a right goes with a rook taken on its corner. This board plays by its
// own rules (see rules/); PGN moves are written and read against this position instead.
struct StandardPosition {
    Board board; // piece letters and 0 only
    Side sideToMove = Side::White;
    std::array<CastlingRights, 2> castlingRights{}; // White first
    std::optional<int> enPassantFile;               // the file of a pawn that has just stepped two squares
};

// The position as standard chess knows it, or nullopt when it has no such position: a byte
// that is no piece letter, other than one king a side, a pawn on the first or last rank, or
// the side that has just moved in check. Castling rights without their king and rook at home,
// and an en passant file with no pawn that can just have stepped there, are dropped.
std::optional<StandardPosition> standardPosition(const FenPosition &position);

// The game's position in the fields of a position file.
FenPosition fenPositionOf(const GameState &state);

// The square of `side`'s king, the first one found; nullopt when it has none.
std::optional<Square> findKing(const Board &board, Side side);

// Whether `side`'s king stands attacked, the opponent's king counting as an attacker.
bool isInCheck(const Board &board, Side side);

// Every move standard chess allows: castling as the king's move, one move for each of the four
// promotion pieces.
std::vector<PlayedMove> legalMoves(const StandardPosition &position);

// Where each piece of `side` may go by its movement rule alone, whatever becomes of its own
// king; pawns' moves are left out. Any byte that is no piece letter blocks a path and moves
// nowhere. For telling pieces apart in moves that standard chess does not have.
std::vector<PlayedMove> pieceMoves(const Board &board, Side side);

// Plays one of the moves legalMoves gave.
void playStandardMove(StandardPosition &position, const PlayedMove &move);

} // namespace chess
