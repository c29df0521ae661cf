// The pager window: the file under the cursor shown a page at a time, in a
// window of its own with its own message loop.
#pragma once
#include <windows.h>

#include "base/entry_table.h"
#include "base/profile.h"
#include "base/settings.h"

namespace qrn {

struct PagerContext {
    const Settings* settings;  // colours, Editor, EDIT_LONGNAME
    Profile* ini;              // the stored rectangle
    HFONT font;                // the list font
    const char* directory;     // where the entry is; ends with a backslash
    RECT defaultPlace;         // left, top, width, height where nothing is stored
};

// Shows entry (a plain file of directory) until the pager is closed; false
// when no pager opened (not a plain file, or one is open already).
bool ViewFile(HWND owner, const PagerContext& c, const FileEntry& entry);

}  // namespace qrn
