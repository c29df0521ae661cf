#include "setup/setup_dialogs_win32.h"

#include <cstring>
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

bool BinColorCommand(HWND dialog, WPARAM wParam) {
    const int id = LOWORD(wParam);
    HWND list = GetDlgItem(dialog, kBinColorList);
    const LRESULT selected = SendMessageA(list, LB_GETCURSEL, 0, 0);
    if (id == kBinColorList && HIWORD(wParam) == LBN_SELCHANGE) {
        const std::string line = ListBoxLine(list, static_cast<int>(selected));
        SetDlgItemTextA(dialog, kBinColorExtension, line.substr(0, line.find('=')).c_str());
        SetFocus(GetDlgItem(dialog, kBinColorExtension));
        return true;
    }
    if (id == kBinColorDelete) {
        if (selected != LB_ERR) SendMessageA(list, LB_DELETESTRING, static_cast<WPARAM>(selected), 0);
        return true;
    }
    if (id < kBinColorFirstButton || id >= kBinColorFirstButton + 8) return false;
    const std::string extension = DialogText(dialog, kBinColorExtension);
    if (extension.empty()) return true;
    const std::string line = extension + "=" + kBinColorValues[id - kBinColorFirstButton];
    if (selected != LB_ERR) SendMessageA(list, LB_DELETESTRING, static_cast<WPARAM>(selected), 0);
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    SetDlgItemTextA(dialog, kBinColorExtension, "");
    SetFocus(GetDlgItem(dialog, kBinColorExtension));
    return true;
}

int CALLBACK AddFixedFont(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM list) {
    // Each face once (the system names one for each character set), fixed
    // pitch only, no vertical "@" faces.
    HWND combo = reinterpret_cast<HWND>(list);
    if ((font->lfPitchAndFamily & 3) == FIXED_PITCH && font->lfFaceName[0] != '@' &&
        SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(font->lfFaceName)) == CB_ERR)
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(font->lfFaceName));
    return 1;
}

void FillFonts(HWND dialog, const char* current) {
    HWND combo = GetDlgItem(dialog, kSetupFont);
    HDC dc = GetDC(dialog);
    EnumFontsA(dc, nullptr, AddFixedFont, reinterpret_cast<LPARAM>(combo));
    ReleaseDC(dialog, dc);
    SetWindowTextA(combo, current);
}

// 選択: the colour of the checked radio button, in memory only.
bool ChooseColour(HWND dialog, Settings& live) {
    int item = 0;
    while (item < kColorCount - 1 && IsDlgButtonChecked(dialog, kSetupFirstColor + item) != BST_CHECKED) ++item;
    Rgb& c = live.Colors[kPageColors[item]];
    COLORREF greys[16];
    for (int i = 0; i < 16; ++i) greys[i] = RGB(16 * i, 16 * i, 16 * i);
    CHOOSECOLORA cc{};
    cc.lStructSize = sizeof cc;
    cc.hwndOwner = dialog;
    cc.rgbResult = RGB(c.r, c.g, c.b);
    cc.lpCustColors = greys;
    cc.Flags = CC_RGBINIT | CC_FULLOPEN;
    if (!ChooseColorA(&cc)) return false;
    c = Rgb{GetRValue(cc.rgbResult), GetGValue(cc.rgbResult), GetBValue(cc.rgbResult)};
    return true;
}

// The font typed or chosen, when there is one that fits; else told.
bool TakeFont(HWND dialog, Settings& edited) {
    const std::string font = DialogText(dialog, kSetupFont);
    const char* refused = font.empty() ? kNoFont : font.size() >= sizeof edited.Font ? kFontTooLong : nullptr;
    if (refused) return CurrentPrompts().Message(dialog, refused, kFontErrorTitle, kMbOk), false;
    std::strcpy(edited.Font, font.c_str());
    return true;
}

std::span<const PageRow> RowsOf(SetupPage page) {
    switch (page) {
    case SetupPage::Base: return kBasePage;
    case SetupPage::Directories: return kDirPage;
    case SetupPage::Display: return kDisplayPage;
    case SetupPage::Colors: break;
    }
    return kColorPage;
}

const char* TemplateOf(SetupPage page) {
    const char* const names[] = {kBaseSetupDialog, kDirSetupDialog, kDisplaySetupDialog, kColorSetupDialog};
    return names[static_cast<int>(page) - 1];
}

}  // namespace

SetupEnd RunSetupPage(HINSTANCE instance, HWND owner, SetupPage page, Profile& ini, Settings& live,
                      const std::function<void()>& repaint) {
    const std::span<const PageRow> rows = RowsOf(page);
    Settings edited = OpenPage(rows, ini, live);
    std::vector<SetupRow> binders;
    for (const PageRow& r : rows) binders.push_back(r.row);
    DialogRun run;
    run.Bind(edited, binders);
    SetupEnd end = SetupEnd::Closed;
    run.init = [&](HWND dialog) {
        if (page == SetupPage::Display) {
            CheckDlgButton(dialog, kNameWidthCheck, edited.FileDispSize ? BST_CHECKED : BST_UNCHECKED);
            EnableWindow(GetDlgItem(dialog, kNameWidthField), edited.FileDispSize != 0);
        }
        if (page == SetupPage::Colors) {
            FillFonts(dialog, edited.Font);
            CheckDlgButton(dialog, kSetupFirstColor, BST_CHECKED);
        }
        return TRUE;
    };
    auto save = [&](HWND dialog) {
        if (page == SetupPage::Display && IsDlgButtonChecked(dialog, kNameWidthCheck) != BST_CHECKED) edited.FileDispSize = 0;
        if (page == SetupPage::Colors) {
            if (!TakeFont(dialog, edited)) return false;
            std::strcpy(live.Font, edited.Font);
            StoreSetting(ini, live, IniKey::Font);
        }
        SavePage(rows, ini, edited, live);
        if (page == SetupPage::Colors) StoreColors(ini, live);
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
        if (page == SetupPage::Display && id == kNameWidthCheck) {
            EnableWindow(GetDlgItem(dialog, kNameWidthField), IsDlgButtonChecked(dialog, kNameWidthCheck) == BST_CHECKED);
            return true;
        }
        if (page == SetupPage::Colors && id == kSetupChooseColor) {
            ChooseColour(dialog, live);
            if (repaint) repaint();  // in every case, so that it can be judged at once
            return true;
        }
        return false;
    };
    run.accept = save;
    const bool ok = run.Run(instance, TemplateOf(page), owner);
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
        for (LRESULT i = 0, n = SendMessageA(list, LB_GETCOUNT, 0, 0); i < n; ++i) lines.push_back(ListBoxLine(list, static_cast<int>(i)));
        WriteBinColors(ini, lines);
        return Written(dialog, ini);
    };
    return run.Run(instance, kBinColorDialog, owner);
}

}  // namespace qrn
