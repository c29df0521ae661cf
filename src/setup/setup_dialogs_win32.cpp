#include "setup/setup_dialogs_win32.h"

#include <string>
#include <vector>

#include "base/base_texts.h"
#include "base/choosers_win32.h"
#include "base/dialog_win32.h"
#include "base/prompts.h"
#include "setup/setup_pages.h"
#include "setup/setup_texts.h"

namespace qrn {

namespace {

// True when every write since the last question went in; else told.
bool Written(HWND dialog, Profile& ini) {
    if (!ini.TakeWriteFailure()) return true;
    CurrentPrompts().Message(dialog, kNotWritten, kNotWrittenTitle, kMbOk | kMbIconExclamation);
    return false;
}

std::string ListLine(HWND list, int index) {
    const LRESULT length = SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR || length < 0) return {};
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const LRESULT got = SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(got == LB_ERR || got < 0 ? 0 : static_cast<std::size_t>(got));
    return text;
}

bool BinColorCommand(HWND dialog, WPARAM wParam) {
    const int id = LOWORD(wParam);
    HWND list = GetDlgItem(dialog, kBinColorList);
    const LRESULT selected = SendMessageA(list, LB_GETCURSEL, 0, 0);
    if (id == kBinColorList && HIWORD(wParam) == LBN_SELCHANGE) {
        const std::string line = ListLine(list, static_cast<int>(selected));
        SetDlgItemTextA(dialog, kBinColorExtension, line.substr(0, line.find('=')).c_str());
        SetFocus(GetDlgItem(dialog, kBinColorExtension));
        return true;
    }
    if (id == kBinColorDelete) {
        if (selected != LB_ERR) SendMessageA(list, LB_DELETESTRING, static_cast<WPARAM>(selected), 0);
        return true;
    }
    if (id < kBinColorFirstButton || id >= kBinColorFirstButton + 8) return false;
    char extension[kPathSize] = "";
    GetDlgItemTextA(dialog, kBinColorExtension, extension, sizeof extension);
    if (!extension[0]) return true;
    const std::string line = std::string(extension) + "=" + kBinColorValues[id - kBinColorFirstButton];
    if (selected != LB_ERR) SendMessageA(list, LB_DELETESTRING, static_cast<WPARAM>(selected), 0);
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    SetDlgItemTextA(dialog, kBinColorExtension, "");
    SetFocus(GetDlgItem(dialog, kBinColorExtension));
    return true;
}

}  // namespace

SetupEnd RunSetupPage(HINSTANCE instance, HWND owner, SetupPage page, Profile& ini, Settings& live) {
    const std::span<const PageRow> rows = page == SetupPage::Base ? std::span<const PageRow>(kBasePage)
                                                                  : std::span<const PageRow>(kDirPage);
    Settings edited = OpenPage(rows, ini, live);
    std::vector<SetupRow> binders;
    for (const PageRow& r : rows) binders.push_back(r.row);
    DialogRun run;
    run.Bind(edited, binders);
    SetupEnd end = SetupEnd::Closed;
    auto save = [&](HWND dialog) {
        SavePage(rows, ini, edited, live);
        return Written(dialog, ini);
    };
    run.command = [&](HWND dialog, WPARAM wParam) {
        const int id = LOWORD(wParam);
        char chosen[kPathSize];
        if (id == kSetupUpdate) {
            run.ReadBack(dialog);
            save(dialog);
            if (page == SetupPage::Directories)  // as stored, with their backslashes
                for (int i = 0; i < 3; ++i) SetDlgItemTextA(dialog, kSetupFirstDirectory + i, edited.SetDir[i]);
            return true;
        }
        if (id == IDCANCEL && HIWORD(wParam) == BN_CLICKED) end = SetupEnd::Reload;
        if (page == SetupPage::Base && (id == kSetupBrowseEditor || id == kSetupBrowsePager)) {
            if (FileSelect(dialog, chosen, sizeof chosen) == 1)
                SetDlgItemTextA(dialog, id == kSetupBrowseEditor ? 1035 : 1036, chosen);
            return true;
        }
        if (page == SetupPage::Directories && id >= kSetupFirstDirButton && id < kSetupFirstDirButton + 3) {
            if (DirSelect(dialog, kDirSelectTitle, chosen, sizeof chosen) == 1)
                SetDlgItemTextA(dialog, kSetupFirstDirectory + (id - kSetupFirstDirButton), chosen);
            return true;
        }
        return false;
    };
    run.accept = save;
    const bool ok = run.Run(instance, page == SetupPage::Base ? kBaseSetupDialog : kDirSetupDialog, owner);
    return ok ? SetupEnd::Saved : end;
}

bool RunArchiverSetup(HINSTANCE instance, HWND owner, Profile& ini, Settings& live) {
    Settings edited = live;
    LoadArchiverPage(ini, edited);
    DialogRun run;
    run.Bind(edited, kArchiverPage);
    auto save = [&](HWND dialog) {
        SaveArchiverPage(ini, edited, live);
        return Written(dialog, ini);
    };
    run.command = [&](HWND dialog, WPARAM wParam) {
        if (LOWORD(wParam) != kSetupUpdate) return false;
        run.ReadBack(dialog);
        save(dialog);
        return true;
    };
    run.accept = save;
    return run.Run(instance, kArchiverSetupDialog, owner);
}

void RunAboutDialog(HINSTANCE instance, HWND owner) {
    DialogRun run;
    run.init = [](HWND dialog) {
        SetDlgItemTextA(dialog, kAboutVersionText, (std::string(kAboutVersion) + QRN_VERSION).c_str());
        return TRUE;
    };
    run.Run(instance, kAboutDialog, owner);
}

bool RunBinColorDialog(HINSTANCE instance, HWND owner, Profile& ini) {
    DialogRun run;
    run.init = [&](HWND dialog) {
        for (const std::string& line : ReadBinColors(ini))
            SendDlgItemMessageA(dialog, kBinColorList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
        return TRUE;
    };
    run.command = BinColorCommand;
    run.accept = [&](HWND dialog) {
        HWND list = GetDlgItem(dialog, kBinColorList);
        std::vector<std::string> lines;
        for (LRESULT i = 0, n = SendMessageA(list, LB_GETCOUNT, 0, 0); i < n; ++i) lines.push_back(ListLine(list, static_cast<int>(i)));
        WriteBinColors(ini, lines);
        return Written(dialog, ini);
    };
    return run.Run(instance, kBinColorDialog, owner);
}

}  // namespace qrn
