// qrndrive: finds, reads and operates the windows of other programs in the
// same Wine session, for the end-to-end scenarios.
//
//   qrndrive wait  CLASS TITLE MS         wait for a visible top-level window
//   qrndrive gone  CLASS TITLE MS         wait until no such window is left
//   qrndrive title CLASS TITLE            print the window's title
//   qrndrive texts CLASS TITLE            print the title and every child: class<TAB>text
//   qrndrive settext CLASS TITLE #ID TEXT  set the text of a control
//   qrndrive gettext CLASS TITLE #ID       print the text of a control
//   qrndrive press CLASS TITLE BUTTON     click the child button of that text ('&' ignored),
//                                         also radio buttons and check boxes,
//                                         or of control id N when BUTTON is #N
//   qrndrive keys  CLASS TITLE KEY...     type keys through the system's input queue:
//                                         a letter or digit, or names such as esc, enter,
//                                         space, tab, f1, with modifiers shift+, ctrl+, alt+
//   qrndrive command CLASS TITLE ID       post WM_COMMAND with that id
//   qrndrive close CLASS TITLE            post WM_CLOSE
//   qrndrive shot  CLASS TITLE FILE.bmp   save the client area as a 24-bit bitmap
//   qrndrive count CLASS TITLE            print how many such windows there are
//   qrndrive click CLASS TITLE X Y [ctrl|shift|double|right]
//                                         click at a client point through the input queue
//   qrndrive rect  CLASS TITLE            print the window rectangle: X Y W H
//   qrndrive clientsize CLASS TITLE       print the client area's W H
//   qrndrive resize CLASS TITLE W H       give the window that outer size
//   qrndrive state CLASS TITLE            print minimised, maximised or normal
//   qrndrive hold  FILE MS                keep FILE open without sharing for MS milliseconds
//   qrndrive metrics FACE HEIGHT CHARSET  print "LH CW" of that font as the list is drawn
//   qrndrive exec  DIR PROGRAM            start PROGRAM in DIR with the arguments held in the
//                                         environment variable QRN_ARGS, exactly as written
//                                         there; wait for it and end with its exit code
//
// CLASS and TITLE may be "-" for any; TITLE matches a part of the title, or
// the whole of it when it starts with "=".
// Texts are printed in UTF-8. Exit code 0 on success, 1 when nothing matched
// or timed out, 2 for a usage error.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

