// QRN's own TAR32 on real files: never out of the target through a link
// there, and an old file stays until its replacement is whole.
#include <gtest/gtest.h>

#include <fstream>

#include "archivers/archive_files_win32.h"
#include "archivers/tar32.h"
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
    WIN32_FIND_DATAA d;
    HANDLE h = FindFirstFileA((dst / "*.tmp").c_str(), &d);
    EXPECT_EQ(INVALID_HANDLE_VALUE, h);
    if (h != INVALID_HANDLE_VALUE) FindClose(h);
    EXPECT_EQ(0, qrn::RunTarLine(f, ("xvf \"" + arc / "keep.tar\" -o \"" + dst.Path()).c_str()));
    EXPECT_EQ(std::string(3000, 'n'), Slurp(dst / "keep.txt"));
}
