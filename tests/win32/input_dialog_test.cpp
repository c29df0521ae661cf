// The one-line input dialog, run for real from the test program. It is driven
// from its owner window: each time the dialog's message loop finds its queue
// empty it sends WM_ENTERIDLE to the owner, and each of those runs the next
// step of a script against the open dialog.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "app/main_window_win32.h"
#include "app/prompts_win32.h"
#include "base/startup.h"
#include "launch/input_dialog_win32.h"
#include "launch/input_history.h"
#include "temp_tree.h"

using namespace qrn;
using qrntest::TempTree;

namespace {

using Step = std::function<void(HWND dialog)>;

struct Script {
    std::vector<Step> steps;
    std::size_t next = 0;
    bool leftOpen = false;  // the steps ran out with the dialog still open
    bool timedOut = false;
    HWND dialog = nullptr;
};
Script* g_script = nullptr;

constexpr UINT_PTR kWatchdog = 1;

LRESULT CALLBACK OwnerProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_ENTERIDLE && wParam == MSGF_DIALOGBOX && g_script) {
        HWND dialog = reinterpret_cast<HWND>(lParam);
        g_script->dialog = dialog;
        if (g_script->next < g_script->steps.size()) {
            Step& step = g_script->steps[g_script->next++];
            step(dialog);
        } else {
            g_script->leftOpen = true;
            SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        }
        // Wakes the loop again in case the step queued nothing.
        if (IsWindow(dialog)) PostMessageA(dialog, WM_NULL, 0, 0);
        return 0;
    }
    if (msg == WM_TIMER && wParam == kWatchdog && g_script) {
        // Never reached in a passing run; only keeps a broken one from hanging.
        g_script->timedOut = true;
        if (g_script->dialog && IsWindow(g_script->dialog)) EndDialog(g_script->dialog, IDCANCEL);
        return 0;
    }
    return DefWindowProcA(window, msg, wParam, lParam);
}

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

std::string Caption(HWND w) {
    char text[256];
    int n = GetWindowTextA(w, text, sizeof text);
    return std::string(text, n > 0 ? static_cast<std::size_t>(n) : 0);
}
HWND Combo(HWND dialog) { return GetDlgItem(dialog, kIdInputLine); }
HWND Edit(HWND dialog) { return FindWindowExA(Combo(dialog), nullptr, "Edit", nullptr); }

std::vector<std::string> Listed(HWND dialog) {
    std::vector<std::string> out;
    HWND combo = Combo(dialog);
    LRESULT n = SendMessageA(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < n; ++i) {
        char item[kPathSize + 8] = {};
        SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item));
        out.push_back(item);
    }
    return out;
}

void Type(HWND dialog, const char* text) { SetWindowTextA(Combo(dialog), text); }
void Click(HWND dialog, int id) { SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }
void Key(HWND dialog, UINT vk) {
    HWND edit = Edit(dialog);
    PostMessageA(edit ? edit : Combo(dialog), WM_KEYDOWN, vk, 1);
}

constexpr const char* kMkdir = "ディレクトリの作成";
constexpr const char* kMkdirSection = "QRNHISTディレクトリの作成";
constexpr const char* kShell = "C:\\windows\\system32\\cmd.exe";

