#include "web/web_desktop.h"

#include "app/chess_clock.h"
#include "app/history_file.h"
#include "app/menu_commands.h"
#include "app/speech.h"
#include "app/texts.h"
#include "view/board_picture.h"

#include <emscripten/emscripten.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <span>
#include <string>
#include <utility>

// The page's side of each call: methods of the `chessPage` object in site/app.js. Texts go
// over as UTF-8 with their length, since the core's string_views end in no NUL.
// clang-format off
EM_JS(void, pageSetStatus, (const char *text, int size), { chessPage.setStatus(UTF8ToString(text, size)); });
EM_JS(void, pageBeep, (), { chessPage.beep(); });
EM_JS(void, pageShowMessage, (const char *text, int size, const char *caption, int captionSize), {
    chessPage.showMessage(UTF8ToString(text, size), UTF8ToString(caption, captionSize));
});
EM_JS(void, pageDownload, (const char *name, const char *bytes, int size), {
    chessPage.download(UTF8ToString(name), HEAPU8.slice(bytes, bytes + size));
});
EM_JS(void, pageChooseFile, (const char *pattern, int size), { chessPage.chooseFile(UTF8ToString(pattern, size)); });
EM_JS(void, pageStoreHistory, (const char *text, int size), { chessPage.storeHistory(UTF8ToString(text, size)); });
EM_JS(void, pageShowClock, (const char *text, int size, const char *words, int wordsSize, int nextTick), {
    chessPage.showClock(UTF8ToString(text, size), UTF8ToString(words, wordsSize), nextTick);
});
EM_JS(void, pageAskTimeControl, (const char *caption, int size, int checked, int minutes, int seconds), {
    chessPage.askTimeControl(UTF8ToString(caption, size), checked, minutes, seconds);
});
EM_JS(void, pageSetCommandCaption, (int command, const char *caption, int size), {
    chessPage.setCommandCaption(command, UTF8ToString(caption, size));
});
EM_JS(int, pageToday, (), {
    const today = new Date();
    return today.getFullYear() * 10000 + (today.getMonth() + 1) * 100 + today.getDate();
});
EM_JS(int, pageCopyText, (const char *text, int size), { return chessPage.copyText(UTF8ToString(text, size)); });
EM_JS(void, pageAnnounce, (const char *line, int size), { chessPage.announce(UTF8ToString(line, size)); });
EM_JS(void, pageClose, (), { chessPage.close(); });
EM_JS(void, pageBeginPicture, (const char *font), { chessPage.beginPicture(UTF8ToString(font)); });
EM_JS(void, pageFillRect, (int left, int top, int width, int height, int rgb), {
    chessPage.fillRect(left, top, width, height, rgb);
});
EM_JS(void, pageDrawLabel, (const char *text, int size, int left, int top), {
    chessPage.drawLabel(UTF8ToString(text, size), left, top);
});
EM_JS(void, pageDrawSquare, (int image, int left, int top, int width, int height), {
    chessPage.drawSquare(image, left, top, width, height);
});
EM_JS(void, pageEndPicture, (), { chessPage.endPicture(); });
EM_JS(void, pageSetCell, (int file, int row, const char *name, int size, int selected), {
    chessPage.setCell(file, row, UTF8ToString(name, size), selected != 0);
});
EM_JS(void, pageShowKeyboardSquare, (int file, int row, int used, int left, int top, int width, int height, int rgb), {
    chessPage.showKeyboardSquare(file, row, used != 0, left, top, width, height, rgb);
});
EM_JS(void, pageSetCommandEnabled, (int command, int enabled), { chessPage.setCommandEnabled(command, enabled != 0); });
// clang-format on

namespace chess::web {
namespace {

int sizeOf(std::string_view text) { return static_cast<int>(text.size()); }

int rgbOf(Colour colour) { return colour.red << 16 | colour.green << 8 | colour.blue; }

void fillRect(Rect rect, Colour colour)
{
    pageFillRect(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, rgbOf(colour));
}

// A font list as CSS writes it: faces quoted, the generic family not.
std::string cssFont(const FontRequest &font)
{
    std::string css = std::to_string(font.weight) + " " + std::to_string(font.height) + "px ";
    for (const std::string &face : font.faces) {
        if (&face != &font.faces.front())
            css += ", ";
        css += face == "serif" ? face : "\"" + face + "\"";
    }
    return css;
}

// Executes one drawing step each with the page's three primitives.
struct StepPainter {
    void operator()(const FillRect &step) const { fillRect(step.rect, step.colour); }

    void operator()(const DrawLabel &step) const
    {
        pageDrawLabel(step.text.data(), sizeOf(step.text), step.topLeft.x, step.topLeft.y);
    }

    void operator()(const DrawSquareImage &step) const
    {
        // The page holds the 26 images side by side in one sheet, in resource-number order.
        const Rect r = step.rect;
        pageDrawSquare((imageResourceId(step.image) - 400) / 100, r.left, r.top, r.right - r.left,
                       r.bottom - r.top);
    }

