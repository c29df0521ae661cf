// Masks, sorting, reading directories through a fake platform; row texts, keys and clicks of a list.
#include <algorithm>
#include <map>

#include "listing/dir_reader.h"
#include "listing/list_format.h"
#include "listing/list_keys.h"
#include "listing/sort.h"
#include "listing/wildcard.h"
#include "core_test.h"

using namespace qrn;
using namespace qrn::test;

namespace {
// The matching rule as plain recursion: '*' takes any bytes, a final one at least one; none is left for a
// pattern that goes on after the name has ended.
int Reference(const char* n, const char* p) {
    if (!*p || !*n) return !*p && !*n;
    if (*p == '*') return !p[1] || Reference(n, p + 1) || Reference(n + 1, p);
    return (*p == '?' || *p == *n) && Reference(n + 1, p + 1);
}
}  // namespace

TEST(Wildcard, MaskListsAndAgreementWithPlainRecursion) {
    const std::string a259(259, 'a'), overlong(600, '?');
    const struct { std::string name, mask; int match; } rows[] = {
        {"READ.TXT", "*.txt;*.doc", 1}, {"memo.doc", "*.txt;*.doc", 1}, {"memo.docx", "*.txt;*.doc", 0},
        {"notes", "*.txt;*.doc", 0}, {"report.txt", "*.*", 1}, {"README", "*.*", 0}, {"trail.", "*.*", 0},
        {"a.txt", "*.txt;", 1}, {"a.doc", "*.txt;", 0}, {"a.txt", "", 0}, {"a.txt", ";", 0}, {"ソフト.txt", "ソ*", 1},
        {"ソ.c", "??.c", 1},
        {"x", "\x81;x", 0},          // 0x81 0x3B is one character, not a separator
        {"\x82\x61", "\x82\x41", 0},  // full-width letters are no case variants
        {a259, "********a", 1}, {a259, "******b", 0}, {a259, "*a*a*a*a*a*a*a*a*a*a*b", 0},
        {std::string(247, 'a'), std::string(248, '?'), 0}, {"a.txt", overlong + ";*.txt", 1},  // too long to hold: no match
        {std::string(kMaxPattern, 'a'), std::string(kMaxPattern, '?'), 1}};
    for (const auto& r : rows) EXPECT_EQ(r.match, MatchMaskList(r.name.c_str(), r.mask.c_str())) << r.name << " / " << r.mask;
    EXPECT_EQ(1, MatchPattern(a259.c_str(), std::string(247, '*').c_str()));
    std::uint32_t seed = 12345;
    auto next = [&]() { return ((seed = seed * 1103515245u + 12345u) >> 16) & 0x7fff; };
    for (int round = 0; round < 50000; ++round) {
        char n[10] = {}, p[9] = {};
        for (int i = 0, len = static_cast<int>(next() % 9); i < len; ++i) n[i] = "ab.\x83\x5c"[next() % 5];
        for (int i = 0, len = static_cast<int>(next() % 8); i < len; ++i) p[i] = "ab.*?\x83\x5c"[next() % 7];
        ASSERT_EQ(Reference(n, p), MatchPattern(n, p)) << "name=" << n << " pattern=" << p;
    }
}

namespace {
Strings Sorted(std::vector<FileEntry> rows, int order, int key) {
    SortSpec how{order, key, [](const char* a, const char* b) { return std::strcmp(a, b); }, UpperAscii};
    SortEntries(rows.data(), static_cast<int>(rows.size()), how);
    return NamesOf(rows.data(), static_cast<int>(rows.size()));
}
}  // namespace

