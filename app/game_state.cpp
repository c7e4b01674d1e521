#include "app/game_state.h"

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

void showStatus(GameState &state, Desktop &desktop, std::string_view text)
{
    state.statusText = text;
    desktop.setStatusText(text);
}

} // namespace chess
