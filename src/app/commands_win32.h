// The main window's command dispatch: one handler for every id 40001-40062.
#pragma once
#include <windows.h>

namespace qrn {

using CommandHandler = void (*)(HWND window, int id);

struct CommandEntry {
    int id;
    CommandHandler handler;  // commands whose subsystem is not built yet do nothing
};

// The table, in id order.
const CommandEntry* CommandTable(int& count);

// Runs a command as the menus, accelerators and toolbar send it; while the
// destination window is open only the commands that act there run.
void DispatchCommand(HWND window, int id);

}  // namespace qrn
