// The sort dialog "DIR_SORT": key, direction and automatic sorting.
#pragma once
#include <windows.h>

namespace qrn {

// Runs the dialog; true when it was closed with OK (the settings then hold
// the new choice).
bool RunSortDialog(HINSTANCE instance, HWND owner);

// What the main window does after OK: read again when automatic sorting was
// just switched off, sort the table, cursor to the first row, repaint.
void ApplySortChoice(HWND window, bool autoSortWasOn);

// Sorts the main table with the current settings.
void SortMainTable();

INT_PTR CALLBACK SortDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam);

}  // namespace qrn
