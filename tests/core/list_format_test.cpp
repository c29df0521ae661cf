// Row texts, header values and page geometry of the list display.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>

#include "listing/list_format.h"
#include "listing/wildcard.h"

using namespace qrn;

namespace {

void UpperAsciiFn(char* s) {
    for (; *s; ++s) {
        if (IsLeadByte(*s) && s[1]) {
            ++s;
            continue;
        }
        if (*s >= 'a' && *s <= 'z') *s = static_cast<char>(*s - 'a' + 'A');
    }
}

FileEntry Entry(const char* name, std::uint32_t attributes = kAttrArchive, std::uint64_t size = 0) {
    FileEntry e{};
    std::strcpy(e.name, name);
    e.attributes = attributes;
    e.size = size;
    e.ext = (attributes & kAttrDirectory) && (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0)
                ? 0
                : ExtensionIndex(name);
    return e;
}

std::string Name(const FileEntry& e, int W, int exp = 3, int nameCase = 3, std::string* ext = nullptr) {
    NameFormat f{W, exp, nameCase, LowerAscii, UpperAsciiFn};
    char out[kRowTextSize], x[kExtTextSize];
    FormatEntryName(e, f, out, sizeof out, x, sizeof x);
    if (ext) *ext = x;
    return out;
}

std::uint16_t DosDate(int y, int m, int d) { return static_cast<std::uint16_t>(((y - 1980) << 9) | (m << 5) | d); }
std::uint16_t DosTime(int h, int m, int s) { return static_cast<std::uint16_t>((h << 11) | (m << 5) | (s / 2)); }

}  // namespace

TEST(FormatNumber, GroupsPadsAndNeverCuts) {
    char out[64];
    FormatNumber(out, sizeof out, 1234567, 0);
    EXPECT_STREQ(out, "1,234,567");
    FormatNumber(out, sizeof out, 0, 0);
    EXPECT_STREQ(out, "0");
    FormatNumber(out, sizeof out, 999, 6);
    EXPECT_STREQ(out, "   999");
    FormatNumber(out, sizeof out, 1000, 3);
    EXPECT_STREQ(out, "1,000");
    // Sizes beyond 4 GiB keep all their digits.
    FormatNumber(out, sizeof out, 5000000000ull, 12);
    EXPECT_STREQ(out, "5,000,000,000");
    FormatNumber(out, sizeof out, ~0ull, 0);
    EXPECT_STREQ(out, "18,446,744,073,709,551,615");
    // A small buffer is filled, not overrun.
    char tiny[4];
    FormatNumber(tiny, sizeof tiny, 123456, 0);
    EXPECT_EQ(std::strlen(tiny), 3u);
}

TEST(FormatEntryName, CutsPadsAndBrackets) {
    // A long name under a 12-character limit: base cut to 7 bytes and a mark.
    EXPECT_EQ(Name(Entry("longprojectname.txt"), 12), " longpro..txt ");
    EXPECT_EQ(Name(Entry("sub", kAttrDirectory), 12), "<sub         >");
    FileEntry marked = Entry("sub", kAttrDirectory);
    marked.mark = 1;
    EXPECT_EQ(Name(marked, 12), "*sub         >");
    EXPECT_EQ(Name(Entry("..", kAttrDirectory), 14), "[ Upper  Dir ]  ");
    EXPECT_EQ(Name(Entry(".", kAttrDirectory), 12), "[ This   Dir ]");
    FileEntry exec = Entry("[ Execution  ]", kAttrExecutionRow);
    EXPECT_EQ(Name(exec, 16), "[ Execution  ]    ");
    // Short names are padded; the extension keeps its column.
    std::string ext;
    EXPECT_EQ(Name(Entry("a.c"), 12, 3, 3, &ext), " a       .c   ");
    EXPECT_EQ(ext, "c  ");
    EXPECT_EQ(Name(Entry("README"), 12), " README       ");
    // The volume label row is bracketed like a directory.
    EXPECT_EQ(Name(Entry("QRNTEST", kAttrLabel), 12), "<QRNTEST     >");
}

