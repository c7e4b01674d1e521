#include "app/menu_commands.h"
#include "app/move_controller.h"
#include "app/texts.h"
#include "fake_desktop.h"
#include "game_snapshot.h"
#include "position/fen_reader.h"
#include "position/fen_writer.h"

#include <gtest/gtest.h>

#include <climits>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace chess {
namespace {

using testing::FakeDesktop;
using testing::snapshot;

constexpr std::string_view openingFen = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";
constexpr std::string_view afterE4Fen = "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1";
constexpr std::string_view openingPlacement = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR";

// What a position file carries; the en passant file counts only while it is pending.
void expectSamePosition(const GameState &expected, const GameState &actual)
{
    EXPECT_EQ(expected.board, actual.board);
    EXPECT_EQ(expected.sideToMove, actual.sideToMove);
    for (int side = 0; side < 2; ++side) {
        EXPECT_EQ(expected.castlingRights[side].kingSide, actual.castlingRights[side].kingSide);
        EXPECT_EQ(expected.castlingRights[side].queenSide, actual.castlingRights[side].queenSide);
        EXPECT_EQ(expected.doubleStep[side].pending, actual.doubleStep[side].pending);
        if (expected.doubleStep[side].pending) {
            EXPECT_EQ(expected.doubleStep[side].file, actual.doubleStep[side].file);
        }
    }
    EXPECT_EQ(expected.halfmoveCounter, actual.halfmoveCounter);
    EXPECT_EQ(expected.whiteMoveCount, actual.whiteMoveCount);
}

std::variant<FenPosition, PositionFileError> read(std::string_view text)
{
    std::istringstream in{std::string(text)};
    return readFen(in);
}

std::optional<FenPosition> positionOf(std::string_view text)
{
    const auto result = read(text);
    if (const FenPosition *position = std::get_if<FenPosition>(&result))
        return *position;
    return std::nullopt;
}

void click(GameState &state, Desktop &desktop, Square square)
{
    const Rect r = squareRect(square);
    onLeftDoubleClick(state, desktop, {r.left + squareSize / 2, r.top + squareSize / 2});
}

Square squareNamed(std::string_view name) { return {name[0] - 'a', 8 - (name[1] - '0')}; }

// "e2e4", or "b2a1n" for a promotion to the piece named by its letter.
void play(GameState &state, FakeDesktop &desktop, std::string_view move)
{
    if (move.size() == 5)
        desktop.promotionAnswers.push_back(static_cast<int>(std::string_view("qrbn").find(move[4])));
    const Side mover = state.sideToMove;
    click(state, desktop, squareNamed(move.substr(0, 2)));
    click(state, desktop, squareNamed(move.substr(2, 2)));
    ASSERT_NE(state.sideToMove, mover) << "refused: " << move;
}

std::string fileContents(const std::filesystem::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeFile(const std::filesystem::path &path, std::string_view bytes)
{
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

TEST(FenWriter, WritesTheOpeningAndTheDoubleStepJustMade)
{
    GameState state;
    FakeDesktop desktop;
    EXPECT_EQ(positionToFen(state), openingFen);
    play(state, desktop, "e2e4");
    EXPECT_EQ(positionToFen(state), afterE4Fen);
}

TEST(FenWriter, ListsTheRightsLeftOrADash)
{
    GameState state;
    state.castlingRights = {{{false, false}, {false, false}}};
    EXPECT_EQ(positionToFen(state), std::string(openingPlacement) + " w - - 0 1");
    state.castling(Side::Black).queenSide = true;
    EXPECT_EQ(positionToFen(state), std::string(openingPlacement) + " w q - 0 1");
    state.castling(Side::White).kingSide = true;
    EXPECT_EQ(positionToFen(state), std::string(openingPlacement) + " w Kq - 0 1");
}

TEST(FenWriter, NumbersWhitesComingMoveEvenPastTheLargestInt)
{
    GameState state;
    state.whiteMoveCount = 4;
    state.halfmoveCounter = 7;
    EXPECT_EQ(positionToFen(state), std::string(openingPlacement) + " w KQkq - 7 5");
    state.sideToMove = Side::Black;
    EXPECT_EQ(positionToFen(state), std::string(openingPlacement) + " b KQkq - 7 4");
    state.sideToMove = Side::White;
    state.whiteMoveCount = INT_MAX;
    EXPECT_EQ(positionToFen(state), std::string(openingPlacement) + " w KQkq - 7 2147483648");
}

TEST(FenReader, ReadsTheWritersOwnLines)
{
    const std::optional<FenPosition> opening = positionOf(openingFen);
    ASSERT_TRUE(opening);
    EXPECT_EQ(opening->board, openingBoard());
    EXPECT_EQ(opening->sideToMove, Side::White);
    EXPECT_FALSE(opening->enPassantFile);
    EXPECT_EQ(opening->moveNumber, 1);

    const std::optional<FenPosition> afterE4 = positionOf(afterE4Fen);
    ASSERT_TRUE(afterE4);
    EXPECT_EQ(afterE4->board["e4"_sq], 'P');
    EXPECT_EQ(afterE4->board["e2"_sq], 0);
    EXPECT_EQ(afterE4->sideToMove, Side::Black);
    EXPECT_EQ(afterE4->enPassantFile, 4);
    for (const CastlingRights &rights : afterE4->castlingRights)
        EXPECT_TRUE(rights.kingSide && rights.queenSide);
}

TEST(FenReader, ReadsTheCastlingFieldUpToTheNextSpace)
{
    struct Case {
        std::string_view field;
        bool whiteKing, whiteQueen, blackKing, blackQueen;
    };
    for (const Case c : {Case{"KQkq", true, true, true, true}, Case{"-", false, false, false, false},
                         Case{"q", false, false, false, true}, Case{"Kq", true, false, false, true},
                         Case{"Qk", false, true, true, false}, Case{"KQk", true, true, true, false}}) {
        const std::optional<FenPosition> p =
            positionOf(std::string(openingPlacement) + " w " + std::string(c.field) + " c6 3 9");
        ASSERT_TRUE(p) << c.field;
        EXPECT_EQ(p->castlingRights[0].kingSide, c.whiteKing) << c.field;
        EXPECT_EQ(p->castlingRights[0].queenSide, c.whiteQueen) << c.field;
        EXPECT_EQ(p->castlingRights[1].kingSide, c.blackKing) << c.field;
        EXPECT_EQ(p->castlingRights[1].queenSide, c.blackQueen) << c.field;
        EXPECT_EQ(p->enPassantFile, 2) << c.field;
        EXPECT_EQ(p->halfmoveCounter, 3) << c.field;
        EXPECT_EQ(p->moveNumber, 9) << c.field;
    }
}

TEST(FenReader, ReadsFenFromOtherPrograms)
{
    struct Case {
        std::string_view text;
        std::optional<int> enPassantFile;
        int halfmove, moveNumber;
    };
    for (const Case c : {
             Case{"r3k2r/8/8/8/8/8/8/R3K2R b Kq - 12 40\n", std::nullopt, 12, 40},
             Case{"rnbqkbnr/pp1ppppp/8/2p5/4P3/8/PPPP1PPP/RNBQKBNR w KQkq c6 0 2\r\n", 2, 0, 2},
             Case{"4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 31", 3, 0, 31},
             Case{"4k3/8/8/8/8/8/8/4K3 b - - 99 120\r\n", std::nullopt, 99, 120},
             Case{"4k3/8/8/8/8/8/8/4K3 w - -", std::nullopt, 0, 0},
         }) {
        const std::optional<FenPosition> p = positionOf(c.text);
        ASSERT_TRUE(p) << c.text;
        EXPECT_EQ(p->enPassantFile, c.enPassantFile) << c.text;
        EXPECT_EQ(p->halfmoveCounter, c.halfmove) << c.text;
        EXPECT_EQ(p->moveNumber, c.moveNumber) << c.text;
    }
    const std::optional<FenPosition> p = positionOf("r3k2r/8/8/8/8/8/8/R3K2R b Kq - 12 40\n");
    ASSERT_TRUE(p);
    EXPECT_EQ(p->board["a8"_sq], 'r');
    EXPECT_EQ(p->board["h1"_sq], 'R');
    EXPECT_EQ(p->board["e1"_sq], 'K');
    EXPECT_EQ(p->board["d1"_sq], 0);
}

TEST(FenReader, KeepsItsLenientPlacementAndSide)
{
    // A run longer than the rest of its row fills only to file h; the slashes are not needed.
    // Bytes that are no piece letter stay on the board, and are written back as they are.
    const std::string text = "rnbqkbn9pppppppp8 8 x?\x80\x01"
                             "4/8/PPPPPPPP/RNBQKBNR W KQkq - 0 1";
    const std::optional<FenPosition> p = positionOf(text);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->board["h8"_sq], 0);
    EXPECT_EQ(p->board["a7"_sq], 'p');
    EXPECT_EQ(p->board["a4"_sq], 'x');
    EXPECT_EQ(p->board["b4"_sq], '?');
    EXPECT_EQ(p->board["c4"_sq], '\x80');
    EXPECT_EQ(p->board["d4"_sq], '\x01');
    EXPECT_EQ(p->sideToMove, Side::White);
    GameState state;
    applyPosition(state, *p);
    EXPECT_EQ(positionToFen(state), "rnbqkbn1/pppppppp/8/8/x?\x80\x01"
                                    "4/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1");

    const std::optional<FenPosition> black = positionOf(std::string(openingPlacement) + " x KQkq - 0 1");
    ASSERT_TRUE(black);
    EXPECT_EQ(black->sideToMove, Side::Black);
}

TEST(FenReader, NumbersStopAtTheLargestInt)
{
    const std::optional<FenPosition> p =
        positionOf(std::string(openingPlacement) + " w - - 99999999999999999999999 2147483648\n");
    ASSERT_TRUE(p);
    EXPECT_EQ(p->halfmoveCounter, INT_MAX);
    EXPECT_EQ(p->moveNumber, INT_MAX);
    const std::optional<FenPosition> exact =
        positionOf(std::string(openingPlacement) + " w - - 2147483647 0");
    ASSERT_TRUE(exact);
    EXPECT_EQ(exact->halfmoveCounter, INT_MAX);
}

TEST(FenReader, TellsWhereAFileBreaksOff)
{
    const std::string placement(openingPlacement);
    const std::pair<std::string, PositionFileError> cases[] = {
        {"", PositionFileError::Placement},
        {"rnbqkbnr/pppp", PositionFileError::Placement},
        {std::string(50, '/') + " \t\r\n", PositionFileError::Placement},
        {placement, PositionFileError::Separator},
        {placement + " ", PositionFileError::Side},
        {placement + " w", PositionFileError::Side},
        {placement + " w ", PositionFileError::Castling},
        {placement + " w KQ", PositionFileError::Castling},
        {placement + " w KQkq", PositionFileError::Castling},
        {placement + " w KQkq ", PositionFileError::EnPassant},
        {placement + " w KQkq x3 0 1", PositionFileError::EnPassant},
        {placement + " w KQkq E3 0 1", PositionFileError::EnPassant},
    };
    for (const auto &[text, error] : cases) {
        const auto result = read(text);
        ASSERT_TRUE(std::holds_alternative<PositionFileError>(result)) << text;
        EXPECT_EQ(std::get<PositionFileError>(result), error) << text;
    }
}

// A game in progress, with a record, on disk in a directory of the test's own.
class PositionFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto *info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir = std::filesystem::temp_directory_path() /
              ("position_test_" + std::to_string(getpid()) + "_" + info->name());
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        for (const std::string_view move : {"e2e4", "e7e5", "g1f3"})
            play(state, desktop, move);
        desktop.takeCalls();
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    // Runs a menu command that answers its file chooser with `path`.
    void run(CommandId command, const std::filesystem::path &path)
    {
        desktop.fileAnswers.push_back(path);
        dispatchCommand(state, desktop, static_cast<int>(command));
    }

    std::filesystem::path dir;
    GameState state;
    FakeDesktop desktop;
};

TEST_F(PositionFile, SavesOneLineWithoutLineBreakOverAnOldFile)
{
    const std::filesystem::path path = dir / "game.fen";
    writeFile(path, "an older and longer file than the position");
    run(CommandId::SavePosition, path);
    EXPECT_EQ(fileContents(path), "rnbqkbnr/pppp1ppp/8/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R b KQkq - 1 2");
    EXPECT_EQ(desktop.takeCalls(), std::vector<std::string>{"save chooser: 名前をつけて保存"});
    const FileChooser &chooser = desktop.choosersShown.at(0);
    EXPECT_EQ(chooser.defaultName, "無題.fen");
    ASSERT_EQ(chooser.filters.size(), 2U);
    EXPECT_EQ(chooser.filters[0].description, "Forsyth-Edwards Notation(*.fen)");
    EXPECT_EQ(chooser.filters[0].pattern, "*.fen");
    EXPECT_EQ(chooser.filters[1].description, "全てのファイル(*.*)");
    EXPECT_EQ(chooser.filters[1].pattern, "*.*");
    EXPECT_EQ(chooser.defaultExtension, "fen");
}

TEST_F(PositionFile, AFailedSaveSaysSoAndWritesNothing)
{
    const std::filesystem::path directoryTarget = dir / "taken.fen";
    std::filesystem::create_directory(directoryTarget);
    writeFile(directoryTarget / "inside", "kept");
    run(CommandId::SavePosition, directoryTarget);
    run(CommandId::SavePosition, dir / "no such directory" / "game.fen");
    EXPECT_EQ(desktop.takeCalls(),
              (std::vector<std::string>{"save chooser: 名前をつけて保存", "box: エラー発生 | Error",
                                        "save chooser: 名前をつけて保存", "box: エラー発生 | Error"}));
    EXPECT_EQ(fileContents(directoryTarget / "inside"), "kept");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1);
}

