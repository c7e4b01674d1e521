#include "pgn/pgn_writer.h"

#include "app/move_controller.h"
#include "pgn/replay.h"
#include "pgn/san.h"
#include "pgn/standard_chess.h"
#include "position/fen_writer.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <vector>

namespace chess {
namespace {

constexpr std::string_view openingFen = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";
constexpr std::size_t maxLineLength = 79;
constexpr std::string_view drawReason = " after 50 moves without a capture or a pawn move";

// One move as the board played it.
struct Ply {
    Board before;
    Board after;
    Side mover;
    PlayedMove move; // with the piece a promotion really gave, or 0
};

struct Outcome {
    std::optional<Side> winner;
    bool drawn = false;
    bool kingTaken = false; // by the last move
    std::optional<Side> flagFell;

    std::string text() const
    {
        if (winner)
            return *winner == Side::White ? "1-0" : "0-1";
        return drawn ? "1/2-1/2" : "*";
    }
};

std::vector<Ply> replay(const GameState &start, std::span<const PlayedMove> moves, Outcome &outcome,
                        std::optional<Side> flagFellFor)
{
    std::vector<Ply> plies;
    GameState game = start;
    ReplayDesktop desktop;
    for (const PlayedMove &move : moves) {
        Ply ply{game.board, {}, game.sideToMove, move};
        if (!playMove(game, desktop, move))
            break;
        ply.after = game.board;
        const char pawn = pieceLetter(ply.mover, PieceIndex::Pawn);
        const bool promoted = ply.before[move.from] == pawn && ply.after[move.to] != pawn;
        ply.move.promotion =
            promoted ? static_cast<char>(std::toupper(static_cast<unsigned char>(ply.after[move.to]))) : 0;
        plies.push_back(ply);
    }
    if (game.gameOver && !plies.empty()) {
        outcome.kingTaken = kingCaptured(game.board, plies.back().mover);
        outcome.drawn = !outcome.kingTaken;
        if (outcome.kingTaken)
            outcome.winner = plies.back().mover;
    } else if (flagFellFor) {
        outcome.flagFell = flagFellFor;
        outcome.winner = opponent(*flagFellFor);
    }
    return plies;
}

// Standard chess ends a game at mate and at stalemate, and its readers hold the result to that.
bool agreesWithResult(const StandardPosition &end, const Outcome &outcome, bool playedOn)
{
    if (!legalMoves(end).empty())
        return true;
    if (!isInCheck(end.board, end.sideToMove))
        return outcome.drawn;
    return outcome.winner == opponent(end.sideToMove) || (!playedOn && !outcome.winner && !outcome.drawn);
}

std::string sideName(Side side) { return side == Side::White ? "White" : "Black"; }

bool castles(const Ply &ply)
{
    return ply.before[ply.move.from] == pieceLetter(ply.mover, PieceIndex::King) &&
           std::abs(ply.move.to.file - ply.move.from.file) == 2;
}

// Why standard chess has no such move, in the words of a player.
std::string departure(const Ply &ply, const std::string &move)
{
    const std::string side = sideName(ply.mover);
    if (ply.before[ply.move.to] == pieceLetter(opponent(ply.mover), PieceIndex::King))
        return side + " took the king with " + move;
    if (castles(ply)) {
        Board crossing = ply.before;
        crossing[{(ply.move.from.file + ply.move.to.file) / 2, ply.move.from.row}] = crossing[ply.move.from];
        crossing[ply.move.from] = 0;
        if (isInCheck(ply.before, ply.mover))
            return side + " castled out of check with " + move;
        if (isInCheck(ply.after, ply.mover))
            return side + " castled into check with " + move;
        if (isInCheck(crossing, ply.mover))
            return side + " castled across an attacked square with " + move;
        return side + " castled without the right to castle with " + move;
    }
    if (isInCheck(ply.after, ply.mover))
        return side + " left the king on " + squareName(*findKing(ply.after, ply.mover)) + " attacked with " +
               move;
    return side + " played " + move + ", which standard chess does not allow";
}

// Bytes a loaded position may hold that would end the comment or the text as PGN.
std::string printable(std::string text)
{
    for (char &c : text)
        if (c != ' ' && (c < '!' || c > '~' || c == '{' || c == '}' || c == '%'))
            c = '?';
    return text;
}

bool isPgnDate(std::string_view date)
{
    if (date.size() != 10 || date[4] != '.' || date[7] != '.')
        return false;
    for (std::size_t i = 0; i < date.size(); ++i)
        if (i != 4 && i != 7 && date[i] != '?' && (date[i] < '0' || date[i] > '9'))
            return false;
    return true;
}

class GameText {
public:
    GameText(const GameState &start, std::vector<Ply> plies, const Outcome &outcome)
        : plies_(std::move(plies)),
          outcome_(outcome), first_{start.sideToMove == Side::White ? start.whiteMoveCount + 1LL
                                                                    : start.whiteMoveCount,
                                    start.sideToMove},
          fen_(positionToFen(start))
    {
        if (std::optional<StandardPosition> position = standardPosition(fenPositionOf(start)))
            followStandardChess(*position);
        shown_ = sans_.size();
        if (shown_ > 0 && !agreesWithResult(positions_.back(), outcome_, shown_ < plies_.size()))
            --shown_;
    }

