#include "win32/clock_dialog.h"

#include "app/texts.h"
#include "win32/resource.h"
#include "win32/wide_text.h"

#include <algorithm>
#include <iterator>
#include <string>

namespace chess::win32 {
namespace {

static_assert(IDC_CLOCK_CHOICE + timeControlChoices.size() == IDC_OWN_CHOICE,
              "a radio button for each of the core's choices, then the players' own");

void checkChoice(HWND dialog, int id) { CheckRadioButton(dialog, IDC_CLOCK_CHOICE, IDC_OWN_CHOICE, id); }

std::string fieldText(HWND dialog, int id)
{
    wchar_t text[16] = {};
    GetDlgItemTextW(dialog, id, text, static_cast<int>(std::size(text)));
    return narrow(text);
}

void start(HWND dialog, TimeControl current)
{
    // The fields start from the control in use, or from the first one offered.
    const TimeControl fields = current.isOn() ? current : timeControlChoices[1];
    for (const auto &[id, value] :
         {std::pair{IDC_MINUTES, fields.minutes}, {IDC_SECONDS, fields.incrementSeconds}}) {
        SendDlgItemMessageW(dialog, id, EM_LIMITTEXT, 3, 0);
        SetDlgItemInt(dialog, id, static_cast<UINT>(value), FALSE);
    }
    // A control that is none of the choices is the players' own.
    const auto preset = std::find(timeControlChoices.begin(), timeControlChoices.end(), current);
    const int checked = IDC_CLOCK_CHOICE + static_cast<int>(preset - timeControlChoices.begin());
    checkChoice(dialog, checked);
    SetFocus(GetDlgItem(dialog, checked));
}

// The checked control into `chosen`; false, with the reason shown and the minutes field
// selected for a new entry, when the players' own is not a valid one.
bool accept(HWND dialog, TimeControl &chosen)
{
    for (std::size_t i = 0; i < timeControlChoices.size(); ++i)
        if (IsDlgButtonChecked(dialog, IDC_CLOCK_CHOICE + static_cast<int>(i)) == BST_CHECKED) {
            chosen = timeControlChoices[i];
            return true;
        }
    if (const std::optional<TimeControl> own =
            customTimeControl(fieldText(dialog, IDC_MINUTES), fieldText(dialog, IDC_SECONDS))) {
        chosen = *own;
        return true;
    }
    MessageBoxW(dialog, widen(texts::badTimeControl).c_str(), widen(texts::clockCaption).c_str(), MB_OK);
    // The dialog's own way of moving the focus selects the field's text.
    SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, IDC_MINUTES)), TRUE);
    return false;
}

INT_PTR CALLBACK clockDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        start(dialog, *reinterpret_cast<const TimeControl *>(lParam));
        return FALSE; // the focus is set
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_MINUTES:
        case IDC_SECONDS:
            // What the player types, not what the dialog filled in, makes it their own.
            if (HIWORD(wParam) == EN_CHANGE && GetFocus() == reinterpret_cast<HWND>(lParam))
                checkChoice(dialog, IDC_OWN_CHOICE);
            return TRUE;
        case IDOK:
            if (accept(dialog, *reinterpret_cast<TimeControl *>(GetWindowLongPtrW(dialog, DWLP_USER))))
                EndDialog(dialog, IDOK);
            return TRUE;
        case IDCANCEL: EndDialog(dialog, IDCANCEL); return TRUE;
        default: return FALSE;
        }
    default: return FALSE;
    }
}

} // namespace

std::optional<TimeControl> chooseTimeControlIn(HWND owner, TimeControl current)
{
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(owner, GWLP_HINSTANCE));
    TimeControl control = current;
    if (DialogBoxParamW(instance, L"CLOCKDLG", owner, clockDialogProc, reinterpret_cast<LPARAM>(&control)) !=
        IDOK)
        return std::nullopt;
    return control;
}

} // namespace chess::win32
