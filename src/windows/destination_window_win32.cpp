#include "windows/destination_window_win32.h"

#include <cstdio>
#include <cstring>
#include <memory>

#include "base/window_class_win32.h"
#include "base/prompts.h"
#include "base/sjis_win32.h"
#include "base/speech.h"
#include "listing/list_format.h"
#include "listing/list_paint_win32.h"
#include "listing/listing_texts.h"
#include "windows/windows_texts.h"

namespace qrn {

namespace {

struct DestinationState {
    HWND window = nullptr;
    HWND owner = nullptr;
    const PendingOperation* operation = nullptr;
    DestinationContext c{};
    DestinationCallbacks callbacks;
    DestinationView view;
    RECT stored{-1, -1, -1, -1};  // the rectangle last written to qrn.ini
};
std::unique_ptr<DestinationState> g_dest;

DestinationState* StateOf(HWND window) { return g_dest && g_dest->window == window ? g_dest.get() : nullptr; }

PaintContext PaintOf(DestinationState& st) {
    return PaintContext{*st.c.settings, *st.c.ini, nullptr, st.c.font, st.view.DestDir};
}

void SpeakCursorRow(DestinationState& st) {
    char spoken[kSpeechTextSize];
    CursorRowSpeech(st.view, *st.c.settings, PlatformLower, PlatformUpper, spoken, sizeof spoken);
    if (!spoken[0]) return;
    SetSpeechMode(1);
    Speak(spoken);
}

// "Name:" and the cursor row's name (the execution row's header for row 0).
void ShowName(HDC dc, DestinationState& st) {
    const ListView& v = st.view;
    const ScreenLayout& sl = v.screen;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(v.colors[kInfo].r, v.colors[kInfo].g, v.colors[kInfo].b));
    TextOutA(dc, sl.x[0], sl.y[0], kHeaderName, 5);
    const int i = v.CursorIndex;
    const char* name = i < 0 || i >= v.table.EntryCount ? "" : i == 0 ? kExecutionHeader : v.table.rows[i].name;
    char line[kPathSize + 256];
    const std::size_t n = std::strlen(name);
    std::memcpy(line, name, n);
    std::memset(line + n, ' ', 256);
    line[n + 256] = '\0';
    SetTextColor(dc, RGB(v.colors[kNorm].r, v.colors[kNorm].g, v.colors[kNorm].b));
    DrawField(dc, v, sl.x[1], sl.y[0], line, 256);
}

void Repaint(DestinationState& st) {
    InvalidateRect(st.window, nullptr, FALSE);
    UpdateWindow(st.window);
}

// DestDir read again with the cursor back on the first row, then drawn and spoken.
void ReadAndShow(DestinationState& st) {
    ReadDestination(st.view, *st.c.settings, *st.c.disk);
    ResetDestinationCursor(st.view);
    Repaint(st);
    SpeakCursorRow(st);
}

void ShowDirectory(DestinationState& st, const char* dir) {
    CopyCut(st.view.DestDir, sizeof st.view.DestDir, dir);
    AddBackslash(st.view.DestDir, sizeof st.view.DestDir);
    ReadAndShow(st);
}

// A drive key: the drive's current directory when it can be listed (an empty
// medium too, with its execution row); else
// the window keeps what it shows, and beeps.
void ShowDrive(DestinationState& st, int drive) {
    Win32DriveSource drives(*st.c.settings, st.c.driveTypes, *st.c.ini, st.c.rememberedDir);
    auto trial = std::make_unique<DestinationView>(st.view);
    if (static_cast<unsigned char>(st.c.driveTypes[drive]) > 1 &&
        drives.CurrentDirectory(static_cast<char>('A' + drive), trial->DestDir, sizeof trial->DestDir) &&
        ReadDestination(*trial, *st.c.settings, *st.c.disk) >= 1) {
        trial->colors = trial->palette;
        st.view = *trial;
        st.view.colors = st.view.palette;
        ResetDestinationCursor(st.view);
        Repaint(st);
        SpeakCursorRow(st);
        return;
    }
    CurrentPrompts().Beep();
}

void MakeDirectory(DestinationState& st) {
    char name[kPathSize] = "";
    if (!CurrentPrompts().InputLine(st.window, kDestinationMkdirTitle, name, sizeof name) || !name[0]) return;
    char dir[kPathSize];
    if (std::snprintf(dir, sizeof dir, "%s%s", st.view.DestDir, name) >= static_cast<int>(sizeof dir)) {
        CurrentPrompts().Beep();
        return;
    }
    CreateDirectoryA(dir, nullptr);  // a failure shows as an empty listing
    if (DestinationEnter(st.view, name)) ReadAndShow(st);
}

// The old cursor row plain, the new one highlighted, and the name above.
void RedrawCursor(DestinationState& st, int oldCursor) {
    HDC dc = GetDC(st.window);
    HGDIOBJ old = SelectObject(dc, ListFont(PaintOf(st)));
    const PaintContext pc = PaintOf(st);
    int x, y;
    if (oldCursor != st.view.CursorIndex && oldCursor >= st.view.TopIndex && oldCursor <= st.view.LastOnPage) {
        RowOrigin(st.view, oldCursor, x, y);
        DrawRow(dc, st.view, pc, x, y, oldCursor, false);
    }
    RowOrigin(st.view, st.view.CursorIndex, x, y);
    DrawRow(dc, st.view, pc, x, y, st.view.CursorIndex, true);
    ShowName(dc, st);
    SelectObject(dc, old);
    ReleaseDC(st.window, dc);
}

// Writes the window's rectangle when it has changed since it was last written.
void StoreRectangle(DestinationState& st) {
    RECT r;
    if (IsIconic(st.window) || !GetWindowRect(st.window, &r)) return;
    const RECT stored{r.left, r.top, r.right - r.left, r.bottom - r.top};
    if (std::memcmp(&stored, &st.stored, sizeof stored) == 0) return;
    st.stored = stored;
    StoreInt(*st.c.ini, IniKey::DestX, stored.left);
    StoreInt(*st.c.ini, IniKey::DestY, stored.top);
    StoreInt(*st.c.ini, IniKey::DestW, stored.right);
    StoreInt(*st.c.ini, IniKey::DestH, stored.bottom);
}

int LineHeight(HFONT font) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return tm.tmHeight + tm.tmExternalLeading;
}

