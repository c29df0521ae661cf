// Shift-JIS strings, the entry table, start-up, qrn.ini settings, readable text and speech.
#include <algorithm>
#include <map>

#include "base/progress.h"
#include "base/selection.h"
#include "base/settings.h"
#include "base/speech.h"
#include "base/startup.h"
#include "core_test.h"

using namespace qrn;
using namespace qrn::test;

// "ソ" is 0x83 0x5C: its trail byte looks like a backslash.
TEST(Sjis, TrailBytesAreNeverSeparatorsAndCutsKeepWholeCharacters) {
    const struct { const char* path; int last; bool ends; } paths[] = {{"C:\\ソ", 2, false}, {"C:\\ソ\\", 5, true},
        {"C:\\ソフト", 2, false}, {"C:\\\x83", 2, false}, {"a\x83\\", -1, false}, {"", -1, false}};
    for (const auto& r : paths)
        EXPECT_EQ((Ints{r.last, r.ends}), (Ints{LastBackslash(r.path), EndsWithBackslash(r.path)})) << r.path;
    char p[kPathSize] = "C:\\ソ", full[4] = "C:x";
    EXPECT_EQ((Ints{1, 1, 0}), (Ints{AddBackslash(p, sizeof p), AddBackslash(p, sizeof p), AddBackslash(full, sizeof full)}));
    EXPECT_EQ((Strings{"C:\\ソ\\", "C:x"}), (Strings{p, full}));
    const struct { std::size_t size; const char* src; const char* cut; const char* trimmed; } cuts[] = {
        {4, "aソb", "aソ", "aソb"}, {4, "abソ", "ab", "abソ"}, {4, "ab\x83", "ab\x83", "ab"}, {1, "abc", "", "abc"},
        {8, "ソ\x83", "ソ\x83", "ソ"}};
    for (const auto& r : cuts) {
        char out[8], trim[8];
        CopyCut(out, r.size, r.src);
        TrimDanglingLead(std::strcpy(trim, r.src));
        EXPECT_EQ((Strings{r.cut, r.trimmed}), (Strings{out, trim})) << r.src << " in " << r.size;
    }
    char small[5] = "xx", whole[5] = "old";
    EXPECT_EQ((Ints{0, 0, 1, 1}), (Ints{AppendWhole(small, sizeof small, "abc"), CopyWhole(whole, sizeof whole, "12345"),
                                        std::string(small) == "xx" && !whole[0], AppendWhole(small, sizeof small, "ab")}));
    EXPECT_EQ((Ints{0, -1, 1, -1}), (Ints{CompareNoCase("Qrn.EXE", "qrn.exe"), CompareNoCase("a", "B"), CompareNoCase("b", "A"),
                                          CompareNoCase("\x83\x41", "\x83\x61")}));  // two characters, not case variants
}

TEST(EntryTable, ExtensionsMarksAndRowKinds) {
    const std::pair<const char*, unsigned> names[] = {{"readme", 0}, {"a.b.c", 4}, {".hidden", 0}, {"a.", 2}, {"..", 0},
        {".", 0}, {"my.dir", 3}, {"\x81\x2e" "abc", 0}, {"ソフ.t", 5}};  // 0x81 0x2E: the dot is a trail byte
    for (auto [name, ext] : names) EXPECT_EQ(ext, ExtensionIndex(name)) << name;
    static EntryTable t;
    t.EntryCount = 5;  // "big" has 20 GiB: counted in full
    const FileEntry rows[] = {Row("LABEL", kAttrLabel), Row("big", kAttrArchive, 5ull << 32), Row("small", kAttrArchive, 7),
                              Row("..", kAttrDirectory), Row("dir", kAttrDirectory | kAttrHidden)};
    std::copy(std::begin(rows), std::end(rows), t.rows);
    const std::pair<int, bool> marks[] = {{0, false}, {1, true}, {2, true}, {2, false}, {5, false}, {-1, false}};
    for (auto [row, changed] : marks) EXPECT_EQ(changed, SetMark(t, row, true)) << row;
    EXPECT_EQ((std::vector<std::uint64_t>{2, (5ull << 32) + 7, 1, 7}),
              (std::vector<std::uint64_t>{unsigned(t.MarkedCount), t.MarkedBytes, SetMark(t, 1, false), t.MarkedBytes}));
    t.rows[1999].mark = 1;
    ClearAllMarks(t);
    EXPECT_EQ((Ints{0, 0, 0, 0}), (Ints{t.rows[1999].mark, t.rows[2].mark, t.MarkedCount, static_cast<int>(t.MarkedBytes)}));
    // Kinds Any, PlainFile, FileOrDirectory and DirectoryOrLabel of rows 0-4 and one outside.
    const bool kinds[6][4] = {{1, 0, 0, 1}, {1, 1, 1, 0}, {1, 1, 1, 0}, {1, 0, 0, 0}, {1, 0, 1, 1}, {1, 0, 0, 0}};
    for (int row = 0; row < 6; ++row) for (int kind = 0; kind < 4; ++kind)
        EXPECT_EQ(kinds[row][kind], EntryQualifies(t, row, static_cast<RowKind>(kind))) << row << kind;
}

