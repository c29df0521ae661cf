// The copy and move commands over a list against bare loops of the system's
// calls, in the same run (medians, the two taking turns):
//   normal copy of a marked tree of 2000 files of 4 KiB: CopyCommand against
//   a CopyFileA loop, and against xcopy /e /i;
//   mirror copy of an unchanged tree of 10,000 files: MirrorCopyCommand
//   against a walk that lists and stats both trees;
//   a move of 2000 marked files within one drive: MoveCommand against a
//   MoveFileA loop.
#include <windows.h>

#include "bench_clock.h"
#include "bench_files.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "base/prompts.h"
#include "fileops/file_system_win32.h"
#include "fileops/transfer.h"

using namespace qrn;

using namespace bench;

namespace {

struct NoLog : ErrorLog {
    bool Append(void*, const char*, int, char*) override { return true; }
};

// What any comparison of two trees must do: list both, stat every pair.
int BareCompare(const std::string& a, const std::string& b) {
    int differ = 0;
    Walk(b, [](const WIN32_FIND_DATAA&) {});
    Walk(a, [&](const WIN32_FIND_DATAA& fd) {
        const std::string name = fd.cFileName;
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            differ += BareCompare(a + "\\" + name, b + "\\" + name);
            return;
        }
        WIN32_FILE_ATTRIBUTE_DATA x, y;
        if (!GetFileAttributesExA((a + "\\" + name).c_str(), GetFileExInfoStandard, &x) ||
            !GetFileAttributesExA((b + "\\" + name).c_str(), GetFileExInfoStandard, &y) ||
            CompareFileTime(&x.ftLastWriteTime, &y.ftLastWriteTime) != 0 || x.nFileSizeLow != y.nFileSizeLow)
            ++differ;
    });
    return differ;
}

// The list of dir (with a trailing backslash) as the reader leaves it, every
// row marked or only the one named.
Listing& ListOf(const std::string& dir, const char* markOnly) {
    static Listing l;
    ResetListing(l);
    CopyCut(l.CurrentDir, sizeof l.CurrentDir, dir.c_str());
    Walk(dir.substr(0, dir.size() - 1), [&](const WIN32_FIND_DATAA& fd) {
        if (l.table.EntryCount >= kTableRows) return;
        FileEntry& e = l.table.rows[l.table.EntryCount];
        CopyCut(e.name, sizeof e.name, fd.cFileName);
        e.attributes = fd.dwFileAttributes & 0xFF;
        e.size = fd.nFileSizeLow;
        e.mark = 0;
        const int row = l.table.EntryCount++;
        if (!markOnly || !std::strcmp(fd.cFileName, markOnly)) SetMark(l.table, row, true);
    });
    return l;
}

TransferRequest Into(const Listing& l, const std::string& dest) {
    TransferRequest r;
    r.currentDir = l.CurrentDir;
    r.destDir = dest.c_str();
    return r;
}

}  // namespace

