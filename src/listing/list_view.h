// A list on the screen: a table of rows with its cursor, page, geometry,
// colours and voice. The main list is one; every list window holds its own,
// and the same code formats, moves, hit-tests and paints them all.
#pragma once
#include "base/entry_table.h"
#include "base/settings.h"

namespace qrn {

// Pixel positions of the header and the list, from the font metrics.
struct ScreenLayout {
    int lh, cw;          // line height, character width
    int T;               // toolbar height
    int clientWidth, listBottom;
    int y[4];            // header line tops
    int listTop, sepY;
    int x[6];            // header columns
};

struct ListView {
    EntryTable table;
    int NameWidth;                // name column width in characters
    int Pitch[5];                 // column pitch of each layout, in characters (999 pixels for 4)
    int CursorIndex;              // row under the cursor
    int TopIndex;                 // first row of the page on screen
    int LastOnPage;               // last row drawn on that page
    int PageNumber, PageCount;    // 1-based page of the cursor; pages in all
    int RowsPerColumn, EntriesPerPage;
    int ColumnsPerPage;
    int Layout;                   // layout in use, 0-4
    ScreenLayout screen;          // geometry of the last full repaint
    bool screenValid;             // screen has been measured
    const Rgb* colors;            // kColorCount colours the rows are drawn in
    bool speaks;                  // its owner speaks the cursor row after a move
};

// The main list: a view over the listed directory, with its mask, the last
// directory read and the change watch.
struct Listing : ListView {
    char CurrentDir[kPathSize];   // absolute, ends with a backslash
    char FileMask[16];            // "*.*" lists everything
    char LastGoodDir[kPathSize];
    bool FirstRead;               // the next read is the first since start
    void* ChangeWatch;            // change-notification handle, or null
};

// Puts a view back to its start state: empty table, cursor on the first row.
void ResetView(ListView& v);
// Puts a listing back to its start state ("A:\", "*.*", empty table).
void ResetListing(Listing& l);

// Name column width and the five pitches (in characters) from LongestName.
int NameColumnWidth(int longestName, int expDispSize, int fileDispSize);
void ComputePitches(ListView& v, int expDispSize, int fileDispSize);

// Cell of row index on the current page: column and row within it.
inline int RowColumn(const ListView& v, int index) { return (index - v.TopIndex) / v.RowsPerColumn; }
inline int RowLine(const ListView& v, int index) { return (index - v.TopIndex) % v.RowsPerColumn; }

}  // namespace qrn
