// Tells the running program that its window is now on a monitor of another scale, as
// Windows does when the window is dragged there: WM_GETDPISCALEDSIZE asks the window the size
// it wants at the new DPI (the window scaled by the ratio if it does not say), then
// WM_DPICHANGED hands it the rectangle at that size. Both carry pointers into the program's
// own memory, which this separate process writes and reads there. Prints the size asked for
// and the window's outer and client sizes after it took the change:
//
//   dpi_change NEW_DPI OLD_DPI    "asked 794x932", "window 794x932", "client 788x888"
#include <windows.h>

#include <cstdio>
#include <cstdlib>

// Sends `message` with a pointer to a copy of `value` in `process`; the copy as the window
// left it.
template <typename T>
T sendPointing(HANDLE process, HWND window, UINT message, WPARAM wParam, T value, LRESULT &answer)
{
    void *copy = VirtualAllocEx(process, nullptr, sizeof value, MEM_COMMIT, PAGE_READWRITE);
    WriteProcessMemory(process, copy, &value, sizeof value, nullptr);
    answer = SendMessageW(window, message, wParam, reinterpret_cast<LPARAM>(copy));
    ReadProcessMemory(process, copy, &value, sizeof value, nullptr);
    VirtualFreeEx(process, copy, 0, MEM_RELEASE);
    return value;
}

int main(int argc, char **argv)
{
    HWND window = FindWindowW(L"Marvotek", L"Chess");
    const int newDpi = argc == 3 ? std::atoi(argv[1]) : 0;
    const int oldDpi = argc == 3 ? std::atoi(argv[2]) : 0;
    if (!window || newDpi <= 0 || oldDpi <= 0) {
        std::fputs("usage: dpi_change NEW_DPI OLD_DPI, with the program running\n", stderr);
        return 2;
    }
    DWORD id = 0;
    GetWindowThreadProcessId(window, &id);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, id);
    if (!process)
        return 1;
    RECT rect{};
    GetWindowRect(window, &rect);
    const WPARAM dpis = MAKEWPARAM(newDpi, newDpi);
    const SIZE scaled{MulDiv(rect.right - rect.left, newDpi, oldDpi),
                      MulDiv(rect.bottom - rect.top, newDpi, oldDpi)};
    LRESULT answer = 0;
    SIZE size = sendPointing(process, window, WM_GETDPISCALEDSIZE, dpis, scaled, answer);
    if (!answer)
        size = scaled;
    sendPointing(process, window, WM_DPICHANGED, dpis,
                 RECT{rect.left, rect.top, rect.left + size.cx, rect.top + size.cy}, answer);
    CloseHandle(process);

    RECT client{};
    GetWindowRect(window, &rect);
    GetClientRect(window, &client);
    std::printf("asked %ldx%ld\nwindow %ldx%ld\nclient %ldx%ld\n", size.cx, size.cy, rect.right - rect.left,
                rect.bottom - rect.top, client.right, client.bottom);
    return 0;
}