// The label and execution rows, ".", "..", system, hidden, read-only and other
// directories, system files, other files: the groups keep their order when
// the direction turns, the rows inside them do not. Then each key.
TEST(Sort, GroupsThenEachKeyInBothDirections) {
    const std::vector<FileEntry> rows = {
        Row("f"), Row("rod", 0x11), Row("..", 0x10), Row("s.sys", 0x24), Row("hid", 0x12), Row("g"), Row("sd", 0x14),
        Row("d", 0x10), Row("[ Execution  ]", kAttrExecutionRow), Row("hs", 0x16), Row(".", 0x10), Row("ro2", 0x11),
        Row("LABEL", kAttrLabel), Row("B", 0x10), Row("hs.f", 0x06)};
    EXPECT_EQ((Strings{"LABEL", "[ Execution  ]", ".", "..", "hs", "sd", "hid", "ro2", "rod", "B", "d", "hs.f", "s.sys",
                       "f", "g"}), Sorted(rows, 1, 1));
    EXPECT_EQ((Strings{"[ Execution  ]", "LABEL", ".", "..", "sd", "hs", "hid", "rod", "ro2", "d", "B", "s.sys", "hs.f",
                       "g", "f"}), Sorted(rows, 2, 1));
    std::vector<FileEntry> keyed = {Row("b.TXT"), Row("a.txt"), Row("noext"), Row("c.doc"), Row("a.Doc")};
    EXPECT_EQ((Strings{"noext", "a.Doc", "c.doc", "a.txt", "b.TXT"}), Sorted(keyed, 1, 2));
    EXPECT_EQ((Strings{"b.TXT", "a.txt", "c.doc", "a.Doc", "noext"}), Sorted(keyed, 2, 2));
    keyed = {Row("big", 0x20, 3ull << 31), Row("small", 0x20, 5), Row("huge", 0x20, 1ull << 33), Row("same", 0x20, 5)};
    EXPECT_EQ((Strings{"same", "small", "big", "huge"}), Sorted(keyed, 1, 4));
    EXPECT_EQ((Strings{"huge", "big", "small", "same"}), Sorted(keyed, 2, 4));
    keyed = {Row("new", 0x20, 0, 0x5A21), Row("old", 0x20, 0, 0x2821), Row("m", 0x20, 0, 0x4021, 9),
             Row("m0", 0x20, 0, 0x4021, 3), Row("m1", 0x20, 0, 0x4021, 3)};
    EXPECT_EQ((Strings{"old", "m0", "m1", "m", "new"}), Sorted(keyed, 1, 3));
    EXPECT_EQ((Strings{"new", "m", "m1", "m0", "old"}), Sorted(keyed, 2, 3));
}

namespace {

// A listing read through the fake disk, or filled by Make, with its keys.
struct ListingTest : ::testing::Test {
    Settings s;
    Listing& l = TestListing();
    FakeDisk disk;
    ScriptedPrompts ui;
    char drives[27] = "H\1HHHHHHHHHHHHHHHHHHHHHHHH";  // fixed drives; B: has no root
    void SetUp() override {
        DefaultSettings(s);
        disk.dirs["C:\\QRN\\"] = {Row(".", 0x10), Row("..", 0x10), Row("qrn.exe", 0x20, 1000)};
    }
    int Read(const std::string& path) {
        disk.log.clear();
        std::snprintf(l.CurrentDir, sizeof l.CurrentDir, "%s", path.c_str());
        return ReadDirectory(l, s, disk, nullptr, l.CurrentDir, sizeof l.CurrentDir);
    }
    Strings Names() { return NamesOf(l.table.rows, l.table.EntryCount); }
    // n plain files of 10 bytes on pages of R rows and C columns, the cursor on the page of cursor.
    void Make(int n, int R, int C, int cursor = 0) {
        ClearAllMarks(l.table);
        for (int i = 0; i < n; ++i) l.table.rows[i] = Row(("f" + std::to_string(i)).c_str(), kAttrArchive, 10);
        l.table.EntryCount = n, l.RowsPerColumn = R, l.ColumnsPerPage = C, l.EntriesPerPage = R * C;
        l.PageCount = (n + R * C - 1) / (R * C), l.PageNumber = cursor / (R * C) + 1, l.CursorIndex = cursor;
        l.TopIndex = (l.PageNumber - 1) * R * C, l.LastOnPage = LastOfPage(l);
    }
    KeyResult Key(int key, bool shift = false, bool ctrl = false) {
        Modifiers m{shift, ctrl};
        return ListKey(l, s, TranslateListKey(key, m), m, drives);
    }
};

}  // namespace

