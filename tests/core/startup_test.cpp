#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "base/startup.h"

using namespace qrn;

namespace {
std::string Switch(const char* cmd, const char* sw, int expect = 1) {
    char out[kPathSize];
    EXPECT_EQ(expect, FindSwitch(cmd, sw, out, sizeof out)) << cmd;
    return out;
}
}  // namespace

TEST(FindSwitch, ValuesQuotesAndLastOccurrence) {
    EXPECT_EQ("*.txt", Switch("/m*.txt", "/m"));
    EXPECT_EQ("*.c", Switch("C:\\work /m*.c", "/m"));
    EXPECT_EQ("*.c x y", Switch("/m*.c x y", "/m"));        // unquoted: to the end, blanks included
    EXPECT_EQ("my docs*.txt", Switch("/m\"my docs*.txt\" tail", "/m"));  // quoted: ends at the quote
    EXPECT_EQ("b", Switch("/ma /mb", "/m"));                 // the later one wins
    EXPECT_EQ("", Switch("\"/m*.txt\"", "/m", 0));           // inside quotes it is no switch
    EXPECT_EQ("", Switch("nothing here", "/m", 0));
    EXPECT_EQ("C:\\a b\\qrn.exe", Switch("/@f\"C:\\a b\\qrn.exe\" /@t\"D:\\q.exe\" /@m2", "/@f"));
    EXPECT_EQ("D:\\q.exe", Switch("/@f\"C:\\a b\\qrn.exe\" /@t\"D:\\q.exe\" /@m2", "/@t"));
    EXPECT_EQ("2", Switch("/@f\"C:\\a b\\qrn.exe\" /@t\"D:\\q.exe\" /@m2", "/@m"));
}

TEST(FindSwitch, DoubleByteTrailIsCopiedWithItsLead) {
    // The trail byte 0x5C of "ソ" must not end or split the value.
    EXPECT_EQ("ソ*.txt", Switch("/mソ*.txt", "/m"));
    // A trail byte equal to '/' (0x2F) does not start a switch: 0x81 0x2F then 'm'.
    EXPECT_EQ("x\x81/mz", Switch("/mx\x81/mz", "/m"));
}

TEST(FindSwitch, OverlongValueFailsCleanly) {
    std::string cmd = "/@f" + std::string(400, 'a');
    char out[kPathSize];
    out[0] = 'z';
    EXPECT_EQ(-1, FindSwitch(cmd.c_str(), "/@f", out, sizeof out));
    EXPECT_STREQ("", out);
    char tiny[4];
    EXPECT_EQ(1, FindSwitch("/mabc", "/m", tiny, sizeof tiny));
    EXPECT_EQ(-1, FindSwitch("/mabcd", "/m", tiny, sizeof tiny));
}

TEST(CommandLine, Kinds) {
    CommandLine c;
    ParseCommandLine("", c);
    EXPECT_EQ(StartKind::Default, c.kind);
    ParseCommandLine("   ", c);
    EXPECT_EQ(StartKind::Default, c.kind);
    ParseCommandLine("/m*.txt", c);
    EXPECT_EQ(StartKind::Mask, c.kind);
    EXPECT_STREQ("*.txt", c.mask);
    ParseCommandLine("C:\\work /m*.c", c);
    EXPECT_EQ(StartKind::Mask, c.kind);
    EXPECT_STREQ("*.c", c.mask);
    ParseCommandLine("/m*.verylongextension;*.another", c);
    EXPECT_EQ(StartKind::Mask, c.kind);
    EXPECT_EQ(15u, std::strlen(c.mask));  // FileMask holds 15 characters
    ParseCommandLine("C:\\work", c);
    EXPECT_EQ(StartKind::Directory, c.kind);
    EXPECT_STREQ("C:\\work", c.directory);
    ParseCommandLine("\"C:\\Program Files\"", c);
    EXPECT_STREQ("C:\\Program Files", c.directory);
    ParseCommandLine("\"C:\\unbalanced", c);
    EXPECT_EQ(StartKind::Directory, c.kind);
    EXPECT_STREQ("C:\\unbalanced", c.directory);
    ParseCommandLine(("C:\\" + std::string(300, 'x')).c_str(), c);
    EXPECT_EQ(StartKind::Default, c.kind);
    ParseCommandLine("/@f\"a.exe\" /@t\"b.exe\" /@m2", c);
    EXPECT_EQ(StartKind::Update, c.kind);
    EXPECT_STREQ("a.exe", c.source);
    EXPECT_STREQ("b.exe", c.target);
    EXPECT_EQ(2, c.mode);
    ParseCommandLine("/x", c);  // an update request with empty paths
    EXPECT_EQ(StartKind::Update, c.kind);
    EXPECT_STREQ("", c.source);
    EXPECT_EQ(0, c.mode);
}

namespace {
bool IdentityFull(const char* p, char* out, std::size_t size) {
    std::snprintf(out, size, "%s", p);
    return true;
}
bool RootFull(const char* p, char* out, std::size_t size) {  // "C:" stands for "C:\"
    std::snprintf(out, size, "%s%s", p, std::strlen(p) == 2 ? "\\" : "");
    return true;
}
}  // namespace

