#include "app/history_commands.h"
#include "app/history_file.h"
#include "app/menu_commands.h"
#include "app/move_controller.h"
#include "app/speech.h"
#include "board_setup.h"
#include "fake_desktop.h"
#include "game_test.h"
#include "position/fen_writer.h"
#include "random_play.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace chess {
namespace {

// Everything a step must give back, as one comparable text.
std::string wholeState(const GameState &s)
{
    std::string text = positionToFen(s) + "|";
    for (const char byte : s.board.squares)
        text += std::to_string(static_cast<unsigned char>(byte)) + ",";
    for (const DoubleStepRecord &d : s.doubleStep)
        text += std::to_string(d.pending) + std::to_string(d.file);
    text += "|" + std::to_string(s.halfmoveCounter) + " " + std::to_string(s.whiteMoveCount) + " " +
            std::to_string(static_cast<int>(s.selectionState)) + " " + squareName(s.cursorSquare) +
            squareName(s.selectedFrom) + squareName(s.lastMoveTo) + std::to_string(s.epCaptured) +
            std::to_string(s.recordEnabled) + std::to_string(s.gameOver) + std::to_string(s.record.exists()) +
            "|" + s.statusText + "|" + std::string(s.record.view());
    return text;
}

// Random games with a reset now and then; the whole state after every step, the start first.
std::vector<std::string> playRandomly(GameState &state, testing::FakeDesktop &desktop, int gestures,
                                      unsigned seed)
{
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> perMille(0, 999);
    std::uniform_int_distribution<int> promotionChoice(0, 3);
    std::vector<std::string> states{wholeState(state)};
    for (int gesture = 0; gesture < gestures; ++gesture) {
        const std::size_t stepsBefore = state.history.steps().size();
        const int kind = perMille(random);
        desktop.promotionAnswers = {promotionChoice(random)};
        if (kind < 3 || (state.gameOver && kind < 100))
            dispatchCommand(state, desktop, static_cast<int>(CommandId::ResetBoard));
        else if (kind < 60)
            onCancel(state, desktop);
        else
            onLeftDoubleClick(state, desktop, testing::nextClick(state, kind, random));
        if (state.history.steps().size() != stepsBefore)
            states.push_back(wholeState(state));
    }
    return states;
}

TEST(History, UndoGivesBackEveryEarlierStateAndRedoTheLastOne)
{
    for (const unsigned seed : {1u, 2u, 3u}) {
        GameState state;
        testing::FakeDesktop desktop;
        state.history.begin(state);
        const std::vector<std::string> states = playRandomly(state, desktop, 3000, seed);
        ASSERT_EQ(states.size(), state.history.steps().size());
        ASSERT_GT(states.size(), 200u) << "whole games were played";
        for (std::size_t step = states.size() - 1; step > 0; --step) {
            dispatchCommand(state, desktop, static_cast<int>(CommandId::Undo));
            ASSERT_EQ(wholeState(state), states[step - 1])
                << "seed " << seed << ", undo to step " << step - 1;
            ASSERT_EQ(desktop.statusText, state.statusText);
        }
        EXPECT_FALSE(isCommandEnabled(state, CommandId::Undo));
        while (isCommandEnabled(state, CommandId::Redo))
            dispatchCommand(state, desktop, static_cast<int>(CommandId::Redo));
        EXPECT_EQ(wholeState(state), states.back()) << "seed " << seed;
    }
}

using HistoryGame = testing::GameTest;

TEST_F(HistoryGame, UndoReopensAWonGameAndANewStepDropsTheStepsAhead)
{
    state.board = testing::boardFromRanks(
        {"....k...", "........", "....Q...", "........", "........", "........", "........", "....K..."});
    state.history.begin(state);
    move("e6"_sq, "e7"_sq);
    onLeftDoubleClick(state, desktop, squareCentre("e8"_sq));
    command(CommandId::Undo);
    EXPECT_EQ(state.board["e6"_sq], 'Q') << "the picked-up king goes back with White's move";
    EXPECT_EQ(state.selectionState, SelectionState::IdleAfterLoad);
    EXPECT_EQ(desktop.statusText, "Ready");

    command(CommandId::Redo);
    move("e8"_sq, "d8"_sq);
    move("e7"_sq, "d8"_sq);
    ASSERT_TRUE(state.gameOver);
    command(CommandId::Undo);
    EXPECT_FALSE(state.gameOver);
    EXPECT_EQ(desktop.spoken.back(), "Took back e7 to d8. White to move.");
    command(CommandId::Redo);
    EXPECT_EQ(desktop.spoken.back(), "Replayed e7 to d8. White has won.");
    command(CommandId::Undo);

    move("e7"_sq, "c7"_sq);
    EXPECT_FALSE(isCommandEnabled(state, CommandId::Redo)) << "the king capture ahead is gone";
    command(CommandId::ResetBoard);
    command(CommandId::Undo);
    EXPECT_EQ(state.board["c7"_sq], 'Q') << "the game before the reset comes back whole";
    EXPECT_EQ(desktop.spoken.back(), "Previous game back. Black to move.");
}

TEST(History, MenuAndShortcuts)
{
    std::vector<std::string_view> captions;
    for (const MenuItem &item : gameMenuItems())
        captions.push_back(item.command ? item.caption : "-");
    EXPECT_EQ(captions,
              (std::vector<std::string_view>{"元に戻す(&U)", "やり直し(&R)", "-", "前回の対局を再開(&L)", "-",
                                             "PGN で保存(&S)...", "PGN をコピー(&C)", "PGN を開く(&O)...",
                                             "-", "対局時計(&T)...", "時計を止める(&P)"}));
    EXPECT_EQ(shortcutCommand('Z', false), CommandId::Undo);
    EXPECT_EQ(shortcutCommand('Y', false), CommandId::Redo);
    EXPECT_EQ(shortcutCommand('Z', true), CommandId::Redo);
    EXPECT_EQ(shortcutCommand('Y', true), std::nullopt);
    EXPECT_EQ(shortcutCommand('X', false), std::nullopt);
}

TEST_F(HistoryGame, PgnCommandsTakeTheCurrentGameAndAnOpenedGameIsSteppedThrough)
{
    EXPECT_FALSE(isCommandEnabled(state, CommandId::CopyPgn));
    move("e2"_sq, "e4"_sq);
    move("e7"_sq, "e5"_sq);
    command(CommandId::ResetBoard);
    EXPECT_FALSE(isCommandEnabled(state, CommandId::SavePgn)) << "no move in the new game";
    desktop.today = "2026.12.10";
    move("d2"_sq, "d4"_sq);
    command(CommandId::CopyPgn);
    EXPECT_NE(desktop.clipboard.find("[Date \"2026.12.10\"]"), std::string::npos) << desktop.clipboard;
    EXPECT_NE(desktop.clipboard.find("\n1. d4 *\n"), std::string::npos) << desktop.clipboard;

    const std::filesystem::path file = std::filesystem::temp_directory_path() / "chess-history-test.pgn";
    std::ofstream(file) << "1. e4 e5 2. Nf3 *\n";
    desktop.fileAnswers = {file};
    command(CommandId::OpenPgn);
    std::filesystem::remove(file);
    EXPECT_EQ(std::string(state.record.view()), "1  e2-e4      e7-e5\r\n2  g1-f3      ");
    command(CommandId::Undo);
    EXPECT_EQ(state.board["g1"_sq], 'N');
    command(CommandId::Undo);
    command(CommandId::Undo);
    command(CommandId::Undo);
    EXPECT_EQ(state.board["d4"_sq], 'P') << "the game before the opened one comes back";
}

// The file of a run that played two games, the second one not finished.
std::string savedFileAfterTwoGames(std::vector<std::string> &lastGameStates)
{
    GameState state;
    testing::FakeDesktop desktop;
    state.history.begin(state);
    playRandomly(state, desktop, 400, 7);
    dispatchCommand(state, desktop, static_cast<int>(CommandId::ResetBoard));
    lastGameStates = playRandomly(state, desktop, 300, 8);
    return historyFileText(state.history);
}

TEST(History, ANewRunResumesTheLastGameAndStepsBackThroughIt)
{
    std::vector<std::string> lastGame;
    const std::string file = savedFileAfterTwoGames(lastGame);
    ASSERT_GT(lastGame.size(), 5u);

    GameState state;
    testing::FakeDesktop desktop;
    const std::string fresh = wholeState(state);
    startHistory(state, file);
    EXPECT_EQ(wholeState(state), fresh) << "the run starts on the opening position";
    ASSERT_TRUE(isCommandEnabled(state, CommandId::ResumeLastGame));
    dispatchCommand(state, desktop, static_cast<int>(CommandId::ResumeLastGame));
    EXPECT_EQ(wholeState(state), lastGame.back());
    EXPECT_EQ(state.history.currentGameDate(), "2026.12.09") << "the day of its first move is kept";
    EXPECT_EQ(desktop.spoken.back(), "Last game resumed. " + std::string(speech::gameWords(state)));
    EXPECT_FALSE(isCommandEnabled(state, CommandId::ResumeLastGame));
    for (std::size_t step = lastGame.size() - 1; step > 0; --step) {
        dispatchCommand(state, desktop, static_cast<int>(CommandId::Undo));
        ASSERT_EQ(wholeState(state), lastGame[step - 1]);
    }
    EXPECT_TRUE(isCommandEnabled(state, CommandId::Undo)) << "the game before it is kept too";

    GameState again;
    startHistory(again, file);
    onLeftDoubleClick(again, desktop, squareCentre("e2"_sq));
    onLeftDoubleClick(again, desktop, squareCentre("e4"_sq));
    EXPECT_FALSE(isCommandEnabled(again, CommandId::ResumeLastGame)) << "greyed after the run's first step";
    dispatchCommand(again, desktop, static_cast<int>(CommandId::Undo));
    dispatchCommand(again, desktop, static_cast<int>(CommandId::Undo));
    EXPECT_EQ(wholeState(again), lastGame.back()) << "Undo still reaches it";
}

TEST(History, AnUnreadableFileStartsAfreshWithNothingToUndo)
{
    std::vector<std::string> lastGame;
    const std::string file = savedFileAfterTwoGames(lastGame);
    std::vector<std::string> bad = {"", "chessboard history 2\n" + file.substr(21),
                                    "\x7f"
                                    "ELF\x02\x01\x01",
                                    file + "x"};
    for (std::size_t length = 0; length < file.size(); length += 7)
        bad.push_back(file.substr(0, length));
    std::mt19937 random(5);
    std::string noise(4096, 0);
    for (char &byte : noise)
        byte = static_cast<char>(random());
    bad.push_back(noise);
    for (const std::string &text : bad) {
        EXPECT_FALSE(readHistoryFile(text)) << text.size() << " bytes";
        GameState state;
        startHistory(state, text);
        EXPECT_FALSE(isCommandEnabled(state, CommandId::Undo));
        EXPECT_FALSE(isCommandEnabled(state, CommandId::ResumeLastGame));
    }
    EXPECT_TRUE(readHistoryFile(file));
}

} // namespace
} // namespace chess
