#include "app/menu_commands.h"
#include "app/move_controller.h"
#include "app/texts.h"
#include "fake_desktop.h"
#include "record/move_record.h"
#include "test_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#ifndef _WIN32
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace chess {
namespace {

using testing::FakeDesktop;
using testing::readFile;
using Calls = std::vector<std::string>;

class Commands : public ::testing::Test {
protected:
    GameState state;
    FakeDesktop desktop;
    std::filesystem::path folder;

    void SetUp() override
    {
        folder = testing::freshTestFolder("chess-commands-");
        for (const auto &[from, to] : {std::pair{"e2"_sq, "e4"_sq}, {"e7"_sq, "e5"_sq}, {"g1"_sq, "f3"_sq}}) {
            state.board[to] = state.board[from];
            state.board[from] = 0;
            appendMoveToRecord(state, state.sideToMove, from, to, 0, false);
            state.sideToMove = opponent(state.sideToMove);
        }
        state.recordEnabled = true;
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    void run(CommandId command) { dispatchCommand(state, desktop, static_cast<int>(command)); }
};

constexpr std::string_view recordText = "1  e2-e4      e7-e5\r\n2  g1-f3      ";

TEST_F(Commands, ViewShowsTheRecordInABox)
{
    run(CommandId::ViewRecord);
    EXPECT_EQ(desktop.calls, Calls{"box: " + std::string(recordText) + " | 棋譜"});
}

TEST_F(Commands, SaveWritesExactlyTheRecordBytes)
{
    const auto path = folder / "game.txt";
    desktop.fileAnswers = {path};
    run(CommandId::SaveRecord);
    EXPECT_EQ(readFile(path), recordText)
        << "CR LF kept, the trailing spaces of White's entry, no line end added";
    ASSERT_EQ(desktop.choosersShown.size(), 1u);
    const FileChooser &chooser = desktop.choosersShown.front();
    EXPECT_EQ(desktop.calls.front(), "save chooser: 名前をつけて保存")
        << "a save chooser, which asks before overwriting";
    EXPECT_EQ(chooser.defaultName, "棋譜.txt");
    ASSERT_EQ(chooser.filters.size(), 2u);
    EXPECT_EQ(chooser.filters[0].description, "テキストファイル(*.txt)");
    EXPECT_EQ(chooser.filters[0].pattern, "*.txt");
    EXPECT_EQ(chooser.filters[1].description, "全てのファイル(*.*)");
    EXPECT_EQ(chooser.defaultExtension, "txt");
}

TEST_F(Commands, SaveReplacesAnOldFileWhole)
{
    const auto path = folder / "game.txt";
    std::ofstream(path, std::ios::binary) << std::string(500, 'o');
    desktop.fileAnswers = {path};
    run(CommandId::SaveRecord);
    EXPECT_EQ(readFile(path), recordText);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1)
        << "no temporary file is left";
}

TEST_F(Commands, AFailedSaveSaysSoAndKeepsTheOldFile)
{
    const auto path = folder / "taken";
    std::filesystem::create_directory(path);
    desktop.fileAnswers = {path, folder / "no such folder" / "game.txt"};
    run(CommandId::SaveRecord);
    run(CommandId::SaveRecord);
    const std::string errorBox = "box: エラー発生 | Error";
    EXPECT_EQ(desktop.calls, (Calls{"save chooser: 名前をつけて保存", errorBox,
                                    "save chooser: 名前をつけて保存", errorBox}));
    EXPECT_TRUE(std::filesystem::is_directory(path));
}

// POSIX files only: the page's files live in the browser's memory, with no modes, links,
// users or disk to fill.
#if !defined(_WIN32) && !defined(__EMSCRIPTEN__)
TEST_F(Commands, SaveKeepsThePermissionsAndTheLink)
{
    using std::filesystem::perms;
    const auto path = folder / "game.txt", link = folder / "link.txt";
    const perms mode = perms::owner_read | perms::owner_write | perms::group_read; // no default gives it
    std::ofstream(path) << "old";
    std::filesystem::permissions(path, mode);
    std::filesystem::create_symlink("game.txt", link);
    desktop.fileAnswers = {link};
    run(CommandId::SaveRecord);
    EXPECT_EQ(readFile(path), recordText);
    EXPECT_EQ(std::filesystem::read_symlink(link), "game.txt");
    EXPECT_EQ(std::filesystem::status(path).permissions(), mode);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 2);
}

// A full disk (a file size limit makes the write fail part way, for root too), then a
// read-only folder (root writes into any, so there the save runs as the user nobody).
TEST_F(Commands, FailedSavesLeaveTheOldFileAndNothingElse)
{
    using std::filesystem::perms;
    const auto path = folder / "game.txt";
    std::ofstream(path) << "old";
    desktop.fileAnswers = {path, path};
    rlimit normal;
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &normal), 0);
    const rlimit small{16, normal.rlim_max};
    std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    run(CommandId::SaveRecord);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &normal), 0);
    std::filesystem::permissions(folder, perms::owner_read | perms::owner_exec | perms::others_read |
                                             perms::others_exec);
    const bool root = ::geteuid() == 0;
    if (root && ::seteuid(65534) != 0) {
        std::filesystem::permissions(folder, perms::owner_all);
        GTEST_SKIP() << "running as root, and cannot act as the user nobody";
    }
    run(CommandId::SaveRecord);
    ASSERT_TRUE(!root || ::seteuid(0) == 0);
    std::filesystem::permissions(folder, perms::owner_all);
    EXPECT_EQ(std::count(desktop.calls.begin(), desktop.calls.end(), "box: エラー発生 | Error"), 2);
    EXPECT_EQ(readFile(path), "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1);
}
#endif

