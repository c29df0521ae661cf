// Command templates, opening entries against a recording platform, the input history.
#include <algorithm>
#include <random>

#include "launch/input_history.h"
#include "launch/open_entry.h"
#include "launch/registered.h"
#include "core_test.h"

using namespace qrn;
using namespace qrn::test;

namespace {

constexpr std::uint32_t kFolder = kAttrDirectory;

bool ShortOf(const char* path, char* out, std::size_t size) {
    return std::strcmp(path, "C:\\A\\B\\a b.txt") == 0 && std::snprintf(out, size, "C:\\A\\B\\AB~1.TXT") > 0;
}

// Directories to read and the system's "Extensions"; what is started is logged.
struct RecordingPlatform : LaunchPlatform {
    std::map<std::string, std::vector<FileEntry>> dirs;
    std::map<std::string, std::string> extensions;
    Strings log;
    int failRuns = 0;  // the next n starts fail
    Listing* listing = nullptr;

    bool Run(const char* command) override { return log.push_back(std::string("run ") + command), failRuns-- <= 0; }
    void ShellOpen(void*, const char* path) override { log.push_back(std::string("open ") + path); }
    void PlaySoundFile(const char* path) override { log.push_back(std::string("play ") + path); }
    bool BuiltInPager(void*, const FileEntry& e) override { return log.push_back(std::string("pager ") + e.name), true; }
    void SystemExtension(const char* ext, char* out, std::size_t size) override { std::snprintf(out, size, "%s", extensions[ext].c_str()); }
    bool FindProgramFor(const char*, char*, std::size_t) override { return false; }
    bool SystemDirectory(char*, std::size_t) override { return false; }
    int ReadDirectory(void*) override {
        log.push_back(std::string("read ") + listing->CurrentDir);
        const auto& rows = dirs[listing->CurrentDir];
        std::copy(rows.begin(), rows.end(), listing->table.rows);
        return listing->table.EntryCount = static_cast<int>(rows.size());
    }
    ShortPathFn ShortPath() override { return ShortOf; }
};

struct LaunchTest : ::testing::Test {
    Listing& l = TestListing();
    Settings s{};
    FakeProfile ini;
    RecordingPlatform platform;
    ScriptedPrompts ui;
    char remembered[kPathSize] = "";
    LaunchContext c{l, s, ini, platform, nullptr, remembered, "C:\\WIN\\cmd.exe"};
    const Modifiers none, shift{true, false}, ctrl{false, true};
    void SetUp() override {
        std::strcpy(s.Editor, "notepad.exe");
        platform.listing = &l;
        l.EntriesPerPage = 4;
        auto& b = platform.dirs["C:\\A\\B\\"];
        b = {Row(".", kFolder), Row("..", kFolder), Row("C", kFolder)};
        for (const char* name : {"readme.txt", "setup.exe", "ding.wav", "go.lnk", "notes", "a b.txt", "old.COM",
                                 "my file.lzh", "ABC.LZH", "long file name.txt", "long file name", "ソフト.txt"})
            b.push_back(Row(name));
        platform.dirs["C:\\A\\"] = {Row(".", kFolder), Row("..", kFolder), Row("1", kFolder), Row("2", kFolder),
                                    Row("3", kFolder), Row("4", kFolder), Row("b", kFolder)};
        platform.dirs["C:\\"] = {Row("A", kAttrLabel), Row("a", kFolder), Row("ソソ", kFolder)};
        platform.dirs["C:\\A\\B\\C\\"] = {Row(".", kFolder), Row("..", kFolder), Row("x.txt")};
        Go("C:\\A\\B\\");
    }
    void Go(const std::string& dir) {
        std::snprintf(l.CurrentDir, sizeof l.CurrentDir, "%s", dir.c_str());
        platform.ReadDirectory(nullptr);
    }
    // What opening name did, one line a step.
    std::string Open(const std::string& name, Modifiers m, int key = kOpenEnter, OpenResult result = kOpenDone) {
        for (l.CursorIndex = 0; l.CursorIndex < l.table.EntryCount && name != Cursor(); ++l.CursorIndex) {}
        platform.log.clear();
        EXPECT_EQ(result, OpenEntry(c, key, m)) << name;
        std::string all;
        for (auto& e : platform.log) all += (all.empty() ? "" : "\n") + e;
        return all;
    }
    std::string Expand(const std::string& tmpl, int subject, bool fits = true) {
        char out[kCommandSize + 8];
        std::memset(out, '#', sizeof out);
        EXPECT_EQ(fits, ExpandTemplate(tmpl.c_str(), out, kCommandSize, subject, l, ShortOf)) << tmpl;
        EXPECT_EQ('#', out[kCommandSize]);
        return out;
    }
    std::string Cursor() { return l.table.rows[l.CursorIndex].name; }
};

}  // namespace

