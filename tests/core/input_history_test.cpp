// History of the one-line input dialog and the rule that takes a line.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "fake_profile.h"
#include "launch/input_history.h"

using namespace qrn;
using qrn::test::FakeProfile;

namespace {

constexpr const char* kMkdirTitle = "ディレクトリの作成";
constexpr const char* kShell = "C:\\WINDOWS\\system32\\cmd.exe";

std::string Key(int i) {
    char k[16];
    std::snprintf(k, sizeof k, "%03d", i);
    return k;
}

std::string Section(const char* title) {
    char s[kHistorySectionSize];
    HistorySectionName(title, s, sizeof s);
    return s;
}

// What the dialog does from opening to OK: read the history, take the line.
InputDecision Enter(FakeProfile& ini, const char* title, const std::string& line, std::string* result = nullptr) {
    std::vector<std::string> shown = ReadHistory(ini, title);
    char text[kPathSize];
    std::snprintf(text, sizeof text, "%s", line.c_str());
    InputDecision d = AcceptInput(ini, title, text, sizeof text, kShell, shown);
    if (result) *result = text;
    return d;
}

}  // namespace

TEST(InputHistory, SectionNameIsPrefixAndTitle) {
    EXPECT_EQ("QRNHISTShell Command", Section("Shell Command"));
    EXPECT_EQ(std::string("QRNHIST") + kMkdirTitle, Section(kMkdirTitle));
    EXPECT_EQ("QRNHIST", Section(""));
}

TEST(InputHistory, SectionNameIsCutAt127BytesWithoutSplittingACharacter) {
    // 7 bytes of prefix + 119 single bytes leave one byte, too few for "ア" (83 41).
    std::string title(119, 'x');
    title += "アイ";
    std::string s = Section(title.c_str());
    EXPECT_EQ(126u, s.size());
    EXPECT_EQ("QRNHIST" + std::string(119, 'x'), s);
    // One more single byte: the double-byte character just fits before the cut.
    std::string even(118, 'x');
    even += "アイ";
    s = Section(even.c_str());
    EXPECT_EQ(127u, s.size());
    EXPECT_EQ("QRNHIST" + std::string(118, 'x') + "ア", s);
    // A long single-byte title stops at exactly 127.
    EXPECT_EQ(127u, Section(std::string(300, 'y').c_str()).size());
    // Smaller buffers cut as well, at a character boundary.
    char small[10];
    HistorySectionName("アイウ", small, sizeof small);
    EXPECT_STREQ("QRNHISTア", small);
}

TEST(InputHistory, MissingSectionIsAnEmptyList) {
    FakeProfile ini("[QRNHISTother]\n000=x\n");
    EXPECT_TRUE(ReadHistory(ini, kMkdirTitle).empty());
}

TEST(InputHistory, ReadsKeysInOrderUntilOneIsMissing) {
    FakeProfile ini("[QRNHISTcopy]\n001=second\n000=first\n002=third\n004=after the gap\n");
    EXPECT_EQ((std::vector<std::string>{"first", "second", "third"}), ReadHistory(ini, "copy"));
}

TEST(InputHistory, SameCommandTwiceIsKeptTwice) {
    FakeProfile ini;
    EXPECT_EQ(InputDecision::ToHistory, Enter(ini, "Shell Command", "dir /w"));
    EXPECT_EQ(InputDecision::ToHistory, Enter(ini, "Shell Command", "dir /w"));
    const std::string sec = Section("Shell Command");
    ASSERT_TRUE(ini.Has(sec, "000"));
    ASSERT_TRUE(ini.Has(sec, "001"));
    EXPECT_EQ("dir /w", *ini.Find(sec, "000"));
    EXPECT_EQ("dir /w", *ini.Find(sec, "001"));
    EXPECT_FALSE(ini.Has(sec, "002"));
}

TEST(InputHistory, FortyEntriesKeepTheNewest32) {
    FakeProfile ini;
    for (int i = 0; i < 40; ++i) EXPECT_EQ(InputDecision::ToHistory, Enter(ini, kMkdirTitle, "dir" + std::to_string(i)));
    const std::string sec = Section(kMkdirTitle);
    for (int i = 0; i < 32; ++i) {
        ASSERT_TRUE(ini.Has(sec, Key(i))) << i;
        EXPECT_EQ("dir" + std::to_string(39 - i), *ini.Find(sec, Key(i)));
    }
    EXPECT_FALSE(ini.Has(sec, "032"));
    EXPECT_EQ(32u, ReadHistory(ini, kMkdirTitle).size());
}

