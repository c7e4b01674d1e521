#pragma once

#include "app/desktop.h"
#include "app/game_state.h"

#include <filesystem>
#include <optional>
#include <utility>

namespace chess::web {

// The core's desktop in a web page: each call goes straight to the page's script
// (site/app.js). A page cannot stop and wait for the player, so the modal calls are kept
// short: a message box opens an HTML dialog and returns at once; the promotion piece has
// already been asked before the gesture runs (gesture_runner.h) and is handed in here; the
// file choosers name a file in the program's in-memory file system, which the page offers as
// a download after a save and fills from its file input before an open.
class WebDesktop final : public Desktop {
public:
    explicit WebDesktop(const GameState &state);

    void setStatusText(std::string_view text) override;
    void beep() override;
    void showMessage(std::string_view text, std::string_view caption) override;
    std::optional<int> choosePromotion() override;
    std::optional<std::filesystem::path> chooseSaveFile(const FileChooser &chooser) override;
    std::optional<std::filesystem::path> chooseOpenFile(const FileChooser &chooser) override;
    bool setClipboardText(std::string_view text) override;
    void requestRedraw() override;
    void announce(std::string_view line) override;
    void requestClose() override;
    // Into the browser's local storage, once the page has shown the step.
    void saveHistory(const GameHistory &history) override;
    std::string localDate() override;
    Milliseconds monotonicNow() override;
    // The page's dialog cannot block: without a preset answer it is opened, and the page runs
    // the command again with the answer (presetTimeControl).
    std::optional<TimeControl> chooseTimeControl(TimeControl current) override;
    void showClock(const ClockFace &face) override;

    void presetTimeControl(TimeControl control) { timeControl_ = control; }
    // The answer choosePromotion gives until the next preset; nullopt when none was asked.
    void presetPromotion(std::optional<int> choice) { promotion_ = choice; }
    // The file the next chooseOpenFile gives. Without one, that call opens the page's file input
    // and counts as cancelled; the page runs the command again once a file is chosen.
    void presetOpenFile(std::filesystem::path path) { openFile_ = std::move(path); }
    // Hands the file a save command has just written to the page as a download. A save that
    // failed left no file, and the core has said so.
    void deliverDownload();
    // The things the page shows beside the picture that a call may have changed: the
    // keyboard square and its mark, and which menu commands are offered.
    void showControls();

private:
    const GameState &state_;
    std::optional<int> promotion_;
    std::optional<std::filesystem::path> openFile_;
    std::optional<std::filesystem::path> download_;
    std::optional<TimeControl> timeControl_;
};

} // namespace chess::web
