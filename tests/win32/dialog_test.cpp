// The program's dialogs run for real from the test program, over a qrn.ini
// of their own: the input line, the extension-linked commands with their file
// chooser, and the sort dialog.
#include <gtest/gtest.h>

#include <cstdio>

#include "app/main_window_win32.h"
#include "app/prompts_win32.h"
#include "base/profile_win32.h"
#include "launch/ext_dialog_win32.h"
#include "launch/file_select_win32.h"
#include "launch/input_dialog_win32.h"
#include "launch/launch_texts.h"
#include "listing/sort_dialog_win32.h"
#include "resources/resource_ids.h"
#include "support.h"

using namespace qrn;
using namespace qrntest;
using Strings = std::vector<std::string>;

namespace {

HINSTANCE Self() { return GetModuleHandleA(nullptr); }

// A qrn.ini of the test's own.
struct Ini {
    explicit Ini(const std::string& content) { tree.File("qrn.ini", content); }
    std::string Value(const char* section, const char* key) {
        char v[kPathSize];
        GetPrivateProfileStringA(section, key, "<none>", v, sizeof v, path.c_str());
        return v;
    }
    // The section as "KEY=value" lines in file order.
    Strings Lines(const char* section) {
        Strings out;
        for (const std::string& k : profile.SectionKeys(section)) out.push_back(k + "=" + Value(section, k.c_str()));
        return out;
    }
    TempTree tree;
    std::string path = tree / "qrn.ini";
    IniFileProfile profile{path.c_str()};
};

HWND Combo(HWND d) { return GetDlgItem(d, kIdInputLine); }
void Type(HWND d, const char* text) { SetWindowTextA(Combo(d), text); }
void Key(HWND d, UINT vk) { PostMessageA(FindWindowExA(Combo(d), nullptr, "Edit", nullptr), WM_KEYDOWN, vk, 1); }
Strings Listed(HWND d) {
    Strings out;
    for (LRESULT i = 0, n = SendMessageA(Combo(d), CB_GETCOUNT, 0, 0); i < n; ++i) {
        char item[kPathSize + 8] = "";
        SendMessageA(Combo(d), CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item));
        out.push_back(item);
    }
    return out;
}

constexpr const char* kMkdir = "ディレクトリの作成";
constexpr const char* kShell = "C:\\windows\\system32\\cmd.exe";
const std::string kWorkHistory = "[QRNHISTディレクトリの作成]\r\n000=work\r\n001=ソフト\\表示\r\n";

}  // namespace

TEST(InputDialog, OpensWithItsTitleTheLineAndTheHistoryOfThatTitle) {
    struct Case { const char* title; const char* caption; bool lowerButton; Strings history; };
    const Case cases[] = {{kMkdir, kMkdir, false, {"work", "ソフト\\表示"}},
                          {"", "ファイル名の入力", false, {}},  // the template's own caption
                          {kRenameTitle, kRenameTitle, true, {}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption);
        Ini ini(kWorkHistory);
        InputRequest r{c.title, "start", ini.profile, kShell};
        DialogScript script({[&](HWND d) {
            EXPECT_EQ(c.caption, Text(d));
            EXPECT_EQ(c.history, Listed(d));
            EXPECT_EQ("start", Text(Combo(d)));
            EXPECT_EQ(c.lowerButton, (GetWindowLongA(GetDlgItem(d, kIdInputLower), GWL_STYLE) & WS_VISIBLE) != 0);
            EXPECT_EQ(255, SendMessageA(FindWindowExA(Combo(d), nullptr, "Edit", nullptr), EM_GETLIMITTEXT, 0, 0));
            Click(d, IDCANCEL);
        }});
        EXPECT_EQ(0, RunInputDialog(Self(), nullptr, r));
        EXPECT_TRUE(script.Done());
        EXPECT_EQ(kWorkHistory, Slurp(ini.path));
    }
}

