// The command vocabulary shared by menus, accelerators, toolbar and popup
// menus: which rows a command needs, which popup menu a point gets, the
// toolbar's buttons.
#pragma once
#include "base/entry_table.h"
#include "resources/resource_ids.h"

namespace qrn {

constexpr int kFirstCommand = CMD_ABOUT, kLastCommand = CMD_WHERE;

// Submenus of the popup menu.
enum PopupMenu : int { kPopupEntry = 0, kPopupInfoLines = 1, kPopupArchive = 2 };

// Submenu of the popup menu: the information lines' when the list's handler
// answered 0, the archive menu for a file whose extension is LZH, ZIP or CAB
// (any case), else the entry menu.
int PopupSubmenu(int handlerAnswer, const EntryTable& t, int cursor);

// What a command needs of the list before it runs: the cursor row of a kind
// (RowKind::Any for none), which marked rows may stand in for.
struct RowNeed {
    RowKind cursor = RowKind::Any;
    bool orMarked = false;
};
constexpr RowNeed kNoRow{}, kPlainFileRow{RowKind::PlainFile}, kMarkedOrPlainFileRow{RowKind::PlainFile, true},
    kMarkedOrEntryRow{RowKind::FileOrDirectory, true}, kDirectoryOrLabelRow{RowKind::DirectoryOrLabel},
    kEntryRow{RowKind::FileOrDirectory};

inline bool RowsServe(const EntryTable& t, int cursor, RowNeed need) {
    return (need.orMarked && t.MarkedCount > 0) || EntryQualifies(t, cursor, need.cursor);
}

// The toolbar: image index and command of each of the 21 buttons (a
// separator has command 0).
struct ToolbarButton {
    int image, command;
};
constexpr int kToolbarButtons = 21;
inline constexpr ToolbarButton kToolbar[kToolbarButtons] = {
    {6, CMD_MOVE}, {7, CMD_COPY}, {8, CMD_RENAME}, {9, CMD_ATTRIBUTES}, {10, CMD_MKDIR}, {11, CMD_DELETE}, {15, CMD_PACK},
    {16, CMD_UNPACK}, {17, CMD_SHORTCUT}, {0, 0},   {12, CMD_FIND}, {13, CMD_VIEW}, {14, CMD_EDIT}, {0, 0},
    {0, CMD_NEXT_PAGE}, {1, CMD_PREVIOUS_PAGE}, {0, 0},     {3, CMD_QUIT},  {0, 0},      {4, CMD_ABOUT},  {5, CMD_HELP},
};

}  // namespace qrn
