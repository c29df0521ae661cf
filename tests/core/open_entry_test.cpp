// Opening entries: walking the tree, the extension chain and the launch
// commands, against a recording platform.
#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "base/prompts.h"
#include "fake_profile.h"
#include "launch/open_entry.h"

namespace qrn {
namespace {

struct Row {
    std::string name;
    std::uint32_t attributes;
};

class RecordingPlatform : public LaunchPlatform {
public:
    std::vector<std::string> log;                   // what was done, in order
    std::map<std::string, std::vector<Row>> dirs;   // what ReadDirectory finds
    std::map<std::string, std::string> programs;    // name -> associated program
    std::map<std::string, std::string> extensions;  // the system's "Extensions"
    int failRuns = 0;                               // the next n starts fail
    bool hasBuiltInPager = true;
    Listing* listing = nullptr;

    bool Run(const char* command) override {
        log.push_back(std::string("run ") + command);
        if (failRuns > 0) {
            --failRuns;
            return false;
        }
        return true;
    }
    void ShellOpen(void*, const char* path) override { log.push_back(std::string("open ") + path); }
    bool FindProgramFor(const char* name, char* out, std::size_t size) override {
        auto it = programs.find(name);
        if (it == programs.end()) return false;
        std::snprintf(out, size, "%s", it->second.c_str());
        return true;
    }
    void SystemExtension(const char* ext, char* out, std::size_t size) override {
        auto it = extensions.find(ext);
        std::snprintf(out, size, "%s", it == extensions.end() ? "" : it->second.c_str());
    }
    void PlaySoundFile(const char* path) override { log.push_back(std::string("play ") + path); }
    bool BuiltInPager(void*, const char* name) override {
        if (!hasBuiltInPager) return false;
        log.push_back(std::string("pager ") + name);
        return true;
    }
    bool SystemDirectory(char* out, std::size_t size) override {
        std::snprintf(out, size, "C:\\WINDOWS\\SYSTEM");
        return true;
    }
    int ReadDirectory(void*) override {
        Listing& l = *listing;
        log.push_back(std::string("read ") + l.CurrentDir);
        l.table.EntryCount = 0;
        for (const Row& r : dirs[l.CurrentDir]) {
            FileEntry& e = l.table.rows[l.table.EntryCount++];
            std::memset(&e, 0, sizeof e);
            std::snprintf(e.name, sizeof e.name, "%s", r.name.c_str());
            e.attributes = r.attributes;
            e.ext = (r.attributes & kAttrDirectory) ? 0 : ExtensionIndex(e.name);
        }
        return l.table.EntryCount;
    }
    ShortPathFn ShortPath() override { return nullptr; }
};

class ScriptedPrompts : public Prompts {
public:
    std::vector<std::string> messages;    // title|text
    std::deque<int> answers;              // message answers, Cancel when none left
    std::vector<std::string> inputs;      // title|initial text
    std::deque<std::string> lines;        // typed lines; an empty deque cancels
    int Message(void*, const char* text, const char* title, unsigned) override {
        messages.push_back(std::string(title) + "|" + text);
        if (answers.empty()) return kIdCancel;
        int a = answers.front();
        answers.pop_front();
        return a;
    }
    void Beep() override {}
    bool InputLine(void*, const char* title, char* text, std::size_t size) override {
        inputs.push_back(std::string(title) + "|" + text);
        if (lines.empty()) return false;
        std::snprintf(text, size, "%s", lines.front().c_str());
        lines.pop_front();
        return true;
    }
};

constexpr std::uint32_t kDir = kAttrDirectory, kFile = kAttrArchive;

struct OpenTest : ::testing::Test {
    Listing& l = qrn::test::TestListing();
    Settings s;
    test::FakeProfile ini;
    RecordingPlatform platform;
    ScriptedPrompts ui;
    char remembered[kPathSize] = "";
    LaunchContext c{l, s, ini, platform, nullptr, remembered, "C:\\WINDOWS\\SYSTEM32\\cmd.exe"};
    Modifiers none, shift{true, false}, ctrl{false, true};

