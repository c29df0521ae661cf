#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "app/settings.h"
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
    Listing& l = g_listing;
    FakeDrives drives;
    char types[26];
    void SetUp() override {
        DefaultSettings(s);
        ResetListing(l);
        for (char& t : types) t = 1;  // no such drive
        types['A' - 'A'] = 'F';
        types['C' - 'A'] = 'H';
        types['D' - 'A'] = 'C';
        types['E' - 'A'] = 'N';
    }
    void Load(FakeProfile& ini, bool full = true) { LoadSettings(s, ini, full, l, "C:\\QRN", types, drives); }
};

}  // namespace

TEST_F(SettingsTest, NoFileGivesEveryDefault) {
    FakeProfile ini;
    Load(ini);
    EXPECT_EQ(1, s.SortAuto);
    EXPECT_EQ(1, s.SortOrder);
    EXPECT_EQ(1, s.SortKey);
    EXPECT_EQ(1, s.SystemDisp);
    EXPECT_EQ(1, s.HiddenDisp);
    EXPECT_EQ(0, s.MenuMode);
    EXPECT_STREQ("notepad.exe", s.Editor);
    EXPECT_STREQ("", s.Pager);
    EXPECT_EQ(1, s.NameCase);
    EXPECT_EQ(-1, s.DisplayMode);
    EXPECT_EQ(0, s.WinX);
    EXPECT_EQ(0, s.WinY);
    EXPECT_EQ(600, s.WinW);
    EXPECT_EQ(350, s.WinH);
    EXPECT_EQ(30, s.ToolbarHeight);
    EXPECT_EQ(9, s.FontSize);
    EXPECT_STREQ("FixedSys", s.Font);
    EXPECT_EQ(128, s.FontCharSet);
    EXPECT_EQ(0, s.FileDispSize);
    EXPECT_EQ(3, s.ExpDispSize);
    EXPECT_EQ(1, s.EditLongName);
    EXPECT_EQ(0, s.ScrollMode);
    EXPECT_EQ(1, s.FolderDot);
    EXPECT_EQ(0, s.SaveMode);
    EXPECT_EQ(3, s.UpdateFilter);
    EXPECT_EQ(1, s.WinBannerMode);
    EXPECT_EQ(1, s.ActiveCheck);
    EXPECT_EQ(0, s.Colors[kBack].r);
    EXPECT_EQ(192, s.Colors[kHidn].g);
    EXPECT_EQ(255, s.Colors[kUpper].r);
    EXPECT_EQ(0, s.Colors[kUpper].b);
    EXPECT_STREQ("a -a1 -d1", s.LzhPack);
    EXPECT_STREQ("xvf", s.TarUnpack);
    EXPECT_STREQ("/q", s.IshUnpack);
    EXPECT_EQ(1, s.FileNameGet);
    EXPECT_STREQ("C:\\QRN\\", l.CurrentDir);
    EXPECT_STREQ("*.*", l.FileMask);
}

TEST_F(SettingsTest, DerivedValues) {
    FakeProfile ini(
        "[QRNInit]\nDisp_Mode=3\nToolBar=0\nFileDispSize=5\nUpdateSig=1\n"
        "[Color]\nDir_Col_R=10\nDir_Col_G=20\nDir_Col_B=30\n");
    Load(ini);
    EXPECT_EQ(2, s.DisplayMode);
    EXPECT_EQ(0, s.ToolbarHeight);
    EXPECT_EQ(12, s.FileDispSize);
    EXPECT_EQ(31, s.UpdateFilter);
    EXPECT_EQ(10, s.Colors[kDir].r);
    EXPECT_EQ(30, s.Colors[kDir].b);
    FakeProfile zero("[QRNInit]\nDisp_Mode=0\nFileDispSize=0\nUpdateSig=-1\nFileDispSize=40\n");
    Load(zero);
    EXPECT_EQ(-1, s.DisplayMode);
    EXPECT_EQ(0, s.FileDispSize);  // the first of two duplicated keys holds
    EXPECT_EQ(3, s.UpdateFilter);
}

TEST_F(SettingsTest, GarbageAndExtremesStillGiveUsableValues) {
    std::string longFont(500, 'F');
    FakeProfile ini("garbage line without equals\n=novalue\n[QRNInit\nFont=" + longFont +
                    "\n[QRNInit]\nFileDispSize=-7\nExpDispSize=99999999999\nDisp_Mode=-40\n"
                    "ToolBar=7\nEditor=" + std::string(300, 'e') + "\nMask=*.txtverylongmask\n"
                    "[Color]\nBack_Col_R=-5\nBack_Col_G=99999\n");
    Load(ini);
    EXPECT_LT(std::strlen(s.Font), sizeof s.Font);
    EXPECT_EQ(12, s.FileDispSize);
    EXPECT_LE(s.ExpDispSize, 255);
    EXPECT_EQ(-1, s.DisplayMode);
    EXPECT_EQ(30, s.ToolbarHeight);
    EXPECT_EQ(127u, std::strlen(s.Editor));
    EXPECT_EQ(15u, std::strlen(l.FileMask));
    EXPECT_EQ(0, s.Colors[kBack].r);
    EXPECT_EQ(255, s.Colors[kBack].g);
}

