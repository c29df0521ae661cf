// Sorting the entry table: fixed groups first, then the chosen key.
#pragma once
#include <cstddef>

#include "base/entry_table.h"

namespace qrn {

// Name collation (lstrcmpA in the product).
using CollateFn = int (*)(const char*, const char*);
// Upper-cases in place (CharUpperA in the product).
using UpperFn = void (*)(char*);
// The collation key of text (LCMapStringA with LCMAP_SORTKEY in the
// product): bytes that compare as collate compares the texts. Returns its
// length with the terminating NUL, or 0 when it does not fit size.
using SortKeyFn = std::size_t (*)(const char* text, unsigned char* out, std::size_t size);

struct SortSpec {
    int order;  // 1 ascending, 2 descending
    int key;    // 1 name, 2 extension, 3 date and time, 4 size
    CollateFn collate;
    UpperFn upper;
    // When set, each row's keys are made once and compared as bytes, which
    // gives the order collate gives at a fraction of its cost.
    SortKeyFn sortKey = nullptr;
};

int GroupRank(const FileEntry& e);
void ExtensionKey(const char* name, unsigned extensionIndex, char* out, UpperFn upper);
int CompareEntries(const FileEntry& a, const FileEntry& b, const SortSpec& spec);
void SortEntries(FileEntry* rows, int count, const SortSpec& spec);

void UpperAscii(char* s);

}  // namespace qrn
