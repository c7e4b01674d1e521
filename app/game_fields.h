#pragma once

namespace chess {

struct CastlingRights {
    bool kingSide = true;
    bool queenSide = true;
};

// That side's pawn has just advanced two squares on `file`; the opponent may take it en
// passant on its very next move.
struct DoubleStepRecord {
    bool pending = false;
    int file = 0;
};

// What the frame on the board shows. The values are those the picture and the controller
// have always used; 2 and 4 do not occur.
enum class SelectionState {
    ShowLastMove = 0,   // red frame on the last destination
    PieceSelected = 1,  // blue frame on the picked-up piece
    IdleAfterLoad = 3,  // no frame: at start, after a load, after a cancel before any White move
    IdleAfterReset = 5, // no frame: after a reset
};

} // namespace chess
