#include <gtest/gtest.h>

#include "base/entry_table.h"
#include "listing/list_view.h"
#include "base/sjis.h"

using namespace qrn;

TEST(Sjis, BackslashTrailByteIsNotASeparator) {
    // "ソ" is 0x83 0x5C: its second byte looks like a backslash.
    EXPECT_EQ('\x5c', "ソ"[1]);
    EXPECT_FALSE(EndsWithBackslash("C:\\ソ"));
    EXPECT_TRUE(EndsWithBackslash("C:\\ソ\\"));
    EXPECT_EQ(2, LastBackslash("C:\\ソフト"));
    char p[kPathSize] = "C:\\ソ";
    ASSERT_TRUE(AddBackslash(p, sizeof p));
    EXPECT_STREQ("C:\\ソ\\", p);
}

TEST(Sjis, CutsNeverSplitACharacter) {
    char out[4];
    CopyCut(out, sizeof out, "aソb");  // 'a', 83 5C, 'b': the cut falls after the character
    EXPECT_STREQ("aソ", out);
    CopyCut(out, sizeof out, "abソ");
    EXPECT_STREQ("ab", out);
    char dangling[] = "ab\x83";
    TrimDanglingLead(dangling);
    EXPECT_STREQ("ab", dangling);
}

TEST(Sjis, WholeCopiesRefuseWhatDoesNotFit) {
    char small[5] = "xx";
    EXPECT_FALSE(AppendWhole(small, sizeof small, "abc"));
    EXPECT_STREQ("xx", small);
    EXPECT_TRUE(AppendWhole(small, sizeof small, "ab"));
    EXPECT_FALSE(CopyWhole(small, sizeof small, "12345"));
    EXPECT_STREQ("", small);
}

TEST(Sjis, CaseInsensitiveCompareLeavesTrailBytesAlone) {
    EXPECT_EQ(0, CompareNoCase("C:\\Qrn.EXE", "c:\\qrn.exe"));
    // 0x83 0x41 and 0x83 0x61 are different characters (ア and ャ... differ), not case variants.
    EXPECT_NE(0, CompareNoCase("\x83\x41", "\x83\x61"));
}

TEST(ExtensionIndex, Rules) {
    EXPECT_EQ(0u, ExtensionIndex("readme"));
    EXPECT_EQ(4u, ExtensionIndex("a.b.c"));
    EXPECT_EQ(0u, ExtensionIndex(".hidden"));
    EXPECT_EQ(2u, ExtensionIndex("a."));
    EXPECT_EQ(0u, ExtensionIndex(".."));
    EXPECT_EQ(0u, ExtensionIndex("."));
    EXPECT_EQ(3u, ExtensionIndex("my.dir"));
    // A dot that is a trail byte does not count; a real dot after a double-byte character does.
    EXPECT_EQ(0u, ExtensionIndex("\x81\x2e" "abc"));
    EXPECT_EQ(5u, ExtensionIndex("ソフ.t"));
}

TEST(EntryTable, MarksKeepCountersInStepAndSkipPseudoRows) {
    static EntryTable t;
    t = {};
    t.EntryCount = 3;
    t.rows[0].attributes = kAttrLabel;
    t.rows[1].size = 5ull << 32;  // 20 GiB: counted in full
    t.rows[2].size = 7;
    EXPECT_FALSE(SetMark(t, 0, true));
    EXPECT_TRUE(SetMark(t, 1, true));
    EXPECT_TRUE(SetMark(t, 2, true));
    EXPECT_FALSE(SetMark(t, 2, true));
    EXPECT_FALSE(SetMark(t, 3, true));
    EXPECT_EQ(2, t.MarkedCount);
    EXPECT_EQ((5ull << 32) + 7, t.MarkedBytes);
    EXPECT_TRUE(SetMark(t, 1, false));
    EXPECT_EQ(7u, t.MarkedBytes);
    t.rows[1999].mark = 1;
    ClearAllMarks(t);
    EXPECT_EQ(0, t.rows[1999].mark);
    EXPECT_EQ(0, t.MarkedCount);
    EXPECT_EQ(0u, t.MarkedBytes);
}

TEST(EntryTable, NameColumnWidth) {
    EXPECT_EQ(12, NameColumnWidth(12, 3, 0));
    EXPECT_EQ(20, NameColumnWidth(20, 3, 0));
    EXPECT_EQ(14, NameColumnWidth(12, 5, 0));
    EXPECT_EQ(12, NameColumnWidth(40, 3, 12));
    EXPECT_EQ(20, NameColumnWidth(20, 3, 30));  // a limit wider than the names changes nothing
}
