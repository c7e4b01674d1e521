// How fast the core answers a player: composing the picture after each gesture, handling
// the gestures of a whole game, and writing the record as it grows.
#include "app/menu_commands.h"
#include "app/move_controller.h"
#include "app/silent_desktop.h"
#include "record/move_record.h"
#include "view/board_picture.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace chess {
namespace {

void BM_ComposePicture(benchmark::State &bench)
{
    const Board board = GameState::initialBoard;
    for (auto _ : bench)
        benchmark::DoNotOptimize(renderBoard(board, "e4"_sq, SelectionState::ShowLastMove));
}
BENCHMARK(BM_ComposePicture);

// An opening with a castling on each side, then a knight shuffle that stops short of the
// draw at 50: 96 double-clicks and a reset a game.
std::vector<Square> longGame()
{
    std::vector<Square> clicks;
    const auto move = [&](Square from, Square to) {
        clicks.push_back(from);
        clicks.push_back(to);
    };
    move("e2"_sq, "e4"_sq), move("e7"_sq, "e5"_sq), move("g1"_sq, "f3"_sq), move("g8"_sq, "f6"_sq);
    move("f1"_sq, "c4"_sq), move("f8"_sq, "c5"_sq), move("e1"_sq, "g1"_sq), move("e8"_sq, "g8"_sq);
    for (int i = 0; i < 10; ++i) {
        move("b1"_sq, "c3"_sq), move("b8"_sq, "c6"_sq), move("c3"_sq, "b1"_sq), move("c6"_sq, "b8"_sq);
    }
    return clicks;
}

void BM_ReplayGameThroughTheController(benchmark::State &bench)
{
    const std::vector<Square> clicks = longGame();
    SilentDesktop desktop;
    GameState state;
    for (auto _ : bench) {
        state.history.begin(state); // one game's history, not every iteration's
        dispatchCommand(state, desktop, static_cast<int>(CommandId::ResetBoard));
        for (const Square s : clicks)
            onLeftDoubleClick(state, desktop, squareCentre(s));
        if (!state.record.exists() || state.gameOver)
            bench.SkipWithError("the game did not play as scripted");
    }
    bench.SetItemsProcessed(bench.iterations() * static_cast<std::int64_t>(clicks.size() + 1));
    bench.SetLabel("items = gestures");
}
BENCHMARK(BM_ReplayGameThroughTheController);

// The time per entry must stay flat however long the record is.
void BM_AppendRecordEntries(benchmark::State &bench)
{
    const auto entries = static_cast<int>(bench.range(0));
    for (auto _ : bench) {
        GameState state;
        for (int i = 0; i < entries; ++i)
            appendMoveToRecord(state, i % 2 == 0 ? Side::White : Side::Black, "g1"_sq, "f3"_sq, 0, false);
        benchmark::DoNotOptimize(state.record.view().data());
    }
    bench.SetItemsProcessed(bench.iterations() * entries);
    bench.SetComplexityN(entries);
}
BENCHMARK(BM_AppendRecordEntries)->RangeMultiplier(4)->Range(1250, 20000)->Complexity(benchmark::oN);

} // namespace
} // namespace chess
