// The entry table: the rows of the listed directory and their companions.
#pragma once
#include <cstdint>

#include "listing/sjis.h"

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

// Everything the directory listing owns: the table, the listed directory and
// mask, the last directory read and the change watch.
struct Listing {
    EntryTable table;
    char CurrentDir[kPathSize];   // absolute, ends with a backslash
    char FileMask[16];            // "*.*" lists everything
    char LastGoodDir[kPathSize];
    bool FirstRead;               // the next read is the first since start
    void* ChangeWatch;            // change-notification handle, or null
    int NameWidth;                // name column width in characters
    int Pitch[5];                 // column pitch of each layout, in characters (999 pixels for 4)
    // Position in the list, kept by the painter and the key handler.
    int CursorIndex;              // row under the cursor
    int TopIndex;                 // first row of the page on screen
    int LastOnPage;               // last row drawn on that page
    int PageNumber, PageCount;    // 1-based page of the cursor; pages in all
    int RowsPerColumn, EntriesPerPage;
    int ColumnsPerPage;
    int Layout;                   // layout in use, 0-4
};

extern Listing g_listing;

// Puts a listing back to its start state ("A:\", "*.*", empty table).
void ResetListing(Listing& l);

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

// Name column width and the five pitches (in characters) from LongestName.
int NameColumnWidth(int longestName, int expDispSize, int fileDispSize);
void ComputePitches(Listing& l, int expDispSize, int fileDispSize);

}  // namespace qrn
