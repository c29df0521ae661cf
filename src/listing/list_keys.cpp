#include "listing/list_keys.h"

#include <cstring>

namespace qrn {

namespace {

int Count(const ListView& l) { return l.table.EntryCount; }

// Shows page p (1-based) with the cursor at index.
void GoToPage(ListView& l, int page, int index) {
    l.PageNumber = page;
    l.TopIndex = (page - 1) * l.EntriesPerPage;
    l.LastOnPage = LastOfPage(l);
    l.CursorIndex = index;
}


bool FirstNameIsDot(const ListView& l, int row) {
    return Count(l) > row && l.table.rows[row].name[0] == '.';
}

void MoveUp(ListView& l, const Settings& s, KeyResult& r) {
    if (l.CursorIndex > l.TopIndex) {
        --l.CursorIndex;
        r.redraw = kRedrawCursor;
    } else if (s.ScrollMode != 1) {
        l.CursorIndex = l.LastOnPage;
        r.redraw = kRedrawCursor;
    } else if (l.PageNumber > 1) {
        GoToIndex(l, l.TopIndex - 1);
        r.redraw = kRedrawNewPage;
    }
}

void MoveDown(ListView& l, const Settings& s, KeyResult& r) {
    if (l.CursorIndex < l.LastOnPage) {
        ++l.CursorIndex;
        r.redraw = kRedrawCursor;
    } else if (s.ScrollMode != 1) {
        l.CursorIndex = l.TopIndex;
        r.redraw = kRedrawCursor;
    } else if (l.PageNumber < l.PageCount) {
        GoToIndex(l, l.LastOnPage + 1);
        r.redraw = kRedrawNewPage;
    }
}

void MoveLeft(ListView& l, const Settings& s, KeyResult& r) {
    const int R = l.RowsPerColumn;
    const int offset = l.CursorIndex - l.TopIndex;
    if (offset >= R) {
        l.CursorIndex -= R;
        r.redraw = kRedrawCursor;
        return;
    }
    if (s.ScrollMode == 1) {
        if (l.PageNumber > 1) {
            int target = l.CursorIndex - R;
            if (target < 0) target = 0;
            // The cursor stays on the previous page even when R entries back
            // would still be on this one.
            if (target >= l.TopIndex) target = l.TopIndex - 1;
            GoToIndex(l, target);
            r.redraw = kRedrawNewPage;
        }
        return;
    }
    const int n = l.LastOnPage - l.TopIndex + 1;
    int target;
    if (offset == 0) {
        target = n > R ? l.TopIndex + (n / R) * R - 1 : l.LastOnPage;
    } else {
        target = l.CursorIndex - 1 + R * ((l.LastOnPage - l.TopIndex) / R);
        if (target > l.LastOnPage) target -= R;
    }
    l.CursorIndex = target;
    r.redraw = kRedrawCursor;
}

void MoveRight(ListView& l, const Settings& s, KeyResult& r) {
    const int R = l.RowsPerColumn;
    if (l.CursorIndex + R <= l.LastOnPage) {
        l.CursorIndex += R;
        r.redraw = kRedrawCursor;
        return;
    }
    if (s.ScrollMode == 1) {
        if (l.PageNumber < l.PageCount) {
            int target = l.CursorIndex + R;
            if (target > Count(l) - 1) target = Count(l) - 1;
            if (target <= l.LastOnPage) target = l.LastOnPage + 1;
            GoToIndex(l, target);
            r.redraw = kRedrawNewPage;
        }
        return;
    }
    int target;
    if (l.CursorIndex == l.LastOnPage) {
        const int row = (l.LastOnPage + 1) % R;
        target = l.TopIndex + row;
        if (row == 0 || target > l.LastOnPage) target = l.TopIndex;
    } else {
        const int row = (l.CursorIndex - l.TopIndex) % R;
        target = row == R - 1 ? l.TopIndex : l.TopIndex + row + 1;
    }
    l.CursorIndex = target;
    r.redraw = kRedrawCursor;
}

void PageUp(ListView& l, const Modifiers& m, KeyResult& r) {
    if (m.shift) {
        GoToPage(l, 1, FirstNameIsDot(l, 1) ? 1 : 0);
        r.redraw = kRedrawNewPage;
    } else if (l.PageNumber > 1) {
        GoToPage(l, l.PageNumber - 1, (l.PageNumber - 2) * l.EntriesPerPage);
        r.redraw = kRedrawNewPage;
    }
}

void PageDown(ListView& l, const Modifiers& m, KeyResult& r) {
    if (l.PageNumber >= l.PageCount) return;
    const int page = m.shift ? l.PageCount : l.PageNumber + 1;
    GoToPage(l, page, (page - 1) * l.EntriesPerPage);
    r.redraw = kRedrawNewPage;
}

void MarkAllOrNone(ListView& l, bool directoriesToo) {
    EntryTable& t = l.table;
    if (t.MarkedCount > 0) {
        ClearAllMarks(t);
        return;
    }
    for (int i = 0; i < t.EntryCount; ++i) {
        const FileEntry& e = t.rows[i];
        if (!IsMarkable(e)) continue;
        if ((e.attributes & kAttrDirectory) && !directoriesToo) continue;
        SetMark(t, i, true);
    }
}

}  // namespace

int OneKeyDirectoryOf(int key) {
    switch (key) {
    case kKeyComma:
    case kKeySeparator: return 1;
    case kKeyPeriod:
    case kKeyDecimal: return 2;
    case kKeySlash:
    case kKeyDivide: return 3;
    default: return 0;
    }
}

void GoToIndex(ListView& l, int index) {
    const int epp = l.EntriesPerPage > 0 ? l.EntriesPerPage : 1;
    GoToPage(l, index / epp + 1, index);
}

int LastOfPage(const ListView& l) {
    int last = l.TopIndex + l.EntriesPerPage - 1;
    if (last > Count(l) - 1) last = Count(l) - 1;
    return last;
}

int TranslateListKey(int vk, Modifiers& m) {
    if (vk >= kKeyNumpad0 && vk <= kKeyNumpad9) return '0' + (vk - kKeyNumpad0);
    if (vk == kKeyOem222) return kKeyCaret;
    if (vk == kKeyOem220) return kKeyBackslash;
    if (vk == kKeyLeft && m.shift) {
        m.shift = false;
        return kKeyPrior;
    }
    if (vk == kKeyRight && m.shift) {
        m.shift = false;
        return kKeyNext;
    }
    return vk;
}

bool IsMarkable(const FileEntry& e) {
    if (e.attributes & kAttrLabel) return false;
    if ((e.attributes & kAttrDirectory) && (std::strcmp(e.name, ".") == 0 || std::strcmp(e.name, "..") == 0))
        return false;
    return true;
}

namespace {

// Space: the cursor row's mark flips (where a mark may stand), then the
// cursor moves down.
void ToggleMark(ListView& l, const Settings& s, KeyResult& r) {
    EntryTable& t = l.table;
    const int i = l.CursorIndex;
    if (t.rows[i].mark) SetMark(t, i, false);
    else if (IsMarkable(t.rows[i])) SetMark(t, i, true);
    KeyResult move;
    MoveDown(l, s, move);
    r.redraw = move.redraw == kRedrawNewPage ? kRedrawNewPage : kRedrawPage;
}

// "^": the next name case; Shift+"^" swaps the two two-column layouts.
void CaretKey(Settings& s, const Modifiers& m, KeyResult& r) {
    if (m.shift) {
        if (s.DisplayMode == 1) s.DisplayMode = 2;
        else if (s.DisplayMode == 2) s.DisplayMode = 1;
        s.TwoColumnSwitch = s.TwoColumnSwitch == 1 ? 0 : 1;
        r.redraw = kRedrawWindow;
    } else {
        s.NameCase = (s.NameCase >= 0 && s.NameCase < 3) ? s.NameCase + 1 : 0;
        r.redraw = kRedrawPage;
    }
}

// Digits: a drive (1 is A:, 0 is J:); with Shift a layout.
void DigitKey(Settings& s, int digit, const Modifiers& m, const char driveTypes[26], KeyResult& r) {
    if (m.shift) {
        // Shift+3 selects the one layout without a key of its own.
        static const int modes[10] = {-1, 3, 1, 2, 0, -2, -2, -2, -2, -2};
        const int mode = modes[digit];
        if (mode == -2) return;
        s.DisplayMode = mode;
        r.redraw = kRedrawWindow;
        return;
    }
    const int drive = digit == 0 ? 9 : digit - 1;
    if (static_cast<unsigned char>(driveTypes[drive]) < 2) {
        r.action = kActBeep;
    } else {
        r.action = kActDrive;
        r.arg = drive;
    }
}


// The keys that hand the cursor row to the open operation.
void OpenKey(const ListView& l, int key, const Modifiers& m, KeyResult& r) {
    const bool empty = Count(l) == 0;
    if (key == kKeyReturn) {
        if (empty) return;
        r.action = l.table.MarkedCount > 0 ? kActOpenMarked : kActOpen;
        r.arg = kKeyReturn;
    } else if (key == kKeyE) {
        if (!(m.shift || m.ctrl) || empty) return;
        r.action = kActOpen;
        r.arg = kKeyE;
    } else if (FirstNameIsDot(l, 0)) {  // Backspace and "\"
        r.action = kActOpen;
        r.arg = key;
    }
}

}  // namespace

KeyResult MoveKey(ListView& l, const Settings& s, int key, const Modifiers& m) {
    KeyResult r;
    r.oldCursor = l.CursorIndex;
    if (l.RowsPerColumn < 1) l.RowsPerColumn = 1;
    if (l.EntriesPerPage < 1) l.EntriesPerPage = l.RowsPerColumn;
    if (Count(l) == 0) return r;
    switch (key) {
    case kKeyUp: MoveUp(l, s, r); break;
    case kKeyDown: MoveDown(l, s, r); break;
    case kKeyLeft: MoveLeft(l, s, r); break;
    case kKeyRight: MoveRight(l, s, r); break;
    case kKeyPrior: PageUp(l, m, r); break;
    case kKeyNext: PageDown(l, m, r); break;
    default: break;
    }
    return r;
}

KeyResult ListKey(ListView& l, Settings& s, int key, const Modifiers& m, const char driveTypes[26]) {
    KeyResult r;
    r.oldCursor = l.CursorIndex;
    if (key == kKeyShift) return r;
    if (l.RowsPerColumn < 1) l.RowsPerColumn = 1;
    if (l.EntriesPerPage < 1) l.EntriesPerPage = l.RowsPerColumn;
    const bool empty = Count(l) == 0;

    switch (key) {
    case kKeyUp:
    case kKeyDown:
    case kKeyLeft:
    case kKeyRight:
    case kKeyPrior:
    case kKeyNext:
        return MoveKey(l, s, key, m);
    case ' ':
        if (!empty) ToggleMark(l, s, r);
        break;
    case kKeyHome:
        if (empty) break;
        MarkAllOrNone(l, m.ctrl);
        r.redraw = kRedrawPage;
        break;
    case kKeyReturn:
    case kKeyBack:
    case kKeyBackslash:
    case kKeyE:
        OpenKey(l, key, m, r);
        break;
    case kKeyCaret:
        CaretKey(s, m, r);
        break;
    case kKeyInsert:
        r.action = kActRememberedDir;
        break;
    default:
        if (const int n = OneKeyDirectoryOf(key)) {
            r.action = kActOneKeyDir;
            r.arg = n;
        } else if (key >= '0' && key <= '9') {
            DigitKey(s, key - '0', m, driveTypes, r);
        }
        break;
    }
    return r;
}

Hit HitTest(const ListView& l, int x, int y) {
    const ScreenLayout& sl = l.screen;
    Hit h;
    h.leftHalf = x < sl.clientWidth / 2;
    if (y >= sl.T && y < sl.y[3]) {
        h.area = kHitInfoLines;
        return h;
    }
    if (x <= sl.x[0] || x >= sl.clientWidth || y <= sl.listTop || y >= sl.listBottom) return h;
    const int pitch = PitchPixels(l, l.Layout, sl.cw);
    const int column = (x - sl.x[0]) / (pitch > 0 ? pitch : 1);
    const int row = (y - sl.listTop) / sl.lh;
    if (row >= l.RowsPerColumn || column >= l.ColumnsPerPage) {
        h.area = kHitBehindLast;
        return h;
    }
    const int index = l.TopIndex + column * l.RowsPerColumn + row;
    if (index > l.LastOnPage) {
        h.area = kHitBehindLast;
        return h;
    }
    h.area = kHitEntry;
    h.index = index;
    return h;
}

KeyResult ListClick(ListView& l, Settings& s, const Hit& hit, const Modifiers& m, bool doubleClick,
                    const char driveTypes[26]) {
    KeyResult r;
    r.oldCursor = l.CursorIndex;
    if (hit.area == kHitInfoLines) {
        Modifiers none;
        return ListKey(l, s, hit.leftHalf ? kKeyPrior : kKeyNext, none, driveTypes);
    }
    if (hit.area != kHitEntry) return r;
    const int old = l.CursorIndex;
    l.CursorIndex = hit.index;
    r.redraw = kRedrawCursor;
    if (doubleClick) {
        r.action = kActOpen;
        r.arg = kKeyReturn;
        if (l.table.MarkedCount > 0) r.action = kActOpenMarked;
        return r;
    }
    EntryTable& t = l.table;
    if (m.ctrl) {
        if (IsMarkable(t.rows[hit.index]) && SetMark(t, hit.index, true)) r.redraw = kRedrawPage;
    } else if (m.shift) {
        const int from = old < hit.index ? old : hit.index;
        const int to = old < hit.index ? hit.index : old;
        for (int i = from; i <= to && i < t.EntryCount; ++i)
            if (i >= 0 && IsMarkable(t.rows[i])) SetMark(t, i, true);
        r.redraw = kRedrawPage;
    }
    return r;
}

int ListContextMenu(ListView& l, const Hit& hit, KeyResult& r) {
    r = KeyResult{};
    r.oldCursor = l.CursorIndex;
    if (hit.area == kHitInfoLines) return 0;
    if (hit.area == kHitEntry && hit.index != l.CursorIndex) {
        l.CursorIndex = hit.index;
        r.redraw = kRedrawCursor;
    }
    return 1;
}

int ListDropTarget(const ListView& l, const Hit& hit) {
    if (hit.area == kHitEntry) return hit.index;
    if (hit.area == kHitBehindLast) return 0;
    return l.CursorIndex;
}

}  // namespace qrn
