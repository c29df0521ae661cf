#include "app/list_keys_win32.h"

#include <cstring>

#include "app/launch_commands_win32.h"
#include "app/main_window_win32.h"
#include "base/prompts.h"
#include "listing/list_keys.h"
#include "listing/list_paint_win32.h"

namespace qrn {

namespace {

Modifiers KeyboardModifiers() {
    Modifiers m;
    m.shift = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
    m.ctrl = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
    return m;
}

void RedrawAfter(HWND window, const KeyResult& r) {
    switch (r.redraw) {
    case kRedrawCursor:
        RedrawCursor(window, g_listing, MainPaint(), r.oldCursor);
        SpeakCursorRow();
        break;
    case kRedrawPage:
        if (g_settings.DisplayMode == -1) {
            RepaintAll(window);
        } else {
            RedrawPage(window, g_listing, MainPaint());
            SpeakCursorRow();
        }
        break;
    case kRedrawNewPage:
        RedrawPage(window, g_listing, MainPaint());
        SpeakCursorRow();
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
    char dir[255];
    ReadOneKeyDirectory(IniProfile(), n, dir, sizeof dir);
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
        if (g_window.RememberedDir[0]) ShowDirectory(window, g_window.RememberedDir);
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
    const int rows = ReadMainDirectory(window);
    g_listing.PageNumber = 1;
    g_listing.CursorIndex = 0;
    g_listing.TopIndex = 0;
    RepaintAll(window);
    return rows >= 0;
}

int ListKeyHandler(HWND window, UINT msg, int key) {
    Listing& l = g_listing;
    if (!l.screenValid) return 0;
    if (msg == WM_KEYDOWN) {
        Modifiers m = KeyboardModifiers();
        const int k = TranslateListKey(key, m);
        KeyResult r = ListKey(l, g_settings, k, m, g_startup.DriveTypeTable);
        RedrawAfter(window, r);
        Act(window, r, m);
        return 0;
    }
    const Hit hit = HitTest(l, g_window.MousePoint.x, g_window.MousePoint.y);
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