TEST_F(LaunchTest, TemplatesAndTheirLimit) {
    // 0x83 0x5C is "ソ"; 0x81 0x25 carries a percent sign as trail byte, 0x81 0x3B a semicolon.
    const char sjis[] = {'\x83', '\x5C', '\x81', '%', 'F', '\x81', ';', ' ', '%', '>', 0};
    const struct { std::string tmpl; int subject; std::string command; } rows[] = {
        {"notepad %F", 8, "notepad C:\\A\\B\\a b.txt"}, {"lha x %>", 10, "lha x \"my file.lzh\""}, {"%>", 11, "ABC.LZH"},
        {"%&", 3, "readme"}, {"%&", 7, "notes"}, {"%&", 12, "\"long file name\""}, {"%&", 13, "\"long file name\""},
        {"%&", 14, "ソフト"}, {"[%|] [%:]", 0, "[C:] [\\A\\B\\]"}, {"v %S", 8, "v C:\\A\\B\\AB~1.TXT"},
        {"v %S", 3, "v C:\\A\\B\\readme.txt"},  // no short form (a vanished file): the long one
        {"cmd %> ;note", 4, "cmd setup.exe "}, {"100%", 4, "100%"}, {"%%F", 4, "%C:\\A\\B\\setup.exe"},
        {"%f %s %x", 4, "%f %s %x"}, {sjis, 3, "\x83\x5C\x81%F\x81; readme.txt"}, {"%F", 99, "C:\\A\\B\\"},
        {"view %] %[", 4, "view  "}};  // the cursor row only while rows are marked
    for (const auto& r : rows) EXPECT_EQ(r.command, Expand(r.tmpl, r.subject)) << r.tmpl;
    l.CursorIndex = 3;
    SetMark(l.table, 4, true);
    EXPECT_EQ("fc C:\\A\\B\\setup.exe readme.txt readme", Expand("fc %F %] %[", 4));
    const std::pair<const char*, bool> names[] = {{"ABCDEFGH.TXT", false}, {"ABCDEFGHI.TX", true}, {"A.B.C", true},
        {"A+B", true}, {"ABCDEFGHIJKL", false}, {"ABCDEFGHIJKLM", true}, {"\x81\x2E\x81\x2E.TXT", false}, {"\x81+", false}};
    for (auto [name, quoted] : names) EXPECT_EQ(quoted, IsLongName(name)) << name;  // trail bytes are no marks
    l.table.rows[l.table.EntryCount++] = Row(std::string(200, 'n').c_str());
    const std::string a240(240, 'a');
    const struct { std::string tmpl; int subject; bool fits; } limits[] = {  // "C:\A\B\a b.txt" is 14 bytes, "AB~1" 15
        {"copy %F %F", 15, false}, {"copy %F", 15, true}, {a240 + std::string(15, 'a'), 0, true},
        {a240 + std::string(16, 'a'), 0, false}, {a240 + "a%F", 8, true}, {a240 + "aa%F", 8, false},
        {a240 + "%S", 8, true}, {a240 + "a%S", 8, false}};
    for (const auto& r : limits) EXPECT_EQ(r.fits, !Expand(r.tmpl, r.subject, r.fits).empty()) << r.tmpl;
    std::mt19937 rng(12345);
    for (int round = 0; round < 20000; ++round) {
        std::string tmpl;
        for (int i = 0, len = static_cast<int>(rng() % 120); i < len; ++i) tmpl += "%FS>&][|:;ab \\.\x83\x5C\x81"[rng() % 19];
        const std::size_t size = 1 + rng() % 300;
        std::vector<char> out(size + 8, '#');
        l.CursorIndex = static_cast<int>(rng() % 18) - 1;  // the cursor and the subject may lie outside the table
        SetMark(l.table, static_cast<int>(rng() % 16), rng() % 2);
        const bool ok = ExpandTemplate(tmpl.c_str(), out.data(), size, static_cast<int>(rng() % 18) - 1, l, ShortOf);
        ASSERT_LT(std::strlen(out.data()), size) << tmpl;
        ASSERT_TRUE(ok || !out[0]) << tmpl;
        ASSERT_EQ(std::string(8, '#'), std::string(out.data() + size, 8)) << tmpl;
    }
}