TEST_F(ListingTest, RootsLabelsFiguresAndFilters) {
    disk.labels['M'] = "DATA";
    disk.dirs["M:\\"] = {Row("a.txt", 0x20, 10), Row("b.txt", 0x20, 5ull << 32)};
    ASSERT_EQ(3, Read("M:\\"));
    EXPECT_EQ((Strings{"DATA", "a.txt", "b.txt"}), Names());
    EXPECT_EQ((std::vector<std::uint64_t>{kAttrLabel, 10 + (5ull << 32), 5000000000ull, 400, 4999999600ull, 0x5A21, 0x6000}),
              (std::vector<std::uint64_t>{l.table.rows[0].attributes, l.table.ListedBytes, l.table.DiskTotal, l.table.DiskUsed,
                                          l.table.DiskFree, l.table.rows[1].date, l.table.rows[2].time}));  // 64-bit sums
    EXPECT_EQ((Strings{"search M:\\*.*", "close", "work M:\\", "watch M:\\ 3"}), disk.log);  // a root keeps "\"
    EXPECT_EQ((Strings{"M:\\", "1"}), (Strings{l.LastGoodDir, std::to_string(l.ChangeWatch == &disk.log)}));
    disk.dirs["N:\\"] = {};
    s.SortAuto = kSortAutoOn, s.UpdateFilter = 31;
    ASSERT_EQ(1, Read("N:\\"));
    EXPECT_EQ((Strings{kNoDataName}), Names());
    EXPECT_EQ((Strings{"search N:\\*.*", "work N:\\", "sort", "watch N:\\ 31"}), disk.log);
    disk.dirs["C:\\w\\"] = {Row(".", 0x10), Row("x.txt"), Row("y.doc"), Row("sub", 0x10), Row("READ.TXT"),
                            Row("sys.txt", 0x04), Row("hid.txt", 0x02), Row("hsd", 0x16)};
    const struct { const char* mask; int system, hidden; Strings names; } rows[] = {
        {"*.TXT", 1, 1, {".", "x.txt", "sub", "READ.TXT", "sys.txt", "hid.txt", "hsd"}},  // directories always
        {"*.doc;*.txt", 0, 1, {".", "x.txt", "y.doc", "sub", "READ.TXT", "hid.txt"}},
        {"*.*", 1, 0, {".", "x.txt", "y.doc", "sub", "READ.TXT", "sys.txt"}}, {"y*", 0, 0, {".", "y.doc", "sub"}}};
    for (const auto& r : rows) {
        std::strcpy(l.FileMask, r.mask);
        s.SystemDisp = r.system, s.HiddenDisp = r.hidden;
        Read("C:\\w\\");
        EXPECT_EQ(r.names, Names()) << r.mask;
    }
    EXPECT_EQ("watch C:\\w 31", disk.log.back());  // the watch takes no trailing backslash
}

TEST_F(ListingTest, ExtensionsLongestNameAndAFullTable) {
    disk.dirs["C:\\d\\"] = {Row("my.dir", 0x10), Row("a.b.c")};
    for (int dot : {1, 0}) {
        s.FolderDot = dot;
        Read("C:\\d\\");
        EXPECT_EQ((Ints{dot ? 3 : 0, 4}), (Ints{static_cast<int>(l.table.rows[0].ext), static_cast<int>(l.table.rows[1].ext)}));
    }
    disk.labels['L'] = std::string(40, 'L');  // the label does not count
    const std::string n12(12, 'n');
    const std::pair<std::string, int> rows[] = {{"ab", 12}, {n12 + "n", 13}, {n12 + ".c", 16},  // room for two more
                                                {n12 + ".cc", 15}, {"." + n12 + "n", 14}, {"a", 12}};
    for (const auto& [name, longest] : rows) {
        disk.dirs["L:\\"] = {Row(name.c_str())};
        Read("L:\\");
        EXPECT_EQ((Ints{longest, longest}), (Ints{l.table.LongestName, l.NameWidth})) << name;
    }
    disk.labels['Q'] = "LBL";  // the label row counts toward the 2000
    const struct { const char* dir; int files, count; bool full; const char* last; } tables[] = {
        {"C:\\big\\", 2500, 2000, true, "f1999"}, {"C:\\exact\\", 2000, 2000, true, "f1999"},
        {"C:\\less\\", 1999, 1999, false, "f1998"}, {"Q:\\", 2000, 2000, true, "f1998"}};
    for (const auto& r : tables) {
        for (int i = 0; i < r.files; ++i) disk.dirs[r.dir].push_back(Row(("f" + std::to_string(i)).c_str(), 0x20, 1));
        l.table.rows[1500].mark = 1;
        SetMark(l.table, 0, true);
        ASSERT_EQ(r.count, Read(r.dir));
        EXPECT_EQ((Strings{r.last, "close"}), (Strings{l.table.rows[r.count - 1].name, disk.log.at(1)})) << r.dir;
        EXPECT_EQ((Ints{r.full, r.dir[0] == 'Q' ? 1999 : r.count, 0, 0}),
                  (Ints{l.table.TableFull, static_cast<int>(l.table.ListedBytes), l.table.rows[0].mark + l.table.rows[1500].mark,
                        l.table.MarkedCount + static_cast<int>(l.table.MarkedBytes)})) << r.dir;
    }
}

