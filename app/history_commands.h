#pragma once

#include "app/desktop.h"
#include "app/game_state.h"

#include <filesystem>
#include <string_view>

namespace chess {

// The game menu's history commands. Each puts the game back exactly as a step left it,
// shows it, says what happened, and has the history saved. A command with no step to go to
// does nothing. The clock comes back with the step's times (keepClockSetting).

// Back one step; a picked-up piece goes back with it.
void undoStep(GameState &state, Desktop &desktop);
// Forward again one step taken back.
void redoStep(GameState &state, Desktop &desktop);
// Back to the game as the earlier run left it, in one step, its clock stopped.
void resumeLastGame(GameState &state, Desktop &desktop);

// Begins the history of a run on the game as it stands, behind the history an earlier run
// saved (the text of its file, empty when there was none). A file that cannot be read is
// ignored: the run starts with nothing to undo.
void startHistory(GameState &state, std::string_view savedFile);
// The same with the text of `file`; none when the path is empty.
void startHistoryFromFile(GameState &state, const std::filesystem::path &file);

} // namespace chess
