// The one-line input dialog "FILE_NAME": an editable drop-down with the
// lines entered before under the same title.
#pragma once
#include <windows.h>

namespace qrn {

constexpr int kIdInputLine = 1033;   // the combo box
constexpr int kIdInputLower = 1001;  // "小文字に変更(&S)", shown when renaming only

constexpr const char* kRenameTitle = "ファイル名の変更";

// Runs the dialog with g_input.InputTitle and g_input.InputText. Returns and
// leaves in g_window.DialogConfirmed 1 when a line was accepted (then in
// g_input.InputText), 0 otherwise.
int RunInputDialog(HINSTANCE instance, HWND owner);

INT_PTR CALLBACK InputDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam);

}  // namespace qrn
