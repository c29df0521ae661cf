// Total size and concatenation against bare loops of the system's calls, in
// the same run (medians, the two taking turns):
//   a tree of 10,000 files in 100 directories: TotalSizeCommand against a
//   recursive FindFirstFileA/FindNextFileA walk adding the sizes;
//   64 MiB joined from two files: Concatenate against a ReadFile/WriteFile loop.
#include <windows.h>

#include "bench_clock.h"
#include "bench_files.h"

#include <string>
#include <vector>

#include "fileops/concatenate.h"
#include "fileops/file_system_win32.h"
#include "fileops/total_size.h"

using namespace bench;

namespace {

std::uint64_t BareSize(const std::string& dir) {
    std::uint64_t total = 0;
    Walk(dir, [&](const WIN32_FIND_DATAA& fd) {
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) total += BareSize(dir + "\\" + fd.cFileName);
        else total += (static_cast<std::uint64_t>(fd.nFileSizeHigh) << 32) | fd.nFileSizeLow;
    });
    return total;
}

void BareJoin(const std::vector<std::string>& inputs, const std::string& target) {
    HANDLE out = CreateFileA(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    std::vector<char> block(256 * 1024);
    for (const std::string& input : inputs) {
        HANDLE in = CreateFileA(input.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        DWORD got = 0, put = 0;
        while (ReadFile(in, block.data(), static_cast<DWORD>(block.size()), &got, nullptr) && got > 0)
            WriteFile(out, block.data(), got, &put, nullptr);
        CloseHandle(in);
    }
    CloseHandle(out);
}

Listing g_list;  // too large for the stack

}  // namespace

int main() {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    const std::string base = std::string(temp) + "qrn_bench_commands_" + std::to_string(GetCurrentProcessId()) + "\\";
    CreateDirectoryA(base.c_str(), nullptr);
    Silent silent;
    SetPrompts(&silent);
    FileSystem& fs = SystemFileSystem();
    MakeTree(base + "tree", 100, 100, 100);
    ResetListing(g_list);
    std::snprintf(g_list.table.rows[0].name, sizeof g_list.table.rows[0].name, "tree");
    g_list.table.rows[0].attributes = FILE_ATTRIBUTE_DIRECTORY;
    g_list.table.EntryCount = 1;
    std::vector<double> ours, bare;
    std::uint64_t a = 0, b = 0;
    for (int r = 0; r < 11; ++r) {
        for (int turn = 0; turn < 2; ++turn) {
            const double t = Now();
            if ((turn + r) % 2 == 0) {
                a = TotalSizeCommand(g_list, base.c_str(), fs, silent).bytes;
                ours.push_back(Now() - t);
            } else {
                b = BareSize(base + "tree");
                bare.push_back(Now() - t);
            }
        }
    }
    if (a != b) std::printf("the totals differ: %llu and %llu\n", static_cast<unsigned long long>(a), static_cast<unsigned long long>(b));
    Report("total size of 10,000 files in 100 directories against a FindFirstFileA walk", Median(ours), "walk", Median(bare));

    const std::string half(32 << 20, 'c');
    for (const char* name : {"p1", "p2"}) {
        HANDLE h = CreateFileA((base + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD n;
        WriteFile(h, half.data(), static_cast<DWORD>(half.size()), &n, nullptr);
        CloseHandle(h);
    }
    std::vector<double> joinOurs, joinBare;
    for (int r = 0; r < 7; ++r) {
        for (int turn = 0; turn < 2; ++turn) {
            const double t = Now();
            if ((turn + r) % 2 == 0) {
                ConcatRequest request{base, "joined", {"p1", "p2"}, 0, true};
                Concatenate(request, fs, nullptr, nullptr);
                joinOurs.push_back(Now() - t);
            } else {
                BareJoin({base + "p1", base + "p2"}, base + "bare");
                joinBare.push_back(Now() - t);
            }
        }
        DeleteFileA((base + "joined").c_str()), DeleteFileA((base + "bare").c_str());
    }
    Report("64 MiB joined: Concatenate against a ReadFile/WriteFile loop", Median(joinOurs), "loop", Median(joinBare));
    BareDelete(base.substr(0, base.size() - 1));
    SetPrompts(nullptr);
    return 0;
}