TEST(FormatEntryName, DoubleByteCharactersAreNeverSplit) {
    // "ソフトウェア資料集" is 18 bytes; ソ ends in 0x5C.
    const char* name = "ソフトウェア資料集.txt";
    // b = 8: keeping 7 bytes would split the fourth character: 6 bytes + "..".
    std::string s = Name(Entry(name), 12);
    EXPECT_EQ(s.size(), 14u);
    EXPECT_EQ(s.substr(1, 8), std::string("ソフト") + "..");
    // b = 9: 8 bytes are whole characters, one '.' follows.
    s = Name(Entry(name), 13);
    EXPECT_EQ(s.substr(1, 9), std::string("ソフトウ") + ".");
    // The extension is cut at whole characters too.
    std::string ext;
    s = Name(Entry("a.表示"), 12, 3, 3, &ext);
    EXPECT_EQ(ext, std::string("表") + " ");
    EXPECT_EQ(s.size(), 14u);
}

TEST(FormatEntryName, CaseModesAndWideExtensions) {
    EXPECT_EQ(Name(Entry("README.TXT"), 12, 3, 2), " Readme  .Txt ");
    EXPECT_EQ(Name(Entry("README.TXT"), 12, 3, 0), " readme  .txt ");
    EXPECT_EQ(Name(Entry("readme.txt"), 12, 3, 1), " README  .TXT ");
    EXPECT_EQ(Name(Entry("ReadMe.Txt"), 12, 3, 3), " ReadMe  .Txt ");
    // No extension shown at all.
    EXPECT_EQ(Name(Entry("a.txt"), 12, 0), " a" + std::string(11, ' ') + " ");
    // An extension wider than the column: base gets W-4, the text grows.
    std::string s = Name(Entry("abcdefgh.txt"), 12, 20);
    EXPECT_EQ(s.substr(0, 10), " abcdefgh.");
    EXPECT_EQ(s.size(), 1u + 8 + 1 + 20 + 1);
    // A column narrower than four characters still gives a sane text.
    s = Name(Entry("abcdef.txt"), 2, 3);
    EXPECT_LE(s.size(), 8u);
}

TEST(RowFields, LayoutsAndPseudoRows) {
    FileEntry f = Entry("a.txt", kAttrArchive, 1234);
    f.date = DosDate(1999, 12, 31);
    f.time = DosTime(23, 59, 58);
    char name[kRowTextSize], row[kRowTextSize];
    NameFormat fmt{12, 3, 3, LowerAscii, UpperAsciiFn};
    FormatEntryName(f, fmt, name, sizeof name, row, sizeof row);
    RowText(f, 3, name, row, sizeof row);
    EXPECT_EQ(std::string(row), std::string(name) + "       1,234 99-12-31 23:59:58 A____");
    RowText(f, 1, name, row, sizeof row);
    EXPECT_EQ(std::string(row), std::string(name) + "       1,234 A____");
    RowText(f, 2, name, row, sizeof row);
    EXPECT_EQ(std::string(row), std::string(name) + " 99-12-31 23:59:58");
    RowText(f, 0, name, row, sizeof row);
    EXPECT_EQ(std::string(row), name);
    RowText(f, 4, name, row, sizeof row);
    EXPECT_EQ(std::string(row), name);

    char sz[32], at[8];
    SizeField(Entry("d", kAttrDirectory | kAttrHidden), sz);
    EXPECT_STREQ(sz, " < Dir >    ");
    SizeField(Entry("LABEL", kAttrLabel), sz);
    EXPECT_STREQ(sz, " < Vol >    ");
    AttrField(Entry("LABEL", kAttrLabel), at);
    EXPECT_STREQ(at, "      ");
    // Any row with the volume-label bit has no attributes of its own; one
    // that is also a directory still shows as a directory.
    AttrField(Entry("[ Execution  ]", kAttrExecutionRow), at);
    EXPECT_STREQ(at, "      ");
    SizeField(Entry("[ Execution  ]", kAttrExecutionRow), sz);
    EXPECT_STREQ(sz, " < Dir >    ");
    AttrField(Entry("x", 0x37), at);
    EXPECT_STREQ(at, " AHSRD");
    // A size of 12 digits and more still shows whole.
    SizeField(Entry("big", kAttrArchive, 123456789012ull), sz);
    EXPECT_STREQ(sz, " 123,456,789,012");
}

