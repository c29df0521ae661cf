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

void FontCell(HFONT font, int& cw, int& lh) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICA tm;
    if (GetTextMetricsA(dc, &tm)) cw = tm.tmAveCharWidth, lh = tm.tmHeight + tm.tmExternalLeading;
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
}

void RunOwnLoop(HWND window, const std::function<bool()>& running, bool dialog) {
    MSG m;
    while (running() && IsWindow(window)) {
        const BOOL got = GetMessageA(&m, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0) PostQuitMessage(static_cast<int>(m.wParam));
            return;
        }
        if (dialog && IsDialogMessageA(window, &m)) continue;
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
}

}  // namespace qrn
