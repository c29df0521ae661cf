// The destination window's list: a second view with a table of its own,
// "[ Execution  ]" on top, then the directories and (unless only directories
// are shown) the files of the directory being walked to.
#pragma once
#include "base/settings.h"
#include "listing/dir_reader.h"
#include "listing/list_keys.h"
#include "listing/list_view.h"

namespace qrn {

// An operation that has the destination window choose its target: one row
// of the table of such operations (copy, mask copy, mirror copy, move; an
// unpack or an archive being made alike).
struct PendingOperation {
    const char* driveTitle;        // the drive window's, and the destination window's until it is drawn
    const char* destinationTitle;  // the destination window's, in front of the directory it shows
    // Runs on confirming, with the directory shown (trailing backslash) as the target.
    void (*run)(void* owner, const char* target);
    const char* openingTitle = nullptr;  // the destination window's until it is drawn, when not driveTitle
    // Only a drive (or a typed path) chosen in the drive window goes on, and
    // the destination window opens on it as the drive window answered.
    bool driveChoiceAsIs = false;
};

constexpr int kDestinationRows = 512;  // the execution row, 510 entries and the end row

struct DestinationView : ListView {
    char DestDir[kPathSize];   // the directory shown, with a trailing backslash: the target
    bool DirectoriesOnly;      // Tab: files are not listed
    Rgb palette[kColorCount];  // the list's colours, the execution row green
};

// A view in its start state over dir, with the colours of s.
void StartDestination(DestinationView& v, const Settings& s, const char* dir);

// Fills the table from DestDir: the execution row, the directories (without
// "."), then the files, each part sorted when automatic sorting is on. The
// row count; 0 when the directory cannot be searched.
int ReadDestination(DestinationView& v, const Settings& s, DirectoryPlatform& p);

// Cursor, top and page back to the start after a read.
void ResetDestinationCursor(DestinationView& v);

// The page geometry of a full repaint for a client area and font cells.
void ComputeDestinationGeometry(DestinationView& v, const Settings& s, int lh, int cw, int clientWidth,
                                int clientHeight);

// What a key or click asks of the window.
enum class DestAction : int {
    None,
    Cancel,      // Escape
    Confirm,     // Enter on "[ Execution  ]"
    Read,        // DestDir has changed (or Tab): read, reset, repaint
    Drive,       // digit: drive arg (0 = A)
    OneKeyDir,   // SET<arg>
    Remembered,  // Insert
    MakeDir,     // K
    Move,        // the cursor moved: move.redraw tells how much to draw
    Beep,
};
struct DestResult {
    DestResult(DestAction a = DestAction::None, int n = 0) : action(a), arg(n) {}
    DestAction action;
    int arg;
    KeyResult move;
};

// A key-down, already translated as in the list (m holds Shift).
DestResult DestinationKey(DestinationView& v, const Settings& s, int key, const Modifiers& m);
// A left click or double click at a client point.
DestResult DestinationClick(DestinationView& v, const Settings& s, int x, int y, bool doubleClick);

// DestDir cut to its parent, or to its root ("\" key). False at a root.
bool DestinationParent(DestinationView& v);
bool DestinationRoot(DestinationView& v);
// DestDir + name + "\"; false (unchanged) when it would not fit.
bool DestinationEnter(DestinationView& v, const char* name);

}  // namespace qrn