TEST_F(LaunchTest, WalkingTheTree) {
    SetMark(l.table, 3, true);
    EXPECT_EQ("read C:\\A\\B\\C\\", Open("C", none, kOpenEnter, kOpenListRead));
    EXPECT_EQ((Ints{1, 0}), (Ints{l.CursorIndex, l.table.MarkedCount}));
    EXPECT_EQ("read C:\\A\\B\\", Open("..", none, kOpenEnter, kOpenListRead));
    EXPECT_EQ("C", Cursor());
    SetMark(l.table, 3, true);
    EXPECT_EQ("read C:\\A\\", Open("C", none, kOpenParent, kOpenListRead));
    EXPECT_EQ("b", Cursor());  // the directory left, whatever its case, on the second page
    EXPECT_EQ((Ints{2, 4, 0}), (Ints{l.PageNumber, l.TopIndex, l.table.MarkedCount}));
    Go("C:\\A\\B\\C\\");
    EXPECT_EQ("read C:\\", Open("x.txt", none, kOpenRoot, kOpenListRead));
    EXPECT_EQ("a", Cursor());  // the label row is no directory to land on
    EXPECT_EQ("", Open("a", none, kOpenParent));  // no parent of the root
    EXPECT_EQ("", Open("A", none));               // nor anything to open on the label
    // "ソ" is 0x83 0x5C: its trail byte must not be taken for a separator.
    platform.dirs["C:\\ソ\\"] = {Row("x", kFolder), Row("ソソ", kFolder)};
    Go("C:\\ソ\\ソソ\\");
    EXPECT_EQ((Strings{"read C:\\ソ\\", "ソソ"}), (Strings{Open("", none, kOpenParent, kOpenListRead), Cursor()}));
    Go("C:\\ソソ\\ソ\\x\\");
    EXPECT_EQ((Strings{"read C:\\", "ソソ"}), (Strings{Open("", none, kOpenRoot, kOpenListRead), Cursor()}));
    const std::string deep = "C:\\" + std::string(225, 'd') + "\\";  // 229 bytes: 29 more and "\" fit
    for (int n : {30, 29}) {
        platform.dirs[deep] = {Row(std::string(n, 'n').c_str(), kFolder)};
        Go(deep);
        Open(std::string(n, 'n'), none, kOpenEnter, n == 29 ? kOpenListRead : kOpenDone);
        EXPECT_EQ(n == 29 ? deep + std::string(29, 'n') + "\\" : deep, l.CurrentDir);
    }
    EXPECT_EQ((Strings{std::string("Error!!|") + kPathTooLong}), ui.messages);
}

// What Enter, Shift+Enter and Ctrl+Enter start for a file: by its extension,
// the EXP_EXEC section or the system's Extensions section.
TEST_F(LaunchTest, TheExtensionChain) {
    platform.extensions["txt"] = "notepad.exe ^.txt";
    const struct { const char* name; Modifiers m; const char* exec; const char* pager; int fails; const char* log; } rows[] = {
        {"ding.wav", shift, "", "", 0, "play C:\\A\\B\\ding.wav"},  // the sound comes before Shift
        {"old.COM", none, "", "", 0, "run C:\\A\\B\\old.COM"}, {"go.lnk", none, "", "", 0, "open C:\\A\\B\\go.lnk"},
        {"setup.exe", ctrl, "", "", 0, "pager setup.exe"},
        {"setup.exe", shift, "", "", 0, "run notepad.exe \"C:\\A\\B\\setup.exe\""},
        {"readme.txt", ctrl, "*system", "more", 0, "run more \"C:\\A\\B\\readme.txt\""},
        {"readme.txt", none, "*", "", 0, "pager readme.txt"}, {"readme.txt", none, "*system", "", 0, "open C:\\A\\B\\readme.txt"},
        {"a b.txt", none, "v %S", "", 0, "run v C:\\A\\B\\AB~1.TXT"},
        {"a b.txt", none, "", "", 0, "run notepad.exe \"a b.txt\""},  // "^" of Extensions is the name
        {"notes", none, "", "", 0, "pager notes"},                    // nothing registered: the pager
        {"notes", none, "", "more %F", 1, "run more C:\\A\\B\\notes\nrun notepad.exe \"C:\\A\\B\\notes\""},
        {"a b.txt", shift, "", "", 1, "run notepad.exe \"C:\\A\\B\\a b.txt\"\nrun notepad.exe C:\\A\\B\\a b.txt"}};  // fallback
    s.EditLongName = 1;
    for (const auto& r : rows) {
        ini.WriteString("EXP_EXEC", "TXT", r.exec);
        std::strcpy(s.Pager, r.pager);
        platform.failRuns = r.fails;
        EXPECT_EQ(r.log, Open(r.name, r.m));
    }
}

