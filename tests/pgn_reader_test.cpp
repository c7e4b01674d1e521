#include "pgn/pgn_reader.h"

#include <gtest/gtest.h>

namespace chess {
namespace {

struct ReadCase {
    const char *name;
    std::string text;
    std::size_t moves; // when read
    std::optional<PgnError> error;
};

PgnError at(PgnErrorKind kind, long long number, Side side) { return {kind, {number, side}}; }
PgnError whole(PgnErrorKind kind) { return {kind, {}}; }

TEST(PgnReader, ReadsTheMarksOfRealFilesAndRefusesWhatIsNoGame)
{
    using enum PgnErrorKind;
    const ReadCase cases[] = {
        {"nothing", "", 0, whole(NotPgn)},
        {"blank lines and a comment", " \r\n{just a remark}\n", 0, whole(NotPgn)},
        {"prose", "Dear friend, here is our game", 0, whole(NotPgn)},
        {"a tag that does not close", "[Event \"x\"\n1. e4 *", 0, whole(NotPgn)},
        {"a result alone is an empty game", "*", 0, std::nullopt},
        {"tags alone are an empty game", "[Event \"x\"]\n[Site \"y\"]\n", 0, std::nullopt},
        {"no result at the end", "1. e4 e5 2. Nf3", 3, std::nullopt},
        {"numbers glued to moves", "1.e4 e5 2.Nf3 Nc6 3.Bb5 *", 5, std::nullopt},
        {"no numbers", "e4 e5 Nf3 *", 3, std::nullopt},
        {"Black's number with three dots", "1. e4 {x} 1... e5 2. Nf3 *", 3, std::nullopt},
        {"NAGs and glyphs, alone or glued", "1. e4! $1 e5?! $2 2. Nf3 !! *", 3, std::nullopt},
        {"nested variations are skipped", "1. e4 (1. d4 d5 (1... Nf6 2. c4) 2. c4) 1... e5 (1... c5) *", 2,
         std::nullopt},
        {"a result inside a variation does not end the game", "1. e4 (1. d4 1-0) e5 *", 2, std::nullopt},
        {"castling with zeros and a check mark", "1. e4 e5 2. Nf3 Nf6 3. Bc4 Bc5 4. 0-0 0-0+ *", 8,
         std::nullopt},
        {"the game ends at its result", "1. e4 e5 1-0 2. Ke2 Ke7", 2, std::nullopt},
        {"the game ends at the next game's tags", "1. e4 e5\n\n[Event \"next\"]\n1. d4 *", 2, std::nullopt},
        {"an escape line", "%a program's note\n1. e4 *", 1, std::nullopt},
        {"a byte order mark",
         "\xEF\xBB\xBF"
         "1. e4 *",
         1, std::nullopt},
        {"a variation that does not close", "1. e4 (1. d4 d5 *", 0, at(Unreadable, 1, Side::Black)},
        {"a variation closed twice", "1. e4 e5 ) 2. Nf3 *", 0, at(Unreadable, 2, Side::White)},
        {"a percent sign inside a line", "1. e4 % e5 *", 0, at(Unreadable, 1, Side::Black)},
        {"a null move", "1. e4 -- 2. d4 *", 0, at(Unreadable, 1, Side::Black)},
        {"an illegal move", "1. e4 e5 2. Ke3 *", 0, at(IllegalMove, 2, Side::White)},
        {"an ambiguous move", "1. Nf3 d5 2. d3 e5 3. Nd2 *", 0, at(AmbiguousMove, 3, Side::White)},
        {"a FEN tag with a board of bytes", "[FEN \"8/8/8/8/3X4/8/8/4K2k w - - 0 1\"]\n*", 0, whole(BadFen)},
        {"a FEN tag cut short", "[FEN \"rnbqkbnr/pppppppp\"]\n*", 0, whole(BadFen)},
        {"a FEN tag without a black king", "[FEN \"8/8/8/8/8/8/8/4K3 w - - 0 1\"]\n*", 0, whole(BadFen)},
        {"a FEN tag with a pawn on the last rank", "[FEN \"4k2P/8/8/8/8/8/8/4K3 w - - 0 1\"]\n*", 0,
         whole(BadFen)},
        {"a FEN tag whose side that just moved is in check", "[FEN \"4k3/8/8/8/8/8/8/r3K3 b - - 0 1\"]\n*", 0,
         whole(BadFen)},
        {"numbered from the FEN tag",
         "[FEN \"4k3/8/8/8/8/8/8/4K3 b - - 7 61\"]\n61... Kd7 62. Kd1 Kc6 63. Ke9 *", 0,
         at(Unreadable, 63, Side::White)},
        {"a control byte", "1. e4\x07 e5 *", 0, whole(Binary)},
        {"a NUL byte", std::string("1. e4 \0 e5", 10), 0, whole(Binary)},
        {"too large", std::string(maxPgnBytes + 1, ' '), 0, whole(TooLarge)},
        {"just small enough", std::string(maxPgnBytes - 2, ' ') + "e4", 1, std::nullopt},
    };
    for (const ReadCase &c : cases) {
        const std::variant<PgnGame, PgnError> read = readPgn(c.text);
        if (c.error) {
            ASSERT_TRUE(std::holds_alternative<PgnError>(read)) << c.name;
            const PgnError &error = std::get<PgnError>(read);
            EXPECT_EQ(error.kind, c.error->kind) << c.name;
            EXPECT_EQ(error.move, c.error->move) << c.name;
        } else {
            ASSERT_TRUE(std::holds_alternative<PgnGame>(read))
                << c.name << ": error " << static_cast<int>(std::get<PgnError>(read).kind);
            EXPECT_EQ(std::get<PgnGame>(read).moves.size(), c.moves) << c.name;
        }
    }
}

TEST(PgnReader, ResolvesMovesToTheirSquaresAndKeepsTheFenTagAsWritten)
{
    const std::variant<PgnGame, PgnError> read =
        readPgn("[SetUp \"1\"]\n[FEN \"4k3/1P6/8/3pP3/8/8/8/R3K3 w Qk d6 0 9\"]\n9. exd6 e.p. Kf7 10. O-O-O "
                "Kg6 11. b8=N *");
    ASSERT_TRUE(std::holds_alternative<PgnGame>(read));
    const PgnGame &game = std::get<PgnGame>(read);
    ASSERT_TRUE(game.setUp);
    EXPECT_TRUE(game.setUp->castlingRights[1].kingSide) << "kept as written, though no rook backs it";
    EXPECT_EQ(game.setUp->moveNumber, 9);
    EXPECT_EQ(game.firstMove, (MoveLabel{9, Side::White}));
    const std::vector<PlayedMove> expected = {{"e5"_sq, "d6"_sq},
                                              {"e8"_sq, "f7"_sq},
                                              {"e1"_sq, "c1"_sq},
                                              {"f7"_sq, "g6"_sq},
                                              {"b7"_sq, "b8"_sq, 'N'}};
    EXPECT_EQ(game.moves, expected);
}

} // namespace
} // namespace chess
