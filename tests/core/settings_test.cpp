#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "base/settings.h"
#include "fake_profile.h"

using namespace qrn;
using qrn::test::FakeProfile;

namespace {

class FakeDrives : public SettingsPlatform {
public:
    std::vector<std::string> madeCurrent;
    std::map<char, std::string> current;
    bool MakeCurrentDirectory(const char* dir) override {
        madeCurrent.push_back(dir);
        return true;
    }
    bool DriveCurrentDirectory(char letter, char* out, std::size_t size) override {
        auto it = current.find(letter);
        std::snprintf(out, size, "%s", it == current.end() ? (std::string(1, letter) + ":\\").c_str()
                                                           : it->second.c_str());
        return true;
    }
};

struct SettingsTest : ::testing::Test {
    Settings s;
    FakeDrives drives;
    char types[26];
    void SetUp() override {
        DefaultSettings(s);
        for (char& t : types) t = 1;  // no such drive
        types['A' - 'A'] = 'F';
        types['C' - 'A'] = 'H';
        types['D' - 'A'] = 'C';
        types['E' - 'A'] = 'N';
    }
    void Load(FakeProfile& ini, bool full = true) { LoadSettings(s, ini, full, "C:\\QRN", types, drives); }
};

}  // namespace

TEST_F(SettingsTest, EveryKeyOnceAndAnEmptyFileGivesTheDefaults) {
    std::set<std::string> seen;
    for (int k = 0; k < static_cast<int>(IniKey::Count); ++k) {
        const KeyInfo& info = KeyOf(static_cast<IniKey>(k));
        EXPECT_TRUE(seen.insert(std::string(info.section) + "/" + info.name).second) << info.name;
    }
    EXPECT_EQ("Upper_Col_B", std::string(KeyOf(ColorKey(kUpper, 2)).name));

    Settings defaults;
    DefaultSettings(defaults);
    std::memset(&s, 0x5A, sizeof s);
    FakeProfile ini;
    Load(ini);
    for (int k = 0; k < static_cast<int>(IniKey::Count); ++k) {
        const KeyInfo& info = KeyOf(static_cast<IniKey>(k));
        const char* a = reinterpret_cast<const char*>(&defaults) + info.offset;
        const char* b = reinterpret_cast<const char*>(&s) + info.offset;
        if (info.type == KeyType::Int)
            EXPECT_EQ(*reinterpret_cast<const int*>(a), *reinterpret_cast<const int*>(b)) << info.name;
        else if (k != static_cast<int>(IniKey::GetPath))
            EXPECT_STREQ(a, b) << info.name;
    }
    EXPECT_STREQ("C:\\QRN\\", s.StartDir);  // an empty GetPath starts in the program folder
    // Spot checks of what users see first.
    EXPECT_STREQ("notepad.exe", s.Editor);
    EXPECT_EQ(-1, s.DisplayMode);
    EXPECT_EQ(30, s.ToolbarHeight);
    EXPECT_EQ(192, s.Colors[kHidn].g);
    EXPECT_STREQ("*.*", s.StartMask);
}

TEST_F(SettingsTest, DerivedValues) {
    struct Case {
        const char* ini;
        int DisplayMode, ToolbarHeight, FileDispSize, ExpDispSize, UpdateFilter, DirRed;
    };
    const Case cases[] = {
        {"Disp_Mode=3\nToolBar=0\nFileDispSize=5\nUpdateSig=1\n[Color]\nDir_Col_R=10\n", 2, 0, 12, 3, 31, 10},
        {"Disp_Mode=0\nFileDispSize=0\nUpdateSig=-1\nFileDispSize=40\n", -1, 30, 0, 3, 3, 0},
        {"Disp_Mode=-40\nToolBar=7\nFileDispSize=-7\nExpDispSize=99999999999\n[Color]\nDir_Col_R=-5\n",
         -1, 30, 12, 255, 3, 0},
        {"FileDispSize=999\nExpDispSize=-3\n[Color]\nDir_Col_R=99999\n", -1, 30, 255, 0, 3, 255},
    };
    for (const Case& c : cases) {
        FakeProfile ini(std::string("[QRNInit]\n") + c.ini);
        DefaultSettings(s);
        Load(ini);
        SCOPED_TRACE(c.ini);
        EXPECT_EQ(c.DisplayMode, s.DisplayMode);
        EXPECT_EQ(c.ToolbarHeight, s.ToolbarHeight);
        EXPECT_EQ(c.FileDispSize, s.FileDispSize);  // the first of two duplicated keys holds
        EXPECT_LE(s.ExpDispSize, 255);
        EXPECT_EQ(c.ExpDispSize, s.ExpDispSize);
        EXPECT_EQ(c.UpdateFilter, s.UpdateFilter);
        EXPECT_EQ(c.DirRed, s.Colors[kDir].r);
    }
}

TEST_F(SettingsTest, GarbageOverlongTextAndDanglingLeadBytes) {
    // 63 ASCII bytes then "ソ": the 64-byte font buffer cannot take the trail byte.
    FakeProfile ini("garbage line without equals\n=novalue\n[QRNInit]\nFont=" +
                    std::string(63, 'a') + "ソ\nMask=12345678901234ソ\nEditor=" + std::string(300, 'e') +
                    "\n[SET_DIR]\nSET2=" + std::string(400, 's') + "\n");
    Load(ini);
    EXPECT_EQ(std::string(63, 'a'), s.Font);
    EXPECT_STREQ("12345678901234", s.StartMask);
    EXPECT_EQ(127u, std::strlen(s.Editor));
    EXPECT_EQ(kPathSize - 1, std::strlen(s.SetDir[1]));
}

