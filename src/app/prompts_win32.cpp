#include "app/prompts_win32.h"

#include <windows.h>

#include "app/main_window_win32.h"
#include "launch/input_dialog_win32.h"
#include "launch/input_history.h"
#include "listing/sjis.h"

namespace qrn {

int DialogPrompts::Message(void* owner, const char* text, const char* title, unsigned style) {
    return MessageBoxA(static_cast<HWND>(owner), text, title, style);
}

void DialogPrompts::Beep() { MessageBeep(MB_OK); }

bool DialogPrompts::InputLine(void* owner, const char* title, char* text, std::size_t size) {
    CopyCut(g_input.InputTitle, sizeof g_input.InputTitle, title ? title : "");
    if (!CopyWhole(g_input.InputText, sizeof g_input.InputText, text ? text : "")) return false;
    if (RunInputDialog(g_window.Instance, static_cast<HWND>(owner)) != 1) return false;
    return text && CopyWhole(text, size, g_input.InputText);
}

}  // namespace qrn