TEST_F(LaunchTest, OverlongLinesAndMasks) {
    // 7 + 250 bytes: a valid path, but no command line of 255 bytes; 248 bytes are one.
    const std::string name249 = std::string(245, 'x') + ".exe", name250 = 'x' + name249, name248 = name249.substr(1);
    for (const std::string& name : {name248, name250}) platform.dirs["C:\\A\\B\\"].push_back(Row(name.c_str()));
    Go("C:\\A\\B\\");
    s.EditLongName = 1;
    EXPECT_EQ("run C:\\A\\B\\" + name248, Open(name248, none));
    EXPECT_EQ((Strings{"", ""}), (Strings{Open(name250, none), Open(name250, shift)}));
    ui.lines = {"*.txt", "0123456789abcdef", "0123456789abcde"};
    EditWithCommandLine(c);
    EXPECT_EQ((Strings(3, std::string("Error!!|") + kCommandTooLong)), ui.messages);
    for (const char* mask : {"*.txt", "*.txt", "0123456789abcde", "0123456789abcde"}) {
        const bool changes = std::string(mask) != l.FileMask;  // 16 bytes and a cancel change nothing
        EXPECT_EQ(changes, FindMaskCommand(c));
        EXPECT_STREQ(mask, l.FileMask);
    }
    EXPECT_EQ(std::string("Error!!|") + kMaskTooLong, ui.messages.back());
    EXPECT_EQ("File Find  Input WildCard or FileName|*.*", ui.inputs.at(0));  // the edit line never opened
}

namespace {
constexpr const char* kShell = "C:\\WIN\\cmd.exe";
// What the dialog does from opening to OK: read the history, take the line.
InputDecision Enter(FakeProfile& ini, const char* title, const std::string& line, std::string* result = nullptr) {
    Strings shown = ReadHistory(ini, title);
    char text[kPathSize];
    InputDecision d = AcceptInput(ini, title, std::strcpy(text, line.c_str()), sizeof text, kShell, shown);
    if (result) *result = text;
    return d;
}
}  // namespace

