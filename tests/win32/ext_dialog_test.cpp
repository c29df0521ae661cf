// The dialog of the extension-linked commands and the file chooser, run for
// real from the test program and driven from inside its own message loop.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "base/startup.h"
#include "launch/ext_dialog_win32.h"
#include "launch/file_select_win32.h"
#include "temp_tree.h"

using namespace qrn;
using qrntest::TempTree;

namespace {

const char* const kDialogTitle = "拡張子連動登録";

std::string WindowText(HWND w) {
    char text[1024];
    text[0] = '\0';
    GetWindowTextA(w, text, sizeof text);
    return text;
}

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

// Points g_startup.IniPath at a qrn.ini of its own for one test.
class TempIni {
public:
    explicit TempIni(const std::string& content) {
        std::memcpy(saved_, g_startup.IniPath, sizeof saved_);
        path_ = tree_ / "qrn.ini";
        tree_.File("qrn.ini", content);
        std::strcpy(g_startup.IniPath, path_.c_str());
    }
    ~TempIni() { std::memcpy(g_startup.IniPath, saved_, sizeof saved_); }

    const std::string& Path() const { return path_; }
    const TempTree& Tree() const { return tree_; }

    std::vector<std::string> Keys(const char* section) const {
        char buf[4096];
        GetPrivateProfileStringA(section, nullptr, "", buf, sizeof buf, path_.c_str());
        std::vector<std::string> out;
        for (const char* k = buf; *k; k += std::strlen(k) + 1) out.push_back(k);
        return out;
    }
    std::string Value(const char* section, const char* key) const {
        char buf[1024];
        GetPrivateProfileStringA(section, key, "<none>", buf, sizeof buf, path_.c_str());
        return buf;
    }
    std::vector<std::string> Sections() const {
        char buf[4096];
        GetPrivateProfileSectionNamesA(buf, sizeof buf, path_.c_str());
        std::vector<std::string> out;
        for (const char* k = buf; *k; k += std::strlen(k) + 1) out.push_back(k);
        return out;
    }

private:
    TempTree tree_;
    std::string path_;
    char saved_[kPathSize];
};

// One run of the dialog: the script gets the initialised dialog once its
// message loop runs. Whatever the script leaves open is cancelled afterwards.
struct DialogRun {
    std::function<void(HWND)> script;
    HWND dialog = nullptr;
    bool ran = false;
};
DialogRun* g_run = nullptr;
HHOOK g_hook = nullptr;
constexpr UINT_PTR kScriptTimer = 0x5151;

void CALLBACK ScriptTimer(HWND hwnd, UINT, UINT_PTR id, DWORD) {
    KillTimer(hwnd, id);
    if (g_run == nullptr || g_run->ran) return;
    g_run->ran = true;
    g_run->script(hwnd);
    SendMessageA(hwnd, WM_COMMAND, IDCANCEL, 0);
}

LRESULT CALLBACK AfterWindowProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && g_run != nullptr && g_run->dialog == nullptr) {
        const auto* m = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
        if (m->message == WM_INITDIALOG && WindowText(m->hwnd) == kDialogTitle) {
            g_run->dialog = m->hwnd;
            SetTimer(m->hwnd, kScriptTimer, 10, ScriptTimer);
        }
    }
    return CallNextHookEx(g_hook, code, wParam, lParam);
}

void RunDialog(std::function<void(HWND)> script) {
    DialogRun run;
    run.script = std::move(script);
    g_run = &run;
    g_hook = SetWindowsHookExA(WH_CALLWNDPROCRET, AfterWindowProc, nullptr, GetCurrentThreadId());
    ASSERT_NE(nullptr, g_hook);
    RunExtDialog(GetModuleHandleA(nullptr), nullptr);
    UnhookWindowsHookEx(g_hook);
    g_hook = nullptr;
    g_run = nullptr;
    EXPECT_TRUE(run.ran) << "the dialog did not come up";
}

