#include "pgn/pgn_commands.h"

#include "app/file_replace.h"
#include "app/texts.h"
#include "pgn/pgn_play.h"
#include "pgn/pgn_writer.h"

#include <array>
#include <fstream>
#include <system_error>

namespace chess {
namespace {

struct ErrorText {
    std::string_view text;
    bool namesMove; // the text follows the move's side and number
};

// Indexed by PgnErrorKind.
constexpr std::array<ErrorText, 9> errorTexts = {{
    {texts::notPgn, false},
    {texts::pgnMoveUnreadable, true},
    {texts::pgnMoveIllegal, true},
    {texts::pgnMoveAmbiguous, true},
    {texts::badPgnFen, false},
    {texts::pgnTooLarge, false},
    {texts::pgnBinary, false},
    {texts::pgnMoveRefused, true},
    {texts::pgnGameEndedBefore, true},
}};

// At most one byte beyond the limit is read: that is enough to refuse a larger file.
std::optional<std::string> readLimited(const std::filesystem::path &path)
{
    // Some systems open a directory for reading; it is no PGN file either way.
    std::error_code error;
    if (std::filesystem::is_directory(path, error))
        return std::nullopt;
    std::ifstream file(path, std::ios::binary);
    if (!file.is_open())
        return std::nullopt;
    std::string text(maxPgnBytes + 1, '\0');
    file.read(text.data(), static_cast<std::streamsize>(text.size()));
    if (file.bad())
        return std::nullopt;
    text.resize(static_cast<std::size_t>(file.gcount()));
    return text;
}

// PGN files first, then all files.
FileChooser pgnChooser(std::string_view title, std::string defaultName)
{
    return {std::string(title),
            std::move(defaultName),
            {{std::string(texts::pgnFilesFilter), "*.pgn"}, {std::string(texts::allFilesFilter), "*.*"}},
            "pgn"};
}

} // namespace

void savePgnFile(const GameState &start, std::span<const PlayedMove> moves, std::string_view date,
                 Desktop &desktop, std::optional<Side> flagFellFor)
{
    saveThroughChooser(desktop, pgnChooser(texts::saveAsTitle, "棋譜.pgn"),
                       writePgn(start, moves, date, flagFellFor));
}

void copyPgnToClipboard(const GameState &start, std::span<const PlayedMove> moves, std::string_view date,
                        Desktop &desktop, std::optional<Side> flagFellFor)
{
    if (!desktop.setClipboardText(writePgn(start, moves, date, flagFellFor)))
        desktop.showMessage(texts::clipboardFailed, texts::errorCaption);
}

std::optional<PgnGame> openPgnFile(GameState &state, Desktop &desktop)
{
    const std::optional<std::filesystem::path> path =
        desktop.chooseOpenFile(pgnChooser(texts::openPgnTitle, ""));
    if (!path)
        return std::nullopt;
    const std::optional<std::string> text = readLimited(*path);
    if (!text) {
        desktop.showMessage(texts::fileOpenFailed, texts::fileOpenFailedCaption);
        return std::nullopt;
    }
    return openPgnText(state, desktop, *text);
}

std::optional<PgnGame> openPgnText(GameState &state, Desktop &desktop, std::string_view text)
{
    std::variant<PgnGame, PgnError> read = readPgn(text);
    std::optional<PgnError> failure;
    if (PgnGame *game = std::get_if<PgnGame>(&read))
        failure = playPgn(state, desktop, *game);
    else
        failure = std::get<PgnError>(read);
    if (failure) {
        desktop.showMessage(pgnErrorText(*failure), texts::errorCaption);
        return std::nullopt;
    }
    return std::get<PgnGame>(std::move(read));
}

std::string pgnErrorText(const PgnError &error)
{
    const ErrorText &entry = errorTexts[static_cast<std::size_t>(error.kind)];
    if (!entry.namesMove)
        return std::string(entry.text);
    return std::string(error.move.side == Side::White ? texts::pgnMoveOfWhite : texts::pgnMoveOfBlack) +
           std::to_string(error.move.number) + std::string(texts::pgnMoveNumber) + std::string(entry.text);
}

} // namespace chess
