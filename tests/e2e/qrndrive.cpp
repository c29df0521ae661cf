// qrndrive: finds, reads and operates the windows of other programs in the
// same Wine session, for the end-to-end scenarios. CLASS and TITLE may be "-"
// for any; TITLE matches a part of the title, or all of it after "=".
//   wait|gone CLASS TITLE MS     a visible top-level window appears / none is left
//   count|title|texts CLASS TITLE  how many; the title; title and children (class<TAB>text)
//   settext|gettext CLASS TITLE #ID [TEXT]   a control's text
//   press CLASS TITLE BUTTON     click the child button of that text ('&' ignored) or of id #N
//   keys CLASS TITLE KEY...      keys through the input queue: a letter, a digit or a name
//                                (esc, enter, pgdn ...), with shift+, ctrl+, alt+
//   click CLASS TITLE X Y [ctrl|shift|right]   a click at a client point
//   command CLASS TITLE ID; close CLASS TITLE        post WM_COMMAND / WM_CLOSE
//   shot CLASS TITLE FILE.bmp    the client area as a 24-bit bitmap
//   rect CLASS TITLE             "X Y W H CW CH STATE": outer rectangle, client size and
//                                minimised, maximised or normal
//   resize CLASS TITLE W H       that outer size, as a user dragging the frame would
//   metrics FACE HEIGHT CHARSET  "LH CW" of that font as the list draws it
//   exec DIR PROGRAM             PROGRAM started in DIR with the arguments of QRN_ARGS,
//                                exactly as written there; ends with its exit code
// Texts are printed in UTF-8. Exit code 0 on success, 1 when nothing matched
// or timed out, 2 for a usage error.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <map>
#include <string>
#include <vector>

namespace {

void Print(const std::wstring& w) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, w.c_str(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
    std::string s(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.c_str(), static_cast<int>(w.size()), s.data(), n, nullptr, nullptr);
    s += "\n";
    DWORD written;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), s.data(), static_cast<DWORD>(s.size()), &written, nullptr);
}

std::wstring TextOf(HWND h) {
    // WM_GETTEXT reaches the control itself, so that controls which keep
    // their own text (a status bar's first part) answer too.
    wchar_t buf[4096];
    DWORD_PTR n = 0;
    if (!SendMessageTimeoutW(h, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(buf), SMTO_ABORTIFHUNG, 2000, &n))
        n = static_cast<DWORD_PTR>(GetWindowTextW(h, buf, 4096));
    return std::wstring(buf, n > 0 && n < 4096 ? static_cast<std::size_t>(n) : 0);
}

std::wstring ClassOf(HWND h) {
    wchar_t buf[256];
    const int n = GetClassNameW(h, buf, 256);
    return std::wstring(buf, n > 0 ? static_cast<std::size_t>(n) : 0);
}

std::wstring WithoutAmpersands(std::wstring s) {
    std::erase(s, L'&');
    return s;
}

// The visible top-level windows of that class and title part: all counted, or the first found.
struct Query {
    std::wstring cls, title;
    bool all = false;
    HWND found = nullptr;
    int n = 0;
};

BOOL CALLBACK Match(HWND h, LPARAM lp) {
    Query* q = reinterpret_cast<Query*>(lp);
    if (!IsWindowVisible(h) || (q->cls != L"-" && ClassOf(h) != q->cls)) return TRUE;
    if (q->title != L"-") {
        const std::wstring text = TextOf(h);
        if (q->title[0] == L'=' ? text != q->title.substr(1) : text.find(q->title) == std::wstring::npos) return TRUE;
    }
    q->found = h;
    ++q->n;
    return q->all;
}

HWND Find(const std::wstring& cls, const std::wstring& title) {
    Query q{cls, title};
    EnumWindows(Match, reinterpret_cast<LPARAM>(&q));
    return q.found;
}

// Waits until the window is there (or, with gone, no longer there).
bool Await(const std::wstring& cls, const std::wstring& title, DWORD ms, bool gone = false) {
    for (DWORD start = GetTickCount();; Sleep(50)) {
        if ((Find(cls, title) != nullptr) != gone) return true;
        if (GetTickCount() - start >= ms) return false;
    }
}

BOOL CALLBACK CollectChild(HWND h, LPARAM lp) {
    reinterpret_cast<std::vector<HWND>*>(lp)->push_back(h);
    return TRUE;
}

std::vector<HWND> Children(HWND h) {
    std::vector<HWND> v;
    EnumChildWindows(h, CollectChild, reinterpret_cast<LPARAM>(&v));
    return v;
}

