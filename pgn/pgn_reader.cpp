#include "pgn/pgn_reader.h"

#include <algorithm>
#include <sstream>

namespace chess {
namespace {

enum class TokenKind {
    End,
    TagOpen,
    TagClose,
    String,
    Symbol,
    VariationOpen,
    VariationClose,
    Nag,
    Star,
    Broken
};

struct Token {
    TokenKind kind = TokenKind::End;
    std::string_view text;
};

constexpr bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}
constexpr bool isDigit(char c) { return c >= '0' && c <= '9'; }
constexpr bool isControl(char c) { return static_cast<unsigned char>(c) < 0x20 && !isSpace(c); }
constexpr bool endsSymbol(char c)
{
    return isSpace(c) || std::string_view("[]{}()\";$*").find(c) != std::string_view::npos;
}

// PGN's tokens one by one; comments and escape lines are passed over.
class Scanner {
public:
    explicit Scanner(std::string_view text) : text_(text) {}

    Token next()
    {
        for (;;) {
            while (at_ < text_.size() && isSpace(text_[at_]))
                ++at_;
            if (at_ == text_.size())
                return {};
            const char c = text_[at_];
            const bool lineStart = at_ == 0 || text_[at_ - 1] == '\n' || text_[at_ - 1] == '\r';
            if (c == ';' || (c == '%' && lineStart)) {
                at_ = std::min(text_.find_first_of("\r\n", at_), text_.size());
            } else if (c == '{') {
                const std::size_t close = text_.find('}', at_);
                if (close == std::string_view::npos)
                    return {TokenKind::Broken, {}};
                at_ = close + 1;
            } else {
                return token(c);
            }
        }
    }

private:
    std::string_view text_;
    std::size_t at_ = 0;

    Token single(TokenKind kind) { return {kind, text_.substr(at_++, 1)}; }

    Token token(char c)
    {
        switch (c) {
        case '[': return single(TokenKind::TagOpen);
        case ']': return single(TokenKind::TagClose);
        case '(': return single(TokenKind::VariationOpen);
        case ')': return single(TokenKind::VariationClose);
        case '*': return single(TokenKind::Star);
        case '"': return string();
        case '$': {
            const std::size_t begin = ++at_;
            while (at_ < text_.size() && isDigit(text_[at_]))
                ++at_;
            return {at_ > begin ? TokenKind::Nag : TokenKind::Broken, text_.substr(begin, at_ - begin)};
        }
        default: {
            const std::size_t begin = at_;
            while (at_ < text_.size() && !endsSymbol(text_[at_]))
                ++at_;
            if (at_ == begin)
                return single(TokenKind::Broken);
            return {TokenKind::Symbol, text_.substr(begin, at_ - begin)};
        }
        }
    }

    // The text between the quotes, escapes as written; a string must end on its line.
    Token string()
    {
        const std::size_t begin = ++at_;
        while (at_ < text_.size() && text_[at_] != '"' && text_[at_] != '\n' && text_[at_] != '\r')
            at_ += text_[at_] == '\\' && at_ + 1 < text_.size() ? 2 : 1;
        if (at_ >= text_.size() || text_[at_] != '"')
            return {TokenKind::Broken, {}};
        return {TokenKind::String, text_.substr(begin, at_++ - begin)};
    }
};

std::string unescaped(std::string_view value)
{
    std::string text;
    for (std::size_t i = 0; i < value.size(); ++i)
        text += value[i] == '\\' && i + 1 < value.size() ? value[++i] : value[i];
    return text;
}

bool isResult(std::string_view token) { return token == "1-0" || token == "0-1" || token == "1/2-1/2"; }

// The move after a move number and its dots ("12.", "12...", "12", "..."), which may stand
// alone or be glued to the move ("12.e4"). Empty when the token is a number alone.
std::string_view withoutMoveNumber(std::string_view token)
{
    std::size_t digits = 0;
    while (digits < token.size() && isDigit(token[digits]))
        ++digits;
    std::size_t dots = digits;
    while (dots < token.size() && token[dots] == '.')
        ++dots;
    if (dots == token.size())
        return {};
    return dots > digits ? token.substr(dots) : token;
}

FenPosition openingPosition()
{
    return {.board = GameState::initialBoard,
            .sideToMove = Side::White,
            .castlingRights = {{{true, true}, {true, true}}},
            .enPassantFile = std::nullopt,
            .halfmoveCounter = 0,
            .moveNumber = 1};
}

// The FEN tag's position, which must be one standard chess has.
std::optional<StandardPosition> startOf(const std::optional<std::string> &fen, PgnGame &game)
{
    FenPosition start = openingPosition();
    if (fen) {
        std::istringstream in(*fen);
        const std::variant<FenPosition, PositionFileError> read = readFen(in);
        if (!std::holds_alternative<FenPosition>(read))
            return std::nullopt;
        start = std::get<FenPosition>(read);
        game.setUp = start;
    }
    // A White move numbered 0 is counted as the game's first, as a loaded position counts it.
    game.firstMove = {start.sideToMove == Side::White ? std::max(1, start.moveNumber) : start.moveNumber,
                      start.sideToMove};
    return standardPosition(start);
}

class GameReader {
public:
    explicit GameReader(std::string_view text) : scanner_(text) {}