TEST_F(PositionFile, CancelledChoosersChangeNothing)
{
    const std::string before = snapshot(state);
    dispatchCommand(state, desktop, static_cast<int>(CommandId::SavePosition));
    dispatchCommand(state, desktop, static_cast<int>(CommandId::OpenPosition));
    EXPECT_EQ(desktop.takeCalls(),
              (std::vector<std::string>{"save chooser: 名前をつけて保存", "open chooser: 盤面を開く"}));
    EXPECT_EQ(snapshot(state), before);
    EXPECT_TRUE(std::filesystem::is_empty(dir));
}

TEST_F(PositionFile, ALoadReplacesTheGameButNotItsEnd)
{
    const std::filesystem::path path = dir / "other.fen";
    writeFile(path, "r3k2r/8/8/3pP3/8/8/8/R3K2R w Kq d6 7 12\r\n");
    state.gameOver = true;
    run(CommandId::OpenPosition, path);

    EXPECT_EQ(desktop.takeCalls(), (std::vector<std::string>{"open chooser: 盤面を開く",
                                                             "status: Turn:White thinking", "redraw"}));
    const FileChooser &chooser = desktop.choosersShown.at(0);
    EXPECT_EQ(chooser.defaultName, "");
    ASSERT_EQ(chooser.filters.size(), 1U);
    EXPECT_EQ(chooser.filters[0].description, "Forsyth-Edwards Notation(*.fen)");
    EXPECT_EQ(chooser.filters[0].pattern, "*.fen");
    EXPECT_EQ(chooser.defaultExtension, "fen");

    EXPECT_EQ(positionToFen(state), "r3k2r/8/8/3pP3/8/8/8/R3K2R w Kq d6 7 12");
    EXPECT_EQ(state.doubleStepOf(Side::White).pending, false);
    EXPECT_EQ(state.whiteMoveCount, 11);
    EXPECT_FALSE(state.record.exists());
    EXPECT_EQ(state.selectionState, SelectionState::IdleAfterLoad);
    EXPECT_FALSE(state.recordEnabled);
    EXPECT_TRUE(state.gameOver);
}

