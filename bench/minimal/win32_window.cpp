// The least a Win32 program does to show a window like the chess board's: a fixed 400 x 470
// window with the File menu, a status bar and 64 squares painted on the board's background.
#include <windows.h>

#include <commctrl.h>

namespace {

constexpr COLORREF background = RGB(200, 255, 255);
constexpr COLORREF lightSquare = RGB(255, 255, 255);
constexpr COLORREF darkSquare = RGB(0, 140, 0);

HWND statusBar;

void paintBoard(HDC dc, const RECT &client)
{
    HBRUSH brushes[] = {CreateSolidBrush(background), CreateSolidBrush(lightSquare),
                        CreateSolidBrush(darkSquare)};
    FillRect(dc, &client, brushes[0]);
    for (int row = 0; row < 8; ++row)
        for (int file = 0; file < 8; ++file) {
            const RECT square{40 + 40 * file, 20 + 40 * row, 80 + 40 * file, 60 + 40 * row};
            FillRect(dc, &square, brushes[1 + (file + row) % 2]);
        }
    for (HBRUSH brush : brushes)
        DeleteObject(brush);
}

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE: {
        const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES};
        InitCommonControlsEx(&controls);
        statusBar = CreateWindowExW(0, STATUSCLASSNAMEW, L"Ready", WS_CHILD | WS_VISIBLE | CCS_BOTTOM, 0, 0,
                                    0, 0, window, nullptr,
                                    reinterpret_cast<const CREATESTRUCTW *>(lParam)->hInstance, nullptr);
        return statusBar ? 0 : -1;
    }
    case WM_SIZE: SendMessageW(statusBar, WM_SIZE, 0, 0); return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        RECT client;
        GetClientRect(window, &client);
        paintBoard(dc, client);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcW(window, message, wParam, lParam);
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showMode)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = windowProcedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszMenuName = L"MINIMALMENU";
    windowClass.lpszClassName = L"Minimal";
    if (!RegisterClassExW(&windowClass))
        return 1;
    HWND window =
        CreateWindowExW(0, L"Minimal", L"Chess", WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, CW_USEDEFAULT,
                        CW_USEDEFAULT, 400, 470, nullptr, nullptr, instance, nullptr);
    if (!window)
        return 1;
    ShowWindow(window, showMode);
    UpdateWindow(window);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
