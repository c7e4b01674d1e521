#pragma once

#include "app/chess_clock.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace chess {

class GameHistory;

struct FileFilter {
    std::string description; // "テキストファイル(*.txt)"
    std::string pattern;     // "*.txt"
};

// What a file chooser shows. Texts are UTF-8.
struct FileChooser {
    std::string title;
    std::string defaultName; // pre-filled file name; empty for none
    std::vector<FileFilter> filters;
    std::string defaultExtension; // without the dot; added when the typed name has none
};

// Everything the core asks of the desktop it runs on. Each front end implements it once;
// the tests use a recording fake. All texts are UTF-8. Every call is made on the UI thread
// and the modal ones return only when the user has answered.
class Desktop {
public:
    virtual ~Desktop() = default;

    virtual void setStatusText(std::string_view text) = 0;
    virtual void beep() = 0;
    // A modal box with an OK button.
    virtual void showMessage(std::string_view text, std::string_view caption) = 0;
    // The promotion piece: 0 queen, 1 rook, 2 bishop, 3 knight; nullopt when the dialog
    // could not be shown.
    virtual std::optional<int> choosePromotion() = 0;
    // A save chooser that asks before overwriting an existing file; nullopt when cancelled.
    virtual std::optional<std::filesystem::path> chooseSaveFile(const FileChooser &chooser) = 0;
    // nullopt when cancelled.
    virtual std::optional<std::filesystem::path> chooseOpenFile(const FileChooser &chooser) = 0;
    // Puts plain text on the clipboard; false when the clipboard could not take it.
    virtual bool setClipboardText(std::string_view text) = 0;
    // The board, the frame or the selection changed: compose the picture and repaint.
    virtual void requestRedraw() = 0;
    // Hands a line of plain words to the screen reader, to be spoken once; nothing visible
    // changes. One line for each gesture that did something.
    virtual void announce(std::string_view line) = 0;
    // The user asked to quit: close the window as its close button would.
    virtual void requestClose() = 0;
    // A step was made or taken back: keep the history where the next run finds it
    // (historyFileText). The gesture must not wait for the disk.
    virtual void saveHistory(const GameHistory &history) = 0;
    // Today where the players are, as "2026.12.09" (year, month, day), to date the games they
    // save; empty when the desktop cannot tell.
    virtual std::string localDate() = 0;

    // The desktop's monotonic clock: it never goes back nor follows changes of the wall clock;
    // only the differences between readings mean anything. The core reads no clock itself.
    virtual Milliseconds monotonicNow() = 0;
    // The clock dialog: timeControlChoices as radio buttons named by timeControlLabel, then
    // the players' own with minutes and seconds fields (customTimeControl; a bad entry keeps
    // the dialog open), `current` checked at first. nullopt when cancelled.
    virtual std::optional<TimeControl> chooseTimeControl(TimeControl current) = 0;
    // The clock part of the status bar, at the right of the status text: shows the face, and
    // calls onClockTick after face.nextTick, or keeps no timer at all.
    virtual void showClock(const ClockFace &face) = 0;
};

} // namespace chess
