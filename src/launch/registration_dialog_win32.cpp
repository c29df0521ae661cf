#include "launch/registration_dialog_win32.h"

#include <commctrl.h>

#include <memory>
#include <string>

#include "base/base_texts.h"
#include "base/choosers_win32.h"
#include "base/dialog_win32.h"
#include "base/sjis.h"
#include "launch/launch_texts.h"

namespace qrn {

namespace {

void Status(HWND dialog, const char* text) { SetDlgItemTextA(dialog, kRegStatus, text); }

// The current page: its number, its title and its twenty slots.
void ShowPage(HWND dialog, const RegisteredPages& p) {
    SetDlgItemInt(dialog, kRegPageNumber, static_cast<UINT>(p.current), FALSE);
    SendDlgItemMessageA(dialog, kRegPageSpin, UDM_SETPOS32, 0, p.current);
    SetDlgItemTextA(dialog, kRegPageTitle, p.titles[p.current - 1]);
    for (int slot = 0; slot < kSlots; ++slot)
        SetDlgItemTextA(dialog, kRegFirstSlotField + slot, p.entries[p.current - 1][slot]);
}

void PutFields(HWND dialog, const std::string& path, const std::string& comment) {
    SetDlgItemTextA(dialog, kRegPath, path.c_str());
    SetDlgItemTextA(dialog, kRegComment, comment.c_str());
}

bool Command(HWND dialog, WPARAM wParam, RegisteredPages& p) {
    const int id = LOWORD(wParam), code = HIWORD(wParam);
    if (id == kRegPageTitle && code == EN_CHANGE) {
        CopyCut(p.titles[p.current - 1], kTitleSize, DialogText(dialog, kRegPageTitle).c_str());
        return true;
    }
    if (id == kRegPageNumber && code == EN_CHANGE) {
        BOOL ok = FALSE;
        const int n = static_cast<int>(GetDlgItemInt(dialog, kRegPageNumber, &ok, FALSE));
        if (ok && n == p.current) return true;
        Status(dialog, "");
        if (ok && TurnToPage(p, n)) {
            ShowPage(dialog, p);
        } else if (!DialogText(dialog, kRegPageNumber).empty()) {  // a number being typed anew is let be
            SetDlgItemInt(dialog, kRegPageNumber, static_cast<UINT>(p.current), FALSE);
            Status(dialog, kPageNotChanged);
        }
        return true;
    }
    if (code != BN_CLICKED) return false;
    std::string path = DialogText(dialog, kRegPath), comment = DialogText(dialog, kRegComment);
    if (id >= kRegFirstSlot && id < kRegFirstSlot + kSlots) {
        Status(dialog, "");
        const int slot = id - kRegFirstSlot;
        const SlotAnswer a = PressSlot(p, slot, path, comment);
        if (a == SlotAnswer::TooLong) return Status(dialog, kEntryTooLong), true;
        SetDlgItemTextA(dialog, kRegFirstSlotField + slot, p.entries[p.current - 1][slot]);
        if (a == SlotAnswer::Stored || a == SlotAnswer::Taken) PutFields(dialog, path, comment);
        SetFocus(GetDlgItem(dialog, kRegPath));
        return true;
    }
    if (id == kRegClear) {
        Status(dialog, "");
        const int slot = p.lastSlot;
        if (!ClearLastSlot(p, path, comment)) return true;
        SetDlgItemTextA(dialog, kRegFirstSlotField + slot, "");
        PutFields(dialog, path, comment);
        SetFocus(GetDlgItem(dialog, kRegPath));
        return true;
    }
    if (id == kRegBrowse) {
        Status(dialog, "");
        char chosen[kPathSize];
        const bool got = p.collection == Collection::Commands ? FileSelect(dialog, chosen, sizeof chosen) == 1
                                                              : DirSelect(dialog, kDirSelectTitle, chosen, sizeof chosen) == 1;
        if (got) SetDlgItemTextA(dialog, kRegPath, chosen);
        return true;
    }
    return false;
}

}  // namespace

bool RunRegistrationDialog(HINSTANCE instance, HWND owner, Profile& ini, Collection c, const char* title,
                           const char* path) {
    auto pages = std::make_unique<RegisteredPages>();  // 15 pages of 26 entries: not for the stack
    RegisteredPages& p = *pages;
    LoadRegisteredPages(ini, c, p);
    DialogRun run;
    run.init = [&](HWND dialog) {
        if (title && title[0]) SetWindowTextA(dialog, title);
        SendDlgItemMessageA(dialog, kRegPath, EM_LIMITTEXT, kEntrySize - 1, 0);
        SendDlgItemMessageA(dialog, kRegComment, EM_LIMITTEXT, kCommentSize - 1, 0);
        SendDlgItemMessageA(dialog, kRegPageTitle, EM_LIMITTEXT, kTitleSize - 1, 0);
        SendDlgItemMessageA(dialog, kRegPageSpin, UDM_SETRANGE32, 1, p.count);
        ShowPage(dialog, p);
        const bool given = path && path[0];
        if (given) SetDlgItemTextA(dialog, kRegPath, path);
        SetFocus(GetDlgItem(dialog, given ? kRegComment : kRegPath));
        return FALSE;
    };
    run.command = [&](HWND dialog, WPARAM wParam) { return Command(dialog, wParam, p); };
    run.accept = [&](HWND) {
        StoreRegisteredPages(ini, p);
        return true;
    };
    return run.Run(instance, kRegisterDialog, owner);
}

}  // namespace qrn