void Paint(DestinationState& st) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(st.window, &ps);
    StoreRectangle(st);
    const PaintContext pc = PaintOf(st);
    HGDIOBJ oldFont = SelectObject(dc, ListFont(pc));
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);  // the cells of the font just selected
    const int lh = tm.tmHeight + tm.tmExternalLeading, cw = tm.tmAveCharWidth;
    RECT client;
    GetClientRect(st.window, &client);
    DestinationView& v = st.view;
    ComputeDestinationGeometry(v, *st.c.settings, lh, cw, client.right, client.bottom);
    HBRUSH back = CreateSolidBrush(RGB(v.colors[kBack].r, v.colors[kBack].g, v.colors[kBack].b));
    FillRect(dc, &client, back);
    DeleteObject(back);
    char title[kPathSize + 32];
    std::snprintf(title, sizeof title, "%s%s", st.operation->destinationTitle, v.DestDir);
    SetWindowTextA(st.window, title);
    DrawLine(dc, 0, v.screen.sepY, client.right, v.screen.sepY, 1, 255, 255, 255);
    DrawLine(dc, 0, v.screen.sepY + 2, client.right, v.screen.sepY + 2, 1, 0, 0, 0);
    PaintRows(dc, v, pc);
    ShowName(dc, st);
    SelectObject(dc, oldFont);
    EndPaint(st.window, &ps);
}

// A key or click: -1 cancel, 1 confirmed, 0 otherwise.
int Route(DestinationState* st, UINT message, int key, POINT at) {
    DestResult r;
    if (message == WM_KEYDOWN) {
        Modifiers m{GetKeyState(VK_SHIFT) < 0, GetKeyState(VK_CONTROL) < 0};
        r = DestinationKey(st->view, *st->c.settings, TranslateListKey(key, m), m);
    } else if (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK) {
        r = DestinationClick(st->view, *st->c.settings, at.x, at.y, message == WM_LBUTTONDBLCLK);
    }
    switch (r.action) {
    case DestAction::Cancel: return -1;
    case DestAction::Confirm:
        CopyCut(st->c.rememberedDir, kPathSize, st->view.DestDir);
        return 1;
    case DestAction::Read: ReadAndShow(*st); break;
    case DestAction::Drive: ShowDrive(*st, r.arg); break;
    case DestAction::OneKeyDir: {
        char dir[255];
        ReadOneKeyDirectory(*st->c.ini, r.arg, dir, sizeof dir);
        if (dir[0]) ShowDirectory(*st, dir);
        break;
    }
    case DestAction::Remembered:
        if (st->c.rememberedDir[0]) ShowDirectory(*st, st->c.rememberedDir);
        break;
    case DestAction::MakeDir: MakeDirectory(*st); break;
    case DestAction::Beep: CurrentPrompts().Beep(); break;
    case DestAction::Move:
        if (r.move.redraw == kRedrawNone) break;
        if (r.move.redraw == kRedrawCursor) RedrawCursor(*st, r.move.oldCursor);
        else Repaint(*st);
        SpeakCursorRow(*st);
        break;
    case DestAction::None: break;
    }
    return 0;
}