class InputDialog : public ::testing::Test {
protected:
    void SetUp() override {
        savedStartup = g_startup;
        savedInstance = g_window.Instance;
        std::snprintf(g_startup.IniPath, sizeof g_startup.IniPath, "%s", (tree / "qrn.ini").c_str());
        std::snprintf(g_startup.ShellPath, sizeof g_startup.ShellPath, "%s", kShell);
        g_window.Instance = GetModuleHandleA(nullptr);
        WNDCLASSA wc = {};
        wc.lpfnWndProc = OwnerProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "QrnInputDialogTestOwner";
        RegisterClassA(&wc);
        owner = CreateWindowA(wc.lpszClassName, "owner", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(owner, nullptr);
        SetTimer(owner, kWatchdog, 20000, nullptr);
    }
    void TearDown() override {
        if (owner) {
            KillTimer(owner, kWatchdog);
            DestroyWindow(owner);
        }
        UnregisterClassA("QrnInputDialogTestOwner", GetModuleHandleA(nullptr));
        g_startup = savedStartup;
        g_window.Instance = savedInstance;
    }

    void Ini(const std::string& text) { tree.File("qrn.ini", text); }
    std::string IniText() { return Slurp(tree / "qrn.ini"); }
    std::string Value(const char* section, const char* key) {
        char v[kPathSize];
        GetPrivateProfileStringA(section, key, "<none>", v, sizeof v, g_startup.IniPath);
        return v;
    }

    // Opens the dialog with the title and line and runs the steps. Every step
    // must run, and the dialog must have closed by the end of the last.
    int Run(const char* title, const char* text, std::vector<Step> steps) {
        std::snprintf(g_input.InputTitle, sizeof g_input.InputTitle, "%s", title);
        std::snprintf(g_input.InputText, sizeof g_input.InputText, "%s", text);
        g_window.DialogConfirmed = 7;
        Script script;
        script.steps = std::move(steps);
        g_script = &script;
        const int r = RunInputDialog(GetModuleHandleA(nullptr), owner);
        g_script = nullptr;
        EXPECT_EQ(script.steps.size(), script.next) << "steps run";
        EXPECT_FALSE(script.leftOpen) << "the dialog was still open after the last step";
        EXPECT_FALSE(script.timedOut);
        EXPECT_EQ(r, g_window.DialogConfirmed);
        return r;
    }

    TempTree tree;
    Startup savedStartup;
    HINSTANCE savedInstance = nullptr;
    HWND owner = nullptr;
};

}  // namespace

TEST_F(InputDialog, ShowsTitleLineAndHistoryInOrder) {
    Ini(std::string("[") + kMkdirSection + "]\n000=work\n001=ソフト\\表示\n002=old dir\n");
    const std::string before = IniText();
    const int r = Run(kMkdir, "start", {[](HWND d) {
                          EXPECT_EQ(kMkdir, Caption(d));
                          EXPECT_EQ((std::vector<std::string>{"work", "ソフト\\表示", "old dir"}), Listed(d));
                          EXPECT_EQ("start", Caption(Combo(d)));
                          EXPECT_FALSE(IsWindowVisible(GetDlgItem(d, kIdInputLower)));
                          EXPECT_TRUE(IsWindowVisible(GetDlgItem(d, IDOK)));
                          EXPECT_TRUE(IsWindowVisible(GetDlgItem(d, IDCANCEL)));
                          EXPECT_EQ("キャンセル", Caption(GetDlgItem(d, IDCANCEL)));
                          EXPECT_EQ("小文字に変更(&S)", Caption(GetDlgItem(d, kIdInputLower)));
                          HWND edit = Edit(d);
                          ASSERT_NE(edit, nullptr);
                          EXPECT_EQ(255, static_cast<int>(SendMessageA(edit, EM_GETLIMITTEXT, 0, 0)));
                          Click(d, IDCANCEL);
                      }});
    EXPECT_EQ(0, r);
    EXPECT_EQ(before, IniText());
}

TEST_F(InputDialog, TemplateLayoutAndCaption) {
    Ini("");
    Run("", "", {[](HWND d) {
            EXPECT_EQ("ファイル名の入力", Caption(d));
            RECT units = {0, 0, 194, 48}, client;
            MapDialogRect(d, &units);
            GetClientRect(d, &client);
            EXPECT_EQ(units.right, client.right);
            EXPECT_EQ(units.bottom, client.bottom);
            const LONG style = GetWindowLongA(Combo(d), GWL_STYLE);
            EXPECT_EQ(static_cast<LONG>(CBS_DROPDOWN), style & 3);
            EXPECT_EQ(0, style & CBS_SORT);
            EXPECT_NE(0, style & CBS_AUTOHSCROLL);
            EXPECT_EQ(static_cast<LRESULT>(MAKELONG(IDOK, DC_HASDEFID)), SendMessageA(d, DM_GETDEFID, 0, 0));
            // Every control lies inside the dialog.
            for (int id : {kIdInputLine, IDOK, IDCANCEL, kIdInputLower}) {
                HWND c = GetDlgItem(d, id);
                ASSERT_NE(c, nullptr) << id;
                RECT r;
                GetWindowRect(c, &r);
                MapWindowPoints(nullptr, d, reinterpret_cast<POINT*>(&r), 2);
                EXPECT_GE(r.left, 0) << id;
                EXPECT_GE(r.top, 0) << id;
                EXPECT_LE(r.right, client.right) << id;
                if (id != kIdInputLine) EXPECT_LE(r.bottom, client.bottom) << id;
            }
            Click(d, IDCANCEL);
        }});
}

