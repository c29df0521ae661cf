#include "app/prompts_win32.h"

#include <windows.h>

#include "app/main_window_win32.h"
#include "launch/input_dialog_win32.h"

namespace qrn {

int DialogPrompts::Message(void* owner, const char* text, const char* title, unsigned style) {
    return MessageBoxA(static_cast<HWND>(owner), text, title, style);
}

void DialogPrompts::Beep() { MessageBeep(MB_OK); }

bool DialogPrompts::InputLine(void* owner, const char* title, char* text, std::size_t size) {
    InputRequest r{title ? title : "", {}, IniProfile(), g_startup.ShellPath};
    if (!CopyWhole(r.text, sizeof r.text, text ? text : "")) return false;
    if (RunInputDialog(g_window.Instance, static_cast<HWND>(owner), r) != 1) return false;
    return text && CopyWhole(text, size, r.text);
}

}  // namespace qrn
