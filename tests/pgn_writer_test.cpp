#include "pgn/pgn_writer.h"
#include "pgn_scenarios.h"

#include <gtest/gtest.h>

namespace chess {
namespace {

using testing::pgnScenarios;
using testing::startOf;

// The text after the tag section's empty line, without the empty line that ends the game.
std::string movetextOf(const std::string &pgn)
{
    const std::size_t begin = pgn.find("\n\n") + 2;
    EXPECT_TRUE(pgn.ends_with("\n\n")) << pgn;
    return pgn.substr(begin, pgn.size() - 1 - begin);
}

TEST(PgnWriter, WritesTheMovesStandardChessHasAndTellsTheRest)
{
    for (const testing::PgnScenario &s : pgnScenarios())
        EXPECT_EQ(movetextOf(writePgn(startOf(s), s.moves, "2025.03.14", s.flagFellFor)), s.movetext)
            << s.name;
}

TEST(PgnWriter, WritesTheSevenTagsAndAPositionThatIsNotTheOpeningOne)
{
    const std::string roster = "[Event \"Casual game\"]\n[Site \"?\"]\n[Date \"2025.03.14\"]\n[Round \"-\"]\n"
                               "[White \"White\"]\n[Black \"Black\"]\n";
    const std::vector<testing::PgnScenario> &s = pgnScenarios();
    const std::pair<const testing::PgnScenario &, std::string> cases[] = {
        {s[0], roster + "[Result \"0-1\"]\n\n"},
        {s[2], roster + "[Result \"*\"]\n[FEN \"4k2r/p7/8/8/8/8/8/3R2K1 b k - 3 30\"]\n[SetUp \"1\"]\n\n"},
        {s[3], roster + "[Result \"*\"]\n\n"}, // the position is in the comment
    };
    for (const auto &[scenario, tags] : cases) {
        const std::string pgn =
            writePgn(startOf(scenario), scenario.moves, "2025.03.14", scenario.flagFellFor);
        EXPECT_EQ(pgn.substr(0, pgn.find("\n\n") + 2), tags) << scenario.name;
    }
}

TEST(PgnWriter, AnUnknownOrMalformedDateIsWrittenAsUnknown)
{
    const GameState start;
    for (const std::string_view date : {"????.??.??", "2025-03-14", "", "2025.03.14\"]"}) {
        EXPECT_NE(writePgn(start, {}, date).find("[Date \"????.??.??\"]\n"), std::string::npos) << date;
    }
    EXPECT_NE(writePgn(start, {}, "2025.??.??").find("[Date \"2025.??.??\"]\n"), std::string::npos);
}

TEST(PgnWriter, AMoveTheBoardRefusesEndsTheMoves)
{
    const GameState start;
    const PlayedMove moves[] = {{"e2"_sq, "e4"_sq}, {"e2"_sq, "e4"_sq}, {"e7"_sq, "e5"_sq}};
    EXPECT_EQ(movetextOf(writePgn(start, moves, "2025.03.14")), "1. e4 *\n");
}

} // namespace
} // namespace chess
