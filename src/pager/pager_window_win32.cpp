#include "pager/pager_window_win32.h"

#include <cstdio>
#include <cstring>
#include <memory>

#include "base/sjis.h"
#include "base/speech.h"
#include "base/window_class_win32.h"
#include "base/prompts.h"
#include "listing/list_keys.h"
#include "pager/pager_text.h"
#include "pager/pager_texts.h"

namespace qrn {

namespace {

constexpr UINT kRetakeFocus = WM_APP + 1;

// The file, read where the text window asks.
class FileSource : public ByteSource {
public:
    explicit FileSource(HANDLE file) : file_(file) {}
    ~FileSource() override { CloseHandle(file_); }
    std::size_t Read(std::uint64_t offset, unsigned char* out, std::size_t n) override {
        LONG high = static_cast<LONG>(offset >> 32);
        const DWORD low = SetFilePointer(file_, static_cast<LONG>(offset & 0xFFFFFFFFu), &high, FILE_BEGIN);
        if (low == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR) return 0;
        DWORD got = 0;
        if (!ReadFile(file_, out, static_cast<DWORD>(n), &got, nullptr)) return 0;
        return got;
    }

private:
    HANDLE file_;
};

struct PagerWindow {
    const PagerContext* c = nullptr;
    HWND owner = nullptr, window = nullptr;
    char path[kPathSize] = {};
    std::unique_ptr<ByteSource> source;
    std::unique_ptr<TextWindow> text;
    std::unique_ptr<LineIndex> index;
    PagerState state;
    int shift = 0;          // scroll positions are byte offsets >> shift
    HFONT font = nullptr;   // a copy of the list font: the main window may make its own anew meanwhile
    int lh = 16, cw = 8;    // line height and character width of that font
    bool closed = false;    // PagerClosed
};

PagerWindow* g_pager = nullptr;

COLORREF ColorOf(const Rgb& c) { return RGB(c.r, c.g, c.b); }

void SpeakTopLine(const std::string& line) {
    char spoken[kSpeechTextSize];
    std::size_t n = line.size() < sizeof spoken - 1 ? line.size() : sizeof spoken - 1;
    for (std::size_t i = 0; i < n; ++i) spoken[i] = line[i] == '\0' ? ' ' : line[i];
    spoken[n] = '\0';
    TrimDanglingLead(spoken);
    if (!spoken[0]) return;
    MakeReadable(spoken, kReadNames);
    SetSpeechMode(1);
    Speak(spoken);
}

// PaintPage: the page at TopLine drawn (nothing when it lies beyond the text),
// then TopLine kept or put back.
void PaintPage(PagerWindow& p, HDC dc) {
    RECT rc;
    GetClientRect(p.window, &rc);
    p.state.geometry = GeometryOf(rc.right, rc.bottom, p.cw, p.lh, p.state.TabWidth);
    Page page = BuildPage(*p.index, p.state.TopLine, p.state.geometry);
    if (page.answer < 0 && p.state.TopLine == p.state.PreviousTopLine) {
        // The page shown lies past the text's end: the file was cut short
        // meanwhile. Its last page instead of nothing.
        p.state.TopLine = p.state.PreviousTopLine = LastPageTop(*p.index, p.state.geometry);
        page = BuildPage(*p.index, p.state.TopLine, p.state.geometry);
    }
    if (page.answer >= 0) {
        const Rgb* colors = p.c->settings->Colors;
        DrawPage(dc, rc, page, p.font, ColorOf(colors[kBack]), ColorOf(colors[kNorm]), p.cw, p.lh);
        SetScrollPos(p.window, SB_VERT, static_cast<int>(page.topOffset >> p.shift), TRUE);
        if (!page.lines.empty()) SpeakTopLine(page.lines.front());
    }
    AcceptPage(p.state, page);
}

void PaintNow(PagerWindow& p) {
    HDC dc = GetDC(p.window);
    PaintPage(p, dc);
    ReleaseDC(p.window, dc);
}

// Editor and the file's full path (quoted when EDIT_LONGNAME is 1); notepad
// with the path as it is when that does not start.
void StartEditor(const PagerWindow& p) {
    const Settings& s = *p.c->settings;
    char line[sizeof s.Editor + kPathSize + 4];
    const char* q = s.EditLongName == 1 ? "\"" : "";
    std::snprintf(line, sizeof line, "%s %s%s%s", s.Editor, q, p.path, q);
    if (s.Editor[0] && WinExec(line, SW_SHOWNORMAL) >= 32) return;
    std::snprintf(line, sizeof line, "%s %s", kPagerFallbackEditor, p.path);
    WinExec(line, SW_SHOWNORMAL);
}

void Close(PagerWindow& p) {
    if (p.closed) return;
    EnableWindow(p.owner, TRUE);
    DestroyWindow(p.window);
}

void Act(PagerWindow& p, PagerAction a) {
    switch (a) {
    case kPagerPaint:
        PaintNow(p);
        break;
    case kPagerEditThenClose:
        StartEditor(p);
        Close(p);
        break;
    case kPagerClose:
        Close(p);
        break;
    default:
        break;
    }
}

void StoreRectangle(PagerWindow& p) {
    RECT r;
    if (IsIconic(p.window) || !GetWindowRect(p.window, &r)) return;
    Profile& ini = *p.c->ini;
    StoreInt(ini, IniKey::PagerX, r.left);
    StoreInt(ini, IniKey::PagerY, r.top);
    StoreInt(ini, IniKey::PagerW, r.right - r.left);
    StoreInt(ini, IniKey::PagerH, r.bottom - r.top);
}

int KeyOfScroll(int code) {
    switch (code) {
    case SB_LINEUP: return kKeyUp;
    case SB_LINEDOWN: return kKeyDown;
    case SB_PAGEUP: return kKeyPrior;
    case SB_PAGEDOWN: return kKeyNext;
    case SB_TOP: return kKeyHome;
    case SB_BOTTOM: return kKeyEnd;
    default: return 0;
    }
}

LRESULT CALLBACK PagerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    PagerWindow* p = g_pager && g_pager->window == hwnd ? g_pager : nullptr;
    if (!p) return DefWindowProcA(hwnd, msg, wParam, lParam);
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        PaintPage(*p, dc);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_SIZE:
        InvalidateRect(hwnd, nullptr, FALSE);
        return 0;
    case WM_KEYDOWN: {
        Modifiers m;
        m.shift = GetKeyState(VK_SHIFT) < 0;
        const int key = TranslateListKey(static_cast<int>(wParam), m);
        const PagerAction a = PagerKey(p->state, *p->index, key, m.shift);
        // A key held since before the pager opened (Enter, V) repeats: that closes nothing.
        const bool repeated = (lParam & (1L << 30)) != 0;
        if (!(repeated && (a == kPagerClose || a == kPagerEditThenClose))) Act(*p, a);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;  // every paint fills the whole client area
    case WM_VSCROLL: {
        const int code = LOWORD(wParam);
        if (code == SB_THUMBPOSITION) {
            SCROLLINFO si{};
            si.cbSize = sizeof si;
            si.fMask = SIF_TRACKPOS;
            if (!GetScrollInfo(hwnd, SB_VERT, &si)) si.nTrackPos = HIWORD(wParam);
            PagerThumb(p->state, *p->index, static_cast<std::uint64_t>(si.nTrackPos < 0 ? 0 : si.nTrackPos) << p->shift);
            PaintNow(*p);
        } else if (const int key = KeyOfScroll(code)) {
            Act(*p, PagerKey(p->state, *p->index, key, false));
        }
        return 0;
    }
    case WM_KILLFOCUS: {
        // Another window of this program took the focus: the pager keeps it.
        HWND to = reinterpret_cast<HWND>(wParam);
        if (!p->closed && to && GetWindowThreadProcessId(to, nullptr) == GetCurrentThreadId())
            PostMessageA(hwnd, kRetakeFocus, 0, 0);
        return 0;
    }
    case kRetakeFocus:
        if (!p->closed && GetFocus() != hwnd) SetFocus(hwnd);
        return 0;
    case WM_CLOSE:
        Close(*p);
        return 0;
    case WM_DESTROY:
        StoreRectangle(*p);
        p->closed = true;
        EnableWindow(p->owner, TRUE);
        SetFocus(p->owner);
        return 0;
    default:
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

void Measure(PagerWindow& p) {
    LOGFONTA lf;
    if (p.c->font && GetObjectA(p.c->font, sizeof lf, &lf) == sizeof lf) p.font = CreateFontIndirectA(&lf);
    if (!p.font) p.font = static_cast<HFONT>(GetStockObject(ANSI_FIXED_FONT));
    HDC dc = GetDC(p.window);
    HGDIOBJ old = SelectObject(dc, p.font);
    TEXTMETRICA tm;
    if (GetTextMetricsA(dc, &tm)) {
        p.lh = tm.tmHeight + tm.tmExternalLeading;
        p.cw = tm.tmAveCharWidth;
    }
    SelectObject(dc, old);
    ReleaseDC(p.window, dc);
    if (p.lh < 1) p.lh = 1;
    if (p.cw < 1) p.cw = 1;
}

}  // namespace

std::unique_ptr<ByteSource> OpenPagerFile(const char* path, std::uint64_t& size) {
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return nullptr;
    DWORD high = 0;
    const DWORD low = GetFileSize(file, &high);
    size = (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) ? 0 : (static_cast<std::uint64_t>(high) << 32 | low);
    return std::make_unique<FileSource>(file);
}

void DrawPage(HDC dc, const RECT& client, const Page& page, HFONT font, COLORREF back, COLORREF text, int cw, int lh) {
    HBRUSH brush = CreateSolidBrush(back);
    FillRect(dc, &client, brush);
    DeleteObject(brush);
    HGDIOBJ oldFont = SelectObject(dc, font);
    SetTextColor(dc, text);
    SetBkMode(dc, TRANSPARENT);
    int y = 0;
    for (const std::string& line : page.lines) {
        TextOutA(dc, cw, y, line.data(), static_cast<int>(line.size()));
        y += lh;
    }
    SelectObject(dc, oldFont);
}

HWND OpenPager() { return g_pager ? g_pager->window : nullptr; }

bool ViewFile(HWND owner, const PagerContext& c, const FileEntry& entry) {
    if (g_pager || (entry.attributes & (kAttrDirectory | kAttrLabel)))
        return false;
    PagerWindow p;
    p.c = &c;
    p.owner = owner;
    std::uint64_t size = 0;
    if (std::snprintf(p.path, sizeof p.path, "%s%s", c.directory, entry.name) < static_cast<int>(sizeof p.path))
        p.source = OpenPagerFile(p.path, size);
    if (!p.source) {
        CurrentPrompts().Message(owner, kPagerNoFile, kPagerErrorTitle, kMbOk);
        return true;
    }
    // The size listed (and 1024 bytes that it may have grown since), no more
    // than the file holds now.
    if (size > entry.size + 1024) size = entry.size + 1024;
    p.text = std::make_unique<TextWindow>(*p.source, size);
    p.index = std::make_unique<LineIndex>(*p.text);
    p.shift = ScrollShift(size);
    p.state.TabWidth = TabWidthFor(entry.name);
    p.state.geometry.tabWidth = p.state.TabWidth;

    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (!RegisterOwnClass(instance, kPagerClass, PagerProc, CS_VREDRAW | CS_HREDRAW | CS_PARENTDC,
                          static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH))))
        return false;
    Profile& ini = *c.ini;
    int place[4] = {LoadInt(ini, IniKey::PagerX), LoadInt(ini, IniKey::PagerY), LoadInt(ini, IniKey::PagerW),
                    LoadInt(ini, IniKey::PagerH)};
    const LONG fallback[4] = {c.defaultPlace.left, c.defaultPlace.top, c.defaultPlace.right, c.defaultPlace.bottom};
    for (int i = 0; i < 4; ++i)
        if (place[i] < 0) place[i] = static_cast<int>(fallback[i]);
    g_pager = &p;
    p.window = CreateWindowExA(0, kPagerClass, entry.name, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_VSCROLL,
                               place[0], place[1], place[2], place[3], owner, nullptr, instance, nullptr);
    if (!p.window) {
        g_pager = nullptr;
        UnregisterClassA(kPagerClass, instance);
        return false;
    }
    Measure(p);
    SetScrollRange(p.window, SB_VERT, 0, static_cast<int>(size >> p.shift), FALSE);
    EnableWindow(owner, FALSE);
    ShowWindow(p.window, SW_SHOW);
    SetFocus(p.window);
    UpdateWindow(p.window);

    RunOwnLoop(p.window, [&] { return !p.closed; });
    if (!p.closed) Close(p);
    DeleteObject(p.font);  // a stock font ignores it
    g_pager = nullptr;
    UnregisterClassA(kPagerClass, instance);
    return true;
}

}  // namespace qrn
