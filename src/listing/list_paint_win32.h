// Drawing the list, its header lines and the status bar of the main window.
#pragma once
#include <windows.h>

#include <cstdint>

#include "listing/list_format.h"

namespace qrn {

// Geometry of the last full repaint, used by every partial redraw.
struct PaintState {
    ScreenLayout screen{};
    bool valid = false;
};

extern PaintState g_paint;

// Full repaint: header, separator, list, counts. Creates the list font anew.
void PaintAll(HWND window, HDC dc);
// Title, the list area with the current page and the cursor row, and the
// cursor's header information.
void PaintList(HWND window, HDC dc);
// Row index of the main table at (x, y), plain or as the cursor (spoken).
void DrawRow(HWND window, HDC dc, int x, int y, int index, bool isCursor);
// Clears a box of n cells at (x, y) in the background colour and writes the
// first n bytes of text in the colours selected in dc.
void DrawField(HDC dc, int x, int y, const char* text, int n);
void DrawLine(HDC dc, int x1, int y1, int x2, int y2, int width, int r, int g, int b);
// Values after "Files:", "Page:", "Mark:" and the three status-bar parts.
void ShowCounts(HWND window);
void ShowCursorInfo(HWND window, int index);
void ShowEntryInfo(HWND window, const char* name, std::uint16_t date, std::uint16_t time,
                   std::uint32_t attributes, std::uint64_t size);
// Reads CurrentDir again and repaints everything.
void RefreshListing(HWND window);

// Pixel origin of row index on the current page.
void RowOrigin(int index, int& x, int& y);

// Recomputes the page geometry from the last full repaint's layout.
void UpdatePageGeometry();

}  // namespace qrn
