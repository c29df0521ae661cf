// Directory reading against a bare enumeration loop, in the same run.
//   qrn_bench_read [COUNT...]   (default 2000 10000)
// Prints, per count, the median time of ReadDirectory and of a plain
// FindFirstFileA/FindNextFileA loop over the same directory, and their ratio.
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
    s.SortAuto = 1;  // the read alone; sorting has its own figures
    Win32DirectoryPlatform platform(s, "C:");
    const int runs = 9;

    for (int count : counts) {
        std::string dir = std::string(temp) + "qrn_bench_" + std::to_string(GetCurrentProcessId()) +
                          "_" + std::to_string(count) + "\\";
        CreateDirectoryA(dir.c_str(), nullptr);
        for (int i = 0; i < count; ++i) {
            char name[64];
            std::snprintf(name, sizeof name, "file%05d.%s", i, (i % 3) ? "txt" : "dat");
            HANDLE f = CreateFileA((dir + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
            if (f != INVALID_HANDLE_VALUE) CloseHandle(f);
        }
        std::vector<double> bare, qrn;
        int rows = 0, bareRows = 0;
        for (int r = 0; r < runs; ++r) {
            double t0 = Now();
            bareRows = BareLoop(dir);
            double t1 = Now();
            Listing* l = new Listing;
            ResetListing(*l);
            l->FirstRead = false;
            std::strcpy(l->CurrentDir, dir.c_str());
            double t2 = Now();
            rows = ReadDirectory(*l, s, platform, nullptr, l->CurrentDir, sizeof l->CurrentDir);
            double t3 = Now();
            if (l->ChangeWatch) FindCloseChangeNotification(static_cast<HANDLE>(l->ChangeWatch));
            delete l;
            bare.push_back(t1 - t0);
            qrn.push_back(t3 - t2);
        }
        double b = Median(bare), q = Median(qrn);
        std::printf("read %5d files: ReadDirectory %.2f ms (%d rows), bare loop %.2f ms (%d records), ratio %.2f\n",
                    count, q * 1000, rows, b * 1000, bareRows, q / b);
        // Tidy up.
        for (int i = 0; i < count; ++i) {
            char name[64];
            std::snprintf(name, sizeof name, "file%05d.%s", i, (i % 3) ? "txt" : "dat");
            DeleteFileA((dir + name).c_str());
        }
        SetCurrentDirectoryA(temp);
        RemoveDirectoryA(dir.c_str());
    }
    return 0;
}
