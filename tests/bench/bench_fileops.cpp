// The copy engine and DeleteTree against bare loops of the system's calls,
// in the same run (medians, the two taking turns):
//   a tree of 2000 files of 4 KiB in 20 directories: CopyEntry against a
//   CopyFileA loop, and the same tree copied by xcopy /e /i;
//   one file of 256 MiB: CopyEntry against CopyFileA;
//   the tree deleted: DeleteTree against a DeleteFileA/RemoveDirectoryA loop.
#include <windows.h>

#include "bench_clock.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "base/prompts.h"
#include "fileops/copy_engine.h"
#include "fileops/file_system_win32.h"
#include "fileops/in_place.h"

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

constexpr int kDirs = 20, kFilesPerDir = 100, kFileSize = 4096;

void MakeTree(const std::string& root) {
    CreateDirectoryA(root.c_str(), nullptr);
    const std::string data(kFileSize, 'q');
    for (int d = 0; d < kDirs; ++d) {
        const std::string dir = root + "\\d" + std::to_string(d);
        CreateDirectoryA(dir.c_str(), nullptr);
        for (int f = 0; f < kFilesPerDir; ++f) {
            HANDLE h = CreateFileA((dir + "\\f" + std::to_string(f) + ".dat").c_str(), GENERIC_WRITE, 0, nullptr,
                                   CREATE_ALWAYS, 0, nullptr);
            DWORD n;
            WriteFile(h, data.data(), kFileSize, &n, nullptr);
            CloseHandle(h);
        }
    }
}

// The baseline: what any tree copy must do, and no more.
void BareCopy(const std::string& from, const std::string& to) {
    CreateDirectoryA(to.c_str(), nullptr);
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((from + "\\*.*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return;
    do {
        const std::string name = fd.cFileName;
        if (name == "." || name == "..") continue;
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) BareCopy(from + "\\" + name, to + "\\" + name);
        else CopyFileA((from + "\\" + name).c_str(), (to + "\\" + name).c_str(), FALSE);
    } while (FindNextFileA(h, &fd));
    FindClose(h);
}

void BareDelete(const std::string& path) {
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((path + "\\*.*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = fd.cFileName;
            if (name == "." || name == "..") continue;
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) BareDelete(path + "\\" + name);
            else DeleteFileA((path + "\\" + name).c_str());
        } while (FindNextFileA(h, &fd));
        FindClose(h);
    }
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

void Report(const char* what, double ours, const char* baseName, double base) {
    std::printf("%-44s: %s %8.1f ms, %s %8.1f ms, ratio %.2f\n", what, "QRN", ours * 1000, baseName, base * 1000,
                ours / base);
}

}  // namespace

int main() {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    const std::string base = std::string(temp) + "qrn_bench_copy_" + std::to_string(GetCurrentProcessId()) + "\\";
    CreateDirectoryA(base.c_str(), nullptr);
    Silent silent;
    SetPrompts(&silent);
    FileSystem& fs = SystemFileSystem();
    MakeTree(base + "tree");

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