TEST_F(ListingTest, FallbacksOfUnreadableDirectoriesAndDrives) {
    disk.dirs["C:\\"] = {Row("root.txt")};
    disk.dirs["C:\\empty\\"] = {};
    const std::string paths[] = {"C:\\gone\\deeper\\", "C:\\empty\\", "C:\\" + std::string(255, 'z') + "\\"};
    for (const std::string& path : paths) {
        ASSERT_EQ(1, Read(path)) << path;
        EXPECT_EQ((Strings{"C:\\", "C:\\", "close"}), (Strings{l.CurrentDir, l.LastGoodDir, disk.log.at(disk.log.size() - 3)}));
    }
    EXPECT_TRUE(ui.messages.empty());
    disk.notReady = "S";
    ASSERT_EQ(3, Read("S:\\x\\"));  // the first read falls back to the program folder silently
    EXPECT_EQ((Strings{"C:\\QRN\\", "0", "0"}), (Strings{l.CurrentDir, std::to_string(l.FirstRead), std::to_string(ui.beeps)}));
    // Later ones tell, offer the drive window and keep the listing.
    EXPECT_EQ(-1, Read("S:\\x\\"));
    EXPECT_EQ((Strings{"ERROR!|S:\\x\\*.*\rThis drive is not ready!", "choose LogDisk S:\\x\\"}),
              (Strings{ui.messages.back(), disk.log.back()}));
    EXPECT_EQ((Strings{"C:\\QRN\\", "1", "1", "1", ".", "..", "qrn.exe"}),
              (Strings{l.CurrentDir, std::to_string(ui.beeps), std::to_string(ui.messages.size()), std::to_string(disk.log.size()),
                       l.table.rows[0].name, l.table.rows[1].name, l.table.rows[2].name}));
    disk.dirs["M:\\"] = {Row("m.txt")};  // a drive chosen in the drive window is read instead
    disk.chosen = "M:\\";
    EXPECT_EQ((Strings{"1", "M:\\"}), (Strings{std::to_string(Read("S:\\")), l.CurrentDir}));
}

TEST(RowText, NumbersAndNameFields) {
    char small[4], wide[32];  // a small buffer is filled, not overrun
    EXPECT_EQ((Ints{3, 26}), (Ints{FormatNumber(small, sizeof small, 123456, 0), FormatNumber(wide, sizeof wide, ~0ull, 6)}));
    EXPECT_EQ((Strings{"123", "18,446,744,073,709,551,615"}), (Strings{small, wide}));
    FileEntry marked = Row("sub", kAttrDirectory);
    marked.mark = 1;
    const std::string sjis = "ソフトウェア資料集.txt", blanks(17, ' ');  // ソ ends in 0x5C
    const struct { FileEntry e; int W, exp, nameCase; std::string name, ext; } rows[] = {
        {Row("longprojectname.txt"), 12, 3, 3, " longpro..txt ", "txt"}, {marked, 12, 3, 3, "*sub         >", "   "},
        {Row("a.c"), 12, 3, 3, " a       .c   ", "c  "}, {Row("..", kAttrDirectory), 14, 2, 3, "[ Upper  Dir ]  ", "  "},
        {Row(sjis.c_str()), 12, 3, 3, " ソフト...txt ", "txt"},  // 7 bytes would split a character: 6 and ".."
        {Row(sjis.c_str()), 13, 3, 3, " ソフトウ..txt ", "txt"}, {Row("a.表示"), 12, 3, 3, " a       .表  ", "表 "},
        {Row("README.TXT"), 12, 3, 2, " Readme  .Txt ", "Txt"}, {Row("ReadMe.Txt"), 12, 3, 0, " readme  .txt ", "txt"},
        {Row("readme.txt"), 12, 3, 1, " README  .TXT ", "TXT"}, {Row("a.txt"), 12, 0, 3, " a" + std::string(12, ' '), ""},
        {Row("abcdefgh.txt"), 12, 20, 3, " abcdefgh.txt" + blanks + " ", "txt" + blanks},  // wider than the column
        {Row("abcdef.txt"), 2, 3, 3, " .txt ", "txt"}};
    for (const auto& r : rows) {
        char name[kRowTextSize], ext[kExtTextSize];
        FormatEntryName(r.e, NameFormat{r.W, r.exp, r.nameCase, LowerAscii, UpperAscii}, name, sizeof name, ext, sizeof ext);
        EXPECT_EQ((Strings{r.name, r.ext}), (Strings{name, ext})) << r.e.name << " W=" << r.W;
    }
}