TEST(RowColors, FirstMatchingRule) {
    EXPECT_EQ(RowColor(Entry("L", kAttrLabel)), kVol);
    EXPECT_EQ(RowColor(Entry(kNoDataName, kAttrLabel)), kVol);
    EXPECT_EQ(RowColor(Entry("s", kAttrDirectory | kAttrSystem)), kSys);
    EXPECT_EQ(RowColor(Entry("h", kAttrDirectory | kAttrHidden)), kHidn);
    EXPECT_EQ(RowColor(Entry("r.txt", kAttrReadOnly)), kRdon);
    EXPECT_EQ(RowColor(Entry("d", kAttrDirectory)), kDir);
    EXPECT_EQ(RowColor(Entry(".", kAttrDirectory)), kDir);
    EXPECT_EQ(RowColor(Entry("..", kAttrDirectory)), kUpper);
    EXPECT_EQ(RowColor(Entry("a.txt")), kNorm);

    Rgb c = BinColor(5);
    EXPECT_EQ(c.r, 0);
    EXPECT_EQ(c.g, 255);
    EXPECT_EQ(c.b, 255);
    c = BinColor(2);
    EXPECT_EQ(c.r, 255);
    EXPECT_EQ(c.g + c.b, 0);
    char key[16];
    BinColorKey("c  ", UpperAsciiFn, key, sizeof key);
    EXPECT_STREQ(key, "C");
    BinColorKey("exe", UpperAsciiFn, key, sizeof key);
    EXPECT_STREQ(key, "EXE");
}

TEST(HeaderValues, CountsPagesDatesAndStatus) {
    EntryTable* t = new EntryTable{};
    t->EntryCount = 2000;
    t->TableFull = true;
    t->ListedBytes = 1234567;
    t->MarkedCount = 3;
    t->MarkedBytes = 4294967296ull + 5;
    t->DiskFree = 10ull << 32;
    t->DiskTotal = 20ull << 32;
    t->DiskUsed = 10ull << 32;
    char out[48], a[48], b[48], c[48];
    FilesValue(*t, out);
    EXPECT_STREQ(out, "2000+   1,234,567");
    t->TableFull = false;
    t->EntryCount = 7;
    FilesValue(*t, out);
    EXPECT_STREQ(out, "   7    1,234,567");
    MarkValue(*t, out);
    EXPECT_STREQ(out, "   3 4,294,967,301");
    PageValue(2, 13, out);
    EXPECT_STREQ(out, " 2/13    ");
    StatusTexts(*t, a, b, c);
    EXPECT_STREQ(a, " Free: 42,949,672,960");
    EXPECT_STREQ(b, " Total: 85,899,345,920");
    EXPECT_STREQ(c, " Used: 42,949,672,960");
    DateTimeValue(DosDate(2005, 3, 4), DosTime(5, 6, 8), out);
    EXPECT_STREQ(out, "05-03-04 05:06:08");
    AttrValue(kAttrLabel, out);
    EXPECT_STREQ(out, "<Vol>");
    AttrValue(kAttrReadOnly | kAttrArchive, out);
    EXPECT_STREQ(out, "A__R_");
    delete t;
}

class Geometry : public ::testing::Test {
protected:
    void SetUp() override {
        DefaultSettings(s);
        l = new Listing;
        ResetListing(*l);
    }
    void TearDown() override { delete l; }
    void Fill(int count, int longest = 12) {
        l->table.EntryCount = count;
        l->table.LongestName = longest;
    }
    // lh 16, cw 8, no toolbar, the given client size, status bar of 20.
    ScreenLayout Screen(int width, int height) { return ComputeScreenLayout(16, 8, 0, width, height - 20); }
    Settings s;
    Listing* l;
};

