// The system calls behind opening and executing, against real files.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "launch/launch_win32.h"
#include "temp_tree.h"

namespace {

std::string ReadAll(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

// A started program is given the command line byte for byte; the log is
// written once the program has run, so wait for it a while.
std::string WaitForLog(const std::string& path) {
    for (int i = 0; i < 100; ++i) {
        std::string text = ReadAll(path);
        if (!text.empty()) return text;
        Sleep(100);
    }
    return "";
}

struct LaunchPlatformTest : ::testing::Test {
    qrntest::TempTree tree;
    qrn::Win32LaunchPlatform platform;
    std::string log = tree / "args.log";
    void SetUp() override { SetEnvironmentVariableA("QRN_DOUBLE_LOG", log.c_str()); }
    void TearDown() override { SetEnvironmentVariableA("QRN_DOUBLE_LOG", nullptr); }
};

TEST_F(LaunchPlatformTest, RunStartsTheCommandLineAsGiven) {
    const std::string exe = qrntest::TestProgramFolder() + "\\..\\doubles\\logargs.exe";
    const std::string line = exe + " \"a b.txt\" %F \x83\x5C";
    EXPECT_TRUE(platform.Run(line.c_str()));
    EXPECT_EQ(WaitForLog(log), line + "\n");
    EXPECT_FALSE(platform.Run((tree / "missing.exe").c_str()));
    EXPECT_FALSE(platform.Run(""));
}

TEST_F(LaunchPlatformTest, ShortPathsOfRealFiles) {
    tree.File("a long file name.text");
    char out[MAX_PATH];
    ASSERT_TRUE(qrn::Win32ShortPath((tree / "a long file name.text").c_str(), out, sizeof out));
    EXPECT_EQ(std::strchr(out, ' '), nullptr) << out;
    EXPECT_NE(std::strchr(out, '~'), nullptr) << out;
    EXPECT_FALSE(qrn::Win32ShortPath((tree / "vanished.txt").c_str(), out, sizeof out));
    char tiny[4];
    EXPECT_FALSE(qrn::Win32ShortPath((tree / "a long file name.text").c_str(), tiny, sizeof tiny));
}

TEST_F(LaunchPlatformTest, TheSystemProfilesExtensionsSection) {
    ASSERT_TRUE(WriteProfileStringA("Extensions", "qrt", "qrtview.exe ^.qrt"));
    char out[256];
    platform.SystemExtension("qrt", out, sizeof out);
    EXPECT_STREQ(out, "qrtview.exe ^.qrt");
    WriteProfileStringA("Extensions", "qrt", nullptr);
    platform.SystemExtension("qrt", out, sizeof out);
    EXPECT_STREQ(out, "");
}

// An association of the test's own, in the merged view of classes.
void SetClassValue(const char* key, const std::string& value) {
    HKEY k;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CLASSES_ROOT, key, 0, nullptr, 0, KEY_WRITE, nullptr, &k, nullptr), ERROR_SUCCESS);
    RegSetValueExA(k, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
    RegCloseKey(k);
}

TEST_F(LaunchPlatformTest, TheProgramAssociatedWithAFile) {
    const std::string exe = qrntest::TestProgramFolder() + "\\..\\doubles\\logargs.exe";
    SetClassValue(".qrnt", "qrntfile");
    SetClassValue("qrntfile\\shell\\open\\command", exe + " \"%1\"");
    tree.File("note.qrnt");
    tree.File("data.qrnunknown");
    char old[MAX_PATH];
    GetCurrentDirectoryA(sizeof old, old);
    SetCurrentDirectoryA(tree.Path().c_str());
    char out[256] = "";
    const bool known = platform.FindProgramFor("note.qrnt", out, sizeof out);
    const std::string found = out;
    const bool unknown = platform.FindProgramFor("data.qrnunknown", out, sizeof out);
    SetCurrentDirectoryA(old);
    RegDeleteKeyA(HKEY_CLASSES_ROOT, "qrntfile\\shell\\open\\command");
    RegDeleteKeyA(HKEY_CLASSES_ROOT, "qrntfile\\shell\\open");
    RegDeleteKeyA(HKEY_CLASSES_ROOT, "qrntfile\\shell");
    RegDeleteKeyA(HKEY_CLASSES_ROOT, "qrntfile");
    RegDeleteKeyA(HKEY_CLASSES_ROOT, ".qrnt");
    EXPECT_TRUE(known);
    EXPECT_NE(found.find("logargs.exe"), std::string::npos) << found;
    EXPECT_FALSE(unknown);
}

TEST_F(LaunchPlatformTest, TheSystemDirectory) {
    char out[MAX_PATH];
    ASSERT_TRUE(platform.SystemDirectory(out, sizeof out));
    EXPECT_EQ(GetFileAttributesA(out) & FILE_ATTRIBUTE_DIRECTORY, static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
}

}  // namespace
