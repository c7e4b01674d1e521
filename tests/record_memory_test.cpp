// What happens when the record cannot grow: the record is gone, the move stands and the
// player is told. The allocator of this test program refuses large blocks on request.
#include "app/move_controller.h"
#include "app/texts.h"
#include "fake_desktop.h"
#include "record/move_record.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

namespace {
// Blocks of this size or more are refused while set; the desktop fake never asks for one.
std::size_t refuseFrom = 0;
} // namespace

// These replace the global pair, so malloc and free do match; GCC cannot see that once it
// inlines them into the library's allocations.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif

void *operator new(std::size_t size)
{
    if (refuseFrom != 0 && size >= refuseFrom)
        throw std::bad_alloc();
    if (void *block = std::malloc(size == 0 ? 1 : size))
        return block;
    throw std::bad_alloc();
}
void operator delete(void *block) noexcept { std::free(block); }
void operator delete(void *block, std::size_t) noexcept { std::free(block); }

namespace chess {
namespace {

// A record exactly full, so that the next entry needs a larger block.
GameState stateWithAFullRecord()
{
    GameState state;
    state.record.text = std::string(5000, ' ');
    state.whiteMoveCount = 7;
    return state;
}

struct RefusingLargeBlocks {
    RefusingLargeBlocks() { refuseFrom = 4096; }
    ~RefusingLargeBlocks() { refuseFrom = 0; }
};

TEST(RecordMemory, AFailedAppendDiscardsTheRecordAndReportsIt)
{
    GameState state = stateWithAFullRecord();
    bool appended;
    {
        RefusingLargeBlocks refusing;
        appended = appendMoveToRecord(state, Side::White, "e2"_sq, "e4"_sq, 0, false);
    }
    EXPECT_FALSE(appended);
    EXPECT_FALSE(state.record.exists());
    EXPECT_EQ(state.whiteMoveCount, 7) << "no entry was written";
    EXPECT_TRUE(appendMoveToRecord(state, Side::Black, "e7"_sq, "e5"_sq, 0, false))
        << "the next move starts a new record";
    EXPECT_EQ(state.record.view(), "e7-e5\r\n");
}

TEST(RecordMemory, TheMoveStandsAndThePlayerIsTold)
{
    GameState state = stateWithAFullRecord();
    testing::FakeDesktop desktop;
    desktop.calls.reserve(16);
    const auto click = [&](Square s) { onLeftDoubleClick(state, desktop, squareCentre(s)); };
    click("e2"_sq);
    {
        RefusingLargeBlocks refusing;
        click("e4"_sq);
    }
    EXPECT_EQ(state.board["e4"_sq], 'P');
    EXPECT_EQ(state.sideToMove, Side::Black);
    EXPECT_FALSE(state.record.exists());
    const std::string box =
        "box: " + std::string(texts::recordFailed) + " | " + std::string(texts::recordFailedCaption);
    EXPECT_EQ(desktop.calls.at(2), box);
    EXPECT_EQ(desktop.calls.back(), "redraw") << "play goes on after the box";
}

} // namespace
} // namespace chess
