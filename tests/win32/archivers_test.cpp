// QRN's own TAR32 and UNLHA32 on real files: never out of the target
// through a link there, an old file stays until its replacement is whole,
// and packing a tree neither follows a link back up nor takes in the
// archive being written.
#include <gtest/gtest.h>

#include <fstream>

#include "archivers/archive_files_win32.h"
#include "archivers/tar32.h"
#include "archivers/unlha32.h"
#include "support.h"

using namespace qrntest;

namespace {

struct TellingFiles : qrn::Win32ArchiveFiles {
    TellingFiles() : Win32ArchiveFiles(nullptr) {}
    std::vector<std::string> told;
    void Tell(const std::string& text) override { told.push_back(text); }
};

}  // namespace

TEST(OwnTar, NeverOutOfTheTargetAndOldFilesStayUntilReplaced) {
    TempTree src, dst, arc;
    src.Dir("out"), src.File("out\\evil.txt", "e"), src.File("keep.txt", std::string(3000, 'n'));
    dst.File("keep.txt", "old");
    {  // a time of its own, far from now
        HANDLE h = CreateFileA((src / "keep.txt").c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        const FILETIME y2001{0xD53E8000, 0x01C07385};
        SetFileTime(h, nullptr, nullptr, &y2001);
        CloseHandle(h);
    }
    TellingFiles f;
    char cwd[MAX_PATH];
    GetCurrentDirectoryA(sizeof cwd, cwd);
    SetCurrentDirectoryA(src.Path().c_str());
    EXPECT_EQ(0, qrn::RunTarLine(f, ("-cvf \"" + arc / "out.tar\" \"out\"").c_str()));
    EXPECT_EQ(0, qrn::RunTarLine(f, ("-cvf \"" + arc / "keep.tar\" \"keep.txt\"").c_str()));
    SetCurrentDirectoryA(cwd);
    // L:\tree\out is a link to L:\outside.
    const std::string links = MappedDrive("LINKS");
    EXPECT_EQ(1, qrn::RunTarLine(f, ("xvf \"" + arc / "out.tar\" -o \"" + links + "tree\\").c_str()));
    EXPECT_EQ(2u, f.told.size());
    EXPECT_FALSE(Exists(links + "outside\\evil.txt"));
    // Cut inside keep.txt's data: the old one stays, no temporary file is left.
    const std::string whole = Slurp(arc / "keep.tar");
    std::ofstream(arc / "cut.tar", std::ios::binary) << whole.substr(0, 1024);
    EXPECT_EQ(2, qrn::RunTarLine(f, ("xvf \"" + arc / "cut.tar\" -o \"" + dst.Path()).c_str()));
    EXPECT_EQ("old", Slurp(dst / "keep.txt"));
    TempTree fresh;  // where there was none, none is left either
    EXPECT_EQ(2, qrn::RunTarLine(f, ("xvf \"" + arc / "cut.tar\" -o \"" + fresh.Path()).c_str()));
    EXPECT_FALSE(Exists(fresh / "keep.txt"));
    WIN32_FIND_DATAA d;
    HANDLE h = FindFirstFileA((dst / "*.tmp").c_str(), &d);
    EXPECT_EQ(INVALID_HANDLE_VALUE, h);
    if (h != INVALID_HANDLE_VALUE) FindClose(h);
    EXPECT_EQ(0, qrn::RunTarLine(f, ("xvf \"" + arc / "keep.tar\" -o \"" + dst.Path()).c_str()));
    EXPECT_EQ(std::string(3000, 'n'), Slurp(dst / "keep.txt"));
    // With the time it had when it was packed (to the second, as TAR keeps it).
    auto seconds = [](const std::string& path) {
        WIN32_FILE_ATTRIBUTE_DATA a{};
        GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &a);
        return ((static_cast<ULONGLONG>(a.ftLastWriteTime.dwHighDateTime) << 32) | a.ftLastWriteTime.dwLowDateTime) / 10000000;
    };
    EXPECT_EQ(seconds(src / "keep.txt"), seconds(dst / "keep.txt"));
}

TEST(OwnLzh, PackedTreesStopAtLinksAndHoldNotThemselves) {
    TempTree arc, out, self;
    self.Dir("d"), self.File("d\\x.txt", std::string(5000, 'x'));
    TellingFiles f;
    char cwd[MAX_PATH];
    GetCurrentDirectoryA(sizeof cwd, cwd);
    // L:\tree\sub\up leads back to L:\tree, L:\tree\out out of it.
    SetCurrentDirectoryA(MappedDrive("LINKS").c_str());
    EXPECT_EQ(0, qrn::RunUnlhaLine(f, ("a -a1 \"" + arc / "t.lzh\" \"tree\"").c_str()));
    SetCurrentDirectoryA(self.Path().c_str());
    EXPECT_EQ(0, qrn::RunUnlhaLine(f, "a -a1 \"self\" \".\""));
    SetCurrentDirectoryA(cwd);
    EXPECT_EQ((std::vector<std::string>{"リンクなので中身は書庫に入れませんでした: tree\\out",
                                        "リンクなので中身は書庫に入れませんでした: tree\\sub\\up"}),
              f.told);
    EXPECT_EQ(0, qrn::RunUnlhaLine(f, ("x \"" + arc / "t.lzh\" \"" + out.Path() + "\"").c_str()));
    EXPECT_EQ(0, qrn::RunUnlhaLine(f, ("x \"" + self / "self.lzh\" \"" + out / "s\\\"").c_str()));
    EXPECT_EQ("a", Slurp(out / "tree\\a.txt"));
    EXPECT_TRUE(Exists(out / "tree\\sub\\up") && Exists(out / "tree\\out"));
    EXPECT_FALSE(Exists(out / "tree\\sub\\up\\a.txt") || Exists(out / "tree\\out\\keep.txt"));
    EXPECT_EQ(std::string(5000, 'x'), Slurp(out / "s\\d\\x.txt"));
    WIN32_FIND_DATAA d;
    HANDLE h = FindFirstFileA((out / "s\\*").c_str(), &d);
    int names = 0;
    for (BOOL more = h != INVALID_HANDLE_VALUE; more; more = FindNextFileA(h, &d)) ++names;  // ".", "..", "d"
    if (h != INVALID_HANDLE_VALUE) FindClose(h);
    EXPECT_EQ(3, names);
}
