// Sorting the entry table against the C library's qsort with the same
// comparison, in the same run.
//   qrn_bench_sort [COUNT]   (default 2000 rows)
// Both sort identical copies of the same shuffled rows with the program's
// collation (lstrcmpA, CharUpperA); qsort calls CompareEntries with the same
// SortSpec (negated for a descending order). Prints, per key, the median
// time of each and their ratio, then from one more pass off the clock the
// calls of the collation each made; and the time of SortEntries as the
// program sorts, by collation keys (LCMapStringA) made once per row. Fails
// when the orders differ.
#include <windows.h>

#include "bench_clock.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>

#include "base/entry_table.h"
#include "listing/dir_platform_win32.h"
#include "listing/sort.h"

using namespace qrn;

using bench::Median;
using bench::Now;

namespace {

// The same collation with a count of its calls, for a pass off the clock.
long g_collations = 0;
int CountingCollate(const char* a, const char* b) {
    ++g_collations;
    return lstrcmpA(a, b);
}
void Upper(char* s) { CharUpperA(s); }

const SortSpec* g_spec = nullptr;

int QsortCompare(const void* a, const void* b) {
    const int c = CompareEntries(*static_cast<const FileEntry*>(a), *static_cast<const FileEntry*>(b), *g_spec);
    return g_spec->order == 2 ? -c : c;
}

// Rows as a directory gives them: "..", some directories, files of several
// kinds in mixed case, with dates and sizes that often tie (so that the
// name decides), then shuffled.
std::vector<FileEntry> MakeRows(int count) {
    static const char* const exts[] = {"txt", "TXT", "dat", "exe", "c", "h", "lzh", "", "bmp", "html"};
    std::vector<FileEntry> rows(count);
    std::mt19937 rng(2000);
    for (int i = 0; i < count; ++i) {
        FileEntry& e = rows[i];
        std::memset(&e, 0, sizeof e);
        if (i == 0) {
            std::strcpy(e.name, "..");
            e.attributes = kAttrDirectory;
        } else if (i % 25 == 0) {
            std::snprintf(e.name, sizeof e.name, "%s%04d", (i % 50) ? "dir" : "Dir", i);
            e.attributes = kAttrDirectory | ((i % 100 == 0) ? kAttrHidden : 0);
        } else {
            const char* ext = exts[rng() % 10];
            const char* stem = (i % 3 == 0) ? "FILE" : (i % 3 == 1 ? "file" : "File");
            if (ext[0])
                std::snprintf(e.name, sizeof e.name, "%s%04d.%s", stem, i, ext);
            else
                std::snprintf(e.name, sizeof e.name, "%s%04d", stem, i);
            e.attributes = kAttrArchive;
            if (i % 7 == 0) e.attributes |= kAttrReadOnly;
            if (i % 11 == 0) e.attributes |= kAttrHidden;
            if (i % 29 == 0) e.attributes |= kAttrSystem;
            e.size = (rng() % 300) * 1024u;
        }
        e.ext = ExtensionIndex(e.name);
        e.date = static_cast<std::uint16_t>(((2001 - 1980 + rng() % 5) << 9) | ((1 + rng() % 12) << 5) | (1 + rng() % 4));
        e.time = static_cast<std::uint16_t>((rng() % 3) << 11);
    }
    std::shuffle(rows.begin(), rows.end(), rng);
    return rows;
}

}  // namespace

int main(int argc, char** argv) {
    const int count = argc > 1 ? std::clamp(std::atoi(argv[1]), 2, kTableRows) : kTableRows;
    const int runs = 9;
    const std::vector<FileEntry> shuffled = MakeRows(count);
    std::vector<FileEntry> heap(count), quick(count), keyed(count);

    struct Case {
        const char* what;
        int order, key;
    };
    const Case cases[] = {{"name ascending", 1, 1},      {"extension ascending", 1, 2},
                          {"date ascending", 1, 3},      {"size ascending", 1, 4},
                          {"name descending", 2, 1}};
    bool same = true;
    for (const Case& c : cases) {
        const SortSpec spec{c.order, c.key, Collate, Upper};
        g_spec = &spec;
        std::vector<double> ours, theirs, byKeys;
        const SortSpec keys{c.order, c.key, Collate, Upper, CollationKey};
        for (int r = 0; r < runs; ++r) {
            std::memcpy(heap.data(), shuffled.data(), count * sizeof(FileEntry));
            std::memcpy(quick.data(), shuffled.data(), count * sizeof(FileEntry));
            double t0 = Now();
            SortEntries(heap.data(), count, spec);
            double t1 = Now();
            std::qsort(quick.data(), count, sizeof(FileEntry), QsortCompare);
            double t2 = Now();
            ours.push_back(t1 - t0);
            theirs.push_back(t2 - t1);
            std::memcpy(keyed.data(), shuffled.data(), count * sizeof(FileEntry));
            const double k0 = Now();
            SortEntries(keyed.data(), count, keys);
            byKeys.push_back(Now() - k0);
        }
        const SortSpec counting{c.order, c.key, CountingCollate, Upper};
        g_spec = &counting;
        std::memcpy(heap.data(), shuffled.data(), count * sizeof(FileEntry));
        g_collations = 0;
        SortEntries(heap.data(), count, counting);
        const long heapCalls = g_collations;
        std::memcpy(quick.data(), shuffled.data(), count * sizeof(FileEntry));
        g_collations = 0;
        std::qsort(quick.data(), count, sizeof(FileEntry), QsortCompare);
        const long quickCalls = g_collations;
        int differ = -1;
        for (int i = 0; i < count && differ < 0; ++i)
            if (std::strcmp(heap[i].name, quick[i].name) != 0 || std::strcmp(heap[i].name, keyed[i].name) != 0) differ = i;
        const double o = Median(ours), q = Median(theirs);
        std::printf("sort %d rows, %-19s: SortEntries %6.2f ms, qsort %6.2f ms, ratio %.2f"
                    " (lstrcmpA calls %ld / %ld); by collation keys %.2f ms%s\n",
                    count, c.what, o * 1000, q * 1000, o / q, heapCalls, quickCalls, Median(byKeys) * 1000,
                    differ < 0 ? "" : "  ORDERS DIFFER");
        if (differ >= 0) {
            std::printf("  first difference at row %d: %s / %s / %s\n", differ, heap[differ].name, quick[differ].name,
                        keyed[differ].name);
            same = false;
        }
    }
    return same ? 0 : 1;
}
