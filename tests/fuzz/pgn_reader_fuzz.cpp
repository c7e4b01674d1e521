// Arbitrary bytes as a PGN file. Besides the sanitizers' checks: a game the board refuses
// leaves the game as it was, and a game that opens comes back from the writer's text with the
// same moves.
#include "app/silent_desktop.h"
#include "pgn/pgn_play.h"
#include "pgn/pgn_writer.h"
#include "position/fen_writer.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

bool sameGame(const chess::GameState &a, const chess::GameState &b)
{
    return chess::positionToFen(a) == chess::positionToFen(b) && a.record.text == b.record.text &&
           a.gameOver == b.gameOver && a.recordEnabled == b.recordEnabled &&
           a.selectionState == b.selectionState;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const auto read = chess::readPgn({reinterpret_cast<const char *>(data), size});
    const chess::PgnGame *game = std::get_if<chess::PgnGame>(&read);
    if (game == nullptr)
        return 0;

    chess::SilentDesktop desktop;
    chess::GameState state;
    state.gameOver = true; // a finished game, which an opened one replaces
    const chess::GameState before = state;
    if (chess::playPgn(state, desktop, *game)) {
        if (!sameGame(state, before))
            std::abort();
        return 0;
    }

    chess::GameState start;
    if (chess::playPgn(start, desktop, {game->setUp, {}, game->firstMove}))
        std::abort();
    const auto again = chess::readPgn(chess::writePgn(start, game->moves, "????.??.??"));
    const chess::PgnGame *back = std::get_if<chess::PgnGame>(&again);
    // Every move is one of standard chess, so all come back; only a last move to a mate or
    // stalemate that the result contradicts is told in the comment instead.
    if (back == nullptr || back->moves.size() + 1 < game->moves.size() ||
        back->moves.size() > game->moves.size() ||
        !std::equal(back->moves.begin(), back->moves.end(), game->moves.begin()))
        std::abort();
    return 0;
}
