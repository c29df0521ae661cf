// The entry table: the rows of a listed directory and their counters.
#pragma once
#include <cstddef>
#include <cstdint>

#include "base/sjis.h"

namespace qrn {

constexpr int kTableRows = 2000;
constexpr std::uint32_t kAttrReadOnly = 0x01, kAttrHidden = 0x02, kAttrSystem = 0x04,
                        kAttrLabel = 0x08, kAttrDirectory = 0x10, kAttrArchive = 0x20;
constexpr std::uint32_t kAttrExecutionRow = 255;  // "[ Execution  ]" of the destination list
constexpr const char* kNoDataName = "  NO DATA  ";

struct FileEntry {
    std::uint32_t ext;        // 0, or the position behind the separating dot
    std::uint8_t mark;        // 1 when marked
    std::uint16_t date;       // MS-DOS date, local time
    std::uint16_t time;       // MS-DOS time, local time
    std::uint32_t attributes;
    std::uint64_t size;       // full size in bytes (0 for directories)
    char name[kPathSize];
};
// The row layout is the same in the 32-bit program and in a 64-bit build
// (rows are copied whole and sorted as fixed-size records).
static_assert(offsetof(FileEntry, mark) == 4 && offsetof(FileEntry, date) == 6 &&
                  offsetof(FileEntry, attributes) == 12 && offsetof(FileEntry, size) == 16 &&
                  offsetof(FileEntry, name) == 24 && sizeof(FileEntry) == 288,
              "FileEntry layout");

struct EntryTable {
    FileEntry rows[kTableRows];
    int EntryCount;
    bool TableFull;
    std::uint64_t ListedBytes;
    int MarkedCount;
    std::uint64_t MarkedBytes;
    int LongestName;
    std::uint64_t DiskTotal, DiskUsed, DiskFree;
};

// 0 for no extension, else the position of the first byte after the dot.
std::uint32_t ExtensionIndex(const char* name);

// True for pseudo-rows: the volume label, "  NO DATA  " and "[ Execution  ]".
inline bool IsPseudoRow(const FileEntry& e) {
    return e.attributes == kAttrLabel || e.attributes == kAttrExecutionRow;
}

// Marks or unmarks one row and keeps MarkedCount and MarkedBytes in step.
// Pseudo-rows are never marked. Returns true when the mark changed.
bool SetMark(EntryTable& t, int index, bool on);

// Clears the marks of all 2000 rows and the mark counters.
void ClearAllMarks(EntryTable& t);

// What rows a command may act on (EntryQualifies).
enum class RowKind : int {
    Any = 0,            // every row, none at all included
    PlainFile = 1,      // a file: not a directory, not the label row
    FileOrDirectory = 2,// a file or a real directory (not "." or "..")
    DirectoryOrLabel = 3// a real directory or the volume-label row
};

// Whether row index qualifies as kind. An index outside the table never
// does, except for RowKind::Any.
bool EntryQualifies(const EntryTable& t, int index, RowKind kind);

}  // namespace qrn