TEST_F(ListingTest, CursorAndPageMovesInBothScrollModes) {
    const int U = kKeyUp, D = kKeyDown, L = kKeyLeft, R = kKeyRight, P = kKeyPrior, N = kKeyNext;
    const int rows[][6] = {  // scroll mode, entries, from, key (negative: with Shift), to, page; pages of 4 x 3
        {0, 30, 5, D, 6, 1}, {0, 30, 29, D, 24, 3}, {0, 30, 24, U, 29, 3}, {1, 30, 11, D, 12, 2}, {1, 30, 12, U, 11, 1},
        {1, 30, 0, U, 0, 1}, {1, 30, 29, D, 29, 3}, {1, 30, 13, L, 9, 1}, {1, 30, 21, R, 25, 3}, {1, 30, 1, L, 1, 1},
        {1, 30, 29, R, 29, 3}, {1, 26, 23, R, 25, 3}, {1, 30, 16, L, 12, 2}, {0, 10, 5, R, 9, 1}, {0, 10, 6, R, 3, 1},
        {0, 10, 7, R, 0, 1}, {0, 10, 9, R, 2, 1}, {0, 10, 4, L, 0, 1}, {0, 10, 0, L, 7, 1}, {0, 10, 2, L, 9, 1},
        {0, 10, 3, L, 6, 1}, {0, 3, 0, L, 2, 1}, {0, 3, 2, R, 0, 1}, {0, 30, 5, P, 5, 1}, {0, 30, 5, N, 12, 2},
        {0, 30, 5, -N, 24, 3}, {0, 30, 29, N, 29, 3}, {0, 30, 25, P, 12, 2}, {0, 30, 25, -P, 0, 1}, {0, 30, 25, -L, 12, 2},
        {0, 30, 5, -R, 12, 2}};
    for (auto [mode, n, from, key, to, page] : rows) {
        s.ScrollMode = mode;
        Make(n, 4, 3, from);
        const int fromPage = l.PageNumber, redraw = Key(std::abs(key), key < 0).redraw;
        const int expected = page != fromPage ? kRedrawNewPage : to != from ? kRedrawCursor : kRedrawNone;
        EXPECT_EQ((Ints{to, page, (page - 1) * 12, LastOfPage(l), expected}),
                  (Ints{l.CursorIndex, l.PageNumber, l.TopIndex, l.LastOnPage, redraw}))
            << "mode " << mode << " of " << n << " from " << from << " key " << key;
    }
    l.table.rows[1] = Row("..", kAttrDirectory);
    Key(kKeyPrior, true);  // Shift+Page Up: on ".." when it is entry 1
    EXPECT_EQ(1, l.CursorIndex);
    // A window too small for one row, with names wider than itself, still shows one a page.
    l.table.EntryCount = 50, l.table.LongestName = 259;
    l.screen = ComputeScreenLayout(200, 100, 30, 180, 60);
    ComputePageGeometry(l, s);
    EXPECT_EQ((Ints{1, 1, 50}), (Ints{l.RowsPerColumn, l.EntriesPerPage, l.PageCount}));
}

