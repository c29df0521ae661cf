// The window classes of the program's own windows: its icon, the arrow
// cursor, no menu.
#pragma once
#include <windows.h>

#include <functional>

namespace qrn {

// Registers name for procedure with the given styles and background brush
// (null: none); false when the system refuses.
bool RegisterOwnClass(HINSTANCE instance, const char* name, WNDPROC procedure, UINT style, HBRUSH background);

// The character cell of font: average width and line height (leading
// included); cw and lh stay as they were when the system cannot tell.
void FontCell(HFONT font, int& cw, int& lh);

// The message loop of a window that waits for its answer: runs while
// running() and the window is there. A quit met on the way is posted again
// for the loop outside, which then ends too. A dialog's keys (Enter, Escape,
// Tab) go to the dialog manager first.
void RunOwnLoop(HWND window, const std::function<bool()>& running, bool dialog = false);

}  // namespace qrn