TEST_F(Geometry, PixelPositionsOfHeaderAndList) {
    ScreenLayout sl = ComputeScreenLayout(16, 8, 30, 600, 300);
    EXPECT_EQ(sl.y[0], 34);
    EXPECT_EQ(sl.y[3], 34 + 48);
    EXPECT_EQ(sl.listTop, 34 + 64);
    EXPECT_EQ(sl.sepY, 8 + 82 - 1);
    EXPECT_EQ(sl.x[0], 4);
    EXPECT_EQ(sl.x[1], 44);
    EXPECT_EQ(sl.x[2], 44 + 144);
    EXPECT_EQ(sl.x[5], 4 + 53 * 8);
}

TEST_F(Geometry, AutomaticLayoutChoosesTheWidestThatShowsAll) {
    // 600 x 350 client: list 330 - 68 = rows (330-68-16-2)/16+1 = 16.
    ScreenLayout sl = Screen(600, 350);
    s.DisplayMode = -1;
    Fill(10);
    l->screen = sl;
    ComputePageGeometry(*l, s);
    EXPECT_EQ(l->RowsPerColumn, 16);
    EXPECT_EQ(l->Layout, 3);  // pitch (12+39)*8 = 408 <= 592: one column of 16
    EXPECT_EQ(l->EntriesPerPage, 16);
    EXPECT_EQ(l->PageCount, 1);
    // 20 entries: layout 3 holds 16, layout 2 has 2 columns of pitch 264.
    Fill(20);
    l->screen = sl;
    ComputePageGeometry(*l, s);
    EXPECT_EQ(l->Layout, 2);
    s.TwoColumnSwitch = 1;
    l->screen = sl;
    ComputePageGeometry(*l, s);
    EXPECT_EQ(l->Layout, 1);
    s.TwoColumnSwitch = 0;
    // 40 entries: layout 0 (pitch 120: 4 columns, 64 per page).
    Fill(40);
    l->screen = sl;
    ComputePageGeometry(*l, s);
    EXPECT_EQ(l->Layout, 0);
    EXPECT_EQ(l->ColumnsPerPage, 4);
    // Nothing fits: layout 0 over several pages.
    Fill(300);
    l->screen = sl;
    ComputePageGeometry(*l, s);
    EXPECT_EQ(l->Layout, 0);
    EXPECT_EQ(l->PageCount, 5);
}

TEST_F(Geometry, FixedLayoutsPagesAndCursorClamp) {
    ScreenLayout sl = Screen(600, 350);
    s.DisplayMode = 4;
    Fill(100);
    l->screen = sl;
    ComputePageGeometry(*l, s);
    EXPECT_EQ(l->Layout, 4);
    EXPECT_EQ(l->ColumnsPerPage, 1);  // pitch 999 pixels: never more than one
    EXPECT_EQ(l->PageCount, 7);
    s.DisplayMode = 9;  // out of range: layout 0
    l->screen = sl;
    ComputePageGeometry(*l, s);
    EXPECT_EQ(l->Layout, 0);
    l->CursorIndex = 99;
    s.DisplayMode = 0;
    l->screen = sl;
    ComputePageGeometry(*l, s);
    EXPECT_EQ(l->PageNumber, 2);
    EXPECT_EQ(l->TopIndex, 64);
    l->CursorIndex = 500;  // beyond the table
    Fill(10);
    l->screen = sl;
    ComputePageGeometry(*l, s);
    EXPECT_EQ(l->CursorIndex, 9);
    EXPECT_EQ(l->PageNumber, 1);
    Fill(0);
    l->screen = sl;
    ComputePageGeometry(*l, s);
    EXPECT_EQ(l->CursorIndex, 0);
    EXPECT_EQ(l->PageCount, 0);
}

TEST_F(Geometry, TinyWindowsAndHugeFontsStillGiveOneRow) {
    ScreenLayout sl = ComputeScreenLayout(200, 100, 30, 180, 60);
    s.DisplayMode = -1;
    Fill(50, 259);
    l->screen = sl;
    ComputePageGeometry(*l, s);
    EXPECT_GE(l->RowsPerColumn, 1);
    EXPECT_GE(l->EntriesPerPage, 1);
    EXPECT_EQ(l->PageCount, 50 / l->EntriesPerPage + (50 % l->EntriesPerPage ? 1 : 0));
}

