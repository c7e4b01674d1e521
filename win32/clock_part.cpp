#include "win32/clock_part.h"

#include "win32/wide_text.h"

#include <commctrl.h>

#include <array>
#include <utility>

namespace chess::win32 {
namespace {

constexpr wchar_t partClassName[] = L"ChessClockPart";
// Room at 100 % for both times in the status bar's font, "▶白 29:59  黒 30:00".
constexpr int partWidthAt100 = 130;

ClockPart *partOf(HWND window)
{
    return reinterpret_cast<ClockPart *>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

} // namespace

ClockPart::~ClockPart()
{
    if (window_)
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
}

bool ClockPart::create(HWND statusBar)
{
    statusBar_ = statusBar;
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(statusBar, GWLP_HINSTANCE));
    WNDCLASSEXW partClass{};
    partClass.cbSize = sizeof partClass;
    partClass.style = CS_HREDRAW | CS_VREDRAW;
    partClass.lpfnWndProc = procedure;
    partClass.hInstance = instance;
    partClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE); // the status bar's own
    partClass.lpszClassName = partClassName;
    if (!RegisterClassExW(&partClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        return false;
    // Hidden until a clock is set. The status bar paints around it, not over it.
    SetWindowLongPtrW(statusBar, GWL_STYLE, GetWindowLongPtrW(statusBar, GWL_STYLE) | WS_CLIPCHILDREN);
    window_ =
        CreateWindowExW(0, partClassName, nullptr, WS_CHILD, 0, 0, 0, 0, statusBar, nullptr, instance, this);
    return window_ != nullptr;
}

void ClockPart::show(const ClockFace &face)
{
    const bool wasShown = !text_.empty();
    std::wstring text = widen(face.text);
    // Ticks come ten times a second; the text changes once a second above ten seconds.
    if (text != text_)
        InvalidateRect(window_, nullptr, TRUE);
    text_ = std::move(text);
    if (text_.empty() != !wasShown) {
        if (text_.empty()) {
            const int wholeWidth = -1;
            SendMessageW(statusBar_, SB_SETPARTS, 1, reinterpret_cast<LPARAM>(&wholeWidth));
            ShowWindow(window_, SW_HIDE);
        } else {
            layOut();
            ShowWindow(window_, SW_SHOWNA);
        }
    }
    // Set only when the words change: a screen reader is told of every new name.
    if (std::wstring words = widen(face.words); words != words_) {
        words_ = std::move(words);
        SetWindowTextW(window_, words_.c_str());
    }
}

void ClockPart::layOut()
{
    if (text_.empty())
        return;
    RECT bar{};
    GetClientRect(statusBar_, &bar);
    const std::array<int, 2> rightEdges = {bar.right - scale_.toDevice(partWidthAt100), -1};
    SendMessageW(statusBar_, SB_SETPARTS, rightEdges.size(), reinterpret_cast<LPARAM>(rightEdges.data()));
    // Inside the part's sunken edge, which the status bar draws.
    RECT part{};
    SendMessageW(statusBar_, SB_GETRECT, 1, reinterpret_cast<LPARAM>(&part));
    InflateRect(&part, -GetSystemMetrics(SM_CXBORDER), -GetSystemMetrics(SM_CYBORDER));
    MoveWindow(window_, part.left, part.top, part.right - part.left, part.bottom - part.top, TRUE);
}

void ClockPart::paint()
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window_, &paint);
    RECT area{};
    GetClientRect(window_, &area);
    HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageW(statusBar_, WM_GETFONT, 0, 0));
    HGDIOBJ before = font ? SelectObject(dc, font) : nullptr;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    DrawTextW(dc, text_.c_str(), static_cast<int>(text_.size()), &area,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    if (before)
        SelectObject(dc, before);
    EndPaint(window_, &paint);
}

LRESULT CALLBACK ClockPart::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE)
        SetWindowLongPtrW(
            window, GWLP_USERDATA,
            reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW *>(lParam)->lpCreateParams));
    if (message == WM_PAINT)
        if (ClockPart *part = partOf(window)) {
            part->paint();
            return 0;
        }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace chess::win32