TEST_F(PositionFile, TheNextMovesContinueTheFilesNumbering)
{
    const std::filesystem::path path = dir / "numbered.fen";
    writeFile(path, std::string(openingPlacement) + " w KQkq - 0 5");
    run(CommandId::OpenPosition, path);
    play(state, desktop, "d2d4");
    play(state, desktop, "d7d5");
    play(state, desktop, "c2c4");
    EXPECT_EQ(state.record.view(), "5  d2-d4      d7-d5\r\n6  c2-c4      ");

    writeFile(path, std::string(openingPlacement) + " b KQkq - 0 5");
    run(CommandId::OpenPosition, path);
    play(state, desktop, "d7d5");
    play(state, desktop, "d2d4");
    EXPECT_EQ(state.record.view(), "d7-d5\r\n6  d2-d4      ");

    writeFile(path, std::string(openingPlacement) + " w KQkq - 0 0");
    run(CommandId::OpenPosition, path);
    EXPECT_EQ(state.whiteMoveCount, 0);
    EXPECT_EQ(positionToFen(state), openingFen);
}

TEST_F(PositionFile, ABadFileShowsWhyAndLeavesTheGameAsItWas)
{
    const std::string placement(openingPlacement);
    std::string garbage;
    unsigned seed = 12345;
    for (int i = 0; i < 4096; ++i) {
        seed = seed * 1103515245U + 12345U;
        const char byte = static_cast<char>(seed >> 16);
        garbage += byte == ' ' ? '\xff' : byte; // with no space the castling field never ends
    }
    const std::pair<std::string, std::string_view> files[] = {
        {"", texts::badPositionFile},
        {"rnbqkbnr/pppppppp/8/8", texts::badPositionFile},
        {placement, texts::badPositionFileA},
        {placement + " b", texts::badPositionFileB},
        {placement + " b Kq", texts::badPositionFileC},
        {placement + " b Kq 3 0 1\n", texts::badPositionFileD},
        {garbage, texts::badPositionFileC},
    };
    const std::string before = snapshot(state);
    int number = 0;
    for (const auto &[contents, message] : files) {
        const std::filesystem::path path = dir / ("bad" + std::to_string(++number) + ".fen");
        writeFile(path, contents);
        run(CommandId::OpenPosition, path);
        EXPECT_EQ(desktop.takeCalls(),
                  (std::vector<std::string>{"open chooser: 盤面を開く",
                                            "box: " + std::string(message) + " | Error"}))
            << contents;
        EXPECT_EQ(snapshot(state), before) << contents;
    }
    for (const std::filesystem::path &path : {dir / "missing.fen", dir}) {
        run(CommandId::OpenPosition, path);
        EXPECT_EQ(desktop.takeCalls(),
                  (std::vector<std::string>{"open chooser: 盤面を開く",
                                            "box: ファイルオープンエラー発生 | File Open Error"}))
            << path;
        EXPECT_EQ(snapshot(state), before) << path;
    }
}