std::string Text(HWND d, int id) { return WindowText(GetDlgItem(d, id)); }
void SetText(HWND d, int id, const char* text) { SetDlgItemTextA(d, id, text); }
bool Enabled(HWND d, int id) { return IsWindowEnabled(GetDlgItem(d, id)) != FALSE; }
int DefaultId(HWND d) {
    const LRESULT r = SendMessageA(d, DM_GETDEFID, 0, 0);
    return HIWORD(r) == DC_HASDEFID ? LOWORD(r) : 0;
}
bool HasDefaultLook(HWND d, int id) {
    return (GetWindowLongA(GetDlgItem(d, id), GWL_STYLE) & 0x0F) == BS_DEFPUSHBUTTON;
}

// A click as the user makes it: only on an enabled button.
void Click(HWND d, int id) {
    HWND b = GetDlgItem(d, id);
    ASSERT_NE(nullptr, b);
    ASSERT_TRUE(IsWindowEnabled(b)) << "button " << id << " is disabled";
    SendMessageA(b, BM_CLICK, 0, 0);
}

std::vector<std::string> Lines(HWND d) {
    HWND list = GetDlgItem(d, kExtList);
    std::vector<std::string> out;
    const LRESULT n = SendMessageA(list, LB_GETCOUNT, 0, 0);
    for (int i = 0; i < n; ++i) {
        char text[kExtLineSize];
        SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
        out.push_back(text);
    }
    return out;
}
void Select(HWND d, int index) { SendDlgItemMessageA(d, kExtList, LB_SETCURSEL, index, 0); }

using Strings = std::vector<std::string>;

const char* const kThreeLines =
    "[QRNInit]\r\nFontSize=12\r\n"
    "[EXP_EXEC]\r\nTXT=notepad.exe \"%F\"\r\nBMP=mspaint.exe \"%F\"\r\nZIP=unzip.exe -d \"%F\"\r\n"
    "[Other]\r\nx=1\r\n";

// Answers the open-file dialog "FileSelect" from a thread timer: types a
// file name and presses OK, or cancels. Message boxes that come up on the way
// are closed and counted, and a chooser that stays open is cancelled, so a
// failing test never hangs.
struct FileDialogPlan {
    std::string name;  // typed into the file name field; empty: cancel
    HWND chooser = nullptr;
    std::string title, filter, initialName;
    int ticks = 0;
    int strayPopups = 0;
    bool answered = false, forcedClose = false;
    UINT_PTR timer = 0;
};
FileDialogPlan* g_plan = nullptr;

struct FindData {
    HWND found = nullptr;
    bool (*match)(HWND);
};
BOOL CALLBACK FindThreadWindow(HWND w, LPARAM l) {
    auto* f = reinterpret_cast<FindData*>(l);
    if (IsWindowVisible(w) && f->match(w)) {
        f->found = w;
        return FALSE;
    }
    return TRUE;
}
HWND FindVisible(bool (*match)(HWND)) {
    FindData f{nullptr, match};
    EnumThreadWindows(GetCurrentThreadId(), FindThreadWindow, reinterpret_cast<LPARAM>(&f));
    return f.found;
}
bool IsChooser(HWND w) { return WindowText(w) == "FileSelect"; }
bool IsStrayPopup(HWND w) {
    char cls[32];
    GetClassNameA(w, cls, sizeof cls);
    return std::strcmp(cls, "#32770") == 0 && !IsChooser(w) && WindowText(w) != kDialogTitle;
}

void CALLBACK FileDialogTimer(HWND, UINT, UINT_PTR id, DWORD) {
    FileDialogPlan& p = *g_plan;
    ++p.ticks;
    if (HWND popup = FindVisible(IsStrayPopup)) {
        ++p.strayPopups;
        PostMessageA(popup, WM_COMMAND, IDCANCEL, 0);
        PostMessageA(popup, WM_CLOSE, 0, 0);
        return;
    }
    HWND chooser = FindVisible(IsChooser);
    if (!p.answered) {
        if (chooser == nullptr) {
            if (p.ticks > 600) KillTimer(nullptr, id);
            return;
        }
        p.answered = true;
        p.chooser = chooser;
        p.title = WindowText(chooser);
        p.filter = WindowText(GetDlgItem(chooser, cmb1));
        HWND name = GetDlgItem(chooser, cmb13);
        if (name == nullptr) name = GetDlgItem(chooser, edt1);
        p.initialName = WindowText(name);
        if (p.name.empty()) {
            SendMessageA(GetDlgItem(chooser, IDCANCEL), BM_CLICK, 0, 0);
        } else {
            SetWindowTextA(name, p.name.c_str());
            SendMessageA(GetDlgItem(chooser, IDOK), BM_CLICK, 0, 0);
        }
        return;
    }
    if (chooser == nullptr) {
        KillTimer(nullptr, id);
        return;
    }
    if (p.ticks > 300) {
        p.forcedClose = true;
        PostMessageA(chooser, WM_COMMAND, IDCANCEL, 0);
    }
}

