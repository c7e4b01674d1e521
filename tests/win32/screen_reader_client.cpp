// Reads the running program as a screen reader does, from a process of its own, and prints
// what it finds in UTF-8 for tests/win32/gui_smoke.sh to check:
//
//   screen_reader_client board    the board's table and cells, its focus, a hit test, the status
//   screen_reader_client listen   the events a screen reader hears, until the program closes
#include <windows.h>

#include <commctrl.h>
#include <oleacc.h>

#include <cstdio>
#include <deque>
#include <string>

namespace {

HWND findBoard()
{
    for (int tries = 0; tries < 300; ++tries) {
        if (HWND window = FindWindowW(L"Marvotek", L"Chess"))
            return window;
        Sleep(100);
    }
    return nullptr;
}

void print(const std::wstring &line)
{
    const std::wstring text = line + L"\n";
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size, nullptr,
                        nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
    std::fflush(stdout);
}

VARIANT child(LONG id)
{
    VARIANT variant;
    variant.vt = VT_I4;
    variant.lVal = id;
    return variant;
}

std::wstring nameOf(IAccessible *object, LONG id)
{
    BSTR name = nullptr;
    if (FAILED(object->get_accName(child(id), &name)) || !name)
        return L"(no name)";
    std::wstring text(name, SysStringLen(name));
    SysFreeString(name);
    return text;
}

std::wstring roleOf(IAccessible *object, LONG id)
{
    VARIANT role;
    VariantInit(&role);
    if (FAILED(object->get_accRole(child(id), &role)) || role.vt != VT_I4)
        return L"(no role)";
    if (role.lVal == ROLE_SYSTEM_TABLE)
        return L"table";
    return role.lVal == ROLE_SYSTEM_CELL ? L"cell" : std::to_wstring(role.lVal);
}

// The states a player relies on, in a fixed order.
std::wstring statesOf(IAccessible *object, LONG id)
{
    VARIANT state;
    VariantInit(&state);
    if (FAILED(object->get_accState(child(id), &state)) || state.vt != VT_I4)
        return L"(no state)";
    std::wstring words;
    for (const auto &[bit, word] :
         {std::pair{STATE_SYSTEM_FOCUSABLE, L"focusable"}, std::pair{STATE_SYSTEM_FOCUSED, L"focused"},
          std::pair{STATE_SYSTEM_SELECTABLE, L"selectable"}, std::pair{STATE_SYSTEM_SELECTED, L"selected"}})
        if (state.lVal & bit)
            words += (words.empty() ? L"" : L" ") + std::wstring(word);
    return words;
}

// "53" for a cell, "none" for S_FALSE with nothing.
std::wstring cellAnswer(HRESULT result, const VARIANT &answer)
{
    if (FAILED(result))
        return L"error";
    return answer.vt == VT_I4 ? std::to_wstring(answer.lVal) : L"none";
}

int dumpBoard(HWND window)
{
    IAccessible *board = nullptr;
    if (FAILED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                          reinterpret_cast<void **>(&board)))) {
        print(L"no accessible board");
        return 1;
    }
    LONG count = 0;
    board->get_accChildCount(&count);
    print(L"children " + std::to_wstring(count));
    for (LONG id = 0; id <= count; ++id) {
        LONG x = 0, y = 0, width = 0, height = 0;
        board->accLocation(&x, &y, &width, &height, child(id));
        print(std::to_wstring(id) + L"|" + roleOf(board, id) + L"|" + nameOf(board, id) + L"|" +
              statesOf(board, id) + L"|" + std::to_wstring(width) + L"x" + std::to_wstring(height));
        // A hit test at the middle of every cell must find that cell again.
        VARIANT hit;
        VariantInit(&hit);
        const HRESULT found = board->accHitTest(x + width / 2, y + height / 2, &hit);
        if (id > 0 && cellAnswer(found, hit) != std::to_wstring(id))
            print(L"hit test at the middle of " + std::to_wstring(id) + L" found " + cellAnswer(found, hit));
    }
    VARIANT answer;
    VariantInit(&answer);
    print(L"focus " + cellAnswer(board->get_accFocus(&answer), answer));
    VariantInit(&answer);
    print(L"selection " + cellAnswer(board->get_accSelection(&answer), answer));
    board->Release();

    IAccessible *status = nullptr;
    HWND statusBar = FindWindowExW(window, nullptr, STATUSCLASSNAMEW, nullptr);
    if (SUCCEEDED(AccessibleObjectFromWindow(statusBar, static_cast<DWORD>(OBJID_CLIENT),
                                             __uuidof(IAccessible), reinterpret_cast<void **>(&status)))) {
        print(L"status " + nameOf(status, CHILDID_SELF));
        status->Release();
    }
    return 0;
}

// Events are queued as they come and read afterwards: reading one calls into the program,
// which lets the next events in while it waits, and they must still print in order.
struct Event {
    DWORD event;
    HWND window;
    LONG object;
    LONG child;
};
std::deque<Event> pending;
HWND boardWindow;

void CALLBACK onEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD)
{
    pending.push_back({event, window, object, child});
}

std::wstring eventWord(DWORD event)
{
    switch (event) {
    case EVENT_OBJECT_FOCUS: return L"focus";
    case EVENT_OBJECT_SELECTION: return L"selection";
    case EVENT_OBJECT_SELECTIONREMOVE: return L"selectionremove";
    case EVENT_OBJECT_NAMECHANGE: return L"namechange";
    case EVENT_OBJECT_LIVEREGIONCHANGED: return L"live";
    default: return {};
    }
}

void readEvent(const Event &event)
{
    const std::wstring word = eventWord(event.event);
    const bool live = event.event == EVENT_OBJECT_LIVEREGIONCHANGED;
    // Only the board's cells and the spoken lines: Wine announces its own windows as well.
    if (word.empty() || (!live && (event.window != boardWindow || event.child <= 0)))
        return;
    IAccessible *object = nullptr;
    VARIANT id;
    VariantInit(&id);
    if (FAILED(AccessibleObjectFromEvent(event.window, static_cast<DWORD>(event.object),
                                         static_cast<DWORD>(event.child), &object, &id))) {
        print(word + L" (unreadable)");
        return;
    }
    if (live)
        print(word + L"|" + nameOf(object, id.lVal));
    else
        print(word + L"|" + std::to_wstring(event.child) + L"|" + nameOf(object, id.lVal) + L"|" +
              statesOf(object, id.lVal));
    object->Release();
}

int listen(HWND window)
{
    boardWindow = window;
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_LIVEREGIONCHANGED, nullptr, onEvent,
                                         process, 0, WINEVENT_OUTOFCONTEXT);
    if (!hook) {
        print(L"no event hook");
        return 1;
    }
    print(L"listening");
    SetTimer(nullptr, 0, 50, nullptr); // wakes the loop to notice that the program has closed
    MSG message;
    while (IsWindow(window) && GetMessageW(&message, nullptr, 0, 0) > 0) {
        DispatchMessageW(&message);
        while (!pending.empty()) {
            const Event event = pending.front();
            pending.pop_front();
            readEvent(event);
        }
    }
    UnhookWinEvent(hook);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    const std::string mode = argc == 2 ? argv[1] : "";
    if (mode != "board" && mode != "listen") {
        std::fputs("usage: screen_reader_client board|listen\n", stderr);
        return 2;
    }
    // A client must be in COM to be handed the program's objects.
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    HWND window = findBoard();
    if (!window) {
        print(L"no window \"Chess\"");
        return 1;
    }
    const int status = mode == "board" ? dumpBoard(window) : listen(window);
    CoUninitialize();
    return status;
}
