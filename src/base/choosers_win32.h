// The system's choosers behind the "参照" buttons: an existing file,
// executables offered first, or a directory.
#pragma once
#include <windows.h>

#include <cstddef>

namespace qrn {

// Shows the open-file dialog "FileSelect". Returns 1 with the chosen file's
// full path in result, 0 when cancelled or when the path does not fit into
// size bytes (result is then empty).
int FileSelect(HWND owner, char* result, std::size_t size);

// Shows the folder chooser titled title. Returns 1 with the chosen directory
// in result, ending with a backslash; 0 when cancelled, when the choice is no
// directory of the file system or when it does not fit into size bytes
// (result is then empty).
int DirSelect(HWND owner, const char* title, char* result, std::size_t size);

}  // namespace qrn
