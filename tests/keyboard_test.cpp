#include "app/keyboard.h"
#include "app/menu_commands.h"
#include "app/move_controller.h"
#include "app/speech.h"
#include "board_setup.h"
#include "fake_desktop.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace chess {
namespace {

using testing::boardFromRanks;
using testing::FakeDesktop;
using Lines = std::vector<std::string>;

// Keys and typed characters in one script: "<" ">" "^" "v" the arrows, "H" "E" Home and
// End, "U" "D" Page Up and Page Down, "!" Enter, " " Space, "x" Escape; lower-case letters
// and digits are typed.
void play(GameState &state, Desktop &desktop, std::string_view script)
{
    for (const char c : script) {
        switch (c) {
        case '<': onKey(state, desktop, Key::Left); break;
        case '>': onKey(state, desktop, Key::Right); break;
        case '^': onKey(state, desktop, Key::Up); break;
        case 'v': onKey(state, desktop, Key::Down); break;
        case 'H': onKey(state, desktop, Key::Home); break;
        case 'E': onKey(state, desktop, Key::End); break;
        case 'U': onKey(state, desktop, Key::PageUp); break;
        case 'D': onKey(state, desktop, Key::PageDown); break;
        case '!': onKey(state, desktop, Key::Enter); break;
        case ' ': onKey(state, desktop, Key::Space); break;
        case 'x': onKey(state, desktop, Key::Escape); break;
        default: onTypedCharacter(state, c); break;
        }
    }
}

TEST(Keyboard, MovesTheKeyboardSquareAndStopsAtTheEdges)
{
    const struct {
        std::string_view script;
        Square expected;
    } cases[] = {
        {"", "e2"_sq},    {"^^", "e4"_sq},  {"<<<<<<", "a2"_sq}, {">>>>>>", "h2"_sq}, {"vvv", "e1"_sq},
        {"UU^", "e8"_sq}, {"HD", "a1"_sq},  {"E", "h2"_sq},      {"e4", "e4"_sq},     {"b8>", "c8"_sq},
        {"c9", "e2"_sq},  {"c^5", "e3"_sq}, {"4", "e2"_sq},      {"ae", "e2"_sq},     {"ae1", "e1"_sq},
    };
    for (const auto &[script, expected] : cases) {
        GameState state;
        FakeDesktop desktop;
        play(state, desktop, script);
        EXPECT_EQ(state.keyboard.square, expected) << "keys \"" << script << '"';
        EXPECT_EQ(state.board, GameState::initialBoard) << "moving the keyboard square moves no piece";
        EXPECT_TRUE(desktop.calls.empty()) << "nor does it change the picture";
    }
}

TEST(Keyboard, TypedCharactersTheBoardDoesNotTakeAreLeftToTheWindow)
{
    GameState state;
    EXPECT_FALSE(onTypedCharacter(state, '4')) << "a digit without a file letter";
    EXPECT_FALSE(onTypedCharacter(state, 'q'));
    EXPECT_FALSE(state.keyboard.used);
    EXPECT_TRUE(onTypedCharacter(state, 'G'));
    EXPECT_TRUE(onTypedCharacter(state, '1'));
    EXPECT_EQ(state.keyboard.square, "g1"_sq);
    EXPECT_TRUE(state.keyboard.used);
    EXPECT_FALSE(onTypedCharacter(state, '1')) << "the letter is used up";
}

TEST(Keyboard, EnterSpaceAndEscapeAreTheMouseGestures)
{
    GameState byKeys, byMouse;
    FakeDesktop keys, mouse;
    play(byKeys, keys, "!^^ e7 e5!g1!f3!c8!x");
    for (const Square s : {"e2"_sq, "e4"_sq, "e7"_sq, "e5"_sq, "g1"_sq, "f3"_sq, "c8"_sq})
        onLeftDoubleClick(byMouse, mouse, squareCentre(s));
    onCancel(byMouse, mouse);
    EXPECT_EQ(keys.calls, mouse.calls);
    EXPECT_EQ(keys.spoken, mouse.spoken);
    EXPECT_EQ(byKeys.board, byMouse.board);
    EXPECT_EQ(byKeys.record.view(), "1  e2-e4      e7-e5\r\n2  g1-f3      ");
    EXPECT_EQ(byMouse.keyboard.square, "c8"_sq) << "a double-click moves the keyboard square";
}

TEST(Speech, NamesEverySquareByWhatTheBoardShows)
{
    Board board = GameState::initialBoard;
    board["e4"_sq] = 'P';
    board["c5"_sq] = '#';
    board["c6"_sq] = 'x';
    EXPECT_EQ(speech::squareWords(board, "e4"_sq), "e4, white pawn");
    EXPECT_EQ(speech::squareWords(board, "e5"_sq), "e5, empty");
    EXPECT_EQ(speech::squareWords(board, "d8"_sq), "d8, black queen");
    EXPECT_EQ(speech::squareWords(board, "g1"_sq), "g1, white knight");
    EXPECT_EQ(speech::squareWords(board, "c5"_sq), "c5, white pawn") << "a stray byte is drawn as a pawn";
    EXPECT_EQ(speech::squareWords(board, "c6"_sq), "c6, black pawn");
}

TEST(Speech, EachGestureSaysOneLine)
{
    const struct {
        std::array<std::string_view, 8> ranks;
        Side mover;
        std::vector<Square> clicks;
        Lines expected;
    } cases[] = {
        {{"....k...", "........", "........", "........", "........", "........", "....P...", "....K..."},
         Side::White,
         {"e2"_sq, "e2"_sq, "e2"_sq, "e5"_sq, "e4"_sq},
         {"e2, white pawn, picked up", "e2, white pawn, put back", "e2, white pawn, picked up",
          "illegal move", "e2 to e4. Black to move."}},
        {{"r...k...", "........", "........", "........", "........", "........", "........", "....K..R"},
         Side::White,
         {"e1"_sq, "g1"_sq, "e8"_sq, "c8"_sq},
         {"e1, white king, picked up", "e1 to g1, castling king side. Black to move.",
          "e8, black king, picked up", "e8 to c8, castling queen side. White to move."}},
        {{"....k...", "...p....", "........", "....P...", "........", "........", "........", "....K..."},
         Side::Black,
         {"d7"_sq, "d5"_sq, "e5"_sq, "d6"_sq},
         {"d7, black pawn, picked up", "d7 to d5. White to move.", "e5, white pawn, picked up",
          "e5 to d6, en passant. Black to move."}},
        {{"....k...", "........", "........", "........", "........", "........", ".p......", "R...K..."},
         Side::Black,
         {"b2"_sq, "a1"_sq},
         {"b2, black pawn, picked up", "b2 to a1, takes white rook, promotes to queen. White to move."}},
        {{"....k...", "....Q...", "........", "........", "........", "........", "........", "....K..."},
         Side::White,
         {"e7"_sq, "e8"_sq},
         {"e7, white queen, picked up", "e7 to e8, takes black king. White has won."}},
    };
    for (const auto &c : cases) {
        GameState state;
        FakeDesktop desktop;
        state.board = boardFromRanks(c.ranks);
        state.sideToMove = c.mover;
        for (const Square s : c.clicks)
            onLeftDoubleClick(state, desktop, squareCentre(s));
        EXPECT_EQ(desktop.spoken, c.expected);
    }
}

TEST(Speech, TheDrawAndANewGameAreSaid)
{
    GameState state;
    FakeDesktop desktop;
    state.halfmoveCounter = 49;
    play(state, desktop, "g1!f3!");
    EXPECT_EQ(desktop.spoken.back(), "g1 to f3. Draw.");
    dispatchCommand(state, desktop, static_cast<int>(CommandId::ResetBoard));
    EXPECT_EQ(desktop.spoken.back(), "New game. White to move.");
}

} // namespace
} // namespace chess
