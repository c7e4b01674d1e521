#pragma once

#include "app/game_state.h"

#include <sstream>
#include <string>

namespace chess::testing {

// Every field of the game, so that two states compare as a whole with a readable difference.
inline std::string snapshot(const GameState &s)
{
    std::ostringstream out;
    out << "board";
    for (const char c : s.board.squares)
        out << ' ' << static_cast<int>(static_cast<unsigned char>(c));
    out << "\nside " << sideIndex(s.sideToMove) << " rights";
    for (const CastlingRights &r : s.castlingRights)
        out << ' ' << r.kingSide << r.queenSide;
    out << " double steps";
    for (const DoubleStepRecord &d : s.doubleStep)
        out << ' ' << d.pending << '@' << d.file;
    out << "\nhalfmove " << s.halfmoveCounter << " white moves " << s.whiteMoveCount << "\nselection "
        << static_cast<int>(s.selectionState) << " cursor " << s.cursorSquare.file << s.cursorSquare.row
        << " from " << s.selectedFrom.file << s.selectedFrom.row << " last " << s.lastMoveTo.file
        << s.lastMoveTo.row << "\nep captured " << s.epCaptured << " record enabled " << s.recordEnabled
        << " game over " << s.gameOver << "\nrecord "
        << (s.record.exists() ? "[" + std::string(s.record.view()) + "]" : "none");
    return out.str();
}

} // namespace chess::testing