// Every key from every cursor position keeps the cursor on a real entry of
// the page shown; scroll mode 0 leaves the page only by page keys.
TEST_F(ListingTest, CursorStaysOnRealEntriesEverywhere) {
    for (int mode : {0, 1}) for (int n : {1, 2, 3, 4, 5, 7, 12, 13, 25, 40}) for (int R : {1, 2, 3, 4}) for (int C : {1, 2, 3})
        for (int start = 0; start < n; ++start) for (int key : {kKeyUp, kKeyDown, kKeyLeft, kKeyRight, kKeyPrior, kKeyNext}) {
            s.ScrollMode = mode;
            Make(n, R, C, start);
            Key(key);
            SCOPED_TRACE(testing::Message() << mode << " " << n << " " << R << " " << C << " " << start << " " << key);
            ASSERT_TRUE(l.TopIndex <= l.CursorIndex && l.CursorIndex <= l.LastOnPage && l.LastOnPage < n);
            ASSERT_EQ(l.TopIndex, (l.PageNumber - 1) * l.EntriesPerPage);
            ASSERT_TRUE(mode || key == kKeyPrior || key == kKeyNext || start / (R * C) + 1 == l.PageNumber);
        }
}

TEST_F(ListingTest, MarksBySpaceHomeAndClicks) {
    Make(6, 3, 2, 1);
    l.table.rows[0] = Row(".", kAttrDirectory), l.table.rows[1] = Row("..", kAttrDirectory), l.table.rows[2] = Row("dir", kAttrDirectory);
    const int steps[][6] = {  // key, Ctrl; redraw, marks, mark of "dir", cursor after it
        {' ', 0, kRedrawPage, 0, 0, 2}, {' ', 0, kRedrawPage, 1, 1, 3}, {' ', 0, kRedrawPage, 2, 1, 4},  // never ".."
        {kKeyUp, 0, kRedrawCursor, 2, 1, 3}, {kKeyUp, 0, kRedrawCursor, 2, 1, 2}, {' ', 0, kRedrawPage, 1, 0, 3},
        {kKeyHome, 0, kRedrawPage, 0, 0, 3}, {kKeyHome, 0, kRedrawPage, 3, 0, 3}, {kKeyHome, 0, kRedrawPage, 0, 0, 3},
        {kKeyHome, 1, kRedrawPage, 4, 1, 3}, {' ', 0, kRedrawPage, 3, 1, 4}};  // Home: none, else files, Ctrl: and dirs
    for (auto [key, ctrl, redraw, marks, dir, cursor] : steps)
        EXPECT_EQ((Ints{redraw, marks, dir, cursor, 0}), (Ints{Key(key, false, ctrl).redraw, l.table.MarkedCount,
                  l.table.rows[2].mark, l.CursorIndex, l.table.rows[0].mark + l.table.rows[1].mark})) << key;
    EXPECT_EQ(20u, l.table.MarkedBytes);
    s.ScrollMode = 1;
    Make(6, 3, 1, 2);
    l.table.rows[0] = Row("LABEL", kAttrLabel);
    Key(kKeyHome, false, true);
    EXPECT_EQ(5, l.table.MarkedCount);           // never the label
    EXPECT_EQ(kRedrawNewPage, Key(' ').redraw);  // the last of the page moves to the next

    Make(10, 4, 3, 1);
    const Modifiers none, ctrl{false, true}, shift{true, false};
    const struct { int index; Modifiers m; bool twice; int marks, cursor, action; } clicks[] = {
        {5, ctrl, false, 1, 5, kActNone}, {5, ctrl, false, 1, 5, kActNone},  // Ctrl+click never unmarks
        {8, shift, false, 4, 8, kActNone}, {2, shift, false, 7, 2, kActNone},  // a second range never unmarks
        {5, none, true, 7, 5, kActOpenMarked}, {-1, none, false, 7, 5, kActNone}};  // behind the last: nothing
    for (const auto& c : clicks) {
        KeyResult r = ListClick(l, s, Hit{c.index < 0 ? kHitBehindLast : kHitEntry, c.index, false}, c.m, c.twice, drives);
        EXPECT_EQ((Ints{c.marks, c.cursor, c.action}), (Ints{l.table.MarkedCount, l.CursorIndex, r.action})) << c.index;
    }
    EXPECT_EQ(0, l.table.rows[1].mark + l.table.rows[9].mark);
}