bool KeyOf(std::wstring name, WORD& vk, std::vector<WORD>& mods) {
    static const std::map<std::wstring, WORD> modifiers = {{L"shift", VK_SHIFT}, {L"ctrl", VK_CONTROL}, {L"alt", VK_MENU}};
    for (std::size_t plus; (plus = name.find(L'+')) != std::wstring::npos && plus > 0 && plus + 1 < name.size();) {
        const auto m = modifiers.find(name.substr(0, plus));
        if (m == modifiers.end()) return false;
        mods.push_back(m->second);
        name = name.substr(plus + 1);
    }
    static const std::map<std::wstring, WORD> names = {
        {L"esc", VK_ESCAPE}, {L"enter", VK_RETURN}, {L"space", VK_SPACE}, {L"tab", VK_TAB}, {L"back", VK_BACK},
        {L"up", VK_UP}, {L"down", VK_DOWN}, {L"left", VK_LEFT}, {L"right", VK_RIGHT}, {L"home", VK_HOME},
        {L"end", VK_END}, {L"pgup", VK_PRIOR}, {L"pgdn", VK_NEXT}, {L"insert", VK_INSERT}, {L"apps", VK_APPS},
        {L"comma", VK_OEM_COMMA}, {L"slash", VK_OEM_2}, {L"backslash", VK_OEM_5}, {L"semicolon", VK_OEM_1}, {L"add", VK_ADD}};
    if (const auto n = names.find(name); n != names.end()) return vk = n->second, true;
    const wchar_t c = name.size() == 1 ? towupper(name[0]) : 0;
    if ((c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9')) return vk = static_cast<WORD>(c), true;
    return false;
}

void SendKey(WORD vk, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, 0));
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &in, sizeof in);
}

bool SaveClientBitmap(HWND h, const wchar_t* file) {
    RECT r;
    GetClientRect(h, &r);
    if (r.right <= 0 || r.bottom <= 0) return false;
    HDC wdc = GetDC(h), mem = CreateCompatibleDC(wdc);
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof bi.bmiHeader, r.right, r.bottom, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(wdc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, r.right, r.bottom, wdc, 0, 0, SRCCOPY);
    GdiFlush();
    const DWORD size = ((static_cast<DWORD>(r.right) * 3 + 3) & ~3u) * static_cast<DWORD>(r.bottom);
    const DWORD offset = sizeof(BITMAPFILEHEADER) + sizeof bi.bmiHeader;
    const BITMAPFILEHEADER fh{0x4D42, offset + size, 0, 0, offset};
    HANDLE f = CreateFileW(file, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD n;
    const bool ok = f != INVALID_HANDLE_VALUE && WriteFile(f, &fh, sizeof fh, &n, nullptr) &&
                    WriteFile(f, &bi.bmiHeader, sizeof bi.bmiHeader, &n, nullptr) && WriteFile(f, bits, size, &n, nullptr);
    if (f != INVALID_HANDLE_VALUE) CloseHandle(f);
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(h, wdc);
    return ok;
}

int Metrics(const wchar_t* face, int height, int charset) {
    HDC dc = GetDC(nullptr);
    HFONT font = CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, static_cast<BYTE>(charset),
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, face);
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICW tm;
    GetTextMetricsW(dc, &tm);
    SelectObject(dc, old);
    DeleteObject(font);
    ReleaseDC(nullptr, dc);
    Print(std::to_wstring(tm.tmHeight + tm.tmExternalLeading) + L" " + std::to_wstring(tm.tmAveCharWidth));
    return 0;
}

int Exec(const wchar_t* dir, const wchar_t* program) {
    std::wstring line = L"\"" + std::wstring(program) + L"\"";
    wchar_t args[4096];
    const DWORD n = GetEnvironmentVariableW(L"QRN_ARGS", args, 4096);
    if (n > 0 && n < 4096) line += L" " + std::wstring(args, n);
    SetEnvironmentVariableW(L"QRN_ARGS", nullptr);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi;
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, dir, &si, &pi)) return 1;
    WaitForSingleObject(pi.hProcess, INFINITE);
    DWORD code = 1;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return static_cast<int>(code);
}

int Press(HWND h, const std::wstring& button) {
    const std::wstring want = WithoutAmpersands(button);
    const int id = want.size() > 1 && want[0] == L'#' ? _wtoi(want.c_str() + 1) : -1;  // "#N": by control id
    for (HWND c : Children(h)) {
        if (id >= 0 ? GetDlgCtrlID(c) != id : WithoutAmpersands(TextOf(c)) != want) continue;
        // Clicked as a user would (radio buttons and check boxes change their
        // state), and sent, so that it has been handled when this returns
        // (unless that takes longer than 3 s).
        SendMessageTimeoutW(c, BM_CLICK, 0, 0, SMTO_NORMAL, 3000, nullptr);
        return 0;
    }
    return 1;
}

