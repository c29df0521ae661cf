// The file commands of the main list: delete, rename (also keeping the
// extension), make directory and the volume label.
#pragma once
#include <windows.h>

namespace qrn {

// CMD_DELETE, CMD_RENAME, CMD_RENAME_BASE, CMD_MKDIR and CMD_VOLUME_LABEL.
void FileCommand(HWND window, int id);

}  // namespace qrn
