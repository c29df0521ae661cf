#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "listing/sort.h"
#include "listing/wildcard.h"

using namespace qrn;

TEST(Wildcard, Semantics) {
    EXPECT_EQ(1, MatchMaskList("READ.TXT", "*.txt;*.doc"));
    EXPECT_EQ(1, MatchMaskList("memo.doc", "*.txt;*.doc"));
    EXPECT_EQ(0, MatchMaskList("memo.docx", "*.txt;*.doc"));
    EXPECT_EQ(0, MatchMaskList("notes", "*.txt;*.doc"));
    EXPECT_EQ(1, MatchMaskList("report.txt", "*.*"));
    EXPECT_EQ(0, MatchMaskList("README", "*.*"));
    EXPECT_EQ(0, MatchMaskList("trail.", "*.*"));
    EXPECT_EQ(0, MatchMaskList("a", "a*"));
    EXPECT_EQ(1, MatchMaskList("ab", "a*"));
    EXPECT_EQ(1, MatchMaskList("a", "*a"));
    EXPECT_EQ(1, MatchMaskList("x.c", "?.c"));
    EXPECT_EQ(0, MatchMaskList("xy.c", "?.c"));
    EXPECT_EQ(1, MatchMaskList("a.txt", "*.txt;"));
    EXPECT_EQ(0, MatchMaskList("a.doc", "*.txt;"));
    EXPECT_EQ(0, MatchMaskList("a.txt", ""));
    EXPECT_EQ(1, MatchMaskList("ソフト.txt", "ソ*"));
    EXPECT_EQ(1, MatchMaskList("ソ.c", "??.c"));  // one double-byte character needs two '?'
    // A trail byte 0x3B (';') does not split the list: 0x81 0x3B is one character.
    EXPECT_EQ(1, MatchMaskList("\x81;x", "\x81;*"));
}

TEST(Wildcard, BoundedOnHostileInput) {
    std::string name(259, 'a');
    std::string stars(247, '*');
    EXPECT_EQ(1, MatchMaskList(name.c_str(), (stars.substr(0, 8) + "a").c_str()));
    EXPECT_EQ(0, MatchMaskList(name.c_str(), (stars.substr(0, 6) + "b").c_str()));
    EXPECT_EQ(0, MatchMaskList(name.c_str(), "*a*a*a*a*a*a*a*a*a*a*b"));
    EXPECT_EQ(1, MatchPattern(name.c_str(), stars.c_str()));
    std::string overlong(600, '?');  // longer than a pattern may be: matches nothing
    EXPECT_EQ(0, MatchMaskList(name.c_str(), overlong.c_str()));
    EXPECT_EQ(1, MatchMaskList("a.txt", (overlong + ";*.txt").c_str()));
    std::string longest(kMaxPattern, '?');
    std::string fits(kMaxPattern, 'a');
    EXPECT_EQ(1, MatchMaskList(fits.c_str(), longest.c_str()));
}

namespace {
// The matching rule written out as plain recursion, to check the matcher against.
int Reference(const char* n, const char* p) {
    while (*p && *n) {
        if (*p == '*') {
            ++p;
            if (!*p) return 1;
            for (; *n; ++n)
                if (Reference(n, p)) return 1;
            return 0;
        }
        if (*p != '?' && *p != *n) return 0;
        ++p;
        ++n;
    }
    return (!*p && !*n) ? 1 : 0;
}
}  // namespace

TEST(Wildcard, AgreesWithPlainRecursionOnRandomInput) {
    std::uint32_t seed = 12345;
    auto next = [&]() {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) & 0x7fff;
    };
    const char nameBytes[] = "ab.\x83\x5c";
    const char patBytes[] = "ab.*?\x83\x5c";
    for (int round = 0; round < 200000; ++round) {
        char n[10], p[9];
        int nl = static_cast<int>(next() % 9), pl = static_cast<int>(next() % 8);
        for (int i = 0; i < nl; ++i) n[i] = nameBytes[next() % 5];
        for (int i = 0; i < pl; ++i) p[i] = patBytes[next() % 7];
        n[nl] = '\0';
        p[pl] = '\0';
        ASSERT_EQ(Reference(n, p), MatchPattern(n, p)) << "name=" << n << " pattern=" << p;
    }
}