// Arms the answer for the next FileSelect of this thread.
class ChooserAnswer {
public:
    explicit ChooserAnswer(const std::string& name) {
        plan_.name = name;
        g_plan = &plan_;
        plan_.timer = SetTimer(nullptr, 0, 20, FileDialogTimer);
    }
    ~ChooserAnswer() {
        KillTimer(nullptr, plan_.timer);
        g_plan = nullptr;
    }
    const FileDialogPlan& Plan() const { return plan_; }

private:
    FileDialogPlan plan_;
};

}  // namespace

TEST(ExtDialog, OpeningListsTheStoredLinesUpToTheEndMarkWithWriteDisabled) {
    TempIni ini(
        "[EXP_EXEC]\r\nTXT=notepad.exe \"%F\"\r\nBMP=mspaint.exe\r\nDOC=<EXP_END>\r\nZIP=unzip.exe\r\n");
    Strings lines;
    bool write = true, add = false, change = false, del = false;
    int defId = 0;
    std::string title;
    RunDialog([&](HWND d) {
        lines = Lines(d);
        write = Enabled(d, kExtWrite);
        add = Enabled(d, kExtAdd);
        change = Enabled(d, kExtChange);
        del = Enabled(d, kExtDelete);
        defId = DefaultId(d);
        title = WindowText(d);
    });
    // Sorted, and nothing from the end mark on.
    EXPECT_EQ((Strings{"BMP=mspaint.exe", "TXT=notepad.exe \"%F\""}), lines);
    EXPECT_FALSE(write);
    EXPECT_TRUE(add);
    EXPECT_TRUE(change);
    EXPECT_TRUE(del);
    EXPECT_EQ(kExtWrite, defId);
    EXPECT_EQ(kDialogTitle, title);
}

TEST(ExtDialog, AddThenWriteStoresTheSectionInListOrder) {
    TempIni ini(kThreeLines);
    Strings afterEmptyAdd, afterAdd;
    bool writeAfterEmptyAdd = true, writeAfterAdd = false, closed = false;
    std::string extAfter = "?", commandAfter = "?";
    RunDialog([&](HWND d) {
        SetText(d, kExtCommand, "ignored.exe");
        Click(d, kExtAdd);  // no extension: nothing
        afterEmptyAdd = Lines(d);
        writeAfterEmptyAdd = Enabled(d, kExtWrite);
        SetText(d, kExtName, "DOC");
        SetText(d, kExtCommand, "wordpad.exe \"%F\"");
        Click(d, kExtAdd);
        afterAdd = Lines(d);
        extAfter = Text(d, kExtName);
        commandAfter = Text(d, kExtCommand);
        writeAfterAdd = Enabled(d, kExtWrite);
        Click(d, kExtWrite);
        closed = !IsWindowVisible(d);
    });
    EXPECT_EQ(3u, afterEmptyAdd.size());
    EXPECT_FALSE(writeAfterEmptyAdd);
    EXPECT_EQ((Strings{"BMP=mspaint.exe \"%F\"", "DOC=wordpad.exe \"%F\"", "TXT=notepad.exe \"%F\"",
                       "ZIP=unzip.exe -d \"%F\""}),
              afterAdd);
    EXPECT_EQ("", extAfter);
    EXPECT_EQ("", commandAfter);
    EXPECT_TRUE(writeAfterAdd);
    EXPECT_TRUE(closed);
    EXPECT_EQ((Strings{"BMP", "DOC", "TXT", "ZIP"}), ini.Keys("EXP_EXEC"));
    EXPECT_EQ("wordpad.exe \"%F\"", ini.Value("EXP_EXEC", "DOC"));
    EXPECT_EQ("unzip.exe -d \"%F\"", ini.Value("EXP_EXEC", "ZIP"));
    EXPECT_EQ("12", ini.Value("QRNInit", "FontSize"));
    EXPECT_EQ("1", ini.Value("Other", "x"));
}

