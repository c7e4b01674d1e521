#include "position/fen_reader.h"

#include "app/move_controller.h"
#include "app/texts.h"
#include "record/move_record.h"

#include <algorithm>
#include <array>
#include <climits>
#include <fstream>
#include <system_error>

namespace chess {
namespace {

struct ErrorBox {
    std::string_view text;
    std::string_view caption;
};

// Indexed by PositionFileError.
constexpr std::array<ErrorBox, 6> errorBoxes = {{
    {texts::fileOpenFailed, texts::fileOpenFailedCaption},
    {texts::badPositionFile, texts::errorCaption},
    {texts::badPositionFileA, texts::errorCaption},
    {texts::badPositionFileB, texts::errorCaption},
    {texts::badPositionFileC, texts::errorCaption},
    {texts::badPositionFileD, texts::errorCaption},
}};

// One byte at a time straight from the stream's buffer; a read error ends the bytes like
// the end of the file does.
class ByteSource {
public:
    explicit ByteSource(std::istream &in) : buffer_(in.rdbuf()) {}

    std::optional<char> next()
    {
        if (buffer_ == nullptr)
            return std::nullopt;
        const auto byte = buffer_->sbumpc();
        if (std::istream::traits_type::eq_int_type(byte, std::istream::traits_type::eof()))
            return std::nullopt;
        return std::istream::traits_type::to_char_type(byte);
    }

private:
    std::streambuf *buffer_;
};

constexpr bool isDigit(char c) { return c >= '0' && c <= '9'; }

constexpr bool separatesSquares(char c)
{
    return c == '\t' || c == '\n' || c == '\r' || c == ' ' || c == '/';
}

// Rows fill up in turn whatever the "/" say. The scratch board starts empty, so a digit run
// only has to step over its squares.
bool readPlacement(ByteSource &source, Board &board)
{
    for (int row = 0; row < 8; ++row) {
        int file = 0;
        while (file < 8) {
            const std::optional<char> c = source.next();
            if (!c)
                return false;
            if (isDigit(*c))
                file = std::min(8, file + (*c - '0'));
            else if (!separatesSquares(*c))
                board[{file++, row}] = *c;
        }
    }
    return true;
}

// Up to the next space, which is consumed, so that shorter fields than four letters read as
// written. Bytes other than K Q k q, "-" among them, grant nothing.
bool readCastling(ByteSource &source, std::array<CastlingRights, 2> &rights)
{
    for (std::optional<char> c = source.next(); c != ' '; c = source.next()) {
        if (!c)
            return false;
        switch (*c) {
        case 'K': rights[0].kingSide = true; break;
        case 'Q': rights[0].queenSide = true; break;
        case 'k': rights[1].kingSide = true; break;
        case 'q': rights[1].queenSide = true; break;
        default: break;
        }
    }
    return true;
}

// Digits up to the first other byte, which is consumed with them.
int readNumber(ByteSource &source)
{
    int value = 0;
    for (std::optional<char> c = source.next(); c && isDigit(*c); c = source.next()) {
        const int digit = *c - '0';
        value = value > (INT_MAX - digit) / 10 ? INT_MAX : value * 10 + digit;
    }
    return value;
}

void showError(Desktop &desktop, PositionFileError error)
{
    const ErrorBox &box = errorBoxes[static_cast<std::size_t>(error)];
    desktop.showMessage(box.text, box.caption);
}

} // namespace

std::variant<FenPosition, PositionFileError> readFen(std::istream &in)
{
    ByteSource source(in);
    FenPosition position;
    if (!readPlacement(source, position.board))
        return PositionFileError::Placement;
    if (!source.next())
        return PositionFileError::Separator;
    const std::optional<char> side = source.next();
    if (!side || !source.next())
        return PositionFileError::Side;
    position.sideToMove = *side == 'w' || *side == 'W' ? Side::White : Side::Black;
    if (!readCastling(source, position.castlingRights))
        return PositionFileError::Castling;
    const std::optional<char> enPassant = source.next();
    if (enPassant != '-') {
        if (!enPassant || *enPassant < 'a' || *enPassant > 'h')
            return PositionFileError::EnPassant;
        position.enPassantFile = *enPassant - 'a';
        source.next(); // the rank digit
    }
    source.next(); // the space
    position.halfmoveCounter = readNumber(source);
    position.moveNumber = readNumber(source);
    return position;
}

void applyPosition(GameState &state, const FenPosition &position)
{
    freeRecord(state);
    state.board = position.board;
    state.sideToMove = position.sideToMove;
    state.castlingRights = position.castlingRights;
    for (DoubleStepRecord &step : state.doubleStep)
        step.pending = false;
    if (position.enPassantFile)
        state.doubleStepOf(opponent(position.sideToMove)) = {true, *position.enPassantFile};
    state.halfmoveCounter = position.halfmoveCounter;
    // The file's number includes White's coming move; the record counts White's moves made.
    state.whiteMoveCount =
        position.sideToMove == Side::White ? std::max(0, position.moveNumber - 1) : position.moveNumber;
}

bool loadPositionFile(GameState &state, Desktop &desktop)
{
    const FileChooser chooser{
        std::string(texts::openPositionTitle), "", {{std::string(texts::fenFilesFilter), "*.fen"}}, "fen"};
    const std::optional<std::filesystem::path> path = desktop.chooseOpenFile(chooser);
    if (!path)
        return false;
    // Some systems open a directory for reading; it is no position file either way.
    std::error_code error;
    std::ifstream file;
    if (!std::filesystem::is_directory(*path, error))
        file.open(*path, std::ios::binary);
    if (!file.is_open()) {
        showError(desktop, PositionFileError::Open);
        return false;
    }
    const std::variant<FenPosition, PositionFileError> result = readFen(file);
    if (const PositionFileError *failure = std::get_if<PositionFileError>(&result)) {
        showError(desktop, *failure);
        onCancel(state, desktop);
        return false;
    }
    applyPosition(state, std::get<FenPosition>(result));
    return true;
}

} // namespace chess
