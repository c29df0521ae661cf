// The pager's reading of real files: one held by another program, one cut
// short while it is shown.
#include <gtest/gtest.h>

#include "pager/pager_window_win32.h"
#include "support.h"

using namespace qrn;
using namespace qrntest;

TEST(PagerFile, AFileHeldWithoutSharingIsNotOpened) {
    TempTree tree;
    tree.File("held.txt", "a\nb\n");
    HANDLE held = CreateFileA((tree / "held.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    std::uint64_t size = 7;
    EXPECT_EQ(nullptr, OpenPagerFile((tree / "held.txt").c_str(), size));
    CloseHandle(held);
    EXPECT_NE(nullptr, OpenPagerFile((tree / "held.txt").c_str(), size));
    EXPECT_EQ(4u, size);
}

TEST(PagerFile, AFileCutShortWhileShownEndsWhereItsBytesDo) {
    TempTree tree;
    std::string text;
    for (int i = 0; i < 30000; ++i) text += "line " + std::to_string(i) + "\r\n";
    tree.File("cut.txt", text);
    std::uint64_t size = 0;
    auto source = OpenPagerFile((tree / "cut.txt").c_str(), size);
    ASSERT_NE(nullptr, source);
    TextWindow window(*source, size);
    LineIndex index(window);
    const PageGeometry g{20, 70, 8};
    ASSERT_EQ(20, BuildPage(index, 0, g).answer);  // the first page, read while whole
    // Another program cuts it to its first 20000 lines, beyond the block read so far.
    HANDLE w = CreateFileA((tree / "cut.txt").c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, w);
    SetFilePointer(w, static_cast<LONG>(text.find("line 20000\r")), nullptr, FILE_BEGIN);
    ASSERT_TRUE(SetEndOfFile(w));
    CloseHandle(w);
    EXPECT_EQ(20000u, index.LineCount());
    EXPECT_EQ(-1, BuildPage(index, 25000, g).answer);
    const Page last = BuildPage(index, LastPageTop(index, g), g);
    ASSERT_FALSE(last.lines.empty());
    EXPECT_EQ("line 19999", last.lines.back());
}