TEST(ExtDialog, ChangeWithoutSelectionDoesNothing) {
    TempIni ini(kThreeLines);
    const std::string before = Slurp(ini.Path());
    Strings lines;
    std::string ext = "?", command = "?";
    bool add = false, del = false, write = true;
    int defId = 0;
    RunDialog([&](HWND d) {
        Select(d, -1);
        Click(d, kExtChange);
        lines = Lines(d);
        ext = Text(d, kExtName);
        command = Text(d, kExtCommand);
        add = Enabled(d, kExtAdd);
        del = Enabled(d, kExtDelete);
        write = Enabled(d, kExtWrite);
        defId = DefaultId(d);
    });
    EXPECT_EQ(3u, lines.size());
    EXPECT_EQ("", ext);
    EXPECT_EQ("", command);
    EXPECT_TRUE(add);
    EXPECT_TRUE(del);
    EXPECT_FALSE(write);
    EXPECT_EQ(kExtWrite, defId);
    EXPECT_EQ(before, Slurp(ini.Path()));
}

TEST(ExtDialog, ChangeWithAFilledFieldButNoLineTakenIsRefused) {
    TempIni ini(kThreeLines);
    Strings before, after;
    std::string ext, command;
    bool write = true;
    RunDialog([&](HWND d) {
        before = Lines(d);
        Select(d, 1);
        SetText(d, kExtName, "NEW");
        SetText(d, kExtCommand, "new.exe");
        Click(d, kExtChange);
        after = Lines(d);
        ext = Text(d, kExtName);
        command = Text(d, kExtCommand);
        write = Enabled(d, kExtWrite);
    });
    EXPECT_EQ(before, after);
    EXPECT_EQ("NEW", ext);
    EXPECT_EQ("new.exe", command);
    EXPECT_FALSE(write);
}

TEST(ExtDialog, ChangeTakesTheLineAndPutsTheEditedOneBackInItsPlace) {
    TempIni ini(kThreeLines);
    std::string takenExt, takenCommand;
    bool addWhileEditing = true, deleteWhileEditing = true, writeWhileEditing = true;
    bool focusOnExt = false, changeLooksDefault = false, writeLooksDefault = true;
    int defWhileEditing = 0, defAfter = 0;
    Strings linesWhileEditing, linesAfter, linesAfterSecondTry;
    std::string extAfter = "?", commandAfter = "?";
    bool addAfter = false, deleteAfter = false, writeAfter = false, writeLooksDefaultAfter = false;
    RunDialog([&](HWND d) {
        Select(d, 1);  // TXT
        Click(d, kExtChange);
        takenExt = Text(d, kExtName);
        takenCommand = Text(d, kExtCommand);
        focusOnExt = GetFocus() == GetDlgItem(d, kExtName);
        defWhileEditing = DefaultId(d);
        changeLooksDefault = HasDefaultLook(d, kExtChange);
        writeLooksDefault = HasDefaultLook(d, kExtWrite);
        addWhileEditing = Enabled(d, kExtAdd);
        deleteWhileEditing = Enabled(d, kExtDelete);
        writeWhileEditing = Enabled(d, kExtWrite);
        linesWhileEditing = Lines(d);
        // The line goes back where it was taken, whatever is selected now.
        Select(d, 2);
        SetText(d, kExtName, "DOC");
        SetText(d, kExtCommand, "wordpad.exe \"%F\"");
        Click(d, kExtChange);
        linesAfter = Lines(d);
        extAfter = Text(d, kExtName);
        commandAfter = Text(d, kExtCommand);
        addAfter = Enabled(d, kExtAdd);
        deleteAfter = Enabled(d, kExtDelete);
        writeAfter = Enabled(d, kExtWrite);
        defAfter = DefaultId(d);
        writeLooksDefaultAfter = HasDefaultLook(d, kExtWrite) && !HasDefaultLook(d, kExtChange);
        // Editing has ended: a filled field does not replace another line.
        Select(d, 0);
        SetText(d, kExtName, "XYZ");
        Click(d, kExtChange);
        linesAfterSecondTry = Lines(d);
        SetText(d, kExtName, "");
        Click(d, kExtWrite);
    });
    EXPECT_EQ("TXT", takenExt);
    EXPECT_EQ("notepad.exe \"%F\"", takenCommand);
    EXPECT_TRUE(focusOnExt);
    EXPECT_EQ(kExtChange, defWhileEditing);
    EXPECT_TRUE(changeLooksDefault);
    EXPECT_FALSE(writeLooksDefault);
    EXPECT_FALSE(addWhileEditing);
    EXPECT_FALSE(deleteWhileEditing);
    EXPECT_FALSE(writeWhileEditing);
    EXPECT_EQ(3u, linesWhileEditing.size());  // taking a line does not remove it yet
    EXPECT_EQ((Strings{"BMP=mspaint.exe \"%F\"", "DOC=wordpad.exe \"%F\"", "ZIP=unzip.exe -d \"%F\""}),
              linesAfter);
    EXPECT_EQ("", extAfter);
    EXPECT_EQ("", commandAfter);
    EXPECT_TRUE(addAfter);
    EXPECT_TRUE(deleteAfter);
    EXPECT_TRUE(writeAfter);
    EXPECT_EQ(kExtWrite, defAfter);
    EXPECT_TRUE(writeLooksDefaultAfter);
    EXPECT_EQ(linesAfter, linesAfterSecondTry);
    EXPECT_EQ((Strings{"BMP", "DOC", "ZIP"}), ini.Keys("EXP_EXEC"));
    EXPECT_EQ("wordpad.exe \"%F\"", ini.Value("EXP_EXEC", "DOC"));
    EXPECT_EQ("mspaint.exe \"%F\"", ini.Value("EXP_EXEC", "BMP"));
}

