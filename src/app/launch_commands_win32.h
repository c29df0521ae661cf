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
// The launch commands of the menus: the command interpreter, the editor on
// the cursor entry, execute, the extension table, find by mask, the quick
// viewer, a shell command line and the pager.
void StartInterpreter(HWND window);
void EditCursorFile(HWND window);
void ExecuteCursorFile(HWND window);
void EditExtensions(HWND window);
void FindByMask(HWND window);
void QuickView(HWND window);
void ShellCommandLine(HWND window);
void ViewCursorFile(HWND window);

// Registered commands (Alt+C, Z) and directories (T, also for the
// destination window), their registration dialog (Ctrl+C with the cursor
// file, Ctrl+T with the listed directory, and empty from the menu), and a
// shortcut to the cursor entry (Ctrl+Alt+S).
void RegisteredCommand(HWND window);
void RegisteredDirectory(HWND window);
void DestinationRegisteredDirectory();
void AddRegisteredCommand(HWND window);
void EditRegisteredCommands(HWND window);
void AddRegisteredDirectory(HWND window);
void EditRegisteredDirectories(HWND window);
void MakeShortcut(HWND window);

}  // namespace qrn