TEST_F(SettingsTest, StartDirectoryGetsABackslash) {
    const struct {
        std::string path, expected;
    } cases[] = {
        {"D:\\data\\ソ", "D:\\data\\ソ\\"},
        {"C:\\" + std::string(200, 'p'), "C:\\" + std::string(200, 'p') + "\\"},  // longer than 127 bytes, whole
        {"C:\\" + std::string(256, 'p'), "C:\\QRN\\"},  // no room for the backslash: the program folder
    };
    for (const auto& c : cases) {
        FakeProfile ini("[QRNInit]\nGetPath=" + c.path + "\n");
        Load(ini);
        EXPECT_EQ(c.expected, s.StartDir);
    }
}

TEST_F(SettingsTest, PartialLoadLeavesStartGroupsAlone) {
    FakeProfile ini("[QRNInit]\nGetPath=D:\\x\\\nMask=*.c\nFontSize=20\nActiveCheck=0\n[PKUPK_CMD]\nLZH_PACK=zz\n"
                    "[QRN_CurDir]\nC:=C:\\deep\\\n[SET_DIR]\nSET1=C:\\one\n");
    std::strcpy(s.StartDir, "C:\\keep\\");
    Load(ini, false);
    EXPECT_EQ(20, s.FontSize);
    EXPECT_STREQ("C:\\one", s.SetDir[0]);
    EXPECT_STREQ("C:\\keep\\", s.StartDir);
    EXPECT_STREQ("*.*", s.StartMask);
    EXPECT_STREQ("a -a1 -d1", s.LzhPack);
    EXPECT_EQ(1, s.ActiveCheck);
    EXPECT_TRUE(drives.madeCurrent.empty());
}

TEST_F(SettingsTest, PerDriveDirectoriesAreRestoredOnlyWhereAllowed) {
    const std::string dirs =
        "[QRN_CurDir]\nA:=A:\\floppy\\\nC:=C:\\work\\\nD:=D:\\cdrom\\\nE:=E:\\\nF:=F:\\x\\\n";
    FakeProfile ini(dirs);
    Load(ini);
    // A: removable and D: CD-ROM never; E: only "E:\" (3 characters); F: has no drive but is tried.
    EXPECT_EQ((std::vector<std::string>{"C:\\work\\", "F:\\x\\"}), drives.madeCurrent);
    drives.madeCurrent.clear();
    FakeProfile off("[QRNInit]\nActiveCheck=0\n" + dirs);
    Load(off);
    EXPECT_TRUE(drives.madeCurrent.empty());
}

TEST_F(SettingsTest, SaveOnExitNormalMaximisedMinimised) {
    FakeProfile ini;
    s.TwoColumnSwitch = 1;
    drives.current['C'] = "C:\\work";
    drives.current['E'] = "E:\\share\\";
    SaveOnExit(s, "*.txt", ini, {false, false, 10, 20, 640, 480}, types, drives);
    EXPECT_EQ("*.txt", *ini.Find("QRNInit", "Mask"));
    EXPECT_EQ("1", *ini.Find("QRNInit", "2LETU_MODE"));
    EXPECT_EQ("0", *ini.Find("QRNInit", "WinSizeIsMax"));
    EXPECT_EQ("10", *ini.Find("QRNInit", "init_x_pos"));
    EXPECT_EQ("20", *ini.Find("QRNInit", "init_y_pos"));
    EXPECT_EQ("640", *ini.Find("QRNInit", "init_x_siz"));
    EXPECT_EQ("480", *ini.Find("QRNInit", "init_y_siz"));
    EXPECT_EQ("C:\\work\\", *ini.Find("QRN_CurDir", "C:"));
    EXPECT_EQ("E:\\share\\", *ini.Find("QRN_CurDir", "E:"));
    for (const char* none : {"A:", "D:", "B:"}) EXPECT_FALSE(ini.Has("QRN_CurDir", none)) << none;

    SaveOnExit(s, "*.txt", ini, {true, false, -4, -4, 2000, 2000}, types, drives);
    EXPECT_EQ("1", *ini.Find("QRNInit", "WinSizeIsMax"));
    EXPECT_EQ("640", *ini.Find("QRNInit", "init_x_siz"));  // the normal size is kept

    SaveOnExit(s, "*.txt", ini, {false, true, -32000, -32000, 160, 24}, types, drives);
    EXPECT_EQ("0", *ini.Find("QRNInit", "WinSizeIsMax"));
    EXPECT_EQ("480", *ini.Find("QRNInit", "init_y_siz"));

    // What is saved is read back as it was.
    FakeProfile back("[QRNInit]\nWinSizeIsMax=1\n");
    SaveSortDefaults(Settings{kSortAutoOn, kSortDescending, kSortBySize}, back);
    Load(back);
    EXPECT_EQ(1, s.WinSizeIsMax);
    EXPECT_EQ(kSortAutoOn, s.SortAuto);
    EXPECT_EQ(kSortDescending, s.SortOrder);
    EXPECT_EQ(kSortBySize, s.SortKey);
}

TEST_F(SettingsTest, StartDirectoryIsSavedOnlyWhenSet) {
    FakeProfile ini;
    SaveStartDirectory("", ini);
    EXPECT_FALSE(ini.Has("QRNInit", "GetPath"));
    SaveStartDirectory("C:\\ソ\\", ini);
    EXPECT_EQ("C:\\ソ\\", *ini.Find("QRNInit", "GetPath"));
}