TEST_F(PositionFile, AHugeFileIsReadToItsEndAndRefused)
{
    const std::filesystem::path path = dir / "huge.fen";
    {
        std::ofstream out(path, std::ios::binary);
        const std::string block(1 << 20, '/');
        for (int i = 0; i < 50; ++i)
            out << block;
    }
    const std::string before = snapshot(state);
    run(CommandId::OpenPosition, path);
    EXPECT_EQ(desktop.takeCalls(),
              (std::vector<std::string>{"open chooser: 盤面を開く", "box: 不正なファイルです | Error"}));
    EXPECT_EQ(snapshot(state), before);
}

TEST_F(PositionFile, ABadFilePutsAPickedUpPieceBack)
{
    const std::filesystem::path path = dir / "cut.fen";
    writeFile(path, std::string(openingPlacement) + " b KQ");
    click(state, desktop, "b8"_sq);
    ASSERT_EQ(state.selectionState, SelectionState::PieceSelected);
    GameState expected = state;
    FakeDesktop unused;
    onCancel(expected, unused);
    desktop.takeCalls();

    run(CommandId::OpenPosition, path);
    EXPECT_EQ(desktop.takeCalls(),
              (std::vector<std::string>{"open chooser: 盤面を開く", "box: 不正なファイルc | Error",
                                        "status: Turn:Black thinking", "redraw"}));
    EXPECT_EQ(snapshot(state), snapshot(expected));
}

