// Arbitrary bytes as a saved history. Whatever reads must be a whole history: the game can
// be resumed from it and stepped back through to its start, and it is written back as a file
// that reads again.
#include "app/history_commands.h"
#include "app/history_file.h"
#include "app/silent_desktop.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    if (!chess::readHistoryFile(text))
        return 0;
    chess::GameState state;
    chess::SilentDesktop desktop;
    chess::startHistory(state, text);
    if (!state.history.canUndo())
        std::abort();
    chess::resumeLastGame(state, desktop);
    while (state.history.canUndo())
        chess::undoStep(state, desktop);
    while (state.history.canRedo())
        chess::redoStep(state, desktop);
    if (!chess::readHistoryFile(chess::historyFileText(state.history)))
        std::abort();
    return 0;
}
