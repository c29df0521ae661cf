// The file operations' path decisions and progress text.
#include <gtest/gtest.h>

#include <string>

#include "fileops/copy_engine.h"
#include "fileops/transfer.h"

using namespace qrn;

TEST(FileopsPaths, InsideADirectoryAndItsDirectoryPart) {
    // "ソ" is 0x83 0x5C: its trail byte is no separator.
    const struct { const char* tree; const char* target; bool inside; } rows[] = {
        {"C:\\a", "C:\\a", true}, {"C:\\a\\", "C:\\A", true}, {"C:\\a", "c:\\A\\b\\", true},
        {"C:\\a", "C:\\ab", false}, {"C:\\a\\b", "C:\\a", false}, {"C:\\", "C:\\x\\y", true},
        {"C:\\ソ", "C:\\ソ\\x", true}, {"C:\\ソ", "C:\\ソx", false}, {"C:\\\x83", "C:\\ソ", false},
        {"", "C:\\", false}};
    for (const auto& r : rows) EXPECT_EQ(r.inside, IsSameOrInside(r.tree, r.target)) << r.tree << " " << r.target;
    EXPECT_EQ("C:\\ソ\\", DirectoryPart("C:\\ソ\\f.txt"));
    EXPECT_EQ("C:\\", DirectoryPart("C:\\ソ"));
    EXPECT_EQ("", DirectoryPart("name"));
    // One drive: the letters, without case; a share is "one drive" too.
    const struct { const char* a; const char* b; bool same; } drives[] = {
        {"C:\\a", "c:\\b", true}, {"C:\\a", "D:\\a", false}, {"\\\\s\\x", "\\\\t\\y", true}, {"", "C:\\", false}};
    for (const auto& d : drives) EXPECT_EQ(d.same, SameDrive(d.a, d.b)) << d.a << " " << d.b;
}

TEST(FileopsPaths, ProgressTexts) {
    EXPECT_EQ("C:\\a.txt\r\n   v v v\r\nD:\\a.txt\r\n        FreeSpace        1,234,567 Bytes",
              ProgressText(1, 1234567, "C:\\a.txt", "D:\\a.txt"));
    EXPECT_EQ("\r\n\r\nDelete C:\\old", ProgressText(0, 99, "C:\\old", "unused"));
    // An unknown free space is all ones, written whole.
    EXPECT_NE(std::string::npos, ProgressText(1, ~0ull, "a", "b").find("18,446,744,073,709,551,615"));
}
