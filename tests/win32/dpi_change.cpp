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

namespace {

// A copy of `value` in `process`, freed with the object.
template <typename T> class RemoteCopy {
public:
    RemoteCopy(HANDLE process, const T &value)
        : process_(process), address_(VirtualAllocEx(process, nullptr, sizeof(T), MEM_COMMIT, PAGE_READWRITE))
    {
        if (address_)
            WriteProcessMemory(process, address_, &value, sizeof(T), nullptr);
    }
    ~RemoteCopy()
    {
        if (address_)
            VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    }
    LPARAM address() const { return reinterpret_cast<LPARAM>(address_); }
    T read() const
    {
        T value{};
        ReadProcessMemory(process_, address_, &value, sizeof(T), nullptr);
        return value;
    }

private:
    HANDLE process_;
    void *address_;
};

} // namespace

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
    SIZE size{MulDiv(rect.right - rect.left, newDpi, oldDpi), MulDiv(rect.bottom - rect.top, newDpi, oldDpi)};
    {
        const RemoteCopy<SIZE> asked(process, size);
        if (SendMessageW(window, WM_GETDPISCALEDSIZE, dpis, asked.address()))
            size = asked.read();
    }
    const RemoteCopy<RECT> suggested(process,
                                     RECT{rect.left, rect.top, rect.left + size.cx, rect.top + size.cy});
    SendMessageW(window, WM_DPICHANGED, dpis, suggested.address());
    CloseHandle(process);

    RECT client{};
    GetWindowRect(window, &rect);
    GetClientRect(window, &client);
    std::printf("asked %ldx%ld\nwindow %ldx%ld\nclient %ldx%ld\n", size.cx, size.cy, rect.right - rect.left,
                rect.bottom - rect.top, client.right, client.bottom);
    return 0;
}
