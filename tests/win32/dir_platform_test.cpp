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

struct RecordingPrompts : Prompts {
    std::vector<std::string> texts;
    int beeps = 0;
    int Message(void*, const char* text, const char* title, unsigned) override {
        texts.push_back(std::string(title) + "|" + text);
        return kIdOk;
    }
    void Beep() override { ++beeps; }
};

std::string ProgramFolder() {
    char exe[MAX_PATH];
    const std::string self(exe, GetModuleFileNameA(nullptr, exe, sizeof exe));
    return self.substr(0, self.rfind('\\'));
}

class ReadTest : public ::testing::Test {
protected:
    void SetUp() override {
        DefaultSettings(s);
        ResetListing(l);
        SetPrompts(&prompts);
    }
    void TearDown() override {
        SetPrompts(nullptr);
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
    std::string programFolder = ProgramFolder();
    Win32DirectoryPlatform platform{s, programFolder.c_str()};
    RecordingPrompts prompts;
};

const char* const kSjisName = "\x83\x5c\x83\x74\x83\x67.txt";  // ソフト.txt: the first trail byte is a backslash

}  // namespace

TEST_F(ReadTest, ListsNamesFiguresAndAttributesAndEntersTheDirectory) {
    TempTree t;
    t.File("a.txt", "abc");
    t.File(kSjisName, "12345");
    t.File("hidden.txt", "", FILE_ATTRIBUTE_HIDDEN);
    t.File("system.txt", "", FILE_ATTRIBUTE_SYSTEM);
    t.Dir("sub");
    const std::uint64_t big = (5ull << 30) + 7;  // sparse: nothing is written
    HANDLE f = CreateFileA((t / "big.bin").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    LONG high = static_cast<LONG>(big >> 32);
    SetFilePointer(f, static_cast<LONG>(big & 0xFFFFFFFF), &high, FILE_BEGIN);
    ASSERT_TRUE(SetEndOfFile(f));
    CloseHandle(f);
    // A name the ANSI code page cannot carry is listed by its short form.
    CloseHandle(CreateFileW((std::wstring(t.Path().begin(), t.Path().end()) + L"caf\u00e9 long.txt").c_str(),
                            GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));

    for (int shown : {0, 1}) {
        s.HiddenDisp = s.SystemDisp = shown;
        ASSERT_EQ(7 + 2 * shown, Read(t.Path()));  // with "." and ".."
        EXPECT_EQ(shown == 1, Row("hidden.txt") != nullptr);
        EXPECT_EQ(shown == 1, Row("system.txt") != nullptr);
    }
    ASSERT_NE(nullptr, Row(".."));
    ASSERT_NE(nullptr, Row("a.txt"));
    EXPECT_EQ(3u, Row("a.txt")->size);
    EXPECT_NE(0, Row("a.txt")->date);
    ASSERT_NE(nullptr, Row(kSjisName));
    EXPECT_EQ(5u, Row(kSjisName)->size);
    EXPECT_EQ(7u, Row(kSjisName)->ext);  // behind the dot; the 0x5C inside the first character is no separator
    ASSERT_NE(nullptr, Row("sub"));
    EXPECT_EQ(kAttrDirectory, Row("sub")->attributes & kAttrDirectory);
    ASSERT_NE(nullptr, Row("big.bin"));
    EXPECT_EQ(big, Row("big.bin")->size);
    EXPECT_EQ(big + 8, l.table.ListedBytes);
    for (int i = 0; i < l.table.EntryCount; ++i) {
        EXPECT_EQ(nullptr, std::strchr(l.table.rows[i].name, '?')) << l.table.rows[i].name;
        EXPECT_NE('\0', l.table.rows[i].name[0]);
    }
    EXPECT_EQ(t.Path(), l.LastGoodDir);
    EXPECT_GT(l.table.DiskTotal, 0u);
    EXPECT_EQ(l.table.DiskTotal, l.table.DiskUsed + l.table.DiskFree);
    char cwd[MAX_PATH];
    GetCurrentDirectoryA(sizeof cwd, cwd);
    EXPECT_EQ(t.Path(), std::string(cwd) + "\\");  // the listed directory is the working directory

    FileEntry e{};
    ASSERT_EQ(1, StatFile((t / "big.bin").c_str(), e));
    EXPECT_EQ(big, e.size);
    EXPECT_STREQ("big.bin", e.name);
    EXPECT_EQ(0, StatFile((t / "missing.txt").c_str(), e));
    EXPECT_EQ(0u, e.size + e.attributes + e.date);
    EXPECT_STREQ("", e.name);

    // A vanished subdirectory: its root instead.
    EXPECT_GT(Read(t / "gone\\"), 0);
    EXPECT_EQ(t.Path().substr(0, 3), l.CurrentDir);
    EXPECT_TRUE(prompts.texts.empty());
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

TEST_F(ReadTest, ARootShowsItsLabelOrElseTheNoDataRow) {
    s.HiddenDisp = 0;  // the label file of the mapped folder is a dot file, shown as hidden
    const struct { const char* drive; const char* row; } cases[] = {{"LABEL", "QRNTEST"}, {"PLAIN", kNoDataName}};
    for (const auto& c : cases) {
        ASSERT_EQ(1, Read(std::string(1, MappedDrive(c.drive)) + ":\\")) << c.drive;
        EXPECT_STREQ(c.row, l.table.rows[0].name);
        EXPECT_EQ(kAttrLabel, l.table.rows[0].attributes);
        EXPECT_EQ(0u, l.table.rows[0].size);
    }
}

TEST_F(ReadTest, ADriveThatIsNotReady) {
    const std::string root = std::string(1, MappedDrive("MISSING")) + ":\\";
    DiskFigures fig{1, 1, 1};
    EXPECT_EQ(kDiskQueryFailed, QueryDiskSpace(root.c_str(), fig));
    EXPECT_EQ(0u, fig.total + fig.used);

    // At the first read: silently to the program folder.
    l.FirstRead = true;
    EXPECT_GT(Read(root), 0);
    EXPECT_EQ(programFolder + "\\", l.CurrentDir);
    EXPECT_TRUE(prompts.texts.empty());

    // Later: told, and the old listing stays.
    TempTree t;
    t.File("kept.txt");
    const int before = Read(t.Path());
    EXPECT_EQ(-1, Read(root));
    EXPECT_EQ((std::vector<std::string>{"ERROR!|" + root + "*.*\rThis drive is not ready!"}), prompts.texts);
    EXPECT_EQ(1, prompts.beeps);
    EXPECT_EQ(t.Path(), l.CurrentDir);
    EXPECT_EQ(before, l.table.EntryCount);
    EXPECT_NE(nullptr, Row("kept.txt"));
}

TEST(DriveKinds, TheTableTellsCdromAndFixedDrives) {
    const char root[4] = {MappedDrive("CDROM"), ':', '\\', '\0'};
    EXPECT_EQ('C', DriveTypeLetter(GetDriveTypeA(root)));
    EXPECT_EQ('H', DriveTypeLetter(GetDriveTypeA("C:\\")));
}