TEST(ExtDialog, ChangeStepsOverShiftJisAndUpperCasesTheExtension) {
    // ソ and 表 end in the byte of a backslash; 連 has a lead byte too.
    TempIni ini("[EXP_EXEC]\r\nJPG=C:\\ソフト\\表示.exe \"%F\" -t=1\r\n");
    std::string ext, command, lowered;
    Strings after;
    RunDialog([&](HWND d) {
        Select(d, 0);
        Click(d, kExtChange);
        ext = Text(d, kExtName);
        command = Text(d, kExtCommand);
        // With the field's own conversion off the program still upper-cases.
        HWND field = GetDlgItem(d, kExtName);
        SetWindowLongA(field, GWL_STYLE, GetWindowLongA(field, GWL_STYLE) & ~ES_UPPERCASE);
        SetText(d, kExtName, "jpeg");
        lowered = Text(d, kExtName);
        SetText(d, kExtCommand, "連携.exe a=b");
        Click(d, kExtChange);
        after = Lines(d);
        Click(d, kExtWrite);
    });
    EXPECT_EQ("JPG", ext);
    EXPECT_EQ("jpeg", lowered);
    EXPECT_EQ("C:\\ソフト\\表示.exe \"%F\" -t=1", command);
    EXPECT_EQ((Strings{"JPEG=連携.exe a=b"}), after);
    EXPECT_EQ((Strings{"JPEG"}), ini.Keys("EXP_EXEC"));
    EXPECT_EQ("連携.exe a=b", ini.Value("EXP_EXEC", "JPEG"));
}

TEST(ExtDialog, DeleteRemovesTheSelectedLineAndWriteStoresTheRest) {
    TempIni ini(kThreeLines);
    Strings afterNoSelection, afterDelete;
    bool writeAfterNoSelection = true, writeAfterDelete = false;
    RunDialog([&](HWND d) {
        Select(d, -1);
        Click(d, kExtDelete);
        afterNoSelection = Lines(d);
        writeAfterNoSelection = Enabled(d, kExtWrite);
        Select(d, 2);  // ZIP
        Click(d, kExtDelete);
        afterDelete = Lines(d);
        writeAfterDelete = Enabled(d, kExtWrite);
        Click(d, kExtWrite);
    });
    EXPECT_EQ(3u, afterNoSelection.size());
    EXPECT_FALSE(writeAfterNoSelection);
    EXPECT_EQ((Strings{"BMP=mspaint.exe \"%F\"", "TXT=notepad.exe \"%F\""}), afterDelete);
    EXPECT_TRUE(writeAfterDelete);
    EXPECT_EQ((Strings{"BMP", "TXT"}), ini.Keys("EXP_EXEC"));
    EXPECT_EQ("<none>", ini.Value("EXP_EXEC", "ZIP"));
}