    void operator()(const StrokeRect &step) const
    {
        // The pen is centred on the outline, whose one-pixel line covers left to right - 1;
        // the band is filled as four rectangles so every pixel is exact at any whole scale.
        const int before = (step.penWidth - 1) / 2;
        const int after = step.penWidth / 2;
        const Rect outer = {step.rect.left - before, step.rect.top - before, step.rect.right + after,
                            step.rect.bottom + after};
        const int pen = step.penWidth;
        fillRect({outer.left, outer.top, outer.right, outer.top + pen}, step.colour);
        fillRect({outer.left, outer.bottom - pen, outer.right, outer.bottom}, step.colour);
        fillRect({outer.left, outer.top + pen, outer.left + pen, outer.bottom - pen}, step.colour);
        fillRect({outer.right - pen, outer.top + pen, outer.right, outer.bottom - pen}, step.colour);
    }
};

std::optional<std::string> readWholeFile(const std::filesystem::path &path)
{
    std::FILE *file = std::fopen(path.c_str(), "rb");
    if (!file)
        return std::nullopt;
    std::string bytes;
    std::array<char, 4096> buffer;
    while (const std::size_t count = std::fread(buffer.data(), 1, buffer.size(), file))
        bytes.append(buffer.data(), count);
    std::fclose(file);
    return bytes;
}

} // namespace

WebDesktop::WebDesktop(const GameState &state) : state_(state) {}

void WebDesktop::setStatusText(std::string_view text) { pageSetStatus(text.data(), sizeOf(text)); }

void WebDesktop::beep() { pageBeep(); }

void WebDesktop::showMessage(std::string_view text, std::string_view caption)
{
    pageShowMessage(text.data(), sizeOf(text), caption.data(), sizeOf(caption));
}

std::optional<int> WebDesktop::choosePromotion() { return promotion_; }

std::optional<std::filesystem::path> WebDesktop::chooseSaveFile(const FileChooser &chooser)
{
    // The browser asks where downloads go; the core writes the file here first.
    std::error_code error;
    const std::filesystem::path folder = "/downloads";
    std::filesystem::create_directories(folder, error);
    download_ = folder / chooser.defaultName;
    return download_;
}

std::optional<std::filesystem::path> WebDesktop::chooseOpenFile(const FileChooser &chooser)
{
    const std::string pattern = chooser.filters.empty() ? "" : chooser.filters.front().pattern;
    if (!openFile_)
        pageChooseFile(pattern.data(), sizeOf(pattern));
    return std::exchange(openFile_, std::nullopt);
}

bool WebDesktop::setClipboardText(std::string_view text)
{
    return pageCopyText(text.data(), sizeOf(text)) != 0;
}

void WebDesktop::requestRedraw()
{
    const BoardPicture picture = renderBoard(state_.board, state_.cursorSquare, state_.selectionState);
    pageBeginPicture(cssFont(picture.labelFont).c_str());
    for (const DrawCommand &command : picture.commands)
        std::visit(StepPainter{}, command);
    pageEndPicture();

    const bool pickedUp = state_.selectionState == SelectionState::PieceSelected;
    for (int file = 0; file < 8; ++file)
        for (int row = 0; row < 8; ++row) {
            const Square square{file, row};
            const std::string name = speech::squareWords(state_.board, square);
            pageSetCell(file, row, name.data(), sizeOf(name), pickedUp && square == state_.selectedFrom);
        }
}

void WebDesktop::announce(std::string_view line) { pageAnnounce(line.data(), sizeOf(line)); }

void WebDesktop::requestClose() { pageClose(); }

void WebDesktop::saveHistory(const GameHistory &history)
{
    const std::string text = historyFileText(history);
    pageStoreHistory(text.data(), sizeOf(text));
}

Milliseconds WebDesktop::monotonicNow()
{
    return Milliseconds(static_cast<Milliseconds::rep>(emscripten_get_now()));
}

std::optional<TimeControl> WebDesktop::chooseTimeControl(TimeControl current)
{
    if (timeControl_)
        return std::exchange(timeControl_, std::nullopt);
    const auto preset = std::find(timeControlChoices.begin(), timeControlChoices.end(), current);
    // The fields start from the control in use, or from the first one offered.
    const TimeControl fields = current.isOn() ? current : timeControlChoices[1];
    pageAskTimeControl(texts::clockCaption.data(), sizeOf(texts::clockCaption),
                       static_cast<int>(preset - timeControlChoices.begin()), fields.minutes,
                       fields.incrementSeconds);
    return std::nullopt;
}

void WebDesktop::showClock(const ClockFace &face)
{
    pageShowClock(face.text.data(), sizeOf(face.text), face.words.data(), sizeOf(face.words),
                  face.nextTick ? static_cast<int>(face.nextTick->count()) : -1);
}

std::string WebDesktop::localDate()
{
    const int today = pageToday();
    char text[16];
    std::snprintf(text, sizeof text, "%04d.%02d.%02d", today / 10000, today / 100 % 100, today % 100);
    return text;
}

void WebDesktop::deliverDownload()
{
    const std::optional<std::filesystem::path> path = std::exchange(download_, std::nullopt);
    if (!path)
        return;
    if (const std::optional<std::string> bytes = readWholeFile(*path)) {
        const std::string name = path->filename().string();
        pageDownload(name.c_str(), bytes->data(), sizeOf(*bytes));
    }
    std::error_code error;
    std::filesystem::remove(*path, error);
}

void WebDesktop::showControls()
{
    const KeyboardCursor &keyboard = state_.keyboard;
    const Rect mark = focusMarkRect(keyboard.square);
    pageShowKeyboardSquare(keyboard.square.file, keyboard.square.row, keyboard.used, mark.left, mark.top,
                           mark.right - mark.left, mark.bottom - mark.top, rgbOf(focusMarkColour));
    for (const std::span<const MenuItem> items : {fileMenuItems(), gameMenuItems()})
        for (const MenuItem &item : items)
            if (item.command)
                pageSetCommandEnabled(static_cast<int>(*item.command),
                                      isCommandEnabled(state_, *item.command));
}

} // namespace chess::web
