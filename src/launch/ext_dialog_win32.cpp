#include "launch/ext_dialog_win32.h"

#include <string>
#include <vector>

#include "base/choosers_win32.h"
#include "base/dialog_win32.h"
#include "base/settings.h"
#include "base/sjis.h"
#include "launch/launch_texts.h"

namespace qrn {

namespace {

constexpr const char* kEndMark = "<EXP_END>";

// The dialog's state while it is open. What 変更 remembers between its two
// steps: a line is put back only where one was taken in this run.
struct ExtDialog {
    Profile& ini;
    bool editing = false;
    int position = -1;  // the line taken by 変更, or the one 削除 removed last
};

HWND Item(HWND dialog, int id) { return GetDlgItem(dialog, id); }

void Enable(HWND dialog, int id, bool on) { EnableWindow(Item(dialog, id), on ? TRUE : FALSE); }

void SetDefaultButton(HWND dialog, int newId, int oldId) {
    SendMessageA(dialog, DM_SETDEFID, static_cast<WPARAM>(newId), 0);
    SendDlgItemMessageA(dialog, oldId, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    SendDlgItemMessageA(dialog, newId, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
}

void ClearFields(HWND dialog) {
    SetDlgItemTextA(dialog, kExtName, "");
    SetDlgItemTextA(dialog, kExtCommand, "");
}

// Every key of the section is listed: 更新 rewrites the whole section from
// the list, so a key left out here would be lost.
void LoadLines(HWND dialog, ExtDialog& d) {
    HWND list = Item(dialog, kExtList);
    for (const std::string& key : d.ini.SectionKeys(kSectionExpExec)) {
        char value[kExtLineSize];
        d.ini.GetString(kSectionExpExec, key.c_str(), kEndMark, value, sizeof value);
        if (lstrcmpA(value, kEndMark) == 0) break;
        const std::string line = key + "=" + value;
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    }
}

void OnAdd(HWND dialog) {
    const std::string ext = DialogText(dialog, kExtName);
    if (ext.empty()) return;
    const std::string line = ext + "=" + DialogText(dialog, kExtCommand);
    SendDlgItemMessageA(dialog, kExtList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    ClearFields(dialog);
    Enable(dialog, kExtWrite, true);
}

// First step: the selected line goes into the fields for editing.
void TakeLine(HWND dialog, ExtDialog& d) {
    HWND list = Item(dialog, kExtList);
    const LRESULT selected = SendMessageA(list, LB_GETCURSEL, 0, 0);
    if (selected == LB_ERR || selected < 0) return;
    const std::string line = ListBoxLine(list, static_cast<int>(selected));
    char key[kExtLineSize], value[kExtLineSize];
    SplitExtLine(line.c_str(), key, sizeof key, value, sizeof value);
    d.editing = true;
    d.position = static_cast<int>(selected);
    SetDlgItemTextA(dialog, kExtName, key);
    SetDlgItemTextA(dialog, kExtCommand, value);
    SetFocus(Item(dialog, kExtName));
    SetDefaultButton(dialog, kExtChange, kExtWrite);
    Enable(dialog, kExtAdd, false);
    Enable(dialog, kExtDelete, false);
    Enable(dialog, kExtWrite, false);
}

// Second step: the edited line replaces the one taken.
void PutLineBack(HWND dialog, ExtDialog& d) {
    if (!d.editing) return;
    char ext[kExtLineSize];
    ext[0] = '\0';
    GetDlgItemTextA(dialog, kExtName, ext, sizeof ext);
    CharUpperA(ext);
    const std::string line = std::string(ext) + "=" + DialogText(dialog, kExtCommand);
    HWND list = Item(dialog, kExtList);
    const LRESULT at = SendMessageA(list, LB_INSERTSTRING, static_cast<WPARAM>(d.position),
                                    reinterpret_cast<LPARAM>(line.c_str()));
    if (at != LB_ERR && at != LB_ERRSPACE)
        SendMessageA(list, LB_DELETESTRING, static_cast<WPARAM>(at + 1), 0);
    d.editing = false;
    ClearFields(dialog);
    Enable(dialog, kExtAdd, true);
    Enable(dialog, kExtDelete, true);
    Enable(dialog, kExtWrite, true);
    SetDefaultButton(dialog, kExtWrite, kExtChange);
}

void OnChange(HWND dialog, ExtDialog& d) {
    if (DialogText(dialog, kExtName).empty())
        TakeLine(dialog, d);
    else
        PutLineBack(dialog, d);
}

void OnDelete(HWND dialog, ExtDialog& d) {
    HWND list = Item(dialog, kExtList);
    const LRESULT selected = SendMessageA(list, LB_GETCURSEL, 0, 0);
    if (selected == LB_ERR || selected < 0) return;
    SendMessageA(list, LB_DELETESTRING, static_cast<WPARAM>(selected), 0);
    d.position = static_cast<int>(selected);
    Enable(dialog, kExtWrite, true);
}

void OnBrowse(HWND dialog) {
    char path[kPathSize];
    if (FileSelect(dialog, path, sizeof path) != 1) return;
    const std::string command = std::string(path) + " \"%F\"";
    SetDlgItemTextA(dialog, kExtCommand, command.c_str());
}

void OnWrite(HWND dialog, Profile& ini) {
    ini.WriteString(kSectionExpExec, nullptr, nullptr);
    HWND list = Item(dialog, kExtList);
    const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    for (int i = 0; i < count; ++i) {
        const std::string line = ListBoxLine(list, i);
        char key[kExtLineSize], value[kExtLineSize];
        SplitExtLine(line.c_str(), key, sizeof key, value, sizeof value);
        if (key[0] == '\0') continue;
        ini.WriteString(kSectionExpExec, key, value);
    }
    Enable(dialog, kExtWrite, false);
}

}  // namespace

void SplitExtLine(const char* line, char* key, std::size_t keySize, char* value,
                  std::size_t valueSize) {
    std::size_t i = 0;
    // A trail byte is never "=": after a stray lead byte the "=" still splits.
    while (line[i] != '\0' && line[i] != '=') {
        if (IsLeadByte(line[i]) && line[i + 1] != '\0' && line[i + 1] != '=')
            i += 2;
        else
            ++i;
    }
    const std::string head(line, i);
    CopyCut(key, keySize, head.c_str());
    CopyCut(value, valueSize, line[i] == '=' ? line + i + 1 : "");
}

void RunExtDialog(HINSTANCE instance, HWND owner, Profile& ini, const char* helpPath) {
    ExtDialog d{ini};
    DialogRun run;
    run.init = [&](HWND dialog) {
        LoadLines(dialog, d);
        Enable(dialog, kExtWrite, false);
        return TRUE;
    };
    run.accept = [](HWND) { return false; };  // only 更新 writes and closes
    run.command = [&](HWND dialog, WPARAM wParam) {
        switch (LOWORD(wParam)) {
        case kExtAdd: OnAdd(dialog); break;
        case kExtChange: OnChange(dialog, d); break;
        case kExtDelete: OnDelete(dialog, d); break;
        case kExtWrite:
            OnWrite(dialog, ini);
            run.End(dialog, true);
            break;
        case kExtBrowse: OnBrowse(dialog); break;
        case kExtHelp: WinHelpA(dialog, helpPath, HELP_KEY, reinterpret_cast<ULONG_PTR>(kExtHelpKeyword)); break;
        default: return false;
        }
        return true;
    };
    run.Run(instance, kExtDialog, owner);
}

}  // namespace qrn
