#include "app/history_file.h"

#include "app/texts.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <limits>
#include <string>

// The file, one step after another:
//
//   chessboard history 1
//   steps 2
//   step start - - - -
//   <the 64 board bytes in hex>
//   w 1111 0 0 0 0 0 3 a8 a8 a8 0 0 0 0
//   clock 5 3 300000 300000 0 0 0
//   record none 0
//
//   step move e2 e4 - 2026.12.09
//   ...
//   record whole 19
//   1  e2-e4      e7-e5<CR><LF>
//   end
//
// A step's line holds its kind, a move's two squares and promotion piece, and the day of a
// game's first move. The fields line holds the side to move, the castling rights (White king
// side, White queen side, Black's two), the two double-step records as pending and file, both
// counters, the frame's state, its three squares, the en passant, record and game-over flags,
// and the status text by its place in the list of status texts. The clock line holds the time
// control's minutes (0 for no clock) and seconds, White's and Black's time left in
// milliseconds, whether the clock has started, and how many warnings each side has had. A
// record is none, the whole text, or what the step added to the one before; its bytes follow
// their length exactly.
namespace chess {
namespace {

constexpr std::string_view versionLine = "chessboard history 1\n";
constexpr std::string_view kindNames[] = {"start", "move", "reset", "load"};
constexpr std::string_view hexDigits = "0123456789abcdef";

void writeStep(std::string &out, const HistoryStep &step, std::string_view record, bool continues)
{
    const GameSnapshot &s = step.after;
    out += "step ";
    out += kindNames[static_cast<int>(step.kind)];
    if (step.kind == StepKind::Move)
        out += " " + squareName(step.move.from) + " " + squareName(step.move.to) + " " +
               (step.move.promotion ? std::string(1, step.move.promotion) : "-");
    else
        out += " - - -";
    out += " " + (step.date.empty() ? std::string("-") : step.date) + "\n";
    for (const char byte : s.board.squares) {
        const auto value = static_cast<unsigned char>(byte);
        out += hexDigits[value >> 4];
        out += hexDigits[value & 15];
    }
    out += "\n";
    const auto flag = [](bool value) { return value ? '1' : '0'; };
    out += s.sideToMove == Side::White ? "w " : "b ";
    for (const CastlingRights &rights : s.castlingRights)
        out += {flag(rights.kingSide), flag(rights.queenSide)};
    for (const DoubleStepRecord &doubleStep : s.doubleStep)
        out += {' ', flag(doubleStep.pending), ' ', static_cast<char>('0' + doubleStep.file)};
    const auto status = std::find(texts::statusTexts.begin(), texts::statusTexts.end(), s.statusText);
    out += " " + std::to_string(s.halfmoveCounter) + " " + std::to_string(s.whiteMoveCount) + " " +
           std::to_string(static_cast<int>(s.selectionState)) + " " + squareName(s.cursorSquare) + " " +
           squareName(s.selectedFrom) + " " + squareName(s.lastMoveTo) + " " + flag(s.epCaptured) + " " +
           flag(s.recordEnabled) + " " + flag(s.gameOver) + " " +
           std::to_string(status - texts::statusTexts.begin()) + "\n";
    const ChessClock &clock = s.clock;
    out += "clock " + std::to_string(clock.control.minutes) + " " +
           std::to_string(clock.control.incrementSeconds);
    for (const Milliseconds left : clock.left)
        out += " " + std::to_string(left.count());
    out += {' ', flag(clock.started)};
    for (const int given : clock.warningsGiven)
        out += " " + std::to_string(given);
    out += "\n";
    out += "record ";
    out += !step.recordExists ? "none" : continues ? "more" : "whole";
    out += " " + std::to_string(record.size()) + "\n";
    out += record;
    out += "\n";
}

// Reads the file front to back; any surprise makes it fail for good.
class Reader {
public:
    explicit Reader(std::string_view text) : text_(text) {}

    bool ok() const { return ok_; }
    bool atEnd() const { return text_.empty(); }

