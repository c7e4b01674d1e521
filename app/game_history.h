#pragma once

#include "app/board.h"
#include "app/chess_clock.h"
#include "app/game_fields.h"
#include "app/played_move.h"

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace chess {

struct GameState;

// What changed the game. A start is where the program's run began; a reset and a load
// begin a new game as the start does.
enum class StepKind { Start, Move, Reset, Load };

// The game as one step left it: every field of the game state but the record, the keyboard
// square and the history itself.
struct GameSnapshot {
    Board board;
    Side sideToMove = Side::White;
    std::array<CastlingRights, 2> castlingRights{};
    std::array<DoubleStepRecord, 2> doubleStep{};
    int halfmoveCounter = 0;
    int whiteMoveCount = 0;
    SelectionState selectionState = SelectionState::IdleAfterLoad;
    Square cursorSquare;
    Square selectedFrom;
    Square lastMoveTo;
    bool epCaptured = false;
    bool recordEnabled = false;
    bool gameOver = false;
    std::string statusText;
    ChessClock clock;
};

// The game as it stands, and back again: the fields a step keeps.
GameSnapshot gameSnapshot(const GameState &state);
void restoreGame(GameState &state, const GameSnapshot &snapshot);

// One step. The record is kept as the part this step added to the previous step's text,
// so that a long game's history grows with its length, not with its square.
struct HistoryStep {
    StepKind kind = StepKind::Start;
    PlayedMove move;  // the move, for a Move step
    std::string date; // the day of a game's first move, "2026.12.09"; empty for other steps
    GameSnapshot after;
    bool recordExists = false;
    bool recordContinues = false; // recordAdded follows the previous step's text; else it is the whole text
    std::string recordAdded;
};

// Every change of the game, in order, with the step the game now shows. Undo and Redo walk
// it; a new step drops the steps ahead of the current one.
class GameHistory {
public:
    // Forgets everything and makes the game as it stands the first step.
    void begin(const GameState &state);
    // Puts steps saved by an earlier run behind the game as it stands now, as though a reset
    // had followed them; the last of them can be resumed until the next step is made.
    void beginAfter(std::vector<HistoryStep> saved, const GameState &state);

    // Records the step just made. The first step of a history that was never begun becomes
    // its start.
    void commit(const GameState &state, StepKind kind, PlayedMove move = {}, std::string date = {});

    bool canUndo() const { return current_ > 0; }
    bool canRedo() const { return current_ + 1 < steps_.size(); }
    // The earlier run's game is still there to resume: nothing has been done in this run.
    bool canResume() const;

    // Each returns the step whose change was taken back or made again, after putting the game
    // as that step left it (undo: as the step before it left it).
    const HistoryStep &undo(GameState &state);
    const HistoryStep &redo(GameState &state);
    void resume(GameState &state);

    std::span<const HistoryStep> steps() const { return steps_; }
    std::size_t current() const { return current_; }
    // The first step of the game the current step belongs to: the last start, reset or load
    // at or before it.
    std::size_t gameStart() const { return gameStartBefore(current_); }
    // The record text as step `index` left it.
    std::string recordAt(std::size_t index) const;
    // The game as step `index` left it, record included, with no history of its own.
    GameState gameAt(std::size_t index) const;
    // Whether a move has been made in the current game.
    bool currentGameHasMoves() const { return !steps_.empty() && current_ > gameStart(); }
    // The day of the current game's first move; empty when unknown or none was made.
    std::string_view currentGameDate() const;

private:
    std::size_t gameStartBefore(std::size_t index) const;
    void restore(GameState &state, std::size_t index);

    std::vector<HistoryStep> steps_;
    std::size_t current_ = 0;
    std::string currentRecord_; // recordAt(current_), kept to cut the next step's record against
    std::size_t resumable_ = 0; // the earlier run's last step; meaningful while canResume()
    bool resumeOffered_ = false;
};

// The moves of the current game, from its start to the current step.
std::vector<PlayedMove> currentGameMoves(const GameHistory &history);

} // namespace chess
