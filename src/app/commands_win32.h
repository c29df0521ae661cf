// The main window's command table and dispatch: one row per command id.
#pragma once
#include <windows.h>

namespace qrn {

// Runs a command as the menus, accelerators and toolbar send it, when the
// list has the rows it needs; while the destination window is open only the
// commands that act there run (on it).
void DispatchCommand(HWND window, int id);

// Tooltip text of a toolbar command, or null.
const char* TooltipText(int id);

}  // namespace qrn
