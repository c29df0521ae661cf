#include "app/commands_win32.h"

#include <cstdio>
#include <cstring>

#include "app/app_texts.h"
#include "app/commands.h"
#include "app/fileops_commands_win32.h"
#include "app/launch_commands_win32.h"
#include "app/transfer_commands_win32.h"
#include "app/list_keys_win32.h"
#include "app/main_window_win32.h"
#include "base/prompts.h"
#include "listing/list_keys.h"
#include "listing/sort_dialog_win32.h"
#include "resources/resource_ids.h"
#include "windows/destination_window_win32.h"

namespace qrn {

namespace {

// A key of the list sent by a menu or toolbar command.
void SendListKey(HWND window, int key) { ListKeyHandler(window, WM_KEYDOWN, key); }
void NextPage(HWND w, int) { SendListKey(w, VK_NEXT); }
void PreviousPage(HWND w, int) { SendListKey(w, VK_PRIOR); }
void MarkAll(HWND w, int) { SendListKey(w, VK_HOME); }
void MarkOne(HWND w, int) { SendListKey(w, VK_SPACE); }
void JumpRoot(HWND w, int) { ListKeyHandler(w, WM_KEYDOWN, kKeyOem220); }

void QuitCommand(HWND w, int) { Quit(w, false); }
void QuitSavingDirectory(HWND w, int) { Quit(w, true); }

void EscapeCommand(HWND w, int) {
    if (g_window.EscapeSwallow) {
        g_window.EscapeSwallow = false;
        return;
    }
    if (CurrentPrompts().Message(w, kQuitQuestion, kQuestionTitle, kMbOkCancel | kMbIconQuestion | kMbDefButton2) ==
        kIdOk)
        Quit(w, false);
}

// After OK: read again when automatic sorting was just switched off, sort
// the table, cursor to the first row, repaint.
void SortCommand(HWND w, int) {
    const bool autoSortWasOn = g_settings.SortAuto != kSortAutoOff;
    if (!RunSortDialog(g_window.Instance, w, g_settings, IniProfile())) return;
    if (autoSortWasOn && g_settings.SortAuto == kSortAutoOff) ReadMainDirectory(w);
    DirPlatform().Sort(g_listing.table);
    g_listing.CursorIndex = 0;
    g_listing.PageNumber = 1;
    ComputePageGeometry(g_listing, g_settings);
    g_window.FullRedraw = true;
    InvalidateRect(w, nullptr, FALSE);
}

void ResetMask(HWND w, int) {
    std::strcpy(g_listing.FileMask, "*.*");
    Refresh(w);
}

void Minimise(HWND w, int) { ShowWindow(w, IsIconic(w) ? SW_SHOWDEFAULT : SW_MINIMIZE); }
void Maximise(HWND w, int) { ShowWindow(w, IsZoomed(w) ? SW_SHOWDEFAULT : SW_MAXIMIZE); }
void NormalSize(HWND w, int) { ShowWindow(w, SW_SHOWDEFAULT); }

// The first use lifts the limit on the name width, the next puts it back.
void ToggleNameWidth(HWND w, int) {
    if (g_window.SavedFileDispSize < 0) {
        g_window.SavedFileDispSize = g_settings.FileDispSize;
        g_settings.FileDispSize = 0;
    } else {
        g_settings.FileDispSize = g_window.SavedFileDispSize;
        g_window.SavedFileDispSize = -1;
    }
    Refresh(w);
}

void ReloadSettings(HWND w, int) {
    LoadSettings(g_settings, IniProfile(), false, g_startup.ProgramFolder, g_startup.DriveTypeTable,
                 SettingsPlatformObject());
    g_window.SavedFileDispSize = -1;
    Refresh(w);
}

void HelpKeyword(HWND w, int) {
    WinHelpA(w, g_startup.HelpPath, HELP_KEY, reinterpret_cast<ULONG_PTR>(kHelpKeyword));
}
void HelpContents(HWND w, int) { WinHelpA(w, g_startup.HelpPath, HELP_CONTENTS, 0); }

// Starts a companion program of the program folder; says so when it fails.
void StartCompanion(HWND w, const char* command, const char* failure) {
    if (command[0] == '\0' || WinExec(command, SW_SHOWNORMAL) < 32)
        CurrentPrompts().Message(w, failure, kQuestionTitle, kMbOk);
}

void Customizer(HWND w, int) {
    char command[kPathSize + 64];
    int n = std::snprintf(command, sizeof command, kCustomizerFormat, g_startup.ProgramFolder,
                          static_cast<unsigned>(reinterpret_cast<UINT_PTR>(w)));
    if (n < 0 || n >= static_cast<int>(sizeof command)) command[0] = '\0';
    StartCompanion(w, command, kCustomizerFailed);
}

void ArchiveViewer(HWND w, int) {
    const EntryTable& t = g_listing.table;
    const char* name = (g_listing.CursorIndex >= 0 && g_listing.CursorIndex < t.EntryCount)
                           ? t.rows[g_listing.CursorIndex].name
                           : "";
    char command[3 * kPathSize + 32];
    int n = std::snprintf(command, sizeof command, kArcScopeFormat, g_startup.ProgramFolder,
                          g_listing.CurrentDir, name);
    if (n < 0 || n >= static_cast<int>(sizeof command)) command[0] = '\0';
    StartCompanion(w, command, kArcScopeFailed);
}

// The commands whose subsystem is built; every other id does nothing.
const CommandEntry kTable[] = {
    {CMD_SHELL, LaunchCommand},
    {CMD_COPY, TransferCommand},
    {CMD_LOGDISK, DriveSelectCommand},
    {CMD_MASK_COPY, TransferCommand},
    {CMD_MIRROR_COPY, TransferCommand},
    {CMD_MOVE, TransferCommand},
    {CMD_DELETE, FileCommand},
    {CMD_RENAME, FileCommand},
    {CMD_RENAME_BASE, FileCommand},
    {CMD_MKDIR, FileCommand},
    {CMD_VOLUME_LABEL, FileCommand},
    {CMD_NEXT_PAGE, NextPage},
    {CMD_EDIT, LaunchCommand},
    {CMD_EXECUTE, LaunchCommand},
    {CMD_EXTENSIONS, LaunchCommand},
    {CMD_FIND, LaunchCommand},
    {CMD_HELP, HelpKeyword},
    {CMD_HELP_CONTENTS, HelpContents},
    {CMD_JUMP_ROOT, JumpRoot},
    {CMD_MARK_ALL, MarkAll},
    {CMD_MARK, MarkOne},
    {CMD_QUIT, QuitCommand},
    {CMD_QUICK_VIEW, LaunchCommand},
    {CMD_H_KEY, LaunchCommand},
    {CMD_SORT, SortCommand},
    {CMD_TAB, ResetMask},
    {CMD_PREVIOUS_PAGE, PreviousPage},
    {CMD_VIEW, LaunchCommand},
    {CMD_ESCAPE, EscapeCommand},
    {CMD_QUIT_SAVE_DIR, QuitSavingDirectory},
    {CMD_MINIMISE, Minimise},
    {CMD_MAXIMISE, Maximise},
    {CMD_NORMAL_SIZE, NormalSize},
    {CMD_CUSTOMIZER, Customizer},
    {CMD_CTRL_TAB, ToggleNameWidth},
    {CMD_RELOAD_SETTINGS, ReloadSettings},
    {CMD_SCOPE, ArchiveViewer},
};

// What the commands that act while the destination window is open do there.
void DestinationCommand(HWND window, int id) {
    switch (id) {
    case CMD_ESCAPE:  // close it
        if (g_window.Destination) DestroyWindow(g_window.Destination);
        break;
    case CMD_MKDIR:  // make directory: its K key
        DestinationInput(window, WM_KEYDOWN, 'K');
        break;
    case CMD_TAB:  // all files: its Tab key
        DestinationInput(window, WM_KEYDOWN, VK_TAB);
        break;
    case CMD_LOGDISK:  // the drive window on its directory
        if (g_window.Destination) DestinationDriveCommand(g_window.Destination);
        break;
    default:
        // The registered directories choose its directory once that window exists.
        break;
    }
}

}  // namespace

CommandHandler FindCommand(int id) {
    for (const CommandEntry& e : kTable)
        if (e.id == id) return e.handler;
    return nullptr;
}

void DispatchCommand(HWND window, int id) {
    if (id < kFirstCommand || id > kLastCommand) return;
    if (g_window.DestinationActive) {
        if (CommandActsWhileDestination(id)) DestinationCommand(window, id);
        return;
    }
    g_window.SavedCursor = g_listing.CursorIndex;
    if (CommandHandler handler = FindCommand(id)) handler(window, id);
}

}  // namespace qrn
