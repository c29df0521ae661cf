// TAR32.DLL of QRN's own: the entry points of its row, the work in RunTarLine.
#include <windows.h>

#include <type_traits>

#include "archive/archiver_entries_win32.h"
#include "archivers/archive_files_win32.h"
#include "archivers/tar32.h"

namespace {
bool g_running = false;
}

extern "C" {
__declspec(dllexport) WORD WINAPI TarGetVersion() { return 100; }
__declspec(dllexport) BOOL WINAPI TarGetRunning() { return g_running; }
__declspec(dllexport) BOOL WINAPI TarSetBackGroundMode(BOOL) { return TRUE; }
__declspec(dllexport) BOOL WINAPI TarSetCursorMode(BOOL) { return TRUE; }
__declspec(dllexport) int WINAPI Tar(HWND owner, LPCSTR line, LPSTR output, DWORD size) {
    if (output && size) output[0] = '\0';
    if (!line) return 1;
    g_running = true;
    qrn::Win32ArchiveFiles files(owner);
    const int result = qrn::RunTarLine(files, line);
    g_running = false;
    return result;
}
}

static_assert(std::is_same_v<decltype(&TarGetVersion), qrn::ArchiverVersionEntry>);
static_assert(std::is_same_v<decltype(&TarGetRunning), qrn::ArchiverRunningEntry>);
static_assert(std::is_same_v<decltype(&TarSetBackGroundMode), qrn::ArchiverModeEntry>);
static_assert(std::is_same_v<decltype(&Tar), qrn::ArchiverMainEntry>);