TEST(ExtDialog, WriteOnAnEmptiedListRemovesTheSection) {
    TempIni ini(kThreeLines);
    RunDialog([&](HWND d) {
        for (int i = 0; i < 3; ++i) {
            Select(d, 0);
            Click(d, kExtDelete);
        }
        EXPECT_TRUE(Lines(d).empty());
        Click(d, kExtWrite);
    });
    EXPECT_EQ((Strings{"QRNInit", "Other"}), ini.Sections());
    EXPECT_EQ(std::string::npos, Slurp(ini.Path()).find("EXP_EXEC"));
    EXPECT_EQ("1", ini.Value("Other", "x"));
}

// Far more keys than a 256-byte list of key names holds: all of them are
// listed, and writing the section back loses none.
TEST(ExtDialog, ALongSectionIsListedAndWrittenBackWhole) {
    std::string content = "[EXP_EXEC]\r\n";
    Strings expected;
    for (int i = 0; i < 150; ++i) {
        char key[8];
        std::snprintf(key, sizeof key, "E%03d", i);
        content += std::string(key) + "=view.exe %F\r\n";
        expected.push_back(std::string(key) + "=view.exe %F");
    }
    TempIni ini(content + "[Other]\r\nx=1\r\n");
    Strings lines;
    RunDialog([&](HWND d) {
        lines = Lines(d);
        Select(d, 0);
        Click(d, kExtDelete);
        Click(d, kExtWrite);
    });
    EXPECT_EQ(expected, lines);
    const Strings keys = ini.Keys("EXP_EXEC");
    ASSERT_EQ(149u, keys.size());
    EXPECT_EQ("E001", keys.front());
    EXPECT_EQ("E149", keys.back());
    EXPECT_EQ("view.exe %F", ini.Value("EXP_EXEC", "E149"));
    EXPECT_EQ("1", ini.Value("Other", "x"));
}

TEST(ExtDialog, CancelAndTheCloseBoxWriteNothing) {
    TempIni ini(kThreeLines);
    const std::string before = Slurp(ini.Path());
    bool closedByCancel = false, closedByCloseBox = false;
    RunDialog([&](HWND d) {
        SetText(d, kExtName, "DOC");
        Click(d, kExtAdd);
        Select(d, 0);
        Click(d, kExtDelete);
        Click(d, IDCANCEL);
        closedByCancel = !IsWindowVisible(d);
    });
    EXPECT_TRUE(closedByCancel);
    EXPECT_EQ(before, Slurp(ini.Path()));
    RunDialog([&](HWND d) {
        EXPECT_EQ(3u, Lines(d).size());
        SetText(d, kExtName, "DOC");
        Click(d, kExtAdd);
        SendMessageA(d, WM_CLOSE, 0, 0);
        closedByCloseBox = !IsWindowVisible(d);
    });
    EXPECT_TRUE(closedByCloseBox);
    EXPECT_EQ(before, Slurp(ini.Path()));
}

TEST(ExtDialog, TypedLettersOfTheExtensionBecomeUpperCase) {
    TempIni ini("");
    std::string typed;
    Strings lines;
    RunDialog([&](HWND d) {
        HWND edit = GetDlgItem(d, kExtName);
        SetFocus(edit);
        for (char c : std::string("bmp"))
            SendMessageA(edit, WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(c)), 1);
        typed = Text(d, kExtName);
        SetText(d, kExtCommand, "view.exe");
        Click(d, kExtAdd);
        lines = Lines(d);
        Click(d, kExtWrite);
    });
    EXPECT_EQ("BMP", typed);
    EXPECT_EQ((Strings{"BMP=view.exe"}), lines);
    EXPECT_EQ("view.exe", ini.Value("EXP_EXEC", "BMP"));
}

