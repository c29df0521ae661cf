// The one-line input dialog "FILE_NAME": an editable drop-down with the
// lines entered before under the same title.
#pragma once
#include <windows.h>

#include "base/profile.h"
#include "base/sjis.h"

namespace qrn {

constexpr int kIdInputLine = 1033;   // the combo box
constexpr int kIdInputLower = 1001;  // "小文字に変更(&S)", shown when renaming only

// One question of the dialog.
struct InputRequest {
    const char* title;          // the dialog's title; empty keeps the caption of the template
    char text[kPathSize];       // the line shown when the dialog opens; the accepted line after
    Profile& history;           // qrn.ini, where the history of each title is kept
    const char* shellPath;      // what an empty "Shell Command" line stands for
};

// Runs the dialog. 1 when a line was accepted (then in request.text), 0 otherwise.
int RunInputDialog(HINSTANCE instance, HWND owner, InputRequest& request);

}  // namespace qrn
