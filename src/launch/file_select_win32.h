// The file chooser behind the "参照" buttons: picks an existing file,
// executables offered first.
#pragma once
#include <windows.h>

#include <cstddef>

namespace qrn {

// Shows the open-file dialog "FileSelect". Returns 1 with the chosen file's
// full path in result, 0 when cancelled or when the path does not fit into
// size bytes (result is then empty).
int FileSelect(HWND owner, char* result, std::size_t size);

}  // namespace qrn
