// Reads the running program as a screen reader does, from a process of its own, and prints
// what it finds in UTF-8 for tests/win32/gui_smoke.sh to check:
//
//   screen_reader_client board    the window's client size ("client 394x426"), the table and
//                                 its cells ("id|role|name|states|WxH+X+Y", placed in the
//                                 client area), the focus, the status bar's text and the
//                                 parts inside it ("status part name|WxH+X+Y")
//   screen_reader_client dialog   the window in front: its caption ("dialog 棋譜") and its
//                                 controls ("role|name|states")
//   screen_reader_client listen   the events a screen reader hears ("event|id|role|name|states",
//                                 "live|line") until the program closes
#include <windows.h>

#include <commctrl.h>
#include <oleacc.h>

#include <cstdio>
#include <string>

namespace {

HWND board; // the program's window

void print(const std::wstring &line)
{
    std::string bytes(line.size() * 3 + 1, '\0');
    bytes.resize(static_cast<std::size_t>(
        WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()), bytes.data(),
                            static_cast<int>(bytes.size()), nullptr, nullptr)));
    std::printf("%s\n", bytes.c_str());
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
    const std::wstring text(name, SysStringLen(name));
    SysFreeString(name);
    return text;
}

// "cell|e2, white pawn|focused": role, name and the states that change.
std::wstring describe(IAccessible *object, LONG id)
{
    VARIANT role, state;
    VariantInit(&role);
    VariantInit(&state);
    object->get_accRole(child(id), &role);
    object->get_accState(child(id), &state);
    std::wstring words = role.lVal == ROLE_SYSTEM_TABLE  ? L"table|"
                         : role.lVal == ROLE_SYSTEM_CELL ? L"cell|"
                         : role.lVal == ROLE_SYSTEM_TEXT ? L"text|"
                                                         : std::to_wstring(role.lVal) + L"|";
    words += nameOf(object, id) + L"|";
    if (state.lVal & STATE_SYSTEM_FOCUSED)
        words += L"focused ";
    if (state.lVal & STATE_SYSTEM_SELECTED)
        words += L"selected ";
    return words.substr(0, words.size() - (words.back() == L' '));
}

// "53" for a cell, "none" for MSAA's empty answer.
std::wstring cellAnswer(HRESULT result, const VARIANT &answer)
{
    return FAILED(result) ? L"error" : answer.vt == VT_I4 ? std::to_wstring(answer.lVal) : L"none";
}

// Where an object is, as "WxH+X+Y" in the board's client area; `screen` its rectangle there.
std::wstring placeOf(IAccessible *object, LONG id, RECT &screen)
{
    LONG x = 0, y = 0, width = 0, height = 0;
    object->accLocation(&x, &y, &width, &height, child(id));
    screen = {x, y, x + width, y + height};
    POINT topLeft{x, y};
    ScreenToClient(board, &topLeft);
    return std::to_wstring(width) + L"x" + std::to_wstring(height) + L"+" + std::to_wstring(topLeft.x) +
           L"+" + std::to_wstring(topLeft.y);
}

IAccessible *clientObject(HWND window)
{
    IAccessible *object = nullptr;
    AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                               reinterpret_cast<void **>(&object));
    return object;
}

