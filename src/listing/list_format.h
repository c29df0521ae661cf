// Texts and geometry of the list display: row fields, header values, the
// page layout in character cells and pixels. Drawing itself is the Windows
// layer's; everything it writes is built here.
#pragma once
#include <cstddef>
#include <cstdint>

#include "base/entry_table.h"
#include "base/settings.h"
#include "listing/list_view.h"

namespace qrn {

// Room for any row text: the name field (at most 1 + 260 + 1 + 255 + 1
// bytes when the extension is wider than the column) and the 36 bytes of
// the other fields.
constexpr std::size_t kRowTextSize = 600;
constexpr std::size_t kExtTextSize = 256;

// Case mappings of the platform (CharLowerA and CharUpperA in the program).
using CaseFn = void (*)(char*);

struct NameFormat {
    int W;            // name column width in characters
    int expDispSize;  // ExpDispSize: characters of the extension shown
    int nameCase;     // Disp_Omoji: 0 lower, 1 upper, 2 mixed, 3 as stored
    CaseFn lower, upper;
};

// Decimal text with ',' between groups of three digits, padded with blanks
// on the left to width (0: no padding); never cut. Returns the length.
int FormatNumber(char* out, std::size_t size, std::uint64_t value, int width);

// The name field (W+2 characters when the extension fits the column) and the
// extension as shown, padded to expDispSize characters.
void FormatEntryName(const FileEntry& e, const NameFormat& f, char* out, std::size_t outSize,
                     char* extOut, std::size_t extSize);

// The fixed-width row fields: size 12, date 9, time 9, attributes 6.
void SizeField(const FileEntry& e, char out[32]);  // wider for sizes of 12 digits and more
void DateField(std::uint16_t date, char out[16]);
void TimeField(std::uint16_t time, char out[16]);
void AttrField(const FileEntry& e, char out[8]);

// The whole row text of a layout (0-4) for a row whose name field is given.
void RowText(const FileEntry& e, int layout, const char* nameField, char* out, std::size_t size);

// What the screen reader is given for the cursor row: the name field made
// readable, then the information fields of the layout in force.
void SpokenRowText(const FileEntry& e, int layout, const char* nameField, char* out, std::size_t size);

// Colour of a row by its attributes and name.
ColorIndex RowColor(const FileEntry& e);

// A BIN_COLOR index 0-7 as a colour: bit 1 blue, bit 2 red, bit 4 green.
Rgb BinColor(int index);

// The BIN_COLOR key of a shown extension: upper case, without the fill blanks.
void BinColorKey(const char* extText, CaseFn upper, char* out, std::size_t size);

// Header values.
void FilesValue(const EntryTable& t, char out[48]);            // "%4d%c%s"
void PageValue(int pageNumber, int pageCount, char out[32]);   // "%2d/%2d    "
void MarkValue(const EntryTable& t, char out[48]);             // "%4d %s"
void DateTimeValue(std::uint16_t date, std::uint16_t time, char out[32]);
void AttrValue(std::uint32_t attributes, char out[8]);          // "AHSRD" or "<Vol>"
// The three status-bar texts: " Free: ", " Total: ", " Used: " and the figures.
void StatusTexts(const EntryTable& t, char free[48], char total[48], char used[48]);

// Where the cursor is, in one sentence to speak (size bytes, at most a
// speech text): the directory dir, readable, cut so that what follows fits;
// the cursor's place among all rows; the marks when there are; the free space.
void WhereSentence(const EntryTable& t, const char* dir, int cursor, std::uint64_t freeBytes, char* out,
                   std::size_t size);

// Pixel positions of the header and the list, from the font metrics.
ScreenLayout ComputeScreenLayout(int lineHeight, int charWidth, int toolbarHeight, int clientWidth,
                                 int listBottom);

// Width in pixels of one column of a layout.
int PitchPixels(const ListView& v, int layout, int cw);

// Name width, pitches, rows per column, the layout in use, entries per page,
// the page count and the page of the cursor (which is clamped to the table).
void ComputePageGeometry(ListView& v, const Settings& s);

// The name format of a view under the display settings.
NameFormat ViewNameFormat(const ListView& v, const Settings& s, CaseFn lower, CaseFn upper);

// What is spoken for the cursor row of a view (empty when it has none).
void CursorRowSpeech(const ListView& v, const Settings& s, CaseFn lower, CaseFn upper, char* out,
                     std::size_t size);

}  // namespace qrn
