#pragma once

#include "app/desktop.h"
#include "app/game_state.h"

#include <optional>
#include <span>
#include <string_view>

namespace chess {

// The File menu's command numbers, as the menu resource has always numbered them.
enum class CommandId {
    ResetBoard = 200,
    SavePosition = 201,
    ViewRecord = 202,
    SaveRecord = 203,
    CopyRecord = 204,
    Exit = 205,
    OpenPosition = 206,
};

// One entry of the File menu; a separator has no command. Captions mark their mnemonic
// with '&'.
struct MenuItem {
    std::optional<CommandId> command;
    std::string_view caption;
};

inline constexpr std::string_view fileMenuCaption = "ファイル(&F)";

// The File menu from top to bottom, separators included.
std::span<const MenuItem> fileMenuItems();

// Runs a menu command by its number; numbers the menu does not have are ignored.
void dispatchCommand(GameState &state, Desktop &desktop, int commandId);

// The record commands are offered only once White has made an ordinary move in this game.
bool isCommandEnabled(const GameState &state, CommandId command);

} // namespace chess
