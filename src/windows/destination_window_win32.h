// The destination window: where copy, move and unpack walk to their target.
// It is modeless; the main window routes keys, clicks and a few commands to
// DestinationKey while it is open, and runs the operation once a target is
// confirmed.
#pragma once
#include <windows.h>

#include "base/profile.h"
#include "base/settings.h"
#include "listing/dir_reader.h"
#include "windows/destination.h"
#include "windows/drive_window_win32.h"

namespace qrn {

// What the window works with, for as long as it is open.
struct DestinationContext {
    Settings* settings;
    Profile* ini;               // BIN_COLOR, SET_DIR and the stored rectangle
    DirectoryPlatform* disk;
    HFONT* font;                // the list font
    char* rememberedDir;        // kPathSize bytes: set on confirming, taken by Insert
    char* driveTypes;           // DriveTypeTable
};

// Creates, fills and shows the window; returns it (null when it cannot be made).
HWND OpenDestinationWindow(HWND owner, const char* title, const char* startDir, PendingOp operation,
                           WNDPROC procedure, const DestinationContext& context);
// A key (WM_KEYDOWN) or click (WM_LBUTTONDOWN, WM_LBUTTONDBLCLK at a client
// point): -1 cancel, 1 confirmed, 0 otherwise.
int DestinationKey(HWND window, UINT message, int key, POINT at);
// The full repaint; the list font is selected into dc.
void PaintDestination(HWND window, HDC dc);
// L: the drive window on the destination directory.
void DestinationDriveCommand(HWND window);
// The directory shown: the target once confirmed. Empty when none is open.
const char* DestinationDirectory();
// The window has gone: what it held is freed.
void DestinationDestroyed(HWND window);

}  // namespace qrn
