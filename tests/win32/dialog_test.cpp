// The program's dialogs run for real from the test program, each over a qrn.ini
// of its own: the input line, the extension-linked commands, the sort dialog, the binders of any dialog.
#include <gtest/gtest.h>

#include <set>

#include "app/main_window_win32.h"
#include "app/prompts_win32.h"
#include "base/dialog_win32.h"
#include "base/profile_win32.h"
#include "launch/ext_dialog_win32.h"
#include "launch/input_dialog_win32.h"
#include "launch/input_history.h"
#include "launch/launch_texts.h"
#include "launch/registration_dialog_win32.h"
#include "listing/sort_dialog_win32.h"
#include "resources/resource_ids.h"
#include "setup/setup_dialogs_win32.h"
#include "setup/setup_pages.h"
#include "support.h"
#include "../core/core_test.h"

using namespace qrn;
using namespace qrntest;
using Strings = std::vector<std::string>;

namespace {

struct Ini {
    explicit Ini(const std::string& content) { tree.File("qrn.ini", content); }
    std::string Value(const std::string& section, const char* key) {
        char v[kPathSize];
        GetPrivateProfileStringA(section.c_str(), key, "<none>", v, sizeof v, path.c_str());
        return v;
    }
    Strings Lines(const char* section) {  // "KEY=value", in file order
        Strings out;
        for (const std::string& k : profile.SectionKeys(section)) out.push_back(k + "=" + Value(section, k.c_str()));
        return out;
    }
    TempTree tree;
    std::string path = tree / "qrn.ini";
    IniFileProfile profile{path.c_str()};
};

Strings Items(HWND control, UINT count, UINT text) {  // of a list box, or of a combo box's list
    Strings out;
    for (LRESULT i = 0, n = SendMessageA(control, count, 0, 0); i < n; ++i) {
        char item[kExtLineSize] = "";
        SendMessageA(control, text, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item));
        out.push_back(item);
    }
    return out;
}

HWND Combo(HWND d) { return GetDlgItem(d, kIdInputLine); }
HWND Edit(HWND d) { return FindWindowExA(Combo(d), nullptr, "Edit", nullptr); }
Step Enter(const char* line, int button) {  // types the line, then clicks the button or presses the key
    return [=](HWND d) {
        SetWindowTextA(Combo(d), line);
        if (button == VK_RETURN) PostMessageA(Edit(d), WM_KEYDOWN, button, 1);
        else if (button == SC_CLOSE) SendMessageA(d, WM_SYSCOMMAND, SC_CLOSE, 0);
        else Click(d, button);
    };
}

Strings Lines(HWND d) { return Items(GetDlgItem(d, kExtList), LB_GETCOUNT, LB_GETTEXT); }
void Select(HWND d, int index) { SendDlgItemMessageA(d, kExtList, LB_SETCURSEL, static_cast<WPARAM>(index), 0); }
void Set(HWND d, const char* ext, const char* command) {
    SetDlgItemTextA(d, kExtName, ext); SetDlgItemTextA(d, kExtCommand, command);
}
// Add, Delete, Write enabled (+) or not; Change, Write drawn as default (D) or not; the default id.
std::string Buttons(HWND d) {
    std::string state;
    for (int id : {kExtAdd, kExtDelete, kExtWrite}) state += Enabled(d, id) ? "+" : "-";
    for (int id : {kExtChange, kExtWrite})
        state += (GetWindowLongA(GetDlgItem(d, id), GWL_STYLE) & 0x0F) == BS_DEFPUSHBUTTON ? "D" : "_";
    return state + std::to_string(LOWORD(SendMessageA(d, DM_GETDEFID, 0, 0)));
}

// The file chooser's answer: the name typed and OK, or Cancel for "".
Step Choose(const std::string& name, std::string* seen = nullptr) {
    return [name, seen](HWND c) {
        HWND field = GetDlgItem(c, cmb13) ? GetDlgItem(c, cmb13) : GetDlgItem(c, edt1);
        if (seen) *seen = Text(c) + "|" + Text(c, cmb1) + "|" + Text(field);
        if (name.empty()) return Click(c, IDCANCEL);
        SetWindowTextA(field, name.c_str());
        Click(c, IDOK);
    };
}

}  // namespace

