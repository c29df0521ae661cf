// Directory reading against real directories and mapped drives under Wine.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "base/prompts.h"
#include "base/settings.h"
#include "base/startup.h"
#include "listing/dir_platform_win32.h"
#include "temp_tree.h"

using namespace qrn;
using qrntest::TempTree;

namespace {

struct RecordingPrompts : Prompts {
    std::vector<std::string> texts, titles;
    int beeps = 0;
    int Message(void*, const char* text, const char* title, unsigned) override {
        texts.push_back(text);
        titles.push_back(title);
        return kIdOk;
    }
    void Beep() override { ++beeps; }
};

class ReadTest : public ::testing::Test {
protected:
    void SetUp() override {
        DefaultSettings(s);
        ResetListing(l);
        SetPrompts(&prompts);
        GetCurrentDirectoryA(sizeof startDir, startDir);
    }
    void TearDown() override {
        SetPrompts(nullptr);
        if (l.ChangeWatch) FindCloseChangeNotification(static_cast<HANDLE>(l.ChangeWatch));
        SetCurrentDirectoryA(startDir);
    }
    int Read(const std::string& dir) {
        std::strcpy(l.CurrentDir, dir.c_str());
        return ReadDirectory(l, s, platform, nullptr, l.CurrentDir, sizeof l.CurrentDir);
    }
    std::vector<std::string> Names() const {
        std::vector<std::string> v;
        for (int i = 0; i < l.table.EntryCount; ++i) v.push_back(l.table.rows[i].name);
        return v;
    }
    const FileEntry* Row(const std::string& name) const {
        for (int i = 0; i < l.table.EntryCount; ++i)
            if (name == l.table.rows[i].name) return &l.table.rows[i];
        return nullptr;
    }
    Settings s;
    Listing l;
    Win32DirectoryPlatform platform;
    RecordingPrompts prompts;
    char startDir[MAX_PATH];
};

}  // namespace

TEST_F(ReadTest, ListsFilesDirectoriesAndShiftJisNamesWithTheirFigures) {
    TempTree t;
    t.File("a.txt", "abc");
    t.File("\x83\x5c\x83\x74\x83\x67.txt", "12345");  // ソフト.txt: the first trail byte is a backslash
    t.Dir("sub");
    int n = Read(t.Path());
    ASSERT_GT(n, 0);
    auto names = Names();
    EXPECT_NE(names.end(), std::find(names.begin(), names.end(), ".."));
    ASSERT_NE(nullptr, Row("a.txt"));
    EXPECT_EQ(3u, Row("a.txt")->size);
    EXPECT_EQ(ExtensionIndex("a.txt"), Row("a.txt")->ext);
    const FileEntry* sjis = Row("\x83\x5c\x83\x74\x83\x67.txt");
    ASSERT_NE(nullptr, sjis);
    EXPECT_EQ(5u, sjis->size);
    EXPECT_EQ(7u, sjis->ext);  // behind the dot; the 0x5C inside the first character is no separator
    ASSERT_NE(nullptr, Row("sub"));
    EXPECT_TRUE(Row("sub")->attributes & kAttrDirectory);
    EXPECT_NE(0, Row("a.txt")->date);
    EXPECT_EQ(8u, l.table.ListedBytes);
    EXPECT_STREQ(t.Path().c_str(), l.LastGoodDir);
    EXPECT_GT(l.table.DiskTotal, 0u);
    EXPECT_EQ(l.table.DiskTotal, l.table.DiskUsed + l.table.DiskFree);

    // The listed directory is the working directory.
    char cwd[MAX_PATH];
    GetCurrentDirectoryA(sizeof cwd, cwd);
    EXPECT_EQ(t.Path(), std::string(cwd) + "\\");
}

TEST_F(ReadTest, HiddenAndSystemFilesFollowTheirSettings) {
    TempTree t;
    t.File("shown.txt");
    t.File("hidden.txt", "x", FILE_ATTRIBUTE_HIDDEN);
    t.File("system.txt", "x", FILE_ATTRIBUTE_SYSTEM);
    s.HiddenDisp = 0;
    s.SystemDisp = 0;
    Read(t.Path());
    EXPECT_NE(nullptr, Row("shown.txt"));
    EXPECT_EQ(nullptr, Row("hidden.txt"));
    EXPECT_EQ(nullptr, Row("system.txt"));
    s.HiddenDisp = 1;
    s.SystemDisp = 1;
    Read(t.Path());
    EXPECT_NE(nullptr, Row("hidden.txt"));
    EXPECT_NE(nullptr, Row("system.txt"));
}

TEST_F(ReadTest, FilesOfFourGibibytesAndMoreKeepTheirFullSize) {
    TempTree t;
    const std::uint64_t big = (5ull << 30) + 7;
    std::string path = t / "big.bin";
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, f);
    LONG high = static_cast<LONG>(big >> 32);
    SetFilePointer(f, static_cast<LONG>(big & 0xFFFFFFFF), &high, FILE_BEGIN);
    ASSERT_TRUE(SetEndOfFile(f));
    CloseHandle(f);
    Read(t.Path());
    ASSERT_NE(nullptr, Row("big.bin"));
    EXPECT_EQ(big, Row("big.bin")->size);
    EXPECT_EQ(big, l.table.ListedBytes);
    FileEntry e{};
    ASSERT_EQ(1, StatFile(path.c_str(), e));
    EXPECT_EQ(big, e.size);
    EXPECT_STREQ("big.bin", e.name);
}

