// The command vocabulary shared by menus, accelerators, toolbar and popup
// menus: which rows a command may act on, which popup menu a point gets,
// the toolbar's tooltip texts.
#pragma once
#include "base/entry_table.h"
#include "resources/resource_ids.h"

namespace qrn {

constexpr int kFirstCommand = CMD_ABOUT, kLastCommand = CMD_SCOPE;

// Submenus of the popup menu.
enum PopupMenu : int { kPopupEntry = 0, kPopupInfoLines = 1, kPopupArchive = 2 };

// Submenu of the popup menu: the information lines' when the list's handler
// answered 0, the archive menu for a file whose extension is LZH, ZIP or CAB
// (any case), else the entry menu.
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
