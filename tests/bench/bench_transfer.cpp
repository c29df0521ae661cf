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

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "base/prompts.h"
#include "fileops/file_system_win32.h"
#include "fileops/transfer.h"

using namespace qrn;

using bench::Median;
using bench::Now;

namespace {

struct Silent : Prompts, OperationUi {
    int Message(void*, const char*, const char*, unsigned) override { return kIdOk; }
    void Beep() override {}
    void* Owner() override { return nullptr; }
    void OpenStatus(const char*) override {}
    void CloseStatus() override {}
    void ShowStatus(bool) override {}
    void Poll() override {}
    bool CancelRequested() override { return false; }
    void SetCancelRequested(bool) override {}
    void Progress(const std::string&) override {}
    void EntryInfo(const std::string&, const FileStat&) override {}
    DuplicatePolicy AskDuplicate() override { return DuplicatePolicy::OverwriteAll; }
    void CursorTo(int) override {}
    std::uint64_t Milliseconds() override { return GetTickCount(); }
};

struct NoLog : ErrorLog {
    bool Append(void*, const char*, int, char*) override { return true; }
};

void MakeTree(const std::string& root, int dirs, int files, int size) {
    CreateDirectoryA(root.c_str(), nullptr);
    const std::string data(static_cast<std::size_t>(size), 'q');
    for (int d = 0; d < dirs; ++d) {
        const std::string dir = root + "\\d" + std::to_string(d);
        CreateDirectoryA(dir.c_str(), nullptr);
        for (int f = 0; f < files; ++f) {
            HANDLE h = CreateFileA((dir + "\\f" + std::to_string(f) + ".dat").c_str(), GENERIC_WRITE, 0, nullptr,
                                   CREATE_ALWAYS, 0, nullptr);
            DWORD n;
            WriteFile(h, data.data(), static_cast<DWORD>(size), &n, nullptr);
            CloseHandle(h);
        }
    }
}

template <typename Fn>
void Walk(const std::string& dir, Fn each) {
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((dir + "\\*.*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return;
    do {
        if (std::strcmp(fd.cFileName, ".") && std::strcmp(fd.cFileName, "..")) each(fd);
    } while (FindNextFileA(h, &fd));
    FindClose(h);
}

void BareCopy(const std::string& from, const std::string& to) {
    CreateDirectoryA(to.c_str(), nullptr);
    Walk(from, [&](const WIN32_FIND_DATAA& fd) {
        const std::string name = fd.cFileName;
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) BareCopy(from + "\\" + name, to + "\\" + name);
        else CopyFileA((from + "\\" + name).c_str(), (to + "\\" + name).c_str(), FALSE);
    });
}

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

void BareDelete(const std::string& path) {
    Walk(path, [&](const WIN32_FIND_DATAA& fd) {
        const std::string inner = path + "\\" + fd.cFileName;
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) BareDelete(inner);
        else DeleteFileA(inner.c_str());
    });
    RemoveDirectoryA(path.c_str());
}

void RunAndWait(std::string command) {
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi;
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &si, &pi))
        return;
    WaitForSingleObject(pi.hProcess, INFINITE);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
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

void Report(const char* what, double ours, const char* baseName, double base) {
    std::printf("%-48s: %s %8.1f ms, %s %8.1f ms, ratio %.2f\n", what, "QRN", ours * 1000, baseName, base * 1000,
                ours / base);
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
