#include "windows/drive_window_win32.h"

#include <cstdio>
#include <cstring>

#include "base/window_class_win32.h"
#include "base/prompts.h"
#include "base/speech.h"
#include "base/startup_win32.h"
#include "listing/list_keys.h"
#include "windows/windows_texts.h"

namespace qrn {

bool Win32DriveSource::Available(int drive) {
    if (drive < 0 || drive > 25) return false;
    const char kind = types_[drive];
    bool refused = false;
    if ((kind == 'F' || kind == 'C') && settings_.ActiveCheck) {
        // A medium is there unless the probe is refused (a drive not ready
        // answers so); a missing file is the normal answer.
        char probe[] = "A:\\NULL";
        probe[0] = static_cast<char>('A' + drive);
        const UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
        const DWORD attributes = GetFileAttributesA(probe);
        const DWORD error = GetLastError();
        SetErrorMode(oldMode);
        refused = attributes == INVALID_FILE_ATTRIBUTES && error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND;
    }
    return DriveAvailableByKind(kind, settings_.ActiveCheck != 0, refused);
}

bool Win32DriveSource::CurrentDirectory(char letter, char* out, std::size_t size) {
    const char drive[3] = {letter, ':', '\0'};
    char full[MAX_PATH];
    char* filePart;
    const DWORD n = GetFullPathNameA(drive, sizeof full, full, &filePart);
    return n > 0 && n < sizeof full && CopyWhole(out, size, full) && AddBackslash(out, size);
}

void Win32DriveSource::RebuildDriveTypes() { BuildDriveTypes(types_); }

void Win32DriveSource::OneKeyDirectory(int n, char* out, std::size_t size) {
    ReadOneKeyDirectory(ini_, n, out, size < 255 ? size : 255);
}

void Win32DriveSource::Beep() { CurrentPrompts().Beep(); }

namespace {

// The one open drive window.
struct DriveWindowState {
    DriveInput input;
    DriveSource* drives;
    DriveWindowLook look;
    const char* title;
    HWND owner;
    int cw = 8, lh = 16;
    int spoken = -1;  // the letter last spoken
};
DriveWindowState* g_drive = nullptr;

COLORREF Ref(Rgb c) { return RGB(c.r, c.g, c.b); }
Rgb Halved(Rgb c) { return Rgb{c.r / 2, c.g / 2, c.b / 2}; }

void PlaceCaret(const DriveWindowState& st) { SetCaretPos((st.input.caret + 1) * st.cw, st.lh); }

void Paint(HWND hwnd, HDC dc, DriveWindowState& st) {
    HGDIOBJ oldFont = SelectObject(dc, st.look.font);
    const Rgb* colors = st.look.colors;
    RECT client;
    GetClientRect(hwnd, &client);
    HBRUSH back = CreateSolidBrush(Ref(colors[kBack]));
    FillRect(dc, &client, back);
    DeleteObject(back);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, Ref(colors[kNorm]));
    TextOutA(dc, st.cw, st.lh / 2, st.input.line, kDriveLineLength);
    TextOutA(dc, st.cw, 2 * st.lh, kDriveLabel, static_cast<int>(std::strlen(kDriveLabel)));
    for (int i = 0; i < 26; ++i) {
        const Rgb letterColor = st.drives->Available(i) ? colors[kInfo] : Halved(colors[kInfo]);
        const char letter = static_cast<char>('A' + i);
        const bool highlighted = i == st.input.selected;
        SetBkMode(dc, highlighted ? OPAQUE : TRANSPARENT);
        SetBkColor(dc, Ref(letterColor));
        SetTextColor(dc, highlighted ? Ref(colors[kBack]) : Ref(letterColor));
        TextOutA(dc, (kDriveLetterColumn + 2 * i) * st.cw, 2 * st.lh, &letter, 1);
    }
    SelectObject(dc, oldFont);
    char title[kPathSize + 32];
    std::snprintf(title, sizeof title, "%s - %s", st.title, DriveKindText(st.drives->Kind(st.input.selected)));
    SetWindowTextA(hwnd, title);
    PlaceCaret(st);
    if (st.spoken != st.input.selected) {
        st.spoken = st.input.selected;
        const char letter[2] = {static_cast<char>('A' + st.input.selected), '\0'};
        SetSpeechMode(1);
        Speak(letter);
    }
}

void AfterInput(HWND hwnd, DriveWindowState& st, bool changed) {
    if (st.input.result != DriveResult::Running) {
        DestroyWindow(hwnd);
        return;
    }
    if (changed) {
        InvalidateRect(hwnd, nullptr, FALSE);
        UpdateWindow(hwnd);
    }
}

LRESULT CALLBACK DriveWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    DriveWindowState* st = g_drive;
    if (!st) return DefWindowProcA(hwnd, msg, wParam, lParam);
    switch (msg) {
    case WM_SETFOCUS:
        CreateCaret(hwnd, nullptr, st->cw, st->lh / 3 > 0 ? st->lh / 3 : 1);
        PlaceCaret(*st);
        ShowCaret(hwnd);
        return 0;
    case WM_KILLFOCUS:
        DestroyCaret();
        // The owner clicked while a drive is asked for: the answer comes first.
        if (st->input.result == DriveResult::Running && reinterpret_cast<HWND>(wParam) == st->owner) SetFocus(hwnd);
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        Paint(hwnd, dc, *st);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_KEYDOWN: {
        Modifiers m{GetKeyState(VK_SHIFT) < 0, GetKeyState(VK_CONTROL) < 0};
        const int key = TranslateListKey(static_cast<int>(wParam), m);
        AfterInput(hwnd, *st, DriveKey(st->input, key, *st->drives));
        return 0;
    }
    case WM_CHAR:
        AfterInput(hwnd, *st, DriveChar(st->input, static_cast<unsigned char>(wParam)));
        return 0;
    case WM_LBUTTONDOWN:
        DriveClick(st->input, static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)), st->cw, st->lh,
                   *st->drives);
        AfterInput(hwnd, *st, true);
        return 0;
    case WM_DESTROY:
        if (st->input.result == DriveResult::Running) st->input.result = DriveResult::Cancelled;
        if (st->owner) SetFocus(st->owner);
        return 0;
    default:
        break;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

}  // namespace