TEST(InputHistory, SectionsNewest32EmptyAndOverlongLines) {
    const std::string x119(119, 'x'), x118(118, 'x');
    const struct { std::string title; std::size_t size; std::string section; } names[] = {
        {x119 + "アイ", 128, "QRNHIST" + x119}, {x118 + "アイ", 128, "QRNHIST" + x118 + "ア"},  // never half of "ア"
        {std::string(300, 'y'), 200, "QRNHIST" + std::string(120, 'y')}, {"アイウ", 10, "QRNHISTア"}};
    for (const auto& r : names) {
        char section[200];
        HistorySectionName(r.title.c_str(), section, r.size);
        EXPECT_EQ(r.section, section) << r.title;
    }
    std::string text = "[QRNHISTcopy]\n001=second\n000=first\n002=third\n004=after the gap\n[QRNHISTedit]\n";
    for (int i = 0; i < 1005; ++i) text += (i < 10 ? "00" : i < 100 ? "0" : "") + std::to_string(i) + "=v" + std::to_string(i) + "\n";
    FakeProfile ini(text);
    EXPECT_EQ((Strings{"first", "second", "third"}), ReadHistory(ini, "copy"));
    Strings edit = ReadHistory(ini, "edit");  // a hand-edited section is read up to "999"
    EXPECT_EQ((Strings{"1000", "v999"}), (Strings{std::to_string(edit.size()), edit.back()}));
    EXPECT_EQ(InputDecision::ToHistory, Enter(ini, "edit", "new"));  // the next line cuts it to the newest 32
    edit = ReadHistory(ini, "edit");
    EXPECT_EQ((Strings{"32", "new", "v30", "32"}), (Strings{std::to_string(edit.size()), edit[0], edit[31],
                                                            std::to_string(ini.SectionKeys("QRNHISTedit").size())}));
    WriteHistory(ini, "copy", {"z"});  // the whole section is replaced
    EXPECT_EQ((Strings{"000"}), ini.SectionKeys("QRNHISTcopy"));
    FakeProfile fresh;  // the same line twice is kept twice; trail bytes 0x5C come back whole
    for (const char* line : {"dir /w", "dir /w", "ソフト\\表示"}) EXPECT_EQ(InputDecision::ToHistory, Enter(fresh, "md", line));
    EXPECT_EQ((Strings{"ソフト\\表示", "dir /w", "dir /w"}), ReadHistory(fresh, "md"));
    FakeProfile shell("[QRNHISTShell Command]\n000=ver\n[QRNHISTmkdir]\n000=work\n");
    const struct { const char* title; InputDecision d; const char* result; } rows[] = {
        {"Shell Command", InputDecision::ShellPath, kShell}, {"mkdir", InputDecision::Rejected, ""},  // no history
        {"shell command", InputDecision::Rejected, ""}, {"Shell Command ", InputDecision::Rejected, ""}};  // exactly
    for (const auto& r : rows) {
        std::string result;
        EXPECT_EQ(r.d, Enter(shell, r.title, "", &result)) << r.title;
        EXPECT_EQ(r.result, result);
    }
    EXPECT_EQ(0, shell.writes);
    const std::pair<std::string, std::string> lines[] = {{std::string(259, 'a'), std::string(255, 'a')},
        {std::string(254, 'b') + "ア", std::string(254, 'b')}, {std::string(253, 'c') + "ア", std::string(253, 'c') + "ア"}};
    for (const auto& [line, kept] : lines) {
        char buf[kPathSize];
        EXPECT_EQ(InputDecision::ToHistory, DecideInput("x", std::strcpy(buf, line.c_str()), sizeof buf, kShell));
        EXPECT_EQ(kept, buf);
    }
}

// Registered items: the page count's bounds, how an entry splits, the
// command window's keys, the registration dialog's slots and its write-back.
TEST(Registered, PagesEntriesAndKeys) {
    const struct {
        const char* ini;
        int count, current;
    } counts[] = {{"[EXEC]\nMaxPage=20\nNowPage=9", 16, 9}, {"[EXEC]\nMaxPage=0\nNowPage=9", 3, 3},
                  {"[EXEC]\nNowPage=0", 3, 1}, {"", 3, 1}};
    for (const auto& row : counts) {
        FakeProfile ini(row.ini);
        const PageCount p = ReadPageCount(ini, Collection::Commands);
        EXPECT_EQ(row.count, p.count) << row.ini;
        EXPECT_EQ(row.current, p.current) << row.ini;
    }
    const struct {
        const char* stored;
        Collection c;
        const char* text;
        const char* comment;
    } splits[] = {{"notepad %F  ;Edit text", Collection::Commands, "notepad %F  ", "Edit text"},
                  {"calc.exe", Collection::Commands, "calc.exe", "calc.exe"},
                  {"\x83\x3B\x83\x5C.exe;", Collection::Commands, "\x83\x3B\x83\x5C.exe", "\x83\x3B\x83\x5C.exe"},
                  {"C:\\WORK  ;work", Collection::Directories, "C:\\", "work"},
                  {"C:\\\x95\x5C\\x  ;", Collection::Directories, "C:\\\x95\x5C\\", "C:\\\x95\x5C\\"},
                  {"WORK;w", Collection::Directories, "", "w"}};
    for (const auto& row : splits) {
        RegisteredItem item;
        SplitEntry(row.stored, row.c, item);
        EXPECT_STREQ(row.text, item.text) << row.stored;
        EXPECT_STREQ(row.comment, item.comment) << row.stored;
    }
    FakeProfile ini("[EXEC]\nMaxPage=3\nNowPage=3\n[EXEC_01]\nPageTitle=tools\nW=hidden\n[EXEC_03]\nA=third  ;3");
    CommandList l;
    OpenCommandList(l, ini, Collection::Commands);
    EXPECT_STREQ("3", l.items[0].comment);
    const struct {
        int key, selected, page;
        ListAnswer answer;
    } keys[] = {{kKeyUp, 19, 3, ListAnswer::Select},   {kKeyLeft, 9, 3, ListAnswer::Select},
                {kKeyDown, 10, 3, ListAnswer::Select}, {kKeyRight, 0, 3, ListAnswer::Select},
                {kKeyNext, 0, 1, ListAnswer::Page},    {kKeyPrior, 0, 3, ListAnswer::Page},
                {kKeyNext, 0, 1, ListAnswer::Page},    {'P', 0, 1, ListAnswer::Done}};
    for (const auto& k : keys) {
        EXPECT_EQ(k.answer, CommandListKey(l, ini, k.key)) << k.key;
        EXPECT_EQ(k.selected, l.selected) << k.key;
        EXPECT_EQ(k.page, l.page) << k.key;
    }
    EXPECT_EQ("1", *ini.Find("EXEC", "NowPage"));  // written on each turn
    EXPECT_EQ('P' - 'A', l.picked);
    EXPECT_EQ(std::string("登録コマンド-tools                          Page:01"), CommandListTitle(l));
    EXPECT_STREQ("hidden", l.items['W' - 'A'].text);  // picked by its letter though not shown
    EXPECT_EQ(13, CommandRowAt(25 * 8, 3 * 16 + 8, 8, 16));
    EXPECT_EQ(9, CommandRowAt(0, 40 * 16, 8, 16));
}