// Each case opens on its title with "start" and the history of that title, then ends as its steps say.
// The program's prompt gives back only a line accepted; the history is the program's qrn.ini.
TEST(InputDialog, OpensOnItsTitleAndHowItEndsDecidesTheAnswerTheLineAndTheHistory) {
    const char* const mkdir = "ディレクトリの作成";
    const char* const shell = "C:\\windows\\system32\\cmd.exe";
    const std::string work = "[QRNHISTディレクトリの作成]\r\n000=work\r\n001=ソフト\\表示\r\n";
    const Step open = [](HWND) {};  // a step runs only while the dialog is open
    struct Case {
        const char* title; std::string ini; std::vector<Step> steps; bool accepted; const char* text;
        std::vector<std::pair<const char*, const char*>> stored;  // none: the file stays as it was
    };
    const Case cases[] = {
        {"", work, {Enter("typed", SC_CLOSE)}, false, "", {}},
        {mkdir, work, {Enter("", IDOK), Enter("", VK_RETURN), open, Enter("", IDCANCEL)}, false, "", {}},
        {kShellCommandTitle, "[QRNHISTShell Command]\r\n000=ver\r\n", {Enter("", IDOK)}, true, shell, {}},
        {kRenameTitle, "", {Enter("アイ.TXT", kIdInputLower)}, true, "アイ.txt", {{"000", "アイ.txt"}}},  // 83 41: a trail byte like 'A'
        {kRenameTitle, "", {Enter("", kIdInputLower), open, Enter("", IDCANCEL)}, false, "", {}},
    };
    g_window.Instance = GetModuleHandleA(nullptr);
    std::snprintf(g_startup.ShellPath, sizeof g_startup.ShellPath, "%s", shell);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.title) + " " + c.text + " " + std::to_string(c.steps.size()));
        Ini ini(c.ini);
        std::snprintf(g_startup.IniPath, sizeof g_startup.IniPath, "%s", ini.path.c_str());
        std::vector<Step> steps = {[&](HWND d) {
            EXPECT_EQ(c.title[0] ? c.title : "ファイル名の入力", Text(d));  // else the template's own caption
            EXPECT_EQ(ReadHistory(ini.profile, c.title), Items(Combo(d), CB_GETCOUNT, CB_GETLBTEXT));
            EXPECT_EQ(255, SendMessageA(Edit(d), EM_GETLIMITTEXT, 0, 0));
            const LONG lowerButton = GetWindowLongA(GetDlgItem(d, kIdInputLower), GWL_STYLE);
            EXPECT_EQ(c.title == std::string(kRenameTitle), (lowerButton & WS_VISIBLE) != 0);
        }};
        steps.insert(steps.end(), c.steps.begin(), c.steps.end());
        DialogScript script(steps);
        char line[kPathSize] = "start";
        EXPECT_EQ(c.accepted, DialogPrompts().InputLine(nullptr, c.title, line, sizeof line));
        EXPECT_TRUE(script.Done());
        EXPECT_STREQ(c.accepted ? c.text : "start", line);
        if (c.stored.empty()) EXPECT_EQ(c.ini, Slurp(ini.path));
        for (const auto& [key, value] : c.stored) EXPECT_EQ(value, ini.Value(std::string("QRNHIST") + c.title, key));
    }
    g_startup.IniPath[0] = g_startup.ShellPath[0] = '\0';
    g_window = MainWindowState{};
}

