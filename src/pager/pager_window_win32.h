// The pager window: the file under the cursor shown a page at a time, in a
// window of its own with its own message loop.
#pragma once
#include <windows.h>

#include "base/entry_table.h"
#include "base/profile.h"
#include "base/settings.h"
#include "pager/pager_text.h"

#include <memory>

namespace qrn {

struct PagerContext {
    const Settings* settings;  // colours, Editor, EDIT_LONGNAME
    Profile* ini;              // the stored rectangle
    HFONT font;                // the list font
    const char* directory;     // where the entry is; ends with a backslash
    RECT defaultPlace;         // left, top, width, height where nothing is stored
};

// The file at path, read where the text asks, and its size now; null when
// it cannot be opened for reading.
std::unique_ptr<ByteSource> OpenPagerFile(const char* path, std::uint64_t& size);
// Fills client with back and writes the page's lines in text, one character
// width from the left edge, lh apart from the top.
void DrawPage(HDC dc, const RECT& client, const Page& page, HFONT font, COLORREF back, COLORREF text, int cw, int lh);

// The pager window while one is open, else null.
HWND OpenPager();

// Shows entry (a plain file of directory) until the pager is closed; false
// when no pager opened (not a plain file, or one is open already).
bool ViewFile(HWND owner, const PagerContext& c, const FileEntry& entry);

}  // namespace qrn
