#include "app/game_history.h"

#include "app/game_state.h"

#include <utility>

namespace chess {
namespace {

// The one list of the fields a step keeps, used in both directions.
template <typename To, typename From> void copyGameFields(To &to, const From &from)
{
    to.board = from.board;
    to.sideToMove = from.sideToMove;
    to.castlingRights = from.castlingRights;
    to.doubleStep = from.doubleStep;
    to.halfmoveCounter = from.halfmoveCounter;
    to.whiteMoveCount = from.whiteMoveCount;
    to.selectionState = from.selectionState;
    to.cursorSquare = from.cursorSquare;
    to.selectedFrom = from.selectedFrom;
    to.lastMoveTo = from.lastMoveTo;
    to.epCaptured = from.epCaptured;
    to.recordEnabled = from.recordEnabled;
    to.gameOver = from.gameOver;
    to.statusText = from.statusText;
    to.clock = from.clock;
}

// The step for the game as it stands, its record cut against the text before it.
HistoryStep stepOf(const GameState &state, StepKind kind, PlayedMove move, std::string_view recordBefore)
{
    HistoryStep step;
    step.kind = kind;
    step.move = move;
    step.after = gameSnapshot(state);
    step.recordExists = state.record.exists();
    const std::string_view text = state.record.view();
    step.recordContinues = step.recordExists && !recordBefore.empty() && text.starts_with(recordBefore);
    step.recordAdded = text.substr(step.recordContinues ? recordBefore.size() : 0);
    return step;
}

} // namespace

GameSnapshot gameSnapshot(const GameState &state)
{
    GameSnapshot snapshot;
    copyGameFields(snapshot, state);
    return snapshot;
}

void restoreGame(GameState &state, const GameSnapshot &snapshot) { copyGameFields(state, snapshot); }

void GameHistory::begin(const GameState &state)
{
    steps_.clear();
    steps_.push_back(stepOf(state, StepKind::Start, {}, {}));
    current_ = 0;
    currentRecord_ = state.record.view();
    resumeOffered_ = false;
}

void GameHistory::beginAfter(std::vector<HistoryStep> saved, const GameState &state)
{
    begin(state);
    if (saved.empty())
        return;
    saved.front().recordContinues = false; // nothing before it to continue
    resumable_ = saved.size() - 1;
    saved.push_back(std::move(steps_.front()));
    steps_ = std::move(saved);
    current_ = steps_.size() - 1;
    // Only a game with a move in it is worth offering back.
    for (std::size_t i = gameStartBefore(resumable_) + 1; i <= resumable_; ++i)
        resumeOffered_ = resumeOffered_ || steps_[i].kind == StepKind::Move;
}

void GameHistory::commit(const GameState &state, StepKind kind, PlayedMove move, std::string date)
{
    if (!steps_.empty())
        steps_.resize(current_ + 1);
    steps_.push_back(stepOf(state, kind, move, steps_.empty() ? std::string_view() : currentRecord_));
    current_ = steps_.size() - 1;
    steps_.back().date = std::move(date);
    currentRecord_ = state.record.view();
    resumeOffered_ = false;
}

bool GameHistory::canResume() const { return resumeOffered_ && current_ == resumable_ + 1; }

const HistoryStep &GameHistory::undo(GameState &state)
{
    const std::size_t undone = current_;
    restore(state, current_ - 1);
    return steps_[undone];
}

const HistoryStep &GameHistory::redo(GameState &state)
{
    restore(state, current_ + 1);
    return steps_[current_];
}

void GameHistory::resume(GameState &state) { restore(state, resumable_); }

std::string GameHistory::recordAt(std::size_t index) const
{
    if (!steps_[index].recordExists)
        return {};
    std::size_t first = index;
    while (first > 0 && steps_[first].recordContinues)
        --first;
    std::string text;
    for (std::size_t i = first; i <= index; ++i)
        text += steps_[i].recordAdded;
    return text;
}

std::string_view GameHistory::currentGameDate() const
{
    return currentGameHasMoves() ? std::string_view(steps_[gameStart() + 1].date) : std::string_view();
}

GameState GameHistory::gameAt(std::size_t index) const
{
    GameState game;
    copyGameFields(game, steps_[index].after);
    if (steps_[index].recordExists)
        game.record.text = recordAt(index);
    return game;
}

std::size_t GameHistory::gameStartBefore(std::size_t index) const
{
    while (index > 0 && steps_[index].kind == StepKind::Move)
        --index;
    return index;
}

void GameHistory::restore(GameState &state, std::size_t index)
{
    current_ = index;
    const HistoryStep &step = steps_[index];
    restoreGame(state, step.after);
    currentRecord_ = recordAt(index);
    if (step.recordExists)
        state.record.text = currentRecord_;
    else
        state.record.text.reset();
}

std::vector<PlayedMove> currentGameMoves(const GameHistory &history)
{
    std::vector<PlayedMove> moves;
    for (std::size_t i = history.gameStart() + 1; i <= history.current(); ++i)
        moves.push_back(history.steps()[i].move);
    return moves;
}

} // namespace chess
