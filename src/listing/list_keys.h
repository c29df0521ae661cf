// Keys and clicks on the file list: cursor moves, page turns, marks, drives,
// display modes. Pure state changes on the listing; the window redraws what
// the answer names and carries out the actions it hands back.
#pragma once
#include "base/settings.h"
#include "base/entry_table.h"
#include "listing/list_format.h"

namespace qrn {

// Virtual keys as the platform numbers them.
enum : int {
    kKeyBack = 8, kKeyTab = 9, kKeyReturn = 13, kKeyShift = 16, kKeyEscape = 27, kKeyPrior = 33, kKeyNext = 34,
    kKeyEnd = 35, kKeyHome = 36, kKeyLeft = 37, kKeyUp = 38, kKeyRight = 39, kKeyDown = 40,
    kKeyInsert = 45, kKeyE = 69, kKeyNumpad0 = 96, kKeyNumpad9 = 105, kKeySeparator = 108,
    kKeyDecimal = 110, kKeyDivide = 111, kKeyComma = 188, kKeyPeriod = 190, kKeySlash = 191,
    kKeyBackslash = 92, kKeyCaret = 94, kKeyOem220 = 220, kKeyOem222 = 222
};

// How much of the window to draw again after a key.
enum Redraw : int {
    kRedrawNone = 0,
    kRedrawCursor = 1,  // the old cursor row plain, the new one highlighted
    kRedrawPage = 2,    // marks or name case changed: the page (the window when automatic)
    kRedrawNewPage = 3, // the page changed
    kRedrawWindow = 4   // directory, drive or display mode changed
};

// What the window must do besides redrawing.
enum KeyAction : int {
    kActNone = 0,
    kActOpen,          // hand arg (13, 8, 92 or 69) to the open operation for the cursor entry
    kActOpenMarked,    // Enter with marks: open each marked plain file in turn
    kActDrive,         // change to drive arg (0 = A)
    kActOneKeyDir,     // one-key directory SET<arg>
    kActRememberedDir, // the remembered directory, when there is one
    kActBeep
};

struct KeyResult {
    Redraw redraw = kRedrawNone;
    int oldCursor = 0;
    KeyAction action = kActNone;
    int arg = 0;
};

// Shift and Ctrl as read from the keyboard.
struct Modifiers {
    bool shift = false, ctrl = false;
};

// Translates a virtual key: numeric-pad digits to digits, 222 to '^', 220
// to '\', Shift+Left and Shift+Right to Page Up and Page Down (dropping Shift).
int TranslateListKey(int vk, Modifiers& m);

// Whether a row can carry a mark: not ".", "..", the label or another pseudo-row.
bool IsMarkable(const FileEntry& e);

// Applies one (translated) key to the listing and the display settings.
KeyResult ListKey(ListView& l, Settings& s, int key, const Modifiers& m, const char driveTypes[26]);

// Only the cursor and page keys (Up, Down, Left, Right, Page Up, Page Down).
KeyResult MoveKey(ListView& l, const Settings& s, int key, const Modifiers& m);

// The one-key directory (1-3) of comma, period, slash and their keypad twins; 0 for any other key.
int OneKeyDirectoryOf(int key);

// The last row of the current page.
int LastOfPage(const ListView& l);
// Shows the page that holds index, with the cursor on it.
void GoToIndex(ListView& l, int index);

// Where a point of the client area lies.
enum HitArea : int { kHitOutside = 0, kHitEntry, kHitBehindLast, kHitInfoLines };
struct Hit {
    int area = kHitOutside;
    int index = -1;        // the entry under the point (kHitEntry)
    bool leftHalf = false; // left of the middle of the list's width
};
Hit HitTest(const ListView& l, int x, int y);

// A left click (or double click) at a hit: moves the cursor, marks with Ctrl
// or Shift, turns pages on the information lines.
KeyResult ListClick(ListView& l, Settings& s, const Hit& hit, const Modifiers& m, bool doubleClick,
                    const char driveTypes[26]);

// The context menu at a hit: 0 on the information lines, else 1 (the cursor
// moves to an entry under the point).
int ListContextMenu(ListView& l, const Hit& hit, KeyResult& r);

// The entry a file is dropped on: its index, 0 behind the last entry of the
// page, the cursor outside the list.
int ListDropTarget(const ListView& l, const Hit& hit);

}  // namespace qrn