    void SetUp() override {
        ResetListing(l);
        std::memset(&s, 0, sizeof s);
        std::strcpy(s.Editor, "notepad.exe");
        platform.listing = &l;
        l.EntriesPerPage = 4;
        platform.dirs["C:\\A\\B\\"] = {{".", kDir}, {"..", kDir}, {"C", kDir}, {"readme.txt", kFile},
                                      {"setup.exe", kFile}, {"ding.wav", kFile}, {"go.lnk", kFile},
                                      {"notes", kFile}, {"a b.txt", kFile}};
        platform.dirs["C:\\A\\"] = {{".", kDir}, {"..", kDir}, {"1", kDir}, {"2", kDir},
                                    {"3", kDir}, {"4", kDir}, {"b", kDir}};
        platform.dirs["C:\\"] = {{"SYS", kAttrLabel}, {"A", kDir}, {"WINDOWS", kDir}};
        platform.dirs["C:\\A\\B\\C\\"] = {{".", kDir}, {"..", kDir}, {"x.txt", kFile}};
        Go("C:\\A\\B\\");
        SetPrompts(&ui);
    }
    void TearDown() override { SetPrompts(nullptr); }
    void Go(const char* dir) {
        std::strcpy(l.CurrentDir, dir);
        platform.ReadDirectory(nullptr);
        platform.log.clear();
    }
    void On(const char* name) {
        for (int i = 0; i < l.table.EntryCount; ++i)
            if (std::strcmp(l.table.rows[i].name, name) == 0) {
                l.CursorIndex = i;
                return;
            }
        FAIL() << name;
    }
    std::string Log() {
        std::string all;
        for (auto& e : platform.log) all += e + "\n";
        return all;
    }
    std::string CursorName() { return l.table.rows[l.CursorIndex].name; }
};

TEST_F(OpenTest, WalkingDownAndBack) {
    SetMark(l.table, 3, true);
    On("C");
    EXPECT_EQ(OpenEntry(c, kOpenEnter, none), 2);
    EXPECT_STREQ(l.CurrentDir, "C:\\A\\B\\C\\");
    EXPECT_EQ(l.CursorIndex, 1);
    EXPECT_EQ(l.table.MarkedCount, 0);
    EXPECT_EQ(l.table.MarkedBytes, 0u);
    On("..");
    EXPECT_EQ(OpenEntry(c, kOpenEnter, none), 2);
    EXPECT_STREQ(l.CurrentDir, "C:\\A\\B\\");
    EXPECT_EQ(CursorName(), "C");
    EXPECT_EQ(OpenEntry(c, kOpenParent, none), 2);
    EXPECT_STREQ(l.CurrentDir, "C:\\A\\");
    // The directory left is found whatever its case, on the second page.
    EXPECT_EQ(CursorName(), "b");
    EXPECT_EQ(l.PageNumber, 2);
    EXPECT_EQ(l.TopIndex, 4);
}

TEST_F(OpenTest, BackslashGoesToTheRootOnTheFirstLevelDirectory) {
    EXPECT_EQ(OpenEntry(c, kOpenRoot, none), 2);
    EXPECT_STREQ(l.CurrentDir, "C:\\");
    EXPECT_EQ(CursorName(), "A");
    EXPECT_EQ(l.PageNumber, 1);
    // At the root there is no parent: nothing changes.
    EXPECT_EQ(OpenEntry(c, kOpenParent, none), 0);
    EXPECT_STREQ(l.CurrentDir, "C:\\");
}

TEST_F(OpenTest, ParentOfADirectoryWithABackslashTrailByte) {
    // "ソ" is 0x83 0x5C: its trail byte must not be taken for a separator.
    platform.dirs["C:\\\x83\x5C\\"] = {{".", kDir}, {"..", kDir}, {"\x83\x5C\x83\x5C", kDir}};
    Go("C:\\\x83\x5C\\\x83\x5C\x83\x5C\\");
    EXPECT_EQ(OpenEntry(c, kOpenParent, none), 2);
    EXPECT_STREQ(l.CurrentDir, "C:\\\x83\x5C\\");
    EXPECT_EQ(CursorName(), "\x83\x5C\x83\x5C");
}

TEST_F(OpenTest, APathThatWouldNotFitIsNotEntered) {
    std::string deep = "C:\\" + std::string(240, 'd') + "\\";
    std::string name(30, 'n');
    platform.dirs[deep] = {{".", kDir}, {"..", kDir}, {name, kDir}};
    Go(deep.c_str());
    On(name.c_str());
    EXPECT_EQ(OpenEntry(c, kOpenEnter, none), 0);
    EXPECT_EQ(l.CurrentDir, deep);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0], std::string("Error!!|") + kPathTooLong);
}

