#include "app/main_window_win32.h"

#include <commctrl.h>
#include <shellapi.h>

#include <cstdio>
#include <cstring>

#include "app/prompts.h"
#include "app/settings.h"
#include "app/startup.h"
#include "fileops/fileops_state.h"
#include "listing/list_paint_win32.h"
#include "listing/sort_dialog_win32.h"
#include "resources/resource_ids.h"

namespace qrn {

MainWindowState g_window;

Win32DirectoryPlatform& DirPlatform() {
    static Win32DirectoryPlatform p;
    return p;
}
Win32SettingsPlatform& SettingsPlatformObject() {
    static Win32SettingsPlatform p;
    return p;
}
IniFileProfile& IniProfile() {
    static IniFileProfile p(g_startup.IniPath);
    return p;
}

namespace {

void LayoutAndPaint(HWND hwnd) {
    if (!IsZoomed(hwnd)) {
        if (g_settings.WinSizeIsMax == 1) {
            g_settings.WinSizeIsMax = 0;
            ShowWindow(hwnd, SW_MAXIMIZE);
        } else if (!IsIconic(hwnd)) {
            RECT c, w;
            GetClientRect(hwnd, &c);
            if (c.right < 180 || c.bottom < 200) {
                GetWindowRect(hwnd, &w);
                const int width = (w.right - w.left) - c.right + (c.right < 180 ? 180 : c.right);
                const int height = (w.bottom - w.top) - c.bottom + (c.bottom < 200 ? 200 : c.bottom);
                SetWindowPos(hwnd, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
            }
        }
    }
    if (g_window.StatusBar) {
        RECT c;
        GetClientRect(hwnd, &c);
        int parts[3] = {c.right / 3, c.right / 3 * 2, -1};
        SendMessageA(g_window.StatusBar, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(parts));
    }
    if (g_window.Banner && g_settings.WinBannerMode == 1) {
        DestroyWindow(g_window.Banner);
        if (g_window.CurrentModelessDialog == g_window.Banner) g_window.CurrentModelessDialog = nullptr;
        g_window.Banner = nullptr;
    }
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    PaintAll(hwnd, dc);
    EndPaint(hwnd, &ps);
    g_window.FullRedraw = false;
}

void CreateStatusBar(HWND hwnd) {
    g_window.StatusBar = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | WS_BORDER, 0, 0, 0, 0,
                                         hwnd, nullptr, g_window.Instance, nullptr);
    if (!g_window.StatusBar) return;
    RECT c;
    GetClientRect(hwnd, &c);
    int parts[3] = {c.right / 3, c.right / 3 * 2, -1};
    SendMessageA(g_window.StatusBar, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(parts));
    SendMessageA(g_window.StatusBar, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>("Free"));
    SendMessageA(g_window.StatusBar, SB_SETTEXTA, 1, reinterpret_cast<LPARAM>("Total"));
    SendMessageA(g_window.StatusBar, SB_SETTEXTA, 2, reinterpret_cast<LPARAM>("Used"));
}

void Quit(HWND hwnd, bool alwaysSaveDirectory) {
    if ((alwaysSaveDirectory || g_settings.SaveMode == 1) && g_listing.CurrentDir[0])
        SaveStartDirectory(g_listing, IniProfile());
    DestroyWindow(hwnd);
}

void OnDestroy(HWND hwnd) {
    RECT r;
    GetWindowRect(hwnd, &r);
    WindowPlacement w{IsZoomed(hwnd) != FALSE, IsIconic(hwnd) != FALSE, r.left, r.top, r.right - r.left,
                      r.bottom - r.top};
    SaveOnExit(g_settings, g_listing, IniProfile(), w, g_startup.DriveTypeTable, SettingsPlatformObject());
    if (g_settings.SaveMode == 1 && g_listing.CurrentDir[0]) SaveStartDirectory(g_listing, IniProfile());
    if (g_listing.ChangeWatch) {
        FindCloseChangeNotification(static_cast<HANDLE>(g_listing.ChangeWatch));
        g_listing.ChangeWatch = nullptr;
    }
    if (g_window.ListFont) {
        DeleteObject(g_window.ListFont);
        g_window.ListFont = nullptr;
    }
    PostQuitMessage(0);
}

void RefreshStep(HWND hwnd) {
    if (!g_window.RefreshPending) return;
    g_window.RefreshPending = false;
    if (g_listing.ChangeWatch) FindNextChangeNotification(static_cast<HANDLE>(g_listing.ChangeWatch));
    if (ReadDirectory(g_listing, g_settings, DirPlatform(), hwnd, g_listing.CurrentDir,
                      sizeof g_listing.CurrentDir) < 1)
        return;
    g_window.FullRedraw = true;
    InvalidateRect(hwnd, nullptr, TRUE);
}

// A change made by another program is taken over only while nothing is marked.
bool PollChangeWatch(HWND hwnd) {
    if (!g_listing.ChangeWatch) return false;
    if (WaitForSingleObject(static_cast<HANDLE>(g_listing.ChangeWatch), 1) != WAIT_OBJECT_0) return false;
    if (g_listing.table.MarkedCount != 0) return false;
    g_window.RefreshPending = true;
    RefreshStep(hwnd);
    return true;
}

}  // namespace

LRESULT CALLBACK MainWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CREATE:
        if (g_window.Main == nullptr || g_window.Main == hwnd) {
            DragAcceptFiles(hwnd, TRUE);
            SetErrorMode(SEM_FAILCRITICALERRORS);
            ReadDirectory(g_listing, g_settings, DirPlatform(), hwnd, g_listing.CurrentDir,
                          sizeof g_listing.CurrentDir);
            g_listing.FirstRead = false;
            CreateStatusBar(hwnd);
        }
        return 0;
    case WM_SIZE:
        if (g_window.StatusBar) SendMessageA(g_window.StatusBar, WM_SIZE, wParam, lParam);
        InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_PAINT:
        LayoutAndPaint(hwnd);
        return 0;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case CMD_QUIT:
            Quit(hwnd, false);
            break;
        case CMD_QUIT_SAVE_DIR:
            Quit(hwnd, true);
            break;
        case CMD_SORT: {
            const bool autoSortWasOn = g_settings.SortAuto != 1;
            if (RunSortDialog(g_window.Instance, hwnd)) ApplySortChoice(hwnd, autoSortWasOn);
            break;
        }
        case CMD_ESCAPE:
            if (g_window.EscapeSwallow) {
                g_window.EscapeSwallow = false;
                break;
            }
            if (CurrentPrompts().Message(hwnd, "終了しますか？", "確認", kMbOkCancel | kMbIconQuestion | kMbDefButton2) ==
                kIdOk)
                Quit(hwnd, false);
            break;
        default:
            break;
        }
        RefreshStep(hwnd);
        return 0;
    case WM_DESTROY:
        if (hwnd == g_window.Main) OnDestroy(hwnd);
        return 0;
    default:
        break;
    }
    PollChangeWatch(hwnd);
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

INT_PTR CALLBACK StartBannerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM) {
    switch (msg) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            g_fileops.CancelRequested = true;
            DestroyWindow(hwnd);
            if (g_window.CurrentModelessDialog == hwnd) g_window.CurrentModelessDialog = nullptr;
            if (g_window.Banner == hwnd) g_window.Banner = nullptr;
            return TRUE;
        }
        break;
    default:
        break;
    }
    return FALSE;
}

}  // namespace qrn
