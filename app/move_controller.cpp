#include "app/move_controller.h"

#include "app/clock_commands.h"
#include "app/speech.h"
#include "app/texts.h"
#include "record/move_record.h"
#include "rules/castling.h"
#include "rules/move_rules.h"
#include "rules/promotion.h"

#include <algorithm>
#include <cctype>

namespace chess {
namespace {

constexpr int drawCounter = 50;

void refuse(GameState &state, Desktop &desktop, std::string_view warning)
{
    showStatus(state, desktop, warning);
    desktop.beep();
    desktop.announce(speech::illegalMove);
}

// The move's words and then what follows it: whose turn it is, or the end of the game.
void announceMove(Desktop &desktop, const speech::MoveFacts &move, std::string_view outcome)
{
    desktop.announce(speech::moveWords(move) + ". " + std::string(outcome));
}

// The promotion as the history keeps it: the piece, not its side.
char promotionPiece(char letter)
{
    return static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
}

std::string_view afterMoveStatus(Side mover)
{
    return mover == Side::White ? texts::blackThinking : texts::whiteThinking;
}

void appendToRecord(GameState &state, Desktop &desktop, Square from, Square to, char promotion,
                    bool enPassant)
{
    if (!appendMoveToRecord(state, state.sideToMove, from, to, promotion, enPassant))
        desktop.showMessage(texts::recordFailed, texts::recordFailedCaption);
}

void finishTurn(GameState &state, Desktop &desktop)
{
    showStatus(state, desktop, afterMoveStatus(state.sideToMove));
    state.sideToMove = opponent(state.sideToMove);
    state.selectionState = SelectionState::ShowLastMove;
    desktop.requestRedraw();
}

void endGame(GameState &state, Desktop &desktop, std::string_view box, std::string_view caption,
             std::string_view status)
{
    state.selectionState = SelectionState::ShowLastMove;
    state.gameOver = true;
    desktop.requestRedraw();
    desktop.showMessage(box, caption);
    showStatus(state, desktop, status);
}

// A completed move is a step of the game's history, and passes the turn on the clock; a
// game's first move keeps its day.
void completeStep(GameState &state, Desktop &desktop, Side mover, PlayedMove move)
{
    passTurn(state.clock, mover);
    const bool firstMove = !state.history.currentGameHasMoves();
    state.history.commit(state, StepKind::Move, move, firstMove ? desktop.localDate() : std::string());
    desktop.saveHistory(state.history);
    showClock(state, desktop);
}

void pickUp(GameState &state, Desktop &desktop)
{
    if (state.gameOver)
        return;
    const char piece = state.board[state.cursorSquare];
    const Side mover = state.sideToMove;
    // White passes over empty squares and stray bytes alike; Black only over empty ones.
    const bool nothingThere =
        mover == Side::White ? !isWhitePiece(piece) && !isBlackPiece(piece) : piece == 0;
    if (nothingThere)
        return;
    if (!isPieceOf(mover, piece)) {
        refuse(state, desktop, mover == Side::White ? texts::whiteTouchedBlackPiece : texts::illegalMove);
        return;
    }
    showStatus(state, desktop, mover == Side::White ? texts::whiteMoving : texts::blackMoving);
    state.selectedFrom = state.cursorSquare;
    state.selectionState = SelectionState::PieceSelected;
    desktop.requestRedraw();
    desktop.announce(speech::squareWords(state.board, state.cursorSquare) + std::string(speech::pickedUp));
}

void castle(GameState &state, Desktop &desktop)
{
    const Side mover = state.sideToMove;
    appendToRecord(state, desktop, state.selectedFrom, state.cursorSquare, 0, false);
    finishTurn(state, desktop);
    // Castling moves no pawn and takes nothing; it can neither capture a king nor be the
    // move that draws, so neither test follows it.
    state.halfmoveCounter = countedOnce(state.halfmoveCounter);
    completeStep(state, desktop, mover, {state.selectedFrom, state.cursorSquare});
    announceMove(desktop, {.from = state.selectedFrom, .to = state.cursorSquare, .castling = true},
                 speech::turnWords(state.sideToMove));
}

// `before` is the game as it stood when the piece was put down.
void makeOrdinaryMove(GameState &state, Desktop &desktop, const GameSnapshot &before)
{
    const Side mover = state.sideToMove;
    const Square from = state.selectedFrom;
    const Square to = state.cursorSquare;
    // Only White's moves open the record commands: a record that starts with Black's move
    // after a load is not offered until White has moved.
    if (mover == Side::White)
        state.recordEnabled = true;
    state.lastMoveTo = to;
    speech::MoveFacts spoken{
        .from = from, .to = to, .captured = state.board[to], .enPassant = state.epCaptured};
    const bool resetsCounter = state.board[from] == pieceLetter(mover, PieceIndex::Pawn) ||
                               isPieceOf(opponent(mover), state.board[to]);
    state.halfmoveCounter = resetsCounter ? 0 : countedOnce(state.halfmoveCounter);
    state.board[to] = state.board[from];
    state.board[from] = 0;

    // The winning and the drawing move end the game before the record takes them.
    if (kingCaptured(state.board, mover)) {
        declareWinner(state, desktop, mover);
        completeStep(state, desktop, mover, {from, to});
        announceMove(desktop, spoken, speech::winWords(mover));
        return;
    }
    if (state.halfmoveCounter == drawCounter) {
        endGame(state, desktop, texts::drawBox, texts::drawCaption, texts::draw);
        completeStep(state, desktop, mover, {from, to});
        announceMove(desktop, spoken, speech::draw);
        return;
    }
    spoken.promotion = promotePawn(state.board, mover, desktop);
    // The dialog's time is the mover's: the move is complete only now, and a flag that fell
    // meanwhile ends the game instead of it.
    if (spoken.promotion != 0 && countTime(state, desktop.monotonicNow())) {
        restoreGame(state, before);
        endOnTime(state, desktop);
        return;
    }
    appendToRecord(state, desktop, from, to, spoken.promotion, state.epCaptured);
    finishTurn(state, desktop);
    completeStep(state, desktop, mover, {from, to, promotionPiece(spoken.promotion)});
    announceMove(desktop, spoken, speech::turnWords(state.sideToMove));
}

void putDown(GameState &state, Desktop &desktop)
{
    const Side mover = state.sideToMove;
    if (state.cursorSquare == state.selectedFrom) {
        onCancel(state, desktop);
        return;
    }
    if (isPieceOf(mover, state.board[state.cursorSquare])) {
        refuse(state, desktop, texts::illegalMove);
        return;
    }
    // The rules change the game as they accept a move.
    const GameSnapshot before = gameSnapshot(state);
    if (tryCastle(state, mover, state.selectedFrom, state.cursorSquare))
        castle(state, desktop);
    else if (isLegalMove(state, mover, state.selectedFrom, state.cursorSquare))
        makeOrdinaryMove(state, desktop, before);
    else
        refuse(state, desktop, texts::illegalMove);
}

} // namespace

void onLeftDoubleClick(GameState &state, Desktop &desktop, Point clientPoint)
{
    const std::optional<Square> hit = hitTestBoard(clientPoint);
    if (!hit)
        return;
    // A gesture after the flag fell meets the time-up first.
    if (!clockAllowsGesture(state, desktop))
        return;
    state.cursorSquare = *hit;
    state.keyboard.square = *hit;
    if (state.selectionState == SelectionState::PieceSelected)
        putDown(state, desktop);
    else
        pickUp(state, desktop);
}

void onCancel(GameState &state, Desktop &desktop)
{
    if (state.selectionState != SelectionState::PieceSelected)
        return;
    state.selectionState = state.recordEnabled ? SelectionState::ShowLastMove : SelectionState::IdleAfterLoad;
    state.cursorSquare = state.lastMoveTo;
    showStatus(state, desktop, state.sideToMove == Side::White ? texts::whiteToMove : texts::blackToMove);
    desktop.requestRedraw();
    desktop.announce(speech::squareWords(state.board, state.selectedFrom) + std::string(speech::putBack));
}

void declareWinner(GameState &state, Desktop &desktop, Side winner)
{
    const bool white = winner == Side::White;
    endGame(state, desktop, white ? texts::whiteWinsBox : texts::blackWinsBox, texts::winCaption,
            white ? texts::whiteHasWon : texts::blackHasWon);
}

bool kingCaptured(const Board &board, Side mover)
{
    const char theirKing = pieceLetter(opponent(mover), PieceIndex::King);
    return std::find(board.squares.begin(), board.squares.end(), theirKing) == board.squares.end();
}

} // namespace chess
