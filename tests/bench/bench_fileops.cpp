// The copy engine and DeleteTree against bare loops of the system's calls,
// in the same run (medians, the two taking turns):
//   a tree of 2000 files of 4 KiB in 20 directories: CopyEntry against a
//   CopyFileA loop, and the same tree copied by xcopy /e /i;
//   one file of 256 MiB: CopyEntry against CopyFileA;
//   the tree deleted: DeleteTree against a DeleteFileA/RemoveDirectoryA loop.
#include <windows.h>

#include "bench_clock.h"
#include "bench_files.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "base/prompts.h"
#include "fileops/copy_engine.h"
#include "fileops/file_system_win32.h"
#include "fileops/in_place.h"

using namespace qrn;

using namespace bench;

namespace {

constexpr int kDirs = 20, kFilesPerDir = 100, kFileSize = 4096;

}  // namespace

int main() {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    const std::string base = std::string(temp) + "qrn_bench_copy_" + std::to_string(GetCurrentProcessId()) + "\\";
    CreateDirectoryA(base.c_str(), nullptr);
    Silent silent;
    SetPrompts(&silent);
    FileSystem& fs = SystemFileSystem();
    MakeTree(base + "tree", kDirs, kFilesPerDir, kFileSize);

    std::vector<double> ours, bare, xcopy, deleteOurs, deleteBare;
    const int runs = 11;
    for (int r = 0; r < runs; ++r) {
        const std::string a = base + "a" + std::to_string(r) + "\\", b = base + "b" + std::to_string(r);
        CreateDirectoryA(a.c_str(), nullptr);
        for (int turn = 0; turn < 2; ++turn) {  // by turns first
            const double t = Now();
            if ((turn + r) % 2 == 0) {
                CopyJob job(fs, silent);
                CopyEntry(job, base, a, "tree", FILE_ATTRIBUTE_DIRECTORY, false, "");
                ours.push_back(Now() - t);
            } else {
                BareCopy(base + "tree", b);
                bare.push_back(Now() - t);
            }
        }
        double t;
        if (r < 5) {
            t = Now();
            RunAndWait("xcopy \"" + base + "tree\" \"" + base + "x" + std::to_string(r) + "\" /e /i /q");
            xcopy.push_back(Now() - t);
            BareDelete(base + "x" + std::to_string(r));
        }
        // Both copies are deleted, by turns first.
        const std::string first = r % 2 ? a + "tree" : b, second = r % 2 ? b : a + "tree";
        t = Now();
        if (r % 2) DeleteTree(fs, silent, first, FILE_ATTRIBUTE_DIRECTORY);
        else BareDelete(first);
        (r % 2 ? deleteOurs : deleteBare).push_back(Now() - t);
        t = Now();
        if (r % 2) BareDelete(second);
        else DeleteTree(fs, silent, second, FILE_ATTRIBUTE_DIRECTORY);
        (r % 2 ? deleteBare : deleteOurs).push_back(Now() - t);
        RemoveDirectoryA(a.c_str());
    }
    const int files = kDirs * kFilesPerDir;
    std::printf("tree of %d files of %d bytes in %d directories:\n", files, kFileSize, kDirs);
    Report("  copy: CopyEntry against a CopyFileA loop", Median(ours), "CopyFileA loop", Median(bare));
    Report("  copy: CopyEntry against xcopy /e /i", Median(ours), "xcopy", Median(xcopy));
    Report("  delete: DeleteTree against a bare loop", Median(deleteOurs), "bare loop", Median(deleteBare));

    // One large file.
    const std::string big = base + "big.dat";
    {
        HANDLE h = CreateFileA(big.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        std::vector<char> chunk(1 << 20, 'b');
        DWORD n;
        for (int i = 0; i < 256; ++i) WriteFile(h, chunk.data(), static_cast<DWORD>(chunk.size()), &n, nullptr);
        CloseHandle(h);
    }
    std::vector<double> bigOurs, bigBare;
    for (int r = 0; r < 5; ++r) {
        const std::string dir = base + "big" + std::to_string(r) + "\\";
        CreateDirectoryA(dir.c_str(), nullptr);
        double t = Now();
        CopyJob job(fs, silent);
        CopyEntry(job, base, dir, "big.dat", FILE_ATTRIBUTE_ARCHIVE, false, "");
        bigOurs.push_back(Now() - t);
        t = Now();
        CopyFileA(big.c_str(), (dir + "bare.dat").c_str(), FALSE);
        bigBare.push_back(Now() - t);
        BareDelete(dir.substr(0, dir.size() - 1));
    }
    Report("one file of 256 MiB: CopyEntry against CopyFileA", Median(bigOurs), "CopyFileA", Median(bigBare));
    BareDelete(base.substr(0, base.size() - 1));
    SetPrompts(nullptr);
    return 0;
}
