#include "app/menu_commands.h"
#include "app/move_controller.h"
#include "app/texts.h"
#include "fake_desktop.h"
#include "game_snapshot.h"
#include "pgn/pgn_commands.h"
#include "pgn/pgn_play.h"
#include "pgn/pgn_writer.h"
#include "pgn_games.h"
#include "position/fen_writer.h"
#include "test_files.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace chess {
namespace {

using testing::FakeDesktop;
using testing::readFile;
using testing::snapshot;
using Calls = std::vector<std::string>;

const std::filesystem::path dataDir = PGN_DATA_DIR;

PgnGame gameOf(std::string_view text)
{
    std::variant<PgnGame, PgnError> read = readPgn(text);
    EXPECT_TRUE(std::holds_alternative<PgnGame>(read)) << text;
    return std::holds_alternative<PgnGame>(read) ? std::get<PgnGame>(read) : PgnGame{};
}

class PgnCommands : public ::testing::Test {
protected:
    GameState state;
    FakeDesktop desktop;
    std::filesystem::path folder;

    void SetUp() override
    {
        folder = testing::freshTestFolder("chess-pgn-");
        // A game under way, which a failed open must leave as it is.
        for (const Square square : {"e2"_sq, "e4"_sq, "g8"_sq, "f6"_sq, "b1"_sq})
            onLeftDoubleClick(state, desktop, squareCentre(square));
        desktop.calls.clear();
        desktop.spoken.clear();
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    // What a person gets by playing the game by hand: a reset, the FEN tag's position opened
    // as a position file, then the moves as double-clicks.
    GameState byHand(const PgnGame &game, FakeDesktop &hand)
    {
        GameState played = state;
        dispatchCommand(played, hand, static_cast<int>(CommandId::ResetBoard));
        if (game.setUp) {
            GameState loaded;
            applyPosition(loaded, *game.setUp);
            const std::filesystem::path file = folder / "start.fen";
            std::ofstream(file, std::ios::binary) << positionToFen(loaded);
            hand.fileAnswers = {file};
            dispatchCommand(played, hand, static_cast<int>(CommandId::OpenPosition));
        }
        for (const PlayedMove &move : game.moves) {
            const std::size_t choice = std::string_view("QRBN").find(move.promotion);
            hand.promotionAnswers = {choice == std::string_view::npos ? 0 : static_cast<int>(choice)};
            onLeftDoubleClick(played, hand, squareCentre(move.from));
            onLeftDoubleClick(played, hand, squareCentre(move.to));
        }
        return played;
    }

    void expectAsByHand(const PgnGame &game)
    {
        FakeDesktop hand;
        const GameState expected = byHand(game, hand);
        EXPECT_EQ(positionToFen(state), positionToFen(expected));
        EXPECT_EQ(state.record.view(), expected.record.view());
        EXPECT_EQ(state.recordEnabled, expected.recordEnabled);
        EXPECT_EQ(state.gameOver, expected.gameOver);
        EXPECT_EQ(state.selectionState, expected.selectionState);
        EXPECT_EQ(desktop.statusText, hand.statusText);
    }
};

TEST_F(PgnCommands, AGameIsPlayedAsByHandAndTheDesktopHearsOfItOnce)
{
    // Black first from a FEN tag, en passant, an underpromotion, castling, then White's move.
    const PgnGame game = gameOf("[FEN \"r3k3/6P1/8/8/3pP3/8/8/4K2R b Kq e3 0 12\"]\n"
                                "12... dxe3 13. g8=N O-O-O 14. O-O *");
    ASSERT_EQ(game.moves.size(), 4u);
    EXPECT_EQ(playPgn(state, desktop, game), std::nullopt);
    expectAsByHand(game);
    EXPECT_EQ(state.board["g8"_sq], 'N');
    EXPECT_EQ(state.record.view(), "d4-e3 e.p.\r\n13 g7-g8=N    o-o-o\r\n14 o-o        ");
    EXPECT_EQ(desktop.calls, (Calls{"status: Turn:Black\u3000thinking\uff65\uff65\uff65", "redraw"}));
    EXPECT_EQ(desktop.spoken, std::vector<std::string>{"Game opened. Black to move."});
}

TEST_F(PgnCommands, AFinishedGameDoesNotStopTheNextFromOpening)
{
    state.gameOver = true;
    const PgnGame game = gameOf("[FEN \"4k3/8/8/8/8/8/8/4K3 w - - 0 1\"]\n1. Kd2 *");
    EXPECT_EQ(playPgn(state, desktop, game), std::nullopt);
    EXPECT_FALSE(state.gameOver);
    EXPECT_EQ(state.board["d2"_sq], 'K');
}

TEST_F(PgnCommands, AMoveTheBoardRefusesChangesNothing)
{
    PgnGame refused = gameOf("1. e4 e5 *");
    refused.moves.push_back({"a1"_sq, "a5"_sq}); // a rook that cannot jump: only a hand-made game has it
    const std::string before = snapshot(state);
    EXPECT_EQ(playPgn(state, desktop, refused), (PgnError{PgnErrorKind::RefusedByBoard, {2, Side::White}}));
    EXPECT_EQ(snapshot(state), before);
    EXPECT_TRUE(desktop.calls.empty() && desktop.spoken.empty());
}

// Games of the soak test's player, some after a stretch of standard chess, written as PGN:
// the moves read back are the game's moves up to where the text stops, and they open to what
// playing them by hand gives.
TEST_F(PgnCommands, RandomGamesReadBackAsTheyWerePlayed)
{
    std::mt19937 random(20250314);
    int whole = 0, cut = 0;
    for (int i = 0; i < 300; ++i) {
        const testing::PlayedGame played = testing::randomGame(random, i % 2 == 1);
        const std::string pgn = writePgn(played.start, played.moves, "2025.03.14");
        // A tag is one line however long; a FEN tag can pass 79 characters.
        std::istringstream lines(pgn.substr(pgn.find("\n\n")));
        for (std::string line; std::getline(lines, line);)
            ASSERT_LE(line.size(), 79u) << pgn;
        const std::variant<PgnGame, PgnError> read = readPgn(pgn);
        ASSERT_TRUE(std::holds_alternative<PgnGame>(read)) << pgn;
        const PgnGame &game = std::get<PgnGame>(read);
        const std::size_t shown = game.moves.size();
        ASSERT_LE(shown, played.moves.size());
        ASSERT_TRUE(std::equal(game.moves.begin(), game.moves.end(), played.moves.begin())) << pgn;
        // Only a mate or stalemate that the result contradicts moves a standard move out.
        EXPECT_GE(shown + 1, played.standardMoves) << pgn;
        if (shown < played.moves.size()) {
            EXPECT_NE(pgn.find("{"), std::string::npos) << "the rest is told, " << pgn;
        }
        if (!game.setUp) {
            EXPECT_TRUE(positionToFen(played.start) == positionToFen(GameState{}) || shown == 0) << pgn;
        }

        ASSERT_EQ(playPgn(state, desktop, game), std::nullopt) << pgn;
        expectAsByHand(game);
        if (shown == played.moves.size() &&
            (game.setUp || positionToFen(played.start) == positionToFen(state))) {
            GameState end = played.start;
            ReplayDesktop replay;
            for (const PlayedMove &move : played.moves)
                ASSERT_TRUE(playMove(end, replay, move));
            EXPECT_EQ(positionToFen(state), positionToFen(end)) << pgn;
            EXPECT_EQ(state.record.view(), end.record.view()) << pgn;
        }
        ++(shown == played.moves.size() ? whole : cut);
    }
    EXPECT_GT(whole, 50) << "games written whole";
    EXPECT_GT(cut, 50) << "games whose end is told in a comment";
}

struct FileCase {
    const char *file;
    std::string_view fenAfter; // empty when the file is refused
    std::string_view message;  // the box for a refused file
};

// The final positions of the files that open were checked with pgn-extract.
TEST_F(PgnCommands, RealShapedFilesOpenToTheirPositionAndBadOnesAreRefused)
{
    const FileCase cases[] = {
        {"annotated.pgn", "r4rk1/p4pbp/2p2np1/4p3/8/2P1BQ1P/Pq3PP1/RN2R1K1 w - - 0 15", ""},
        {"several-games-crlf-bom.pgn", "rnbqk2r/ppp1bppp/4pn2/3p2B1/2PP4/2N5/PP2PPPP/R2QKBNR w KQkq - 4 5",
         ""},
        {"from-position.pgn", "8/3k4/8/8/8/4K3/8/5q2 w - - 4 43", ""},
        {"bare-moves.pgn", "r1bqk1nr/pppp1ppp/2n5/b7/2BpP3/2P2N2/P4PPP/RNBQ1RK1 b kq - 1 7", ""},
        {"not-a-game.pgn", "", "PGN の棋譜ではありません"},
        {"illegal-move.pgn", "", "白の 2 手目は指せない手です"},
        {"ambiguous-move.pgn", "", "白の 3 手目はどの駒の手か分かりません"},
        {"bad-fen.pgn", "", "FEN タグの盤面が不正です"},
        {"binary.pgn", "", "テキストファイルではありません"},
        {"unterminated-comment.pgn", "", "白の 2 手目が読めません"},
        {"ends-before-last-move.pgn", "", "黒の 60 手目の前に対局が終わっています"},
    };
    const GameState original = state;
    for (const FileCase &c : cases) {
        state = original;
        desktop.calls.clear();
        desktop.fileAnswers = {dataDir / c.file};
        const std::string before = snapshot(state);
        const std::optional<PgnGame> opened = openPgnFile(state, desktop);
        if (c.fenAfter.empty()) {
            EXPECT_FALSE(opened) << c.file;
            EXPECT_EQ(snapshot(state), before) << c.file;
            EXPECT_EQ(desktop.calls,
                      (Calls{"open chooser: PGN を開く", "box: " + std::string(c.message) + " | Error"}))
                << c.file;
        } else {
            ASSERT_TRUE(opened) << c.file << " " << desktop.calls.back();
            EXPECT_EQ(positionToFen(state), c.fenAfter) << c.file;
            expectAsByHand(*opened);
        }
    }
}

TEST_F(PgnCommands, AFileThatCannotBeReadOrIsTooLargeIsRefused)
{
    const std::filesystem::path large = folder / "large.pgn";
    std::ofstream(large, std::ios::binary) << "1. e4 *";
    std::filesystem::resize_file(large, 50'000'000); // a sparse file: no 50 MB written
    desktop.fileAnswers = {folder, folder / "missing.pgn", large};
    const std::string before = snapshot(state);
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(openPgnFile(state, desktop));
    const std::string openError = "box: ファイルオープンエラー発生 | File Open Error";
    EXPECT_EQ(desktop.calls,
              (Calls{"open chooser: PGN を開く", openError, "open chooser: PGN を開く", openError,
                     "open chooser: PGN を開く", "box: ファイルが大きすぎます | Error"}));
    EXPECT_EQ(snapshot(state), before);
}

TEST_F(PgnCommands, SaveAndCopyGiveTheWritersText)
{
    const GameState start;
    const PlayedMove moves[] = {{"e2"_sq, "e4"_sq}, {"e7"_sq, "e5"_sq}};
    const std::string pgn = writePgn(start, moves, "2025.03.14");
    const std::filesystem::path path = folder / "game.pgn";
    std::ofstream(path) << "an older and longer file than the game, to be replaced whole";
    desktop.fileAnswers = {path, folder / "no folder" / "game.pgn"};
    savePgnFile(start, moves, "2025.03.14", desktop);
    savePgnFile(start, moves, "2025.03.14", desktop);
    copyPgnToClipboard(start, moves, "2025.03.14", desktop);
    EXPECT_EQ(readFile(path), pgn);
    EXPECT_EQ(desktop.clipboard, pgn);
    EXPECT_EQ(desktop.calls, (Calls{"save chooser: 名前をつけて保存", "save chooser: 名前をつけて保存",
                                    "box: エラー発生 | Error", "clipboard"}));
    const FileChooser &chooser = desktop.choosersShown.at(0);
    EXPECT_EQ(chooser.defaultName, "棋譜.pgn");
    EXPECT_EQ(chooser.defaultExtension, "pgn");
    EXPECT_EQ(chooser.filters.at(0).description, "Portable Game Notation(*.pgn)");
    EXPECT_EQ(chooser.filters.at(0).pattern, "*.pgn");
}

} // namespace
} // namespace chess
