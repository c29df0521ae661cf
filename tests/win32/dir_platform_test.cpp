// Directory reading against real directories and the drives the runner maps.
#include <gtest/gtest.h>

#include <cstring>

#include "base/prompts.h"
#include "base/startup.h"
#include "listing/dir_platform_win32.h"
#include "support.h"

using namespace qrn;
using namespace qrntest;

namespace {

struct ReadTest : ::testing::Test, Prompts {
    void SetUp() override {
        DefaultSettings(s);
        ResetListing(l);
        SetPrompts(this);
    }
    void TearDown() override {
        SetPrompts(nullptr);
        if (l.ChangeWatch) FindCloseChangeNotification(static_cast<HANDLE>(l.ChangeWatch));
    }
    int Message(void*, const char* text, const char* title, unsigned) override {
        said.push_back(std::string(title) + "|" + text);
        return kIdOk;
    }
    void Beep() override { said.push_back("beep"); }
    int Read(const std::string& dir) {
        std::snprintf(l.CurrentDir, sizeof l.CurrentDir, "%s", dir.c_str());
        return ReadDirectory(l, s, platform, nullptr, l.CurrentDir, sizeof l.CurrentDir);
    }
    const FileEntry* Row(const std::string& name) const {
        for (int i = 0; i < l.table.EntryCount; ++i)
            if (name == l.table.rows[i].name) return &l.table.rows[i];
        return nullptr;
    }
    Settings s;
    Listing l;
    std::vector<std::string> said;  // what the prompts were asked to say
    TempTree program;                // stands for the program folder
    std::string programFolder = program.Path().substr(0, program.Path().size() - 1);
    Win32DirectoryPlatform platform{s, programFolder.c_str()};
};

}  // namespace

TEST_F(ReadTest, ListsNamesFiguresAndAttributesAndEntersTheDirectory) {
    const char* const sjis = "\x83\x5c\x83\x74\x83\x67.txt";  // ソフト.txt: the first trail byte is a backslash
    TempTree t;
    t.File("a.txt", "abc");
    t.File(sjis, "12345");
    t.File("hidden.txt", "", FILE_ATTRIBUTE_HIDDEN);
    t.Dir("sub");
    const std::uint64_t big = (5ull << 30) + 7;  // sparse: nothing is written
    HANDLE f = CreateFileA((t / "big.bin").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    LONG high = static_cast<LONG>(big >> 32);
    SetFilePointer(f, static_cast<LONG>(big & 0xFFFFFFFF), &high, FILE_BEGIN);
    ASSERT_TRUE(SetEndOfFile(f));
    CloseHandle(f);
    s.HiddenDisp = 0;
    ASSERT_EQ(6, Read(t.Path()));  // with "." and "..", without the hidden file
    EXPECT_EQ(nullptr, Row("hidden.txt"));
    ASSERT_TRUE(Row("..") && Row("a.txt") && Row(sjis) && Row("sub") && Row("big.bin"));
    EXPECT_EQ(3u, Row("a.txt")->size);
    EXPECT_NE(0, Row("a.txt")->date);
    EXPECT_EQ(5u, Row(sjis)->size);
    EXPECT_EQ(7u, Row(sjis)->ext);  // behind the dot; the 0x5C inside the first character is no separator
    EXPECT_EQ(kAttrDirectory, Row("sub")->attributes & kAttrDirectory);
    EXPECT_EQ(big, Row("big.bin")->size);
    EXPECT_EQ(big + 8, l.table.ListedBytes);
    EXPECT_GT(l.table.DiskTotal, 0u);
    EXPECT_EQ(l.table.DiskTotal, l.table.DiskUsed + l.table.DiskFree);
    char cwd[MAX_PATH];  // the listed directory is the working directory, and that of its drive
    ASSERT_TRUE(Win32SettingsPlatform().DriveCurrentDirectory(t.Path()[0], cwd, sizeof cwd));
    EXPECT_EQ(t.Path(), std::string(cwd) + (cwd[std::strlen(cwd) - 1] == '\\' ? "" : "\\"));
    FileEntry e{};
    EXPECT_EQ(1, StatFile((t / "big.bin").c_str(), e));
    EXPECT_EQ(big, e.size);
}

TEST_F(ReadTest, TheChangeWatchFiresForANewFile) {
    TempTree t;
    s.UpdateFilter = 3;
    Read(t.Path());
    ASSERT_NE(nullptr, l.ChangeWatch);
    EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(static_cast<HANDLE>(l.ChangeWatch), 0));
    t.File("new.txt");
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(static_cast<HANDLE>(l.ChangeWatch), 10000));
}

TEST_F(ReadTest, TheMappedDrives) {
    s.HiddenDisp = 0;  // the label file of the mapped folder is a dot file, shown as hidden
    for (const auto& [drive, row] : {std::pair{"LABEL", "QRNTEST"}, std::pair{"PLAIN", kNoDataName}}) {
        ASSERT_EQ(1, Read(std::string(1, MappedDrive(drive)) + ":\\")) << drive;
        EXPECT_STREQ(row, l.table.rows[0].name);
        EXPECT_EQ(kAttrLabel, l.table.rows[0].attributes);
    }
    const char cdrom[4] = {MappedDrive("CDROM"), ':', '\\', '\0'};
    EXPECT_EQ('C', DriveTypeLetter(GetDriveTypeA(cdrom)));

    // A drive that is not ready: at the first read, silently the program
    // folder; later, told, and the old listing stays.
    const std::string missing = std::string(1, MappedDrive("MISSING")) + ":\\";
    DiskFigures fig{1, 1, 1};
    EXPECT_EQ(kDiskQueryFailed, QueryDiskSpace(missing.c_str(), fig));
    EXPECT_EQ(0u, fig.total + fig.used);
    l.FirstRead = true;
    EXPECT_GT(Read(missing), 0);
    EXPECT_EQ(programFolder + "\\", l.CurrentDir);
    EXPECT_TRUE(said.empty());
    program.File("kept.txt");
    const int before = Read(program.Path());
    EXPECT_EQ(-1, Read(missing));
    EXPECT_EQ((std::vector<std::string>{"beep", "ERROR!|" + missing + "*.*\rThis drive is not ready!"}), said);
    EXPECT_EQ(program.Path(), l.CurrentDir);
    EXPECT_EQ(before, l.table.EntryCount);
    EXPECT_NE(nullptr, Row("kept.txt"));
}