TEST_F(ListingTest, DrivesDisplayModesCaseAndHandOvers) {
    Make(5, 10, 1);
    const int rows[][5] = {  // key, shift, ctrl; action and argument
        {'1', 0, 0, kActDrive, 0}, {'0', 0, 0, kActDrive, 9}, {kKeyNumpad0 + 3, 0, 0, kActDrive, 2}, {'2', 0, 0, kActBeep, 0},
        {kKeyBack, 0, 0, kActNone, 0}, {kKeyReturn, 0, 0, kActOpen, kKeyReturn}, {kKeyE, 0, 0, kActNone, 0},
        {kKeyE, 1, 0, kActOpen, kKeyE}, {kKeyE, 0, 1, kActOpen, kKeyE}, {kKeyPeriod, 0, 0, kActOneKeyDir, 2},
        {kKeySlash, 0, 0, kActOneKeyDir, 3}};
    for (auto [key, shift, ctrl, action, arg] : rows) {
        KeyResult k = Key(key, shift, ctrl);
        EXPECT_EQ((Ints{action, arg}), (Ints{k.action, k.arg})) << key;
    }
    l.table.rows[0] = Row("..", kAttrDirectory);
    SetMark(l.table, 3, true);
    EXPECT_EQ((Ints{kKeyBack, kKeyBackslash, kActOpenMarked}),
              (Ints{Key(kKeyBack).arg, Key(kKeyOem220).arg, Key(kKeyReturn).action}));
    const int modes[][5] = {  // key, shift; display mode, two-column switch and name case after it
        {'0', 1, -1, 0, 2}, {'1', 1, 3, 0, 2}, {'2', 1, 1, 0, 2}, {kKeyOem222, 1, 2, 1, 2}, {kKeyOem222, 1, 1, 0, 2},
        {'3', 1, 2, 0, 2}, {'4', 1, 0, 0, 2}, {kKeyOem222, 1, 0, 1, 2}, {'5', 1, 0, 1, 2}, {kKeyOem222, 0, 0, 1, 3},
        {kKeyOem222, 0, 0, 1, 0}};
    s.NameCase = 2;
    for (auto [key, shift, mode, two, nameCase] : modes) {
        const int redraw = Key(key, shift).redraw;
        EXPECT_EQ((Ints{mode, two, nameCase, key == '5' ? kRedrawNone : shift ? kRedrawWindow : kRedrawPage}),
                  (Ints{s.DisplayMode, s.TwoColumnSwitch, s.NameCase, redraw})) << key << shift;
    }
    Make(0, 4, 1);  // an empty table ignores moves, marks and Enter
    for (int key : {+kKeyUp, +kKeyDown, +kKeyLeft, +kKeyRight, +kKeyPrior, +kKeyNext, int{' '}, +kKeyHome, +kKeyReturn, +kKeyE})
        EXPECT_EQ((Ints{kRedrawNone, kActNone}), (Ints{Key(key, key == kKeyE).redraw, Key(key).action})) << key;
}

// Ctrl+W: the directory as paths are read, the place among all rows, the
// marks only when there are, the free space; a long directory gives way.
TEST(WhereSentence, PlaceMarksAndFreeSpaceAfterTheDirectory) {
    Listing& l = TestListing();
    for (const char* name : {".", "..", "a.txt", "b.txt"}) l.table.rows[l.table.EntryCount++] = Row(name);
    char out[kSpeechTextSize];
    WhereSentence(l.table, "C:\\ソ\\", 2, 1234567, out, sizeof out);
    char dir[kSpeechTextSize] = "";
    AppendReadable(dir, sizeof dir, "C:\\ソ\\", kReadNames);
    EXPECT_EQ(std::string(dir) + "、4件中3件目、空き1234567バイト", out);
    SetMark(l.table, 2, true), SetMark(l.table, 3, true);
    l.table.MarkedBytes = 2048;
    WhereSentence(l.table, "C:\\", 0, 0, out, sizeof out);
    EXPECT_NE(std::string::npos, std::string(out).find("、4件中1件目、マーク2件2048バイト、空き0バイト"));
    std::string deep = "C:\\";
    for (int i = 0; i < 24; ++i) deep += "abcdefghi\\";  // readable, far longer than a speech text
    WhereSentence(l.table, deep.c_str(), 3, 5, out, sizeof out);
    const std::string said = out;
    EXPECT_EQ("、4件中4件目、マーク2件2048バイト、空き5バイト", said.substr(said.find("、")));
    EXPECT_LT(said.size(), kSpeechTextSize);
}
