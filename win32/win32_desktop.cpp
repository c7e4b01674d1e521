#include "win32/win32_desktop.h"

#include "app/history_file.h"
#include "win32/clock_dialog.h"
#include "win32/resource.h"
#include "win32/system_library.h"
#include "win32/wide_text.h"

#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <utility>

namespace chess::win32 {
namespace {

INT_PTR CALLBACK promotionDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_COMMAND:
        // Return reaches the zero-size default button and Escape the cancel id: a queen.
        switch (LOWORD(wParam)) {
        case IDC_ROOK: EndDialog(dialog, 1); break;
        case IDC_BISHOP: EndDialog(dialog, 2); break;
        case IDC_KNIGHT: EndDialog(dialog, 3); break;
        default: EndDialog(dialog, 0); break;
        }
        return TRUE;
    case WM_DESTROY: EndDialog(dialog, 0); return TRUE;
    default: return FALSE;
    }
}

std::optional<std::filesystem::path> chooseFile(HWND owner, const FileChooser &chooser, bool save)
{
    // The choosers' DLL brings much of the shell with it, so it is loaded when a file is first
    // saved or opened rather than at every start. Without it there is nothing to choose.
    using Chooser = decltype(GetSaveFileNameW);
    static Chooser *const saveChooser = systemFunction<Chooser>(L"comdlg32.dll", "GetSaveFileNameW");
    static Chooser *const openChooser = systemFunction<Chooser>(L"comdlg32.dll", "GetOpenFileNameW");
    Chooser *const choose = save ? saveChooser : openChooser;
    if (!choose)
        return std::nullopt;

    std::array<wchar_t, MAX_PATH> name{};
    const std::wstring preset = widen(chooser.defaultName).substr(0, name.size() - 1);
    preset.copy(name.data(), preset.size());
    const std::wstring filters = filterList(chooser.filters);
    const std::wstring title = widen(chooser.title);
    const std::wstring extension = widen(chooser.defaultExtension);

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filters.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = name.data();
    dialog.nMaxFile = static_cast<DWORD>(name.size());
    dialog.lpstrTitle = title.c_str();
    dialog.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
    // The save chooser asks before it lets an existing file be replaced.
    dialog.Flags = save ? OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY : OFN_HIDEREADONLY;
    if (!choose(&dialog))
        return std::nullopt;
    return std::filesystem::path(name.data());
}

} // namespace

Win32Desktop::Win32Desktop(HWND window, HWND statusBar, LiveRegion &liveRegion, ClockPart &clockPart,
                           const std::filesystem::path &historyFile)
    : window_(window), statusBar_(statusBar), liveRegion_(liveRegion), clockPart_(clockPart)
{
    if (!historyFile.empty())
        historySaver_.emplace(historyFile);
}

Win32Desktop::~Win32Desktop() { saveUnsavedHistory(); }

// The text is made after the messages already queued, the repaint among them, so that the
// move is on the screen first; steps that come before then are saved together.
void Win32Desktop::saveHistory(const GameHistory &history)
{
    if (historySaver_ && !std::exchange(unsavedHistory_, &history))
        PostMessageW(window_, saveHistoryMessage, 0, 0);
}

void Win32Desktop::saveUnsavedHistory()
{
    if (const GameHistory *history = std::exchange(unsavedHistory_, nullptr))
        historySaver_->save(historyFileText(*history));
}

std::string Win32Desktop::localDate()
{
    SYSTEMTIME today{};
    GetLocalTime(&today);
    char text[16];
    std::snprintf(text, sizeof text, "%04u.%02u.%02u", today.wYear, today.wMonth, today.wDay);
    return text;
}

// The milliseconds since the system started, which no change of the wall clock moves.
Milliseconds Win32Desktop::monotonicNow() { return Milliseconds(GetTickCount64()); }

std::optional<TimeControl> Win32Desktop::chooseTimeControl(TimeControl current)
{
    const std::optional<TimeControl> chosen = chooseTimeControlIn(window_, current);
    SetFocus(window_);
    return chosen;
}

void Win32Desktop::showClock(const ClockFace &face)
{
    clockPart_.show(face);
    if (face.nextTick)
        SetTimer(window_, clockTimer,
                 static_cast<UINT>(std::max<Milliseconds::rep>(face.nextTick->count(), USER_TIMER_MINIMUM)),
                 nullptr);
    else
        KillTimer(window_, clockTimer);
}

void Win32Desktop::setStatusText(std::string_view text)
{
    const std::wstring wide = widen(text);
    SendMessageW(statusBar_, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}

void Win32Desktop::beep() { MessageBeep(0); }

void Win32Desktop::showMessage(std::string_view text, std::string_view caption)
{
    MessageBoxW(window_, widen(text).c_str(), widen(caption).c_str(), MB_OK);
    // The keyboard player goes on where the box interrupted: on the board.
    SetFocus(window_);
}

std::optional<int> Win32Desktop::choosePromotion()
{
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window_, GWLP_HINSTANCE));
    const INT_PTR choice = DialogBoxParamW(instance, L"MYDLG", window_, promotionDialogProc, 0);
    SetFocus(window_);
    if (choice < 0 || choice > 3)
        return std::nullopt;
    return static_cast<int>(choice);
}

std::optional<std::filesystem::path> Win32Desktop::chooseSaveFile(const FileChooser &chooser)
{
    return chooseFile(window_, chooser, true);
}

std::optional<std::filesystem::path> Win32Desktop::chooseOpenFile(const FileChooser &chooser)
{
    return chooseFile(window_, chooser, false);
}

// The record is ASCII, so its bytes are the CF_TEXT as they stand. Every step is checked: a
// clipboard that is busy or refuses the block is reported instead of passing for a copy,
// and the block is freed unless the clipboard took it.
bool Win32Desktop::setClipboardText(std::string_view text)
{
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, text.size() + 1);
    if (!block)
        return false;
    void *bytes = GlobalLock(block);
    if (!bytes) {
        GlobalFree(block);
        return false;
    }
    std::memcpy(bytes, text.data(), text.size());
    GlobalUnlock(block);
    if (!OpenClipboard(window_)) {
        GlobalFree(block);
        return false;
    }
    const bool taken = EmptyClipboard() && SetClipboardData(CF_TEXT, block) != nullptr;
    CloseClipboard();
    if (!taken)
        GlobalFree(block);
    return taken;
}

// The picture is composed at once, so a message box that follows the move already shows it.
void Win32Desktop::requestRedraw() { SendMessageW(window_, WM_APP, 0, 0); }

void Win32Desktop::announce(std::string_view line) { liveRegion_.announce(line); }

void Win32Desktop::requestClose() { PostMessageW(window_, WM_CLOSE, 0, 0); }

} // namespace chess::win32
