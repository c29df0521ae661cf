#include "app/main_window_win32.h"

#include <commctrl.h>
#include <shellapi.h>

#include <cstdio>
#include <cstring>

#include "app/app_texts.h"
#include "app/commands.h"
#include "app/commands_win32.h"
#include "app/fileops_commands_win32.h"
#include "app/list_keys_win32.h"
#include "base/dialog_win32.h"
#include "base/prompts.h"
#include "base/speech.h"
#include "pager/pager_window_win32.h"
#include "listing/dir_reader.h"
#include "resources/resource_ids.h"
#include "windows/destination_window_win32.h"

namespace qrn {

Startup g_startup;
Settings g_settings;
Listing g_listing;
MainWindowState g_window;

Win32DirectoryPlatform& DirPlatform() {
    static Win32DirectoryPlatform p(g_settings, g_startup.ProgramFolder);
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

PaintContext MainPaint() {
    g_listing.colors = g_settings.Colors;
    return PaintContext{g_settings, IniProfile(), g_window.StatusBar, &g_window.ListFont, g_listing.CurrentDir};
}

void SpeakCursorRow() {
    if (!g_listing.speaks || DestinationWindowOpen()) return;
    char spoken[kSpeechTextSize];
    CursorRowSpeech(g_listing, g_settings, PlatformLower, PlatformUpper, spoken, sizeof spoken);
    if (!spoken[0]) return;
    SetSpeechMode(1);
    Speak(spoken);
}

void SaySummary(const std::string& said) {
    if (said.empty()) return;
    SetSpeechMode(1);
    Speak(said.c_str());
}

void SetMainTitle(HWND hwnd) {
    char title[8 + kPathSize + sizeof g_listing.FileMask];
    std::snprintf(title, sizeof title, kMainTitleFormat, g_listing.CurrentDir, g_listing.FileMask);
    SetWindowTextA(hwnd, title);
}

int ReadMainDirectory(HWND hwnd) {
    return ReadDirectory(g_listing, g_settings, DirPlatform(), hwnd, g_listing.CurrentDir,
                         sizeof g_listing.CurrentDir);
}

namespace {

constexpr int kMinClientWidth = 180, kMinClientHeight = 200;

// A click's point, in the clicked window's client coordinates.
void TakeMousePoint(LPARAM lParam) {
    g_window.MousePoint.x = static_cast<short>(LOWORD(lParam));
    g_window.MousePoint.y = static_cast<short>(HIWORD(lParam));
}

// Keeps the client area at least 180 x 200 while the window is neither
// minimised nor maximised.
void EnforceMinimumSize(HWND hwnd) {
    if (IsIconic(hwnd) || IsZoomed(hwnd)) return;
    RECT c, w;
    GetClientRect(hwnd, &c);
    if (c.right >= kMinClientWidth && c.bottom >= kMinClientHeight) return;
    GetWindowRect(hwnd, &w);
    const int width = (w.right - w.left) - c.right + (c.right < kMinClientWidth ? kMinClientWidth : c.right);
    const int height = (w.bottom - w.top) - c.bottom + (c.bottom < kMinClientHeight ? kMinClientHeight : c.bottom);
    SetWindowPos(hwnd, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
}

void LayoutAndPaint(HWND hwnd) {
    if (!IsZoomed(hwnd)) EnforceMinimumSize(hwnd);
    if (g_window.Toolbar && g_settings.ToolbarHeight > 0) SendMessageA(g_window.Toolbar, TB_AUTOSIZE, 0, 0);
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
    SetMainTitle(hwnd);
    PaintAll(hwnd, dc, g_listing, MainPaint());
    EndPaint(hwnd, &ps);
    g_window.FullRedraw = false;
    SpeakCursorRow();
}

void CreateStatusBar(HWND hwnd) {
    g_window.StatusBar = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | WS_BORDER, 0, 0, 0, 0,
                                         hwnd, nullptr, g_window.Instance, nullptr);
    if (!g_window.StatusBar) return;
    RECT c;
    GetClientRect(hwnd, &c);
    int parts[3] = {c.right / 3, c.right / 3 * 2, -1};
    SendMessageA(g_window.StatusBar, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(parts));
    SendMessageA(g_window.StatusBar, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(kStatusFree));
    SendMessageA(g_window.StatusBar, SB_SETTEXTA, 1, reinterpret_cast<LPARAM>(kStatusTotal));
    SendMessageA(g_window.StatusBar, SB_SETTEXTA, 2, reinterpret_cast<LPARAM>(kStatusUsed));
}

void AddNotifyIcon(HWND hwnd, DWORD what) {
    NOTIFYICONDATAA nid;
    std::memset(&nid, 0, sizeof nid);
    nid.cbSize = sizeof nid;
    nid.hWnd = hwnd;
    nid.uID = kIconId;
    if (what == NIM_ADD) {
        nid.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
        nid.uCallbackMessage = kIconCallback;
        nid.hIcon = LoadIconA(g_window.Instance, "QRN_ICON");
        std::strcpy(nid.szTip, kIconTip);
    }
    Shell_NotifyIconA(what, &nid);
}

void OnDestroy(HWND hwnd) {
    RECT r;
    GetWindowRect(hwnd, &r);
    WindowPlacement w{IsZoomed(hwnd) != FALSE, IsIconic(hwnd) != FALSE, r.left, r.top, r.right - r.left,
                      r.bottom - r.top};
    SaveOnExit(g_settings, g_listing.FileMask, IniProfile(), w, g_startup.DriveTypeTable, SettingsPlatformObject());
    if (g_settings.SaveMode == 1 && g_listing.CurrentDir[0]) SaveStartDirectory(g_listing.CurrentDir, IniProfile());
    if (g_listing.ChangeWatch) {
        FindCloseChangeNotification(static_cast<HANDLE>(g_listing.ChangeWatch));
        g_listing.ChangeWatch = nullptr;
    }
    if (g_window.ListFont) {
        DeleteObject(g_window.ListFont);
        g_window.ListFont = nullptr;
    }
    AddNotifyIcon(hwnd, NIM_DELETE);
    PostQuitMessage(0);
}

// A change made by another program is taken over only while nothing is marked.
bool PollChangeWatch(HWND hwnd) {
    if (!g_listing.ChangeWatch) return false;
    if (WaitForSingleObject(static_cast<HANDLE>(g_listing.ChangeWatch), 1) != WAIT_OBJECT_0) return false;
    if (g_listing.table.MarkedCount != 0) return false;
    g_window.RefreshPending = true;
    if (DestinationWindowOpen()) return false;
    RefreshStep(hwnd);
    return true;
}

// The popup menu at the mouse or, from the keyboard, at the cursor row.
void ContextMenu(HWND hwnd, LPARAM lParam) {
    POINT at;
    if (lParam != static_cast<LPARAM>(-1)) {
        at.x = static_cast<short>(LOWORD(lParam));
        at.y = static_cast<short>(HIWORD(lParam));
        POINT client = at;
        ScreenToClient(hwnd, &client);
        g_window.MousePoint = client;
    } else {
        // The menu opens a little right of the cursor row's start. The hit
        // test that follows must find the cursor row itself, not an entry
        // clicked long ago nor the next column of a narrow layout, so the
        // mouse point goes inside the row's first character.
        int x, y;
        const ScreenLayout& sl = g_listing.screen;
        RowOrigin(g_listing, g_listing.CursorIndex, x, y);
        at.x = x + 12 * sl.cw;
        at.y = y;
        g_window.MousePoint = POINT{x + sl.cw / 2, y + sl.lh / 2};
        ClientToScreen(hwnd, &at);
    }
    HMENU menu = LoadMenuA(g_window.Instance, g_settings.MenuMode ? "QRN_MENU1_J" : "QRN_MENU1");
    if (!menu) return;
    const int answer = ListKeyHandler(hwnd, WM_CONTEXTMENU, 0);
    HMENU sub = GetSubMenu(menu, PopupSubmenu(answer, g_listing.table, g_listing.CursorIndex));
    if (sub) TrackPopupMenu(sub, TPM_RIGHTBUTTON, at.x, at.y, 0, hwnd, nullptr);
    DestroyMenu(menu);
}

// The notification-area icon: the custom menu on the right button, the
// window on the left.
void IconCallback(HWND hwnd, LPARAM lParam) {
    if (lParam == WM_RBUTTONDOWN) {
        HMENU menu = LoadMenuA(g_window.Instance, MAKEINTRESOURCEA(g_settings.MenuMode ? MENU_JAPANESE : MENU_ENGLISH));
        if (!menu) return;
        HMENU custom = GetSubMenu(menu, 9);
        if (custom) {
            SetForegroundWindow(hwnd);
            TrackPopupMenu(custom, TPM_RIGHTBUTTON | TPM_RIGHTALIGN | TPM_BOTTOMALIGN,
                           GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), 0, hwnd, nullptr);
        }
        DestroyMenu(menu);
    } else if (lParam == WM_LBUTTONDOWN) {
        ShowWindow(hwnd, SW_SHOWDEFAULT);
    }
}

void DroppedFiles(HWND hwnd, HDROP drop) {
    POINT at;
    RECT client;
    GetClientRect(hwnd, &client);
    if (DragQueryPoint(drop, &at) && PtInRect(&client, at)) {
        g_window.MousePoint = at;
        g_window.CurrentModelessDialog = nullptr;
        DropOnList(hwnd, drop, ListKeyHandler(hwnd, WM_DROPFILES, 0));
    }
    DragFinish(drop);
}

}  // namespace

void Quit(HWND hwnd, bool alwaysSaveDirectory) {
    if ((alwaysSaveDirectory || g_settings.SaveMode == 1) && g_listing.CurrentDir[0])
        SaveStartDirectory(g_listing.CurrentDir, IniProfile());
    DestroyWindow(hwnd);
}

// A copy or move onto the program's own file was turned into a request to
// update it: offered once the command has ended. The new program, started
// hidden, replaces this one once it has gone.
void OfferUpdate(HWND main) {
    PendingUpdateRecord& u = g_startup.PendingUpdate;
    if (!u.pending) return;
    u.pending = false;
    Prompts& prompts = CurrentPrompts();
    if (prompts.Message(main, kUpdateQuestion, kQuestionTitle, kMbOkCancel | kMbIconQuestion) != kIdOk) return;
    char command[3 * kPathSize + 32];
    if (FormatUpdateCommand(u, command, sizeof command) && WinExec(command, SW_HIDE) >= 32) {
        ShowWindow(main, SW_MINIMIZE);
        DestroyWindow(main);
        return;
    }
    prompts.Message(main, kUpdateStartFailed, kQuestionTitle, kMbOk | kMbIconExclamation);
}

void RepaintAll(HWND hwnd) {
    g_window.FullRedraw = true;
    InvalidateRect(hwnd, nullptr, FALSE);
    UpdateWindow(hwnd);
}

void RefreshStep(HWND hwnd) {
    if (!g_window.RefreshPending || DestinationWindowOpen()) return;
    g_window.RefreshPending = false;
    if (g_listing.ChangeWatch) FindNextChangeNotification(static_cast<HANDLE>(g_listing.ChangeWatch));
    if (ReadMainDirectory(hwnd) < 1) return;
    RepaintAll(hwnd);
}

void Refresh(HWND hwnd) {
    g_window.RefreshPending = true;
    RefreshStep(hwnd);
}

LRESULT CALLBACK MainWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    // While the pager is open, commands, menus and the tray icon wait for it
    // to close (its loop would hand them here); a click on the icon brings it up.
    if (HWND pager = OpenPager(); pager && (msg == WM_COMMAND || msg == WM_CONTEXTMENU || msg == kIconCallback)) {
        if (msg == kIconCallback && (lParam == WM_LBUTTONDOWN || lParam == WM_RBUTTONDOWN)) SetForegroundWindow(pager);
        return 0;
    }
    switch (msg) {
    case WM_CREATE:
        if (g_window.Main == nullptr || g_window.Main == hwnd) {
            DragAcceptFiles(hwnd, TRUE);
            SetErrorMode(SEM_FAILCRITICALERRORS);
            ReadMainDirectory(hwnd);
            g_listing.FirstRead = false;
            CreateStatusBar(hwnd);
            AddNotifyIcon(hwnd, NIM_ADD);
        }
        return 0;
    case WM_SIZE:
        if (g_window.StatusBar) SendMessageA(g_window.StatusBar, WM_SIZE, wParam, lParam);
        // A client area squeezed to nothing gets no paint that could widen
        // it again, so the minimum is kept here as well.
        if (wParam == SIZE_RESTORED) EnforceMinimumSize(hwnd);
        InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_PAINT:
        LayoutAndPaint(hwnd);
        return 0;
    case WM_NOTIFY: {
        NMHDR* h = reinterpret_cast<NMHDR*>(lParam);
        if (h && h->code == TTN_NEEDTEXTA) {
            NMTTDISPINFOA* tip = reinterpret_cast<NMTTDISPINFOA*>(lParam);
            const int id = static_cast<int>(h->idFrom);
            const char* text = TooltipText(id);
            if (text) tip->lpszText = const_cast<char*>(text);
            return 0;
        }
        break;
    }
    case WM_CONTEXTMENU:
        if (reinterpret_cast<HWND>(wParam) == hwnd) {
            ContextMenu(hwnd, lParam);
            RefreshStep(hwnd);
            return 0;
        }
        break;
    case WM_KEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (msg != WM_KEYDOWN) TakeMousePoint(lParam);
        // While the destination window is open it takes keys and clicks.
        if (!DestinationWindowOpen())
            ListKeyHandler(hwnd, msg, msg == WM_KEYDOWN ? static_cast<int>(wParam) : 0);
        else
            DestinationInput(msg, msg == WM_KEYDOWN ? static_cast<int>(wParam) : 0, g_window.MousePoint);
        RefreshStep(hwnd);
        return 0;
    case WM_COMMAND:
        DispatchCommand(hwnd, LOWORD(wParam));
        RefreshStep(hwnd);
        return 0;
    case WM_DROPFILES:
        DroppedFiles(hwnd, reinterpret_cast<HDROP>(wParam));
        RefreshStep(hwnd);
        return 0;
    case kIconCallback:
        IconCallback(hwnd, lParam);
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
    if (!IsOkOrCancel(msg, wParam)) return msg == WM_INITDIALOG;
    g_window.CancelRequested = true;
    DestroyWindow(hwnd);
    if (g_window.CurrentModelessDialog == hwnd) g_window.CurrentModelessDialog = nullptr;
    if (g_window.Banner == hwnd) g_window.Banner = nullptr;
    return TRUE;
}

}  // namespace qrn
