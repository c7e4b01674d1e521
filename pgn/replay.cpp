#include "pgn/replay.h"

#include "app/move_controller.h"

namespace chess {

std::optional<int> ReplayDesktop::choosePromotion()
{
    const std::size_t choice = std::string_view("QRBN").find(promotion);
    return choice == std::string_view::npos ? 0 : static_cast<int>(choice);
}

bool playMove(GameState &state, ReplayDesktop &desktop, const PlayedMove &move)
{
    if (state.gameOver)
        return false;
    onCancel(state, desktop);
    const Side mover = state.sideToMove;
    desktop.promotion = move.promotion;
    onLeftDoubleClick(state, desktop, squareCentre(move.from));
    if (state.selectionState != SelectionState::PieceSelected || state.selectedFrom != move.from)
        return false;
    onLeftDoubleClick(state, desktop, squareCentre(move.to));
    return state.sideToMove != mover || state.gameOver;
}

} // namespace chess