namespace {
FileEntry Row(const char* name, std::uint32_t attr, std::uint64_t size = 0, std::uint16_t date = 0) {
    FileEntry e{};
    std::strcpy(e.name, name);
    e.attributes = attr;
    e.size = size;
    e.date = date;
    e.ext = ExtensionIndex(name);
    return e;
}
std::vector<std::string> Sorted(std::vector<FileEntry> rows, int order, int key) {
    SortSpec spec{order, key, [](const char* a, const char* b) { return std::strcmp(a, b); }, UpperAscii};
    SortEntries(rows.data(), static_cast<int>(rows.size()), spec);
    std::vector<std::string> v;
    for (auto& r : rows) v.push_back(r.name);
    return v;
}
}  // namespace

TEST(Sort, GroupsThenKeyInBothDirections) {
    std::vector<FileEntry> rows = {Row("a", 0x20), Row("B", 0x10), Row("..", 0x10), Row(".", 0x10)};
    EXPECT_EQ((std::vector<std::string>{".", "..", "B", "a"}), Sorted(rows, 1, 1));
    rows = {Row("p", 0x20), Row("X", 0x10), Row("..", 0x10), Row("q", 0x20), Row("Y", 0x10), Row(".", 0x10)};
    EXPECT_EQ((std::vector<std::string>{".", "..", "Y", "X", "q", "p"}), Sorted(rows, 2, 1));
    rows = {Row("a.txt", 0x20), Row("sys.bin", 0x24), Row("LABEL", 0x08), Row("h", 0x12), Row("a", 0x10)};
    EXPECT_EQ((std::vector<std::string>{"LABEL", "h", "a", "sys.bin", "a.txt"}), Sorted(rows, 1, 1));
    EXPECT_EQ((std::vector<std::string>{"LABEL", "h", "a", "sys.bin", "a.txt"}), Sorted(rows, 2, 1));

    // Every group, shuffled: the execution row, ".", "..", system, hidden,
    // read-only and other directories, system files, other files. A hidden
    // system directory counts as system; the groups keep their order when
    // the direction turns, the rows inside them do not.
    rows = {Row("f", 0x20),    Row("rod", 0x11), Row("..", 0x10), Row("s.sys", 0x24), Row("hid", 0x12),
            Row("g", 0x20),    Row("sd", 0x14),  Row("d", 0x10),  Row("[ Execution  ]", 255),
            Row("hs", 0x16),   Row(".", 0x10),   Row("ro2", 0x11)};
    EXPECT_EQ((std::vector<std::string>{"[ Execution  ]", ".", "..", "hs", "sd", "hid", "ro2", "rod", "d",
                                        "s.sys", "f", "g"}),
              Sorted(rows, 1, 1));
    EXPECT_EQ((std::vector<std::string>{"[ Execution  ]", ".", "..", "sd", "hs", "hid", "rod", "ro2", "d",
                                        "s.sys", "g", "f"}),
              Sorted(rows, 2, 1));
}

TEST(Sort, ExtensionDateAndSizeKeys) {
    std::vector<FileEntry> rows = {Row("b.TXT", 0x20), Row("a.txt", 0x20), Row("noext", 0x20), Row("c.doc", 0x20)};
    EXPECT_EQ((std::vector<std::string>{"noext", "c.doc", "a.txt", "b.TXT"}), Sorted(rows, 1, 2));
    rows = {Row("big", 0x20, 3ull << 31), Row("small", 0x20, 5), Row("huge", 0x20, 1ull << 33)};
    EXPECT_EQ((std::vector<std::string>{"small", "big", "huge"}), Sorted(rows, 1, 4));
    rows = {Row("new", 0x20, 0, 0x5A21), Row("old", 0x20, 0, 0x2821), Row("mid", 0x20, 0, 0x4021)};
    EXPECT_EQ((std::vector<std::string>{"old", "mid", "new"}), Sorted(rows, 1, 3));
    EXPECT_EQ((std::vector<std::string>{"new", "mid", "old"}), Sorted(rows, 2, 3));
}

TEST(Sort, SmallTablesAndManyRows) {
    EXPECT_EQ((std::vector<std::string>{"z"}), Sorted({Row("z", 0x20)}, 1, 1));
    EXPECT_TRUE(Sorted({}, 1, 1).empty());
    std::vector<FileEntry> rows;
    for (int i = 0; i < 2000; ++i) rows.push_back(Row(std::to_string((i * 7919) % 2000 + 10000).c_str(), 0x20));
    auto v = Sorted(rows, 1, 1);
    for (std::size_t i = 1; i < v.size(); ++i) ASSERT_LT(v[i - 1], v[i]);
}
