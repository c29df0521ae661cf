// The command vocabulary shared by menus, accelerators, toolbar and popup
// menus: which rows a command may act on, which popup menu a point gets,
// the toolbar's tooltip texts.
#pragma once
#include "listing/entry_table.h"

namespace qrn {

constexpr int kFirstCommand = 40001, kLastCommand = 40062;

// Whether a command of the given kind may act on row index:
// 0 always; 1 a plain file; 2 a plain file or a real directory;
// 3 a real directory or a label row. Other kinds: always.
bool EntryQualifies(const EntryTable& t, int index, int kind);

// Submenu of the popup menu: 1 on the information lines (the list's
// handler answered 0), else 0, or 2 for a file whose extension is LZH, ZIP
// or CAB (any case).
int PopupSubmenu(int handlerAnswer, const EntryTable& t, int cursor);

// While the destination window is open only these commands act (on it):
// registered directories, change drive, make directory, reset mask, Escape.
bool CommandActsWhileDestination(int id);

// Tooltip text of a toolbar command, or null.
const char* TooltipText(int id);

// The toolbar: image index and command of each of the 21 buttons (a
// separator has command 0).
struct ToolbarButton {
    int image, command;
};
constexpr int kToolbarButtons = 21;
extern const ToolbarButton kToolbar[kToolbarButtons];

}  // namespace qrn
