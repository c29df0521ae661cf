// The list's key and mouse handler on the main window.
#pragma once
#include <windows.h>

namespace qrn {

// Handles WM_KEYDOWN (key = virtual key), WM_LBUTTONDOWN, WM_LBUTTONDBLCLK,
// WM_CONTEXTMENU and WM_DROPFILES (at g_window.MousePoint). The answer:
// for WM_CONTEXTMENU 0 on the information lines, else 1; for WM_DROPFILES
// the entry under the point; 0 otherwise.
int ListKeyHandler(HWND window, UINT msg, int key);

// Shows dir as the listed directory: read, page 1, no marks, full repaint.
// False when it could not be read: the rows read before stay listed, but
// their marks are cleared and the cursor is on the first row.
bool ShowDirectory(HWND window, const char* dir);

}  // namespace qrn