    std::variant<PgnGame, PgnError> read()
    {
        Token token = scanner_.next();
        std::optional<std::string> fen;
        bool tagged = false;
        while (token.kind == TokenKind::TagOpen) {
            const Token name = scanner_.next(), value = scanner_.next(), close = scanner_.next();
            if (name.kind != TokenKind::Symbol || value.kind != TokenKind::String ||
                close.kind != TokenKind::TagClose)
                return PgnError{PgnErrorKind::NotPgn, {}};
            if (name.text == "FEN")
                fen = unescaped(value.text);
            tagged = true;
            token = scanner_.next();
        }
        std::optional<StandardPosition> position = startOf(fen, game_);
        if (!position)
            return PgnError{PgnErrorKind::BadFen, {}};
        position_ = *position;
        bool ended = false;
        for (; !ended; token = scanner_.next()) {
            const std::optional<PgnErrorKind> failure = take(token, ended);
            if (failure == PgnErrorKind::Unreadable && !tagged && game_.moves.empty())
                return PgnError{PgnErrorKind::NotPgn, {}};
            if (failure)
                return PgnError{*failure, labelAfter(game_.firstMove, game_.moves.size())};
        }
        if (!tagged && !result_ && game_.moves.empty())
            return PgnError{PgnErrorKind::NotPgn, {}};
        return std::move(game_);
    }

private:
    Scanner scanner_;
    PgnGame game_;
    StandardPosition position_;
    int variationDepth_ = 0;
    bool result_ = false;

    // One token of the movetext; `ended` is set at the end of the game.
    std::optional<PgnErrorKind> take(const Token &token, bool &ended)
    {
        const bool mainLine = variationDepth_ == 0;
        switch (token.kind) {
        case TokenKind::End:
        case TokenKind::TagOpen: // the next game's tags
            ended = true;
            return mainLine ? std::nullopt : std::optional(PgnErrorKind::Unreadable);
        case TokenKind::VariationOpen: ++variationDepth_; return std::nullopt;
        case TokenKind::VariationClose:
            if (mainLine)
                return PgnErrorKind::Unreadable;
            --variationDepth_;
            return std::nullopt;
        case TokenKind::Nag: return std::nullopt;
        case TokenKind::Star: ended = result_ = mainLine; return std::nullopt;
        case TokenKind::Symbol:
            if (!mainLine)
                return std::nullopt; // a variation's moves are not read
            if (isResult(token.text)) {
                ended = result_ = true;
                return std::nullopt;
            }
            return play(withoutMoveNumber(token.text));
        default: return PgnErrorKind::Unreadable;
        }
    }

    std::optional<PgnErrorKind> play(std::string_view move)
    {
        if (move.empty())
            return std::nullopt;
        const std::vector<PlayedMove> legal = legalMoves(position_);
        const SanReading reading = readSan(move, position_.board, legal);
        switch (reading.match) {
        case SanMatch::Found:
            playStandardMove(position_, reading.move);
            game_.moves.push_back(reading.move);
            return std::nullopt;
        case SanMatch::Annotation: return std::nullopt;
        case SanMatch::Unreadable: return PgnErrorKind::Unreadable;
        case SanMatch::Illegal: return PgnErrorKind::IllegalMove;
        case SanMatch::Ambiguous: return PgnErrorKind::AmbiguousMove;
        }
        return std::nullopt;
    }
};

} // namespace

std::variant<PgnGame, PgnError> readPgn(std::string_view text)
{
    if (text.size() > maxPgnBytes)
        return PgnError{PgnErrorKind::TooLarge, {}};
    if (std::any_of(text.begin(), text.end(), isControl))
        return PgnError{PgnErrorKind::Binary, {}};
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    return GameReader(text).read();
}

} // namespace chess
