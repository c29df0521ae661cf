#include "app/transfer_commands_win32.h"

#include <cstring>

#include "app/fileops_commands_win32.h"
#include "app/list_keys_win32.h"
#include "app/main_window_win32.h"
#include "base/prompts.h"
#include "base/speech.h"
#include "fileops/file_system_win32.h"
#include "fileops/fileops_texts.h"
#include "fileops/transfer.h"
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

// Runs an operation confirmed in the destination window from the listed
// directory into target; what it did is said once the list is up to date again.
template <TransferResult (*Transfer)(TransferRequest& request, FileSystem& fs, OperationUi& ui)>
void RunInto(void* owner, const char* target) {
    CopyCut(g_window.DestDir, sizeof g_window.DestDir, target);
    TransferRequest request;
    request.currentDir = g_listing.CurrentDir;
    request.destDir = g_window.DestDir;
    request.pattern = g_window.MaskPattern;
    char exe[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, exe, sizeof exe);
    if (n > 0 && n < sizeof exe) request.ownExecutable = exe;
    request.pendingUpdate = &g_startup.PendingUpdate;
    request.recycle = g_settings.RecycleBin != 0;
    Win32OperationUi ui = MainListUi(static_cast<HWND>(owner));
    const TransferResult result = Transfer(request, SystemFileSystem(), ui);
    ui.CloseStatus();
    if (result.refresh) g_window.RefreshPending = true;
    g_window.SaidAfterDestination = result.said;
}

TransferResult Copy(TransferRequest& request, FileSystem& fs, OperationUi& ui) {
    return CopyCommand(g_listing, request, fs, ui);
}

TransferResult MaskCopy(TransferRequest& request, FileSystem& fs, OperationUi& ui) {
    request.mask = true;
    return CopyCommand(g_listing, request, fs, ui);
}

TransferResult MirrorCopy(TransferRequest& request, FileSystem& fs, OperationUi& ui) {
    TempFileErrorLog log;
    return MirrorCopyCommand(g_listing, request, fs, ui, log);
}

// The program's own changes are not to be taken for another's while it moves.
TransferResult Move(TransferRequest& request, FileSystem& fs, OperationUi& ui) {
    if (g_listing.ChangeWatch) FindCloseChangeNotification(static_cast<HANDLE>(g_listing.ChangeWatch));
    g_listing.ChangeWatch = nullptr;
    TransferResult result = MoveCommand(g_listing, request, fs, ui);
    char watch[kPathSize];
    CopyCut(watch, sizeof watch, g_listing.CurrentDir);
    const std::size_t len = std::strlen(watch);
    if (len > 3 && EndsWithBackslash(watch)) watch[len - 1] = '\0';
    g_listing.ChangeWatch = DirPlatform().ArmWatch(nullptr, watch, static_cast<unsigned>(g_settings.UpdateFilter));
    return result;
}

// The operations that choose their target in the destination window.
const PendingOperation kCopy{kCopyTitle, kCopyDestinationTitle, RunInto<Copy>};
const PendingOperation kMaskCopy{kMaskCopyTitle, kCopyDestinationTitle, RunInto<MaskCopy>};
const PendingOperation kMirrorCopy{kMirrorCopyTitle, kMirrorDestinationTitle, RunInto<MirrorCopy>};
const PendingOperation kMove{kMoveTitle, kMoveDestinationTitle, RunInto<Move>};

// The destination window has gone, confirmed or not: the main window takes
// over again with the cursor where it was when the command began.
void DestinationClosed(HWND window) {
    g_listing.CursorIndex = g_window.SavedCursor;
    RepaintAll(window);
    SetFocus(window);
}

// After a confirmed operation: the list as it is now, its cursor row read
// first, then what was done; then the update it may have asked for.
void DestinationFinished(HWND window) {
    RefreshStep(window);
    UpdateWindow(window);
    SaySummary(g_window.SaidAfterDestination);
    OfferUpdate(window);
}

}  // namespace

void ChooseDestination(HWND window, const PendingOperation& operation) {
    char choice[kPathSize];
    CopyCut(choice, sizeof choice, g_window.DestDir);
    const DriveResult result = AskDrive(window, operation.driveTitle, choice, sizeof choice);
    char dir[kPathSize];
    if (operation.driveChoiceAsIs) {
        if (result != DriveResult::Drive) return;
        CopyCut(dir, sizeof dir, choice);
    } else if (result == DriveResult::Drive) {
        Win32DriveSource drives(g_settings, g_startup.DriveTypeTable, IniProfile(), g_window.RememberedDir);
        if (!drives.CurrentDirectory(choice[0], dir, sizeof dir)) return;
    } else if (result == DriveResult::Directory) {
        CopyCut(dir, sizeof dir, choice);
        AddBackslash(dir, sizeof dir);
    } else {
        return;
    }
    OpenDestination(window, dir, operation);
}

void OpenDestination(HWND window, const char* dir, const PendingOperation& operation) {
    CopyCut(g_window.DestDir, sizeof g_window.DestDir, dir);
    const DestinationContext context{&g_settings, &IniProfile(), &DirPlatform(), &g_window.ListFont,
                                     g_window.RememberedDir, g_startup.DriveTypeTable};
    OpenDestinationWindow(window, dir, operation, context,
                          DestinationCallbacks{[window] { DestinationClosed(window); },
                                               [window] { DestinationFinished(window); }});
}

void CopyEntries(HWND window) { ChooseDestination(window, kCopy); }
void MoveEntries(HWND window) { ChooseDestination(window, kMove); }

void MaskCopyEntries(HWND window) {
    char pattern[kPathSize] = "*.*";
    if (!CurrentPrompts().InputLine(window, kMaskPatternTitle, pattern, sizeof pattern)) return;
    CopyCut(g_window.MaskPattern, sizeof g_window.MaskPattern, pattern);
    ChooseDestination(window, kMaskCopy);
}

void MirrorCopyDirectory(HWND window) {
    if (CurrentPrompts().Message(window, kMirrorQuestion, kConfirmTitle, kMbOkCancel | kMbIconQuestion) != kIdOk)
        return;
    ChooseDestination(window, kMirrorCopy);
}

void DriveSelectCommand(HWND window) {
    char choice[kPathSize];
    CopyCut(choice, sizeof choice, g_listing.CurrentDir);
    const DriveResult result = AskDrive(window, kDriveSelectTitle, choice, sizeof choice);
    if (result == DriveResult::Drive || result == DriveResult::Directory) ShowDirectory(window, choice);
}

int ChooseDriveForReader(void* owner, const char* title, char* choice, std::size_t size) {
    return static_cast<int>(AskDrive(static_cast<HWND>(owner), title, choice, size));
}

}  // namespace qrn
