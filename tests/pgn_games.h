#pragma once

#include "app/move_controller.h"
#include "app/silent_desktop.h"
#include "pgn/replay.h"
#include "pgn/standard_chess.h"
#include "position/fen_reader.h"
#include "position/fen_writer.h"
#include "random_play.h"

#include <cctype>
#include <sstream>

// Whole games for the PGN tests: the soak test's random player, and a player that makes
// random moves of standard chess.
namespace chess::testing {

struct PlayedGame {
    GameState start;
    std::vector<PlayedMove> moves;
    std::size_t standardMoves = 0; // the first moves, made by the standard chess player
};

// The soak test's player, who answers the promotion dialog at random too.
class RandomPlayerDesktop : public SilentDesktop {
public:
    explicit RandomPlayerDesktop(std::mt19937 &random) : random_(random) {}
    std::optional<int> choosePromotion() override
    {
        const int choice = std::uniform_int_distribution<int>(-1, 3)(random_);
        return choice < 0 ? std::nullopt : std::optional<int>(choice);
    }

private:
    std::mt19937 &random_;
};

// The soak test's clicks until the game ends or `moves` holds `maxMoves`.
inline void playSoakMoves(GameState &state, std::vector<PlayedMove> &moves, std::mt19937 &random,
                          std::size_t maxMoves)
{
    RandomPlayerDesktop desktop(random);
    std::uniform_int_distribution<int> perMille(0, 999);
    for (int gesture = 0; gesture < 100'000 && !state.gameOver && moves.size() < maxMoves; ++gesture) {
        const int kind = perMille(random);
        if (kind < 100) {
            onCancel(state, desktop);
            continue;
        }
        const Board before = state.board;
        const Side mover = state.sideToMove;
        onLeftDoubleClick(state, desktop, nextClick(state, kind, random));
        if (state.sideToMove == mover && !state.gameOver)
            continue;
        const Square from = state.selectedFrom, to = state.cursorSquare;
        const bool promoted =
            before[from] == pieceLetter(mover, PieceIndex::Pawn) && state.board[to] != before[from];
        moves.push_back(
            {from, to,
             promoted ? static_cast<char>(std::toupper(static_cast<unsigned char>(state.board[to]))) : '\0'});
    }
}

// Random moves of standard chess, captures preferred so that games get decided, until none is
// left, the board ends the game or `moves` holds `maxMoves`.
inline void playStandardMoves(GameState &state, std::vector<PlayedMove> &moves, std::mt19937 &random,
                              std::size_t maxMoves)
{
    std::optional<StandardPosition> position = standardPosition(fenPositionOf(state));
    ReplayDesktop desktop;
    while (position && !state.gameOver && moves.size() < maxMoves) {
        const std::vector<PlayedMove> legal = legalMoves(*position);
        std::vector<PlayedMove> captures;
        for (const PlayedMove &move : legal)
            if (position->board[move.to] != 0 || move.promotion != 0)
                captures.push_back(move);
        const std::vector<PlayedMove> &pool = !captures.empty() && random() % 3 != 0 ? captures : legal;
        if (pool.empty())
            return;
        const PlayedMove move = pool[random() % pool.size()];
        if (!playMove(state, desktop, move))
            return;
        playStandardMove(*position, move);
        moves.push_back(move);
    }
}

// The game's position taken in as the position file command takes it.
inline GameState loadedFrom(const GameState &state)
{
    std::istringstream in(positionToFen(state));
    GameState loaded;
    applyPosition(loaded, std::get<FenPosition>(readFen(in)));
    return loaded;
}

// A random game. Half of them start from a position that another random game reached,
// loaded as from a file; `standardFirst` plays moves of standard chess before the soak's.
inline PlayedGame randomGame(std::mt19937 &random, bool standardFirst)
{
    GameState state;
    if (random() % 2 == 0) {
        std::vector<PlayedMove> lead;
        playSoakMoves(state, lead, random, random() % 40);
        state = state.gameOver ? GameState{} : loadedFrom(state);
    }
    PlayedGame game{state, {}};
    if (standardFirst)
        playStandardMoves(state, game.moves, random, 150 + random() % 150);
    game.standardMoves = game.moves.size();
    playSoakMoves(state, game.moves, random, game.moves.size() + random() % 60);
    return game;
}

} // namespace chess::testing