int Keys(HWND h, int count, wchar_t** keys) {
    // Keys go to the foreground window: wait until it is this one or one of
    // its thread's (a dialog it opened), for a program it started may just
    // have taken the foreground.
    const DWORD thread = GetWindowThreadProcessId(h, nullptr);
    for (int i = 0; i < 50; ++i) {
        SetForegroundWindow(h);
        Sleep(i == 0 ? 100 : 60);
        HWND fg = GetForegroundWindow();
        if (fg && GetWindowThreadProcessId(fg, nullptr) == thread) break;
    }
    for (int i = 0; i < count; ++i) {
        WORD vk = 0;
        std::vector<WORD> mods;
        if (!KeyOf(keys[i], vk, mods)) return 2;
        for (WORD m : mods) SendKey(m, false);
        SendKey(vk, false);
        SendKey(vk, true);
        for (auto m = mods.rbegin(); m != mods.rend(); ++m) SendKey(*m, true);
        Sleep(50);
    }
    return 0;
}

int Click(HWND h, POINT p, const std::wstring& how) {
    ClientToScreen(h, &p);
    SetForegroundWindow(h);
    Sleep(100);
    SetCursorPos(p.x, p.y);
    Sleep(50);
    const WORD mod = how == L"ctrl" ? VK_CONTROL : how == L"shift" ? VK_SHIFT : 0;
    if (mod) SendKey(mod, false);
    const bool right = how == L"right";
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_MOUSE;
    in[0].mi.dwFlags = right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
    in[1].mi.dwFlags = right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
    SendInput(2, in, sizeof(INPUT));
    if (mod) SendKey(mod, true);
    Sleep(50);
    return 0;
}

}  // namespace

int main() {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    const std::wstring cmd = argv && argc > 1 ? argv[1] : L"";
    // The arguments each command needs, the command's own name included.
    static const std::map<std::wstring, int> needs = {
        {L"metrics", 5}, {L"exec", 4}, {L"wait", 5}, {L"gone", 5}, {L"count", 4}, {L"title", 4}, {L"texts", 4},
        {L"settext", 6}, {L"gettext", 5}, {L"press", 5}, {L"keys", 4}, {L"command", 5}, {L"click", 6},
        {L"rect", 4}, {L"resize", 6}, {L"close", 4}, {L"shot", 5}};
    const auto need = needs.find(cmd);
    if (need == needs.end() || argc < need->second) {
        Print(L"usage: qrndrive COMMAND ARGUMENTS (see the source)");
        return 2;
    }
    if (cmd == L"metrics") return Metrics(argv[2], _wtoi(argv[3]), _wtoi(argv[4]));
    if (cmd == L"exec") return Exec(argv[2], argv[3]);
    const std::wstring cls = argv[2], title = argv[3];
    if (cmd == L"wait" || cmd == L"gone") return Await(cls, title, static_cast<DWORD>(_wtoi(argv[4])), cmd == L"gone") ? 0 : 1;
    if (cmd == L"count") {
        Query q{cls, title, true};
        EnumWindows(Match, reinterpret_cast<LPARAM>(&q));
        Print(std::to_wstring(q.n));
        return 0;
    }
    if (!Await(cls, title, 10000)) return 1;
    HWND h = Find(cls, title);
    if (cmd == L"title") return Print(TextOf(h)), 0;
    if (cmd == L"texts") {
        Print(TextOf(h));
        for (HWND c : Children(h)) Print(ClassOf(c) + L"\t" + TextOf(c));
        return 0;
    }
    if (cmd == L"settext" || cmd == L"gettext") {
        HWND c = GetDlgItem(h, _wtoi(argv[4] + (argv[4][0] == L'#' ? 1 : 0)));
        if (!c) return 1;
        if (cmd == L"gettext") return Print(TextOf(c)), 0;
        return SendMessageW(c, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[5])) ? 0 : 1;
    }
    if (cmd == L"press") return Press(h, argv[4]);
    if (cmd == L"keys") return Keys(h, argc - 4, argv + 4);
    if (cmd == L"click") return Click(h, POINT{_wtoi(argv[4]), _wtoi(argv[5])}, argc > 6 ? argv[6] : L"");
    if (cmd == L"command") return PostMessageW(h, WM_COMMAND, static_cast<WPARAM>(_wtoi(argv[4])), 0) ? 0 : 1;
    if (cmd == L"close") return PostMessageW(h, WM_CLOSE, 0, 0) ? 0 : 1;
    if (cmd == L"shot") return SaveClientBitmap(h, argv[4]) ? 0 : 1;
    if (cmd == L"resize") return SetWindowPos(h, nullptr, 0, 0, _wtoi(argv[4]), _wtoi(argv[5]), SWP_NOMOVE | SWP_NOZORDER) ? 0 : 1;
    RECT r, c;  // rect
    GetWindowRect(h, &r);
    GetClientRect(h, &c);
    Print(std::to_wstring(r.left) + L" " + std::to_wstring(r.top) + L" " + std::to_wstring(r.right - r.left) + L" " +
          std::to_wstring(r.bottom - r.top) + L" " + std::to_wstring(c.right) + L" " + std::to_wstring(c.bottom) +
          (IsIconic(h) ? L" minimised" : IsZoomed(h) ? L" maximised" : L" normal"));
    return 0;
}
