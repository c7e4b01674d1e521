#pragma once

#include "app/menu_commands.h"
#include "app/move_controller.h"
#include "fake_desktop.h"

#include <gtest/gtest.h>

namespace chess::testing {

// A game on the recording desktop, with its history begun, played by double-clicks and menu
// commands as a player would.
class GameTest : public ::testing::Test {
protected:
    GameState state;
    FakeDesktop desktop;

    void SetUp() override { state.history.begin(state); }
    void command(CommandId id) { dispatchCommand(state, desktop, static_cast<int>(id)); }
    void move(Square from, Square to)
    {
        onLeftDoubleClick(state, desktop, squareCentre(from));
        onLeftDoubleClick(state, desktop, squareCentre(to));
    }
};

} // namespace chess::testing
