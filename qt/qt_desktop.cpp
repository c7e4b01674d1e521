#include "qt/qt_desktop.h"

#include "app/history_file.h"
#include "app/texts.h"
#include "qt/announcer.h"
#include "qt/board_widget.h"
#include "qt/clock_dialog.h"
#include "qt/promotion_dialog.h"
#include "view/board_picture.h"

#include <QApplication>
#include <QClipboard>
#include <QDate>
#include <QFile>
#include <QFileDialog>
#include <QFontDatabase>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>

#include <utility>

namespace chess::ui {
namespace {

// Each description ends in its pattern in parentheses, such as "テキストファイル(*.txt)",
// which is just what Qt reads its filter pattern from; so they are shown as they are.
QStringList nameFilters(const std::vector<FileFilter> &filters)
{
    QStringList names;
    for (const FileFilter &filter : filters)
        names << toQString(filter.description);
    return names;
}

std::optional<std::filesystem::path> chooseFile(QWidget &window, const FileChooser &chooser,
                                                QFileDialog::AcceptMode mode)
{
    // Qt's own dialog, so that every machine shows the same chooser.
    QFileDialog dialog(&window, toQString(chooser.title));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(mode);
    // A save chooser asks before overwriting by default.
    dialog.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilters(nameFilters(chooser.filters));
    dialog.setDefaultSuffix(toQString(chooser.defaultExtension));
    if (!chooser.defaultName.empty())
        dialog.selectFile(toQString(chooser.defaultName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return std::filesystem::path(QFile::encodeName(dialog.selectedFiles().constFirst()).toStdString());
}

} // namespace

QtDesktop::QtDesktop(QWidget &window, QLabel &status, QLabel &clock, BoardWidget &board, Announcer &announcer,
                     const GameState &state, const std::filesystem::path &historyFile)
    : window_(window), status_(status), clock_(clock), board_(board), announcer_(announcer), state_(state)
{
    if (!historyFile.empty())
        historySaver_.emplace(historyFile);
    monotonic_.start();
    clockTimer_.setSingleShot(true);
    // A coarse timer may fire a twentieth late, and the face would lag the time it shows.
    clockTimer_.setTimerType(Qt::PreciseTimer);
}

std::string QtDesktop::localDate() { return QDate::currentDate().toString(u"yyyy.MM.dd").toStdString(); }

QtDesktop::~QtDesktop()
{
    if (unsavedHistory_)
        historySaver_->save(historyFileText(*unsavedHistory_));
}

// The text is made after the events already queued, the repaint among them, so that the
// move is on the screen first; steps that come before then are saved together.
void QtDesktop::saveHistory(const GameHistory &history)
{
    if (!historySaver_ || std::exchange(unsavedHistory_, &history))
        return;
    QTimer::singleShot(0, &board_, [this] {
        historySaver_->save(historyFileText(*std::exchange(unsavedHistory_, nullptr)));
    });
}

void QtDesktop::setStatusText(std::string_view text) { status_.setText(toQString(text)); }

void QtDesktop::beep() { QApplication::beep(); }

void QtDesktop::showMessage(std::string_view text, std::string_view caption)
{
    // The record's lines end in CR LF, which a label would show as a stray mark before each
    // line break.
    QString body = toQString(text);
    body.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(QMessageBox::NoIcon, toQString(caption), body, QMessageBox::Ok, &window_);
    box.setTextFormat(Qt::PlainText);
    // The record is laid out in columns, which only a fixed-pitch font keeps lined up.
    if (caption == texts::recordCaption) {
        if (auto *label = box.findChild<QLabel *>(QStringLiteral("qt_msgbox_label")))
            label->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    }
    box.exec();
    focusBoard();
}

std::optional<int> QtDesktop::choosePromotion()
{
    const int choice = PromotionDialog(&window_).exec();
    focusBoard();
    return choice;
}

std::optional<std::filesystem::path> QtDesktop::chooseSaveFile(const FileChooser &chooser)
{
    std::optional<std::filesystem::path> path = chooseFile(window_, chooser, QFileDialog::AcceptSave);
    focusBoard();
    return path;
}

std::optional<std::filesystem::path> QtDesktop::chooseOpenFile(const FileChooser &chooser)
{
    std::optional<std::filesystem::path> path = chooseFile(window_, chooser, QFileDialog::AcceptOpen);
    focusBoard();
    return path;
}

bool QtDesktop::setClipboardText(std::string_view text)
{
    const QString copy = toQString(text);
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->setText(copy);
    // Qt reports no failure; reading the text back shows whether the clipboard took it.
    return clipboard->text() == copy;
}

void QtDesktop::requestRedraw()
{
    board_.setPicture(renderBoard(state_.board, state_.cursorSquare, state_.selectionState));
}

void QtDesktop::announce(std::string_view line) { announcer_.announce(toQString(line)); }

void QtDesktop::requestClose() { window_.close(); }

Milliseconds QtDesktop::monotonicNow() { return Milliseconds(monotonic_.elapsed()); }

std::optional<TimeControl> QtDesktop::chooseTimeControl(TimeControl current)
{
    ClockDialog dialog(current, &window_);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    focusBoard();
    return accepted ? std::optional(dialog.chosen()) : std::nullopt;
}

void QtDesktop::showClock(const ClockFace &face)
{
    clock_.setText(toQString(face.text));
    // Screen readers are told of every new name; the words change at most once a second.
    if (const QString words = toQString(face.words); clock_.accessibleName() != words)
        clock_.setAccessibleName(words);
    clock_.setVisible(!face.text.empty());
    if (face.nextTick)
        clockTimer_.start(static_cast<int>(face.nextTick->count()));
    else
        clockTimer_.stop();
}

void QtDesktop::focusBoard()
{
    window_.activateWindow();
    board_.setFocus(Qt::OtherFocusReason);
}

} // namespace chess::ui
