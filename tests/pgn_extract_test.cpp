// The PGN this program writes, read by a reader that is not ours: Debian's pgn-extract must
// report nothing but the games, and must reach the position this board reaches by the moves
// of each game's text.
#include "app/silent_desktop.h"
#include "pgn/pgn_play.h"
#include "pgn/pgn_writer.h"
#include "pgn_games.h"
#include "pgn_scenarios.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace chess {
namespace {

const std::filesystem::path pgnExtract = "/usr/games/pgn-extract";
constexpr std::string_view date = "2025.03.14";

std::vector<std::string> linesOf(const std::filesystem::path &path)
{
    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line.substr(0, line.find_last_not_of(' ') + 1));
    return lines;
}

// Placement and side to move, the fields both programs write alike.
std::string positionFields(const std::string &fen) { return fen.substr(0, fen.find(' ', fen.find(' ') + 1)); }

class PgnExtract : public ::testing::Test {
protected:
    std::filesystem::path folder = std::filesystem::temp_directory_path() / "chess-pgn-extract";
    std::string games;
    std::vector<std::string> expected; // the position after each game's moves

    void SetUp() override
    {
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    void add(const GameState &start, std::span<const PlayedMove> moves)
    {
        const std::string pgn = writePgn(start, moves, date);
        const std::variant<PgnGame, PgnError> read = readPgn(pgn);
        ASSERT_TRUE(std::holds_alternative<PgnGame>(read)) << pgn;
        const PgnGame &game = std::get<PgnGame>(read);
        GameState opened;
        SilentDesktop desktop;
        ASSERT_EQ(playPgn(opened, desktop, game), std::nullopt) << pgn;
        games += pgn;
        // The board keeps the side to move when its game ends; in standard chess the turn passes.
        const std::string fen = positionToFen(opened);
        const bool whiteNext = labelAfter(game.firstMove, game.moves.size()).side == Side::White;
        expected.push_back(fen.substr(0, fen.find(' ')) + (whiteNext ? " w" : " b"));
    }

    int run(const std::string &arguments)
    {
        return std::system(("'" + pgnExtract.string() + "' " + arguments + " >/dev/null 2>&1").c_str());
    }
};

TEST_F(PgnExtract, ReadsEveryGameWeWriteWithoutAComplaint)
{
    ASSERT_TRUE(std::filesystem::exists(pgnExtract)) << "scripts/install-deps.sh test installs pgn-extract";
    for (const testing::PgnScenario &scenario : testing::pgnScenarios())
        add(testing::startOf(scenario), scenario.moves);
    std::mt19937 random(1403);
    for (int i = 0; i < 400; ++i) {
        const testing::PlayedGame played = testing::randomGame(random, i % 2 == 1);
        add(played.start, played.moves);
    }
    const std::filesystem::path file = folder / "games.pgn", log = folder / "log", epd = folder / "games.epd";
    std::ofstream(file, std::ios::binary) << games;

    ASSERT_EQ(run("-r '-l" + log.string() + "' '" + file.string() + "'"), 0);
    const std::string count = std::to_string(expected.size());
    for (const std::string &line : linesOf(log)) {
        const bool expectedLine = line.empty() || line == "Processing " + file.string() ||
                                  line == "White - Black Casual game ? " + std::string(date) ||
                                  line == count + " games matched out of " + count + ".";
        EXPECT_TRUE(expectedLine) << line << "\n(in " << file << ")";
    }

    // One line for each position of a game, the last one its end; an empty line between games.
    ASSERT_EQ(run("-s -Wepd '-o" + epd.string() + "' '" + file.string() + "'"), 0);
    std::vector<std::string> reached;
    std::string previous;
    for (const std::string &line : linesOf(epd)) {
        if (line.empty() && !previous.empty())
            reached.push_back(positionFields(previous));
        previous = line;
    }
    if (!previous.empty())
        reached.push_back(positionFields(previous));
    EXPECT_EQ(reached, expected);
}

} // namespace
} // namespace chess
