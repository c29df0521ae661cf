#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "base/prompts.h"
#include "listing/dir_reader.h"
#include "fake_profile.h"
#include "listing/wildcard.h"

using namespace qrn;
using qrn::test::TestListing;

namespace {

struct FakeFile {
    std::string name;
    std::uint32_t attributes;
    std::uint64_t size;
};

// A file system of directories by search path, and drives that may be not ready.
class FakeDisk : public DirectoryPlatform {
public:
    std::map<std::string, std::vector<FakeFile>> dirs;  // key: directory with trailing backslash
    std::map<char, std::string> labels;
    std::vector<char> notReady;
    std::vector<std::string> searches, workingDirs, watched;
    std::vector<unsigned> filters;
    int chooseAnswer = -1;
    std::string chooseResult;
    std::string chooseTitle, choosePreset;
    int sorts = 0, opened = 0, closed = 0;

    std::uint64_t QueryDiskSpace(const char* path, DiskFigures& f) override {
        for (char c : notReady)
            if (path[0] == c) return kDiskQueryFailed;
        f = {1000, 400, 600};
        return 600;
    }
    bool VolumeLabel(const char* root, char* out, std::size_t size) override {
        auto it = labels.find(root[0]);
        if (it == labels.end()) return false;
        std::snprintf(out, size, "%s", it->second.c_str());
        return true;
    }
    bool First(const char* search, FoundRecord& rec) override {
        searches.push_back(search);
        std::string dir(search);
        dir.resize(dir.size() - 3);
        auto it = dirs.find(dir);
        if (it == dirs.end() || it->second.empty()) return false;
        ++opened;
        cur_ = &it->second;
        pos_ = 0;
        return Next(rec);
    }
    bool Next(FoundRecord& rec) override {
        if (!cur_ || pos_ >= cur_->size()) return false;
        const FakeFile& f = (*cur_)[pos_++];
        std::snprintf(rec.name, sizeof rec.name, "%s", f.name.c_str());
        rec.attributes = f.attributes;
        rec.size = f.size;
        rec.date = 0x5A21;
        rec.time = 0x6000;
        return true;
    }
    void Close() override {
        ++closed;
        cur_ = nullptr;
    }
    void LowerCase(char* s) override { LowerAscii(s); }
    void MakeWorkingDirectory(const char* path) override { workingDirs.push_back(path); }
    void* ArmWatch(void* previous, const char* dir, unsigned filter) override {
        watched.push_back(dir);
        filters.push_back(filter);
        return reinterpret_cast<void*>(static_cast<std::uintptr_t>(watched.size()));
    }
    void Sort(EntryTable&) override { ++sorts; }
    const char* ProgramFolder() override { return "C:\\QRN"; }
    int ChooseDrive(void*, const char* title, char* choice, std::size_t size) override {
        chooseTitle = title;
        choosePreset = choice;
        if (chooseAnswer == 1) std::snprintf(choice, size, "%s", chooseResult.c_str());
        return chooseAnswer;
    }

private:
    std::vector<FakeFile>* cur_ = nullptr;
    std::size_t pos_ = 0;
};

class ScriptedPrompts : public Prompts {
public:
    std::vector<std::string> messages;
    int beeps = 0;
    int Message(void*, const char* text, const char* title, unsigned) override {
        messages.push_back(std::string(title) + "|" + text);
        return kIdOk;
    }
    void Beep() override { ++beeps; }
};

struct ReaderTest : ::testing::Test {
    Settings s;
    Listing& l = TestListing();
    FakeDisk disk;
    ScriptedPrompts ui;
    void SetUp() override {
        DefaultSettings(s);
        ResetListing(l);
        SetPrompts(&ui);
        disk.dirs["C:\\QRN\\"] = {{".", 0x10, 0}, {"..", 0x10, 0}, {"qrn.exe", 0x20, 1000}};
    }
    void TearDown() override { SetPrompts(nullptr); }
    int Read(const char* path) {
        std::snprintf(l.CurrentDir, sizeof l.CurrentDir, "%s", path);
        return ReadDirectory(l, s, disk, nullptr, l.CurrentDir, sizeof l.CurrentDir);
    }
    std::vector<std::string> Names() {
        std::vector<std::string> v;
        for (int i = 0; i < l.table.EntryCount; ++i) v.push_back(l.table.rows[i].name);
        return v;
    }
};

}  // namespace

