#include "app/commands_win32.h"

#include <cstdio>
#include <cstring>

#include "app/app_texts.h"
#include "app/archive_commands_win32.h"
#include "app/commands.h"
#include "app/fileops_commands_win32.h"
#include "app/launch_commands_win32.h"
#include "app/transfer_commands_win32.h"
#include "app/list_keys_win32.h"
#include "app/main_window_win32.h"
#include "base/prompts.h"
#include "base/speech.h"
#include "listing/list_format.h"
#include "listing/list_keys.h"
#include "listing/sort_dialog_win32.h"
#include "resources/resource_ids.h"
#include "setup/setup_dialogs_win32.h"
#include "windows/destination_window_win32.h"

namespace qrn {

namespace {

// A key of the list sent by a menu or toolbar command.
void SendListKey(HWND window, int key) { ListKeyHandler(window, WM_KEYDOWN, key); }
void NextPage(HWND w) { SendListKey(w, VK_NEXT); }
void PreviousPage(HWND w) { SendListKey(w, VK_PRIOR); }
void MarkAll(HWND w) { SendListKey(w, VK_HOME); }
void MarkOne(HWND w) { SendListKey(w, VK_SPACE); }
void JumpRoot(HWND w) { ListKeyHandler(w, WM_KEYDOWN, kKeyOem220); }

void QuitCommand(HWND w) { Quit(w, false); }
void QuitSavingDirectory(HWND w) { Quit(w, true); }

void EscapeCommand(HWND w) {
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
void SortCommand(HWND w) {
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

void ResetMask(HWND w) {
    std::strcpy(g_listing.FileMask, "*.*");
    Refresh(w);
}

void Minimise(HWND w) { ShowWindow(w, IsIconic(w) ? SW_SHOWDEFAULT : SW_MINIMIZE); }
void Maximise(HWND w) { ShowWindow(w, IsZoomed(w) ? SW_SHOWDEFAULT : SW_MAXIMIZE); }
void NormalSize(HWND w) { ShowWindow(w, SW_SHOWDEFAULT); }

// The first use lifts the limit on the name width, the next puts it back.
void ToggleNameWidth(HWND w) {
    if (g_window.SavedFileDispSize < 0) {
        g_window.SavedFileDispSize = g_settings.FileDispSize;
        g_settings.FileDispSize = 0;
    } else {
        g_settings.FileDispSize = g_window.SavedFileDispSize;
        g_window.SavedFileDispSize = -1;
    }
    Refresh(w);
}

void ReloadSettings(HWND w) {
    LoadSettings(g_settings, IniProfile(), false, g_startup.ProgramFolder, g_startup.DriveTypeTable,
                 SettingsPlatformObject());
    g_window.SavedFileDispSize = -1;
    Refresh(w);
}

void About(HWND w) { RunAboutDialog(g_window.Instance, w); }

// A setup page; CANCEL reads the settings again, dropping what was applied.
// The name width switched off for a while is the one the page shows.
void Setup(HWND w, SetupPage page) {
    if (page == SetupPage::Display && g_window.SavedFileDispSize >= 0) {
        g_settings.FileDispSize = g_window.SavedFileDispSize;
        g_window.SavedFileDispSize = -1;
    }
    const int toolbar = g_settings.ToolbarHeight;
    const SetupEnd end = RunSetupPage(g_window.Instance, w, page, IniProfile(), g_settings, [w] { RepaintAll(w); });
    if (end == SetupEnd::Reload) ReloadSettings(w);
    else Refresh(w);
    if (g_settings.ToolbarHeight != toolbar && g_window.Toolbar) {
        ShowWindow(g_window.Toolbar, g_settings.ToolbarHeight > 0 ? SW_RESTORE : SW_HIDE);
        RepaintAll(w);  // the list moves up or down with it
    }
}
void BaseSetup(HWND w) { Setup(w, SetupPage::Base); }
void DirectorySetup(HWND w) { Setup(w, SetupPage::Directories); }
void DisplaySetup(HWND w) { Setup(w, SetupPage::Display); }
void ColorSetup(HWND w) { Setup(w, SetupPage::Colors); }
void ArchiverSetup(HWND w) { RunArchiverSetup(g_window.Instance, w, IniProfile(), g_settings); }
void ExtensionColours(HWND w) {
    if (RunBinColorDialog(g_window.Instance, w, IniProfile())) RepaintAll(w);
}

void HelpKeyword(HWND w) {
    WinHelpA(w, g_startup.HelpPath, HELP_KEY, reinterpret_cast<ULONG_PTR>(kHelpKeyword));
}
void HelpContents(HWND w) { WinHelpA(w, g_startup.HelpPath, HELP_CONTENTS, 0); }

void SpeakWhere(HWND) {
    char spoken[kSpeechTextSize];
    WhereSentence(g_listing.table, g_listing.CurrentDir, g_listing.CursorIndex, g_listing.table.DiskFree, spoken,
                  sizeof spoken);
    SetSpeechMode(1);
    Speak(spoken);
}

// Starts a companion program of the program folder; says so when it fails.
void StartCompanion(HWND w, const char* command, const char* failure) {
    if (command[0] == '\0' || WinExec(command, SW_SHOWNORMAL) < 32)
        CurrentPrompts().Message(w, failure, kQuestionTitle, kMbOk);
}

void Customizer(HWND w) {
    char command[kPathSize + 64];
    int n = std::snprintf(command, sizeof command, kCustomizerFormat, g_startup.ProgramFolder,
                          static_cast<unsigned>(reinterpret_cast<UINT_PTR>(w)));
    if (n < 0 || n >= static_cast<int>(sizeof command)) command[0] = '\0';
    StartCompanion(w, command, kCustomizerFailed);
}

void ArchiveViewer(HWND w) {
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

// A command: what runs it, what it needs of the list, what it does while the
// destination window is open (null: it waits) and its toolbar tooltip.
struct Command {
    int id;
    void (*run)(HWND window);  // null while its subsystem is not built
    RowNeed rows;
    void (*whileDestination)();
    const char* tooltip;
};

// Every id that does something, or has a toolbar button; the others do nothing.
constexpr Command kCommands[] = {
    {CMD_ABOUT, About, kNoRow, nullptr, kTipAbout},
    {CMD_ATTRIBUTES, ChangeAttributes, kMarkedOrEntryRow, nullptr, kTipAttributes},
    {CMD_CONCATENATE, ConcatenateMarked, kNoRow, nullptr, nullptr},
    {CMD_TOTAL_SIZE, TotalSize, kNoRow, nullptr, nullptr},
    {CMD_BIN_COLOR, ExtensionColours, kNoRow, nullptr, nullptr},
    {CMD_ARCHIVER_SETUP, ArchiverSetup, kNoRow, nullptr, nullptr},
    {CMD_SETUP_BASE, BaseSetup, kNoRow, nullptr, nullptr},
    {CMD_SETUP_DIR, DirectorySetup, kNoRow, nullptr, nullptr},
    {CMD_SETUP_DISPLAY, DisplaySetup, kNoRow, nullptr, nullptr},
    {CMD_SETUP_COLOR, ColorSetup, kNoRow, nullptr, nullptr},
    {CMD_SHELL, StartInterpreter, kNoRow, nullptr, nullptr},
    {CMD_COPY, CopyEntries, kMarkedOrEntryRow, nullptr, kTipCopy},
    {CMD_DELETE, DeleteEntries, kNoRow, nullptr, kTipDelete},
    {CMD_DIRECTORIES, RegisteredDirectory, kNoRow, DestinationRegisteredDirectory, nullptr},
    {CMD_COMMANDS, RegisteredCommand, kNoRow, nullptr, nullptr},
    {CMD_COMMANDS_Z, RegisteredCommand, kNoRow, nullptr, nullptr},
    {CMD_ADD_COMMAND, AddRegisteredCommand, kPlainFileRow, nullptr, nullptr},
    {CMD_EDIT_COMMANDS, EditRegisteredCommands, kNoRow, nullptr, nullptr},
    {CMD_ADD_DIRECTORY, AddRegisteredDirectory, kNoRow, nullptr, nullptr},
    {CMD_EDIT_DIRECTORIES, EditRegisteredDirectories, kNoRow, nullptr, nullptr},
    {CMD_NEXT_PAGE, NextPage, kNoRow, nullptr, kTipNextPage},
    {CMD_EDIT, EditCursorFile, kNoRow, nullptr, kTipEdit},
    {CMD_EXECUTE, ExecuteCursorFile, kPlainFileRow, nullptr, nullptr},
    {CMD_EXTENSIONS, EditExtensions, kNoRow, nullptr, nullptr},
    {CMD_FIND, FindByMask, kNoRow, nullptr, kTipFind},
    {CMD_HELP, HelpKeyword, kNoRow, nullptr, kTipHelp},
    {CMD_HELP_CONTENTS, HelpContents, kNoRow, nullptr, nullptr},
    {CMD_JUMP_ROOT, JumpRoot, kNoRow, nullptr, nullptr},
    {CMD_LOGDISK, DriveSelectCommand, kNoRow, DestinationDriveWindow, nullptr},
    {CMD_MARK_ALL, MarkAll, kNoRow, nullptr, nullptr},
    {CMD_MARK, MarkOne, kNoRow, nullptr, nullptr},
    {CMD_MASK_COPY, MaskCopyEntries, kMarkedOrEntryRow, nullptr, nullptr},
    {CMD_MIRROR_COPY, MirrorCopyDirectory, kDirectoryOrLabelRow, nullptr, nullptr},
    {CMD_MKDIR, MakeDirectory, kNoRow, DestinationMakeDirectory, kTipMkdir},
    {CMD_MOVE, MoveEntries, kMarkedOrEntryRow, nullptr, kTipMove},
    {CMD_PACK, PackLzhCommand, kMarkedOrEntryRow, nullptr, kTipPack},
    {CMD_QUIT, QuitCommand, kNoRow, nullptr, kTipQuit},
    {CMD_QUICK_VIEW, QuickView, kPlainFileRow, nullptr, nullptr},
    {CMD_RENAME, RenameEntries, kNoRow, nullptr, kTipRename},
    {CMD_RENAME_BASE, RenameKeepingExtension, kNoRow, nullptr, nullptr},
    {CMD_H_KEY, ShellCommandLine, kNoRow, nullptr, nullptr},
    {CMD_SORT, SortCommand, kNoRow, nullptr, nullptr},
    {CMD_TAB, ResetMask, kNoRow, DestinationAllFiles, nullptr},
    {CMD_UNPACK, UnpackCommand, kMarkedOrPlainFileRow, nullptr, kTipUnpack},
    {CMD_PREVIOUS_PAGE, PreviousPage, kNoRow, nullptr, kTipPreviousPage},
    {CMD_VIEW, ViewCursorFile, kPlainFileRow, nullptr, kTipView},
    {CMD_VOLUME_LABEL, ChangeVolumeLabel, kNoRow, nullptr, nullptr},
    {CMD_ESCAPE, EscapeCommand, kNoRow, CloseDestinationWindow, nullptr},
    {CMD_QUIT_SAVE_DIR, QuitSavingDirectory, kNoRow, nullptr, nullptr},
    {CMD_SHORTCUT, MakeShortcut, kEntryRow, nullptr, kTipShortcut},
    {CMD_MINIMISE, Minimise, kNoRow, nullptr, nullptr},
    {CMD_MAXIMISE, Maximise, kNoRow, nullptr, nullptr},
    {CMD_NORMAL_SIZE, NormalSize, kNoRow, nullptr, nullptr},
    {CMD_CUSTOMIZER, Customizer, kNoRow, nullptr, nullptr},
    {CMD_CTRL_TAB, ToggleNameWidth, kNoRow, nullptr, nullptr},
    {CMD_RELOAD_SETTINGS, ReloadSettings, kNoRow, nullptr, nullptr},
    {CMD_SCOPE, ArchiveViewer, kNoRow, nullptr, nullptr},
    {CMD_WHERE, SpeakWhere, kNoRow, DestinationSpeakWhere, nullptr},
    {CMD_TAR_MAKE, PackTarCommand, kMarkedOrEntryRow, nullptr, nullptr},
    {CMD_ISH_MAKE, MakeIshCommand, kMarkedOrEntryRow, nullptr, nullptr},
};

constexpr bool OnToolbar(int id) {
    for (const ToolbarButton& b : kToolbar)
        if (b.command == id) return true;
    return false;
}

// Each row's id is a command, no id has two rows, and exactly the toolbar's
// commands have a tooltip.
constexpr bool TableHolds() {
    for (const Command& c : kCommands) {
        if (c.id < kFirstCommand || c.id > kLastCommand || (c.tooltip != nullptr) != OnToolbar(c.id)) return false;
        int rows = 0;
        for (const Command& other : kCommands) rows += other.id == c.id;
        if (rows != 1) return false;
    }
    for (const ToolbarButton& b : kToolbar) {
        bool found = b.command == 0;
        for (const Command& c : kCommands) found = found || c.id == b.command;
        if (!found) return false;
    }
    return true;
}
static_assert(TableHolds(), "one row per command, a tooltip for each toolbar button and only for those");

const Command* FindCommand(int id) {
    for (const Command& c : kCommands)
        if (c.id == id) return &c;
    return nullptr;
}

}  // namespace

void DispatchCommand(HWND window, int id) {
    if (id < kFirstCommand || id > kLastCommand) return;
    const Command* c = FindCommand(id);
    if (DestinationWindowOpen()) {
        if (c && c->whileDestination) c->whileDestination();
        return;
    }
    g_window.SavedCursor = g_listing.CursorIndex;
    if (c && c->run && RowsServe(g_listing.table, g_listing.CursorIndex, c->rows)) c->run(window);
}

const char* TooltipText(int id) {
    const Command* c = FindCommand(id);
    return c ? c->tooltip : nullptr;
}

}  // namespace qrn
