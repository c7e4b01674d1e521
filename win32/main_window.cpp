#include "win32/main_window.h"

#include "app/clock_commands.h"
#include "app/history_commands.h"
#include "app/keyboard.h"
#include "app/menu_commands.h"
#include "app/move_controller.h"
#include "app/texts.h"
#include "view/board_picture.h"
#include "win32/board_accessible.h"
#include "win32/board_events.h"
#include "win32/board_surface.h"
#include "win32/clock_part.h"
#include "win32/display_scale.h"
#include "win32/live_region.h"
#include "win32/resource.h"
#include "win32/wide_text.h"
#include "win32/win32_desktop.h"

#include <commctrl.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>

namespace chess::win32 {
namespace {

constexpr wchar_t windowClassName[] = L"Marvotek";
constexpr SIZE windowSizeAt100 = {400, 470}; // the outer size, frame and menu included
constexpr DWORD windowStyle = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

// Everything the window owns: the one game, its picture at the display's scale, the desktop
// the core talks to and what screen readers see of it. The accessible board comes last, so
// that it is cut off from the game before anything else goes.
struct MainWindow {
    MainWindow(HWND window, HWND statusBar, PixelScale scale, const std::filesystem::path &historyFile)
        : statusBar(statusBar), scale(scale), clockPart(this->scale),
          desktop(window, statusBar, liveRegion, clockPart, historyFile), events(state),
          board(window, state, this->scale)
    {
    }
    ~MainWindow()
    {
        if (statusFont)
            DeleteObject(statusFont);
    }

