#include "position/fen_writer.h"

#include "app/file_replace.h"
#include "app/texts.h"

namespace chess {
namespace {

// Rank 8 first, files a to h; a run of empty squares is written as its length.
void appendPlacement(std::string &fen, const Board &board)
{
    for (int row = 0; row < 8; ++row) {
        if (row > 0)
            fen += '/';
        int emptyRun = 0;
        for (int file = 0; file < 8; ++file) {
            const char piece = board[{file, row}];
            if (piece == 0) {
                ++emptyRun;
                continue;
            }
            if (emptyRun > 0)
                fen += static_cast<char>('0' + emptyRun);
            emptyRun = 0;
            fen += piece;
        }
        if (emptyRun > 0)
            fen += static_cast<char>('0' + emptyRun);
    }
}

void appendCastling(std::string &fen, const GameState &state)
{
    const CastlingRights &white = state.castling(Side::White);
    const CastlingRights &black = state.castling(Side::Black);
    if (!white.kingSide && !white.queenSide && !black.kingSide && !black.queenSide) {
        fen += '-';
        return;
    }
    if (white.kingSide)
        fen += 'K';
    if (white.queenSide)
        fen += 'Q';
    if (black.kingSide)
        fen += 'k';
    if (black.queenSide)
        fen += 'q';
}

// The square the pawn of the side that just moved passed over on its double step.
void appendEnPassant(std::string &fen, const GameState &state)
{
    const DoubleStepRecord &step = state.doubleStepOf(opponent(state.sideToMove));
    if (!step.pending) {
        fen += '-';
        return;
    }
    fen += static_cast<char>('a' + step.file);
    fen += state.sideToMove == Side::White ? '6' : '3';
}

} // namespace

std::string positionToFen(const GameState &state)
{
    std::string fen;
    appendPlacement(fen, state.board);
    fen += state.sideToMove == Side::White ? " w " : " b ";
    appendCastling(fen, state);
    fen += ' ';
    appendEnPassant(fen, state);
    fen += ' ' + std::to_string(state.halfmoveCounter);
    // Wider than int: a loaded move number may already be the largest int.
    const long long moveNumber = state.sideToMove == Side::White
                                     ? static_cast<long long>(state.whiteMoveCount) + 1
                                     : state.whiteMoveCount;
    fen += ' ' + std::to_string(moveNumber);
    return fen;
}

void savePositionFile(const GameState &state, Desktop &desktop)
{
    const FileChooser chooser{
        std::string(texts::saveAsTitle),
        "無題.fen",
        {{std::string(texts::fenFilesFilter), "*.fen"}, {std::string(texts::allFilesFilter), "*.*"}},
        "fen"};
    saveThroughChooser(desktop, chooser, positionToFen(state));
}

} // namespace chess
