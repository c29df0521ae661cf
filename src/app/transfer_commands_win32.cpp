#include "app/transfer_commands_win32.h"

#include "app/list_keys_win32.h"
#include "app/main_window_win32.h"
#include "base/prompts.h"
#include "fileops/fileops_texts.h"
#include "resources/resource_ids.h"
#include "windows/destination_window_win32.h"
#include "windows/drive_window_win32.h"
#include "windows/windows_texts.h"

namespace qrn {

namespace {

DriveResult AskDrive(HWND owner, const char* title, char* choice, std::size_t size) {
    Win32DriveSource drives(g_settings, g_startup.DriveTypeTable, IniProfile(), g_window.RememberedDir);
    return DriveWindow(owner, title, g_listing.CurrentDir, drives, DriveWindowLook{g_settings.Colors, ListFont(MainPaint())},
                       choice, size);
}

// The operation confirmed in the destination window. Copying and moving
// themselves are not built yet: the target is kept, and nothing more happens.
void RunPending(HWND, PendingOp) { CopyCut(g_window.DestDir, sizeof g_window.DestDir, DestinationDirectory()); }

// The drive window, then the destination window on the drive's current
// directory or the directory chosen.
void ChooseDestination(HWND window, const char* title, PendingOp operation) {
    char choice[kPathSize];
    CopyCut(choice, sizeof choice, g_window.DestDir);
    const DriveResult result = AskDrive(window, title, choice, sizeof choice);
    char dir[kPathSize];
    if (result == DriveResult::Drive) {
        Win32DriveSource drives(g_settings, g_startup.DriveTypeTable, IniProfile(), g_window.RememberedDir);
        if (!drives.CurrentDirectory(choice[0], dir, sizeof dir)) return;
    } else if (result == DriveResult::Directory) {
        CopyCut(dir, sizeof dir, choice);
        AddBackslash(dir, sizeof dir);
    } else {
        return;
    }
    CopyCut(g_window.DestDir, sizeof g_window.DestDir, dir);
    g_window.DestinationActive = true;
    g_window.PendingOperation = operation;
    g_window.DestinationHooks = DestinationHandlers{DestinationKey, PaintDestination, RunPending};
    const DestinationContext context{&g_settings, &IniProfile(), &DirPlatform(), &g_window.ListFont,
                                     g_window.RememberedDir, g_startup.DriveTypeTable};
    HWND dest = OpenDestinationWindow(window, title, dir, operation, DestinationWindowProc, context);
    if (!dest) {
        g_window.DestinationActive = false;
        g_window.PendingOperation = PendingOp::None;
        return;
    }
    AttachDestination(dest);
}


}  // namespace

void TransferCommand(HWND window, int id) {
    const EntryTable& t = g_listing.table;
    const int cursor = g_listing.CursorIndex;
    if (id == CMD_MIRROR_COPY) {
        // A directory of its own or the volume-label row; never a file.
        if (!EntryQualifies(t, cursor, RowKind::DirectoryOrLabel)) return;
        if (CurrentPrompts().Message(window, kMirrorQuestion, kConfirmTitle, kMbOkCancel | kMbIconQuestion) != kIdOk)
            return;
        return ChooseDestination(window, kMirrorCopyTitle, PendingOp::MirrorCopy);
    }
    if (t.MarkedCount == 0 && !EntryQualifies(t, cursor, RowKind::FileOrDirectory)) return;
    if (id == CMD_MOVE) return ChooseDestination(window, kMoveTitle, PendingOp::Move);
    g_window.MaskCopy = id == CMD_MASK_COPY;
    if (g_window.MaskCopy) {
        char pattern[kPathSize] = "*.*";
        if (!CurrentPrompts().InputLine(window, kMaskPatternTitle, pattern, sizeof pattern)) return;
        CopyCut(g_window.MaskPattern, sizeof g_window.MaskPattern, pattern);
    }
    ChooseDestination(window, g_window.MaskCopy ? kMaskCopyTitle : kCopyTitle, PendingOp::Copy);
}

void DriveSelectCommand(HWND window, int) {
    char choice[kPathSize];
    CopyCut(choice, sizeof choice, g_listing.CurrentDir);
    const DriveResult result = AskDrive(window, kDriveSelectTitle, choice, sizeof choice);
    if (result == DriveResult::Drive || result == DriveResult::Directory) ShowDirectory(window, choice);
}

int ChooseDriveForReader(void* owner, const char* title, char* choice, std::size_t size) {
    return static_cast<int>(AskDrive(static_cast<HWND>(owner), title, choice, size));
}

}  // namespace qrn
