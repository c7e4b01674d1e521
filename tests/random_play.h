#pragma once

#include "app/game_state.h"
#include "rules/castling.h"
#include "rules/move_rules.h"
#include "view/board_geometry.h"

#include <optional>
#include <random>
#include <vector>

// The random player of the soak test, shared with the tests that need whole games played by
// the board's own rules.
namespace chess::testing {

// A square the picked-up piece may really go to, found by trying every one on a copy of the
// game (without its record, which the rules never read); nullopt when there is none.
inline std::optional<Square> someLegalTarget(const GameState &state, std::mt19937 &random)
{
    GameState probe;
    probe.board = state.board;
    probe.castlingRights = state.castlingRights;
    probe.doubleStep = state.doubleStep;
    std::vector<Square> targets;
    for (int index = 0; index < 64; ++index) {
        const Square to{index / 8, index % 8};
        if (to == state.selectedFrom || isPieceOf(state.sideToMove, state.board[to]))
            continue;
        GameState trial = probe;
        if (tryCastle(trial, state.sideToMove, state.selectedFrom, to) ||
            isLegalMove(trial, state.sideToMove, state.selectedFrom, to))
            targets.push_back(to);
    }
    if (targets.empty())
        return std::nullopt;
    return targets[std::uniform_int_distribution<std::size_t>(0, targets.size() - 1)(random)];
}

// Where the next left double-click goes: anywhere in the window now and then, mostly on the
// board, and often where a player would aim (an own piece, a legal target), so that whole
// games are played out and kings fall. `kind` is a number 0-999 drawn by the caller.
inline Point nextClick(const GameState &state, int kind, std::mt19937 &random)
{
    std::uniform_int_distribution<int> anyX(0, pictureWidth - 1), anyY(0, pictureHeight - 1), square(0, 63);
    if (kind < 150)
        return {anyX(random), anyY(random)};
    if (kind < 400)
        return squareCentre({square(random) / 8, square(random) % 8});
    if (state.selectionState == SelectionState::PieceSelected) {
        if (const std::optional<Square> target = someLegalTarget(state, random))
            return squareCentre(*target);
    }
    int index = square(random);
    for (int tries = 0; tries < 64 && !isPieceOf(state.sideToMove, state.board.squares[index]); ++tries)
        index = square(random);
    return squareCentre({index / 8, index % 8});
}

} // namespace chess::testing