TEST(Registered, SlotsAndWriteBack) {
    FakeProfile ini("[DIREC]\nMaxPage=20\n[DIREC_02]\nA=old  ;o\nU=kept\n[DIREC_16]\nA=beyond");
    RegisteredPages p;
    LoadRegisteredPages(ini, Collection::Directories, p);
    EXPECT_EQ(kDialogPages, p.count);
    std::string path = "C:\\TOOLS\\", comment;
    EXPECT_EQ(SlotAnswer::Stored, PressSlot(p, 1, path, comment));
    EXPECT_STREQ("C:\\TOOLS\\  ;", p.entries[0][1]);
    EXPECT_EQ("", path);
    EXPECT_EQ(SlotAnswer::Taken, PressSlot(p, 1, path, comment));
    EXPECT_EQ("C:\\TOOLS\\", path);
    path = std::string(250, 'x'), comment = "a comment";
    EXPECT_EQ(SlotAnswer::TooLong, PressSlot(p, 2, path, comment));
    EXPECT_STREQ("", p.entries[0][2]);
    EXPECT_FALSE(TurnToPage(p, 16));
    EXPECT_TRUE(TurnToPage(p, 2));
    path.clear();
    EXPECT_EQ(SlotAnswer::Taken, PressSlot(p, 0, path, comment));
    EXPECT_EQ("old", path);
    EXPECT_EQ("o", comment);
    EXPECT_TRUE(ClearLastSlot(p, path, comment));
    StoreRegisteredPages(ini, p);
    EXPECT_EQ(nullptr, ini.Find("DIREC_02", "A"));  // emptied: the key is gone
    EXPECT_EQ("kept", *ini.Find("DIREC_02", "U"));
    EXPECT_EQ("C:\\TOOLS\\  ;", *ini.Find("DIREC_01", "B"));
    EXPECT_EQ("beyond", *ini.Find("DIREC_16", "A"));  // no page beyond the dialog's is touched
}

// A registered command starts once per marked row (marks kept), else for the
// cursor row; starts that fail are told once, with the command line.
TEST_F(LaunchTest, RegisteredCommandsForMarkedRows) {
    for (int row : {3, 4, 7}) SetMark(l.table, row, true);
    platform.failRuns = 2;
    platform.log.clear();
    RunRegisteredCommand(c, "v %F  ");
    EXPECT_EQ((Strings{"run v C:\\A\\B\\readme.txt  ", "run v C:\\A\\B\\setup.exe  ", "run v C:\\A\\B\\notes  "}),
              platform.log);
    EXPECT_EQ((Strings{"Error!!|起動できませんでした: v C:\\A\\B\\readme.txt  "}), ui.messages);
    EXPECT_EQ(3, l.table.MarkedCount);
    for (int row : {3, 4, 7}) SetMark(l.table, row, false);
    platform.log.clear();
    l.CursorIndex = 5;
    RunRegisteredCommand(c, "v %>");
    EXPECT_EQ((Strings{"run v ding.wav"}), platform.log);
}
