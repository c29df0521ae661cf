// The system calls behind opening and executing, against real files.
#include <gtest/gtest.h>

#include <cstring>

#include "launch/launch_win32.h"
#include "support.h"

using namespace qrntest;

namespace {

struct LaunchTest : ::testing::Test {
    void SetUp() override { SetEnvironmentVariableA("QRN_DOUBLE_LOG", log.c_str()); }
    void TearDown() override { SetEnvironmentVariableA("QRN_DOUBLE_LOG", nullptr); }
    TempTree tree;
    std::string log = tree / "args.log";
    qrn::Win32LaunchPlatform platform{nullptr};
};

// An association of the test's own in the classes of the registry.
void SetClass(const char* key, const std::string& value) {
    HKEY k;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CLASSES_ROOT, key, 0, nullptr, 0, KEY_WRITE, nullptr, &k, nullptr));
    RegSetValueExA(k, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
    RegCloseKey(k);
}

}  // namespace

TEST_F(LaunchTest, RunStartsTheCommandLineByteForByte) {
    const std::string line = DoublePath("logargs.exe") + " \"a b.txt\" %F \x83\x5C";
    EXPECT_TRUE(platform.Run(line.c_str()));
    WaitForProgram("logargs.exe");
    EXPECT_EQ(line + "\n", Slurp(log));
    EXPECT_FALSE(platform.Run((tree / "missing.exe").c_str()));
    EXPECT_FALSE(platform.Run(""));
}

TEST_F(LaunchTest, ShortPathsOfRealFiles) {
    tree.File("a long file name.text");
    char out[MAX_PATH], tiny[4];
    ASSERT_TRUE(qrn::Win32ShortPath((tree / "a long file name.text").c_str(), out, sizeof out));
    EXPECT_EQ(nullptr, std::strchr(out, ' ')) << out;
    EXPECT_TRUE(Exists(out)) << out;
    EXPECT_FALSE(qrn::Win32ShortPath((tree / "vanished.txt").c_str(), out, sizeof out));
    EXPECT_FALSE(qrn::Win32ShortPath((tree / "a long file name.text").c_str(), tiny, sizeof tiny));
}

TEST_F(LaunchTest, WhatTheSystemKnowsForAFile) {
    ASSERT_TRUE(WriteProfileStringA("Extensions", "qrt", "qrtview.exe ^.qrt"));
    char out[256];
    platform.SystemExtension("qrt", out, sizeof out);
    EXPECT_STREQ("qrtview.exe ^.qrt", out);
    WriteProfileStringA("Extensions", "qrt", nullptr);
    platform.SystemExtension("qrt", out, sizeof out);
    EXPECT_STREQ("", out);

    SetClass(".qrnt", "qrntfile");
    SetClass("qrntfile\\shell\\open\\command", DoublePath("logargs.exe") + " \"%1\"");
    tree.File("note.qrnt");
    tree.File("data.qrnunknown");
    SetCurrentDirectoryA(tree.Path().c_str());  // names are looked up in the listed directory
    const bool known = platform.FindProgramFor("note.qrnt", out, sizeof out);
    const std::string found = out;
    const bool unknown = platform.FindProgramFor("data.qrnunknown", out, sizeof out);
    for (const char* key : {"qrntfile\\shell\\open\\command", "qrntfile\\shell\\open", "qrntfile\\shell", "qrntfile",
                            ".qrnt"})
        RegDeleteKeyA(HKEY_CLASSES_ROOT, key);
    EXPECT_TRUE(known);
    EXPECT_NE(std::string::npos, found.find("logargs.exe")) << found;
    EXPECT_FALSE(unknown);
}
