#include "listing/list_view.h"

#include <cstring>

namespace qrn {

void ResetView(ListView& v) {
    std::memset(static_cast<void*>(&v), 0, sizeof v);
    v.table.LongestName = 12;
    v.NameWidth = 12;
}

void ResetListing(Listing& l) {
    std::memset(static_cast<void*>(&l), 0, sizeof l);
    ResetView(l);
    std::strcpy(l.CurrentDir, "A:\\");
    std::strcpy(l.FileMask, "*.*");
    l.FirstRead = true;
    l.speaks = true;
}

int NameColumnWidth(int longestName, int expDispSize, int fileDispSize) {
    int w = longestName + expDispSize - 3;
    if (fileDispSize != 0 && fileDispSize <= w) w = fileDispSize;
    if (w < 1) w = 1;
    if (w > static_cast<int>(kPathSize)) w = static_cast<int>(kPathSize);
    return w;
}

void ComputePitches(ListView& v, int expDispSize, int fileDispSize) {
    int w = NameColumnWidth(v.table.LongestName, expDispSize, fileDispSize);
    v.NameWidth = w;
    v.Pitch[0] = w + 3;
    v.Pitch[1] = w + 21;
    v.Pitch[2] = w + 21;
    v.Pitch[3] = w + 39;
    v.Pitch[4] = 999;
}

}  // namespace qrn
