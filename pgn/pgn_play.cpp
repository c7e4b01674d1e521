#include "pgn/pgn_play.h"

#include "app/menu_commands.h"
#include "app/speech.h"
#include "app/texts.h"
#include "pgn/replay.h"

namespace chess {

std::optional<PgnError> playPgn(GameState &state, Desktop &desktop, const PgnGame &game)
{
    GameState trial = state;
    ReplayDesktop quiet;
    dispatchCommand(trial, quiet, static_cast<int>(CommandId::ResetBoard));
    if (game.setUp) {
        applyPosition(trial, *game.setUp);
        trial.selectionState = SelectionState::IdleAfterLoad;
        quiet.setStatusText(trial.sideToMove == Side::White ? texts::whiteToMove : texts::blackToMove);
    }
    for (std::size_t i = 0; i < game.moves.size(); ++i) {
        const MoveLabel label = labelAfter(game.firstMove, i);
        if (trial.gameOver)
            return PgnError{PgnErrorKind::EndedBefore, label};
        if (!playMove(trial, quiet, game.moves[i]))
            return PgnError{PgnErrorKind::RefusedByBoard, label};
    }
    state = std::move(trial);
    desktop.setStatusText(quiet.statusText);
    desktop.requestRedraw();
    desktop.announce(std::string(speech::gameOpened) +
                     std::string(state.gameOver ? speech::draw : speech::turnWords(state.sideToMove)));
    return std::nullopt;
}

} // namespace chess