TEST_F(InputDialog, OkPutsTheLineFirstInTheHistory) {
    Ini(std::string("[") + kMkdirSection + "]\n000=work\n001=ソフト\\表示\n");
    const int r = Run(kMkdir, "", {[](HWND d) {
                          Type(d, "newdir");
                          Click(d, IDOK);
                      }});
    EXPECT_EQ(1, r);
    EXPECT_STREQ("newdir", g_input.InputText);
    EXPECT_EQ("newdir", Value(kMkdirSection, "000"));
    EXPECT_EQ("work", Value(kMkdirSection, "001"));
    EXPECT_EQ("ソフト\\表示", Value(kMkdirSection, "002"));
    EXPECT_EQ("<none>", Value(kMkdirSection, "003"));
}

TEST_F(InputDialog, EnterAcceptsAndTheSameLineIsKeptTwice) {
    Ini("");
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(1, Run("Shell Command", "", {[](HWND d) {
                             Type(d, "dir /w");
                             Key(d, VK_RETURN);
                         }}));
    }
    EXPECT_EQ("dir /w", Value("QRNHISTShell Command", "000"));
    EXPECT_EQ("dir /w", Value("QRNHISTShell Command", "001"));
    EXPECT_EQ("<none>", Value("QRNHISTShell Command", "002"));
}

TEST_F(InputDialog, LongHandEditedHistoryIsListedWholeAndCutTo32) {
    std::string text = "[QRNHISTcopy]\n";
    char line[32];
    for (int i = 0; i < 40; ++i) {
        std::snprintf(line, sizeof line, "%03d=old%d\n", i, i);
        text += line;
    }
    Ini(text);
    EXPECT_EQ(1, Run("copy", "", {[](HWND d) {
                         EXPECT_EQ(40u, Listed(d).size());
                         Type(d, "new");
                         Click(d, IDOK);
                     }}));
    EXPECT_EQ("new", Value("QRNHISTcopy", "000"));
    EXPECT_EQ("old0", Value("QRNHISTcopy", "001"));
    EXPECT_EQ("old30", Value("QRNHISTcopy", "031"));
    EXPECT_EQ("<none>", Value("QRNHISTcopy", "032"));
    EXPECT_EQ("<none>", Value("QRNHISTcopy", "039"));
}

TEST_F(InputDialog, CancelEscapeAndCloseBoxLeaveEverything) {
    Ini(std::string("[") + kMkdirSection + "]\n000=work\n");
    const std::string before = IniText();
    EXPECT_EQ(0, Run(kMkdir, "x", {[](HWND d) {
                         Type(d, "typed");
                         Click(d, IDCANCEL);
                     }}));
    EXPECT_EQ(0, Run(kMkdir, "x", {[](HWND d) {
                         Type(d, "typed");
                         Key(d, VK_ESCAPE);
                     }}));
    EXPECT_EQ(0, Run(kMkdir, "x", {[](HWND d) {
                         Type(d, "typed");
                         SendMessageA(d, WM_SYSCOMMAND, SC_CLOSE, 0);
                     }}));
    EXPECT_EQ(0, g_window.DialogConfirmed);
    EXPECT_EQ(before, IniText());
}

