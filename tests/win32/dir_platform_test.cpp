// Directory reading against real directories and the drives the runner maps.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "base/startup.h"
#include "base/profile_win32.h"
#include "base/startup_win32.h"
#include "listing/dir_platform_win32.h"
#include "windows/drive_window_win32.h"
#include "support.h"
#include "../core/core_test.h"

using namespace qrn;
using namespace qrntest;

namespace {

struct ReadTest : ::testing::Test {
    void SetUp() override { DefaultSettings(s); ResetListing(l); }
    void TearDown() override {
        if (l.ChangeWatch) FindCloseChangeNotification(static_cast<HANDLE>(l.ChangeWatch));
    }
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
    qrn::test::ScriptedPrompts prompts;
    TempTree program;                // stands for the program folder
    std::string programFolder = program.Path().substr(0, program.Path().size() - 1);
    Win32DirectoryPlatform platform{s, programFolder.c_str()};
};

}  // namespace

// Then the directory is the working one, that of its drive too.
TEST_F(ReadTest, ListsNamesFiguresAndAttributesAndEntersTheDirectory) {
    const char* const sjis = "\x83\x5c\x83\x74\x83\x67.txt";  // ソフト.txt: the first trail byte is a backslash
    TempTree t;
    t.File("a.txt", "abc");
    t.File(sjis, "12345");
    t.File("hidden.txt", "", FILE_ATTRIBUTE_HIDDEN);
    t.Dir("sub");
    const std::uint64_t big = (5ull << 30) + 7;  // sparse: nothing is written
    t.File("big.bin", "");
    std::filesystem::resize_file(t / "big.bin", big);
    s.HiddenDisp = 0;
    s.UpdateFilter = 3;
    ASSERT_EQ(6, Read(t.Path()));  // with "." and "..", without the hidden file
    ASSERT_TRUE(Row(".") && Row("..") && Row("a.txt") && Row(sjis) && Row("sub") && Row("big.bin"));
    EXPECT_NE(0, Row("a.txt")->date);
    EXPECT_EQ(7u, Row(sjis)->ext);  // behind the dot; the 0x5C inside the first character is no separator
    EXPECT_EQ(kAttrDirectory, Row("sub")->attributes & kAttrDirectory);
    EXPECT_EQ(big, Row("big.bin")->size);
    EXPECT_EQ(big + 8, l.table.ListedBytes);
    EXPECT_GT(l.table.DiskTotal, 0u);
    EXPECT_EQ(l.table.DiskTotal, l.table.DiskUsed + l.table.DiskFree);
    char cwd[MAX_PATH];  // kept for its drive while another drive is the current one
    SetCurrentDirectoryA(MappedDrive("PLAIN").c_str());
    ASSERT_TRUE(Win32SettingsPlatform().DriveCurrentDirectory(t.Path()[0], cwd, sizeof cwd));
    EXPECT_EQ(t.Path(), std::string(cwd) + (cwd[std::strlen(cwd) - 1] == '\\' ? "" : "\\"));
    FileEntry e{};
    EXPECT_EQ(1, StatFile((t / "big.bin").c_str(), e));
    EXPECT_EQ(big, e.size);
}

// The mapped drives in the list, then in the drive window: their kinds, which can be chosen
// (a CD-ROM drive is probed for a medium), and their current directories.
TEST_F(ReadTest, TheMappedDrives) {
    s.HiddenDisp = 0;  // the label file of the mapped folder is a dot file, shown as hidden
    for (const auto& [drive, row] : {std::pair{"LABEL", "QRNTEST"}, std::pair{"PLAIN", kNoDataName}}) {
        ASSERT_EQ(1, Read(MappedDrive(drive))) << drive;
        EXPECT_STREQ(row, l.table.rows[0].name);
        EXPECT_EQ(kAttrLabel, l.table.rows[0].attributes);
    }
    char types[26];
    BuildDriveTypes(types);
    const std::string iniPath = program / "qrn.ini";
    IniFileProfile ini(iniPath.c_str());
    Win32DriveSource drives(s, types, ini, "");
    const struct { const char* name; char kind; bool available; } cases[] = {
        {"CDROM", 'C', true}, {"PLAIN", 'H', true}, {"MISSING", 1, false}};
    for (const auto& c : cases) {
        const int d = MappedDrive(c.name)[0] - 'A';
        EXPECT_EQ((std::vector<int>{c.kind, c.available}), (std::vector<int>{drives.Kind(d), drives.Available(d)})) << c.name;
    }
    char dir[MAX_PATH];
    SetCurrentDirectoryA((MappedDrive("PLAIN") + "..").c_str());
    ASSERT_TRUE(drives.CurrentDirectory(MappedDrive("PLAIN")[0], dir, sizeof dir));
    EXPECT_EQ(MappedDrive("PLAIN"), dir);
    EXPECT_FALSE(drives.CurrentDirectory('U', dir, 3));  // no room: refused, not cut
}