TEST_F(ReaderTest, RootWithLabel) {
    disk.labels['M'] = "DATA";
    disk.dirs["M:\\"] = {{"a.txt", 0x20, 10}, {"b.txt", 0x20, 5ull << 32}};
    ASSERT_EQ(3, Read("M:\\"));
    EXPECT_EQ((std::vector<std::string>{"DATA", "a.txt", "b.txt"}), Names());
    EXPECT_EQ(8u, l.table.rows[0].attributes);
    EXPECT_EQ(0u, l.table.rows[0].size);
    EXPECT_EQ(10 + (5ull << 32), l.table.ListedBytes);  // 64-bit sums
    EXPECT_EQ(600u, l.table.DiskFree);
    EXPECT_EQ(1000u, l.table.DiskTotal);
    EXPECT_STREQ("M:\\", l.LastGoodDir);
    EXPECT_EQ("M:\\", disk.workingDirs.back());
    EXPECT_EQ("M:\\", disk.watched.back());  // a root keeps its backslash
    EXPECT_EQ(disk.opened, disk.closed);
}

TEST_F(ReaderTest, EmptyRootGivesNoDataRow) {
    disk.dirs["N:\\"] = {};
    ASSERT_EQ(1, Read("N:\\"));
    EXPECT_STREQ("  NO DATA  ", l.table.rows[0].name);
    EXPECT_EQ(8u, l.table.rows[0].attributes);
    EXPECT_EQ(0u, l.table.ListedBytes);
}

TEST_F(ReaderTest, MaskFiltersFilesButNeverDirectories) {
    disk.dirs["C:\\w\\"] = {{".", 0x10, 0}, {"..", 0x10, 0}, {"x.txt", 0x20, 1},
                            {"y.doc", 0x20, 2}, {"sub", 0x10, 0}, {"READ.TXT", 0x20, 3}};
    std::strcpy(l.FileMask, "*.TXT");
    std::snprintf(l.CurrentDir, sizeof l.CurrentDir, "C:\\w\\");
    ASSERT_EQ(5, ReadDirectory(l, s, disk, nullptr, l.CurrentDir, sizeof l.CurrentDir));
    EXPECT_EQ((std::vector<std::string>{".", "..", "x.txt", "sub", "READ.TXT"}), Names());
    EXPECT_EQ("C:\\w", disk.watched.back());  // trailing backslash removed for the watch
}

TEST_F(ReaderTest, SystemAndHiddenFilters) {
    disk.dirs["C:\\f\\"] = {{"sys", 0x04, 1}, {"hid", 0x02, 1}, {"both", 0x06, 1}, {"plain", 0x20, 1}};
    s.SystemDisp = 0;
    ASSERT_EQ(2, Read("C:\\f\\"));
    EXPECT_EQ((std::vector<std::string>{"hid", "plain"}), Names());
    s.SystemDisp = 1;
    s.HiddenDisp = 0;
    ASSERT_EQ(2, Read("C:\\f\\"));
    EXPECT_EQ((std::vector<std::string>{"sys", "plain"}), Names());
}

TEST_F(ReaderTest, ExtensionIndexAndFolderDot) {
    disk.dirs["C:\\d\\"] = {{"my.dir", 0x10, 0}, {"a.b.c", 0x20, 0}};
    Read("C:\\d\\");
    EXPECT_EQ(3u, l.table.rows[0].ext);
    EXPECT_EQ(4u, l.table.rows[1].ext);
    s.FolderDot = 0;
    Read("C:\\d\\");
    EXPECT_EQ(0u, l.table.rows[0].ext);
    EXPECT_EQ(4u, l.table.rows[1].ext);
}

TEST_F(ReaderTest, LongestNameRules) {
    disk.dirs["C:\\a\\"] = {{"ab", 0x20, 0}, {"x", 0x20, 0}};
    Read("C:\\a\\");
    EXPECT_EQ(12, l.table.LongestName);
    disk.dirs["C:\\b\\"] = {{std::string(20, 'n'), 0x20, 0}};
    Read("C:\\b\\");
    EXPECT_EQ(20, l.table.LongestName);
    disk.dirs["C:\\c\\"] = {{std::string(12, 'n') + ".c", 0x20, 0}};  // 14 characters, one-letter extension
    Read("C:\\c\\");
    EXPECT_EQ(16, l.table.LongestName);
    disk.labels['L'] = std::string(40, 'L');  // the label does not count
    disk.dirs["L:\\"] = {{"a", 0x20, 0}};
    Read("L:\\");
    EXPECT_EQ(12, l.table.LongestName);
    EXPECT_EQ(12, l.NameWidth);
}

