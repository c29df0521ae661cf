// The main window's command dispatch: a handler for each command id that
// does something yet.
#pragma once
#include <windows.h>

namespace qrn {

using CommandHandler = void (*)(HWND window, int id);

struct CommandEntry {
    int id;
    CommandHandler handler;
};

// The handler of a command id; null for the ids that do nothing yet.
CommandHandler FindCommand(int id);

// Runs a command as the menus, accelerators and toolbar send it; while the
// destination window is open only the commands that act there run.
void DispatchCommand(HWND window, int id);

}  // namespace qrn
