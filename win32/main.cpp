#include "win32/main_window.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showMode)
{
    if (!chess::win32::registerMainWindowClass(instance))
        return 0;
    HWND window = chess::win32::createMainWindow(instance);
    if (!window)
        return 0;
    ShowWindow(window, showMode);
    UpdateWindow(window);

    MSG message{};
    BOOL fetched;
    while ((fetched = GetMessageW(&message, nullptr, 0, 0)) != 0 && fetched != -1) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