// Before every move of each game the position goes to a file and into a fresh game; that
// game must then make the same move with the same record entry and arrive at the same place.
TEST_F(PositionFile, EveryPositionOfPlayedGamesComesBackFromItsFile)
{
    const std::vector<std::vector<std::string_view>> games = {
        {"e2e4", "g8f6", "e4e5", "d7d5", "e5d6", "c7d6", "g1f3", "b8c6", "f1c4", "c8g4", "e1g1", "d8d7",
         "d2d4", "e8c8", "f1e1", "h7h6"},
        {"h2h4", "g7g5", "h4g5", "h7h6", "h1h5", "h6g5",  "h5h8", "a7a5", "b2b4", "a5b4",
         "a2a3", "b4a3", "c1b2", "a3b2", "g1f3", "b2a1n", "e2e4", "f8g7", "h8g8", "a1c2"},
    };
    const std::filesystem::path path = dir / "round.fen";
    for (const std::vector<std::string_view> &moves : games) {
        GameState game;
        FakeDesktop gameDesktop;
        for (const std::string_view move : moves) {
            gameDesktop.fileAnswers.push_back(path);
            dispatchCommand(game, gameDesktop, static_cast<int>(CommandId::SavePosition));
            GameState loaded;
            FakeDesktop loadedDesktop;
            loadedDesktop.fileAnswers.push_back(path);
            dispatchCommand(loaded, loadedDesktop, static_cast<int>(CommandId::OpenPosition));
            expectSamePosition(game, loaded);

            const std::size_t recordBefore = game.record.view().size();
            play(game, gameDesktop, move);
            play(loaded, loadedDesktop, move);
            EXPECT_EQ(loaded.record.view(), game.record.view().substr(recordBefore)) << move;
            expectSamePosition(game, loaded);
            EXPECT_EQ(positionToFen(loaded), positionToFen(game)) << move;
        }
    }
}

} // namespace
} // namespace chess
