// Drawing a list view: its rows, the header lines with the cursor's
// information and the counts, and the status bar. Painting only draws; the
// owner of a view speaks its cursor row.
#pragma once
#include <windows.h>

#include "base/profile.h"
#include "base/settings.h"
#include "base/sjis_win32.h"
#include "listing/list_format.h"
#include "listing/list_view.h"

namespace qrn {

// What painting a view needs besides the view.
struct PaintContext {
    const Settings& settings;  // font, toolbar height, name display
    Profile& binColors;        // the BIN_COLOR section of qrn.ini
    HWND statusBar;            // the status bar that shows the disk figures, or null
    HFONT* font;               // the window's list font: made on first use, made anew by PaintAll
    const char* directory;     // the listed directory, for full names in the header
};

// The list font of the context, made now when there is none yet.
HFONT ListFont(const PaintContext& c);

// Full repaint: header, separator, list, counts. Creates the list font anew.
void PaintAll(HWND window, HDC dc, ListView& v, const PaintContext& c);
// The list area with the current page and the cursor row, and the cursor's
// header information.
void PaintList(HDC dc, ListView& v, const PaintContext& c);
// The list area alone: the page's rows and the cursor row (LastOnPage set).
void PaintRows(HDC dc, ListView& v, const PaintContext& c);
// Row index at (x, y), plain or as the cursor.
void DrawRow(HDC dc, const ListView& v, const PaintContext& c, int x, int y, int index, bool isCursor);
// Clears a box of n cells at (x, y) in the background colour and writes the
// first n bytes of text in the colours selected in dc.
void DrawField(HDC dc, const ListView& v, int x, int y, const char* text, int n);
void DrawLine(HDC dc, int x1, int y1, int x2, int y2, int width, int r, int g, int b);
// Values after "Files:", "Page:", "Mark:" and the three status-bar parts.
void ShowCounts(HWND window, ListView& v, const PaintContext& c);
void ShowCursorInfo(HWND window, ListView& v, const PaintContext& c, int index);
// The information lines show any file (a running operation's).
void ShowEntryInfo(HWND window, ListView& v, const PaintContext& c, const char* name, std::uint16_t date,
                   std::uint16_t time, std::uint32_t attributes, std::uint64_t size);
// The old cursor row plain, the new one highlighted, then the header.
void RedrawCursor(HWND window, ListView& v, const PaintContext& c, int oldCursor);
// The page laid out again and drawn with the information lines.
void RedrawPage(HWND window, ListView& v, const PaintContext& c);

// Pixel origin of row index on the current page.
void RowOrigin(const ListView& v, int index, int& x, int& y);

}  // namespace qrn
