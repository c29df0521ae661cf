#include "launch/input_dialog_win32.h"

#include <imm.h>

#include <cstring>
#include <string>
#include <vector>

#include "base/dialog_win32.h"
#include "launch/input_history.h"
#include "launch/launch_texts.h"

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

void Open(HWND dialog, InputRequest& r) {
    if (r.title[0]) SetWindowTextA(dialog, r.title);
    if (std::strcmp(r.title, kRenameTitle) == 0) ShowWindow(GetDlgItem(dialog, kIdInputLower), SW_SHOW);
    HWND combo = LineBox(dialog);
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    for (const std::string& line : ReadHistory(r.history, r.title))
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    SetWindowTextA(combo, r.text);
    SendMessageA(combo, CB_LIMITTEXT, kInputLineMax, 0);
}

// OK and Enter: takes the line, or keeps the dialog open when it is empty.
bool Accept(HWND dialog, InputRequest& r) {
    HWND combo = LineBox(dialog);
    GetWindowTextA(combo, r.text, static_cast<int>(kInputLineMax + 1));
    std::vector<std::string> listed = ListedLines(combo);
    const InputDecision d = AcceptInput(r.history, r.title, r.text, sizeof r.text, r.shellPath, listed);
    if (d == InputDecision::Rejected) return false;
    if (d == InputDecision::ToHistory) SendMessageA(combo, CB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(r.text));
    CloseInputMethod(combo);
    return true;
}

// The line lower-cased, then taken as OK takes it.
void LowerAndAccept(HWND dialog, DialogRun& run) {
    HWND combo = LineBox(dialog);
    char line[kInputLineMax + 1];
    GetWindowTextA(combo, line, sizeof line);
    if (!line[0]) return;
    CharLowerA(line);
    SetWindowTextA(combo, line);
    run.Confirm(dialog);
}

}  // namespace

int RunInputDialog(HINSTANCE instance, HWND owner, InputRequest& request) {
    DialogRun run;
    run.init = [&](HWND dialog) {
        Open(dialog, request);
        return TRUE;
    };
    run.accept = [&](HWND dialog) { return Accept(dialog, request); };
    run.command = [&](HWND dialog, WPARAM wParam) {
        if (LOWORD(wParam) != kIdInputLower) return false;
        if (HIWORD(wParam) == BN_CLICKED) LowerAndAccept(dialog, run);
        return true;
    };
    return run.Run(instance, kInputDialog, owner) ? 1 : 0;
}

}  // namespace qrn
