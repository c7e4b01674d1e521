#pragma once

#include "app/board.h"
#include "app/desktop.h"
#include "app/game_fields.h"
#include "app/game_history.h"
#include "app/texts.h"
#include "record/game_record.h"

#include <limits>
#include <optional>
#include <string>

namespace chess {

// The square a keyboard player moves and acts on. It is not the frame: the frame stays where
// the last move or pick-up put it, while this one goes wherever the player looks.
struct KeyboardCursor {
    Square square = "e2"_sq;      // the usual first piece to move
    std::optional<int> typedFile; // a file letter typed and waiting for its rank digit
    bool used = false;            // a key has moved or acted on it: the front ends mark it from then on
};

// Everything a game is. One instance lives as long as the window; every part of the program
// reads and changes its fields directly, always on the UI thread.
struct GameState {
    static constexpr Board initialBoard = openingBoard();

    Board board = initialBoard;
    Side sideToMove = Side::White;
    std::array<CastlingRights, 2> castlingRights{}; // White first
    std::array<DoubleStepRecord, 2> doubleStep{};   // White first
    int halfmoveCounter = 0;                        // moves since the last pawn move or capture
    int whiteMoveCount = 0; // White entries in the record: the basis of the move numbers
    SelectionState selectionState = SelectionState::IdleAfterLoad;
    Square cursorSquare;     // the last double-clicked square; the frame is drawn here
    Square selectedFrom;     // the square of the picked-up piece
    Square lastMoveTo;       // destination of the last ordinary move
    bool epCaptured = false; // the last accepted move took a pawn en passant
    KeyboardCursor keyboard;
    bool recordEnabled = false;
    bool gameOver = false;
    GameRecord record;
    std::string statusText{texts::ready}; // what the status bar shows
    ChessClock clock;
    GameHistory history;

    CastlingRights &castling(Side side) { return castlingRights[sideIndex(side)]; }
    const CastlingRights &castling(Side side) const { return castlingRights[sideIndex(side)]; }
    DoubleStepRecord &doubleStepOf(Side side) { return doubleStep[sideIndex(side)]; }
    const DoubleStepRecord &doubleStepOf(Side side) const { return doubleStep[sideIndex(side)]; }
};

// One more of a counter that a loaded file may have set as high as an int goes: it stays
// there rather than wrapping to a negative count.
constexpr int countedOnce(int count) { return count == std::numeric_limits<int>::max() ? count : count + 1; }

// Back to the opening position with every castling right and no record. The move numbers
// start again from 1 even when no record existed (after a load, say). The frame position is
// left alone: the reset command hides the frame and sets the remaining fields.
void resetGame(GameState &state);

// What the reset command does to the game and the window, short of making it a step of the
// history: the opening position with no frame, "Ready", and the spoken line.
void startNewGame(GameState &state, Desktop &desktop);

// Shows `text` in the status bar and keeps it with the game, so that a step taken back
// shows again what it showed.
void showStatus(GameState &state, Desktop &desktop, std::string_view text);

} // namespace chess