// Random names and settings: the name field never outgrows its buffer, never
// ends in half a double-byte character and has W+2 characters when the
// extension fits the column.
TEST(FormatEntryName, RandomNamesStayWithinTheirField) {
    std::mt19937 rng(7);
    const char alphabet[] = "ab.Z_ *~";
    for (int round = 0; round < 20000; ++round) {
        FileEntry e{};
        int len = static_cast<int>(rng() % 259) + 1;
        int i = 0;
        while (i < len) {
            if (rng() % 4 == 0 && i + 2 <= len) {
                e.name[i++] = static_cast<char>(0x81 + rng() % 0x1F);
                e.name[i++] = static_cast<char>(0x40 + rng() % 0xBC);
            } else {
                e.name[i++] = alphabet[rng() % (sizeof alphabet - 1)];
            }
        }
        e.name[i] = '\0';
        e.ext = ExtensionIndex(e.name);
        e.attributes = (rng() % 3 == 0) ? kAttrDirectory : kAttrArchive;
        e.mark = rng() % 2;
        int W = static_cast<int>(rng() % 262);
        int E = static_cast<int>(rng() % 256);
        NameFormat f{W, E, static_cast<int>(rng() % 4), LowerAscii, UpperAsciiFn};
        char out[kRowTextSize], x[kExtTextSize];
        FormatEntryName(e, f, out, sizeof out, x, sizeof x);
        std::size_t n = std::strlen(out);
        ASSERT_LT(n, sizeof out);
        int Wc = W < 1 ? 1 : W;
        if (E + 1 <= Wc && Wc >= 4) {
            ASSERT_EQ(n, static_cast<std::size_t>(Wc + 2)) << e.name << " W=" << W << " E=" << E;
        }
        // No lead byte is left without its trail byte.
        for (std::size_t k = 0; k < n; ++k) {
            if (IsLeadByte(out[k])) {
                ASSERT_LT(k + 1, n);
                ++k;
            }
        }
        char row[kRowTextSize];
        RowText(e, static_cast<int>(rng() % 5), out, row, sizeof row);
        ASSERT_LT(std::strlen(row), sizeof row);
    }
}

// What is spoken for the cursor row follows the fields the layout shows:
// the name through the name table, size and attributes as they are, the date
// with slashes; blanks and long runs shortened as for any spoken text.
TEST(SpokenRow, EachLayoutSaysItsOwnFields) {
    FileEntry e = Entry("a.txt", kAttrArchive, 1234);
    e.date = static_cast<std::uint16_t>(((2026 - 1980) << 9) | (12 << 5) | 7);
    e.time = static_cast<std::uint16_t>((9 << 11) | (34 << 5) | (56 / 2));
    const char* field = " a       .txt ";
    char out[260];
    const std::string name = "aぴりおどtxt";
    SpokenRowText(e, 0, field, out, sizeof out);
    EXPECT_EQ(std::string(out), name);
    SpokenRowText(e, 4, field, out, sizeof out);
    EXPECT_EQ(std::string(out), name);
    SpokenRowText(e, 1, field, out, sizeof out);
    EXPECT_EQ(std::string(out), name + "   1,234 A___");
    SpokenRowText(e, 2, field, out, sizeof out);
    EXPECT_EQ(std::string(out), name + " 26/12/07 09:34:56");
    SpokenRowText(e, 3, field, out, sizeof out);
    EXPECT_EQ(std::string(out), name + "   1,234 26/12/07 09:34:56 A___");

    // A marked directory: its star and brackets are spoken as words.
    FileEntry d = Entry("sub", kAttrDirectory);
    d.date = e.date;
    d.time = e.time;
    SpokenRowText(d, 1, "*sub>", out, sizeof out);
    // Each field is shortened on its own: the size field's four trailing
    // blanks become three, the attributes bring their own.
    EXPECT_EQ(std::string(out), "あすたりすくsubだいなり < Dir >    ___D");
    // A buffer too small for everything is filled with whole readings only.
    char small[11];
    SpokenRowText(e, 3, field, small, sizeof small);
    EXPECT_EQ(std::string(small), "aぴりおどt");
}
