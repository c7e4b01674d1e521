// What the game's history costs: the memory a 1,000-move game's history holds, and the time
// from a gesture to its composed picture with and without the history saved after it. The
// save runs on its own thread, so the gesture's time must not depend on the disk.
#include "app/background_saver.h"
#include "app/history_file.h"
#include "app/menu_commands.h"
#include "app/move_controller.h"
#include "app/silent_desktop.h"
#include "view/board_picture.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <new>
#include <optional>

namespace {
// Bytes handed out by operator new and not yet returned, so that a structure's memory can be
// read off as the difference it makes.
std::atomic<std::ptrdiff_t> liveBytes{0};
} // namespace

#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif

void *operator new(std::size_t size)
{
    // The size sits in front of the block, so that delete can count it back.
    auto *block = static_cast<std::size_t *>(std::malloc(size + sizeof(std::max_align_t)));
    if (!block)
        throw std::bad_alloc();
    *block = size;
    liveBytes += static_cast<std::ptrdiff_t>(size);
    return reinterpret_cast<char *>(block) + sizeof(std::max_align_t);
}
void operator delete(void *pointer) noexcept
{
    if (!pointer)
        return;
    auto *block = reinterpret_cast<std::size_t *>(static_cast<char *>(pointer) - sizeof(std::max_align_t));
    liveBytes -= static_cast<std::ptrdiff_t>(*block);
    std::free(block);
}
void operator delete(void *pointer, std::size_t) noexcept { operator delete(pointer); }

namespace chess {
namespace {

// A desktop that saves the history as the desktop programs do, or not at all.
class SavingDesktop : public SilentDesktop {
public:
    explicit SavingDesktop(const std::filesystem::path &file)
    {
        if (!file.empty())
            saver_.emplace(file);
    }
    void saveHistory(const GameHistory &history) override
    {
        if (saver_)
            saver_->save(historyFileText(history));
    }

private:
    std::optional<BackgroundSaver> saver_;
};

void play(GameState &state, Desktop &desktop, Square from, Square to)
{
    onLeftDoubleClick(state, desktop, squareCentre(from));
    onLeftDoubleClick(state, desktop, squareCentre(to));
}

// One move of a long game that never ends: knights go out and back while the halfmove
// counter is low, and a pawn steps forward before it reaches the draw. The f-pawns stay, for
// the knights' sake; the others can step twice each, enough for more than 1,000 moves.
void playOneMove(GameState &state, Desktop &desktop, int &pawnSteps)
{
    const bool white = state.sideToMove == Side::White;
    if (state.halfmoveCounter < 40) {
        const Square home = white ? "g1"_sq : "g8"_sq;
        const Square out = white ? "f3"_sq : "f6"_sq;
        state.board[home] != 0 ? play(state, desktop, home, out) : play(state, desktop, out, home);
        return;
    }
    const int step = pawnSteps++ / 2; // White and Black take turns at the pawns
    const int file = "abcdegh"[step % 7] - 'a';
    const int rank = white ? 2 + step / 7 : 7 - step / 7;
    play(state, desktop, {file, 8 - rank}, {file, 8 - (white ? rank + 1 : rank - 1)});
}

GameState gameOf(int moves, Desktop &desktop)
{
    GameState state;
    state.history.begin(state);
    int pawnSteps = 0;
    for (int i = 0; i < moves && !state.gameOver; ++i)
        playOneMove(state, desktop, pawnSteps);
    return state;
}

void BM_HistoryMemoryOfALongGame(benchmark::State &bench)
{
    SilentDesktop desktop;
    const auto moves = static_cast<int>(bench.range(0));
    for (auto _ : bench) {
        GameState state = gameOf(moves, desktop);
        if (state.gameOver || state.history.steps().size() != static_cast<std::size_t>(moves) + 1)
            bench.SkipWithError("the game did not play as scripted");
        const std::ptrdiff_t before = liveBytes;
        {
            GameHistory released = std::move(state.history);
        }
        bench.counters["history_bytes"] = static_cast<double>(before - liveBytes);
    }
    GameState state = gameOf(moves, desktop);
    bench.counters["file_bytes"] = static_cast<double>(historyFileText(state.history).size());
}
BENCHMARK(BM_HistoryMemoryOfALongGame)->Arg(1000)->Iterations(1)->Unit(benchmark::kMillisecond);

// From a double-click to the picture it asks for, in a game `range(0)` moves long: a move
// and its undo, each composed, with the history saved to disk (range(1) = 1) or not at all.
void BM_GestureToPicture(benchmark::State &bench)
{
    const std::filesystem::path file =
        bench.range(1) ? std::filesystem::temp_directory_path() / "chess-history-bench" / "history" : "";
    {
        SavingDesktop desktop(file);
        GameState state = gameOf(static_cast<int>(bench.range(0)), desktop);
        int pawnSteps = 0; // each move is undone, so the counter stays low: knight moves only
        for (auto _ : bench) {
            playOneMove(state, desktop, pawnSteps);
            benchmark::DoNotOptimize(renderBoard(state.board, state.cursorSquare, state.selectionState));
            dispatchCommand(state, desktop, static_cast<int>(CommandId::Undo));
            benchmark::DoNotOptimize(renderBoard(state.board, state.cursorSquare, state.selectionState));
        }
    } // the last save is on the disk
    bench.SetItemsProcessed(bench.iterations() * 3);
    bench.SetLabel("items = gestures");
    if (!file.empty())
        std::filesystem::remove_all(file.parent_path());
}
BENCHMARK(BM_GestureToPicture)->ArgsProduct({{10, 1000}, {0, 1}})->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace chess