TEST(InputDialog, HowItEndsDecidesTheAnswerTheLineAndTheHistory) {
    std::string forty = "[QRNHISTcopy]\r\n";  // hand-edited, longer than what is kept
    for (int i = 0; i < 40; ++i) {
        char line[32];
        std::snprintf(line, sizeof line, "%03d=old%d\r\n", i, i);
        forty += line;
    }
    const Step cancel = [](HWND d) { Click(d, IDCANCEL); };
    const Step stillOpen = [](HWND) {};  // runs only while the dialog is open
    struct Case {
        const char* name; const char* title; std::string ini; std::vector<Step> steps;
        int answer; const char* text; std::vector<std::pair<std::string, std::string>> stored;  // empty: file unchanged
    };
    const Case cases[] = {
        {"ok", kMkdir, kWorkHistory, {[](HWND d) { Type(d, "newdir"); Click(d, IDOK); }}, 1, "newdir",
         {{"000", "newdir"}, {"001", "work"}, {"002", "ソフト\\表示"}, {"003", "<none>"}}},
        {"enter", kMkdir, kWorkHistory, {[](HWND d) { Type(d, "by key"); Key(d, VK_RETURN); }}, 1, "by key",
         {{"000", "by key"}, {"001", "work"}}},
        {"cancel", kMkdir, kWorkHistory, {[](HWND d) { Type(d, "typed"); Click(d, IDCANCEL); }}, 0, "", {}},
        {"escape", kMkdir, kWorkHistory, {[](HWND d) { Type(d, "typed"); Key(d, VK_ESCAPE); }}, 0, "", {}},
        {"close box", kMkdir, kWorkHistory,
         {[](HWND d) { Type(d, "typed"); SendMessageA(d, WM_SYSCOMMAND, SC_CLOSE, 0); }}, 0, "", {}},
        {"empty line", kMkdir, kWorkHistory,
         {[](HWND d) { Type(d, ""); Click(d, IDOK); }, stillOpen, [](HWND d) { Key(d, VK_RETURN); }, stillOpen,
          cancel}, 0, "", {}},
        {"empty shell command", kShellCommandTitle, "[QRNHISTShell Command]\r\n000=ver\r\n",
         {[](HWND d) { Type(d, ""); Click(d, IDOK); }}, 1, kShell, {}},
        {"lower case", kRenameTitle, "", {[](HWND d) { Type(d, "アイ.TXT"); Click(d, kIdInputLower); }}, 1,
         "アイ.txt", {{"000", "アイ.txt"}}},  // 83 41: a trail byte that looks like 'A'
        {"lower case of nothing", kRenameTitle, "", {[](HWND d) { Type(d, ""); Click(d, kIdInputLower); },
         stillOpen, cancel}, 0, "", {}},
        {"long history", "copy", forty, {[](HWND d) { EXPECT_EQ(40u, Listed(d).size()); Type(d, "new");
         Click(d, IDOK); }}, 1, "new", {{"000", "new"}, {"001", "old0"}, {"031", "old30"}, {"032", "<none>"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Ini ini(c.ini);
        InputRequest r{c.title, "", ini.profile, kShell};
        DialogScript script(c.steps);
        EXPECT_EQ(c.answer, RunInputDialog(Self(), nullptr, r));
        EXPECT_TRUE(script.Done());
        if (c.answer == 1) EXPECT_STREQ(c.text, r.text);
        if (c.stored.empty()) EXPECT_EQ(c.ini, Slurp(ini.path));
        char section[kPathSize];
        std::snprintf(section, sizeof section, "QRNHIST%s", c.title);
        for (const auto& [key, value] : c.stored) EXPECT_EQ(value, ini.Value(section, key.c_str())) << key;
    }
}

TEST(InputDialog, ThePromptsHandTheLineOverOnlyWhenItFits) {
    Ini ini("");
    const Startup saved = g_startup;
    std::snprintf(g_startup.IniPath, sizeof g_startup.IniPath, "%s", ini.path.c_str());
    g_window.Instance = Self();
    DialogPrompts prompts;
    const Step answer = [](HWND d) { Type(d, "abcdef"); Click(d, IDOK); };
    char text[kPathSize] = "before", small[4] = "ab";
    DialogScript accepted({[](HWND d) { EXPECT_EQ("before", Text(Combo(d))); Type(d, "after"); Click(d, IDOK); }});
    EXPECT_TRUE(prompts.InputLine(nullptr, kMkdir, text, sizeof text));
    EXPECT_STREQ("after", text);
    DialogScript cancelled({[](HWND d) { Click(d, IDCANCEL); }});
    EXPECT_FALSE(prompts.InputLine(nullptr, kMkdir, text, sizeof text));
    EXPECT_STREQ("after", text);
    DialogScript tooLong({answer});
    EXPECT_FALSE(prompts.InputLine(nullptr, kMkdir, small, sizeof small));
    EXPECT_TRUE(accepted.Done() && cancelled.Done() && tooLong.Done());
    // An initial line longer than the dialog holds: refused before it opens.
    std::vector<char> big(kPathSize + 10, 'z');
    big.back() = '\0';
    DialogScript never({answer});
    EXPECT_FALSE(prompts.InputLine(nullptr, kMkdir, big.data(), big.size()));
    EXPECT_EQ(nullptr, never.dialog);
    EXPECT_EQ("abcdef", ini.Value("QRNHISTディレクトリの作成", "000"));
    EXPECT_EQ("after", ini.Value("QRNHISTディレクトリの作成", "001"));
    g_startup = saved;
    g_window.Instance = nullptr;
}

namespace {

Strings ListLines(HWND d) {
    Strings out;
    for (LRESULT i = 0, n = SendDlgItemMessageA(d, kExtList, LB_GETCOUNT, 0, 0); i < n; ++i) {
        char text[kExtLineSize];
        SendDlgItemMessageA(d, kExtList, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        out.push_back(text);
    }
    return out;
}
void Select(HWND d, int index) { SendDlgItemMessageA(d, kExtList, LB_SETCURSEL, static_cast<WPARAM>(index), 0); }
void Set(HWND d, const char* ext, const char* command) {
    SetDlgItemTextA(d, kExtName, ext);
    SetDlgItemTextA(d, kExtCommand, command);
}
int DefaultButton(HWND d) { return LOWORD(SendMessageA(d, DM_GETDEFID, 0, 0)); }
bool LooksDefault(HWND d, int id) { return (GetWindowLongA(GetDlgItem(d, id), GWL_STYLE) & 0x0F) == BS_DEFPUSHBUTTON; }
void ExpectButtons(HWND d, bool add, bool del, bool write, int defaultId) {
    EXPECT_EQ(add, Enabled(d, kExtAdd));
    EXPECT_EQ(del, Enabled(d, kExtDelete));
    EXPECT_EQ(write, Enabled(d, kExtWrite));
    EXPECT_EQ(defaultId, DefaultButton(d));
    EXPECT_TRUE(LooksDefault(d, defaultId));
    EXPECT_FALSE(LooksDefault(d, defaultId == kExtWrite ? kExtChange : kExtWrite));
}

// The file chooser's answer: the file name typed and OK, or Cancel for "".
Step Choose(const std::string& name, std::string* seen = nullptr) {
    return [name, seen](HWND c) {
        HWND field = GetDlgItem(c, cmb13) ? GetDlgItem(c, cmb13) : GetDlgItem(c, edt1);
        if (seen) *seen = Text(c) + "|" + Text(c, cmb1) + "|" + Text(field);
        fprintf(stderr, "DEBUG step at %lu visible %d style %lx\n", GetTickCount(), IsWindowVisible(c), GetWindowLongA(c, GWL_STYLE));
        if (name.empty()) return Click(c, IDCANCEL);
        SetWindowTextA(field, name.c_str());
        Click(c, IDOK);
    };
}

const char* const kThree = "[QRNInit]\r\nFontSize=12\r\n[EXP_EXEC]\r\nTXT=notepad.exe \"%F\"\r\n"
                           "BMP=mspaint.exe \"%F\"\r\nZIP=unzip.exe -d \"%F\"\r\n[Other]\r\nx=1\r\n";
const Strings kThreeStored = {"TXT=notepad.exe \"%F\"", "BMP=mspaint.exe \"%F\"", "ZIP=unzip.exe -d \"%F\""};

}  // namespace

TEST(ExtDialog, EditsTheListAndOnlyWriteStoresItInListOrder) {
    TempTree files;
    files.File("viewer.exe", "MZ");
    const std::string viewer = files / "viewer.exe";
    struct Case { const char* name; std::vector<Step> steps; Strings stored; };
    const Case cases[] = {
        {"add", {[](HWND d) {
             ExpectButtons(d, true, true, false, kExtWrite);
             Set(d, "", "ignored.exe");
             Click(d, kExtAdd);  // no extension: nothing
             EXPECT_FALSE(Enabled(d, kExtWrite));
             Set(d, "DOC", "wordpad.exe \"%F\"");
             Click(d, kExtAdd);
             EXPECT_EQ("", Text(d, kExtName) + Text(d, kExtCommand));
             ExpectButtons(d, true, true, true, kExtWrite);
             Click(d, kExtWrite);
         }}, {"BMP=mspaint.exe \"%F\"", "DOC=wordpad.exe \"%F\"", "TXT=notepad.exe \"%F\"", "ZIP=unzip.exe -d \"%F\""}},
        {"change", {[](HWND d) {
             Select(d, -1);
             Click(d, kExtChange);  // nothing selected: nothing taken
             EXPECT_EQ("", Text(d, kExtName));
             Select(d, 1);
             Set(d, "NEW", "new.exe");
             Click(d, kExtChange);  // a filled field but no line taken: refused
             EXPECT_EQ(3u, ListLines(d).size());
             EXPECT_EQ("NEW", Text(d, kExtName));
             ExpectButtons(d, true, true, false, kExtWrite);
             Set(d, "", "");
             Click(d, kExtChange);  // takes TXT
             EXPECT_EQ("TXT", Text(d, kExtName));
             EXPECT_EQ("notepad.exe \"%F\"", Text(d, kExtCommand));
             EXPECT_EQ(GetDlgItem(d, kExtName), GetFocus());
             ExpectButtons(d, false, false, false, kExtChange);
             Select(d, 2);  // back where it was taken, whatever is selected now
             Set(d, "DOC", "wordpad.exe \"%F\"");
             Click(d, kExtChange);
             EXPECT_EQ((Strings{"BMP=mspaint.exe \"%F\"", "DOC=wordpad.exe \"%F\"", "ZIP=unzip.exe -d \"%F\""}),
                       ListLines(d));
             ExpectButtons(d, true, true, true, kExtWrite);
             Select(d, 0);
             Set(d, "XYZ", "");
             Click(d, kExtChange);  // editing has ended: no other line is replaced
             EXPECT_EQ(3u, ListLines(d).size());
             EXPECT_EQ("BMP=mspaint.exe \"%F\"", ListLines(d)[0]);
             Set(d, "", "");
             Click(d, kExtWrite);
         }}, {"BMP=mspaint.exe \"%F\"", "DOC=wordpad.exe \"%F\"", "ZIP=unzip.exe -d \"%F\""}},
        {"shift-jis and case", {[](HWND d) {
             HWND field = GetDlgItem(d, kExtName);
             for (char c : std::string("cab")) SendMessageA(field, WM_CHAR, static_cast<WPARAM>(c), 1);
             Click(d, kExtAdd);
             // With the field's own conversion off the program still upper-cases.
             SetWindowLongA(field, GWL_STYLE, GetWindowLongA(field, GWL_STYLE) & ~ES_UPPERCASE);
             Select(d, 2);  // TXT
             Click(d, kExtChange);
             Set(d, "jpeg", "C:\\ソフト\\表示.exe a=b");  // ソ and 表 end in the byte of a backslash
             Click(d, kExtChange);
             Click(d, kExtWrite);
         }}, {"BMP=mspaint.exe \"%F\"", "CAB=", "JPEG=C:\\ソフト\\表示.exe a=b", "ZIP=unzip.exe -d \"%F\""}},
        {"delete", {[](HWND d) {
             Select(d, -1);
             Click(d, kExtDelete);
             EXPECT_FALSE(Enabled(d, kExtWrite));
             Select(d, 2);
             Click(d, kExtDelete);
             EXPECT_TRUE(Enabled(d, kExtWrite));
             Click(d, kExtWrite);
         }}, {"BMP=mspaint.exe \"%F\"", "TXT=notepad.exe \"%F\""}},
        {"all deleted", {[](HWND d) {
             for (int i = 0; i < 3; ++i) {
                 Select(d, 0);
                 Click(d, kExtDelete);
             }
             Click(d, kExtWrite);
         }}, {}},
        {"cancel", {[](HWND d) { Set(d, "DOC", ""); Click(d, kExtAdd); Click(d, IDCANCEL); }}, kThreeStored},
        {"close box", {[](HWND d) { Select(d, 0); Click(d, kExtDelete); SendMessageA(d, WM_CLOSE, 0, 0); }},
         kThreeStored},
        {"browse", {[&](HWND d) {
             Set(d, "EXE", "old.exe");
             DialogScript cancelled({Choose("")});
             Click(d, kExtBrowse);
             EXPECT_EQ("old.exe", Text(d, kExtCommand));
             std::string seen;
             DialogScript chosen({Choose(viewer, &seen)});
             Click(d, kExtBrowse);
             EXPECT_TRUE(cancelled.Done() && chosen.Done());
             EXPECT_EQ("FileSelect|実行ファイル(*.exe)|*.exe", seen);
             Click(d, kExtAdd);
             Click(d, kExtWrite);
         }}, {"BMP=mspaint.exe \"%F\"", "EXE=" + viewer + " \"%F\"", "TXT=notepad.exe \"%F\"", "ZIP=unzip.exe -d \"%F\""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Ini ini(kThree);
        const int strays = StrayDialogs();
        DialogScript script(c.steps);
        RunExtDialog(Self(), nullptr, ini.profile, "");
        EXPECT_TRUE(script.Done());
        EXPECT_EQ(strays, StrayDialogs());
        EXPECT_EQ(c.stored, ini.Lines(kSectionExpExec));
        EXPECT_EQ("12", ini.Value("QRNInit", "FontSize"));
        EXPECT_EQ("1", ini.Value("Other", "x"));
    }
}

// Far more keys than a 256-byte list of key names holds: all of them are
// listed, up to the end mark, and writing the section back loses none.
TEST(ExtDialog, ALongSectionIsListedAndWrittenBackWhole) {
    std::string content = "[EXP_EXEC]\r\n";
    Strings expected;
    for (int i = 0; i < 150; ++i) {
        char line[32];
        std::snprintf(line, sizeof line, "E%03d=view.exe %%F", i);
        content += std::string(line) + "\r\n";
        expected.push_back(line);
    }
    Ini ini(content + "ZZZ=<EXP_END>\r\nAFTER=end.exe\r\n[Other]\r\nx=1\r\n");
    DialogScript script({[&](HWND d) {
        EXPECT_EQ(expected, ListLines(d));
        Select(d, 0);
        Click(d, kExtDelete);
        Click(d, kExtWrite);
    }});
    RunExtDialog(Self(), nullptr, ini.profile, "");
    EXPECT_TRUE(script.Done());
    expected.erase(expected.begin());
    EXPECT_EQ(expected, ini.Lines(kSectionExpExec));
    EXPECT_EQ("1", ini.Value("Other", "x"));
}

TEST(ExtDialog, SplitsALineAtItsFirstEqualsSign) {
    struct Case { const char* line; std::size_t keySize; const char* key; const char* value; };
    const Case cases[] = {{"TXT=a=b", 16, "TXT", "a=b"},
                          {"\x95\x5c\x83\x5c=x", 16, "\x95\x5c\x83\x5c", "x"},  // 表ソ
                          {"=only", 16, "", "only"},
                          {"NOEQUALS", 16, "NOEQUALS", ""},
                          {"A\x83=v", 16, "A\x83", "v"},  // a stray lead byte does not swallow the "="
                          {"AB\x95\x5c=v", 4, "AB", "v"}};  // cut at a character boundary
    for (const Case& c : cases) {
        char key[16], value[16];
        SplitExtLine(c.line, key, c.keySize, value, sizeof value);
        EXPECT_STREQ(c.key, key) << c.line;
        EXPECT_STREQ(c.value, value) << c.line;
    }
}

TEST(FileSelect, GivesTheChosenFullPathOnlyWhenItFits) {
    TempTree t;
    t.File("tool.exe", "MZ");
    const std::string exe = t / "tool.exe";
    struct Case { std::string answer; std::size_t size; int result; std::string path; };
    const Case cases[] = {{exe, exe.size() + 1, 1, exe}, {"", kPathSize, 0, ""}, {exe, exe.size(), 0, ""}};
    for (const Case& c : cases) {
        std::vector<char> result(c.size, 'x');
        DialogScript script({Choose(c.answer)});
        fprintf(stderr, "DEBUG start %lu\n", GetTickCount());
        EXPECT_EQ(c.result, FileSelect(nullptr, result.data(), result.size())) << c.size;
        fprintf(stderr, "DEBUG end %lu\n", GetTickCount());
        EXPECT_TRUE(script.Done());
        EXPECT_EQ(c.path, result.data());
    }
}

TEST(SortDialog, ShowsTheChoiceAndStoresItAsTheDefaultOnlyByItsButton) {
    struct Case { const char* name; std::vector<int> clicks; bool confirmed, storedAsDefault; };
    const Case cases[] = {{"ok", {IDC_SORT_SIZE, IDC_SORT_DESCENDING, IDC_SORT_AUTO, IDOK}, true, false},
                          {"cancel", {IDC_SORT_SIZE, IDC_SORT_DESCENDING, IDC_SORT_AUTO, IDCANCEL}, false, false},
                          {"default", {IDC_SORT_SIZE, IDC_SORT_DESCENDING, IDC_SORT_AUTO, IDC_SORT_DEFAULT,
                                       IDC_SORT_NAME, IDCANCEL}, false, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Ini ini("[QRNInit]\r\nFontSize=12\r\n");
        Settings s;
        DefaultSettings(s);
        s.SortKey = kSortByExtension;
        s.SortOrder = kSortAscending;
        s.SortAuto = kSortAutoOn;
        DialogScript script({[&](HWND d) {
            EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(d, IDC_SORT_EXT));
            EXPECT_EQ(BST_UNCHECKED, IsDlgButtonChecked(d, IDC_SORT_NAME));
            EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(d, IDC_SORT_ASCENDING));
            EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(d, IDC_SORT_AUTO));
            for (int id : c.clicks) Click(d, id);
        }});
        EXPECT_EQ(c.confirmed, RunSortDialog(Self(), nullptr, s, ini.profile));
        EXPECT_TRUE(script.Done());
        const bool changed = c.confirmed || c.storedAsDefault;
        EXPECT_EQ(changed ? kSortBySize : kSortByExtension, s.SortKey);
        EXPECT_EQ(changed ? kSortDescending : kSortAscending, s.SortOrder);
        EXPECT_EQ(changed ? kSortAutoOff : kSortAutoOn, s.SortAuto);
        const auto stored = [&](IniKey k) { return ini.Value(KeyOf(k).section, KeyOf(k).name); };
        EXPECT_EQ(c.storedAsDefault ? "4" : "<none>", stored(IniKey::SortKey));
        EXPECT_EQ(c.storedAsDefault ? "2" : "<none>", stored(IniKey::SortOrder));
        EXPECT_EQ(c.storedAsDefault ? "1" : "<none>", stored(IniKey::SortAuto));
    }
}
