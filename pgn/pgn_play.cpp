#include "pgn/pgn_play.h"

#include "app/speech.h"
#include "app/texts.h"
#include "pgn/replay.h"

namespace chess {

std::optional<PgnError> playPgn(GameState &state, Desktop &desktop, const PgnGame &game)
{
    GameState trial = state;
    ReplayDesktop quiet;
    startNewGame(trial, quiet);
    if (game.setUp) {
        applyPosition(trial, *game.setUp);
        trial.selectionState = SelectionState::IdleAfterLoad;
        showStatus(trial, quiet, trial.sideToMove == Side::White ? texts::whiteToMove : texts::blackToMove);
    }
    // The game's start is one step and each move another, so the opened game can be stepped
    // through with Undo and Redo, and the one before it comes back whole.
    trial.history.commit(trial, game.setUp ? StepKind::Load : StepKind::Reset);
    for (std::size_t i = 0; i < game.moves.size(); ++i) {
        const MoveLabel label = labelAfter(game.firstMove, i);
        if (trial.gameOver)
            return PgnError{PgnErrorKind::EndedBefore, label};
        if (!playMove(trial, quiet, game.moves[i]))
            return PgnError{PgnErrorKind::RefusedByBoard, label};
    }
    state = std::move(trial);
    desktop.setStatusText(state.statusText);
    desktop.requestRedraw();
    desktop.saveHistory(state.history);
    desktop.announce(std::string(speech::gameOpened) +
                     std::string(state.gameOver ? speech::draw : speech::turnWords(state.sideToMove)));
    return std::nullopt;
}

} // namespace chess