TEST(ExtDialog, EditsTheListAndOnlyWriteStoresItInListOrder) {
    TempTree files;
    files.File("viewer.exe", "MZ");
    const std::string viewer = files / "viewer.exe";
    const std::string bmp = "BMP=mspaint.exe \"%F\"", txt = "TXT=notepad.exe \"%F\"", zip = "ZIP=unzip.exe -d \"%F\"";
    const std::string three = txt + "\r\n" + bmp + "\r\n" + zip + "\r\n";
    // Far more keys than a 256-byte list of names holds: all are listed, up to the end mark, and kept.
    Strings many;
    std::string manyLines;
    for (int i = 100; i < 250; ++i) manyLines += many.emplace_back("E" + std::to_string(i) + "=view.exe %F") + "\r\n";
    const struct { const char* name; Step step; Strings stored; std::string section; } cases[] = {
        {"add and delete", [&](HWND d) {
             Set(d, "", "ignored.exe"); Click(d, kExtAdd); Click(d, kExtDelete);  // no extension, no selection: nothing
             EXPECT_EQ((Strings{bmp, txt, zip}), Lines(d));
             EXPECT_EQ("++-_D1004", Buttons(d));
             for (char c : std::string("doc")) SendDlgItemMessageA(d, kExtName, WM_CHAR, static_cast<WPARAM>(c), 1);
             SetDlgItemTextA(d, kExtCommand, "wordpad.exe \"%F\""); Click(d, kExtAdd);
             Select(d, 3); Click(d, kExtDelete); Click(d, kExtWrite);  // ZIP
         }, {bmp, "DOC=wordpad.exe \"%F\"", txt}, three},
        {"change", [&](HWND d) {
             Set(d, "CAB", ""); Click(d, kExtAdd);  // an edit: Write is enabled
             Click(d, kExtChange);                  // nothing selected: nothing taken
             Select(d, 2); Set(d, "NEW", "new.exe"); Click(d, kExtChange);  // a filled field but no line taken: refused
             EXPECT_EQ((Strings{bmp, "CAB=", txt, zip}), Lines(d));
             EXPECT_EQ("+++_D1004", Buttons(d));
             Set(d, "", ""); Click(d, kExtChange);  // takes TXT
             EXPECT_EQ(txt, Text(d, kExtName) + "=" + Text(d, kExtCommand));
             EXPECT_EQ(GetDlgItem(d, kExtName), GetFocus());
             EXPECT_EQ("---D_1002", Buttons(d));
             // Back where it was taken, whatever is selected now, and upper-cased by the program itself.
             HWND field = GetDlgItem(d, kExtName);
             SetWindowLongA(field, GWL_STYLE, GetWindowLongA(field, GWL_STYLE) & ~ES_UPPERCASE);
             Select(d, 3); Set(d, "jpeg", "C:\\ソフト\\表示.exe a=b"); Click(d, kExtChange);  // ソ, 表: 0x5C trail bytes
             EXPECT_EQ("+++_D1004", Buttons(d));
             Select(d, 0); Set(d, "XYZ", ""); Click(d, kExtChange);  // editing has ended: no other line is replaced
             Set(d, "", ""); Click(d, kExtWrite);
         }, {bmp, "CAB=", "JPEG=C:\\ソフト\\表示.exe a=b", zip}, three},
        {"cancel", [](HWND d) { Set(d, "DOC", ""); Click(d, kExtAdd); Click(d, IDCANCEL); }, {txt, bmp, zip}, three},
        {"browse", [&](HWND d) {
             Set(d, "EXE", "old.exe");
             std::string seen;
             DialogScript cancelled({Choose("")}), chosen({Choose(viewer, &seen)});
             Click(d, kExtBrowse);
             EXPECT_EQ("old.exe", Text(d, kExtCommand));
             Click(d, kExtBrowse);
             EXPECT_TRUE(cancelled.Done() && chosen.Done());
             EXPECT_EQ("FileSelect|実行ファイル(*.exe)|*.exe", seen);
             Click(d, kExtAdd); Click(d, kExtWrite);
         }, {bmp, "EXE=" + viewer + " \"%F\"", txt, zip}, three},
        {"a long section", [&](HWND d) { EXPECT_EQ(many, Lines(d)); Select(d, 0); Click(d, kExtDelete); Click(d, kExtWrite); },
         Strings(many.begin() + 1, many.end()), manyLines + "ZZZ=<EXP_END>\r\nAFTER=end.exe\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Ini ini("[QRNInit]\r\nFontSize=12\r\n[EXP_EXEC]\r\n" + c.section + "[Other]\r\nx=1\r\n");
        DialogScript script({c.step});
        RunExtDialog(GetModuleHandleA(nullptr), nullptr, ini.profile, "");
        EXPECT_TRUE(script.Done());
        EXPECT_EQ(c.stored, ini.Lines(kSectionExpExec));
        EXPECT_EQ("12|1", ini.Value("QRNInit", "FontSize") + "|" + ini.Value("Other", "x"));
    }
}

TEST(SortDialog, ShowsTheChoiceAndStoresItAsTheDefaultOnlyByItsButton) {
    const struct { std::vector<int> lastClicks; bool confirmed, stored; } cases[] = {
        {{IDOK}, true, false}, {{IDCANCEL}, false, false}, {{IDC_SORT_DEFAULT, IDC_SORT_NAME, IDCANCEL}, false, true}};
    for (const auto& c : cases) {
        Ini ini("[QRNInit]\r\nFontSize=12\r\n");
        Settings s;
        DefaultSettings(s);
        s.SortKey = kSortByExtension; s.SortOrder = kSortAscending; s.SortAuto = kSortAutoOn;
        DialogScript script({[&](HWND d) {
            for (int id : {IDC_SORT_EXT, IDC_SORT_ASCENDING, IDC_SORT_AUTO}) EXPECT_TRUE(IsDlgButtonChecked(d, id));
            for (int id : {IDC_SORT_SIZE, IDC_SORT_DESCENDING, IDC_SORT_AUTO}) Click(d, id);
            for (int id : c.lastClicks) Click(d, id);
        }});
        EXPECT_EQ(c.confirmed, RunSortDialog(GetModuleHandleA(nullptr), nullptr, s, ini.profile));
        EXPECT_TRUE(script.Done());
        std::string taken = std::to_string(s.SortKey) + std::to_string(s.SortOrder) + std::to_string(s.SortAuto), stored;
        EXPECT_EQ(c.confirmed || c.stored ? "421" : "212", taken);  // size, descending, off
        for (IniKey k : {IniKey::SortKey, IniKey::SortOrder, IniKey::SortAuto})
            stored += std::to_string(ini.profile.GetInt(KeyOf(k).section, KeyOf(k).name, -1)) + ";";
        EXPECT_EQ(c.stored ? "4;2;1;" : "-1;-1;-1;", stored) << c.lastClicks.size();
    }
}

// An edit keeps whole characters within its buffer, a spin's buddy its range.
TEST(DialogRun, EditsAndSpinsReadBackWithinTheirFields) {
    char text[6] = "old";  // "アイウ" would take 7 bytes
    int n = 5;
    DialogRun run;
    run.Edit(kExtCommand, text, sizeof text), run.Spin(0, kExtName, n, 1, 9);  // the buddy without its up-down control
    DialogScript script({[](HWND d) {
        EXPECT_EQ("old|5|5", Text(d, kExtCommand) + "|" + Text(d, kExtName) + "|" + std::to_string(SendDlgItemMessageA(d, kExtCommand, EM_GETLIMITTEXT, 0, 0)));
        SetDlgItemTextA(d, kExtCommand, "アイウ"), SetDlgItemTextA(d, kExtName, "12"), SendMessageA(d, WM_COMMAND, IDOK, 0);
    }});
    EXPECT_TRUE(run.Run(GetModuleHandleA(nullptr), kExtDialog, nullptr) && script.Done());
    EXPECT_EQ("アイ|9", text + ("|" + std::to_string(n)));
}

// Slots store and give back, the page field refuses a page out of range, and
// OK writes every page (keys U to Z as they were, an emptied slot's key
// gone); Cancel writes nothing.
TEST(RegistrationDialog, SlotsPagesAndWhatOkWrites) {
    const std::string before =
        "[EXEC]\r\nMaxPage=3\r\n[EXEC_02]\r\nA=old  ;o\r\nT=t\r\nU=kept\r\n[EXEC_15]\r\nPageTitle=last\r\nZ=zed\r\n";
    for (const bool ok : {true, false}) {
        Ini ini(before);
        DialogScript script({[&](HWND d) {
            EXPECT_EQ(kRegisterCommandsTitle, Text(d));
            EXPECT_EQ("C:\\TOOLS\\a.exe", Text(d, kRegPath));
            EXPECT_EQ(GetDlgItem(d, kRegComment), GetFocus());
            Click(d, kRegFirstSlot + 1);  // B
            EXPECT_EQ("C:\\TOOLS\\a.exe  ;", Text(d, kRegFirstSlotField + 1));
            SetDlgItemTextA(d, kRegPageNumber, "5");
            EXPECT_EQ("1|ﾍﾟｰｼﾞ変更はできません。", Text(d, kRegPageNumber) + "|" + Text(d, kRegStatus));
            SetDlgItemTextA(d, kRegPageNumber, "2");
            EXPECT_EQ("old  ;o", Text(d, kRegFirstSlotField));
            Click(d, kRegFirstSlot);  // A, with Path empty: back into the fields
            EXPECT_EQ("old|o", Text(d, kRegPath) + "|" + Text(d, kRegComment));
            Click(d, kRegClear);
            EXPECT_EQ("", Text(d, kRegFirstSlotField));
            SetDlgItemTextA(d, kRegPageTitle, "二頁");
            Click(d, ok ? IDOK : IDCANCEL);
        }});
        EXPECT_EQ(ok, RunRegistrationDialog(GetModuleHandleA(nullptr), nullptr, ini.profile, Collection::Commands,
                                            kRegisterCommandsTitle, "C:\\TOOLS\\a.exe"));
        EXPECT_TRUE(script.Done());
        if (!ok) {
            EXPECT_EQ(before, Slurp(ini.path));
            continue;
        }
        EXPECT_EQ((Strings{"B=C:\\TOOLS\\a.exe  ;"}), ini.Lines("EXEC_01"));
        EXPECT_EQ((Strings{"T=t", "U=kept", "PageTitle=二頁"}), ini.Lines("EXEC_02"));
        EXPECT_EQ((Strings{"PageTitle=last", "Z=zed"}), ini.Lines("EXEC_15"));  // a page the dialog did not show
    }
}

// The archivers' page: an emptied field keeps its value, 更新 saves and stays
// open; a qrn.ini that cannot be written is told and the dialog stays open.
TEST(SetupDialogs, ArchiverParametersAndAFailedWrite) {
    Ini ini("[PKUPK_CMD]\r\nZIP_UNPACK=-x -o\r\n");
    Settings live;
    DefaultSettings(live);
    DialogScript script({[&](HWND d) {
        EXPECT_EQ("-x -o|a -a1 -d1", Text(d, 1037) + "|" + Text(d, 1035));
        SetDlgItemTextA(d, 1037, "");
        SetDlgItemTextA(d, 1040, "xf");
        Click(d, kSetupUpdate);
        EXPECT_EQ("xf", ini.Value("PKUPK_CMD", "TAR_UNPACK"));  // saved, still open
        DeleteFileA(ini.path.c_str()), CreateDirectoryA(ini.path.c_str(), nullptr);  // no file can be written there
        SetDlgItemTextA(d, 1040, "xvf");
        Click(d, IDOK);  // refused: a message, and the dialog stays
    }, [&](HWND d) {
        RemoveDirectoryA(ini.path.c_str());
        Click(d, IDOK);
    }});
    qrn::test::ScriptedPrompts told;
    EXPECT_TRUE(RunArchiverSetup(GetModuleHandleA(nullptr), nullptr, ini.profile, live));
    EXPECT_TRUE(script.Done());
    EXPECT_EQ((Strings{"Error!|qrn.ini に書き込めませんでした。設定は保存されていません。"}), told.messages);
    // Written anew: the emptied field nowhere, in the file or in memory.
    EXPECT_EQ("<none>|xvf|-x|xvf", ini.Value("PKUPK_CMD", "ZIP_UNPACK") + "|" + ini.Value("PKUPK_CMD", "TAR_UNPACK") + "|" +
                                       live.ZipUnpack + "|" + live.TarUnpack);
}

// 300 extensions survive 更新 whole; a colour button replaces the selected line.
TEST(SetupDialogs, ExtensionColoursKeepTheWholeSection) {
    std::string section = "[BIN_COLOR]\r\n";
    for (int i = 0; i < 300; ++i) section += "E" + std::to_string(i) + "=1  ;青\r\n";
    Ini ini(section + "TXT=1  ;青\r\n");
    DialogScript script({[&](HWND d) {
        HWND list = GetDlgItem(d, kBinColorList);
        EXPECT_EQ(301, SendMessageA(list, LB_GETCOUNT, 0, 0));
        const LRESULT txt = SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("TXT=1  ;青"));
        SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(txt), 0);
        SendMessageA(d, WM_COMMAND, MAKEWPARAM(kBinColorList, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
        EXPECT_EQ("TXT", Text(d, kBinColorExtension));
        Click(d, kBinColorFirstButton + 2);  // 赤
        Click(d, IDOK);
    }});
    EXPECT_TRUE(RunBinColorDialog(GetModuleHandleA(nullptr), nullptr, ini.profile));
    EXPECT_TRUE(script.Done());
    EXPECT_EQ(301u, ini.Lines("BIN_COLOR").size());
    EXPECT_EQ("2  ;赤|1  ;青", ini.Value("BIN_COLOR", "TXT") + "|" + ini.Value("BIN_COLOR", "E299"));
}

// DIR_SETUP: 更新 stores a directory with its backslash and stays open;
// CANCEL then asks for the settings to be read again; the close box does not.
TEST(SetupDialogs, DirectoryPageUpdateThenCancel) {
    for (const bool button : {true, false}) {
        Ini ini("[SET_DIR]\r\nSET2=D:\\OLD\\\r\n");
        Settings live;
        DefaultSettings(live);
        DialogScript script({[&](HWND d) {
            EXPECT_EQ("D:\\OLD\\", Text(d, kSetupFirstDirectory + 1));
            SetDlgItemTextA(d, kSetupFirstDirectory, "C:\\WORK");
            SetDlgItemTextA(d, kSetupFirstDirectory + 1, "");
            Click(d, kSetupUpdate);
            EXPECT_EQ("C:\\WORK\\", Text(d, kSetupFirstDirectory));
            if (button) Click(d, IDCANCEL);
            else SendMessageA(d, WM_SYSCOMMAND, SC_CLOSE, 0);
        }});
        EXPECT_EQ(button ? SetupEnd::Reload : SetupEnd::Closed,
                  RunSetupPage(GetModuleHandleA(nullptr), nullptr, SetupPage::Directories, ini.profile, live));
        EXPECT_TRUE(script.Done());
        EXPECT_EQ("C:\\WORK\\|", ini.Value("SET_DIR", "SET1") + "|" + ini.Value("SET_DIR", "SET2"));
    }
}

// DISP_SETUP: the name width cleared saves 0 whatever its field holds; the
// display mode is written as the radio's position. COLOR_SETUP: fixed-pitch
// faces only, each once; no font is refused with the dialog open; OK writes
// the font, its size and the colours.
TEST(SetupDialogs, DisplayAndColourPages) {
    Ini ini("[QRNInit]\r\nFileDispSize=40\r\n");
    Settings live;
    DefaultSettings(live);
    live.FileDispSize = 40;
    DialogScript display({[&](HWND d) {
        EXPECT_TRUE(IsDlgButtonChecked(d, kNameWidthCheck) == BST_CHECKED && Enabled(d, kNameWidthField));
        Click(d, kNameWidthCheck);
        EXPECT_FALSE(Enabled(d, kNameWidthField));
        Click(d, 1075);  // 全ての情報
        Click(d, IDOK);
    }});
    EXPECT_EQ(SetupEnd::Saved, RunSetupPage(GetModuleHandleA(nullptr), nullptr, SetupPage::Display, ini.profile, live));
    EXPECT_EQ("0|4|3", ini.Value("QRNInit", "FileDispSize") + "|" + ini.Value("QRNInit", "Disp_Mode") + "|" +
                           std::to_string(live.DisplayMode));
    Strings faces;
    qrn::test::ScriptedPrompts told;
    DialogScript colours({[&](HWND d) {
        faces = Items(GetDlgItem(d, kSetupFont), CB_GETCOUNT, CB_GETLBTEXT);
        SetDlgItemTextA(d, kSetupFont, std::string(70, 'f').c_str());
        Click(d, IDOK);  // longer than the setting holds: refused
        SetDlgItemTextA(d, kSetupFont, "");
        Click(d, IDOK);  // none: refused, and the dialog stays open
        SetDlgItemTextA(d, kSetupFont, "Courier New");
        live.Colors[kBack] = Rgb{1, 2, 3};  // as the chooser leaves it
        Click(d, IDOK);
    }});
    EXPECT_EQ(SetupEnd::Saved, RunSetupPage(GetModuleHandleA(nullptr), nullptr, SetupPage::Colors, ini.profile, live));
    EXPECT_EQ((Strings{"Error!|フォント名が長すぎます（63バイトまで）。", "Error!|フォントが設定されていません。"}), told.messages);
    EXPECT_FALSE(faces.empty());
    EXPECT_EQ(std::set<std::string>(faces.begin(), faces.end()).size(), faces.size());
    for (const std::string& face : faces) EXPECT_NE('@', face[0]) << face;
    EXPECT_EQ("Courier New|9|1|3", ini.Value("QRNInit", "Font") + "|" + ini.Value("QRNInit", "FontSize") + "|" +
                                       ini.Value("Color", "Back_Col_R") + "|" + ini.Value("Color", "Back_Col_B"));
}