    HWND statusBar;
    HFONT statusFont = nullptr; // the status bar's, once the window has changed scale
    PixelScale scale;
    LiveRegion liveRegion;
    ClockPart clockPart;
    GameState state;
    BoardSurface surface;
    Win32Desktop desktop;
    BoardEvents events;
    AccessibleBoard board;
};

MainWindow *mainWindowOf(HWND window)
{
    return reinterpret_cast<MainWindow *>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

void composePicture(MainWindow &main)
{
    main.surface.compose(renderBoard(main.state.board, main.state.cursorSquare, main.state.selectionState));
}

// Where the cursor is now, in picture pixels: a double-click takes the square under the
// pointer at the time it is handled, not where the click was.
Point cursorInPicture(HWND window, PixelScale scale)
{
    POINT point{};
    GetCursorPos(&point);
    ScreenToClient(window, &point);
    return scale.toPicture({static_cast<int>(point.x), static_cast<int>(point.y)});
}

// The keys the board answers, by their key codes. Every other key goes on to the window.
std::optional<Key> boardKey(WPARAM virtualKey)
{
    switch (virtualKey) {
    case VK_LEFT: return Key::Left;
    case VK_RIGHT: return Key::Right;
    case VK_UP: return Key::Up;
    case VK_DOWN: return Key::Down;
    case VK_HOME: return Key::Home;
    case VK_END: return Key::End;
    case VK_PRIOR: return Key::PageUp;
    case VK_NEXT: return Key::PageDown;
    case VK_RETURN: return Key::Enter;
    case VK_SPACE: return Key::Space;
    case VK_ESCAPE: return Key::Escape;
    case 'T': return Key::T;
    default: return std::nullopt;
    }
}

// Letters and digits by the key rather than the character it types, so "e" then "4" jumps
// on layouts where the digits need Shift. 0 for any other key.
char typedCharacter(WPARAM virtualKey)
{
    if (virtualKey >= 'A' && virtualKey <= 'Z')
        return static_cast<char>(virtualKey - 'A' + 'a');
    if (virtualKey >= '0' && virtualKey <= '9')
        return static_cast<char>(virtualKey);
    if (virtualKey >= VK_NUMPAD0 && virtualKey <= VK_NUMPAD9)
        return static_cast<char>(virtualKey - VK_NUMPAD0 + '0');
    return 0;
}

RECT focusMarkOf(Square square, PixelScale scale)
{
    const Rect r = scale.toDevice(focusMarkRect(square));
    return {r.left, r.top, r.right, r.bottom};
}

// The focus mark shows only once the keyboard has been used, so a mouse player sees the
// picture as it always was.
void invalidateFocusMark(HWND window, const KeyboardCursor &keyboard, PixelScale scale)
{
    if (!keyboard.used)
        return;
    const RECT mark = focusMarkOf(keyboard.square, scale);
    InvalidateRect(window, &mark, FALSE);
}

// After any input that may have moved the keyboard square: its mark follows, and a screen
// reader hears the new cell.
void followKeyboardSquare(HWND window, const KeyboardCursor &before, const KeyboardCursor &now,
                          PixelScale scale)
{
    if (now.square == before.square && now.used == before.used)
        return;
    invalidateFocusMark(window, before, scale);
    invalidateFocusMark(window, now, scale);
    if (now.square != before.square && GetFocus() == window)
        BoardEvents::notifyFocus(window, now.square);
}

// False for a key the board leaves to the window. Keys with Ctrl run the menus' shortcuts;
// with Alt they come as WM_SYSKEYDOWN and never reach here.
bool onKeyDown(HWND window, MainWindow &main, WPARAM virtualKey)
{
    if (GetKeyState(VK_CONTROL) < 0) {
        const std::optional<CommandId> command =
            virtualKey >= 'A' && virtualKey <= 'Z'
                ? shortcutCommand(static_cast<char>(virtualKey), GetKeyState(VK_SHIFT) < 0)
                : std::nullopt;
        if (command)
            dispatchCommand(main.state, main.desktop, static_cast<int>(*command));
        return command.has_value();
    }
    const KeyboardCursor before = main.state.keyboard;
    if (const std::optional<Key> key = boardKey(virtualKey))
        onKey(main.state, main.desktop, *key);
    else if (const char typed = typedCharacter(virtualKey);
             typed == 0 || !onTypedCharacter(main.state, typed))
        return false;
    followKeyboardSquare(window, before, main.state.keyboard, main.scale);
    return true;
}

void onPaint(HWND window, const MainWindow &main)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    main.surface.paint(dc, paint.rcPaint);
    // An inverting mark, drawn once over the freshly copied picture. Its line is a device
    // pixel wide: nested, a picture pixel's worth of them keeps its weight at every scale.
    if (main.state.keyboard.used && GetFocus() == window) {
        RECT mark = focusMarkOf(main.state.keyboard.square, main.scale);
        for (int line = 0; line < main.scale.toDevice(1); ++line) {
            DrawFocusRect(dc, &mark);
            InflateRect(&mark, -1, -1);
        }
    }
    EndPaint(window, &paint);
}

// Where the game's history lives between runs: the user's local application data.
std::filesystem::path historyFile()
{
    const wchar_t *folder = _wgetenv(L"LOCALAPPDATA");
    if (!folder || !*folder)
        return {};
    return std::filesystem::path(folder) / L"Chess" / L"history";
}

// A menu item's text: `caption`, and the shortcut that runs the item at its right.
std::wstring menuItemText(const MenuItem &item, std::string_view caption)
{
    std::string text(caption);
    if (!item.shortcut.empty())
        text.append("\t").append(item.shortcut);
    return widen(text);
}

// The game menu, after the File menu of the resources, from the core's table.
void appendGameMenu(HWND window)
{
    HMENU gameMenu = CreatePopupMenu();
    for (const MenuItem &item : gameMenuItems()) {
        if (!item.command) {
            AppendMenuW(gameMenu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        AppendMenuW(gameMenu, MF_STRING, static_cast<UINT_PTR>(*item.command),
                    menuItemText(item, item.caption).c_str());
    }
    AppendMenuW(GetMenu(window), MF_POPUP, reinterpret_cast<UINT_PTR>(gameMenu),
                widen(gameMenuCaption).c_str());
}

LRESULT onCreate(HWND window, const CREATESTRUCTW &create)
{
    // Made at 100 %, the window takes its display's scale before the status bar fits itself
    // in and before it shows.
    const PixelScale scale = displayScaleOf(window);
    if (const SIZE size = windowSizeAt(scale, windowSizeAt100, windowStyle);
        size.cx != create.cx || size.cy != create.cy)
        SetWindowPos(window, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    HWND statusBar =
        CreateWindowExW(0, STATUSCLASSNAMEW, nullptr, WS_CHILD | WS_VISIBLE | CCS_BOTTOM, 0, 0, 0, 0, window,
                        reinterpret_cast<HMENU>(IDC_STATUSBAR), create.hInstance, nullptr);
    if (!statusBar)
        return -1;
    const std::filesystem::path history = historyFile();
    auto main = std::make_unique<MainWindow>(window, statusBar, scale, history);
    if (!main->liveRegion.create(statusBar) || !main->clockPart.create(statusBar) ||
        !main->surface.create(window, create.hInstance, scale))
        return -1;
    SendMessageW(statusBar, SB_SIMPLE, FALSE, 0);
    main->desktop.setStatusText(texts::ready);
    startHistoryFromFile(main->state, history);
    appendGameMenu(window);
    composePicture(*main);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(main.release()));
    return 0;
}

// The window has moved to a monitor of another scale (or that monitor's scale changed): the
// picture, its font and the status bar's are made anew for it, and the window takes the
// size and place the system suggests, which keeps it under the pointer that dragged it.
void onDpiChanged(HWND window, MainWindow &main, PixelScale scale, const RECT &suggested)
{
    if (!main.surface.rescale(window, scale))
        return;
    main.scale = scale;
    if (HFONT font = createStatusFont(scale)) {
        SendMessageW(main.statusBar, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        if (main.statusFont)
            DeleteObject(main.statusFont);
        main.statusFont = font;
    }
    composePicture(main);
    SetWindowPos(window, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(main.statusBar, WM_SIZE, 0, 0); // its height follows the font, even at the same size
    main.clockPart.layOut();
    InvalidateRect(window, nullptr, FALSE);
}

// As the menu bar opens: each item as the game stands, the clock's pause item saying what
// it will do.
void followGameInMenus(HMENU menu, const GameState &state)
{
    for (const std::span<const MenuItem> items : {fileMenuItems(), gameMenuItems()})
        for (const MenuItem &item : items) {
            if (!item.command)
                continue;
            const auto id = static_cast<UINT>(*item.command);
            std::wstring text = menuItemText(item, commandCaption(state, *item.command));
            MENUITEMINFOW info{};
            info.cbSize = sizeof info;
            info.fMask = MIIM_STRING;
            info.dwTypeData = text.data();
            SetMenuItemInfoW(menu, id, FALSE, &info);
            EnableMenuItem(menu, id,
                           MF_BYCOMMAND | (isCommandEnabled(state, *item.command) ? MF_ENABLED : MF_GRAYED));
        }
}

// The clock's one-shot timer: each face arms the next tick itself. The timer fires inside a
// modal window's loop too, while the core waits for the answer; our modal windows disable
// this one, and then the clock is only shown.
void tickClock(HWND window, MainWindow &main)
{
    KillTimer(window, clockTimer);
    onClockTick(main.state, main.desktop, !IsWindowEnabled(window));
}

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CREATE)
        return onCreate(window, *reinterpret_cast<const CREATESTRUCTW *>(lParam));
    MainWindow *main = mainWindowOf(window);
    if (!main)
        return DefWindowProcW(window, message, wParam, lParam);
    switch (message) {
    case WM_DESTROY:
        // The game with its record and every drawing object go with the window.
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        delete main;
        PostQuitMessage(0);
        return 0;
    case WM_SIZE:
        // The status bar keeps itself at the bottom only when told the size changed.
        SendMessageW(main->statusBar, WM_SIZE, 0, 0);
        main->clockPart.layOut();
        return 0;
    case WM_PAINT: onPaint(window, *main); return 0;
    case WM_INITMENU: followGameInMenus(reinterpret_cast<HMENU>(wParam), main->state); return 0;
    case WM_TIMER:
        if (wParam != clockTimer)
            return DefWindowProcW(window, message, wParam, lParam);
        tickClock(window, *main);
        return 0;
    case WM_COMMAND: dispatchCommand(main->state, main->desktop, LOWORD(wParam)); return 0;
    case WM_LBUTTONDBLCLK: {
        const KeyboardCursor before = main->state.keyboard;
        onLeftDoubleClick(main->state, main->desktop, cursorInPicture(window, main->scale));
        followKeyboardSquare(window, before, main->state.keyboard, main->scale);
        return 0;
    }
    case WM_RBUTTONDBLCLK: onCancel(main->state, main->desktop); return 0;
    case WM_KEYDOWN:
        if (onKeyDown(window, *main, wParam))
            return 0;
        return DefWindowProcW(window, message, wParam, lParam);
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        invalidateFocusMark(window, main->state.keyboard, main->scale);
        // After the system's own focus event for the window, so the cell is what is heard.
        if (message == WM_SETFOCUS)
            BoardEvents::notifyFocus(window, main->state.keyboard.square);
        return 0;
    case WM_GETOBJECT:
        // Compared as 32 bits: Wine hands OBJID_CLIENT over zero-extended.
        if (static_cast<LONG>(lParam) == OBJID_CLIENT) {
            if (const std::optional<LRESULT> answer = main->board.answer(wParam)) {
                main->liveRegion.markLive();
                return *answer;
            }
        }
        return DefWindowProcW(window, message, wParam, lParam);
    case WM_GETDPISCALEDSIZE: {
        // The client area scaled exactly, rather than the whole window with its frame.
        *reinterpret_cast<SIZE *>(lParam) = windowSizeAt({LOWORD(wParam)}, windowSizeAt100, windowStyle);
        return TRUE;
    }
    case WM_DPICHANGED:
        onDpiChanged(window, *main, {HIWORD(wParam)}, *reinterpret_cast<const RECT *>(lParam));
        return 0;
    case WM_APP:
        composePicture(*main);
        InvalidateRect(window, nullptr, FALSE);
        main->events.notifyChanges(window, main->state);
        return 0;
    case saveHistoryMessage:
        // Posted messages come before the paint: the move goes on the screen first.
        UpdateWindow(window);
        main->desktop.saveUnsavedHistory();
        return 0;
    default: return DefWindowProcW(window, message, wParam, lParam);
    }
}

} // namespace

bool registerMainWindowClass(HINSTANCE instance)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    windowClass.lpfnWndProc = windowProcedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = static_cast<HICON>(
        LoadImageW(instance, MAKEINTRESOURCEW(IDI_CHESSBOARD), IMAGE_ICON, 0, 0, LR_SHARED | LR_DEFAULTSIZE));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszMenuName = L"MYMENU";
    windowClass.lpszClassName = windowClassName;
    return RegisterClassExW(&windowClass) != 0;
}

HWND createMainWindow(HINSTANCE instance)
{
    return CreateWindowExW(0, windowClassName, L"Chess", windowStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                           windowSizeAt100.cx, windowSizeAt100.cy, nullptr, nullptr, instance, nullptr);
}

} // namespace chess::win32