TEST_F(InputDialog, EmptyLineKeepsAnOrdinaryDialogOpen) {
    Ini(std::string("[") + kMkdirSection + "]\n000=work\n");
    const std::string before = IniText();
    HWND seen = nullptr;
    EXPECT_EQ(0, Run(kMkdir, "start", {[&](HWND d) {
                                           seen = d;
                                           Type(d, "");
                                           Click(d, IDOK);
                                       },
                                       [&](HWND d) {
                                           EXPECT_EQ(seen, d);
                                           EXPECT_TRUE(IsWindowVisible(d));
                                           EXPECT_EQ((std::vector<std::string>{"work"}), Listed(d));
                                           Key(d, VK_RETURN);
                                       },
                                       [&](HWND d) {
                                           EXPECT_EQ(seen, d);
                                           Click(d, IDCANCEL);
                                       }}));
    EXPECT_EQ(before, IniText());
}

TEST_F(InputDialog, EmptyShellCommandRunsTheShellWithoutHistory) {
    Ini("[QRNHISTShell Command]\n000=ver\n");
    const std::string before = IniText();
    EXPECT_EQ(1, Run("Shell Command", "", {[](HWND d) {
                         EXPECT_EQ((std::vector<std::string>{"ver"}), Listed(d));
                         Click(d, IDOK);
                     }}));
    EXPECT_STREQ(kShell, g_input.InputText);
    EXPECT_EQ(before, IniText());
}

TEST_F(InputDialog, RenameShowsTheLowerCaseButtonWhichLowersAndAccepts) {
    Ini("");
    EXPECT_EQ(1, Run(kRenameTitle, "ReadMe.TXT", {[](HWND d) {
                         EXPECT_EQ(kRenameTitle, Caption(d));
                         EXPECT_TRUE(IsWindowVisible(GetDlgItem(d, kIdInputLower)));
                         Type(d, "アイ.TXT");  // 83 41: a trail byte that looks like 'A'
                         Click(d, kIdInputLower);
                     }}));
    EXPECT_STREQ("アイ.txt", g_input.InputText);
    EXPECT_EQ("アイ.txt", Value("QRNHISTファイル名の変更", "000"));
}

TEST_F(InputDialog, LowerCaseButtonDoesNothingOnAnEmptyLine) {
    Ini("");
    EXPECT_EQ(0, Run(kRenameTitle, "", {[](HWND d) { Click(d, kIdInputLower); },
                                        [](HWND d) {
                                            EXPECT_TRUE(IsWindowVisible(d));
                                            Click(d, IDCANCEL);
                                        }}));
    EXPECT_EQ("", IniText());
}

TEST_F(InputDialog, PromptsInputLineHandsTheLineOver) {
    Ini("");
    DialogPrompts prompts;
    char text[kPathSize] = "before";
    Script script;
    script.steps = {[](HWND d) {
        EXPECT_EQ("before", Caption(Combo(d)));
        Type(d, "after");
        Click(d, IDOK);
    }};
    g_script = &script;
    EXPECT_TRUE(prompts.InputLine(owner, kMkdir, text, sizeof text));
    EXPECT_STREQ("after", text);

    // Cancel gives false and leaves the text.
    script = Script();
    script.steps = {[](HWND d) { Click(d, IDCANCEL); }};
    EXPECT_FALSE(prompts.InputLine(owner, kMkdir, text, sizeof text));
    EXPECT_STREQ("after", text);

    // An accepted line that does not fit the caller's buffer.
    char small[4] = "ab";
    script = Script();
    script.steps = {[](HWND d) {
        Type(d, "abcdef");
        Click(d, IDOK);
    }};
    EXPECT_FALSE(prompts.InputLine(owner, kMkdir, small, sizeof small));
    EXPECT_EQ(script.steps.size(), script.next);

    // An initial line longer than the dialog holds: refused before it opens.
    std::string longLine(kPathSize + 10, 'z');
    std::vector<char> big(longLine.begin(), longLine.end());
    big.push_back('\0');
    script = Script();
    EXPECT_FALSE(prompts.InputLine(owner, kMkdir, big.data(), big.size()));
    EXPECT_EQ(nullptr, script.dialog);
    EXPECT_FALSE(script.leftOpen);
    g_script = nullptr;
    EXPECT_EQ("after", Value(kMkdirSection, "001"));
    EXPECT_EQ("abcdef", Value(kMkdirSection, "000"));
}
