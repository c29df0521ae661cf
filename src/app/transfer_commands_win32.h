// The commands that copy or move entries elsewhere: the drive window and the
// destination window choose where to.
#pragma once
#include <windows.h>

namespace qrn {

// CMD_COPY, CMD_MASK_COPY, CMD_MIRROR_COPY and CMD_MOVE: the checks, then the
// drive window and the destination window.
void TransferCommand(HWND window, int id);
// L in the main list: the drive window; a drive or directory chosen is listed.
void DriveSelectCommand(HWND window, int id);
// The drive window as the directory reader asks for it when a drive is not ready.
int ChooseDriveForReader(void* owner, const char* title, char* choice, std::size_t size);

}  // namespace qrn
