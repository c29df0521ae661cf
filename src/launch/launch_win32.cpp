#include "launch/launch_win32.h"

#include <mmsystem.h>
#include <shellapi.h>

#include <cstdio>
#include <cstring>


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

bool Win32LaunchPlatform::BuiltInPager(void* owner, const FileEntry& entry) {
    return pager_ && pager_(owner, entry);
}

bool Win32LaunchPlatform::SystemDirectory(char* out, std::size_t size) {
    const UINT n = GetSystemDirectoryA(out, static_cast<UINT>(size));
    return n > 0 && n < size;
}

int Win32LaunchPlatform::ReadDirectory(void* owner) { return readDirectory_ ? readDirectory_(owner) : -1; }

bool Win32ShortPath(const char* path, char* out, std::size_t size) {
    const DWORD n = GetShortPathNameA(path, out, static_cast<DWORD>(size));
    return n > 0 && n < size;
}

ShortPathFn Win32LaunchPlatform::ShortPath() { return Win32ShortPath; }

bool OpenMarkedUntilEscape(LaunchContext& c, Modifiers m) {
    GetAsyncKeyState(VK_ESCAPE);  // forget a press from before the walk
    // Escape pressed since the last look: waiting in the queue (then it is
    // still to come, and queued says so), or taken by a message box that the
    // last file opened (the key state remembers the press).
    bool queued = false;
    auto escapePressed = [&queued] {
        MSG msg;
        if (PeekMessageA(&msg, nullptr, WM_KEYDOWN, WM_KEYDOWN, PM_NOREMOVE) && msg.wParam == VK_ESCAPE) {
            queued = true;
            return true;
        }
        return (GetAsyncKeyState(VK_ESCAPE) & 0x8001) != 0;
    };
    return OpenMarkedEntries(c, m, escapePressed) && queued;
}

}  // namespace qrn
