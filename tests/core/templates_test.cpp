// Command templates and the row helpers of the launcher.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>

#include "launch/templates.h"
#include "fake_profile.h"

namespace qrn {
namespace {

struct TemplateTest : ::testing::Test {
    Listing& l = qrn::test::TestListing();
    void SetUp() override {
        ResetListing(l);
        std::strcpy(l.CurrentDir, "C:\\DOC\\");
        Add("a b.txt");
        Add("readme.txt");
    }
    int Add(const char* name, std::uint32_t attributes = kAttrArchive) {
        FileEntry& e = l.table.rows[l.table.EntryCount];
        std::memset(&e, 0, sizeof e);
        std::strcpy(e.name, name);
        e.attributes = attributes;
        e.ext = ExtensionIndex(name);
        return l.table.EntryCount++;
    }
    std::string Expand(const char* tmpl, int subject, std::size_t size = kCommandSize,
                       ShortPathFn shortPath = nullptr) {
        char out[600];
        std::memset(out, 'X', sizeof out);
        EXPECT_TRUE(ExpandTemplate(tmpl, out, size, subject, l, shortPath)) << tmpl;
        return out;
    }
};

bool ShortOf(const char* path, char* out, std::size_t size) {
    if (std::strcmp(path, "C:\\DOC\\a b.txt") != 0) return false;
    std::snprintf(out, size, "C:\\DOC\\AB~1.TXT");
    return true;
}

TEST_F(TemplateTest, NamePlaceholders) {
    EXPECT_EQ(Expand("notepad %F", 0), "notepad C:\\DOC\\a b.txt");
    const int lzh = Add("my file.lzh");
    const int upper = Add("ABC.LZH");
    EXPECT_EQ(Expand("lha x %>", lzh), "lha x \"my file.lzh\"");
    EXPECT_EQ(Expand("lha x %>", upper), "lha x ABC.LZH");
    EXPECT_EQ(Expand("%&", 1), "readme");
    EXPECT_EQ(Expand("%&", Add("archive")), "archive");
    EXPECT_EQ(Expand("%|%:", 0), "C:\\DOC\\");
    EXPECT_EQ(Expand("[%|] [%:]", 0), "[C:] [\\DOC\\]");
}

TEST_F(TemplateTest, LongBaseNamesAreQuotedOnBothSides) {
    EXPECT_EQ(Expand("%&", Add("long file name.txt")), "\"long file name\"");
    EXPECT_EQ(Expand("%&", Add("long file name")), "\"long file name\"");
}

TEST_F(TemplateTest, ShortPathAndItsFallback) {
    EXPECT_EQ(Expand("v %S", 0, kCommandSize, ShortOf), "v C:\\DOC\\AB~1.TXT");
    // A path whose short form cannot be had (a vanished file) keeps its long form.
    EXPECT_EQ(Expand("v %S", 1, kCommandSize, ShortOf), "v C:\\DOC\\readme.txt");
    EXPECT_EQ(Expand("v %S", 1), "v C:\\DOC\\readme.txt");
}

TEST_F(TemplateTest, CommentsPercentSignsAndCase) {
    const int a = Add("a.txt");
    EXPECT_EQ(Expand("cmd %> ;note", a), "cmd a.txt ");
    EXPECT_EQ(Expand("100%", a), "100%");
    EXPECT_EQ(Expand("%%F", a), "%C:\\DOC\\a.txt");
    EXPECT_EQ(Expand("%f %s %x", a), "%f %s %x");
    EXPECT_EQ(Expand("", a), "");
    EXPECT_EQ(Expand(";all comment", a), "");
}

TEST_F(TemplateTest, DoubleByteCharactersAreNeverPlaceholdersOrSeparators) {
    // 0x83 0x5C is "ソ": its trail byte is a backslash; 0x81 0x25 carries a
    // percent sign as trail byte; 0x81 0x3B a semicolon.
    const char tmpl[] = {'\x83', '\x5C', '\x81', '%', 'F', '\x81', ';', ' ', '%', '>', 0};
    const std::string out = Expand(tmpl, 1);
    EXPECT_EQ(out, std::string("\x83\x5C\x81%F\x81; readme.txt"));
    const int sjis = Add("\x83\x5C\x83\x74\x83\x67.txt");  // ソフト.txt
    EXPECT_EQ(Expand("%&", sjis), "\x83\x5C\x83\x74\x83\x67");
}

TEST_F(TemplateTest, CursorPlaceholdersOnlyWhileRowsAreMarked) {
    const int a = Add("a.txt");
    l.CursorIndex = 1;
    EXPECT_EQ(Expand("view %]", a), "view ");
    EXPECT_EQ(Expand("x%[x", a), "xx");
    SetMark(l.table, a, true);
    EXPECT_EQ(Expand("fc %F %]", a), "fc C:\\DOC\\a.txt readme.txt");
    EXPECT_EQ(Expand("%[", a), "readme");
    l.CursorIndex = 0;
    EXPECT_EQ(Expand("%]", a), "\"a b.txt\"");
}

TEST_F(TemplateTest, ACommandThatDoesNotFitIsRefusedNotCut) {
    std::string name(200, 'n');
    const int big = Add(name.c_str());
    char out[kCommandSize];
    std::strcpy(out, "old");
    EXPECT_FALSE(ExpandTemplate("copy %F %F", out, sizeof out, big, l, nullptr));
    EXPECT_STREQ(out, "");
    // Exactly 255 bytes fit.
    std::string tmpl(255, 'a');
    EXPECT_TRUE(ExpandTemplate(tmpl.c_str(), out, sizeof out, 0, l, nullptr));
    EXPECT_EQ(std::strlen(out), 255u);
    tmpl += 'a';
    EXPECT_FALSE(ExpandTemplate(tmpl.c_str(), out, sizeof out, 0, l, nullptr));
}

TEST_F(TemplateTest, FuzzedTemplatesStayWithinTheBuffer) {
    std::mt19937 rng(12345);
    const char alphabet[] = "%FS>&][|:;ab \\.\x83\x5C\x81";
    Add("\x83\x5C long name.with.dots");
    SetMark(l.table, 0, true);
    for (int round = 0; round < 20000; ++round) {
        std::string tmpl;
        const int len = static_cast<int>(rng() % 120);
        for (int i = 0; i < len; ++i) tmpl += alphabet[rng() % (sizeof alphabet - 1)];
        const std::size_t size = 1 + rng() % 300;
        std::vector<char> out(size + 8, '#');
        l.CursorIndex = static_cast<int>(rng() % 4) - 1;
        const int subject = static_cast<int>(rng() % 5) - 1;
        const bool ok = ExpandTemplate(tmpl.c_str(), out.data(), size, subject, l, ShortOf);
        const std::size_t n = std::strlen(out.data());
        ASSERT_LT(n, size) << tmpl;
        if (!ok) ASSERT_EQ(n, 0u) << tmpl;
        for (std::size_t i = size; i < out.size(); ++i) ASSERT_EQ(out[i], '#') << tmpl;
    }
}

TEST(LongNameTest, TheQuotingRule) {
    EXPECT_FALSE(IsLongName("ABCDEFGH.TXT"));
    EXPECT_TRUE(IsLongName("ABCDEFGHI.TX"));
    EXPECT_TRUE(IsLongName("A.B.C"));
    EXPECT_TRUE(IsLongName("A+B"));
    EXPECT_TRUE(IsLongName("A B"));
    EXPECT_FALSE(IsLongName("ABCDEFGHIJ"));
    EXPECT_TRUE(IsLongName("ABCDEFGHIJKLM"));
    EXPECT_FALSE(IsLongName(""));
    // A double-byte character whose trail byte is a period, blank or plus
    // sign counts as one character.
    EXPECT_FALSE(IsLongName("\x81\x2E\x81\x2E.TXT"));
    EXPECT_FALSE(IsLongName("\x81\x20X"));
}

TEST_F(TemplateTest, FindEntryByNameIgnoresCaseAndLabels) {
    ResetListing(l);
    Add("DATA", kAttrLabel);
    Add("..", kAttrDirectory);
    const int sub = Add("SUB", kAttrDirectory);
    Add("data", kAttrDirectory);
    EXPECT_EQ(FindEntryByName("sub", l.table), sub);
    EXPECT_EQ(FindEntryByName("Data", l.table), 3);
    EXPECT_EQ(FindEntryByName("missing", l.table), -1);
    ResetListing(l);
    EXPECT_EQ(FindEntryByName("sub", l.table), -1);
}

TEST_F(TemplateTest, FindEntryByNameLeavesDoubleByteCharactersAlone) {
    ResetListing(l);
    // 0x82 0x61 is a full-width letter; a byte-wise upper-casing of its trail
    // byte would wrongly make it equal to 0x82 0x41.
    Add("\x82\x41", kAttrDirectory);
    EXPECT_EQ(FindEntryByName("\x82\x61", l.table), -1);
    EXPECT_EQ(FindEntryByName("\x82\x41", l.table), 0);
}

TEST_F(TemplateTest, ProgramCommand) {
    const int a = Add("a.txt");
    char out[kCommandSize];
    ASSERT_TRUE(ProgramCommand("notepad.exe", out, sizeof out, a, l, true, nullptr));
    EXPECT_STREQ(out, "notepad.exe \"C:\\DOC\\a.txt\"");
    ASSERT_TRUE(ProgramCommand("notepad.exe", out, sizeof out, 0, l, false, nullptr));
    EXPECT_STREQ(out, "notepad.exe C:\\DOC\\a b.txt");
    ASSERT_TRUE(ProgramCommand("myedit -f %F", out, sizeof out, a, l, true, nullptr));
    EXPECT_STREQ(out, "myedit -f C:\\DOC\\a.txt");
    std::string longProgram(250, 'p');
    EXPECT_FALSE(ProgramCommand(longProgram.c_str(), out, sizeof out, a, l, true, nullptr));
}

}  // namespace
}  // namespace qrn