TEST(InputHistory, HandEditedLongSectionIsReadWholeAndCutOnTheNextWrite) {
    std::string text = "[QRNHISTedit]\n";
    for (int i = 0; i < 40; ++i) text += Key(i) + "=old" + std::to_string(i) + "\n";
    FakeProfile ini(text);
    std::vector<std::string> read = ReadHistory(ini, "edit");
    ASSERT_EQ(40u, read.size());
    EXPECT_EQ("old0", read[0]);
    EXPECT_EQ("old39", read[39]);

    EXPECT_EQ(InputDecision::ToHistory, Enter(ini, "edit", "new"));
    EXPECT_EQ("new", *ini.Find("QRNHISTedit", "000"));
    EXPECT_EQ("old0", *ini.Find("QRNHISTedit", "001"));
    EXPECT_EQ("old30", *ini.Find("QRNHISTedit", "031"));
    EXPECT_FALSE(ini.Has("QRNHISTedit", "032"));
    EXPECT_FALSE(ini.Has("QRNHISTedit", "039"));
}

TEST(InputHistory, ReadingStopsAtTheBound) {
    std::string text = "[QRNHISTmany]\n";
    for (int i = 0; i < 1005; ++i) text += Key(i) + "=v" + std::to_string(i) + "\n";
    FakeProfile ini(text);
    std::vector<std::string> read = ReadHistory(ini, "many");
    ASSERT_EQ(static_cast<std::size_t>(kHistoryReadLimit), read.size());
    EXPECT_EQ("v999", read.back());
}

TEST(InputHistory, WriteRemovesTheOldSectionFirst) {
    FakeProfile ini("[QRNHISTw]\n000=a\n001=b\n002=c\nextra=1\n");
    WriteHistory(ini, "w", {"z"});
    EXPECT_EQ("z", *ini.Find("QRNHISTw", "000"));
    EXPECT_FALSE(ini.Has("QRNHISTw", "001"));
    EXPECT_FALSE(ini.Has("QRNHISTw", "extra"));
}

TEST(InputHistory, EmptyShellCommandBecomesTheShellWithoutHistory) {
    FakeProfile ini("[QRNHISTShell Command]\n000=ver\n");
    std::string result;
    EXPECT_EQ(InputDecision::ShellPath, Enter(ini, "Shell Command", "", &result));
    EXPECT_EQ(kShell, result);
    EXPECT_EQ(0, ini.writes);
    EXPECT_EQ((std::vector<std::string>{"ver"}), ReadHistory(ini, "Shell Command"));
}

TEST(InputHistory, EmptyLineUnderAnotherTitleIsNotTaken) {
    FakeProfile ini("[QRNHISTディレクトリの作成]\n000=work\n");
    std::string result;
    EXPECT_EQ(InputDecision::Rejected, Enter(ini, kMkdirTitle, "", &result));
    EXPECT_EQ("", result);
    EXPECT_EQ(0, ini.writes);
    // The title must match exactly.
    EXPECT_EQ(InputDecision::Rejected, Enter(ini, "shell command", ""));
    EXPECT_EQ(InputDecision::Rejected, Enter(ini, "Shell Command ", ""));
    EXPECT_EQ(0, ini.writes);
}

TEST(InputHistory, ShiftJisTrailBackslashRoundTrips) {
    FakeProfile ini;
    const std::string soft = "ソフト\\表示";  // 83 5C, 95 5C: trail bytes equal to a backslash
    ASSERT_EQ('\x5C', soft[1]);
    EXPECT_EQ(InputDecision::ToHistory, Enter(ini, kMkdirTitle, soft));
    std::vector<std::string> read = ReadHistory(ini, kMkdirTitle);
    ASSERT_EQ(1u, read.size());
    EXPECT_EQ(soft, read[0]);
}

TEST(InputDecision, LineIsCutTo255Characters) {
    char text[kPathSize];
    std::memset(text, 'a', 259);
    text[259] = '\0';
    EXPECT_EQ(InputDecision::ToHistory, DecideInput("x", text, sizeof text, kShell));
    EXPECT_EQ(kInputLineMax, std::strlen(text));
    // A double-byte character across the limit goes whole.
    std::string line(254, 'b');
    line += "ア";
    std::snprintf(text, sizeof text, "%s", line.c_str());
    EXPECT_EQ(InputDecision::ToHistory, DecideInput("x", text, sizeof text, kShell));
    EXPECT_EQ(std::string(254, 'b'), text);
}
