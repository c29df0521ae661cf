#include "base/window_class_win32.h"

namespace qrn {

bool RegisterOwnClass(HINSTANCE instance, const char* name, WNDPROC procedure, UINT style, HBRUSH background) {
    WNDCLASSA wc{};
    wc.style = style;
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, "QRN_ICON");
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = background;
    wc.lpszClassName = name;
    return RegisterClassA(&wc) != 0;
}

}  // namespace qrn
