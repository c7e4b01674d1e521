#include "pgn/san.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace chess {
namespace {

char kindOf(char piece) { return static_cast<char>(std::toupper(static_cast<unsigned char>(piece))); }

bool isCastling(const Board &board, const PlayedMove &move)
{
    return kindOf(board[move.from]) == 'K' && std::abs(move.to.file - move.from.file) == 2;
}

constexpr bool isFileLetter(char c) { return c >= 'a' && c <= 'h'; }
constexpr bool isRankDigit(char c) { return c >= '1' && c <= '8'; }
constexpr bool isPromotionLetter(char c) { return c == 'Q' || c == 'R' || c == 'B' || c == 'N'; }

// Annotation glyphs, check marks and "e.p." after a move, in any order.
std::string_view withoutSuffixes(std::string_view token)
{
    for (;;) {
        if (!token.empty() && std::string_view("!?+#").find(token.back()) != std::string_view::npos)
            token.remove_suffix(1);
        else if (token.ends_with("e.p."))
            token.remove_suffix(4);
        else
            return token;
    }
}

// What a SAN token says about its move; -1 for a file or row it leaves open.
struct SanParts {
    char piece = 'P';
    int fromFile = -1;
    int fromRow = -1;
    Square to;
    char promotion = 0;
};

std::optional<SanParts> splitSan(std::string_view text)
{
    SanParts parts;
    if (!text.empty() && std::string_view("KQRBNP").find(text.front()) != std::string_view::npos) {
        parts.piece = text.front();
        text.remove_prefix(1);
    }
    const std::size_t n = text.size();
    if (n >= 2 && text[n - 2] == '=' && isPromotionLetter(text[n - 1])) {
        parts.promotion = text[n - 1];
        text.remove_suffix(2);
    } else if (parts.piece == 'P' && n >= 3 && isPromotionLetter(text[n - 1]) && isRankDigit(text[n - 2])) {
        parts.promotion = text[n - 1];
        text.remove_suffix(1);
    }
    if (text.size() < 2 || !isFileLetter(text[text.size() - 2]) || !isRankDigit(text.back()))
        return std::nullopt;
    parts.to = {text[text.size() - 2] - 'a', '8' - text.back()};
    text.remove_suffix(2);
    if (!text.empty() && (text.back() == 'x' || text.back() == '-' || text.back() == ':'))
        text.remove_suffix(1);
    if (!text.empty() && isFileLetter(text.front())) {
        parts.fromFile = text.front() - 'a';
        text.remove_prefix(1);
    }
    if (!text.empty() && isRankDigit(text.front())) {
        parts.fromRow = '8' - text.front();
        text.remove_prefix(1);
    }
    if (!text.empty())
        return std::nullopt;
    return parts;
}

bool fits(const SanParts &parts, const Board &board, const PlayedMove &move)
{
    return kindOf(board[move.from]) == parts.piece && move.to == parts.to &&
           (parts.fromFile < 0 || parts.fromFile == move.from.file) &&
           (parts.fromRow < 0 || parts.fromRow == move.from.row) && move.promotion == parts.promotion &&
           !isCastling(board, move);
}

} // namespace

MoveLabel labelAfter(MoveLabel first, std::size_t plies)
{
    const long long counted = static_cast<long long>(plies) + (first.side == Side::Black ? 1 : 0);
    return {first.number + counted / 2, counted % 2 == 0 ? Side::White : Side::Black};
}

std::string labelText(MoveLabel label)
{
    return std::to_string(label.number) + (label.side == Side::White ? "." : "...");
}

std::string sanText(const Board &board, const PlayedMove &move, std::span<const PlayedMove> rivals)
{
    if (isCastling(board, move))
        return move.to.file == 6 ? "O-O" : "O-O-O";
    const char piece = board[move.from];
    const bool capture = board[move.to] != 0 || move.from.file != move.to.file;
    std::string text;
    if (kindOf(piece) == 'P') {
        if (capture)
            text = {static_cast<char>('a' + move.from.file), 'x'};
    } else {
        text = kindOf(piece);
        bool rival = false, sameFile = false, sameRow = false;
        for (const PlayedMove &other : rivals) {
            if (other.to != move.to || other.from == move.from || board[other.from] != piece)
                continue;
            rival = true;
            sameFile = sameFile || other.from.file == move.from.file;
            sameRow = sameRow || other.from.row == move.from.row;
        }
        const std::string from = squareName(move.from);
        if (rival && !sameFile)
            text += from[0];
        else if (rival && !sameRow)
            text += from[1];
        else if (rival)
            text += from;
        if (board[move.to] != 0)
            text += 'x';
    }
    text += squareName(move.to);
    if (move.promotion != 0)
        text += {'=', move.promotion};
    return text;
}

std::string sanOf(const StandardPosition &position, const PlayedMove &move, std::span<const PlayedMove> legal)
{
    StandardPosition after = position;
    playStandardMove(after, move);
    std::string text = sanText(position.board, move, legal);
    if (isInCheck(after.board, after.sideToMove))
        text += legalMoves(after).empty() ? '#' : '+';
    return text;
}

SanReading readSan(std::string_view token, const Board &board, std::span<const PlayedMove> legal)
{
    const std::string_view text = withoutSuffixes(token);
    if (text.empty())
        return {SanMatch::Annotation, {}};
    const auto castles = [&](int kingTo) {
        return [&board, kingTo](const PlayedMove &m) { return isCastling(board, m) && m.to.file == kingTo; };
    };
    std::vector<PlayedMove> found;
    if (text == "O-O" || text == "0-0") {
        std::copy_if(legal.begin(), legal.end(), std::back_inserter(found), castles(6));
    } else if (text == "O-O-O" || text == "0-0-0") {
        std::copy_if(legal.begin(), legal.end(), std::back_inserter(found), castles(2));
    } else {
        const std::optional<SanParts> parts = splitSan(text);
        if (!parts)
            return {};
        std::copy_if(legal.begin(), legal.end(), std::back_inserter(found),
                     [&](const PlayedMove &m) { return fits(*parts, board, m); });
    }
    if (found.empty())
        return {SanMatch::Illegal, {}};
    if (found.size() > 1)
        return {SanMatch::Ambiguous, {}};
    return {SanMatch::Found, found.front()};
}

} // namespace chess
