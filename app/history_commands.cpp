#include "app/history_commands.h"

#include "app/clock_commands.h"
#include "app/history_file.h"
#include "app/speech.h"

#include <fstream>
#include <system_error>

namespace chess {
namespace {

void showRestored(const GameState &state, Desktop &desktop, const std::string &line)
{
    desktop.setStatusText(state.statusText);
    desktop.requestRedraw();
    showClock(state, desktop);
    desktop.saveHistory(state.history);
    desktop.announce(line + " " + std::string(speech::gameWords(state)));
}

std::string moveSquares(const PlayedMove &move)
{
    return squareName(move.from) + " to " + squareName(move.to) + ".";
}

} // namespace

void undoStep(GameState &state, Desktop &desktop)
{
    if (!state.history.canUndo())
        return;
    const ChessClock clock = state.clock;
    const HistoryStep &undone = state.history.undo(state);
    keepClockSetting(state.clock, clock, desktop.monotonicNow());
    switch (undone.kind) {
    case StepKind::Move: showRestored(state, desktop, "Took back " + moveSquares(undone.move)); break;
    case StepKind::Load: showRestored(state, desktop, std::string(speech::beforeLoadBack)); break;
    case StepKind::Start:
    case StepKind::Reset: showRestored(state, desktop, std::string(speech::previousGameBack)); break;
    }
}

void redoStep(GameState &state, Desktop &desktop)
{
    if (!state.history.canRedo())
        return;
    const ChessClock clock = state.clock;
    const HistoryStep &redone = state.history.redo(state);
    keepClockSetting(state.clock, clock, desktop.monotonicNow());
    switch (redone.kind) {
    case StepKind::Move: showRestored(state, desktop, "Replayed " + moveSquares(redone.move)); break;
    case StepKind::Load: showRestored(state, desktop, std::string(speech::positionLoadedAgain)); break;
    case StepKind::Start:
    case StepKind::Reset: showRestored(state, desktop, std::string(speech::newGameAgain)); break;
    }
}

void resumeLastGame(GameState &state, Desktop &desktop)
{
    if (!state.history.canResume())
        return;
    const ChessClock clock = state.clock;
    state.history.resume(state);
    keepClockSetting(state.clock, clock, desktop.monotonicNow());
    // The saved game's clock stays stopped until the players are ready.
    state.clock.paused = state.clock.control.isOn();
    showRestored(state, desktop, std::string(speech::lastGameResumed));
}

void startHistory(GameState &state, std::string_view savedFile)
{
    std::optional<std::vector<HistoryStep>> saved = readHistoryFile(savedFile);
    state.history.beginAfter(saved ? std::move(*saved) : std::vector<HistoryStep>{}, state);
}

void startHistoryFromFile(GameState &state, const std::filesystem::path &file)
{
    std::string text;
    std::error_code error;
    const std::uintmax_t size = file.empty() ? 0 : std::filesystem::file_size(file, error);
    if (!error && size <= maxHistoryFileSize) {
        std::ifstream in(file, std::ios::binary);
        text.resize(static_cast<std::size_t>(size));
        in.read(text.data(), static_cast<std::streamsize>(size));
        text.resize(static_cast<std::size_t>(in.gcount()));
    }
    startHistory(state, text);
}

} // namespace chess