    std::string tags(std::string_view date) const
    {
        std::string text;
        const auto tag = [&text](std::string_view name, std::string_view value) {
            text.append("[").append(name).append(" \"").append(value).append("\"]\n");
        };
        tag("Event", "Casual game");
        tag("Site", "?");
        tag("Date", isPgnDate(date) ? date : "????.??.??");
        tag("Round", "-");
        tag("White", "White");
        tag("Black", "Black");
        tag("Result", outcome_.text());
        // Further tags go in the order of their names.
        if (!positions_.empty() && fen_ != openingFen) {
            tag("FEN", fen_);
            tag("SetUp", "1");
        }
        return text;
    }

    std::vector<std::string> movetext() const
    {
        std::vector<std::string> words;
        // A move number stays on the line of its move.
        for (std::size_t i = 0; i < shown_; ++i)
            words.push_back(i == 0 || labelAfter(first_, i).side == Side::White ? numbered(i) : sans_[i]);
        const std::string text = comment();
        for (std::size_t begin = 0; begin < text.size();) {
            const std::size_t end = std::min(text.find(' ', begin), text.size());
            words.push_back(text.substr(begin, end - begin));
            begin = end + 1;
        }
        words.push_back(outcome_.text());
        return words;
    }

private:
    std::vector<Ply> plies_;
    Outcome outcome_;
    MoveLabel first_;
    std::string fen_;
    std::vector<StandardPosition> positions_; // before each standard move, then after the last
    std::vector<std::string> sans_;
    std::size_t shown_ = 0; // moves in the movetext

    void followStandardChess(const StandardPosition &start)
    {
        positions_.push_back(start);
        for (const Ply &ply : plies_) {
            const std::vector<PlayedMove> legal = legalMoves(positions_.back());
            StandardPosition after = positions_.back();
            if (std::find(legal.begin(), legal.end(), ply.move) == legal.end())
                return;
            playStandardMove(after, ply.move);
            if (!(after.board == ply.after))
                return;
            sans_.push_back(sanOf(positions_.back(), ply.move, legal));
            positions_.push_back(after);
        }
    }

    std::string sanAt(std::size_t i) const
    {
        const Ply &ply = plies_[i];
        return i < sans_.size() ? sans_[i] : sanText(ply.before, ply.move, pieceMoves(ply.before, ply.mover));
    }

    std::string numbered(std::size_t i) const { return labelText(labelAfter(first_, i)) + " " + sanAt(i); }

    // Moves as a line of PGN shows them: the first and every White one with its number.
    std::string moveList(std::size_t from, std::size_t to) const
    {
        std::string list = numbered(from);
        for (std::size_t i = from + 1; i < to; ++i)
            list.append(" ").append(labelAfter(first_, i).side == Side::White ? numbered(i) : sanAt(i));
        return list;
    }

    // What happened after the movetext, in plain words; empty when nothing needs telling.
    std::string comment() const
    {
        std::vector<std::string> clauses;
        std::size_t next = shown_;
        if (positions_.empty()) {
            clauses.push_back("The game started from a position that standard chess does not have, FEN " +
                              printable(fen_));
        } else if (next < plies_.size()) {
            const Ply &ply = plies_[next];
            if (next < sans_.size() && isInCheck(ply.after, opponent(ply.mover)))
                clauses.push_back(sideName(ply.mover) + " gave mate with " + numbered(next));
            else if (next < sans_.size())
                clauses.push_back(sideName(ply.mover) + " stalemated " + sideName(opponent(ply.mover)) +
                                  " with " + numbered(next));
            else
                clauses.push_back(departure(ply, numbered(next)));
            ++next;
        }
        const bool endingLeft = (outcome_.kingTaken || outcome_.drawn) && next < plies_.size();
        const std::size_t listEnd = plies_.size() - (endingLeft ? 1 : 0);
        if (next < listEnd)
            clauses.push_back(std::string(positions_.empty() ? "the moves were " : "play went on with ")
                                  .append(moveList(next, listEnd)));
        if (outcome_.kingTaken && endingLeft)
            clauses.push_back(sideName(plies_.back().mover) + " took the king with " + numbered(listEnd));
        if (outcome_.drawn)
            clauses.push_back(std::string("the game was drawn")
                                  .append(endingLeft ? " with " + numbered(listEnd) : "")
                                  .append(drawReason));
        if (outcome_.flagFell)
            clauses.push_back(sideName(*outcome_.flagFell) + " ran out of time");
        if (clauses.empty())
            return {};
        std::string text = "{";
        for (const std::string &clause : clauses)
            text += (text.size() > 1 ? "; " : "") + clause;
        text[1] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[1])));
        return text + ".}";
    }
};

// Words joined by spaces into lines no longer than the format allows.
std::string wrap(const std::vector<std::string> &words)
{
    std::string text, line;
    for (const std::string &word : words) {
        if (!line.empty() && line.size() + 1 + word.size() > maxLineLength) {
            text += line + "\n";
            line.clear();
        }
        line += (line.empty() ? "" : " ") + word;
    }
    return text + line + "\n";
}

} // namespace

std::string writePgn(const GameState &start, std::span<const PlayedMove> moves, std::string_view date,
                     std::optional<Side> flagFellFor)
{
    Outcome outcome;
    std::vector<Ply> plies = replay(start, moves, outcome, flagFellFor);
    const GameText game(start, std::move(plies), outcome);
    return game.tags(date) + "\n" + wrap(game.movetext()) + "\n";
}

} // namespace chess
