#pragma once

#include "app/board.h"

#include <string>
#include <string_view>

// What a screen reader says, in plain words written to be heard: no colons, no marks, no
// abbreviations. The visible status texts stay as they are; these lines go beside them.
namespace chess {
struct GameState;
}

namespace chess::speech {

// "e4, white pawn", "e5, empty": the name of a square with what stands on it. A byte that is
// no piece letter is named as the pawn the board draws for it.
std::string squareWords(const Board &board, Square square);

// "White to move." / "Black to move."
std::string_view turnWords(Side sideToMove);

// Whose turn it is, or how the game ended when it has: "White has won.", "Draw.".
std::string_view gameWords(const GameState &state);

inline constexpr std::string_view illegalMove = "illegal move";
inline constexpr std::string_view pickedUp = ", picked up";
inline constexpr std::string_view putBack = ", put back";
inline constexpr std::string_view draw = "Draw.";
inline constexpr std::string_view newGame = "New game. White to move.";
inline constexpr std::string_view positionLoaded = "Position loaded. ";
std::string_view winWords(Side winner);                         // "White has won." / "Black has won."
inline constexpr std::string_view gameOpened = "Game opened. "; // a PGN game, then whose turn it is

// The clock: set (followed by both times), switched off, stopped and restarted; and the
// end of a game on time, "White's time is up. Black has won."
inline constexpr std::string_view clockSet = "Clock set. ";
inline constexpr std::string_view clockOff = "No clock.";
inline constexpr std::string_view clockPaused = "Clock stopped.";
inline constexpr std::string_view clockResumed = "Clock running.";
std::string timeUpWords(Side loser);

// After Undo, Redo or resuming, what came back, followed by gameWords.
inline constexpr std::string_view previousGameBack = "Previous game back.";
inline constexpr std::string_view beforeLoadBack = "Game before the load back.";
inline constexpr std::string_view newGameAgain = "New game.";
inline constexpr std::string_view positionLoadedAgain = "Position loaded.";
inline constexpr std::string_view lastGameResumed = "Last game resumed.";

// The move as the record holds it, in words: "e2 to e4", "e1 to g1, castling king side",
// "e5 to d6, en passant", "b2 to a1, takes white rook, promotes to queen". `captured` is
// what stood on `to` before the move (0 for nothing), `promotion` the new piece or 0.
struct MoveFacts {
    Square from;
    Square to;
    char captured = 0;
    bool castling = false;
    bool enPassant = false;
    char promotion = 0;
};
std::string moveWords(const MoveFacts &move);

} // namespace chess::speech
