// Directory reading against a bare enumeration loop, in the same run.
//   qrn_bench_read [COUNT...]   (default 2000 10000)
// Prints, per count, the median time of ReadDirectory (unsorted, then sorted
// by name as a directory change does) and of a plain
// FindFirstFileA/FindNextFileA loop over the same directory, and their
// ratios; and the time the sort by name would take collating with lstrcmpA
// alone. The names are random (letters of both cases, digits, hyphens).
#include <windows.h>

#include "bench_clock.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "base/settings.h"
#include "listing/dir_platform_win32.h"
#include "listing/dir_reader.h"
#include "listing/sort.h"
#include "base/sjis_win32.h"

using namespace qrn;

using bench::Median;
using bench::Now;

namespace {

// The baseline: enumerate records and keep name and size, as any listing
// must, up to the table's 2000 rows (where the reader stops too).
int BareLoop(const std::string& dir) {
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((dir + "*.*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return 0;
    static char names[kTableRows][kPathSize];
    static unsigned long long sizes[kTableRows];
    static volatile unsigned long long total;
    int n = 0;
    do {
        {
            std::size_t len = std::strlen(fd.cFileName);
            if (len >= kPathSize) len = kPathSize - 1;
            std::memcpy(names[n], fd.cFileName, len);
            names[n][len] = 0;
            sizes[n] = (static_cast<unsigned long long>(fd.nFileSizeHigh) << 32) | fd.nFileSizeLow;
            ++n;
        }
    } while (n < kTableRows && FindNextFileA(h, &fd));
    FindClose(h);
    for (int i = 0; i < n; ++i) total = total + sizes[i];
    return n;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<int> counts;
    for (int i = 1; i < argc; ++i) counts.push_back(std::atoi(argv[i]));
    if (counts.empty()) counts = {2000, 10000};

    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    Settings s;
    DefaultSettings(s);
    Win32DirectoryPlatform platform(s, "C:");
    const int runs = 21;
    auto nameOf = [](int i, char* name, std::size_t size) {
        static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789-";
        unsigned x = static_cast<unsigned>(i) * 2654435761u + 12345u;
        char base[16];
        int n = 0;
        for (int k = 0; k < 10; ++k, x = x * 1103515245u + 12345u) base[n++] = letters[(x >> 16) % 63];
        base[n] = 0;
        std::snprintf(name, size, "%s%05d.%s", base, i, (i % 3) ? "txt" : "dat");
    };

    for (int count : counts) {
        std::string dir = std::string(temp) + "qrn_bench_" + std::to_string(GetCurrentProcessId()) +
                          "_" + std::to_string(count) + "\\";
        CreateDirectoryA(dir.c_str(), nullptr);
        for (int i = 0; i < count; ++i) {
            char name[64];
            nameOf(i, name, sizeof name);
            HANDLE f = CreateFileA((dir + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
            if (f != INVALID_HANDLE_VALUE) CloseHandle(f);
        }
        std::vector<double> bare, qrn, sorted, collated;
        int rows = 0, bareRows = 0;
        auto read = [&](int sortAuto) {
            s.SortAuto = sortAuto;
            s.SortKey = kSortByName;
            s.SortOrder = kSortAscending;
            Listing* l = new Listing;
            ResetListing(*l);
            l->FirstRead = false;
            std::strcpy(l->CurrentDir, dir.c_str());
            const double t0 = Now();
            rows = ReadDirectory(*l, s, platform, nullptr, l->CurrentDir, sizeof l->CurrentDir);
            const double t = Now() - t0;
            if (l->ChangeWatch) FindCloseChangeNotification(static_cast<HANDLE>(l->ChangeWatch));
            if (sortAuto == kSortAutoOff) {  // the same rows sorted by lstrcmpA alone
                const double c0 = Now();
                SortEntries(l->table.rows, l->table.EntryCount, SortSpec{kSortAscending, kSortByName, Collate, PlatformUpper});
                collated.push_back(Now() - c0);
            }
            delete l;
            return t;
        };
        for (int r = 0; r < runs; ++r) {
            double t0 = Now();
            bareRows = BareLoop(dir);
            bare.push_back(Now() - t0);
            qrn.push_back(read(kSortAutoOff));
            sorted.push_back(read(kSortAutoOn));
        }
        double b = Median(bare), q = Median(qrn), qs = Median(sorted);
        std::printf("read %5d files: ReadDirectory %.2f ms (%d rows), bare loop %.2f ms (%d records), ratio %.2f\n",
                    count, q * 1000, rows, b * 1000, bareRows, q / b);
        std::printf("read and sort %d files: ReadDirectory and SortEntries by name %.2f ms, bare loop %.2f ms, ratio %.2f"
                    " (sorting by lstrcmpA alone: %.2f ms)\n",
                    count, qs * 1000, b * 1000, qs / b, Median(collated) * 1000);
        // Tidy up.
        for (int i = 0; i < count; ++i) {
            char name[64];
            nameOf(i, name, sizeof name);
            DeleteFileA((dir + name).c_str());
        }
        SetCurrentDirectoryA(temp);
        RemoveDirectoryA(dir.c_str());
    }
    return 0;
}