int main() {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    const std::string base = std::string(temp) + "qrn_bench_transfer_" + std::to_string(GetCurrentProcessId()) + "\\";
    CreateDirectoryA(base.c_str(), nullptr);
    Silent silent;
    SetPrompts(&silent);
    FileSystem& fs = SystemFileSystem();

    // Normal copy of a marked tree.
    MakeTree(base + "tree", 20, 100, 4096);
    std::vector<double> ours, bare, xcopy;
    for (int r = 0; r < 11; ++r) {
        const std::string a = base + "a" + std::to_string(r) + "\\", b = base + "b" + std::to_string(r);
        CreateDirectoryA(a.c_str(), nullptr);
        for (int turn = 0; turn < 2; ++turn) {
            const double t = Now();
            if ((turn + r) % 2 == 0) {
                Listing& l = ListOf(base, "tree");
                const std::string dest = a;
                CopyCommand(l, Into(l, dest), fs, silent);
                ours.push_back(Now() - t);
            } else {
                BareCopy(base + "tree", b);
                bare.push_back(Now() - t);
            }
        }
        if (r < 5) {
            const double t = Now();
            RunAndWait("xcopy \"" + base + "tree\" \"" + base + "x" + std::to_string(r) + "\" /e /i /q");
            xcopy.push_back(Now() - t);
            BareDelete(base + "x" + std::to_string(r));
        }
        BareDelete(a.substr(0, a.size() - 1));
        BareDelete(b);
    }
    std::printf("marked tree of 2000 files of 4096 bytes in 20 directories:\n");
    Report("  normal copy: CopyCommand against a CopyFileA loop", Median(ours), "CopyFileA loop", Median(bare));
    Report("  normal copy: CopyCommand against xcopy /e /i", Median(ours), "xcopy", Median(xcopy));
    BareDelete(base + "tree");

    // Mirror copy of an unchanged tree.
    const std::string src = base + "msrc\\", dst = base + "mdst\\";
    CreateDirectoryA(src.c_str(), nullptr);
    CreateDirectoryA(dst.c_str(), nullptr);
    MakeTree(src + "m", 100, 100, 16);
    {
        Listing& l = ListOf(src, "m");
        l.CursorIndex = 0;
        CopyCommand(l, Into(l, dst), fs, silent);
    }
    std::vector<double> mirrorOurs, mirrorBare;
    NoLog log;
    for (int r = 0; r < 7; ++r) {
        for (int turn = 0; turn < 2; ++turn) {
            const double t = Now();
            if ((turn + r) % 2 == 0) {
                Listing& l = ListOf(src, nullptr);
                ClearAllMarks(l.table);
                l.CursorIndex = 0;
                const TransferResult res = MirrorCopyCommand(l, Into(l, dst), fs, silent, log);
                mirrorOurs.push_back(Now() - t);
                if (res.done || res.deleted || res.failed) std::printf("  (the mirror was not unchanged)\n");
            } else {
                BareCompare(src + "m", dst + "m");
                mirrorBare.push_back(Now() - t);
            }
        }
    }
    Report("unchanged tree of 10000 files: MirrorCopyCommand", Median(mirrorOurs), "bare compare", Median(mirrorBare));
    BareDelete(src.substr(0, src.size() - 1));
    BareDelete(dst.substr(0, dst.size() - 1));

    // A move within one drive, back and forth.
    const std::string one = base + "one\\", two = base + "two\\";
    CreateDirectoryA(two.c_str(), nullptr);
    MakeTree(base + "one", 0, 0, 0);
    for (int f = 0; f < 2000; ++f) {
        HANDLE h = CreateFileA((one + "f" + std::to_string(f) + ".dat").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               0, nullptr);
        CloseHandle(h);
    }
    std::vector<double> moveOurs, moveBare;
    for (int r = 0; r < 10; ++r) {
        for (int turn = 0; turn < 2; ++turn) {  // there and back; each goes first in turn
            const std::string& a = turn == 0 ? one : two;
            const std::string& b = turn == 0 ? two : one;
            const double t = Now();
            if ((turn + r) % 2 == 0) {
                Listing& l = ListOf(a, nullptr);
                MoveCommand(l, Into(l, b), fs, silent);
                moveOurs.push_back(Now() - t);
            } else {
                Walk(a.substr(0, a.size() - 1), [&](const WIN32_FIND_DATAA& fd) {
                    MoveFileA((a + fd.cFileName).c_str(), (b + fd.cFileName).c_str());
                });
                moveBare.push_back(Now() - t);
            }
        }
    }
    Report("2000 files moved within one drive: MoveCommand", Median(moveOurs), "MoveFileA loop", Median(moveBare));
    BareDelete(one.substr(0, one.size() - 1));
    BareDelete(two.substr(0, two.size() - 1));
    BareDelete(base.substr(0, base.size() - 1));
    SetPrompts(nullptr);
    return 0;
}
