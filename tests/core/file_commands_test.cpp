// Attributes' fields, concatenation and dropped files against the in-memory
// file system.
#include <gtest/gtest.h>

#include <string>

#include "core_test.h"
#include "fileops/attributes.h"
#include "fileops/concatenate.h"
#include "fileops/drop.h"
#include "fileops/fileops_texts.h"
#include "fileops/in_place.h"
#include "fileops/total_size.h"
#include "memory_fs.h"

using namespace qrn;
using namespace qrn::test;

namespace {

TEST(AttributeFields, ThreeNumbersOfADateOrTimeAndTheYearsOfADosDate) {
    const struct { const char* text; std::uint16_t a, b, c; } rows[] = {
        {"2001-05-06", 2001, 5, 6}, {"2001/5/6", 2001, 5, 6}, {"12:30:00", 12, 30, 0}, {"20 01-5-6", 2001, 5, 6},
        {"7", 7, 0, 0}, {"", 0, 0, 0}, {"--9", 0, 0, 9}, {"1-2-3-4", 1, 2, 3}};
    for (const auto& r : rows) {
        std::uint16_t n[3] = {99, 99, 99};
        ParseThreeNumbers(r.text, n);
        EXPECT_EQ((std::vector<int>{r.a, r.b, r.c}), (std::vector<int>{n[0], n[1], n[2]})) << r.text;
    }
    const struct { int year, shown; } years[] = {{1980, 1980}, {1999, 1999}, {2049, 2049}, {2050, 1950}};
    for (const auto& y : years) EXPECT_EQ(y.shown, DosYear(static_cast<std::uint16_t>((y.year - 1980) << 9))) << y.year;
}

TEST(TotalSizeText, TheResultInBytesKilobytesAndMegabytes) {
    EXPECT_EQ("       ファイル数              3\r\n       サイズ合計      3,145,728 Bytes"
              "\r\n                                3,072 KB\r\n                                    3 MB",
              SizeText("", "", 3, 3145728));
    EXPECT_EQ("       C:\\d\\\r\n       a.txt\r\n       ファイル数              1\r\n"
              "       サイズ合計          1,536 Bytes",
              SizeText("C:\\d\\", "a.txt", 1, 1536));
}

// A clock of no time zone: the in-memory file system keeps no times to convert.
LocalClock& SystemlessClock() {
    static struct : LocalClock {
        bool ToLocal(std::uint64_t, CalendarTime&) override { return false; }
        bool ToUniversal(const CalendarTime&, std::uint64_t&) override { return false; }
    } clock;
    return clock;
}

struct Files : ::testing::Test, RecordingUi {
    MemoryFs fs;
    std::string ListText(const char* name) override { return fs.Content(name); }
};

// The joined file takes the target's place only once it is whole: a
// failure leaves the old target and no temporary file.
TEST_F(Files, ConcatenationJoinsInOrderAndKeepsTheOldTargetUntilTheResultIsWhole) {
    const std::string a = "a1\na2\r\n\x1A" "after", b = "b\r\rx\n";
    const struct { const char* what; bool binary; std::size_t block; const char* name; int unplaced; int answer;
                   bool failWrite, holdTarget, missingInput; const char* result; const char* told; } cases[] = {
        {"binary", true, 256 * 1024, "j.txt", 0, kIdOk, false, false, false, "b\r\rx\na1\na2\r\n\x1A" "after", nullptr},
        {"text, whole blocks", false, 256 * 1024, "j.txt", 0, kIdOk, false, false, false, "b\r\rx\r\na1\r\na2\r\n", nullptr},
        {"text, a byte at a time", false, 1, "j.txt", 0, kIdOk, false, false, false, "b\r\rx\r\na1\r\na2\r\n", nullptr},
        {"onto an input, in another case", true, 4, "A.TXT", 0, kIdOk, false, false, false,
         "b\r\rx\na1\na2\r\n\x1A" "after", nullptr},
        {"onto an existing file, refused", true, 4, "old.txt", 0, kIdCancel, false, false, false, "old", nullptr},
        {"a file not yet placed", true, 4, "j.txt", 1, kIdOk, false, false, false, "(none)", kConcatOrderMissing},
        {"no name", true, 4, "", 0, kIdOk, false, false, false, "(none)", kConcatNameMissing},
        {"a write that fails", true, 4, "old.txt", 0, kIdOk, true, false, false, "old",
         "C:\\d\\old.txt書き込みエラー！！"},
        {"a target held open", true, 4, "old.txt", 0, kIdOk, false, true, false, "old",
         "C:\\d\\old.txt\r\r置き換えられませんでした。元のファイルはそのままです。"},
        {"an input gone", true, 4, "old.txt", 0, kIdOk, false, false, true, "old", "C:\\d\\b.txtが開けません！！"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fs.nodes.clear(), fs.held.clear(), fs.writes = 0;
        fs.File("C:\\d\\a.txt", a), fs.File("C:\\d\\old.txt", "old");
        if (!c.missingInput) fs.File("C:\\d\\b.txt", b);
        fs.failWrite = c.failWrite ? 1 : 0;
        if (c.holdTarget) fs.held.insert(fs.Key("C:\\d\\old.txt"));
        prompts.messages.clear(), prompts.answers = {c.answer};
        ConcatRequest r{"C:\\d\\", c.name, {"b.txt", "a.txt"}, c.unplaced, c.binary, c.block};
        std::string said;
        const bool made = Concatenate(r, fs, nullptr, &said);
        const std::string target = "C:\\d\\" + std::string(c.name[0] ? c.name : "j.txt");
        EXPECT_EQ(c.result, fs.Content(target));
        EXPECT_EQ(made, c.told == nullptr && c.answer == kIdOk);
        if (made) EXPECT_EQ("2件を連結して " + std::string(c.name) + " を作りました", said);
        if (c.told) EXPECT_EQ(c.told, prompts.messages.back().substr(prompts.messages.back().find('|') + 1));
        EXPECT_EQ(std::string::npos, fs.Dump("C:\\d\\").find("~QRN"));  // no temporary file stays
    }
}

TEST(DroppedFiles, MoveOnTheListedDriveCopyElsewhereAndTheKeysDecide) {
    const struct { const char* path; bool shift, ctrl, moves; } rows[] = {
        {"C:\\x\\f", false, false, true}, {"c:\\x\\f", false, false, true}, {"D:\\x\\f", false, false, false},
        {"C:\\x\\f", true, false, false}, {"D:\\x\\f", false, true, true}, {"C:\\x\\f", true, true, true}};
    for (const auto& r : rows) EXPECT_EQ(r.moves, DropMoves(r.path, "C:\\list\\", r.shift, r.ctrl)) << r.path;
    EXPECT_EQ("C:\\d\\run.exe D:\\a.txt", DropCommandLine("C:\\d\\", "run.exe", "D:\\a.txt"));
    EXPECT_EQ("C:\\d\\run.exe \"D:\\long\\a.txt\"", DropCommandLine("C:\\d\\", "run.exe", "D:\\long\\a.txt"));
}

// A drop goes through the copy and the move with their rules: a directory
// never into itself; one question for the whole drop; the first failure ends it.
TEST_F(Files, ADropCopiesOrMovesIntoTheRowsDirectoryAndNeverADirectoryIntoItself) {
    const struct { const char* what; int row; Strings paths; bool ctrl; int answer; const char* after; std::size_t told;
                   std::vector<std::string> started; } cases[] = {
        {"from another drive: copied", 1, {"D:\\in\\n.txt"}, false, kIdOk, "DIR\\ DIR\\F=f DIR\\N.TXT=n RUN.EXE=x", 1, {}},
        {"Ctrl: moved", 1, {"D:\\in\\n.txt"}, true, kIdOk, "DIR\\ DIR\\F=f DIR\\N.TXT=n RUN.EXE=x", 1, {}},
        {"the question refused", 1, {"D:\\in\\n.txt"}, false, kIdCancel, "DIR\\ DIR\\F=f RUN.EXE=x", 1, {}},
        {"a directory onto its own row", 1, {"C:\\l\\dir", "D:\\in\\n.txt"}, false, kIdOk, "DIR\\ DIR\\F=f RUN.EXE=x", 3, {}},
        {"onto the label row", 0, {"D:\\in\\n.txt"}, false, kIdOk, "DIR\\ DIR\\F=f N.TXT=n RUN.EXE=x", 1, {}},
        {"from the listed directory onto the label row: left as it was", 0, {"C:\\l\\RUN.EXE"}, false, kIdOk,
         "DIR\\ DIR\\F=f RUN.EXE=x", 1, {}},
        {"onto a program", 2, {"D:\\in\\n.txt", "D:\\a"}, false, kIdOk, "DIR\\ DIR\\F=f RUN.EXE=x", 0,
         {"C:\\l\\RUN.EXE D:\\in\\n.txt", "C:\\l\\RUN.EXE D:\\a"}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fs.nodes.clear();
        fs.File("C:\\l\\dir\\f", "f"), fs.File("C:\\l\\RUN.EXE"), fs.File("D:\\in\\n.txt", "n");
        Listing& l = ListOf(fs, "C:\\l\\");
        l.table.rows[2] = l.table.rows[1], l.table.rows[1] = l.table.rows[0], l.table.EntryCount = 3;
        l.table.rows[0] = Row("LABEL", kAttrLabel);  // rows: label, dir, RUN.EXE
        prompts.messages.clear(), prompts.answers = {c.answer};
        std::vector<std::string> started;
        DropRequest r{"C:\\l\\", c.row, c.paths, [&c](bool& s, bool& k) { s = false, k = c.ctrl; },
                      [&started](const std::string& line) { started.push_back(line); }};
        const TransferResult res = DropCommand(l, r, fs, *this);
        EXPECT_EQ(c.after, fs.Dump("C:\\l\\"));
        EXPECT_EQ(c.told, prompts.messages.size());
        EXPECT_EQ(c.started, started);
        EXPECT_EQ(c.ctrl && c.answer == kIdOk, !fs.Find("D:\\in\\n.txt"));
        EXPECT_EQ(res.done > 0, res.refresh);
        if (c.row == 0 && c.paths[0][0] == 'C') EXPECT_EQ("1件はそのままにしました", res.said);
    }
}

}  // namespace

namespace {

// With the bin, D moves the entries there whole after the same questions; one
// the bin refuses is deleted for good only when the user says so.
TEST_F(Files, DeletionsGoIntoTheRecycleBinAndARefusalIsAskedAbout) {
    const struct { const char* what; const char* dir; Ints marked; std::deque<int> answers; const char* left;
                   std::size_t binned; const char* said; } cases[] = {
        {"a file and a tree into the bin", "C:\\t\\", {0, 1}, {kIdOk}, "KEEP=k", 3, "2件ごみ箱へ移しました"},
        {"no bin there, deleted for good when agreed", "D:\\t\\", {0}, {kIdOk, kIdOk}, "DIR\\ DIR\\X=x KEEP=k", 0,
         "1件削除しました"},
        {"no bin there, refused", "D:\\t\\", {0}, {kIdOk, kIdCancel}, "A.TXT=a DIR\\ DIR\\X=x KEEP=k", 0, "削除しませんでした"},
        {"a link is never handed to the bin", "C:\\t\\", {1}, {kIdOk}, "A.TXT=a DIR\\ DIR\\X=x KEEP=k", 0,
         "削除しませんでした"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fs.nodes.clear(), fs.bin.clear();
        for (const char* d : {"C:\\t\\", "D:\\t\\"})
            fs.File(d + std::string("a.txt"), "a"), fs.File(d + std::string("dir\\x"), "x"), fs.File(d + std::string("keep"), "k");
        if (c.binned == 0 && c.dir[0] == 'C') fs.Find("C:\\t\\dir")->attributes |= kAttrReparsePoint;
        prompts.messages.clear(), prompts.answers = c.answers;
        const InPlaceResult r = DeleteCommand(ListOf(fs, c.dir, c.marked), c.dir, fs, *this, true);
        EXPECT_EQ(c.left, fs.Dump(c.dir));
        EXPECT_EQ(c.binned, fs.bin.size());
        EXPECT_EQ(c.said, r.said);
        if (c.dir[0] == 'D') EXPECT_EQ(Told(kDeleteTitle, std::string(c.dir) + "a.txt" + kBinRefused), prompts.messages.at(1));
    }
}

}  // namespace

namespace {

// In memory: a link is an entry and never entered; marks stay; the boxes set
// their bits and no others, and a refusal is told once with its path.
TEST_F(Files, TotalSizeAndAttributesOnTheInMemoryFileSystem) {
    fs.File("C:\\t\\d\\a", "aaa"), fs.File("C:\\t\\d\\e\\"), fs.File("C:\\t\\d\\lnk\\x", "xxxxxxx"), fs.File("C:\\t\\f", "ff");
    fs.Find("C:\\t\\d\\lnk")->attributes |= kAttrReparsePoint;
    Listing& l = ListOf(fs, "C:\\t\\", {0, 1});
    const SizeTotal s = TotalSizeCommand(l, "C:\\t\\", fs, *this);
    EXPECT_EQ((std::vector<std::uint64_t>{3, 5}), (std::vector<std::uint64_t>{s.files, s.bytes}));  // a, lnk, f
    EXPECT_EQ("3件、5バイト", s.said);
    EXPECT_EQ(2, l.table.MarkedCount);
    fs.File("C:\\t\\d\\a", "aaa", kAttrArchive | kAttrSystem);
    Listing& m = ListOf(fs, "C:\\t\\d\\", {0, 2});  // a, lnk
    AttributeForm form = OpenAttributeForm(m, "C:\\t\\d\\", fs, SystemlessClock());
    EXPECT_TRUE(form.archive && form.system && !form.timesEditable);
    form.readOnly = true, form.system = false;
    prompts.messages.clear();
    const AttributeResult r = ApplyAttributeForm(m, "C:\\t\\d\\", form, fs, SystemlessClock(), nullptr);
    EXPECT_EQ(kAttrArchive | kAttrReadOnly, fs.Stat("C:\\t\\d\\a").attributes);
    EXPECT_EQ((Strings{Told(kRowErrorTitle, "C:\\t\\d\\lnk" + std::string(kLinkAttributesKept))}), prompts.messages);
    EXPECT_EQ((std::vector<int>{1, 1}), (std::vector<int>{r.changed, r.refused}));
}

}  // namespace
