#include "app/game_state.h"

#include "app/clock_commands.h"
#include "app/speech.h"
#include "record/move_record.h"

namespace chess {

void resetGame(GameState &state)
{
    state.board = GameState::initialBoard;
    freeRecord(state);
    state.whiteMoveCount = 0;
    state.castlingRights = {};
    for (DoubleStepRecord &record : state.doubleStep)
        record.pending = false;
}

void startNewGame(GameState &state, Desktop &desktop)
{
    resetGame(state);
    state.sideToMove = Side::White;
    state.selectionState = SelectionState::IdleAfterReset;
    showStatus(state, desktop, texts::ready);
    state.recordEnabled = false;
    state.gameOver = false;
    state.halfmoveCounter = 0;
    state.clock = freshClock(state.clock.control);
    desktop.requestRedraw();
    showClock(state, desktop);
    desktop.announce(speech::newGame);
}

void showStatus(GameState &state, Desktop &desktop, std::string_view text)
{
    state.statusText = text;
    desktop.setStatusText(text);
}

} // namespace chess
