#include "launch/launch_win32.h"

#include <mmsystem.h>
#include <shellapi.h>

#include <cstdio>
#include <cstring>

#include "app/main_window_win32.h"
#include "app/settings.h"
#include "app/startup.h"
#include "launch/ext_dialog_win32.h"
#include "launch/launch_state.h"
#include "listing/dir_reader.h"

namespace qrn {

bool Win32LaunchPlatform::Run(const char* command) {
    return command[0] != '\0' && WinExec(command, SW_SHOWNORMAL) >= 32;
}

void Win32LaunchPlatform::ShellOpen(void* owner, const char* path) {
    ShellExecuteA(static_cast<HWND>(owner), "open", path, nullptr, nullptr, SW_SHOWNORMAL);
}

bool Win32LaunchPlatform::FindProgramFor(const char* name, char* out, std::size_t size) {
    char found[MAX_PATH] = "";
    // No directory: the name is looked up in the working directory, which is
    // the listed one (an empty string is refused by some systems).
    const UINT_PTR r = reinterpret_cast<UINT_PTR>(FindExecutableA(name, nullptr, found));
    if (r <= 32 || found[0] == '\0') return false;
    return CopyWhole(out, size, found);
}

void Win32LaunchPlatform::SystemExtension(const char* ext, char* out, std::size_t size) {
    GetProfileStringA("Extensions", ext, "", out, static_cast<DWORD>(size));
}

void Win32LaunchPlatform::PlaySoundFile(const char* path) { sndPlaySoundA(path, 0); }

bool Win32LaunchPlatform::BuiltInPager(void*, const char*) {
    // The built-in viewer does not open files yet.
    return false;
}

bool Win32LaunchPlatform::SystemDirectory(char* out, std::size_t size) {
    const UINT n = GetSystemDirectoryA(out, static_cast<UINT>(size));
    return n > 0 && n < size;
}

int Win32LaunchPlatform::ReadDirectory(void* owner) {
    return qrn::ReadDirectory(g_listing, g_settings, DirPlatform(), owner, g_listing.CurrentDir,
                              sizeof g_listing.CurrentDir);
}

bool Win32ShortPath(const char* path, char* out, std::size_t size) {
    const DWORD n = GetShortPathNameA(path, out, static_cast<DWORD>(size));
    return n > 0 && n < size;
}

ShortPathFn Win32LaunchPlatform::ShortPath() { return Win32ShortPath; }

namespace {

Win32LaunchPlatform g_platform;

LaunchContext Context(HWND window) {
    return LaunchContext{g_listing, g_settings, IniProfile(), g_platform, window, g_launch.RememberedDir,
                         g_startup.ShellPath};
}

// Set when the Escape that stopped a walk still waits in the queue: the
// main window then drops it instead of asking whether to quit.
bool g_escapeQueued = false;

// Escape pressed since the last look: waiting in the queue, or taken by a
// message box that the last file opened (the key state remembers the press).
bool EscapePressed() {
    MSG msg;
    if (PeekMessageA(&msg, nullptr, WM_KEYDOWN, WM_KEYDOWN, PM_NOREMOVE) && msg.wParam == VK_ESCAPE) {
        g_escapeQueued = true;
        return true;
    }
    return (GetAsyncKeyState(VK_ESCAPE) & 0x8001) != 0;
}

}  // namespace

void OpenCursorEntry(HWND window, int key, Modifiers m) {
    LaunchContext c = Context(window);
    if (OpenEntry(c, key, m) == 2) RepaintAll(window);
}

void OpenMarkedEntries(HWND window, Modifiers m) {
    LaunchContext c = Context(window);
    GetAsyncKeyState(VK_ESCAPE);  // forget a press from before the walk
    g_escapeQueued = false;
    if (OpenMarkedEntries(c, m, EscapePressed) && g_escapeQueued) g_window.EscapeSwallow = true;
    RepaintAll(window);
}

void LaunchCommand(HWND window, int id) {
    LaunchContext c = Context(window);
    switch (id) {
    case 40006:
        CommandInterpreter(c);
        break;
    case 40016:
        OpenCursorEntry(window, kOpenEdit, Modifiers{});
        break;
    case 40017:
        ExecuteCommand(c);
        break;
    case 40018:
        RunExtDialog(g_window.Instance, window);
        break;
    case 40019:
        if (FindMaskCommand(c)) Refresh(window);
        break;
    case 40035:
        QuickViewer(c);
        break;
    case 40043:
        ShellCommand(c);
        break;
    case 40049:
        ViewCommand(c);
        break;
    default:
        break;
    }
}

}  // namespace qrn
