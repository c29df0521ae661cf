#include "listing/entry_table.h"

#include <cstring>

namespace qrn {

Listing g_listing;

void ResetListing(Listing& l) {
    std::memset(&l, 0, sizeof l);
    std::strcpy(l.CurrentDir, "A:\\");
    std::strcpy(l.FileMask, "*.*");
    l.FirstRead = true;
    l.table.LongestName = 12;
    l.NameWidth = 12;
}

std::uint32_t ExtensionIndex(const char* name) {
    if (std::strcmp(name, "..") == 0) return 0;
    int lastDot = -1;
    for (int i = 0; name[i];) {
        if (IsLeadByte(name[i]) && name[i + 1]) {
            i += 2;
            continue;
        }
        if (name[i] == '.') lastDot = i;
        ++i;
    }
    if (lastDot <= 0) return 0;
    return static_cast<std::uint32_t>(lastDot + 1);
}

bool SetMark(EntryTable& t, int index, bool on) {
    if (index < 0 || index >= t.EntryCount) return false;
    FileEntry& e = t.rows[index];
    if (IsPseudoRow(e)) return false;
    if (on == (e.mark != 0)) return false;
    e.mark = on ? 1 : 0;
    if (on) {
        ++t.MarkedCount;
        t.MarkedBytes += e.size;
    } else {
        --t.MarkedCount;
        t.MarkedBytes -= e.size;
    }
    return true;
}

void ClearAllMarks(EntryTable& t) {
    for (auto& row : t.rows) row.mark = 0;
    t.MarkedCount = 0;
    t.MarkedBytes = 0;
}

int NameColumnWidth(int longestName, int expDispSize, int fileDispSize) {
    int w = longestName + expDispSize - 3;
    if (fileDispSize != 0 && fileDispSize <= w) w = fileDispSize;
    if (w < 1) w = 1;
    if (w > static_cast<int>(kPathSize)) w = static_cast<int>(kPathSize);
    return w;
}

void ComputePitches(Listing& l, int expDispSize, int fileDispSize) {
    int w = NameColumnWidth(l.table.LongestName, expDispSize, fileDispSize);
    l.NameWidth = w;
    l.Pitch[0] = w + 3;
    l.Pitch[1] = w + 21;
    l.Pitch[2] = w + 21;
    l.Pitch[3] = w + 39;
    l.Pitch[4] = 999;
}

}  // namespace qrn
