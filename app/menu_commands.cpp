#include "app/menu_commands.h"

#include "app/clock_commands.h"
#include "app/history_commands.h"
#include "app/speech.h"
#include "app/texts.h"
#include "pgn/pgn_commands.h"
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

constexpr std::array<MenuItem, 11> gameItems = {{
    {CommandId::Undo, "元に戻す(&U)", "Ctrl+Z"},
    {CommandId::Redo, "やり直し(&R)", "Ctrl+Y", "Ctrl+Shift+Z"},
    {std::nullopt, {}},
    {CommandId::ResumeLastGame, "前回の対局を再開(&L)"},
    {std::nullopt, {}},
    {CommandId::SavePgn, "PGN で保存(&S)..."},
    {CommandId::CopyPgn, "PGN をコピー(&C)"},
    {CommandId::OpenPgn, "PGN を開く(&O)..."},
    {std::nullopt, {}},
    {CommandId::ChooseClock, "対局時計(&T)..."},
    {CommandId::PauseClock, "時計を止める(&P)"},
}};
constexpr std::string_view restartClockCaption = "時計を動かす(&P)";

// The current game as the PGN commands take it: its start, its moves, the date of its first
// move, and the side whose time ran out when that ended it.
void withCurrentGame(const GameState &state, Desktop &desktop,
                     void (*command)(const GameState &, std::span<const PlayedMove>, std::string_view,
                                     Desktop &, std::optional<Side>))
{
    const GameHistory &history = state.history;
    const std::string_view date = history.currentGameDate();
    command(history.gameAt(history.gameStart()), currentGameMoves(history),
            date.empty() ? "????.??.??" : date, desktop, flagFallen(state));
}

// "Ctrl+Shift+Z" for the letter Z with Shift.
bool isShortcut(std::string_view shortcut, char letter, bool shift)
{
    const std::string_view prefix = shift ? "Ctrl+Shift+" : "Ctrl+";
    return shortcut.size() == prefix.size() + 1 && shortcut.starts_with(prefix) && shortcut.back() == letter;
}

void resetBoard(GameState &state, Desktop &desktop)
{
    startNewGame(state, desktop);
    state.history.commit(state, StepKind::Reset);
    desktop.saveHistory(state.history);
}

// A cancelled or failed load leaves the game as it was, record commands and status included.
void openPosition(GameState &state, Desktop &desktop)
{
    if (!loadPositionFile(state, desktop))
        return;
    state.selectionState = SelectionState::IdleAfterLoad;
    state.recordEnabled = false;
    showStatus(state, desktop, state.sideToMove == Side::White ? texts::whiteToMove : texts::blackToMove);
    state.clock = freshClock(state.clock.control);
    state.history.commit(state, StepKind::Load);
    desktop.saveHistory(state.history);
    desktop.requestRedraw();
    showClock(state, desktop);
    desktop.announce(std::string(speech::positionLoaded) + std::string(speech::turnWords(state.sideToMove)));
}

} // namespace

std::span<const MenuItem> fileMenuItems() { return menuItems; }
std::span<const MenuItem> gameMenuItems() { return gameItems; }

std::optional<CommandId> shortcutCommand(char letter, bool shift)
{
    for (const MenuItem &item : gameItems)
        if (isShortcut(item.shortcut, letter, shift) || isShortcut(item.alternativeShortcut, letter, shift))
            return item.command;
    return std::nullopt;
}

std::string_view commandCaption(const GameState &state, CommandId command)
{
    if (command == CommandId::PauseClock && state.clock.paused)
        return restartClockCaption;
    for (const std::span<const MenuItem> menu : {fileMenuItems(), gameMenuItems()})
        for (const MenuItem &item : menu)
            if (item.command == command)
                return item.caption;
    return {};
}

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
    case CommandId::Undo: undoStep(state, desktop); break;
    case CommandId::Redo: redoStep(state, desktop); break;
    case CommandId::ResumeLastGame: resumeLastGame(state, desktop); break;
    case CommandId::SavePgn: withCurrentGame(state, desktop, savePgnFile); break;
    case CommandId::CopyPgn: withCurrentGame(state, desktop, copyPgnToClipboard); break;
    case CommandId::OpenPgn: openPgnFile(state, desktop); break;
    case CommandId::ChooseClock: chooseClock(state, desktop); break;
    case CommandId::PauseClock: togglePause(state, desktop); break;
    default: break;
    }
}

bool isCommandEnabled(const GameState &state, CommandId command)
{
    switch (command) {
    case CommandId::ViewRecord:
    case CommandId::SaveRecord:
    case CommandId::CopyRecord: return state.recordEnabled;
    case CommandId::Undo: return state.history.canUndo();
    case CommandId::Redo: return state.history.canRedo();
    case CommandId::ResumeLastGame: return state.history.canResume();
    case CommandId::SavePgn:
    case CommandId::CopyPgn: return state.history.currentGameHasMoves();
    case CommandId::PauseClock: return state.clock.control.isOn();
    default: return true;
    }
}

} // namespace chess
