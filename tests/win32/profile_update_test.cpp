// qrn.ini through the profile functions, and update mode.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "base/profile_win32.h"
#include "base/settings.h"
#include "app/update_win32.h"
#include "listing/dir_platform_win32.h"
#include "temp_tree.h"

using namespace qrn;
using qrntest::TempTree;

namespace {
std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}
bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }
}  // namespace

TEST(IniFile, ReadsAndWritesThroughTheProfileFunctions) {
    TempTree t;
    std::string ini = t / "qrn.ini";
    t.File("qrn.ini",
           "garbage line without equals\r\n[QRNInit]\r\nFontSize=-40\r\nMenuMode=99999999999\r\n"
           "Editor=" + std::string(400, 'e') + "\r\n[QRNInit]\r\nFontSize=14\r\n");
    IniFileProfile p(ini.c_str());
    EXPECT_EQ(-40, p.GetInt("QRNInit", "FontSize", 16));  // the first occurrence wins
    EXPECT_EQ(7, p.GetInt("QRNInit", "Missing", 7));
    char small[8];
    EXPECT_EQ(7u, p.GetString("QRNInit", "Editor", "", small, sizeof small));
    EXPECT_STREQ("eeeeeee", small);
    p.WriteString("QRN_CurDir", "C:", "C:\\\x83\x5c\\");
    char back[64];
    p.GetString("QRN_CurDir", "C:", "", back, sizeof back);
    EXPECT_STREQ("C:\\\x83\x5c\\", back);
    p.WriteInt("QRNInit", "init_x_pos", -12);
    EXPECT_EQ(-12, p.GetInt("QRNInit", "init_x_pos", 0));

    // The whole load copes with this file and gives usable values.
    Settings s;
    Listing l;
    ResetListing(l);
    char types[26] = {};
    Win32SettingsPlatform platform;
    LoadSettings(s, p, true, l, t.Path().substr(0, t.Path().size() - 1).c_str(), types, platform);
    EXPECT_EQ(-40, s.FontSize);  // a negative height asks for the character height
    EXPECT_LT(std::strlen(s.Editor), sizeof s.Editor);
    EXPECT_STREQ("*.*", l.FileMask);
}

TEST(IniFile, SaveOnExitWritesGeometryMaskAndFixedDrivesOnly) {
    TempTree t;
    t.Dir("work");
    std::string ini = t / "qrn.ini";
    IniFileProfile p(ini.c_str());
    Settings s;
    DefaultSettings(s);
    Listing l;
    ResetListing(l);
    std::strcpy(l.FileMask, "*.txt");
    Win32SettingsPlatform platform;
    ASSERT_TRUE(platform.MakeCurrentDirectory((t / "work").c_str()));
    char types[26] = {};
    const int c = t.Path()[0] - 'A';
    types[c] = 'H';
    char cd = qrntest::MappedDrive("CDROM");
    ASSERT_NE('\0', cd);
    types[cd - 'A'] = 'C';
    SaveOnExit(s, l, p, WindowPlacement{false, false, 10, 20, 640, 480}, types, platform);
    SetCurrentDirectoryA("C:\\");
    EXPECT_EQ(640, p.GetInt("QRNInit", "init_x_siz", 0));
    EXPECT_EQ(20, p.GetInt("QRNInit", "init_y_pos", 0));
    char v[MAX_PATH];
    p.GetString("QRNInit", "Mask", "", v, sizeof v);
    EXPECT_STREQ("*.txt", v);
    char key[3] = {t.Path()[0], ':', '\0'};
    p.GetString("QRN_CurDir", key, "", v, sizeof v);
    EXPECT_EQ(t / "work\\", v);
    char cdKey[3] = {cd, ':', '\0'};
    p.GetString("QRN_CurDir", cdKey, "none", v, sizeof v);
    EXPECT_STREQ("none", v);

    // Maximised: only the flag, the stored geometry stays.
    SaveOnExit(s, l, p, WindowPlacement{true, false, 0, 0, 9999, 9999}, types, platform);
    EXPECT_EQ(1, p.GetInt("QRNInit", "WinSizeIsMax", 0));
    EXPECT_EQ(640, p.GetInt("QRNInit", "init_x_siz", 0));
}

class UpdateTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string doubleExe = qrntest::TestProgramFolder() + "\\..\\doubles\\logargs.exe";
        ASSERT_TRUE(CopyFileA(doubleExe.c_str(), (t / "new.exe").c_str(), FALSE)) << doubleExe;
        t.File("old.exe", "old program");
        log = t / "started.log";
        SetEnvironmentVariableA("QRN_DOUBLE_LOG", log.c_str());
        std::strcpy(u.source, (t / "new.exe").c_str());
        std::strcpy(u.target, (t / "old.exe").c_str());
        u.mode = 1;
    }
    void TearDown() override { SetEnvironmentVariableA("QRN_DOUBLE_LOG", nullptr); }
    // The started program writes its log a moment later.
    std::string WaitForLog() {
        for (int i = 0; i < 100 && !Exists(log); ++i) Sleep(50);
        Sleep(100);
        return Slurp(log);
    }
    TempTree t;
    std::string log;
    PendingUpdateRecord u{};
    char failure[3 * kPathSize];
};

TEST_F(UpdateTest, CopiesOverTheTargetAndStartsIt) {
    ASSERT_TRUE(RunUpdate(u, failure, sizeof failure));
    EXPECT_FALSE(u.pending);
    EXPECT_EQ(Slurp(t / "new.exe"), Slurp(t / "old.exe"));
    EXPECT_TRUE(Exists(t / "new.exe"));  // mode 1 keeps the source
    EXPECT_NE(std::string::npos, WaitForLog().find("old.exe"));
}

TEST_F(UpdateTest, ModeTwoDeletesTheSource) {
    u.mode = 2;
    ASSERT_TRUE(RunUpdate(u, failure, sizeof failure));
    EXPECT_FALSE(Exists(t / "new.exe"));
    EXPECT_TRUE(Exists(t / "old.exe"));
    WaitForLog();
}

TEST_F(UpdateTest, WaitsWhileTheOldProgramStillHoldsItsFile) {
    HANDLE held = CreateFileA(u.target, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    std::thread release([held] {
        Sleep(400);
        CloseHandle(held);
    });
    UpdateTiming timing{20, 10000};
    bool ok = RunUpdate(u, failure, sizeof failure, timing);
    release.join();
    ASSERT_TRUE(ok) << failure;
    EXPECT_EQ(Slurp(t / "new.exe"), Slurp(t / "old.exe"));
    WaitForLog();
}

TEST_F(UpdateTest, GivesUpAfterItsBoundAndSaysWhy) {
    HANDLE held = CreateFileA(u.target, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    UpdateTiming timing{20, 200};
    EXPECT_FALSE(RunUpdate(u, failure, sizeof failure, timing));
    CloseHandle(held);
    EXPECT_TRUE(u.pending);
    EXPECT_EQ("32:" + std::string(u.source) + "," + u.target, failure);
    EXPECT_EQ("old program", Slurp(t / "old.exe"));
}

TEST_F(UpdateTest, RefusesAMissingSourceOrACopyOntoItself) {
    std::strcpy(u.source, (t / "absent.exe").c_str());
    EXPECT_FALSE(RunUpdate(u, failure, sizeof failure));
    EXPECT_EQ("2:" + std::string(u.source) + "," + u.target, failure);
    std::strcpy(u.source, u.target);
    EXPECT_FALSE(RunUpdate(u, failure, sizeof failure));
    EXPECT_EQ("old program", Slurp(t / "old.exe"));
    u.source[0] = u.target[0] = '\0';
    EXPECT_FALSE(RunUpdate(u, failure, sizeof failure));
    EXPECT_TRUE(u.pending);
}
