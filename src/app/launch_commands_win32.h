// The launcher's commands as the main window runs them: opening the cursor
// entry, the walk over marked files and the launch commands of the menus.
#pragma once
#include <windows.h>

#include "listing/list_keys.h"

namespace qrn {

// Enter, Backspace, "\" and E on the cursor row; repaints after a walk.
void OpenCursorEntry(HWND window, int key, Modifiers m);
// Enter over marked files; Escape stops the walk (and is not taken for the
// quit question afterwards).
void OpenMarkedEntries(HWND window, Modifiers m);
// CMD_SHELL, CMD_EDIT, CMD_EXECUTE, CMD_EXTENSIONS, CMD_FIND, CMD_QUICK_VIEW,
// CMD_H_KEY and CMD_VIEW.
void LaunchCommand(HWND window, int id);

}  // namespace qrn