TEST_F(SettingsTest, CutStringsDropADanglingLeadByte) {
    // 63 ASCII bytes then "ソ": the 64-byte font buffer cannot take the trail byte.
    FakeProfile ini("[QRNInit]\nFont=" + std::string(63, 'a') + "ソ\nMask=12345678901234ソ\n");
    Load(ini);
    EXPECT_EQ(std::string(63, 'a'), s.Font);
    EXPECT_STREQ("12345678901234", l.FileMask);
}

TEST_F(SettingsTest, StartDirectoryGetsABackslash) {
    FakeProfile ini("[QRNInit]\nGetPath=D:\\data\\ソ\nMask=*.txt\n");
    Load(ini);
    EXPECT_STREQ("D:\\data\\ソ\\", l.CurrentDir);
    EXPECT_STREQ("*.txt", l.FileMask);
    FakeProfile longPath("[QRNInit]\nGetPath=C:\\" + std::string(200, 'p') + "\n");
    Load(longPath);
    EXPECT_EQ(204u, std::strlen(l.CurrentDir));  // longer than 127 bytes and kept whole
    FakeProfile full("[QRNInit]\nGetPath=C:\\" + std::string(256, 'p') + "\n");
    Load(full);
    EXPECT_STREQ("C:\\QRN\\", l.CurrentDir);  // no room for the backslash: program folder
}

TEST_F(SettingsTest, PartialLoadLeavesStartGroupsAlone) {
    FakeProfile ini("[QRNInit]\nGetPath=D:\\x\\\nMask=*.c\nFontSize=20\n[PKUPK_CMD]\nLZH_PACK=zz\n"
                    "[QRN_CurDir]\nC:=C:\\deep\\\n");
    std::strcpy(l.CurrentDir, "C:\\keep\\");
    Load(ini, false);
    EXPECT_EQ(20, s.FontSize);
    EXPECT_STREQ("C:\\keep\\", l.CurrentDir);
    EXPECT_STREQ("*.*", l.FileMask);
    EXPECT_STREQ("a -a1 -d1", s.LzhPack);
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
    EXPECT_EQ(0, s.ActiveCheck);
}

TEST_F(SettingsTest, SaveOnExitNormalMaximisedMinimised) {
    FakeProfile ini;
    std::strcpy(l.FileMask, "*.txt");
    s.TwoColumnSwitch = 1;
    drives.current['C'] = "C:\\work";
    drives.current['E'] = "E:\\share\\";
    SaveOnExit(s, l, ini, {false, false, 10, 20, 640, 480}, types, drives);
    EXPECT_EQ("*.txt", *ini.Find("QRNInit", "Mask"));
    EXPECT_EQ("1", *ini.Find("QRNInit", "2LETU_MODE"));
    EXPECT_EQ("0", *ini.Find("QRNInit", "WinSizeIsMax"));
    EXPECT_EQ("10", *ini.Find("QRNInit", "init_x_pos"));
    EXPECT_EQ("20", *ini.Find("QRNInit", "init_y_pos"));
    EXPECT_EQ("640", *ini.Find("QRNInit", "init_x_siz"));
    EXPECT_EQ("480", *ini.Find("QRNInit", "init_y_siz"));
    EXPECT_EQ("C:\\work\\", *ini.Find("QRN_CurDir", "C:"));
    EXPECT_EQ("E:\\share\\", *ini.Find("QRN_CurDir", "E:"));
    EXPECT_FALSE(ini.Has("QRN_CurDir", "A:"));  // removable
    EXPECT_FALSE(ini.Has("QRN_CurDir", "D:"));  // CD-ROM
    EXPECT_FALSE(ini.Has("QRN_CurDir", "B:"));  // no such drive

    SaveOnExit(s, l, ini, {true, false, -4, -4, 2000, 2000}, types, drives);
    EXPECT_EQ("1", *ini.Find("QRNInit", "WinSizeIsMax"));
    EXPECT_EQ("640", *ini.Find("QRNInit", "init_x_siz"));  // the normal size is kept

    SaveOnExit(s, l, ini, {false, true, -32000, -32000, 160, 24}, types, drives);
    EXPECT_EQ("0", *ini.Find("QRNInit", "WinSizeIsMax"));
    EXPECT_EQ("10", *ini.Find("QRNInit", "init_x_pos"));
    EXPECT_EQ("480", *ini.Find("QRNInit", "init_y_siz"));
}

TEST_F(SettingsTest, StartDirectoryIsSavedOnlyWhenSet) {
    FakeProfile ini;
    l.CurrentDir[0] = '\0';
    SaveStartDirectory(l, ini);
    EXPECT_FALSE(ini.Has("QRNInit", "GetPath"));
    std::strcpy(l.CurrentDir, "C:\\ソ\\");
    SaveStartDirectory(l, ini);
    EXPECT_EQ("C:\\ソ\\", *ini.Find("QRNInit", "GetPath"));
}