TEST(ExtDialog, BrowseFillsTheCommandWithThePathAndTheFilePlaceholder) {
    TempIni ini("");
    ini.Tree().File("viewer.exe", "MZ");
    const std::string exe = ini.Tree() / "viewer.exe";
    std::string command, chooserTitle;
    int strays = -1;
    bool forced = true;
    RunDialog([&](HWND d) {
        SetText(d, kExtCommand, "old.exe");
        ChooserAnswer answer(exe);
        Click(d, kExtBrowse);
        command = Text(d, kExtCommand);
        chooserTitle = answer.Plan().title;
        strays = answer.Plan().strayPopups;
        forced = answer.Plan().forcedClose;
    });
    EXPECT_EQ("FileSelect", chooserTitle);
    EXPECT_EQ(0, strays);
    EXPECT_FALSE(forced);
    EXPECT_EQ(exe + " \"%F\"", command);
}

TEST(ExtDialog, BrowseCancelledLeavesTheCommandAlone) {
    TempIni ini("");
    std::string command, chooserTitle;
    RunDialog([&](HWND d) {
        SetText(d, kExtCommand, "old.exe");
        ChooserAnswer answer("");
        Click(d, kExtBrowse);
        command = Text(d, kExtCommand);
        chooserTitle = answer.Plan().title;
    });
    EXPECT_EQ("FileSelect", chooserTitle);
    EXPECT_EQ("old.exe", command);
}

TEST(ExtDialog, SplitsALineAtItsFirstEqualsSign) {
    char key[16], value[32];
    SplitExtLine("TXT=a=b", key, sizeof key, value, sizeof value);
    EXPECT_STREQ("TXT", key);
    EXPECT_STREQ("a=b", value);
    SplitExtLine("\x95\x5c\x83\x5c=x", key, sizeof key, value, sizeof value);  // 表ソ
    EXPECT_STREQ("\x95\x5c\x83\x5c", key);
    EXPECT_STREQ("x", value);
    SplitExtLine("=only", key, sizeof key, value, sizeof value);
    EXPECT_STREQ("", key);
    EXPECT_STREQ("only", value);
    SplitExtLine("NOEQUALS", key, sizeof key, value, sizeof value);
    EXPECT_STREQ("NOEQUALS", key);
    EXPECT_STREQ("", value);
    // A stray lead byte does not swallow the "=" behind it.
    SplitExtLine("A\x83=v", key, sizeof key, value, sizeof value);
    EXPECT_STREQ("v", value);
    // Cut at a character boundary when a part does not fit.
    char small[4];
    SplitExtLine("AB\x95\x5c=v", small, sizeof small, value, sizeof value);
    EXPECT_STREQ("AB", small);
    EXPECT_STREQ("v", value);
}

TEST(FileSelect, ReturnsTheChosenFullPathWithExecutablesOffered) {
    TempTree t;
    t.File("tool.exe", "MZ");
    const std::string exe = t / "tool.exe";
    char result[kPathSize] = "junk";
    int r = -1;
    FileDialogPlan plan;
    {
        ChooserAnswer answer(exe);
        r = FileSelect(nullptr, result, sizeof result);
        plan = answer.Plan();
    }
    EXPECT_EQ(1, r);
    EXPECT_EQ(exe, result);
    EXPECT_EQ("FileSelect", plan.title);
    EXPECT_EQ("実行ファイル(*.exe)", plan.filter);
    EXPECT_EQ("*.exe", plan.initialName);
    EXPECT_EQ(0, plan.strayPopups);
}

TEST(FileSelect, CancelGivesZero) {
    char result[kPathSize] = "junk";
    int r = -1;
    {
        ChooserAnswer answer("");
        r = FileSelect(nullptr, result, sizeof result);
        EXPECT_TRUE(answer.Plan().answered);
    }
    EXPECT_EQ(0, r);
    EXPECT_STREQ("", result);
}

TEST(FileSelect, RefusesAPathThatDoesNotFit) {
    TempTree t;
    t.File("tool.exe", "MZ");
    const std::string exe = t / "tool.exe";
    std::vector<char> result(exe.size(), 'x');  // one byte short of the NUL
    int r = -1;
    {
        ChooserAnswer answer(exe);
        r = FileSelect(nullptr, result.data(), result.size());
        EXPECT_TRUE(answer.Plan().answered);
    }
    EXPECT_EQ(0, r);
    EXPECT_EQ('\0', result[0]);
}
