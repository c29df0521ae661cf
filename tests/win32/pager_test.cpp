// The pager's reading of a real file cut short by another program while it is shown.
#include <gtest/gtest.h>

#include "pager/pager_window_win32.h"
#include "support.h"

using namespace qrn;
using namespace qrntest;

TEST(PagerFile, AFileCutShortWhileShownEndsWhereItsBytesDo) {
    TempTree tree;
    std::string text;
    for (int i = 0; i < 30000; ++i) text += "line " + std::to_string(i) + "\r\n";
    tree.File("cut.txt", text);
    const std::string path = tree / "cut.txt";
    std::uint64_t size = 0;
    auto source = OpenPagerFile(path.c_str(), size);
    ASSERT_NE(nullptr, source);
    EXPECT_EQ(text.size(), size);
    TextWindow window(*source, size);
    LineIndex index(window);
    ASSERT_EQ(20, BuildPage(index, 0, PageGeometry{20, 70, 8}).answer);  // the first page, read while whole
    // Another program cuts it to its first 20000 lines, beyond the block read so far.
    HANDLE w = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    SetFilePointer(w, static_cast<LONG>(text.find("line 20000\r")), nullptr, FILE_BEGIN);
    ASSERT_TRUE(SetEndOfFile(w));
    CloseHandle(w);
    EXPECT_EQ(20000u, index.LineCount());
}
