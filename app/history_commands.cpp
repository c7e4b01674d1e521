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

// What came back after Undo or Redo, by the kind of step taken back or made again.
struct StepWords {
    std::string_view move; // followed by the move's squares
    std::string_view load;
    std::string_view newGame;
};
constexpr StepWords undoWords{"Took back ", speech::beforeLoadBack, speech::previousGameBack};
constexpr StepWords redoWords{"Replayed ", speech::positionLoadedAgain, speech::newGameAgain};

void walkHistory(GameState &state, Desktop &desktop, bool forward)
{
    if (!(forward ? state.history.canRedo() : state.history.canUndo()))
        return;
    const ChessClock clock = state.clock;
    const HistoryStep &step = forward ? state.history.redo(state) : state.history.undo(state);
    keepClockSetting(state.clock, clock, desktop.monotonicNow());
    const StepWords &words = forward ? redoWords : undoWords;
    switch (step.kind) {
    case StepKind::Move:
        showRestored(state, desktop, std::string(words.move) + moveSquares(step.move));
        break;
    case StepKind::Load: showRestored(state, desktop, std::string(words.load)); break;
    case StepKind::Start:
    case StepKind::Reset: showRestored(state, desktop, std::string(words.newGame)); break;
    }
}

} // namespace

void undoStep(GameState &state, Desktop &desktop) { walkHistory(state, desktop, false); }

void redoStep(GameState &state, Desktop &desktop) { walkHistory(state, desktop, true); }

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
