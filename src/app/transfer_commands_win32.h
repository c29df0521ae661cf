// The commands that copy or move entries elsewhere: the drive window and the
// destination window choose where to.
#pragma once
#include <windows.h>

#include <cstddef>

#include "windows/destination.h"

namespace qrn {

// Copy, mask copy (asks for the pattern first), mirror copy (asks first) and
// move: the drive window, then the destination window.
void CopyEntries(HWND window);
void MaskCopyEntries(HWND window);
void MirrorCopyDirectory(HWND window);
void MoveEntries(HWND window);
// The drive window titled for operation, then the destination window on the
// drive's current directory or the directory chosen (as the drive window
// answered, for an operation that takes its choice as it is).
void ChooseDestination(HWND window, const PendingOperation& operation);
// The destination window over dir for operation, the main window's own
// while it is open; once it has gone the main window takes over again: the
// cursor where the command found it, the list read again, what was done said.
void OpenDestination(HWND window, const char* dir, const PendingOperation& operation);
// L in the main list: the drive window; a drive or directory chosen is listed.
void DriveSelectCommand(HWND window);
// The drive window as the directory reader asks for it when a drive is not ready.
int ChooseDriveForReader(void* owner, const char* title, char* choice, std::size_t size);

}  // namespace qrn
