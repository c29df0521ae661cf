// The file commands of the main list: delete, rename (also keeping the
// extension), make directory, the volume label, attributes, total size,
// concatenation, and files dropped on the list.
#pragma once
#include <windows.h>

#include "fileops/operation_ui_win32.h"

namespace qrn {

// The status dialog and the questions of a command on the main list: the
// information lines show the file at hand, the cursor goes where it is and
// the mark counts are drawn as they change.
Win32OperationUi MainListUi(HWND window);

// Delete, rename, rename keeping the extension, make directory and the
// volume label, on the main list.
void DeleteEntries(HWND window);
void RenameEntries(HWND window);
void RenameKeepingExtension(HWND window);
void MakeDirectory(HWND window);
void ChangeVolumeLabel(HWND window);
void ChangeAttributes(HWND window);
void TotalSize(HWND window);
void ConcatenateMarked(HWND window);
// The files of drop, dropped on row of the main list.
void DropOnList(HWND window, HDROP drop, int row);

}  // namespace qrn
