#include "app/list_keys_win32.h"

#include <cstring>

#include "app/list_keys.h"
#include "app/main_window_win32.h"
#include "app/prompts.h"
#include "app/settings.h"
#include "app/startup.h"
#include "launch/launch_state.h"
#include "launch/launch_win32.h"
#include "listing/list_paint_win32.h"

namespace qrn {

namespace {

Modifiers KeyboardModifiers() {
    Modifiers m;
    m.shift = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
    m.ctrl = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
    return m;
}

// Draws the old cursor row plain and the new one highlighted (which speaks it).
void RedrawCursor(HWND window, int oldCursor) {
    HDC dc = GetDC(window);
    HGDIOBJ old = SelectObject(dc, g_window.ListFont ? g_window.ListFont : GetStockObject(SYSTEM_FIXED_FONT));
    int x, y;
    if (oldCursor != g_listing.CursorIndex && oldCursor >= g_listing.TopIndex && oldCursor <= g_listing.LastOnPage) {
        RowOrigin(oldCursor, x, y);
        DrawRow(window, dc, x, y, oldCursor, false);
    }
    RowOrigin(g_listing.CursorIndex, x, y);
    DrawRow(window, dc, x, y, g_listing.CursorIndex, true);
    SelectObject(dc, old);
    ReleaseDC(window, dc);
    ShowCursorInfo(window, g_listing.CursorIndex);
    ShowCounts(window);
}

// The page laid out again and drawn with the information lines.
void RedrawPage(HWND window) {
    UpdatePageGeometry();
    HDC dc = GetDC(window);
    HGDIOBJ old = SelectObject(dc, g_window.ListFont ? g_window.ListFont : GetStockObject(SYSTEM_FIXED_FONT));
    PaintList(window, dc);
    SelectObject(dc, old);
    ReleaseDC(window, dc);
    ShowCounts(window);
}

void RedrawAfter(HWND window, const KeyResult& r) {
    switch (r.redraw) {
    case kRedrawCursor:
        RedrawCursor(window, r.oldCursor);
        break;
    case kRedrawPage:
        if (g_settings.DisplayMode == -1) RepaintAll(window);
        else RedrawPage(window);
        break;
    case kRedrawNewPage:
        RedrawPage(window);
        break;
    case kRedrawWindow:
        RepaintAll(window);
        break;
    default:
        break;
    }
}

void DriveDirectory(HWND window, int drive) {
    char dir[kPathSize];
    if (!SettingsPlatformObject().DriveCurrentDirectory(static_cast<char>('A' + drive), dir, sizeof dir)) {
        dir[0] = static_cast<char>('A' + drive);
        std::strcpy(dir + 1, ":\\");
    }
    ShowDirectory(window, dir);
}

void OneKeyDirectory(HWND window, int n) {
    char key[8] = "SET0";
    key[3] = static_cast<char>('0' + n);
    char dir[255];
    IniProfile().GetString("SET_DIR", key, "", dir, sizeof dir);
    if (dir[0]) ShowDirectory(window, dir);
}

void Act(HWND window, const KeyResult& r, Modifiers m) {
    switch (r.action) {
    case kActOpen:
        OpenCursorEntry(window, r.arg, m);
        break;
    case kActOpenMarked:
        OpenMarkedEntries(window, m);
        break;
    case kActDrive:
        DriveDirectory(window, r.arg);
        break;
    case kActOneKeyDir:
        OneKeyDirectory(window, r.arg);
        break;
    case kActRememberedDir:
        if (g_launch.RememberedDir[0]) ShowDirectory(window, g_launch.RememberedDir);
        break;
    case kActBeep:
        CurrentPrompts().Beep();
        break;
    default:
        break;
    }
}

}  // namespace

bool ShowDirectory(HWND window, const char* dir) {
    char path[kPathSize];
    if (!CopyWhole(path, sizeof path, dir) || !AddBackslash(path, sizeof path)) return false;
    std::memcpy(g_listing.CurrentDir, path, sizeof path);
    ClearAllMarks(g_listing.table);
    const int rows = ReadDirectory(g_listing, g_settings, DirPlatform(), window, g_listing.CurrentDir,
                                   sizeof g_listing.CurrentDir);
    g_listing.PageNumber = 1;
    g_listing.CursorIndex = 0;
    g_listing.TopIndex = 0;
    RepaintAll(window);
    return rows >= 0;
}

int ListKeyHandler(HWND window, UINT msg, int key) {
    Listing& l = g_listing;
    if (!g_paint.valid) return 0;
    if (msg == WM_KEYDOWN) {
        Modifiers m = KeyboardModifiers();
        const int k = TranslateListKey(key, m);
        KeyResult r = ListKey(l, g_settings, k, m, g_startup.DriveTypeTable);
        RedrawAfter(window, r);
        Act(window, r, m);
        return 0;
    }
    const Hit hit = HitTest(l, g_paint.screen, g_window.MousePoint.x, g_window.MousePoint.y);
    switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        const Modifiers m = KeyboardModifiers();
        KeyResult r = ListClick(l, g_settings, hit, m, msg == WM_LBUTTONDBLCLK, g_startup.DriveTypeTable);
        RedrawAfter(window, r);
        // A double click opens as a plain Enter does.
        Act(window, r, Modifiers{});
        return 0;
    }
    case WM_CONTEXTMENU: {
        KeyResult r;
        const int answer = ListContextMenu(l, hit, r);
        RedrawAfter(window, r);
        return answer;
    }
    case WM_DROPFILES:
        return ListDropTarget(l, hit);
    default:
        return 0;
    }
}

}  // namespace qrn
