#include "launch/command_window_win32.h"

#include <commctrl.h>

#include <cstring>

#include "base/sjis.h"
#include "base/speech.h"
#include "base/window_class_win32.h"
#include "launch/launch_texts.h"
#include "listing/list_keys.h"

namespace qrn {

namespace {

constexpr int kRowWidth = 20;  // bytes of a row's text on the screen

// The one open command window.
struct CommandWindowState {
    CommandList list;
    Profile* ini;
    CommandWindowLook look;
    HWND owner, status = nullptr;
    int cw = 8, lh = 16;
};
CommandWindowState* g_commands = nullptr;

COLORREF Ref(Rgb c) { return RGB(c.r, c.g, c.b); }

// A box of n cells at (x, y) in the background colour of dc, and the text's
// first n bytes in it.
void Field(HDC dc, const CommandWindowState& st, int x, int y, const char* text, int n, COLORREF back) {
    RECT box{x, y, x + n * st.cw + 1, y + st.lh + 1};
    HBRUSH brush = CreateSolidBrush(back);
    FillRect(dc, &box, brush);
    DeleteObject(brush);
    TextOutA(dc, x, y, text, n);
}

void DrawRow(HDC dc, const CommandWindowState& st, int row, bool highlighted) {
    const Rgb* c = st.look.colors;
    const COLORREF back = Ref(highlighted ? c[kNorm] : c[kBack]), text = Ref(highlighted ? c[kBack] : c[kNorm]);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, text);
    const int x = (row <= 9 ? 1 : 24) * st.cw, y = (row % 10) * st.lh + st.lh / 2;
    const char letter[3] = {static_cast<char>('A' + row), ':', '\0'};
    Field(dc, st, x, y, letter, 2, back);
    char shown[kRowWidth + 1];
    CopyCut(shown, sizeof shown, CommandRowText(st.list, row));  // never half a character
    const std::size_t n = std::strlen(shown);
    std::memset(shown + n, ' ', kRowWidth - n);
    Field(dc, st, x + 2 * st.cw, y, shown, kRowWidth, back);
}

// The selected row's whole text in the status bar, and spoken (after the
// window's title when it has just opened: one sentence, not cut by the next).
void Announce(const CommandWindowState& st, const char* before = "") {
    const RegisteredItem& item = st.list.items[st.list.selected];
    char row[kSpeechTextSize], spoken[kSpeechTextSize];
    CopyCut(row, sizeof row, st.list.showText || !item.text[0] ? item.text : item.comment);
    if (st.list.showText || !item.text[0]) MakeReadable(row, kReadNames);
    CopyCut(spoken, sizeof spoken, before);
    if (before[0]) AppendWhole(spoken, sizeof spoken, " ");
    AppendWhole(spoken, sizeof spoken, row);
    SendMessageA(st.status, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(st.list.showText ? item.text : item.comment));
    SetSpeechMode(1);
    Speak(spoken);
}

void Paint(HWND hwnd, CommandWindowState& st) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    HGDIOBJ oldFont = SelectObject(dc, st.look.font);
    RECT client;
    GetClientRect(hwnd, &client);
    HBRUSH back = CreateSolidBrush(Ref(st.look.colors[kBack]));
    FillRect(dc, &client, back);
    DeleteObject(back);
    for (int row = 0; row < kSlots; ++row) DrawRow(dc, st, row, row == st.list.selected);
    SelectObject(dc, oldFont);
    EndPaint(hwnd, &ps);
}

void Select(HWND hwnd, CommandWindowState& st, int row) {
    HDC dc = GetDC(hwnd);
    HGDIOBJ oldFont = SelectObject(dc, st.look.font);
    DrawRow(dc, st, st.list.selected, false);
    st.list.selected = row;
    DrawRow(dc, st, row, true);
    SelectObject(dc, oldFont);
    ReleaseDC(hwnd, dc);
    Announce(st);
}

void AfterKey(HWND hwnd, CommandWindowState& st, ListAnswer answer, int oldRow) {
    switch (answer) {
    case ListAnswer::Select: {
        const int row = st.list.selected;
        st.list.selected = oldRow;
        Select(hwnd, st, row);
        break;
    }
    case ListAnswer::Page:
        SetWindowTextA(hwnd, CommandListTitle(st.list).c_str());
        [[fallthrough]];
    case ListAnswer::Repaint:
        InvalidateRect(hwnd, nullptr, FALSE);
        UpdateWindow(hwnd);
        Announce(st);
        break;
    case ListAnswer::Done: DestroyWindow(hwnd); break;
    case ListAnswer::None: break;
    }
}

LRESULT CALLBACK CommandWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    CommandWindowState* st = g_commands;
    if (!st) return DefWindowProcA(hwnd, msg, wParam, lParam);
    switch (msg) {
    case WM_PAINT: Paint(hwnd, *st); return 0;
    case WM_KILLFOCUS:
        // The owner clicked while an entry is asked for: the answer comes first.
        if (reinterpret_cast<HWND>(wParam) == st->owner) SetFocus(hwnd);
        return 0;
    case WM_KEYDOWN: {
        Modifiers m{GetKeyState(VK_SHIFT) < 0, GetKeyState(VK_CONTROL) < 0};
        const int oldRow = st->list.selected;
        AfterKey(hwnd, *st, CommandListKey(st->list, *st->ini, TranslateListKey(static_cast<int>(wParam), m)), oldRow);
        return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        Select(hwnd, *st, CommandRowAt(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)), st->cw, st->lh));
        if (msg == WM_LBUTTONDBLCLK) AfterKey(hwnd, *st, CommandListKey(st->list, *st->ini, kKeyReturn), st->list.selected);
        return 0;
    case WM_DESTROY:
        if (st->list.picked < 0) st->list.closed = true;
        if (st->owner) SetFocus(st->owner);
        return 0;
    default: break;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

}  // namespace

std::string OpenCommandWindow(HWND owner, Collection c, Profile& ini, const CommandWindowLook& look) {
    if (g_commands) return "";  // one at a time
    HINSTANCE instance = GetModuleHandleA(nullptr);
    RegisterOwnClass(instance, kCommandWindowClass, CommandWindowProc, CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_PARENTDC,
                     static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
    CommandWindowState st;
    OpenCommandList(st.list, ini, c);
    st.ini = &ini;
    st.look = look;
    st.owner = owner;
    FontCell(look.font, st.cw, st.lh);

    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    RECT r{0, 0, 50 * st.cw, 14 * st.lh};
    AdjustWindowRect(&r, style, FALSE);
    RECT at{0, 0, 0, 0};
    if (owner) GetWindowRect(owner, &at);
    g_commands = &st;
    const std::string title = CommandListTitle(st.list);
    HWND hwnd = CreateWindowExA(0, kCommandWindowClass, title.c_str(), style, at.left, at.top + 7 * st.lh,
                                r.right - r.left, r.bottom - r.top, owner, nullptr, instance, nullptr);
    if (hwnd) {
        st.status = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, hwnd, nullptr, instance,
                                    nullptr);
        ShowWindow(hwnd, SW_SHOW);
        UpdateWindow(hwnd);
        SetForegroundWindow(hwnd);
        SetFocus(hwnd);
        Announce(st, title.c_str());
        RunOwnLoop(hwnd, [&] { return st.list.picked < 0 && !st.list.closed; });
        if (IsWindow(hwnd)) DestroyWindow(hwnd);
    }
    g_commands = nullptr;
    UnregisterClassA(kCommandWindowClass, instance);
    return st.list.picked >= 0 ? std::string(st.list.items[st.list.picked].text) : std::string();
}

}  // namespace qrn