LRESULT CALLBACK DestinationWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    DestinationState* st = StateOf(hwnd);
    switch (msg) {
    case WM_PAINT:
        if (!st) break;
        Paint(*st);
        return 0;
    case WM_SIZE:
        InvalidateRect(hwnd, nullptr, FALSE);
        return 0;
    case WM_KEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (st)
            DestinationInput(msg, msg == WM_KEYDOWN ? static_cast<int>(wParam) : 0,
                             POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
        return 0;
    case WM_DESTROY:
        // Gone before its owner is told, which then takes over again.
        if (st) {
            const std::function<void()> closed = std::move(st->callbacks.closed);
            g_dest.reset();
            if (closed) closed();
        }
        return 0;
    default:
        break;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

}  // namespace

HWND OpenDestinationWindow(HWND owner, const char* startDir, const PendingOperation& operation,
                           const DestinationContext& context, DestinationCallbacks callbacks) {
    if (g_dest && IsWindow(g_dest->window)) return nullptr;  // one at a time
    g_dest = std::make_unique<DestinationState>();
    DestinationState& st = *g_dest;
    st.owner = owner;
    st.c = context;
    st.operation = &operation;
    st.callbacks = std::move(callbacks);
    StartDestination(st.view, *context.settings, startDir);

    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA wc{};
    if (!GetClassInfoA(instance, kDestinationClass, &wc))
        RegisterOwnClass(instance, kDestinationClass, DestinationWindowProc, CS_DBLCLKS, nullptr);
    // Below the owner's header, half its width; or where it was left last time.
    const int lh = LineHeight(ListFont(PaintOf(st)));
    RECT o{0, 0, 640, 480};
    if (owner) GetWindowRect(owner, &o);
    int left = o.left, top = o.top + 7 * lh, width = (o.right - o.left) / 2, height = o.bottom - top;
    Profile& ini = *context.ini;
    if (LoadInt(ini, IniKey::DestMemo) == 1) {
        const int stored[4] = {LoadInt(ini, IniKey::DestX), LoadInt(ini, IniKey::DestY), LoadInt(ini, IniKey::DestW),
                               LoadInt(ini, IniKey::DestH)};
        int* into[4] = {&left, &top, &width, &height};
        for (int i = 0; i < 4; ++i)
            if (stored[i] >= 0) *into[i] = stored[i];
        if (left > GetSystemMetrics(SM_CXSCREEN) - width) left = o.left;
        if (top > GetSystemMetrics(SM_CYSCREEN) - height) top = o.top + 7 * lh;
    }
    if (height < 100) height = 100;
    st.window = CreateWindowExA(0, kDestinationClass,
                                operation.openingTitle ? operation.openingTitle : operation.driveTitle,
                                WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, left, top, width, height,
                                owner, nullptr, instance, nullptr);
    if (!st.window) {
        g_dest.reset();
        return nullptr;
    }
    ReadDestination(st.view, *context.settings, *context.disk);
    ResetDestinationCursor(st.view);
    ShowWindow(st.window, SW_SHOW);
    UpdateWindow(st.window);
    SpeakCursorRow(st);
    return st.window;
}

void DestinationInput(UINT message, int key, POINT at) {
    if (!g_dest) return;
    DestinationState& st = *g_dest;
    const int answer = Route(&st, message, key, at);
    if (answer == -1) {
        DestroyWindow(st.window);
    } else if (answer == 1) {
        // What the window holds goes with it: taken first.
        HWND window = st.window, owner = st.owner;
        const PendingOperation& operation = *st.operation;
        const std::function<void()> finished = st.callbacks.finished;
        char target[kPathSize];
        CopyCut(target, sizeof target, st.view.DestDir);
        ShowWindow(window, SW_HIDE);
        UpdateWindow(owner);
        if (operation.run) operation.run(owner, target);
        if (IsWindow(window)) DestroyWindow(window);
        if (finished) finished();
    }
}

bool DestinationWindowOpen() { return g_dest != nullptr; }

void CloseDestinationWindow() {
    if (g_dest) DestroyWindow(g_dest->window);
}

void DestinationMakeDirectory() { DestinationInput(WM_KEYDOWN, 'K', POINT{0, 0}); }
void DestinationAllFiles() { DestinationInput(WM_KEYDOWN, VK_TAB, POINT{0, 0}); }

void DestinationSpeakWhere() {
    if (!g_dest) return;
    DestinationState& st = *g_dest;
    DiskFigures figures{};
    st.c.disk->QueryDiskSpace(st.view.DestDir, figures);
    char spoken[kSpeechTextSize];
    WhereSentence(st.view.table, st.view.DestDir, st.view.CursorIndex, figures.free, spoken, sizeof spoken);
    SetSpeechMode(1);
    Speak(spoken);
}

void DestinationDriveWindow() {
    if (!g_dest) return;
    DestinationState& st = *g_dest;
    Win32DriveSource drives(*st.c.settings, st.c.driveTypes, *st.c.ini, st.c.rememberedDir);
    char choice[kPathSize];
    CopyCut(choice, sizeof choice, st.view.DestDir);
    const DriveResult result = DriveWindow(st.window, kDriveSelectTitle, st.view.DestDir, drives,
                                           DriveWindowLook{st.c.settings->Colors, ListFont(PaintOf(st))}, choice,
                                           sizeof choice);
    if (result == DriveResult::Drive || result == DriveResult::Directory) ShowDirectory(st, choice);
}

HWND DestinationWindowHandle() { return g_dest ? g_dest->window : nullptr; }

void DestinationShowDirectory(const char* dir) {
    if (g_dest) ShowDirectory(*g_dest, dir);
}

}  // namespace qrn