DriveResult DriveWindow(HWND owner, const char* title, const char* currentDir, DriveSource& drives,
                        const DriveWindowLook& look, char* choice, std::size_t size) {
    if (g_drive) return DriveResult::Cancelled;  // one at a time
    HINSTANCE instance = GetModuleHandleA(nullptr);
    RegisterOwnClass(instance, kDriveWindowClass, DriveWindowProc, CS_HREDRAW | CS_VREDRAW | CS_PARENTDC,
                     static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));

    DriveWindowState st;
    StartDriveInput(st.input, currentDir);
    st.drives = &drives;
    st.look = look;
    st.title = title;
    st.owner = owner;
    FontCell(look.font, st.cw, st.lh);

    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
    RECT r{0, 0, kDriveCells * st.cw, 5 * st.lh};
    AdjustWindowRect(&r, style, FALSE);
    RECT at{0, 0, 0, 0};
    if (owner) GetWindowRect(owner, &at);
    g_drive = &st;
    HWND hwnd = CreateWindowExA(0, kDriveWindowClass, title, style, at.left, at.top + 7 * st.lh, r.right - r.left,
                                r.bottom - r.top, owner, nullptr, instance, nullptr);
    if (hwnd) {
        ShowWindow(hwnd, SW_SHOW);
        UpdateWindow(hwnd);
        SetForegroundWindow(hwnd);
        SetFocus(hwnd);
        RunOwnLoop(hwnd, [&] { return st.input.result == DriveResult::Running; });
        if (IsWindow(hwnd)) DestroyWindow(hwnd);
    }
    g_drive = nullptr;
    UnregisterClassA(kDriveWindowClass, instance);
    const DriveResult result = hwnd ? st.input.result : DriveResult::Cancelled;
    if (result == DriveResult::Drive || result == DriveResult::Directory) CopyCut(choice, size, st.input.choice);
    return result == DriveResult::Running ? DriveResult::Cancelled : result;
}

}  // namespace qrn
