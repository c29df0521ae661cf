// Stand-in for a screen reader's window: "reader_window.exe CLASSNAME" shows
// a small top-level window of that class (95Reader when none is given),
// titled "reader", until it is closed.
#include <windows.h>

#include <cstring>

namespace {

LRESULT CALLBACK ReaderProc(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, w, l);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    char name[256] = "95Reader";
    const char* p = commandLine ? commandLine : "";
    while (*p == ' ' || *p == '\t') ++p;
    if (*p) {
        const bool quoted = *p == '"';
        if (quoted) ++p;
        std::size_t n = 0;
        while (p[n] && n + 1 < sizeof name && (quoted ? p[n] != '"' : (p[n] != ' ' && p[n] != '\t'))) ++n;
        std::memcpy(name, p, n);
        name[n] = '\0';
    }
    WNDCLASSA wc = {};
    wc.lpfnWndProc = ReaderProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = name;
    if (!RegisterClassA(&wc)) return 1;
    HWND window = CreateWindowA(name, "reader", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 200, 100,
                                nullptr, nullptr, instance, nullptr);
    if (!window) return 1;
    ShowWindow(window, SW_SHOWNORMAL);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
