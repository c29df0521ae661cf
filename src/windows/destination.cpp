#include "windows/destination.h"

#include <cstdio>
#include <cstring>

#include "listing/list_format.h"
#include "windows/windows_texts.h"

namespace qrn {

namespace {

constexpr Rgb kExecutionGreen{0, 255, 0};
constexpr int kLastEntryRow = kDestinationRows - 2;  // 510: rows 0-510 hold the listing

bool IsDotName(const char* name) { return std::strcmp(name, ".") == 0; }

bool Hidden(const FoundRecord& rec, const Settings& s) {
    return (s.SystemDisp == 0 && (rec.attributes & kAttrSystem)) || (s.HiddenDisp == 0 && (rec.attributes & kAttrHidden));
}

// One pass over the directory: its directories, or its files. False when
// the search found nothing at all.
bool ReadPass(DestinationView& v, const Settings& s, DirectoryPlatform& p, const char* search, bool directories,
              int& count) {
    EntryTable& t = v.table;
    FoundRecord rec;
    if (!p.First(search, rec)) return false;
    do {
        if (count > kLastEntryRow) break;
        const bool isDir = (rec.attributes & kAttrDirectory) != 0;
        if (isDir != directories || IsDotName(rec.name) || Hidden(rec, s)) continue;
        FileEntry& e = t.rows[count++];
        std::memset(&e, 0, sizeof e);
        std::memcpy(e.name, rec.name, sizeof e.name);
        e.attributes = rec.attributes, e.size = rec.size, e.date = rec.date, e.time = rec.time;
        e.ext = directories && s.FolderDot == 0 ? 0 : ExtensionIndex(e.name);
        const int len = static_cast<int>(std::strlen(e.name));
        if (len > t.LongestName) t.LongestName = len;
    } while (p.Next(rec));
    p.Close();
    return true;
}

void SortSoFar(DestinationView& v, const Settings& s, DirectoryPlatform& p, int count) {
    if (s.SortAuto == kSortAutoOff) return;
    v.table.EntryCount = count;
    p.Sort(v.table);
}

}  // namespace

void StartDestination(DestinationView& v, const Settings& s, const char* dir) {
    ResetView(v);
    CopyCut(v.DestDir, sizeof v.DestDir, dir);
    AddBackslash(v.DestDir, sizeof v.DestDir);
    v.DirectoriesOnly = false;
    std::memcpy(v.palette, s.Colors, sizeof v.palette);
    v.palette[kVol] = kExecutionGreen;  // the execution row has the label bit; no label row is listed here
    v.colors = v.palette;
    v.speaks = true;
}

int ReadDestination(DestinationView& v, const Settings& s, DirectoryPlatform& p) {
    EntryTable& t = v.table;
    std::memset(&t.rows[0], 0, sizeof t.rows[0]);
    std::strcpy(t.rows[0].name, kExecutionRowName);
    t.rows[0].attributes = kAttrExecutionRow;
    t.rows[1].name[0] = '\0';
    t.LongestName = 12;
    t.MarkedCount = 0, t.MarkedBytes = 0, t.TableFull = false;
    char search[kPathSize];
    int count = 1;
    if (std::snprintf(search, sizeof search, "%s*.*", v.DestDir) >= static_cast<int>(sizeof search)) {
        t.EntryCount = 0;
        return 0;
    }
    if (!ReadPass(v, s, p, search, true, count)) {
        // Nothing found: an empty medium still has its execution row, so
        // that it can be copied onto; a drive not ready or a directory that
        // is not there has none.
        DiskFigures figures;
        const bool emptyRoot = std::strlen(v.DestDir) == 3 && p.QueryDiskSpace(v.DestDir, figures) != kDiskQueryFailed;
        t.EntryCount = emptyRoot ? 1 : 0;
        std::memset(&t.rows[t.EntryCount], 0, sizeof t.rows[t.EntryCount]);
        return t.EntryCount;
    }
    SortSoFar(v, s, p, count);
    if (!v.DirectoriesOnly && count <= kLastEntryRow) {
        ReadPass(v, s, p, search, false, count);
        SortSoFar(v, s, p, count);
    }
    std::memset(&t.rows[count], 0, sizeof t.rows[count]);  // the end row
    t.EntryCount = count;
    return count;
}

void ResetDestinationCursor(DestinationView& v) {
    v.CursorIndex = v.TopIndex = 0;
    v.PageNumber = 1;
}

void ComputeDestinationGeometry(DestinationView& v, const Settings& s, int lh, int cw, int clientWidth,
                                int clientHeight) {
    ScreenLayout sl = ComputeScreenLayout(lh, cw, 0, clientWidth, clientHeight);
    sl.listTop = sl.y[2];
    sl.sepY = sl.lh / 2 + sl.y[1] - 1;
    v.screen = sl;
    v.screenValid = true;
    ComputePitches(v, s.ExpDispSize, s.FileDispSize);
    v.Layout = 0;
    const int pitch = v.Pitch[0] * sl.cw;
    v.RowsPerColumn = (clientHeight - sl.listTop - sl.lh - 2) / sl.lh + 1;
    if (v.RowsPerColumn < 1) v.RowsPerColumn = 1;
    v.ColumnsPerPage = (clientWidth - sl.cw) / (pitch > 0 ? pitch : 1);
    if (v.ColumnsPerPage < 1) v.ColumnsPerPage = 1;
    v.EntriesPerPage = v.ColumnsPerPage * v.RowsPerColumn;
    const int count = v.table.EntryCount;
    if (v.CursorIndex >= count) v.CursorIndex = count > 0 ? count - 1 : 0;
    if (v.CursorIndex < 0) v.CursorIndex = 0;
    v.PageNumber = v.CursorIndex / v.EntriesPerPage + 1;
    v.TopIndex = (v.PageNumber - 1) * v.EntriesPerPage;
    v.PageCount = (count + v.EntriesPerPage - 1) / v.EntriesPerPage;
    v.LastOnPage = LastOfPage(v);
}

bool DestinationParent(DestinationView& v) {
    const int last = LastBackslash(v.DestDir);
    if (last < 3) return false;
    v.DestDir[last] = '\0';
    const int parent = LastBackslash(v.DestDir);
    if (parent < 2) {
        v.DestDir[last] = '\\';
        return false;
    }
    v.DestDir[parent + 1] = '\0';
    return true;
}

bool DestinationRoot(DestinationView& v) {
    if (std::strlen(v.DestDir) <= 3) return false;
    v.DestDir[3] = '\0';
    return true;
}

bool DestinationEnter(DestinationView& v, const char* name) {
    char dir[kPathSize];
    if (std::snprintf(dir, sizeof dir, "%s%s\\", v.DestDir, name) >= static_cast<int>(sizeof dir)) return false;
    std::memcpy(v.DestDir, dir, sizeof dir);
    return true;
}

namespace {

bool NotRoot(const DestinationView& v) { return v.table.EntryCount > 1 && v.table.rows[1].name[0] == '.'; }

DestResult Changed(bool ok) { return DestResult{ok ? DestAction::Read : DestAction::None}; }

DestResult EnterRow(DestinationView& v) {
    const EntryTable& t = v.table;
    const int i = v.CursorIndex;
    if (i < 0 || i >= t.EntryCount) return {};
    const FileEntry& e = t.rows[i];
    if (i == 0 && e.attributes == kAttrExecutionRow) return {DestAction::Confirm};
    if (!(e.attributes & kAttrDirectory)) return {};
    if (std::strcmp(e.name, "..") == 0) return Changed(DestinationParent(v));
    return DestinationEnter(v, e.name) ? DestResult{DestAction::Read} : DestResult{DestAction::Beep};
}

}  // namespace

DestResult DestinationKey(DestinationView& v, const Settings& s, int key, const Modifiers& m) {
    if (key == kKeyShift || key > kKeySlash) return {};
    if (key >= '1' && key <= '9' && !m.shift) return {DestAction::Drive, key - '1'};
    if (const int n = OneKeyDirectoryOf(key)) return {DestAction::OneKeyDir, n};
    switch (key) {
    case kKeyEscape: return {DestAction::Cancel};
    case kKeyReturn: return EnterRow(v);
    case kKeyBack: return Changed(NotRoot(v) && DestinationParent(v));
    case kKeyBackslash: return Changed(NotRoot(v) && DestinationRoot(v));
    case kKeyTab:
        v.DirectoriesOnly = !v.DirectoriesOnly;
        return {DestAction::Read};
    case kKeyInsert: return {DestAction::Remembered};
    case 'K': return {DestAction::MakeDir};
    case kKeyUp: case kKeyDown: case kKeyLeft: case kKeyRight: case kKeyPrior: case kKeyNext: {
        DestResult r{DestAction::Move};
        r.move = MoveKey(v, s, key, m);
        return r;
    }
    default: return {};
    }
}

DestResult DestinationClick(DestinationView& v, const Settings& s, int x, int y, bool doubleClick) {
    const ScreenLayout& sl = v.screen;
    if (x <= sl.x[0] || x >= sl.clientWidth || y <= sl.listTop || y >= sl.listBottom) return {DestAction::Read};
    const int pitch = v.Pitch[0] * sl.cw;
    const int index = ((x - sl.x[0]) / (pitch > 0 ? pitch : 1)) * v.RowsPerColumn + v.TopIndex + (y - sl.listTop) / sl.lh;
    if (index > v.LastOnPage || index < 0) return {};
    DestResult r{DestAction::Move};
    r.move.oldCursor = v.CursorIndex;
    r.move.redraw = index != v.CursorIndex ? kRedrawCursor : kRedrawNone;
    v.CursorIndex = index;
    if (doubleClick) {
        const DestResult enter = EnterRow(v);
        if (enter.action != DestAction::None) return enter;
    }
    return r;
}

}  // namespace qrn
