// The main window: its procedure and the state it owns.
#pragma once
#include <windows.h>

#include <string>

#include "app/app_state.h"
#include "base/profile_win32.h"
#include "listing/dir_platform_win32.h"
#include "listing/list_paint_win32.h"

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
    bool CancelRequested = false;          // Cancel in the start banner (and later the progress dialog)
    int SavedCursor = 0;                   // the cursor at the last command
    HWND Toolbar = nullptr;
    POINT MousePoint{0, 0};                // the last click, client coordinates
    int SavedFileDispSize = -1;            // FileDispSize while the name width limit is lifted
    char RememberedDir[kPathSize] = {};    // one remembered directory for the run; empty when none
    char DestDir[kPathSize] = {};          // the last target chosen in the destination window
    char MaskPattern[kPathSize] = {};      // what the pending mask copy copies
    std::string SaidAfterDestination;      // what the confirmed operation did, said once it is closed
};

constexpr UINT kIconCallback = WM_USER + 10;  // 1034
constexpr UINT kIconId = 1;

extern MainWindowState g_window;

// The platform objects behind the listing and the settings.
Win32DirectoryPlatform& DirPlatform();
Win32SettingsPlatform& SettingsPlatformObject();
IniFileProfile& IniProfile();

// How the main list is painted now.
PaintContext MainPaint();
// Speaks the main list's cursor row (not while a destination is chosen).
void SpeakCursorRow();
// Says what a command did, after the cursor row (nothing when said is empty).
void SaySummary(const std::string& said);
// The main window's title: "QRN - " with the directory and the mask.
void SetMainTitle(HWND hwnd);
// Reads CurrentDir into the main list; the row count or -1.
int ReadMainDirectory(HWND hwnd);

constexpr const char* kMainClass = "QRN";

// Quits: GetPath is written when SaveMode says so, or always.
void Quit(HWND hwnd, bool alwaysSaveDirectory);
// Sets RefreshPending and runs the refresh step.
void Refresh(HWND hwnd);
// The refresh step: reads CurrentDir again when RefreshPending is set.
void RefreshStep(HWND hwnd);
// Repaints the whole window now.
void RepaintAll(HWND hwnd);
// After a command: the update of the program asked for, when a copy or move
// onto its own file requested one; started, this program ends.
void OfferUpdate(HWND main);

LRESULT CALLBACK MainWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK StartBannerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

}  // namespace qrn
