// The pager's reading of real files: one held by another program, one cut
// short while it is shown.
#include <gtest/gtest.h>

#include "pager/pager_window_win32.h"
#include "support.h"

using namespace qrn;
using namespace qrntest;

// Not opened while another program holds it without sharing; once let go, opened at its whole size.
TEST(PagerFile, AHeldFileIsNotOpenedAndOneCutShortWhileShownEndsWhereItsBytesDo) {
    TempTree tree;
    std::string text;
    for (int i = 0; i < 30000; ++i) text += "line " + std::to_string(i) + "\r\n";
    tree.File("cut.txt", text);
    const std::string path = tree / "cut.txt";
    HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    std::uint64_t size = 0;
    EXPECT_EQ(nullptr, OpenPagerFile(path.c_str(), size));
    CloseHandle(held);
    auto source = OpenPagerFile(path.c_str(), size);
    ASSERT_NE(nullptr, source);
    EXPECT_EQ(text.size(), size);
    TextWindow window(*source, size);
    LineIndex index(window);
    const PageGeometry g{20, 70, 8};
    ASSERT_EQ(20, BuildPage(index, 0, g).answer);  // the first page, read while whole
    // Another program cuts it to its first 20000 lines, beyond the block read so far.
    HANDLE w = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    SetFilePointer(w, static_cast<LONG>(text.find("line 20000\r")), nullptr, FILE_BEGIN);
    ASSERT_TRUE(SetEndOfFile(w));
    CloseHandle(w);
    EXPECT_EQ(20000u, index.LineCount());
    EXPECT_EQ(-1, BuildPage(index, 25000, g).answer);
    const Page last = BuildPage(index, LastPageTop(index, g), g);
    ASSERT_FALSE(last.lines.empty());
    EXPECT_EQ("line 19999", last.lines.back());
}
