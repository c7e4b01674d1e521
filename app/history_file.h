#pragma once

#include "app/game_history.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace chess {

// The saved history: the game before the current one and the current one up to the step it
// shows, as text that begins with a version line. Older games and steps ahead are left out,
// so the file stays small.
std::string historyFileText(const GameHistory &history);

// The steps of a saved history, or nullopt for anything that is not one whole, sound file of
// this version (damaged, cut short, empty, foreign or too large): the program then starts
// afresh with nothing to undo.
std::optional<std::vector<HistoryStep>> readHistoryFile(std::string_view text);

// The largest saved history read; a longer one is no file this program wrote.
inline constexpr std::size_t maxHistoryFileSize = 16 * 1024 * 1024;

} // namespace chess
