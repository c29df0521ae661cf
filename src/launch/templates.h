// Command templates: the placeholder language of every command line the
// filer starts for a file, and the small row helpers the launcher shares.
#pragma once
#include <cstddef>

#include "base/entry_table.h"
#include "listing/list_view.h"

namespace qrn {

constexpr std::size_t kCommandSize = 256;  // a command line: 255 bytes + NUL

// The short (8.3) form of a full path; false when it cannot be had.
using ShortPathFn = bool (*)(const char* path, char* out, std::size_t size);

// Expands tmpl for the row subject of l's table into out (size bytes).
// Placeholders: %F full path, %S short full path, %> name (quoted when long),
// %& base name, %] and %[ the cursor row's name and base name while rows are
// marked, %| drive and colon, %: directory without the drive. ";" starts a
// comment. Returns false, with out empty, when the expansion would not fit:
// a command is never cut into a different one.
// %S falls back to the long path when the short form cannot be had; %& and
// %[ close the quote they open for a long name after the base name.
bool ExpandTemplate(const char* tmpl, char* out, std::size_t size, int subject, const Listing& l,
                    ShortPathFn shortPath);

// True when the name placeholders put the name in double quotes: longer than
// 12 bytes, a blank or "+", a second period or a base name over 8 bytes.
bool IsLongName(const char* name);

// First row of table (label rows excepted) whose name equals name, letter
// case ignored; -1 when there is none.
int FindEntryByName(const char* name, const EntryTable& table);

// The command line that starts the editor or pager program for one row: the
// program text expanded, or, when it holds no placeholder, the program text,
// a blank and the row's full path (quoted when quoteNames). False when the
// line would not fit.
bool ProgramCommand(const char* program, char* out, std::size_t size, int subject, const Listing& l,
                    bool quoteNames, ShortPathFn shortPath);

}  // namespace qrn
