#include "launch/input_dialog_win32.h"

#include <imm.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/main_window_win32.h"
#include "app/profile_win32.h"
#include "app/startup.h"
#include "launch/input_history.h"

namespace qrn {

namespace {

HWND LineBox(HWND dialog) { return GetDlgItem(dialog, kIdInputLine); }

// The lines in the drop-down list, top first.
std::vector<std::string> ListedLines(HWND combo) {
    std::vector<std::string> lines;
    const LRESULT count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const LRESULT len = SendMessageA(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
        if (len < 0) continue;
        std::vector<char> item(static_cast<std::size_t>(len) + 1, '\0');
        SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item.data()));
        lines.emplace_back(item.data());
    }
    return lines;
}

// Switches the input method off so that the list behind does not receive
// converted characters.
void CloseInputMethod(HWND combo) {
    HWND edit = FindWindowExA(combo, nullptr, "Edit", nullptr);
    HWND target = edit ? edit : combo;
    HIMC context = ImmGetContext(target);
    if (context) {
        ImmSetOpenStatus(context, FALSE);
        ImmReleaseContext(target, context);
    }
}

void Open(HWND dialog) {
    g_window.DialogConfirmed = 0;
    if (g_input.InputTitle[0]) SetWindowTextA(dialog, g_input.InputTitle);
    if (std::strcmp(g_input.InputTitle, kRenameTitle) == 0) ShowWindow(GetDlgItem(dialog, kIdInputLower), SW_SHOW);
    HWND combo = LineBox(dialog);
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    IniFileProfile ini(g_startup.IniPath);
    for (const std::string& line : ReadHistory(ini, g_input.InputTitle))
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    SetWindowTextA(combo, g_input.InputText);
    SendMessageA(combo, CB_LIMITTEXT, kInputLineMax, 0);
}

// OK and Enter: takes the line, or keeps the dialog open when it is empty.
void Accept(HWND dialog) {
    HWND combo = LineBox(dialog);
    GetWindowTextA(combo, g_input.InputText, static_cast<int>(kInputLineMax + 1));
    std::vector<std::string> listed = ListedLines(combo);
    IniFileProfile ini(g_startup.IniPath);
    const InputDecision d = AcceptInput(ini, g_input.InputTitle, g_input.InputText, sizeof g_input.InputText,
                                        g_startup.ShellPath, listed);
    if (d == InputDecision::Rejected) return;
    if (d == InputDecision::ToHistory)
        SendMessageA(combo, CB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(g_input.InputText));
    g_window.DialogConfirmed = 1;
    CloseInputMethod(combo);
    EndDialog(dialog, IDOK);
}

void LowerAndAccept(HWND dialog) {
    HWND combo = LineBox(dialog);
    char line[kInputLineMax + 1];
    GetWindowTextA(combo, line, sizeof line);
    if (!line[0]) return;
    CharLowerA(line);
    SetWindowTextA(combo, line);
    Accept(dialog);
}

}  // namespace

INT_PTR CALLBACK InputDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM) {
    switch (msg) {
    case WM_INITDIALOG:
        Open(dialog);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            Accept(dialog);
            return TRUE;
        case kIdInputLower:
            if (HIWORD(wParam) == BN_CLICKED) LowerAndAccept(dialog);
            return TRUE;
        case IDCANCEL:
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        default:
            break;
        }
        break;
    case WM_CLOSE:
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    default:
        break;
    }
    return FALSE;
}

int RunInputDialog(HINSTANCE instance, HWND owner) {
    g_window.DialogConfirmed = 0;
    DialogBoxParamA(instance, "FILE_NAME", owner, InputDialogProc, 0);
    return g_window.DialogConfirmed;
}

}  // namespace qrn
