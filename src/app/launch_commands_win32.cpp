#include "app/launch_commands_win32.h"

#include <string>

#include "app/list_keys_win32.h"
#include "app/main_window_win32.h"
#include "base/speech.h"
#include "launch/command_window_win32.h"
#include "launch/ext_dialog_win32.h"
#include "launch/launch_texts.h"
#include "launch/launch_win32.h"
#include "launch/registration_dialog_win32.h"
#include "launch/shortcut_win32.h"
#include "pager/pager_window_win32.h"
#include "windows/destination_window_win32.h"

namespace qrn {

namespace {

int ReadListed(void* owner) { return ReadMainDirectory(static_cast<HWND>(owner)); }

// The built-in pager over the main window: where nothing is stored it opens
// at the main window's corner, as large as the list.
bool ShowInPager(void* owner, const FileEntry& entry) {
    HWND main = static_cast<HWND>(owner);
    RECT w{0, 0, 0, 0}, client{0, 0, 640, 480};
    GetWindowRect(main, &w);
    GetClientRect(main, &client);
    const ScreenLayout& s = g_listing.screen;
    const int width = g_listing.screenValid ? s.clientWidth : client.right;
    const int height = g_listing.screenValid ? s.listBottom - s.listTop : client.bottom;
    const PagerContext c{&g_settings, &IniProfile(), ListFont(MainPaint()), g_listing.CurrentDir,
                         RECT{w.left, w.top, width, height}};
    if (!ViewFile(main, c, entry)) return false;
    SpeakCursorRow();
    return true;
}

Win32LaunchPlatform& Platform() {
    static Win32LaunchPlatform p(ReadListed, ShowInPager);
    return p;
}

LaunchContext Context(HWND window) {
    return LaunchContext{g_listing, g_settings, IniProfile(), Platform(), window, g_window.RememberedDir,
                         g_startup.ShellPath};
}

std::string ChooseRegistered(HWND window, Collection c) {
    return OpenCommandWindow(window, c, IniProfile(), CommandWindowLook{g_settings.Colors, ListFont(MainPaint())});
}

void Register(HWND window, Collection c, const char* title, const char* path) {
    RunRegistrationDialog(g_window.Instance, window, IniProfile(), c, title, path);
}

void Launch(HWND window, void (*command)(LaunchContext& c)) {
    LaunchContext c = Context(window);
    command(c);
}

}  // namespace

void OpenCursorEntry(HWND window, int key, Modifiers m) {
    LaunchContext c = Context(window);
    if (OpenEntry(c, key, m) == kOpenListRead) RepaintAll(window);
}

void OpenMarkedEntries(HWND window, Modifiers m) {
    LaunchContext c = Context(window);
    if (OpenMarkedUntilEscape(c, m)) g_window.EscapeSwallow = true;
    RepaintAll(window);
}

void StartInterpreter(HWND window) { Launch(window, CommandInterpreter); }
void EditCursorFile(HWND window) { OpenCursorEntry(window, kOpenEdit, Modifiers{}); }
void ExecuteCursorFile(HWND window) { Launch(window, ExecuteCommand); }
void EditExtensions(HWND window) { RunExtDialog(g_window.Instance, window, IniProfile(), g_startup.HelpPath); }
void ShellCommandLine(HWND window) { Launch(window, ShellCommand); }
void QuickView(HWND window) { Launch(window, QuickViewer); }
void ViewCursorFile(HWND window) { Launch(window, ViewCommand); }

void FindByMask(HWND window) {
    LaunchContext c = Context(window);
    if (FindMaskCommand(c)) Refresh(window);
}

}  // namespace qrn

namespace qrn {

void RegisteredCommand(HWND window) {
    const std::string chosen = ChooseRegistered(window, Collection::Commands);
    if (chosen.empty()) return;
    LaunchContext c = Context(window);
    RunRegisteredCommand(c, chosen.c_str());
}

void RegisteredDirectory(HWND window) {
    const std::string chosen = ChooseRegistered(window, Collection::Directories);
    if (!chosen.empty()) ShowDirectory(window, chosen.c_str());
}

void DestinationRegisteredDirectory() {
    const std::string chosen = ChooseRegistered(DestinationWindowHandle(), Collection::Directories);
    if (!chosen.empty()) DestinationShowDirectory(chosen.c_str());
}

void AddRegisteredCommand(HWND window) {
    const std::string path = std::string(g_listing.CurrentDir) + g_listing.table.rows[g_listing.CursorIndex].name;
    Register(window, Collection::Commands, kRegisterCommandsTitle, path.c_str());
}
void EditRegisteredCommands(HWND window) { Register(window, Collection::Commands, kRegisterCommandsTitle, ""); }
void AddRegisteredDirectory(HWND window) { Register(window, Collection::Directories, "", g_listing.CurrentDir); }
void EditRegisteredDirectories(HWND window) { Register(window, Collection::Directories, "", ""); }

void MakeShortcut(HWND window) {
    // The reader that runs on COM keeps it set up for the whole run.
    const bool initCom = SpeechEngine() != 2;
    if (ShortcutCommand(window, g_listing.CurrentDir, g_listing.table.rows[g_listing.CursorIndex], initCom)) Refresh(window);
}

}  // namespace qrn