TEST_F(ReaderTest, TableFullAtExactly2000) {
    auto fill = [&](const char* dir, int n) {
        auto& v = disk.dirs[dir];
        for (int i = 0; i < n; ++i) v.push_back({"f" + std::to_string(i), 0x20, 1});
    };
    fill("C:\\big\\", 2500);
    ASSERT_EQ(2000, Read("C:\\big\\"));
    EXPECT_TRUE(l.table.TableFull);
    EXPECT_STREQ("f1999", l.table.rows[1999].name);
    EXPECT_EQ(2000u, l.table.ListedBytes);
    fill("C:\\exact\\", 2000);
    ASSERT_EQ(2000, Read("C:\\exact\\"));
    EXPECT_TRUE(l.table.TableFull);
    fill("C:\\less\\", 1999);
    ASSERT_EQ(1999, Read("C:\\less\\"));
    EXPECT_FALSE(l.table.TableFull);
    disk.labels['Q'] = "LBL";  // the label row counts toward the 2000
    fill("Q:\\", 2000);
    ASSERT_EQ(2000, Read("Q:\\"));
    EXPECT_STREQ("f1998", l.table.rows[1999].name);
}

TEST_F(ReaderTest, EveryReadClearsMarks) {
    disk.dirs["C:\\m\\"] = {{"a", 0x20, 7}};
    Read("C:\\m\\");
    SetMark(l.table, 0, true);
    l.table.rows[1500].mark = 1;
    Read("C:\\m\\");
    EXPECT_EQ(0, l.table.rows[0].mark);
    EXPECT_EQ(0, l.table.rows[1500].mark);
    EXPECT_EQ(0, l.table.MarkedCount);
    EXPECT_EQ(0u, l.table.MarkedBytes);
}

TEST_F(ReaderTest, EmptySubdirectoryFallsBackToRoot) {
    disk.dirs["C:\\"] = {{"root.txt", 0x20, 1}};
    ASSERT_EQ(1, Read("C:\\gone\\deeper\\"));
    EXPECT_STREQ("C:\\", l.CurrentDir);
    EXPECT_STREQ("C:\\", l.LastGoodDir);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ReaderTest, FirstReadOfDriveNotReadyFallsBackSilently) {
    disk.notReady.push_back('S');
    ASSERT_EQ(3, Read("S:\\x\\"));
    EXPECT_STREQ("C:\\QRN\\", l.CurrentDir);
    EXPECT_FALSE(l.FirstRead);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(0, ui.beeps);
}

TEST_F(ReaderTest, LaterDriveNotReadyTellsAndKeepsTheListing) {
    Read("C:\\QRN\\");
    l.FirstRead = false;
    disk.notReady.push_back('S');
    std::vector<std::string> before = Names();
    EXPECT_EQ(-1, Read("S:\\x\\"));
    ASSERT_EQ(1u, ui.messages.size());
    EXPECT_EQ("ERROR!|S:\\x\\*.*\rThis drive is not ready!", ui.messages[0]);
    EXPECT_EQ(1, ui.beeps);
    EXPECT_EQ("LogDisk", disk.chooseTitle);
    EXPECT_EQ("S:\\x\\", disk.choosePreset);
    EXPECT_STREQ("C:\\QRN\\", l.CurrentDir);
    EXPECT_EQ(before, Names());
    EXPECT_EQ(3, l.table.EntryCount);

    // A drive chosen in the drive window is read instead.
    disk.dirs["M:\\"] = {{"m.txt", 0x20, 1}};
    disk.chooseAnswer = 1;
    disk.chooseResult = "M:\\";
    EXPECT_EQ(1, Read("S:\\"));
    EXPECT_STREQ("M:\\", l.CurrentDir);
}

TEST_F(ReaderTest, TooLongPathFallsBackToRoot) {
    disk.dirs["C:\\"] = {{"r", 0x20, 1}};
    std::string p = "C:\\" + std::string(255, 'z') + "\\";
    ASSERT_EQ(1, Read(p.c_str()));
    EXPECT_STREQ("C:\\", l.CurrentDir);
}

TEST_F(ReaderTest, AutoSortAndWatchFilter) {
    disk.dirs["C:\\s\\"] = {{"b", 0x20, 1}, {"a", 0x20, 1}};
    Read("C:\\s\\");
    EXPECT_EQ(0, disk.sorts);
    EXPECT_EQ(3u, disk.filters.back());
    s.SortAuto = 2;
    s.UpdateFilter = 31;
    Read("C:\\s\\");
    EXPECT_EQ(1, disk.sorts);
    EXPECT_EQ(31u, disk.filters.back());
}
