// The main window: its procedure and the state it owns.
#pragma once
#include <windows.h>

#include "app/profile_win32.h"
#include "listing/dir_platform_win32.h"

namespace qrn {

struct MainWindowState {
    HINSTANCE Instance = nullptr;
    HWND Main = nullptr;                   // null until CreateWindowExA has returned
    HWND CurrentModelessDialog = nullptr;  // the dialog the message loop serves
    HWND Banner = nullptr;                 // the start banner while it is up
    HWND StatusBar = nullptr;
    HFONT ListFont = nullptr;
    bool FullRedraw = true;                // the next paint of the list redraws everything
    bool RefreshPending = false;
    bool EscapeSwallow = false;
    int PendingOperation = 0;              // 0 none, 1 copy, 2 move, 3 unpack, 4 mirror copy, 5 ISH make
};

extern MainWindowState g_window;

// The platform objects behind the listing and the settings.
Win32DirectoryPlatform& DirPlatform();
Win32SettingsPlatform& SettingsPlatformObject();
IniFileProfile& IniProfile();

constexpr const char* kMainClass = "QRN";

LRESULT CALLBACK MainWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK StartBannerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

}  // namespace qrn
