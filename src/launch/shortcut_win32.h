// Shell shortcuts (.lnk files) to the cursor entry, written through the
// system's shell-link component.
#pragma once
#include <windows.h>

#include "base/entry_table.h"

namespace qrn {

// Result codes of CreateShortcut.
enum ShortcutResult : int {
    kShortcutDone = 0, kShortcutNoPath = 1, kShortcutNoCom = 2, kShortcutNoObject = 3, kShortcutNoTarget = 4,
    kShortcutNoDescription = 5, kShortcutNoPersist = 6, kShortcutNotSaved = 7, kShortcutNoWorkingDir = 8
};

// Writes folder\name.lnk pointing at target, with the working directory
// (none when empty) and name as its description. initCom: COM is set up
// and taken down again around it (false when the caller keeps it running).
int CreateShortcut(const char* target, const char* folder, const char* workingDir, const char* name, bool initCom);

// The command for a row of currentDir: the save dialog, opening in the
// desktop folder, proposes the row's name without its extension; the
// shortcut is made where it says (an old one there only when the user says
// so). A failure is told. True when a shortcut was made.
bool ShortcutCommand(HWND owner, const char* currentDir, const FileEntry& row, bool initCom);

}  // namespace qrn