int readBoard()
{
    IAccessible *table = clientObject(board);
    if (!table)
        return 1;
    RECT client{};
    GetClientRect(board, &client);
    print(L"client " + std::to_wstring(client.right) + L"x" + std::to_wstring(client.bottom));
    LONG count = 0;
    table->get_accChildCount(&count);
    print(L"children " + std::to_wstring(count));
    for (LONG id = 0; id <= count; ++id) {
        RECT cell{};
        print(std::to_wstring(id) + L"|" + describe(table, id) + L"|" + placeOf(table, id, cell));
        // The middle of each cell must hit that cell again.
        VARIANT hit;
        VariantInit(&hit);
        if (const std::wstring found = cellAnswer(
                table->accHitTest((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2, &hit), hit);
            id > 0 && found != std::to_wstring(id))
            print(L"hit test in " + std::to_wstring(id) + L" found " + found);
    }
    VARIANT focus;
    VariantInit(&focus);
    print(L"focus " + cellAnswer(table->get_accFocus(&focus), focus));
    table->Release();
    HWND statusBar = FindWindowExW(board, nullptr, STATUSCLASSNAMEW, nullptr);
    if (IAccessible *status = clientObject(statusBar)) {
        print(L"status " + nameOf(status, CHILDID_SELF));
        status->Release();
    }
    // The windows inside the status bar that take room on the screen, as a screen reader
    // moving from object to object finds them.
    for (HWND part = GetWindow(statusBar, GW_CHILD); part; part = GetWindow(part, GW_HWNDNEXT)) {
        IAccessible *object = IsWindowVisible(part) ? clientObject(part) : nullptr;
        if (!object)
            continue;
        RECT place{};
        if (const std::wstring at = placeOf(object, CHILDID_SELF, place); !IsRectEmpty(&place))
            print(L"status part " + nameOf(object, CHILDID_SELF) + L"|" + at);
        object->Release();
    }
    return 0;
}

int readDialog()
{
    HWND dialog = GetForegroundWindow();
    if (!dialog || dialog == board)
        return 1;
    wchar_t caption[256] = {};
    GetWindowTextW(dialog, caption, 256);
    print(std::wstring(L"dialog ") + caption);
    for (HWND control = GetWindow(dialog, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT))
        if (IAccessible *object = clientObject(control)) {
            print(describe(object, CHILDID_SELF));
            object->Release();
        }
    return 0;
}

// Reads each event as it comes, as a screen reader does. A read calls into the program and
// lets the next events in while it waits, so lines may print out of order.
void CALLBACK onEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD)
{
    const bool live = event == EVENT_OBJECT_LIVEREGIONCHANGED;
    const wchar_t *word = event == EVENT_OBJECT_FOCUS             ? L"focus"
                          : event == EVENT_OBJECT_SELECTION       ? L"selection"
                          : event == EVENT_OBJECT_SELECTIONREMOVE ? L"selectionremove"
                          : event == EVENT_OBJECT_NAMECHANGE      ? L"namechange"
                                                                  : nullptr;
    // The board's cells and the spoken lines only: Wine reports its own windows as well.
    IAccessible *source = nullptr;
    VARIANT id;
    VariantInit(&id);
    if ((!live && (!word || window != board || child <= 0)) ||
        FAILED(AccessibleObjectFromEvent(window, static_cast<DWORD>(object), static_cast<DWORD>(child),
                                         &source, &id)))
        return;
    print(live ? L"live|" + nameOf(source, id.lVal)
               : std::wstring(word) + L"|" + std::to_wstring(child) + L"|" + describe(source, id.lVal));
    source->Release();
}

int listen()
{
    DWORD process = 0;
    GetWindowThreadProcessId(board, &process);
    HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_LIVEREGIONCHANGED, nullptr, onEvent,
                                         process, 0, WINEVENT_OUTOFCONTEXT);
    if (!hook)
        return 1;
    print(L"listening");
    SetTimer(nullptr, 0, 50, nullptr); // wakes the loop to notice that the program has closed
    MSG message;
    while (IsWindow(board) && GetMessageW(&message, nullptr, 0, 0) > 0)
        DispatchMessageW(&message);
    UnhookWinEvent(hook);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    const std::string mode = argc == 2 ? argv[1] : "";
    // A client must be in COM to be handed the program's objects.
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    board = FindWindowW(L"Marvotek", L"Chess");
    if (!board || (mode != "board" && mode != "dialog" && mode != "listen")) {
        std::fputs("usage: screen_reader_client board|dialog|listen, with the program running\n", stderr);
        return 2;
    }
    return mode == "board" ? readBoard() : mode == "dialog" ? readDialog() : listen();
}