TEST_F(OpenTest, TheRememberedDirectory) {
    On(".");
    EXPECT_EQ(OpenEntry(c, kOpenEnter, none), 0);
    EXPECT_STREQ(remembered, "C:\\A\\B\\");
    EXPECT_TRUE(ui.messages.empty());
    Go("C:\\A\\B\\C\\");
    On(".");
    ui.answers = {kIdNo, kIdYes, kIdCancel};
    OpenEntry(c, kOpenEnter, none);
    EXPECT_STREQ(remembered, "C:\\A\\B\\");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0], "記憶ディレクトリ|C:\\A\\B\\ ==> C:\\A\\B\\C\\\r\r記憶する　　[はい]\r"
                              "クリアする　[キャンセル]\r何もしない　[いいえ]");
    OpenEntry(c, kOpenEnter, none);
    EXPECT_STREQ(remembered, "C:\\A\\B\\C\\");
    OpenEntry(c, kOpenEnter, none);
    EXPECT_STREQ(remembered, "");
}

TEST_F(OpenTest, WavExeComAndLnk) {
    On("ding.wav");
    OpenEntry(c, kOpenEnter, shift);  // the sound comes before Shift
    On("setup.exe");
    OpenEntry(c, kOpenEnter, none);
    On("go.lnk");
    OpenEntry(c, kOpenEnter, none);
    EXPECT_EQ(Log(), "play C:\\A\\B\\ding.wav\nrun C:\\A\\B\\setup.exe\nopen C:\\A\\B\\go.lnk\n");
}

TEST_F(OpenTest, ShiftEditsCtrlViews) {
    On("setup.exe");
    s.EditLongName = 1;
    OpenEntry(c, kOpenEnter, shift);
    OpenEntry(c, kOpenEnter, ctrl);
    EXPECT_EQ(Log(), "run notepad.exe \"C:\\A\\B\\setup.exe\"\npager setup.exe\n");
}

TEST_F(OpenTest, AFailedEditorFallsBackToNotepad) {
    std::strcpy(s.Editor, "myedit %F");
    On("a b.txt");
    platform.failRuns = 1;
    OpenEntry(c, kOpenEnter, shift);
    EXPECT_EQ(Log(), "run myedit C:\\A\\B\\a b.txt\nrun notepad.exe C:\\A\\B\\a b.txt\n");
}

