#pragma once

#include "app/desktop.h"
#include "app/game_state.h"

#include <istream>
#include <optional>
#include <variant>

namespace chess {

// Where a position file failed, in the order the reader meets its fields.
enum class PositionFileError {
    Open,      // the file could not be opened, or it is a directory
    Placement, // the file ends before all 64 squares are filled
    Separator, // it ends at the byte after the placement
    Side,      // it ends at or right after the side to move
    Castling,  // it ends inside the castling field
    EnPassant, // the en passant field is neither "-" nor a file letter a-h
};

// A position as the file gives it, before it replaces the game.
struct FenPosition {
    Board board; // every byte other than digits, "/", space, tab, CR and LF, as it stands
    Side sideToMove = Side::White;
    std::array<CastlingRights, 2> castlingRights{{{false, false}, {false, false}}}; // White first
    std::optional<int> enPassantFile; // file 0-7 of the double step the side not to move just made
    int halfmoveCounter = 0;
    int moveNumber = 0; // the fullmove field
};

// Scans FEN byte by byte, never holding more than the position itself, so a file of any
// size and content is safe. The scanner is lenient as it has always been: bytes that are not
// piece letters are stored as they are, a digit run stops at file h, a side byte other than
// "w" or "W" means Black, and missing counters read as 0. The castling field runs up to the
// next space and the numbers up to the first byte that is not a digit (so a trailing line
// break is not read into them); numbers too large for an int stay at the largest int.
std::variant<FenPosition, PositionFileError> readFen(std::istream &in);

// Lets the game play on from `position`: the record is discarded, and the move numbering
// continues from the file's move number.
void applyPosition(GameState &state, const FenPosition &position);

// Asks for a FEN file and replaces the game by its position. Returns true only when the
// whole file was read; on cancel or failure the game stays exactly as it was. A failure is
// shown in a box, and a file that opened but did not read puts a picked-up piece back.
bool loadPositionFile(GameState &state, Desktop &desktop);

} // namespace chess
