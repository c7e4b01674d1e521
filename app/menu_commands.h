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
    // The game menu's.
    Undo = 210,
    Redo = 211,
    ResumeLastGame = 212,
    SavePgn = 215,
    CopyPgn = 216,
    OpenPgn = 217,
    ChooseClock = 213,
    PauseClock = 214,
};

// One entry of a menu; a separator has no command. Captions mark their mnemonic with '&'.
// Shortcuts run the command from anywhere in the window: "Ctrl+Z", "Ctrl+Shift+Z".
struct MenuItem {
    std::optional<CommandId> command;
    std::string_view caption;
    std::string_view shortcut = {};            // shown beside the caption
    std::string_view alternativeShortcut = {}; // runs it too, unshown
};

inline constexpr std::string_view fileMenuCaption = "ファイル(&F)";
inline constexpr std::string_view gameMenuCaption = "対局(&G)";

// The menus from top to bottom, separators included.
std::span<const MenuItem> fileMenuItems();
std::span<const MenuItem> gameMenuItems();

// The command a Ctrl key combination runs: `letter` is the key's upper-case letter.
std::optional<CommandId> shortcutCommand(char letter, bool shift);

// The caption a command shows now: the clock's pause command says what it will do.
std::string_view commandCaption(const GameState &state, CommandId command);

// Runs a menu command by its number; numbers the menu does not have are ignored.
void dispatchCommand(GameState &state, Desktop &desktop, int commandId);

// The record commands are offered only once White has made an ordinary move in this game;
// Undo, Redo and resuming only while the history has that step; stopping the clock only
// while one is set.
bool isCommandEnabled(const GameState &state, CommandId command);

} // namespace chess
