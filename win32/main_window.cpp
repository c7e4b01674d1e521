#include "win32/main_window.h"

#include "app/menu_commands.h"
#include "app/move_controller.h"
#include "app/texts.h"
#include "view/board_picture.h"
#include "win32/board_surface.h"
#include "win32/resource.h"
#include "win32/win32_desktop.h"

#include <commctrl.h>

#include <memory>

namespace chess::win32 {
namespace {

constexpr wchar_t windowClassName[] = L"Marvotek";
constexpr int windowWidth = 400; // the outer size, frame and menu included
constexpr int windowHeight = 470;

// Everything the window owns: the one game, its picture and the desktop the core talks to.
struct MainWindow {
    MainWindow(HWND window, HWND statusBar) : statusBar(statusBar), desktop(window, statusBar) {}

    HWND statusBar;
    GameState state;
    BoardSurface surface;
    Win32Desktop desktop;
};

MainWindow *mainWindowOf(HWND window)
{
    return reinterpret_cast<MainWindow *>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

void composePicture(MainWindow &main)
{
    main.surface.compose(renderBoard(main.state.board, main.state.cursorSquare, main.state.selectionState));
}

// Where the cursor is now: a double-click takes the square under the pointer at the time it
// is handled, not where the click was.
Point cursorInClient(HWND window)
{
    POINT point{};
    GetCursorPos(&point);
    ScreenToClient(window, &point);
    return {static_cast<int>(point.x), static_cast<int>(point.y)};
}

LRESULT onCreate(HWND window, const CREATESTRUCTW &create)
{
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    HWND statusBar =
        CreateWindowExW(0, STATUSCLASSNAMEW, nullptr, WS_CHILD | WS_VISIBLE | CCS_BOTTOM, 0, 0, 0, 0, window,
                        reinterpret_cast<HMENU>(IDC_STATUSBAR), create.hInstance, nullptr);
    if (!statusBar)
        return -1;
    auto main = std::make_unique<MainWindow>(window, statusBar);
    if (!main->surface.create(window, create.hInstance))
        return -1;
    SendMessageW(statusBar, SB_SIMPLE, FALSE, 0);
    main->desktop.setStatusText(texts::ready);
    composePicture(*main);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(main.release()));
    return 0;
}

void enableRecordItems(HMENU menu, const GameState &state)
{
    for (CommandId command : {CommandId::ViewRecord, CommandId::SaveRecord, CommandId::CopyRecord})
        EnableMenuItem(menu, static_cast<UINT>(command),
                       MF_BYCOMMAND | (isCommandEnabled(state, command) ? MF_ENABLED : MF_GRAYED));
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
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        main->surface.paint(dc, paint.rcPaint);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_INITMENU: enableRecordItems(reinterpret_cast<HMENU>(wParam), main->state); return 0;
    case WM_COMMAND: dispatchCommand(main->state, main->desktop, LOWORD(wParam)); return 0;
    case WM_LBUTTONDBLCLK: onLeftDoubleClick(main->state, main->desktop, cursorInClient(window)); return 0;
    case WM_RBUTTONDBLCLK: onCancel(main->state, main->desktop); return 0;
    case WM_APP:
        composePicture(*main);
        InvalidateRect(window, nullptr, FALSE);
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
    return CreateWindowExW(0, windowClassName, L"Chess", WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                           CW_USEDEFAULT, CW_USEDEFAULT, windowWidth, windowHeight, nullptr, nullptr,
                           instance, nullptr);
}

} // namespace chess::win32
