// Attributes and times, total size and concatenation on real files: the
// local-time conversion, sizes beyond 4 GiB, links back up, a full volume.
#include <gtest/gtest.h>

#include <fstream>

#include "fileops/attributes.h"
#include "fileops/concatenate.h"
#include "fileops/fileops_texts.h"
#include "fileops/total_size.h"
#include "fileops_support.h"

using namespace qrn;
using namespace qrntest;

namespace {

int RowOf(const Listing& l, const char* name) {
    for (int i = 0; i < l.table.EntryCount; ++i)
        if (lstrcmpiA(l.table.rows[i].name, name) == 0) return i;
    return -1;
}

std::string Local(std::uint64_t t, bool date, bool clock) {
    CalendarTime c;
    if (!SystemClock().ToLocal(t, c)) return "?";
    char text[40];
    std::snprintf(text, sizeof text, "%s%04d-%02d-%02d %02d:%02d:%02d", "", c.year, c.month, c.day, c.hour, c.minute, c.second);
    return std::string(text).substr(date ? 0 : 11, date && clock ? 19 : date ? 10 : 8);
}

FileTimes TimesOf(FileSystem& fs, const std::string& path) {
    FileTimes t;
    EXPECT_TRUE(fs.GetTimes(path, t)) << path;
    return t;
}

TEST_F(Ops, AttributesAndTimesAsTheDialogGivesThem) {
    TempTree t;
    for (const char* name : {"a.txt", "b.txt", "c.txt", "gone.txt"}) t.File(name, name);
    t.File("ro.txt", "r", FILE_ATTRIBUTE_READONLY);
    t.Dir("d");
    const std::string a = t / "a.txt";
    constexpr DWORD kA = FILE_ATTRIBUTE_ARCHIVE;  // which the system keeps on every file here
    // One file under the cursor: its own times, "日付の更新" on; the boxes
    // taken, every other bit kept; an empty field keeps its part.
    Listing& l = ListOf(fs, t.Path());
    l.CursorIndex = RowOf(l, "a.txt");
    const FileTimes before = TimesOf(fs, a);
    AttributeForm f = OpenAttributeForm(l, t.Path().c_str(), fs, SystemClock());
    EXPECT_TRUE(f.timesEditable && f.applyTimes && f.archive && !f.readOnly);
    EXPECT_EQ(Local(before.lastWrite, true, false) + " " + Local(before.lastWrite, false, true), f.writeDate + " " + f.writeTime);
    f.readOnly = f.hidden = true;
    f.writeDate = "2049/1/2", f.writeTime = "", f.accessDate = "1999-02-03";
    ApplyAttributeForm(l, t.Path().c_str(), f, fs, SystemClock(), nullptr);
    const FileTimes after = TimesOf(fs, a);
    EXPECT_EQ(kA | FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN, GetFileAttributesA(a.c_str()));
    EXPECT_EQ("2049-01-02 " + Local(before.lastWrite, false, true), Local(after.lastWrite, true, true));
    EXPECT_EQ("1999-02-03 " + Local(before.lastAccess, false, true), Local(after.lastAccess, true, true));
    const FileEntry& row = l.table.rows[l.CursorIndex];
    EXPECT_EQ((std::vector<unsigned>{kA | FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN, 2049u, 1u << 5 | 2u}),
              (std::vector<unsigned>{row.attributes, static_cast<unsigned>(DosYear(row.date)), row.date & 0x1FFu}));
    SetFileAttributesA(a.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_TRUE(prompts.messages.empty());

    // Marked rows: the first one shown, "日付の更新" off; once on, every file
    // gets the first one's times with the edited parts, a read-only one too;
    // an entry gone meanwhile is told once, and the marks stay.
    Listing& m = ListOf(fs, t.Path());
    const int rows[] = {RowOf(m, "b.txt"), RowOf(m, "c.txt"), RowOf(m, "ro.txt"), RowOf(m, "gone.txt")};
    for (int r : rows) SetMark(m.table, r, true);
    DeleteFileA((t / "gone.txt").c_str());
    f = OpenAttributeForm(m, t.Path().c_str(), fs, SystemClock());
    EXPECT_FALSE(f.applyTimes);
    f.applyTimes = true, f.system = true, f.writeDate = "2001-05-06";
    const AttributeResult r = ApplyAttributeForm(m, t.Path().c_str(), f, fs, SystemClock(), nullptr);
    const FileTimes first = TimesOf(fs, m.CurrentDir + std::string(m.table.rows[rows[0]].name));
    EXPECT_EQ("2001-05-06", Local(first.lastWrite, true, false));
    for (const char* name : {"b.txt", "c.txt", "ro.txt"}) {
        const FileTimes times = TimesOf(fs, t / name);
        EXPECT_EQ((std::vector<std::uint64_t>{first.creation, first.lastWrite}),
                  (std::vector<std::uint64_t>{times.creation, times.lastWrite})) << name;
        EXPECT_EQ(kA | FILE_ATTRIBUTE_SYSTEM, GetFileAttributesA((t / name).c_str())) << name;
        SetFileAttributesA((t / name).c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    EXPECT_EQ((std::vector<int>{3, 1}), (std::vector<int>{r.changed, r.refused}));
    EXPECT_EQ((Strings{Told(kRowErrorTitle, t / "gone.txt" + kAttributesRefused)}), prompts.messages);
    EXPECT_EQ(4, m.table.MarkedCount);
    EXPECT_FALSE(m.table.rows[rows[3]].attributes & FILE_ATTRIBUTE_SYSTEM);  // the row shows what is, not what was asked

    // A directory: its times are not offered and stay; its attributes change.
    Listing& d = ListOf(fs, t.Path());
    d.CursorIndex = RowOf(d, "d");
    const FileTimes dirBefore = TimesOf(fs, t / "d");
    f = OpenAttributeForm(d, t.Path().c_str(), fs, SystemClock());
    EXPECT_FALSE(f.timesEditable);
    f.hidden = true, f.archive = false, f.applyTimes = true;
    ApplyAttributeForm(d, t.Path().c_str(), f, fs, SystemClock(), nullptr);
    EXPECT_EQ(DWORD{FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN}, GetFileAttributesA((t / "d").c_str()));
    EXPECT_EQ(dirBefore.lastWrite, TimesOf(fs, t / "d").lastWrite);
    SetFileAttributesA((t / "d").c_str(), FILE_ATTRIBUTE_NORMAL);

    // A link to a file is left alone: what it points to keeps its bits.
    const std::string fl = MappedDrive("LINKS") + "fl\\", o = fl + "out\\o.txt";
    const DWORD outside = GetFileAttributesA(o.c_str());
    Listing& k = ListOf(fs, fl);
    k.CursorIndex = RowOf(k, "row.lnk");
    f = OpenAttributeForm(k, fl.c_str(), fs, SystemClock());
    f.readOnly = f.hidden = true;
    prompts.messages.clear();
    ApplyAttributeForm(k, fl.c_str(), f, fs, SystemClock(), nullptr);
    EXPECT_EQ(outside, GetFileAttributesA(o.c_str()));
    EXPECT_EQ((Strings{Told(kRowErrorTitle, fl + "row.lnk" + kLinkAttributesKept)}), prompts.messages);
}

// Sizes are whole 64-bit numbers; a link back up is an entry of its own.
TEST_F(Ops, TotalSizeCountsFilesBeyond4GiBAndNeverEntersALink) {
    TempTree t;
    t.File("big.dat", "");
    std::filesystem::resize_file(t / "big.dat", (5ull << 30) + 10);  // sparse
    t.Dir("d"), t.Dir("d\\empty"), t.Dir("e");
    t.File("d\\x.bin", std::string(1 << 20, 'x'));
    Listing& l = ListOf(fs, t.Path());
    for (const char* name : {"big.dat", "d", "e"}) SetMark(l.table, RowOf(l, name), true);
    const SizeTotal s = TotalSizeCommand(l, t.Path().c_str(), fs, *this);
    EXPECT_EQ((std::vector<std::uint64_t>{2, (5ull << 30) + 10 + (1 << 20)}), (std::vector<std::uint64_t>{s.files, s.bytes}));
    EXPECT_EQ("2件、5,369,757,706バイト", s.said);
    EXPECT_EQ(3, l.table.MarkedCount);
    // p\t holds x.txt and up, a link to p, which holds t itself.
    const std::string p = MappedDrive("LINKS") + "p\\";
    Listing& lp = ListOf(fs, p);
    lp.CursorIndex = RowOf(lp, "t");
    const SizeTotal up = TotalSizeCommand(lp, p.c_str(), fs, *this);
    EXPECT_EQ((std::vector<std::uint64_t>{2, 1}), (std::vector<std::uint64_t>{up.files, up.bytes}));
    DeleteFileA((t / "big.dat").c_str());
}

// On a full volume the joined file cannot be written whole: the old target stays.
TEST_F(Ops, ConcatenationOnAFullVolumeKeepsTheOldTarget) {
    const std::string small = MappedDrive("SMALL");
    std::ofstream(small + "filler", std::ios::binary) << std::string(5 << 19, 'f');
    std::ofstream(small + "in.bin", std::ios::binary) << std::string(1 << 20, 'i');
    std::ofstream(small + "j.txt", std::ios::binary) << "old";
    ConcatRequest r{small, "J.TXT", {"in.bin", "in.bin"}, 0, true};
    prompts.answers = {kIdOk};
    EXPECT_FALSE(Concatenate(r, fs, nullptr, nullptr));
    EXPECT_EQ("old", Slurp(small + "j.txt"));
    EXPECT_EQ((Strings{"filler", "in.bin", "j.txt"}), Names(small));
    EXPECT_EQ(Told(kRowErrorTitle, small + "J.TXT" + kConcatWriteFailed), prompts.messages.back());
    // With room, text mode: each input to its 0x1A, line feeds as CR LF.
    DeleteFileA((small + "filler").c_str());
    std::ofstream(small + "t1", std::ios::binary) << "one\ntwo\r\n\x1Ahidden";
    r.order = {"t1", "t1"}, r.binary = false, prompts.answers = {kIdOk};
    EXPECT_TRUE(Concatenate(r, fs, nullptr, nullptr));
    EXPECT_EQ("one\r\ntwo\r\none\r\ntwo\r\n", Slurp(small + "j.txt"));
    for (const char* name : {"in.bin", "j.txt", "t1"}) DeleteFileA((small + name).c_str());
}

}  // namespace

namespace {

// Wine keeps the Recycle Bin as the desktop's trash, in the user's home: an
// entry goes there whole, under its name or, when the trash has one, a new one.
TEST_F(Ops, TheRecycleBinTakesAFileAndADirectoryWhole) {
    const char* home = std::getenv("WINEHOMEDIR");  // "\\??\\Z:\\root"
    ASSERT_TRUE(home && std::strlen(home) > 4);
    const std::filesystem::path trash = std::string(home + 4) + "\\.local\\share\\Trash";
    auto binned = [&trash](const std::string& name) {
        for (const auto& e : std::filesystem::directory_iterator(trash / "files"))
            if (e.path().filename().string().rfind(name, 0) == 0) return e.path();
        return std::filesystem::path();
    };
    TempTree t;
    const std::string tag = std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount());
    t.File("bin-" + tag + ".txt", "binned");
    t.Dir("bindir-" + tag), t.File("bindir-" + tag + "\\in.txt", "in");
    for (const std::string name : {"bin-" + tag + ".txt", "bindir-" + tag}) {
        EXPECT_TRUE(fs.Recycle(t / name)) << name;
        EXPECT_FALSE(Exists(t / name)) << name;
        const std::filesystem::path there = binned(name);
        ASSERT_FALSE(there.empty()) << name;
        const bool file = name.back() == 't';
        EXPECT_EQ(file ? "binned" : "in", Slurp((file ? there : there / "in.txt").string()));
        std::filesystem::remove(trash / "info" / (there.filename().string() + ".trashinfo"));
        std::filesystem::remove_all(there);
    }
}

}  // namespace
