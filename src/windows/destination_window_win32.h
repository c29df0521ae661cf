// The destination window: where copy, move and unpack walk to their target.
// It is modeless and serves its own keys and clicks, those its owner passes
// on while it is open and the few commands of the owner's menus that act on
// it; once a target is confirmed it is hidden, the pending operation runs,
// and it is closed.
#pragma once
#include <windows.h>

#include <functional>

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

// What the owner is told.
struct DestinationCallbacks {
    std::function<void()> closed;    // the window has gone, confirmed or not
    std::function<void()> finished;  // after a confirmed operation has run and the window has gone
};

// Creates, fills and shows the window over startDir for operation, one at a
// time; returns it (null when it cannot be made).
HWND OpenDestinationWindow(HWND owner, const char* startDir, const PendingOperation& operation,
                           const DestinationContext& context, DestinationCallbacks callbacks);
// From its creation until it has gone.
bool DestinationWindowOpen();
// A key (WM_KEYDOWN) or click (WM_LBUTTONDOWN, WM_LBUTTONDBLCLK at a client
// point) its owner passes on, taken as the window's own.
void DestinationInput(UINT message, int key, POINT at);
// The owner's commands while it is open: Escape, make directory (its K key),
// all files (its Tab key), the drive window on its directory, where am I.
void CloseDestinationWindow();
void DestinationMakeDirectory();
void DestinationAllFiles();
void DestinationDriveWindow();
// Says where its cursor is (Ctrl+W).
void DestinationSpeakWhere();
// The window itself (null when closed), and dir shown in it, read anew.
HWND DestinationWindowHandle();
void DestinationShowDirectory(const char* dir);

}  // namespace qrn
