// The window classes of the program's own windows: its icon, the arrow
// cursor, no menu.
#pragma once
#include <windows.h>

namespace qrn {

// Registers name for procedure with the given styles and background brush
// (null: none); false when the system refuses.
bool RegisterOwnClass(HINSTANCE instance, const char* name, WNDPROC procedure, UINT style, HBRUSH background);

}  // namespace qrn
