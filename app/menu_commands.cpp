#include "app/menu_commands.h"

#include "app/speech.h"
#include "app/texts.h"
#include "position/fen_reader.h"
#include "position/fen_writer.h"
#include "record/record_commands.h"

#include <array>

namespace chess {
namespace {

constexpr std::array<MenuItem, 9> menuItems = {{
    {CommandId::ResetBoard, "盤面の初期化(&R)"},
    {CommandId::SavePosition, "盤面の保存(&F)"},
    {CommandId::OpenPosition, "盤面データを開く"},
    {std::nullopt, {}},
    {CommandId::ViewRecord, "棋譜を見る(&P)"},
    {CommandId::SaveRecord, "棋譜の保存(&R)"},
    {CommandId::CopyRecord, "棋譜をコピー"},
    {std::nullopt, {}},
    {CommandId::Exit, "終了(&X)"},
}};

void resetBoard(GameState &state, Desktop &desktop)
{
    resetGame(state);
    state.sideToMove = Side::White;
    state.selectionState = SelectionState::IdleAfterReset;
    desktop.setStatusText(texts::ready);
    state.recordEnabled = false;
    state.gameOver = false;
    state.halfmoveCounter = 0;
    desktop.requestRedraw();
    desktop.announce(speech::newGame);
}

// A cancelled or failed load leaves the game as it was, record commands and status included.
void openPosition(GameState &state, Desktop &desktop)
{
    if (!loadPositionFile(state, desktop))
        return;
    state.selectionState = SelectionState::IdleAfterLoad;
    state.recordEnabled = false;
    desktop.setStatusText(state.sideToMove == Side::White ? texts::whiteToMove : texts::blackToMove);
    desktop.requestRedraw();
    desktop.announce(std::string(speech::positionLoaded) + std::string(speech::turnWords(state.sideToMove)));
}

} // namespace

std::span<const MenuItem> fileMenuItems() { return menuItems; }

void dispatchCommand(GameState &state, Desktop &desktop, int commandId)
{
    switch (static_cast<CommandId>(commandId)) {
    case CommandId::ResetBoard: resetBoard(state, desktop); break;
    case CommandId::SavePosition: savePositionFile(state, desktop); break;
    case CommandId::OpenPosition: openPosition(state, desktop); break;
    case CommandId::ViewRecord: viewRecord(state, desktop); break;
    case CommandId::SaveRecord: saveRecordFile(state, desktop); break;
    case CommandId::CopyRecord: copyRecordToClipboard(state, desktop); break;
    case CommandId::Exit: desktop.requestClose(); break;
    default: break;
    }
}

bool isCommandEnabled(const GameState &state, CommandId command)
{
    switch (command) {
    case CommandId::ViewRecord:
    case CommandId::SaveRecord:
    case CommandId::CopyRecord: return state.recordEnabled;
    default: return true;
    }
}

} // namespace chess
