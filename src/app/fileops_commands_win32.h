// The file commands of the main list: delete, rename (also keeping the
// extension), make directory and the volume label.
#pragma once
#include <windows.h>

#include "fileops/operation_ui_win32.h"

namespace qrn {

// The status dialog and the questions of a command on the main list: the
// information lines show the file at hand, the cursor goes where it is and
// the mark counts are drawn as they change.
Win32OperationUi MainListUi(HWND window);

// CMD_DELETE, CMD_RENAME, CMD_RENAME_BASE, CMD_MKDIR and CMD_VOLUME_LABEL.
void FileCommand(HWND window, int id);

}  // namespace qrn