TEST(Paths, EnsureTrailingBackslash) {
    char p[kPathSize] = "C:\\work";
    EXPECT_TRUE(EnsureTrailingBackslash(p, sizeof p, true, IdentityFull));
    EXPECT_STREQ("C:\\work\\", p);
    std::strcpy(p, "C:\\");
    EnsureTrailingBackslash(p, sizeof p, true, IdentityFull);
    EXPECT_STREQ("C:\\", p);
    std::strcpy(p, "C:");  // its full form ends in a backslash: left as it is
    EnsureTrailingBackslash(p, sizeof p, true, RootFull);
    EXPECT_STREQ("C:", p);
    std::strcpy(p, "C:\\ソ");
    EnsureTrailingBackslash(p, sizeof p, true, IdentityFull);
    EXPECT_STREQ("C:\\ソ\\", p);
    std::strcpy(p, "C:\\work");
    EnsureTrailingBackslash(p, sizeof p, false, IdentityFull);
    EXPECT_STREQ("C:\\work", p);
}

TEST(Paths, SplitShellAndProgramPaths) {
    char folder[kPathSize], name[kPathSize];
    SplitPath("C:\\a\\ソ\\b.txt", folder, sizeof folder, name, sizeof name);
    EXPECT_STREQ("C:\\a\\ソ", folder);
    EXPECT_STREQ("b.txt", name);
    char shell[kPathSize];
    BuildShellPath(true, "C:\\WINDOWS\\system32", shell, sizeof shell);
    EXPECT_STREQ("C:\\WINDOWS\\system32\\cmd.exe", shell);
    BuildShellPath(false, "C:\\WINDOWS\\", shell, sizeof shell);
    EXPECT_STREQ("C:\\WINDOWS\\command.com", shell);
    static Startup s;
    ASSERT_TRUE(BuildProgramPaths("C:\\ソフト\\qrn.exe", s));
    EXPECT_STREQ("C:\\ソフト", s.ProgramFolder);
    EXPECT_STREQ("C:\\ソフト\\qrn.ini", s.IniPath);
    EXPECT_STREQ("C:\\ソフト\\qrn.hlp", s.HelpPath);
    EXPECT_FALSE(BuildProgramPaths(("C:\\" + std::string(255, 'd') + "\\qrn.exe").c_str(), s));
}

TEST(Paths, DriveTypeLetters) {
    EXPECT_EQ('F', DriveTypeLetter(2));
    EXPECT_EQ('H', DriveTypeLetter(3));
    EXPECT_EQ('N', DriveTypeLetter(4));
    EXPECT_EQ('C', DriveTypeLetter(5));
    EXPECT_EQ('R', DriveTypeLetter(6));
    EXPECT_EQ(1, DriveTypeLetter(1));
    EXPECT_EQ(0, DriveTypeLetter(0));
}

TEST(Window, StoredGeometryIsKeptUsable) {
    int x = 0, y = 0, w = 600, h = 350;
    FitWindowToScreen(x, y, w, h, 0, 0, 1024, 768);
    EXPECT_EQ(600, w);
    x = 99999, y = -99999;
    FitWindowToScreen(x, y, w, h, 0, 0, 1024, 768);
    EXPECT_EQ(0, x);
    EXPECT_EQ(0, y);
    w = -5, h = 2147483647;
    FitWindowToScreen(x, y, w, h, 0, 0, 1024, 768);
    EXPECT_EQ(600, w);
    EXPECT_EQ(350, h);
    x = 2147483000, y = 10, w = 600, h = 350;  // no overflow on the right edge
    FitWindowToScreen(x, y, w, h, 0, 0, 1024, 768);
    EXPECT_EQ(0, x);
}

TEST(Update, Texts) {
    char out[64];
    FormatUpdateFailure(32, "a.exe", "b.exe", out, sizeof out);
    EXPECT_STREQ("32:a.exe,b.exe", out);
    PendingUpdateRecord u{};
    std::strcpy(u.source, "C:\\n\\qrn.exe");
    std::strcpy(u.target, "C:\\q\\qrn.exe");
    u.mode = 2;
    char cmd[kPathSize * 3 + 32];
    ASSERT_TRUE(FormatUpdateCommand(u, cmd, sizeof cmd));
    EXPECT_STREQ("C:\\n\\qrn.exe /@f\"C:\\n\\qrn.exe\" /@t\"C:\\q\\qrn.exe\" /@m2", cmd);
    char small[8];
    EXPECT_FALSE(FormatUpdateCommand(u, small, sizeof small));
    // What the new copy reads back from that line.
    CommandLine c;
    ParseCommandLine(std::strchr(cmd, ' ') + 1, c);
    EXPECT_STREQ(u.source, c.source);
    EXPECT_STREQ(u.target, c.target);
    EXPECT_EQ(2, c.mode);
}