TEST_F(Commands, ACancelledSaveDoesNothing)
{
    run(CommandId::SaveRecord);
    EXPECT_EQ(desktop.calls, Calls{"save chooser: 名前をつけて保存"});
    EXPECT_TRUE(std::filesystem::is_empty(folder));
}

TEST_F(Commands, CopyPutsTheRecordOnTheClipboard)
{
    run(CommandId::CopyRecord);
    EXPECT_EQ(desktop.clipboard, recordText);
    desktop.clipboardWorks = false;
    desktop.calls.clear();
    run(CommandId::CopyRecord);
    EXPECT_EQ(desktop.calls, (Calls{"clipboard", "box: クリップボードに書き込み失敗 | Error"}));
}

TEST_F(Commands, RecordCommandsNeverChangeTheRecord)
{
    desktop.fileAnswers = {folder / "a.txt"};
    for (CommandId command : {CommandId::ViewRecord, CommandId::SaveRecord, CommandId::CopyRecord})
        run(command);
    EXPECT_EQ(state.record.view(), recordText);
}

TEST_F(Commands, ResetStartsANewGameWithTheFrameHidden)
{
    state.gameOver = true;
    state.halfmoveCounter = 12;
    state.cursorSquare = "f3"_sq;
    run(CommandId::ResetBoard);
    EXPECT_EQ(desktop.calls, (Calls{"status: Ready", "redraw"}));
    EXPECT_EQ(state.board, GameState::initialBoard);
    EXPECT_EQ(state.sideToMove, Side::White);
    EXPECT_EQ(state.selectionState, SelectionState::IdleAfterReset);
    EXPECT_FALSE(state.recordEnabled);
    EXPECT_FALSE(state.gameOver);
    EXPECT_EQ(state.halfmoveCounter, 0);
    EXPECT_FALSE(state.record.exists());
    EXPECT_EQ(state.cursorSquare, "f3"_sq);
    for (CommandId command : {CommandId::ViewRecord, CommandId::SaveRecord, CommandId::CopyRecord})
        EXPECT_FALSE(isCommandEnabled(state, command));
    EXPECT_TRUE(isCommandEnabled(state, CommandId::OpenPosition));
}

TEST_F(Commands, ExitAsksToCloseAndUnknownNumbersAreIgnored)
{
    run(CommandId::Exit);
    EXPECT_EQ(desktop.takeCalls(), Calls{"close"});
    const GameState before = state;
    for (int id : {0, 199, 207, 300, -1})
        dispatchCommand(state, desktop, id);
    EXPECT_TRUE(desktop.calls.empty());
    EXPECT_EQ(state.board, before.board);
}

TEST(FileMenu, HasTheSevenItemsAndTwoSeparatorsInOrder)
{
    std::vector<std::string> captions;
    for (const MenuItem &item : fileMenuItems())
        captions.push_back(item.command ? std::to_string(static_cast<int>(*item.command)) + " " +
                                              std::string(item.caption)
                                        : "-");
    EXPECT_EQ(captions,
              (std::vector<std::string>{"200 盤面の初期化(&R)", "201 盤面の保存(&F)", "206 盤面データを開く",
                                        "-", "202 棋譜を見る(&P)", "203 棋譜の保存(&R)", "204 棋譜をコピー",
                                        "-", "205 終了(&X)"}));
    EXPECT_EQ(fileMenuCaption, "ファイル(&F)");
}

} // namespace
} // namespace chess