TEST_F(OpenTest, ExtensionLinkedCommands) {
    On("readme.txt");
    ini.WriteString("EXP_EXEC", "TXT", "*");
    OpenEntry(c, kOpenEnter, none);
    ini.WriteString("EXP_EXEC", "TXT", "*system");
    OpenEntry(c, kOpenEnter, none);
    ini.WriteString("EXP_EXEC", "TXT", "myedit %F");
    OpenEntry(c, kOpenEnter, none);
    ini.WriteString("EXP_EXEC", "TXT", "myedit");
    OpenEntry(c, kOpenEnter, none);
    EXPECT_EQ(Log(), "pager readme.txt\nopen C:\\A\\B\\readme.txt\nrun myedit C:\\A\\B\\readme.txt\nrun myedit\n");
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(OpenTest, TheRegistrationPrompt) {
    platform.programs["readme.txt"] = "C:\\WINDOWS\\notepad.exe";
    On("readme.txt");
    ui.answers = {kIdCancel, kIdNo, kIdYes};
    OpenEntry(c, kOpenEnter, none);
    EXPECT_EQ(Log(), "");
    EXPECT_FALSE(ini.Has("EXP_EXEC", "TXT"));
    OpenEntry(c, kOpenEnter, none);
    EXPECT_FALSE(ini.Has("EXP_EXEC", "TXT"));
    OpenEntry(c, kOpenEnter, none);
    ASSERT_TRUE(ini.Has("EXP_EXEC", "TXT"));
    EXPECT_EQ(*ini.Find("EXP_EXEC", "TXT"), "*system");
    EXPECT_EQ(Log(), "open C:\\A\\B\\readme.txt\nopen C:\\A\\B\\readme.txt\n");
    ASSERT_EQ(ui.messages.size(), 3u);
    EXPECT_EQ(ui.messages[0], "拡張子連動の登録|C:\\WINDOWS\\notepad.exe\r\rＱＲＮの拡張子連動として登録しますか？");
    // Registered now: no more questions.
    OpenEntry(c, kOpenEnter, none);
    EXPECT_EQ(ui.messages.size(), 3u);
}

TEST_F(OpenTest, AFileWithoutExtensionIsNeverRegisteredUnderAnEmptyKey) {
    platform.programs["notes"] = "C:\\WINDOWS\\notepad.exe";
    On("notes");
    ui.answers = {kIdYes};
    OpenEntry(c, kOpenEnter, none);
    EXPECT_FALSE(ini.Has("EXP_EXEC", ""));
    EXPECT_EQ(Log(), "open C:\\A\\B\\notes\n");
}

TEST_F(OpenTest, TheSystemExtensionsSection) {
    platform.extensions["txt"] = "notepad.exe ^.txt";
    On("a b.txt");
    OpenEntry(c, kOpenEnter, none);
    On("readme.txt");
    OpenEntry(c, kOpenEnter, none);
    platform.extensions["txt"] = "viewer.exe";
    OpenEntry(c, kOpenEnter, none);
    EXPECT_EQ(Log(), "run notepad.exe \"a b.txt\"\nrun notepad.exe readme.txt\npager readme.txt\n");
}

TEST_F(OpenTest, NothingRegisteredEndsInThePager) {
    On("notes");
    OpenEntry(c, kOpenEnter, none);
    std::strcpy(s.Pager, "more.exe");
    OpenEntry(c, kOpenEnter, none);
    platform.failRuns = 1;
    s.EditLongName = 1;
    OpenEntry(c, kOpenEnter, none);
    EXPECT_EQ(Log(), "pager notes\nrun more.exe C:\\A\\B\\notes\nrun more.exe \"C:\\A\\B\\notes\"\n"
                     "run notepad.exe \"C:\\A\\B\\notes\"\n");
}

TEST_F(OpenTest, EditWithTheCommandLine) {
    s.EditLongName = 1;
    On("a b.txt");
    ui.lines = {"notepad.exe changed"};
    EXPECT_EQ(OpenEntry(c, kOpenEdit, none), 0);
    ASSERT_EQ(ui.inputs.size(), 1u);
    EXPECT_EQ(ui.inputs[0], "ファイルの編集|notepad.exe \"C:\\A\\B\\a b.txt\"");
    // Directories too; a cancelled line runs nothing.
    On("C");
    OpenEntry(c, kOpenEdit, none);
    EXPECT_EQ(ui.inputs[1], "ファイルの編集|notepad.exe \"C:\\A\\B\\C\"");
    EXPECT_EQ(Log(), "run notepad.exe changed\n");
}

TEST_F(OpenTest, ExecuteShellAndInterpreter) {
    On("C");
    ExecuteCommand(c);  // not a plain file
    EXPECT_TRUE(ui.inputs.empty());
    On("setup.exe");
    ui.lines = {"setup.exe /q", "dir", "bad"};
    ExecuteCommand(c);
    ShellCommand(c);
    platform.failRuns = 1;
    ShellCommand(c);
    CommandInterpreter(c);
    EXPECT_EQ(ui.inputs[0], "コマンド実行|setup.exe");
    EXPECT_EQ(ui.inputs[1], "Shell Command|");
    EXPECT_EQ(Log(), "run setup.exe /q\nrun dir\nrun bad\nrun C:\\WINDOWS\\SYSTEM32\\cmd.exe /k bad\n"
                     "run C:\\WINDOWS\\SYSTEM32\\cmd.exe\n");
}

TEST_F(OpenTest, QuickViewerAndView) {
    On("readme.txt");
    s.EditLongName = 1;
    QuickViewer(c);
    ViewCommand(c);
    std::strcpy(s.Pager, "more.exe");
    ViewCommand(c);  // the built-in viewer whatever the Pager setting
    platform.hasBuiltInPager = false;
    ViewCommand(c);
    EXPECT_EQ(Log(), "run C:\\WINDOWS\\SYSTEM\\viewers\\quikview.exe \"C:\\A\\B\\readme.txt\"\n"
                     "pager readme.txt\npager readme.txt\nrun more.exe \"C:\\A\\B\\readme.txt\"\n");
}

TEST_F(OpenTest, TheFindMask) {
    std::strcpy(l.FileMask, "*.*");
    ui.lines = {"*.txt", "0123456789abcdef"};
    EXPECT_TRUE(FindMaskCommand(c));
    EXPECT_STREQ(l.FileMask, "*.txt");
    EXPECT_EQ(ui.inputs[0], "File Find  Input WildCard or FileName|*.*");
    EXPECT_FALSE(FindMaskCommand(c));
    EXPECT_STREQ(l.FileMask, "*.txt");
    EXPECT_EQ(ui.messages.back(), std::string("Error!!|") + kMaskTooLong);
    EXPECT_FALSE(FindMaskCommand(c));  // cancelled
}

TEST_F(OpenTest, OverlongCommandsAreRefused) {
    // 7 + 250 bytes: a valid path, but no command line of 255 bytes.
    std::string name(246, 'x');
    name += ".exe";
    platform.dirs["C:\\A\\B\\"].push_back({name, kFile});
    Go("C:\\A\\B\\");
    On(name.c_str());
    OpenEntry(c, kOpenEnter, none);
    EXPECT_EQ(Log(), "");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0], std::string("Error!!|") + kCommandTooLong);
}

int g_stopAfter = 0;
bool StopAfterCount() { return --g_stopAfter == 0; }

TEST_F(OpenTest, EnterOverMarkedFiles) {
    ini.WriteString("EXP_EXEC", "TXT", "rec %>");
    On("a b.txt");
    const int cursor = l.CursorIndex;
    for (const char* n : {"C", "readme.txt", "notes", "a b.txt"}) {
        On(n);
        SetMark(l.table, l.CursorIndex, true);
    }
    l.CursorIndex = cursor;
    g_stopAfter = 100;
    EXPECT_FALSE(OpenMarkedEntries(c, none, StopAfterCount));
    EXPECT_EQ(Log(), "run rec readme.txt\npager notes\nrun rec \"a b.txt\"\n");
    EXPECT_EQ(l.CursorIndex, cursor);
    platform.log.clear();
    g_stopAfter = 1;
    EXPECT_TRUE(OpenMarkedEntries(c, none, StopAfterCount));
    EXPECT_EQ(Log(), "run rec readme.txt\n");
    EXPECT_EQ(l.CursorIndex, cursor);
    EXPECT_EQ(l.table.MarkedCount, 4);
}

}  // namespace
}  // namespace qrn
