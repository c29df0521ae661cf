#include "app/commands_win32.h"

#include <cstdio>
#include <cstring>

#include "app/commands.h"
#include "app/list_keys.h"
#include "app/list_keys_win32.h"
#include "app/main_window_win32.h"
#include "app/prompts.h"
#include "app/settings.h"
#include "app/startup.h"
#include "launch/launch_win32.h"
#include "listing/sort_dialog_win32.h"
#include "resources/resource_ids.h"

namespace qrn {

namespace {

void Nothing(HWND, int) {}

// A key of the list sent by a menu or toolbar command.
void SendListKey(HWND window, int key) { ListKeyHandler(window, WM_KEYDOWN, key); }
void NextPage(HWND w, int) { SendListKey(w, VK_NEXT); }
void PreviousPage(HWND w, int) { SendListKey(w, VK_PRIOR); }
void MarkAll(HWND w, int) { SendListKey(w, VK_HOME); }
void MarkOne(HWND w, int) { SendListKey(w, VK_SPACE); }
void JumpRoot(HWND w, int) { ListKeyHandler(w, WM_KEYDOWN, 220); }

void QuitCommand(HWND w, int) { Quit(w, false); }
void QuitSavingDirectory(HWND w, int) { Quit(w, true); }

void EscapeCommand(HWND w, int) {
    if (g_window.EscapeSwallow) {
        g_window.EscapeSwallow = false;
        return;
    }
    if (CurrentPrompts().Message(w, "終了しますか？", "確認", kMbOkCancel | kMbIconQuestion | kMbDefButton2) == kIdOk)
        Quit(w, false);
}

void SortCommand(HWND w, int) {
    const bool autoSortWasOn = g_settings.SortAuto != 1;
    if (RunSortDialog(g_window.Instance, w)) ApplySortChoice(w, autoSortWasOn);
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
    LoadSettings(g_settings, IniProfile(), false, g_listing, g_startup.ProgramFolder, g_startup.DriveTypeTable,
                 SettingsPlatformObject());
    g_window.SavedFileDispSize = -1;
    Refresh(w);
}

void HelpKeyword(HWND w, int) {
    WinHelpA(w, g_startup.HelpPath, HELP_KEY, reinterpret_cast<ULONG_PTR>("ＱＲＮの使い方"));
}
void HelpContents(HWND w, int) { WinHelpA(w, g_startup.HelpPath, 3, 0); }

// Starts a companion program of the program folder; says so when it fails.
void StartCompanion(HWND w, const char* command, const char* failure) {
    if (command[0] == '\0' || WinExec(command, SW_SHOWNORMAL) < 32)
        CurrentPrompts().Message(w, failure, "確認", kMbOk);
}

void Customizer(HWND w, int) {
    char command[kPathSize + 64];
    int n = std::snprintf(command, sizeof command, "%s\\qrn_cust.exe /W%x", g_startup.ProgramFolder,
                          static_cast<unsigned>(reinterpret_cast<UINT_PTR>(w)));
    if (n < 0 || n >= static_cast<int>(sizeof command)) command[0] = '\0';
    StartCompanion(w, command, "QRNカスタマイザーの起動に失敗しました。");
}

void ArchiveViewer(HWND w, int) {
    const EntryTable& t = g_listing.table;
    const char* name = (g_listing.CursorIndex >= 0 && g_listing.CursorIndex < t.EntryCount)
                           ? t.rows[g_listing.CursorIndex].name
                           : "";
    char command[3 * kPathSize + 32];
    int n = std::snprintf(command, sizeof command, "%s\\ArcScope.exe \"-W\" \"%s%s\"", g_startup.ProgramFolder,
                          g_listing.CurrentDir, name);
    if (n < 0 || n >= static_cast<int>(sizeof command)) command[0] = '\0';
    StartCompanion(w, command, "ArcScope の起動に失敗しました。");
}

const CommandEntry kTable[] = {
    {40001, Nothing},          // About
    {40002, Nothing},          // Attributes
    {40003, Nothing},          // Extension colours
    {40004, Nothing},          // Concatenate
    {40005, Nothing},          // Add registered command
    {40006, LaunchCommand},    // Shell
    {40007, Nothing},          // Registered commands
    {40008, Nothing},          // Registered commands (Z)
    {40009, Nothing},          // Edit registered commands
    {40010, Nothing},          // Copy
    {40011, Nothing},          // Delete
    {40012, Nothing},          // Add registered directory
    {40013, Nothing},          // Registered directories
    {40014, Nothing},          // Edit registered directories
    {40015, NextPage},
    {40016, LaunchCommand},    // Edit
    {40017, LaunchCommand},    // Execute
    {40018, LaunchCommand},    // Extension commands
    {40019, LaunchCommand},    // Find (mask)
    {40020, HelpKeyword},
    {40021, HelpContents},
    {40022, Nothing},          // Total size
    {40023, JumpRoot},
    {40024, Nothing},          // Archiver settings
    {40025, Nothing},          // Change drive
    {40026, MarkAll},
    {40027, MarkOne},
    {40028, Nothing},          // Mask copy
    {40029, Nothing},          // Mirror copy
    {40030, Nothing},          // Make directory
    {40031, Nothing},          // Move
    {40032, Nothing},          // (unused)
    {40033, Nothing},          // Pack LZH
    {40034, QuitCommand},
    {40035, LaunchCommand},    // Quick viewer
    {40036, Nothing},          // Rename
    {40037, Nothing},          // Rename base name
    {40038, Nothing},          // Basic setup
    {40039, Nothing},          // Colour and font setup
    {40040, Nothing},          // One-key directory setup
    {40041, Nothing},          // Display setup
    {40042, Nothing},          // (unused)
    {40043, LaunchCommand},    // Shell command
    {40044, SortCommand},
    {40045, ResetMask},
    {40046, Nothing},          // Ctrl+Backspace
    {40047, Nothing},          // Unpack
    {40048, PreviousPage},
    {40049, LaunchCommand},    // View
    {40050, Nothing},          // Volume label
    {40051, EscapeCommand},
    {40052, QuitSavingDirectory},
    {40053, Nothing},          // Make TAR file
    {40054, Nothing},          // Create shortcut
    {40055, Minimise},
    {40056, Maximise},
    {40057, NormalSize},
    {40058, Nothing},          // Make ISH file
    {40059, Customizer},
    {40060, ToggleNameWidth},
    {40061, ReloadSettings},
    {40062, ArchiveViewer},
};

// What the commands that act while the destination window is open do there.
void DestinationCommand(HWND window, int id) {
    switch (id) {
    case 40051:  // close it
        if (g_window.Destination) DestroyWindow(g_window.Destination);
        break;
    case 40030:  // make directory: its K key
        DestinationInput(window, WM_KEYDOWN, 'K');
        break;
    case 40045:  // all files: its Tab key
        DestinationInput(window, WM_KEYDOWN, VK_TAB);
        break;
    default:
        // The registered directories (40013) and the drive window (40025)
        // choose the destination window's directory once those windows
        // exist.
        break;
    }
}

}  // namespace

const CommandEntry* CommandTable(int& count) {
    count = static_cast<int>(sizeof kTable / sizeof kTable[0]);
    return kTable;
}

void DispatchCommand(HWND window, int id) {
    if (id < kFirstCommand || id > kLastCommand) return;
    if (g_window.DestinationActive) {
        if (CommandActsWhileDestination(id)) DestinationCommand(window, id);
        return;
    }
    g_window.SavedCursor = g_listing.CursorIndex;
    kTable[id - kFirstCommand].handler(window, id);
}

}  // namespace qrn