// The walker: marked rows of the kind in order (else the cursor row, every
// row or none), marks dropped as it goes, the question after a failure only
// while marked rows remain, and Stop or the answer ending the walk.
TEST(Selection, MarkedRowsOfTheKindTheCursorRowFailuresAndStops) {
    static EntryTable t;
    const FileEntry rows[] = {Row("..", kAttrDirectory), Row("a"), Row("dir", kAttrDirectory), Row("b"), Row("c")};
    struct Case {
        const char* what;
        Ints marks;
        RowKind kind;
        WhenUnmarked unmarked;
        bool dropMarks;
        Ints fail, stop;  // rows that fail, rows that stop (negative: Cancel after the row)
        bool goOn;
        Ints worked;
        int done, failed, asked, marksLeft;
        bool stopped;
        int total;  // the rows the walk said it would work
    } cases[] = {
        {"marked files in order", {1, 3, 4}, RowKind::PlainFile, WhenUnmarked::CursorRow, true, {}, {}, true, {1, 3, 4}, 3, 0, 0, 0, false, 3},
        {"other kinds left out", {1, 2, 3}, RowKind::PlainFile, WhenUnmarked::CursorRow, true, {}, {}, true, {1, 3}, 2, 0, 0, 0, false, 2},
        {"asked after a failure, the rest", {1, 3, 4}, RowKind::Any, WhenUnmarked::CursorRow, true, {1}, {}, true, {1, 3, 4}, 2, 1, 1, 0, false, 3},
        {"asked, no more", {1, 3, 4}, RowKind::Any, WhenUnmarked::CursorRow, true, {3}, {}, false, {1, 3}, 1, 1, 1, 0, true, 3},
        {"the last row fails: no question", {1, 3}, RowKind::Any, WhenUnmarked::CursorRow, true, {3}, {}, false, {1, 3}, 1, 1, 0, 0, false, 2},
        {"stop keeps the rest", {1, 3, 4}, RowKind::Any, WhenUnmarked::CursorRow, false, {}, {3}, true, {1, 3}, 1, 0, 0, 3, true, 3},
        {"stopped after a row (Cancel)", {1, 3, 4}, RowKind::Any, WhenUnmarked::CursorRow, true, {}, {-3}, true, {1, 3}, 2, 0, 0, 0, true, 3},
        {"the cursor row", {}, RowKind::FileOrDirectory, WhenUnmarked::CursorRow, true, {}, {}, true, {2}, 1, 0, 0, 0, false, 1},
        {"every row of the kind", {}, RowKind::FileOrDirectory, WhenUnmarked::EveryRow, true, {}, {}, true, {1, 2, 3, 4}, 4, 0, 0, 0, false, 4},
        {"none", {}, RowKind::Any, WhenUnmarked::Nothing, true, {}, {}, true, {}, 0, 0, 0, 0, false, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ClearAllMarks(t);
        std::copy(std::begin(rows), std::end(rows), t.rows);
        t.EntryCount = 5;
        for (int row : c.marks) SetMark(t, row, true);
        Ints worked;
        int asked = 0;
        SelectionWalk walk;
        walk.kind = c.kind, walk.unmarked = c.unmarked, walk.dropMarks = c.dropMarks;
        const auto has = [](const Ints& v, int x) { return std::find(v.begin(), v.end(), x) != v.end(); };
        walk.goOnAfterFailure = [&] { return ++asked, c.goOn; };
        walk.stopAfterRow = [&] { return has(c.stop, -worked.back()); };
        Ints said = {0, 0};  // the last count of rows worked, and of how many
        walk.walked = [&said](int done, int total) { said = {done, total}; };
        const SelectionTally r = WalkSelection(t, 2, walk, [&](int row) {
            worked.push_back(row);
            return has(c.stop, row) ? RowOutcome::Stop : has(c.fail, row) ? RowOutcome::Failed : RowOutcome::Done;
        });
        EXPECT_EQ(c.worked, worked);
        EXPECT_EQ((Ints{c.done, c.failed, c.asked, c.marksLeft, c.stopped}),
                  (Ints{r.done, r.failed, asked, t.MarkedCount, r.stopped}));
        EXPECT_EQ((Ints{static_cast<int>(worked.size()), c.total}), said);
    }
}

// A quarter is said once, the last one passed, and only after the quiet start.
TEST(QuarterProgress, TheLastQuarterPassedOnceTheOperationHasRunTwoSeconds) {
    QuarterProgress p(1000);
    const struct { std::uint64_t done, total, now; const char* said; } steps[] = {
        {1, 4, 2000, nullptr}, {2, 4, 2999, nullptr}, {2, 4, 3000, "50パーセント"}, {5, 8, 3100, nullptr},
        {6, 8, 3200, "75パーセント"}, {7, 8, 3300, nullptr}, {8, 8, 3400, nullptr}, {1, 0, 9000, nullptr}};
    for (const auto& s : steps) {
        const char* said = p.Passed(s.done, s.total, s.now);
        EXPECT_EQ(std::string(s.said ? s.said : "-"), std::string(said ? said : "-")) << s.done << "/" << s.total;
    }
    QuarterProgress q(0);
    EXPECT_STREQ("25パーセント", q.Passed(1, 3, 5000));
}

TEST(Startup, SwitchesCommandLinesUpdateLineAndPaths) {
    const struct { std::string cmd; std::size_t size; int result; const char* value; } rows[] = {
        {"/m*.c x y", 260, 1, "*.c x y"}, {"/m\"my docs*.txt\" tail", 260, 1, "my docs*.txt"}, {"/ma /mb", 260, 1, "b"},
        {"\"/m*.txt\"", 260, 0, ""}, {"nothing", 260, 0, ""}, {"/mソ*.txt", 260, 1, "ソ*.txt"}, {"/mx\x81/mz", 260, 1, "x\x81/mz"},
        {"/mabc", 4, 1, "abc"}, {"/mabcd", 4, -1, ""}, {"/mabソ", 4, -1, ""}};  // the later wins; none in a character or quotes
    for (const auto& r : rows) {
        char out[kPathSize] = "old";
        EXPECT_EQ((Strings{std::to_string(r.result), r.value}),
                  (Strings{std::to_string(FindSwitch(r.cmd.c_str(), "/m", out, r.size)), out})) << r.cmd;
    }
    const std::string longest = "C:\\" + std::string(256, 'x');
    const struct { std::string text; StartKind kind; std::string value; } lines[] = {
        {" \t ", StartKind::Default, ""}, {"C:\\work /m*.c", StartKind::Mask, "*.c"}, {"/m\"\"", StartKind::Default, ""}, {"/m*.verylongextension", StartKind::Mask, "*.verylongexten"},  // 15 fit
        {" C:\\work ", StartKind::Directory, "C:\\work"}, {"\"C:\\a b\"", StartKind::Directory, "C:\\a b"},
        {"\"C:\\unbalanced", StartKind::Directory, "C:\\unbalanced"}, {"\"\"", StartKind::Default, ""},
        {longest, StartKind::Directory, longest}, {longest + "x", StartKind::Default, ""}, {"/x", StartKind::Update, ""}};
    for (const auto& r : lines) {
        CommandLine c;
        std::memset(&c, 0x5A, sizeof c);
        ParseCommandLine(r.text.c_str(), c);
        EXPECT_EQ(r.kind, c.kind) << r.text;
        EXPECT_EQ(r.value, r.kind == StartKind::Mask ? c.mask : r.kind == StartKind::Update ? c.source : c.directory);
    }
    // What a new copy reads back, quoted paths with blanks and trail bytes 0x5C included.
    PendingUpdateRecord u{"C:\\n\\ソ.exe", "C:\\q b\\qrn.exe", 2, true};
    char cmd[3 * kPathSize];
    ASSERT_TRUE(FormatUpdateCommand(u, cmd, sizeof cmd));
    EXPECT_STREQ("C:\\n\\ソ.exe /@f\"C:\\n\\ソ.exe\" /@t\"C:\\q b\\qrn.exe\" /@m2", cmd);
    CommandLine c;
    ParseCommandLine(std::strchr(cmd, ' ') + 1, c);
    EXPECT_EQ((Strings{u.source, u.target, "2"}), (Strings{c.source, c.target, std::to_string(c.mode)}));
    const std::size_t n = std::strlen(cmd);  // a cut line is refused
    EXPECT_EQ((Ints{0, 1}), (Ints{FormatUpdateCommand(u, cmd, n), FormatUpdateCommand(u, cmd, n + 1)}));
    static Startup s;
    ASSERT_TRUE(BuildProgramPaths("C:\\ソフト\\qrn.exe", s));
    EXPECT_EQ((Strings{"C:\\ソフト", "C:\\ソフト\\qrn.ini", "C:\\ソフト\\qrn.hlp"}),
              (Strings{s.ProgramFolder, s.IniPath, s.HelpPath}));
    EXPECT_TRUE(BuildProgramPaths(("C:\\" + std::string(248, 'd') + "\\qrn.exe").c_str(), s));
    EXPECT_FALSE(BuildProgramPaths(("C:\\" + std::string(249, 'd') + "\\qrn.exe").c_str(), s));
}

namespace {

struct FakeDrives : SettingsPlatform {
    Strings madeCurrent;
    std::map<char, std::string> current;
    bool MakeCurrentDirectory(const char* dir) override { return madeCurrent.emplace_back(dir), true; }
    bool DriveCurrentDirectory(char letter, char* out, std::size_t size) override {
        return std::snprintf(out, size, "%s", current.count(letter) ? current[letter].c_str() : "X:\\") > 0;
    }
};

struct SettingsTest : ::testing::Test {
    Settings s;
    FakeDrives drives;
    char types[26];
    void SetUp() override {
        DefaultSettings(s);
        // A: removable, C: fixed, D: CD-ROM, E: remote, F: RAM disk, G: unknown, the others without a root.
        const unsigned kinds[26] = {2, 1, 3, 5, 4, 6, 0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
        for (int d = 0; d < 26; ++d) types[d] = DriveTypeLetter(kinds[d]);
    }
    void Load(const std::string& text, bool full = true) {
        FakeProfile ini(text);
        LoadSettings(s, ini, full, "C:\\QRN", types, drives);
    }
};

}  // namespace

TEST_F(SettingsTest, DefaultsDerivedValuesTextsAndTheStartDirectory) {
    Load("");  // an empty GetPath starts in the program folder
    EXPECT_EQ((Strings{"C:\\QRN\\", "*.*"}), (Strings{s.StartDir, s.StartMask}));
    // What Disp_Mode, ToolBar, FileDispSize, ExpDispSize, UpdateSig and Dir_Col_R become.
    const struct { const char* ini; Ints derived; } rows[] = {
        {"Disp_Mode=3\nToolBar=0\nFileDispSize=5\nUpdateSig=1\n[Color]\nDir_Col_R=10", {2, 0, 12, 3, 31, 10}},
        {"Disp_Mode=0\nFileDispSize=0\nUpdateSig=-1\nFileDispSize=40", {-1, 30, 0, 3, 3, 0}},  // the first key holds
        {"Disp_Mode=-1\nToolBar=-7\nFileDispSize=-7\nExpDispSize=99999999999\n[Color]\nDir_Col_R=-5", {-1, 30, 12, 255, 3, 0}},
        {"Disp_Mode=1\nFileDispSize=999\nExpDispSize=-3\n[Color]\nDir_Col_R=99999", {0, 30, 255, 0, 3, 255}},
        {"FileDispSize=12\nExpDispSize=255\nUpdateSig=0\n[Color]\nDir_Col_R=255", {-1, 30, 12, 255, 3, 255}}};
    for (const auto& r : rows) {
        Load(std::string("[QRNInit]\n") + r.ini);
        EXPECT_EQ(r.derived, (Ints{s.DisplayMode, s.ToolbarHeight, s.FileDispSize, s.ExpDispSize, s.UpdateFilter,
                                   s.Colors[kDir].r})) << r.ini;
    }
    // 63 ASCII bytes then "ソ": the 64-byte font buffer cannot take the trail byte.
    Load("garbage\n=novalue\n[QRNInit]\nFont=" + std::string(63, 'a') + "ソ\nMask=12345678901234ソ\nEditor=" +
         std::string(300, 'e') + "\n[SET_DIR]\nSET2=" + std::string(400, 's'));
    EXPECT_EQ((Strings{std::string(63, 'a'), "12345678901234", std::string(127, 'e'), std::string(259, 's')}),
              (Strings{s.Font, s.StartMask, s.Editor, s.SetDir[1]}));
    const std::string p255 = "C:\\" + std::string(255, 'p');
    const std::pair<std::string, std::string> dirs[] = {{"D:\\data\\ソ", "D:\\data\\ソ\\"}, {"D:\\x\\", "D:\\x\\"},
        {"D", "D"}, {p255, p255 + "\\"}, {p255 + "p", "C:\\QRN\\"}};  // no room for the backslash: the program folder
    for (const auto& [path, expected] : dirs) {
        Load("[QRNInit]\nMask=\nGetPath=" + path);
        EXPECT_EQ((Strings{expected, "*.*"}), (Strings{s.StartDir, s.StartMask})) << path;
    }
}

TEST_F(SettingsTest, StartOnlyKeysPerDriveDirectoriesAndSavedValues) {
    std::strcpy(s.StartDir, "C:\\keep\\");
    const std::string ini = "[QRNInit]\nGetPath=D:\\x\\\nMask=*.c\nFontSize=20\nActiveCheck=0\n[PKUPK_CMD]\nLZH_PACK=zz\n"
                            "[SET_DIR]\nSET1=C:\\one\n[QRN_CurDir]\nC:=C:\\deep\\\n";
    Load(ini, false);  // a reload keeps what is read at start only
    EXPECT_EQ((Strings{"20", "C:\\one", "C:\\keep\\", "*.*", "a -a1 -d1", "1"}),
              (Strings{std::to_string(s.FontSize), s.SetDir[0], s.StartDir, s.StartMask, s.LzhPack,
                       std::to_string(s.ActiveCheck)}));
    Load(ini);
    EXPECT_EQ((Strings{"D:\\x\\", "*.c", "zz"}), (Strings{s.StartDir, s.StartMask, s.LzhPack}));
    EXPECT_TRUE(drives.madeCurrent.empty());
    // A: removable and D: CD-ROM never; E: only "E:\"; H: has no drive but is tried.
    Load("[QRN_CurDir]\nA:=A:\\fd\\\nC:=C:\\work\\\nD:=D:\\cd\\\nE:=E:\\\nF:=F:\\ram\\\nH:=H:\\x\\\n");
    EXPECT_EQ((Strings{"C:\\work\\", "F:\\ram\\", "H:\\x\\"}), drives.madeCurrent);
    FakeProfile out;
    s.TwoColumnSwitch = 1;  // E: stands in a remote share
    drives.current = {{'C', "C:\\work"}, {'E', "E:\\share\\"}, {'F', std::string(259, 'f')}};  // F: no room for "\"
    auto saved = [&](std::initializer_list<const char*> keys) {
        Strings v;
        for (const char* key : keys) {
            const std::string* value = out.Find(key[1] == ':' ? "QRN_CurDir" : "QRNInit", key);
            v.push_back(value ? *value : "(none)");
        }
        return v;
    };
    SaveOnExit(s, "*.txt", out, {false, false, 10, 20, 640, 480}, types, drives);
    EXPECT_EQ((Strings{"*.txt", "1", "0", "10", "20", "640", "480", "C:\\work\\", "E:\\share\\"}),
              saved({"Mask", "2LETU_MODE", "WinSizeIsMax", "init_x_pos", "init_y_pos", "init_x_siz", "init_y_siz", "C:", "E:"}));
    EXPECT_EQ((Strings{"C:", "E:"}), out.SectionKeys("QRN_CurDir"));
    SaveOnExit(s, "*.c", out, {true, false, -4, -4, 2000, 2000}, types, drives);  // the normal size is kept
    EXPECT_EQ((Strings{"1", "640"}), saved({"WinSizeIsMax", "init_x_siz"}));
    SaveOnExit(s, "*.c", out, {false, true, -32000, -32000, 160, 24}, types, drives);
    EXPECT_EQ((Strings{"0", "20"}), saved({"WinSizeIsMax", "init_y_pos"}));
    SaveStartDirectory("", out);
    EXPECT_EQ(nullptr, out.Find("QRNInit", "GetPath"));
    LoadSettings(s, out, true, "C:\\QRN", types, drives);
    EXPECT_EQ((Strings{"*.c", "1", "640"}), (Strings{s.StartMask, std::to_string(s.TwoColumnSwitch), std::to_string(s.WinW)}));
}

// Whatever a key loads as, stored it loads back the same; each default is stored as the table holds it.
TEST(Settings, EveryKeyStoredLoadsBackToTheSameValue) {
    Settings s, back;
    DefaultSettings(s), DefaultSettings(back);
    for (int i = 0; i < static_cast<int>(IniKey::Count); ++i) {
        const IniKey k = static_cast<IniKey>(i);
        const KeyInfo& info = KeyOf(k);
        if (info.offset == kNoField) continue;  // read by its owner
        FakeProfile defaults, out;
        StoreSetting(defaults, back, k);  // still at its default
        EXPECT_EQ(info.defText ? info.defText : std::to_string(info.def), *defaults.Find(info.section, info.name));
        for (int given : {-1, 0, 1, 2, info.lo - 1, info.lo, info.hi, info.hi + 1, 1234}) {
            FakeProfile ini("[" + std::string(info.section) + "]\n" + info.name + "=" + (info.defText ? "C:\\ソ" : "") + std::to_string(given));
            LoadSetting(s, ini, k), StoreSetting(out, s, k), LoadSetting(back, out, k);
            EXPECT_EQ(0, std::memcmp(&s, &back, sizeof s)) << info.name << "=" << given;
        }
    }
}

TEST(Readable, TablesRunsAndWholeCharactersWithinTheBuffer) {
    const struct { std::string text; int table; std::string readable; } rows[] = {
        {"a_b.txt", kReadNames, "aアンダーラインbぴりおどtxt"}, {"><*", kReadNames, "だいなりしょうなりあすたりすく"},
        {"a b", kReadNames, "ab"}, {"ダ.", kReadNames, "ダぴりおど"},  // "ダ" is 0x83 0x5F: its trail byte is no mark
        {"\xb1\xb2-", kReadNames, "\xb1\xb2-"}, {"2024-01-31", kReadDates, "2024/01/31"},
        {"a_b.txt", kReadDates, "a_b.txt"}, {"12:34 a_b. >-", kReadTimes, "12:34 a_b. >-"},
        // Runs of one character are cut to three, counted on the source.
        {"aaaabaaaaa", kReadPlain, "aaabaaa"}, {"-----", kReadDates, "///"}, {"aa aa", kReadNames, "aaaa"},
        {"....x.", kReadNames, "ぴりおどぴりおどぴりおどxぴりおど"}, {"a     b", kReadPlain, "a   b"},
        {"ダダダダダ", kReadNames, "ダダダ"}, {"あいうえ", kReadPlain, "あいうえ"},  // one lead byte, four characters
        {"ダダダ___", kReadPlain, "ダダダ___"},  // a single byte equal to a trail byte is another character
        {"ab\x83", kReadPlain, "ab"}};          // a lone lead byte is not read
    for (const auto& r : rows) {
        char buf[kSpeechTextSize];
        MakeReadable(std::strcpy(buf, r.text.c_str()), r.table);
        EXPECT_EQ(r.readable, buf) << r.text << " in table " << r.table;
    }
    // Buffers of exactly the size, on the heap: 17 "_a" read as 255 bytes and four more fill it; 259 plain bytes stay whole.
    std::string source = "bcdefg", underlines = "bcde", kept = "cア";
    for (int i = 0; i < 17; ++i) source = "_a" + source, underlines = "アンダーラインa" + underlines;
    for (int i = 0; i < 64; ++i) kept = "aaab" + kept;
    for (const auto& [text, readable] : {std::pair{source, underlines}, std::pair{kept, kept}}) {
        std::unique_ptr<char[]> buf(new char[kSpeechTextSize]);
        MakeReadable(std::strcpy(buf.get(), text.c_str()), kReadNames);
        EXPECT_EQ(readable, buf.get());
    }
    const struct { std::size_t size; const char* dest; const char* text; int table; const char* result; } appends[] = {
        {8, "ab", "ア.", kReadNames, "abア"}, {5, "ab", "アイ", kReadPlain, "abア"}, {4, "ab", "アb", kReadPlain, "ab"},
        {6, "", ".ab", kReadNames, ""},  // a reading that does not fit ends the copy
        {32, "aa", "aaaa-----", kReadDates, "aaaaa///"}, {1, "", "abc", kReadPlain, ""}};  // runs of the text only
    for (const auto& r : appends) {
        std::unique_ptr<char[]> dest(new char[r.size]);
        AppendReadable(std::strcpy(dest.get(), r.dest), r.size, r.text, r.table);
        EXPECT_STREQ(r.result, dest.get()) << r.text << " in " << r.size;
    }
}

namespace {

struct Speech : ::testing::Test {
    ScriptedSpeech fake;
    void Start(bool window, bool loads, int result) {
        ResetSpeech();
        SetSpeechPlatform(&(fake = ScriptedSpeech{}));
        fake.window = window, fake.loads = loads, fake.result = result;
    }
    void SetUp() override { Start(false, true, 1); }
    void TearDown() override { SetSpeechPlatform(nullptr), ResetSpeech(); }
};

}  // namespace

// Engine 1 (a reader window) interrupts with 128 and queues with 2; engine 2 uses 1 and 4 and its answer
// does not matter. Any mode but 1 queues. A failed start or a refused call of engine 1 turns them off for
// good; NVDA's client is loaded only then (the refused text is not handed on), once, and interrupting
// cancels what NVDA says first. A missing client leaves speech silent.
TEST_F(Speech, EnginesFlagsFailuresAndNvda) {
    // The reader's window, its library loading, its answer, NVDA's client loading; the calls; Speak's answers,
    // the engine, its state and how often the client was looked for.
    const struct { bool window, loads; int result; bool nvdaLoads; Strings calls; Ints answers; } cases[] = {
        {false, false, 1, true, {"3 cancel", "3 a", "3 b", "3 cancel", "3 c"}, {1, 1, 1, 0, kSpeechOff, 1}},
        {true, false, 1, true, {"3 cancel", "3 a", "3 b", "3 cancel", "3 c"}, {1, 1, 1, 0, kSpeechOff, 1}},
        {true, true, 0, true, {"1 128 a", "3 b", "3 cancel", "3 c"}, {1, 1, 1, 1, kSpeechOff, 1}},
        {true, true, 1, true, {"1 128 a", "1 2 b", "1 128 c"}, {1, 1, 1, 1, kSpeechReady, 0}},
        {false, true, 0, true, {"2 1 a", "2 4 b", "2 1 c"}, {1, 1, 1, 2, kSpeechReady, 0}},
        {false, false, 1, false, {}, {0, 1, 1, 0, kSpeechOff, 1}}};
    for (const auto& c : cases) {
        Start(c.window, c.loads, c.result);
        fake.nvdaLoads = c.nvdaLoads;
        const Ints answers{Speak("a"), (SetSpeechMode(9), Speak("b")), (SetSpeechMode(1), Speak("c")), SpeechEngine(),
                           SpeechStatus().State, fake.nvdaLoadings};
        SCOPED_TRACE(::testing::Message() << c.window << c.loads << c.result << c.nvdaLoads);
        EXPECT_EQ(c.calls, fake.calls);
        EXPECT_EQ(c.answers, answers);
        EXPECT_EQ((Ints{1, 1}), (Ints{fake.windowChecks, fake.loadings}));  // looked for once
    }
}

// NVDA's answer holds for kNvdaAskAgainMs (on a clock that wraps): started later it is found by the first
// text after that, and a text it refuses silences it until it is asked again.
TEST_F(Speech, NvdaIsAskedAgainOnlyAfterItsAnswerHasAged) {
    Start(false, false, 1);
    fake.nvdaLoads = true;
    const std::uint32_t t0 = 0xFFFFFE00u, wrapped = t0 + kNvdaAskAgainMs;  // 0x1E8
    // The clock, NVDA running (and taking texts) from then on, the text sent to it, asks so far.
    const struct { std::uint32_t now; bool runs; bool sent; int asks; } steps[] = {
        {t0, false, false, 1}, {t0 + 256, true, false, 1}, {wrapped - 1, true, false, 1}, {wrapped, true, true, 2},
        {wrapped + 500, false, true, 2}, {wrapped + 600, true, false, 2}, {wrapped + 1499, true, false, 2},
        {wrapped + 1500, true, true, 3}, {wrapped + 1500, true, true, 3}, {wrapped + 2500, false, false, 4}};
    for (const auto& step : steps) {
        fake.now = step.now, fake.nvdaRuns = step.runs;
        fake.calls.clear();
        Speak("row");
        EXPECT_EQ(step.sent ? (Strings{"3 cancel", "3 row"}) : Strings{}, fake.calls) << step.now;
        EXPECT_EQ(step.asks, fake.nvdaAsks) << step.now;
    }
    EXPECT_EQ(1, fake.nvdaLoadings);
}

// Nothing happens before the first text; the window is looked for once and the engine gets a whole-character copy.
TEST_F(Speech, StartsOnTheFirstTextLooksOnceAndSpeaksACopy) {
    EXPECT_EQ((Ints{1, 1, 0, kSpeechNotStarted}), (Ints{Speak(""), Speak(nullptr), fake.windowChecks, SpeechStatus().State}));
    char mine[] = "hello";
    const std::string cut = std::string(258, 'a') + "ア", exact = std::string(257, 'b') + "ア";  // 260 and 259 bytes
    EXPECT_EQ((Ints{1, 1, 1}), (Ints{Speak(mine), Speak(cut.c_str()), Speak(exact.c_str())}));
    fake.window = true;
    EXPECT_EQ((Ints{1, 1, 1}), (Ints{Speak(""), Speak("y"), fake.windowChecks}));
    EXPECT_STREQ("hello", mine);  // the engine wrote into its own copy
    EXPECT_EQ((Strings{"2 1 hello", "2 1 " + std::string(258, 'a'), "2 1 " + exact, "2 1 y"}), fake.calls);
    ResetSpeech();
    SetSpeechPlatform(nullptr);
    EXPECT_EQ((Ints{1, kSpeechNotStarted}), (Ints{Speak("c"), SpeechStatus().State}));  // no platform: nothing happens
}