namespace {

std::string Utf8(const std::wstring& w) {
    if (w.empty()) return {};
    int n = WideCharToMultiByte(CP_UTF8, 0, w.c_str(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
    std::string s(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.c_str(), static_cast<int>(w.size()), s.data(), n, nullptr, nullptr);
    return s;
}

void Print(const std::wstring& w) {
    std::string s = Utf8(w) + "\n";
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
    int n = GetClassNameW(h, buf, 256);
    return std::wstring(buf, n > 0 ? static_cast<std::size_t>(n) : 0);
}

std::wstring WithoutAmpersands(const std::wstring& s) {
    std::wstring out;
    for (wchar_t c : s)
        if (c != L'&') out += c;
    return out;
}

// Finds the visible top-level windows of that class and title part; counts
// them all, or stops at the first.
struct Query {
    std::wstring cls, title;
    bool all = false;
    HWND found = nullptr;
    int n = 0;
};

BOOL CALLBACK Match(HWND h, LPARAM lp) {
    Query* q = reinterpret_cast<Query*>(lp);
    if (!IsWindowVisible(h)) return TRUE;
    if (q->cls != L"-" && ClassOf(h) != q->cls) return TRUE;
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

HWND WaitFor(const std::wstring& cls, const std::wstring& title, DWORD ms) {
    DWORD start = GetTickCount();
    for (;;) {
        if (HWND h = Find(cls, title)) return h;
        if (GetTickCount() - start >= ms) return nullptr;
        Sleep(50);
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
    for (;;) {
        std::size_t plus = name.find(L'+');
        if (plus == std::wstring::npos || plus == 0 || plus + 1 == name.size()) break;
        std::wstring m = name.substr(0, plus);
        if (m == L"shift") mods.push_back(VK_SHIFT);
        else if (m == L"ctrl") mods.push_back(VK_CONTROL);
        else if (m == L"alt") mods.push_back(VK_MENU);
        else return false;
        name = name.substr(plus + 1);
    }
    struct Named {
        const wchar_t* name;
        WORD vk;
    };
    static const Named names[] = {
        {L"esc", VK_ESCAPE}, {L"enter", VK_RETURN}, {L"space", VK_SPACE}, {L"tab", VK_TAB},
        {L"back", VK_BACK}, {L"up", VK_UP}, {L"down", VK_DOWN}, {L"left", VK_LEFT},
        {L"right", VK_RIGHT}, {L"home", VK_HOME}, {L"end", VK_END}, {L"pgup", VK_PRIOR},
        {L"pgdn", VK_NEXT}, {L"insert", VK_INSERT}, {L"delete", VK_DELETE}, {L"add", VK_ADD},
        {L"f1", VK_F1}, {L"f10", VK_F10}, {L"apps", VK_APPS}, {L"comma", VK_OEM_COMMA}, {L"period", VK_OEM_PERIOD},
        {L"slash", VK_OEM_2}, {L"backslash", VK_OEM_5}, {L"caret", VK_OEM_7}, {L"minus", VK_OEM_MINUS},
    };
    for (const Named& n : names)
        if (name == n.name) {
            vk = n.vk;
            return true;
        }
    if (name.size() == 1) {
        wchar_t c = name[0];
        if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - 32);
        if ((c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9')) {
            vk = static_cast<WORD>(c);
            return true;
        }
    }
    return false;
}

void SendKey(WORD vk, bool up) {
    INPUT in;
    ZeroMemory(&in, sizeof in);
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, 0));
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &in, sizeof in);
}

bool SaveClientBitmap(HWND h, const wchar_t* file) {
    RECT r;
    GetClientRect(h, &r);
    const int w = r.right, hgt = r.bottom;
    if (w <= 0 || hgt <= 0) return false;
    HDC wdc = GetDC(h);
    HDC mem = CreateCompatibleDC(wdc);
    BITMAPINFO bi;
    ZeroMemory(&bi, sizeof bi);
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = hgt;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(wdc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, w, hgt, wdc, 0, 0, SRCCOPY);
    GdiFlush();
    const DWORD stride = (static_cast<DWORD>(w) * 3 + 3) & ~3u;
    BITMAPFILEHEADER fh;
    ZeroMemory(&fh, sizeof fh);
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof bi.bmiHeader;
    fh.bfSize = fh.bfOffBits + stride * static_cast<DWORD>(hgt);
    bool ok = false;
    HANDLE f = CreateFileW(file, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (f != INVALID_HANDLE_VALUE) {
        DWORD n;
        ok = WriteFile(f, &fh, sizeof fh, &n, nullptr) && WriteFile(f, &bi.bmiHeader, sizeof bi.bmiHeader, &n, nullptr) &&
             WriteFile(f, bits, stride * static_cast<DWORD>(hgt), &n, nullptr);
        CloseHandle(f);
    }
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(h, wdc);
    return ok;
}

int Usage() {
    Print(L"usage: qrndrive wait|gone|count|title|texts|press|keys|click|rect|clientsize|resize|state|command|close|shot|metrics|exec CLASS TITLE ... | hold FILE MS");
    return 2;
}

}  // namespace

int main() {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv || argc < 2) return Usage();
    std::wstring cmd = argv[1];
    if (cmd == L"hold") {
        if (argc < 4) return Usage();
        HANDLE f = CreateFileW(argv[2], GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        if (f == INVALID_HANDLE_VALUE) return 1;
        Print(L"held");
        Sleep(static_cast<DWORD>(_wtoi(argv[3])));
        CloseHandle(f);
        return 0;
    }
    if (cmd == L"metrics") {
        if (argc < 5) return Usage();
        HDC dc = GetDC(nullptr);
        HFONT font = CreateFontW(_wtoi(argv[3]), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                 static_cast<BYTE>(_wtoi(argv[4])), OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                 DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, argv[2]);
        HGDIOBJ old = SelectObject(dc, font);
        TEXTMETRICW tm;
        GetTextMetricsW(dc, &tm);
        SelectObject(dc, old);
        DeleteObject(font);
        ReleaseDC(nullptr, dc);
        wchar_t line[64];
        swprintf(line, 64, L"%d %d", static_cast<int>(tm.tmHeight + tm.tmExternalLeading),
                 static_cast<int>(tm.tmAveCharWidth));
        Print(line);
        return 0;
    }
    if (cmd == L"exec") {
        if (argc < 4) return Usage();
        std::wstring line = L"\"" + std::wstring(argv[3]) + L"\"";
        wchar_t args[4096];
        DWORD n = GetEnvironmentVariableW(L"QRN_ARGS", args, 4096);
        if (n > 0 && n < 4096) line += L" " + std::wstring(args, n);
        SetEnvironmentVariableW(L"QRN_ARGS", nullptr);
        STARTUPINFOW si = {};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi;
        std::vector<wchar_t> buf(line.begin(), line.end());
        buf.push_back(0);
        if (!CreateProcessW(nullptr, buf.data(), nullptr, nullptr, FALSE, 0, nullptr, argv[2], &si, &pi))
            return 1;
        WaitForSingleObject(pi.hProcess, INFINITE);
        DWORD code = 1;
        GetExitCodeProcess(pi.hProcess, &code);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
        return static_cast<int>(code);
    }
    if (argc < 4) return Usage();
    std::wstring cls = argv[2], title = argv[3];
    if (cmd == L"wait") {
        if (argc < 5) return Usage();
        return WaitFor(cls, title, static_cast<DWORD>(_wtoi(argv[4]))) ? 0 : 1;
    }
    if (cmd == L"gone") {
        if (argc < 5) return Usage();
        DWORD start = GetTickCount(), ms = static_cast<DWORD>(_wtoi(argv[4]));
        while (Find(cls, title)) {
            if (GetTickCount() - start >= ms) return 1;
            Sleep(50);
        }
        return 0;
    }
    if (cmd == L"count") {
        Query q{cls, title, true};
        EnumWindows(Match, reinterpret_cast<LPARAM>(&q));
        Print(std::to_wstring(q.n));
        return 0;
    }
    HWND h = WaitFor(cls, title, 10000);
    if (!h) return 1;
    if (cmd == L"title") {
        Print(TextOf(h));
        return 0;
    }
    if (cmd == L"settext" || cmd == L"gettext") {  // settext CLASS TITLE #ID TEXT / gettext CLASS TITLE #ID
        if (argc < (cmd == L"settext" ? 6 : 5)) return Usage();
        HWND c = GetDlgItem(h, _wtoi(argv[4] + (argv[4][0] == L'#' ? 1 : 0)));
        if (!c) return 1;
        if (cmd == L"gettext") {
            Print(TextOf(c));
            return 0;
        }
        return SendMessageW(c, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[5])) ? 0 : 1;
    }
    if (cmd == L"texts") {
        Print(TextOf(h));
        for (HWND c : Children(h)) Print(ClassOf(c) + L"\t" + TextOf(c));
        return 0;
    }
    if (cmd == L"press") {
        if (argc < 5) return Usage();
        std::wstring want = WithoutAmpersands(argv[4]);
        // "#N" names the button by its control id.
        const int id = want.size() > 1 && want[0] == L'#' ? _wtoi(want.c_str() + 1) : -1;
        for (HWND c : Children(h)) {
            if (id >= 0 ? GetDlgCtrlID(c) != id : WithoutAmpersands(TextOf(c)) != want) continue;
            // A button is clicked as a user would (radio buttons and check
            // boxes change their state); anything else gets BN_CLICKED.
            // The click is sent, so that it has been handled when this returns
            // (unless the handler waits for something longer than 3 s).
            if (_wcsicmp(ClassOf(c).c_str(), L"Button") == 0)
                SendMessageTimeoutW(c, BM_CLICK, 0, 0, SMTO_NORMAL, 3000, nullptr);
            else
                PostMessageW(h, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(c), BN_CLICKED), reinterpret_cast<LPARAM>(c));
            return 0;
        }
        return 1;
    }
    if (cmd == L"keys") {
        // Keys go to the foreground window: wait until it is this one or one
        // of its thread's (a dialog it opened), for a program it started may
        // just have taken the foreground.
        const DWORD thread = GetWindowThreadProcessId(h, nullptr);
        for (int i = 0; i < 50; ++i) {
            SetForegroundWindow(h);
            Sleep(i == 0 ? 100 : 60);
            HWND fg = GetForegroundWindow();
            if (fg && GetWindowThreadProcessId(fg, nullptr) == thread) break;
        }
        for (int i = 4; i < argc; ++i) {
            WORD vk = 0;
            std::vector<WORD> mods;
            if (!KeyOf(argv[i], vk, mods)) return Usage();
            for (WORD m : mods) SendKey(m, false);
            SendKey(vk, false);
            SendKey(vk, true);
            for (auto m = mods.rbegin(); m != mods.rend(); ++m) SendKey(*m, true);
            Sleep(50);
        }
        return 0;
    }
    if (cmd == L"command") {
        if (argc < 5) return Usage();
        return PostMessageW(h, WM_COMMAND, static_cast<WPARAM>(_wtoi(argv[4])), 0) ? 0 : 1;
    }
    if (cmd == L"click") {  // click CLASS TITLE X Y [ctrl|shift|double|right]
        if (argc < 6) return Usage();
        std::wstring how = argc > 6 ? argv[6] : L"";
        POINT p{_wtoi(argv[4]), _wtoi(argv[5])};
        ClientToScreen(h, &p);
        SetForegroundWindow(h);
        Sleep(100);
        SetCursorPos(p.x, p.y);
        Sleep(50);
        WORD mod = how == L"ctrl" ? VK_CONTROL : how == L"shift" ? VK_SHIFT : 0;
        if (mod) SendKey(mod, false);
        const DWORD down = how == L"right" ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
        const DWORD up = how == L"right" ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
        for (int n = 0; n < (how == L"double" ? 2 : 1); ++n) {
            INPUT in[2] = {};
            in[0].type = in[1].type = INPUT_MOUSE;
            in[0].mi.dwFlags = down;
            in[1].mi.dwFlags = up;
            SendInput(2, in, sizeof(INPUT));
            Sleep(30);
        }
        if (mod) SendKey(mod, true);
        Sleep(50);
        return 0;
    }
    if (cmd == L"rect") {  // the window's outer rectangle: X Y W H
        RECT r;
        GetWindowRect(h, &r);
        wchar_t line[64];
        swprintf(line, 64, L"%ld %ld %ld %ld", r.left, r.top, r.right - r.left, r.bottom - r.top);
        Print(line);
        return 0;
    }
    if (cmd == L"clientsize") {
        RECT r;
        GetClientRect(h, &r);
        wchar_t line[64];
        swprintf(line, 64, L"%ld %ld", r.right, r.bottom);
        Print(line);
        return 0;
    }
    if (cmd == L"resize") {  // resize CLASS TITLE W H: the outer size, as a user dragging its frame
        if (argc < 6) return Usage();
        return SetWindowPos(h, nullptr, 0, 0, _wtoi(argv[4]), _wtoi(argv[5]), SWP_NOMOVE | SWP_NOZORDER) ? 0 : 1;
    }
    if (cmd == L"state") {
        Print(IsIconic(h) ? L"minimised" : IsZoomed(h) ? L"maximised" : L"normal");
        return 0;
    }
    if (cmd == L"close") return PostMessageW(h, WM_CLOSE, 0, 0) ? 0 : 1;
    if (cmd == L"shot") {
        if (argc < 5) return Usage();
        return SaveClientBitmap(h, argv[4]) ? 0 : 1;
    }
    return Usage();
}
