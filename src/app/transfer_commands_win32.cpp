#include "app/transfer_commands_win32.h"

#include <cstring>

#include "app/fileops_commands_win32.h"
#include "app/list_keys_win32.h"
#include "app/main_window_win32.h"
#include "base/prompts.h"
#include "fileops/file_system_win32.h"
#include "fileops/fileops_texts.h"
#include "fileops/transfer.h"
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

// The operation confirmed in the destination window, into the directory it
// shows; what it did is said once the list is up to date again.
void RunPending(HWND window, PendingOp operation) {
    CopyCut(g_window.DestDir, sizeof g_window.DestDir, DestinationDirectory());
    TransferRequest request;
    request.currentDir = g_listing.CurrentDir;
    request.destDir = g_window.DestDir;
    request.mask = operation == PendingOp::Copy && g_window.MaskCopy;
    request.pattern = g_window.MaskPattern;
    char exe[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, exe, sizeof exe);
    if (n > 0 && n < sizeof exe) request.ownExecutable = exe;
    request.pendingUpdate = &g_startup.PendingUpdate;
    FileSystem& fs = SystemFileSystem();
    Win32OperationUi ui = MainListUi(window);
    TransferResult result;
    if (operation == PendingOp::Copy) {
        result = CopyCommand(g_listing, request, fs, ui);
    } else if (operation == PendingOp::MirrorCopy) {
        TempFileErrorLog log;
        result = MirrorCopyCommand(g_listing, request, fs, ui, log);
    } else if (operation == PendingOp::Move) {
        // The program's own changes are not to be taken for another's while it moves.
        if (g_listing.ChangeWatch) FindCloseChangeNotification(static_cast<HANDLE>(g_listing.ChangeWatch));
        g_listing.ChangeWatch = nullptr;
        result = MoveCommand(g_listing, request, fs, ui);
        char watch[kPathSize];
        CopyCut(watch, sizeof watch, g_listing.CurrentDir);
        const std::size_t len = std::strlen(watch);
        if (len > 3 && EndsWithBackslash(watch)) watch[len - 1] = '\0';
        g_listing.ChangeWatch = DirPlatform().ArmWatch(nullptr, watch, static_cast<unsigned>(g_settings.UpdateFilter));
    } else {
        return;
    }
    ui.CloseStatus();
    if (result.refresh) g_window.RefreshPending = true;
    g_window.SaidAfterDestination = result.said;
}

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
