#pragma once

#include "app/game_state.h"
#include "app/played_move.h"
#include "position/fen_reader.h"

#include <sstream>
#include <string_view>
#include <vector>

// Games with the PGN the writer must give for them, for the writer's test and for the check
// by a PGN reader that is not ours.
namespace chess::testing {

struct PgnScenario {
    const char *name;
    std::string_view fen; // the loaded start position; empty for the opening one
    std::vector<PlayedMove> moves;
    std::optional<Side> flagFellFor;
    std::string_view movetext; // the text after the tags' empty line
};

inline GameState startOf(const PgnScenario &scenario)
{
    GameState state;
    if (!scenario.fen.empty()) {
        std::istringstream in{std::string(scenario.fen)};
        applyPosition(state, std::get<FenPosition>(readFen(in)));
    }
    return state;
}

// Knights out and back: 50 moves without a capture or a pawn move.
inline std::vector<PlayedMove> knightShuffle()
{
    std::vector<PlayedMove> moves;
    for (int i = 0; i < 25; ++i) {
        const bool out = i % 2 == 0;
        moves.push_back(out ? PlayedMove{"g1"_sq, "f3"_sq} : PlayedMove{"f3"_sq, "g1"_sq});
        moves.push_back(out ? PlayedMove{"g8"_sq, "f6"_sq} : PlayedMove{"f6"_sq, "g8"_sq});
    }
    return moves;
}

inline const std::vector<PgnScenario> &pgnScenarios()
{
    static const std::vector<PgnScenario> scenarios = {
        {"a king taken after a mate",
         "",
         {{"f2"_sq, "f3"_sq},
          {"e7"_sq, "e5"_sq},
          {"g2"_sq, "g4"_sq},
          {"d8"_sq, "h4"_sq},
          {"a2"_sq, "a3"_sq},
          {"h4"_sq, "e1"_sq}},
         std::nullopt,
         "1. f3 e5 2. g4 Qh4# {White left the king on e1 attacked with 3. a3; Black took\n"
         "the king with 3... Qxe1.} 0-1\n"},
        {"the board's draw after 50 quiet moves", "", knightShuffle(), std::nullopt,
         "1. Nf3 Nf6 2. Ng1 Ng8 3. Nf3 Nf6 4. Ng1 Ng8 5. Nf3 Nf6 6. Ng1 Ng8 7. Nf3 Nf6\n"
         "8. Ng1 Ng8 9. Nf3 Nf6 10. Ng1 Ng8 11. Nf3 Nf6 12. Ng1 Ng8 13. Nf3 Nf6 14. Ng1\n"
         "Ng8 15. Nf3 Nf6 16. Ng1 Ng8 17. Nf3 Nf6 18. Ng1 Ng8 19. Nf3 Nf6 20. Ng1 Ng8\n"
         "21. Nf3 Nf6 22. Ng1 Ng8 23. Nf3 Nf6 24. Ng1 Ng8 25. Nf3 Nf6 {The game was drawn\n"
         "after 50 moves without a capture or a pawn move.} 1/2-1/2\n"},
        {"Black first, then castling out of check",
         "4k2r/p7/8/8/8/8/8/3R2K1 b k - 3 30",
         {{"a7"_sq, "a6"_sq}, {"d1"_sq, "e1"_sq}, {"e8"_sq, "g8"_sq}, {"g1"_sq, "h2"_sq}},
         std::nullopt,
         "30... a6 31. Re1+ {Black castled out of check with 31... O-O; play went on with\n"
         "32. Kh2.} *\n"},
        {"a start standard chess does not have",
         "4k3/8/8/8/4X3/8/3}4/4K3 w - - 0 1",
         {{"e1"_sq, "d1"_sq}, {"e8"_sq, "d8"_sq}, {"d1"_sq, "c1"_sq}},
         std::nullopt,
         "{The game started from a position that standard chess does not have, FEN\n"
         "4k3/8/8/8/4X3/8/3?4/4K3 w - - 0 1; the moves were 1. Kd1 Kd8 2. Kc1.} *\n"},
        {"a stalemate played on",
         "k7/8/8/1Q6/8/8/8/4K3 w - - 0 1",
         {{"b5"_sq, "b6"_sq}, {"a8"_sq, "b8"_sq}, {"b6"_sq, "b8"_sq}},
         std::nullopt,
         "{White stalemated Black with 1. Qb6; play went on with 1... Kb8; White took the\n"
         "king with 2. Qxb8.} 1-0\n"},
        {"a flag fallen",
         "",
         {{"e2"_sq, "e4"_sq}, {"e7"_sq, "e5"_sq}},
         Side::White,
         "1. e4 e5 {White ran out of time.} 0-1\n"},
    };
    return scenarios;
}

} // namespace chess::testing