    std::string_view word()
    {
        const std::size_t end = std::min(text_.find_first_of(" \n"), text_.size());
        const std::string_view word = text_.substr(0, end);
        if (end == text_.size() || word.empty())
            ok_ = false;
        text_.remove_prefix(std::min(end + 1, text_.size()));
        return word;
    }
    void expect(std::string_view literal)
    {
        if (!text_.starts_with(literal))
            ok_ = false;
        else
            text_.remove_prefix(literal.size());
    }
    template <typename Int> Int number(Int low, Int high)
    {
        const std::string_view digits = word();
        Int value = 0;
        const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
        if (error != std::errc() || end != digits.data() + digits.size() || value < low || value > high) {
            ok_ = false;
            return low; // the caller may still use it as an index before it sees the failure
        }
        return value;
    }
    bool flag() { return number(0, 1) == 1; }
    Square square()
    {
        const std::string_view name = word();
        if (name.size() != 2 || name[0] < 'a' || name[0] > 'h' || name[1] < '1' || name[1] > '8') {
            ok_ = false;
            return {};
        }
        return {name[0] - 'a', '8' - name[1]};
    }
    std::string_view bytes(std::size_t count)
    {
        if (count >= text_.size()) {
            ok_ = false;
            return {};
        }
        const std::string_view bytes = text_.substr(0, count);
        text_.remove_prefix(count);
        expect("\n");
        return bytes;
    }

private:
    std::string_view text_;
    bool ok_ = true;
};

int hexValue(char digit)
{
    const std::size_t value = hexDigits.find(digit);
    return value == std::string_view::npos ? -1 : static_cast<int>(value);
}

bool readBoard(Reader &in, Board &board)
{
    const std::string_view hex = in.word();
    if (hex.size() != 128)
        return false;
    for (std::size_t i = 0; i < 64; ++i) {
        const int high = hexValue(hex[2 * i]);
        const int low = hexValue(hex[2 * i + 1]);
        if (high < 0 || low < 0)
            return false;
        board.squares[i] = static_cast<char>(high * 16 + low);
    }
    return true;
}

// "2026.12.09"
bool isDate(std::string_view text)
{
    return text.size() == 10 && text[4] == '.' && text[7] == '.' &&
           std::all_of(text.begin(), text.end(), [](char c) { return c == '.' || (c >= '0' && c <= '9'); });
}

std::optional<HistoryStep> readStep(Reader &in, bool first)
{
    HistoryStep step;
    in.expect("step ");
    const std::string_view kind = in.word();
    const auto kindAt = std::find(std::begin(kindNames), std::end(kindNames), kind);
    if (kindAt == std::end(kindNames))
        return std::nullopt;
    step.kind = static_cast<StepKind>(kindAt - std::begin(kindNames));
    if (step.kind == StepKind::Move) {
        step.move.from = in.square();
        step.move.to = in.square();
        const std::string_view promotion = in.word();
        if (promotion != "-" &&
            (promotion.size() != 1 || std::string_view("QRBN").find(promotion[0]) == std::string_view::npos))
            return std::nullopt;
        step.move.promotion = promotion == "-" ? 0 : promotion[0];
    } else {
        in.expect("- - - ");
    }
    const std::string_view date = in.word();
    if (date != "-" && !isDate(date))
        return std::nullopt;
    step.date = date == "-" ? std::string_view() : date;
    GameSnapshot &s = step.after;
    if (!readBoard(in, s.board))
        return std::nullopt;
    const std::string_view side = in.word();
    if (side != "w" && side != "b")
        return std::nullopt;
    s.sideToMove = side == "w" ? Side::White : Side::Black;
    const std::string_view castling = in.word();
    if (castling.size() != 4 || castling.find_first_not_of("01") != std::string_view::npos)
        return std::nullopt;
    s.castlingRights = {{{castling[0] == '1', castling[1] == '1'}, {castling[2] == '1', castling[3] == '1'}}};
    for (DoubleStepRecord &doubleStep : s.doubleStep) {
        doubleStep.pending = in.flag();
        doubleStep.file = in.number(0, 7);
    }
    s.halfmoveCounter = in.number(0, std::numeric_limits<int>::max());
    s.whiteMoveCount = in.number(0, std::numeric_limits<int>::max());
    const int selection = in.number(0, 5);
    if (selection == 2 || selection == 4)
        return std::nullopt;
    s.selectionState = static_cast<SelectionState>(selection);
    s.cursorSquare = in.square();
    s.selectedFrom = in.square();
    s.lastMoveTo = in.square();
    s.epCaptured = in.flag();
    s.recordEnabled = in.flag();
    s.gameOver = in.flag();
    s.statusText = texts::statusTexts[in.number(0, static_cast<int>(texts::statusTexts.size()) - 1)];
    in.expect("clock ");
    ChessClock &clock = s.clock;
    clock.control = {in.number(0, maxMinutes), in.number(0, maxIncrementSeconds)};
    for (Milliseconds &left : clock.left)
        left = Milliseconds(in.number<std::int64_t>(0, std::numeric_limits<std::int64_t>::max() / 2));
    clock.started = in.flag();
    for (int &given : clock.warningsGiven)
        given = in.number(0, 2);
    if (!isValidTimeControl(clock.control))
        return std::nullopt;
    in.expect("record ");
    const std::string_view record = in.word();
    if (record != "none" && record != "whole" && (record != "more" || first))
        return std::nullopt;
    step.recordExists = record != "none";
    step.recordContinues = record == "more";
    step.recordAdded = in.bytes(static_cast<std::size_t>(in.number(0, static_cast<int>(maxHistoryFileSize))));
    if (!in.ok() || (!step.recordExists && !step.recordAdded.empty()))
        return std::nullopt;
    return step;
}

} // namespace

std::string historyFileText(const GameHistory &history)
{
    const std::size_t current = history.current();
    const std::size_t gameStart = history.gameStart();
    // The game before the current one begins at the start before the current game's start.
    std::size_t first = gameStart;
    while (first > 0) {
        --first;
        if (history.steps()[first].kind != StepKind::Move)
            break;
    }
    std::string out(versionLine);
    out += "steps " + std::to_string(current - first + 1) + "\n";
    for (std::size_t i = first; i <= current; ++i) {
        const HistoryStep &step = history.steps()[i];
        const bool whole = i == first || !step.recordContinues;
        writeStep(out, step, whole ? history.recordAt(i) : step.recordAdded, !whole);
    }
    out += "end\n";
    return out;
}

std::optional<std::vector<HistoryStep>> readHistoryFile(std::string_view text)
{
    if (text.size() > maxHistoryFileSize || !text.starts_with(versionLine))
        return std::nullopt;
    Reader in(text.substr(versionLine.size()));
    in.expect("steps ");
    const int count = in.number(1, static_cast<int>(maxHistoryFileSize / 128));
    std::vector<HistoryStep> steps;
    for (int i = 0; i < count && in.ok(); ++i) {
        std::optional<HistoryStep> step = readStep(in, i == 0);
        if (!step)
            return std::nullopt;
        steps.push_back(std::move(*step));
    }
    in.expect("end\n");
    if (!in.ok() || !in.atEnd())
        return std::nullopt;
    return steps;
}

} // namespace chess
