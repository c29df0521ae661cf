#include "app/prompts_win32.h"

#include <windows.h>

namespace qrn {

int DialogPrompts::Message(void* owner, const char* text, const char* title, unsigned style) {
    return MessageBoxA(static_cast<HWND>(owner), text, title, style);
}

void DialogPrompts::Beep() { MessageBeep(MB_OK); }

}  // namespace qrn
