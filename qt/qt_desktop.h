#pragma once

#include "app/background_saver.h"
#include "app/desktop.h"
#include "app/game_state.h"

#include <QElapsedTimer>
#include <QString>
#include <QTimer>

#include <string_view>

class QLabel;
class QWidget;

namespace chess::ui {

class Announcer;
class BoardWidget;

// The core's UTF-8 texts as Qt text.
inline QString toQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The core's desktop on Qt: the window's status label, clock label, board and announcer, and
// modal boxes, dialogs and file choosers owned by the window. Texts are converted between
// UTF-8 and QString here.
class QtDesktop final : public Desktop {
public:
    // The history is saved to `historyFile`, or nowhere when it is empty.
    QtDesktop(QWidget &window, QLabel &status, QLabel &clock, BoardWidget &board, Announcer &announcer,
              const GameState &state, const std::filesystem::path &historyFile);

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
    void saveHistory(const GameHistory &history) override;
    std::string localDate() override;
    Milliseconds monotonicNow() override;
    std::optional<TimeControl> chooseTimeControl(TimeControl current) override;
    void showClock(const ClockFace &face) override;
    ~QtDesktop() override;

    // Runs out when the clock's face asked to be ticked; the window ticks the core then.
    QTimer &clockTimer() { return clockTimer_; }

private:
    // Where a modal window leaves the keyboard focus is up to the window system (without a
    // window manager: nowhere); keyboard players carry on at the board.
    void focusBoard();

    QWidget &window_;
    QLabel &status_;
    QLabel &clock_;
    BoardWidget &board_;
    Announcer &announcer_;
    const GameState &state_;
    std::optional<BackgroundSaver> historySaver_;
    const GameHistory *unsavedHistory_ = nullptr; // written out once the window has repainted
    QElapsedTimer monotonic_;
    QTimer clockTimer_; // single-shot, running only while the clock does
};

} // namespace chess::ui