TEST_F(ReadTest, StatFileClearsTheEntryWhenNothingMatches) {
    TempTree t;
    FileEntry e{};
    e.size = 9;
    e.attributes = 0x20;
    std::strcpy(e.name, "old");
    EXPECT_EQ(0, StatFile((t / "missing.txt").c_str(), e));
    EXPECT_EQ(0u, e.size);
    EXPECT_EQ(0u, e.attributes);
    EXPECT_STREQ("", e.name);
}

TEST_F(ReadTest, AVanishedSubdirectoryFallsBackToItsRoot) {
    TempTree t;
    int n = Read(t / "gone\\");
    EXPECT_GT(n, 0);
    EXPECT_EQ(std::string(t.Path().substr(0, 3)), l.CurrentDir);
    EXPECT_TRUE(prompts.texts.empty());
}

TEST_F(ReadTest, TheChangeWatchFiresForANewFile) {
    TempTree t;
    t.File("one.txt");
    s.UpdateFilter = 3;
    Read(t.Path());
    ASSERT_NE(nullptr, l.ChangeWatch);
    EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), WaitForSingleObject(static_cast<HANDLE>(l.ChangeWatch), 1));
    t.File("two.txt");
    EXPECT_EQ(static_cast<DWORD>(WAIT_OBJECT_0), WaitForSingleObject(static_cast<HANDLE>(l.ChangeWatch), 2000));
}

TEST_F(ReadTest, FillsTheTableToItsLimit) {
    TempTree t;
    for (int i = 0; i < kTableRows + 10; ++i) t.File("f" + std::to_string(i) + ".dat", "");
    int n = Read(t.Path());
    EXPECT_EQ(kTableRows, n);
    EXPECT_TRUE(l.table.TableFull);
}

TEST_F(ReadTest, TheRootOfALabelledDriveStartsWithItsLabel) {
    char d = qrntest::MappedDrive("LABEL");
    ASSERT_NE('\0', d) << "the runner maps a drive with a label";
    std::string root = std::string(1, d) + ":\\";
    s.HiddenDisp = 0;  // the label file itself is a dot file, shown as hidden
    // Nothing else on the drive: the label row alone.
    ASSERT_EQ(1, Read(root));
    EXPECT_STREQ("QRNTEST", l.table.rows[0].name);
    EXPECT_EQ(kAttrLabel, l.table.rows[0].attributes);
    EXPECT_EQ(0u, l.table.rows[0].size);
    EXPECT_EQ(12, l.table.LongestName);

    // An empty root without a label shows the "no data" row.
    char other = qrntest::MappedDrive("CDROM");
    ASSERT_NE('\0', other);
    ASSERT_EQ(1, Read(std::string(1, other) + ":\\"));
    EXPECT_STREQ(kNoDataName, l.table.rows[0].name);
    EXPECT_EQ(kAttrLabel, l.table.rows[0].attributes);
}

TEST_F(ReadTest, ADriveThatIsNotReady) {
    char d = qrntest::MappedDrive("MISSING");
    ASSERT_NE('\0', d) << "the runner maps a drive whose target does not exist";
    std::string root = std::string(1, d) + ":\\";
    DiskFigures fig{};
    EXPECT_EQ(kDiskQueryFailed, QueryDiskSpace(root.c_str(), fig));
    EXPECT_EQ(0u, fig.total);

    // At the first read: silently to the program folder.
    std::strcpy(g_startup.ProgramFolder, qrntest::TestProgramFolder().c_str());
    l.FirstRead = true;
    EXPECT_GT(Read(root), 0);
    EXPECT_EQ(qrntest::TestProgramFolder() + "\\", l.CurrentDir);
    EXPECT_TRUE(prompts.texts.empty());

    // Later: told, and the old listing stays.
    TempTree t;
    t.File("kept.txt");
    Read(t.Path());
    int before = l.table.EntryCount;
    EXPECT_EQ(-1, Read(root));
    ASSERT_EQ(1u, prompts.texts.size());
    EXPECT_EQ("ERROR!", prompts.titles[0]);
    EXPECT_NE(std::string::npos, prompts.texts[0].find("This drive is not ready!"));
    EXPECT_EQ(1, prompts.beeps);
    EXPECT_EQ(t.Path(), l.CurrentDir);
    EXPECT_EQ(t.Path(), l.LastGoodDir);
    EXPECT_EQ(before, l.table.EntryCount);
    EXPECT_NE(nullptr, Row("kept.txt"));
}

TEST(DriveKinds, TheTableTellsCdromAndFixedDrives) {
    char d = qrntest::MappedDrive("CDROM");
    ASSERT_NE('\0', d) << "the runner maps a drive of kind CD-ROM";
    char root[4] = {d, ':', '\\', '\0'};
    EXPECT_EQ('C', DriveTypeLetter(GetDriveTypeA(root)));
    EXPECT_EQ('H', DriveTypeLetter(GetDriveTypeA("C:\\")));
}

TEST(WorkingDirectory, EachDriveRemembersItsOwn) {
    TempTree t;
    t.Dir("deep");
    Win32SettingsPlatform p;
    ASSERT_TRUE(p.MakeCurrentDirectory((t / "deep").c_str()));
    char out[MAX_PATH];
    ASSERT_TRUE(p.DriveCurrentDirectory(t.Path()[0], out, sizeof out));
    std::string got = out;
    if (got.back() != '\\') got += '\\';
    EXPECT_EQ(t / "deep\\", got);
    char tiny[4];
    EXPECT_FALSE(p.DriveCurrentDirectory(t.Path()[0], tiny, sizeof tiny));
    SetCurrentDirectoryA("C:\\");
}
