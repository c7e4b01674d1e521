#include "pgn/san.h"
#include "position/fen_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace chess {
namespace {

struct SanCase {
    const char *name;
    std::string_view fen;
    PlayedMove move;
    std::string_view san;
};

const SanCase sanCases[] = {
    {"pawn push", "4k3/8/8/8/8/8/4P3/4K3 w - - 0 1", {"e2"_sq, "e4"_sq}, "e4"},
    {"knights told apart by file", "4k3/8/8/8/8/5N2/8/1N2K3 w - - 0 1", {"b1"_sq, "d2"_sq}, "Nbd2"},
    {"rooks told apart by rank", "4k3/8/8/R7/8/8/8/R3K3 w - - 0 1", {"a1"_sq, "a3"_sq}, "R1a3"},
    {"queens told apart by both", "2k5/8/8/8/4Q2Q/8/8/K6Q w - - 0 1", {"h4"_sq, "e1"_sq}, "Qh4e1"},
    {"a pinned knight does not count", "7k/8/8/8/3b4/2N5/8/K5N1 w - - 0 1", {"g1"_sq, "e2"_sq}, "Ne2"},
    {"the same knight unpinned counts", "7k/8/8/8/8/2N5/8/K5N1 w - - 0 1", {"g1"_sq, "e2"_sq}, "Nge2"},
    {"check", "4k3/8/8/8/8/8/8/R3K3 w - - 0 1", {"a1"_sq, "a8"_sq}, "Ra8+"},
    {"mate on the back rank", "6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1", {"a1"_sq, "a8"_sq}, "Ra8#"},
    {"promotion with capture", "r6k/1P6/8/8/8/8/8/4K3 w - - 0 1", {"b7"_sq, "a8"_sq, 'N'}, "bxa8=N"},
    {"promotion with capture and check",
     "2r1k3/1P6/8/8/8/8/8/4K3 w - - 0 1",
     {"b7"_sq, "c8"_sq, 'Q'},
     "bxc8=Q+"},
    {"king side castling", "4k3/8/8/8/8/8/8/R3K2R w KQ - 0 1", {"e1"_sq, "g1"_sq}, "O-O"},
    {"queen side castling with check", "3k4/8/8/8/8/8/8/R3K2R w KQ - 0 1", {"e1"_sq, "c1"_sq}, "O-O-O+"},
    {"black castles", "r3k2r/8/8/8/8/8/8/4K3 b kq - 0 1", {"e8"_sq, "g8"_sq}, "O-O"},
    {"en passant is a plain capture", "4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 2", {"e5"_sq, "d6"_sq}, "exd6"},
    {"black knight takes", "4k3/8/5n2/8/4P3/8/8/4K3 b - - 0 1", {"f6"_sq, "e4"_sq}, "Nxe4"},
};

std::optional<StandardPosition> standardFromFen(std::string_view fen);

StandardPosition positionOf(std::string_view fen)
{
    const std::optional<StandardPosition> position = standardFromFen(fen);
    EXPECT_TRUE(position) << fen;
    return position.value_or(StandardPosition{});
}

TEST(San, EachMoveIsWrittenAsStandardChessWritesItAndReadsBack)
{
    for (const SanCase &c : sanCases) {
        const StandardPosition position = positionOf(c.fen);
        const std::vector<PlayedMove> legal = legalMoves(position);
        ASSERT_NE(std::find(legal.begin(), legal.end(), c.move), legal.end())
            << c.name << ": the move is legal";
        EXPECT_EQ(sanOf(position, c.move, legal), c.san) << c.name;
        const SanReading reading = readSan(c.san, position.board, legal);
        EXPECT_EQ(reading.match, SanMatch::Found) << c.name;
        EXPECT_EQ(reading.move, c.move) << c.name;
    }
}

// Two knights reach d2 (b1, f3); the e1 king may castle king side; a pawn can promote on a8.
struct ReadCase {
    std::string_view token;
    SanMatch match;
    PlayedMove move;
};

TEST(San, ReadsWhatCarelessWritersWriteAndRefusesTheRest)
{
    const StandardPosition position = positionOf("4k3/P7/8/8/8/5N2/8/1N2K2R w K - 0 1");
    const ReadCase cases[] = {
        {"Nbd2", SanMatch::Found, {"b1"_sq, "d2"_sq}},
        {"Nfd2+", SanMatch::Found, {"f3"_sq, "d2"_sq}},
        {"Nb1-d2", SanMatch::Found, {"b1"_sq, "d2"_sq}},
        {"Nd2", SanMatch::Ambiguous, {}},
        {"0-0", SanMatch::Found, {"e1"_sq, "g1"_sq}},
        {"O-O!?", SanMatch::Found, {"e1"_sq, "g1"_sq}},
        {"O-O-O", SanMatch::Illegal, {}},
        {"a8Q", SanMatch::Found, {"a7"_sq, "a8"_sq, 'Q'}},
        {"a8=R#", SanMatch::Found, {"a7"_sq, "a8"_sq, 'R'}},
        {"a8", SanMatch::Illegal, {}}, // a promotion must name its piece
        {"Pa8=B", SanMatch::Found, {"a7"_sq, "a8"_sq, 'B'}},
        {"Kf1", SanMatch::Found, {"e1"_sq, "f1"_sq}},
        {"Kg1", SanMatch::Illegal, {}},
        {"Ne5", SanMatch::Found, {"f3"_sq, "e5"_sq}},
        {"Ne6", SanMatch::Illegal, {}},
        {"!?", SanMatch::Annotation, {}},
        {"e.p.", SanMatch::Annotation, {}},
        {"Nf9", SanMatch::Unreadable, {}},
        {"hello", SanMatch::Unreadable, {}},
        {"--", SanMatch::Unreadable, {}},
    };
    const std::vector<PlayedMove> legal = legalMoves(position);
    for (const ReadCase &c : cases) {
        const SanReading reading = readSan(c.token, position.board, legal);
        EXPECT_EQ(reading.match, c.match) << c.token;
        if (c.match == SanMatch::Found) {
            EXPECT_EQ(reading.move, c.move) << c.token;
        }
    }
}

std::optional<StandardPosition> standardFromFen(std::string_view fen)
{
    std::istringstream in{std::string(fen)};
    return standardPosition(std::get<FenPosition>(readFen(in)));
}

// Castling in standard chess: not out of, across or into an attack, the other king's included.
TEST(StandardChess, CastlingNeedsASafeKingPath)
{
    const std::pair<std::string_view, bool> cases[] = {
        {"4k3/8/8/8/8/8/8/4K2R w K - 0 1", true},   {"k3r3/8/8/8/8/8/8/4K2R w K - 0 1", false}, // in check
        {"k4r2/8/8/8/8/8/8/4K2R w K - 0 1", false}, // across an attack
        {"k5r1/8/8/8/8/8/8/4K2R w K - 0 1", false}, // into an attack
        {"8/8/8/8/8/8/6k1/4K2R w K - 0 1", false},  // next to the other king
    };
    for (const auto &[fen, allowed] : cases) {
        const std::optional<StandardPosition> position = standardFromFen(fen);
        ASSERT_TRUE(position) << fen;
        const std::vector<PlayedMove> legal = legalMoves(*position);
        EXPECT_EQ(std::count(legal.begin(), legal.end(), PlayedMove{"e1"_sq, "g1"_sq}), allowed ? 1 : 0)
            << fen;
    }
}

} // namespace
} // namespace chess
