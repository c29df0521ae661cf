// TAR32.DLL of QRN's own: the entry points of its row, the work in RunTarLine.
#include <type_traits>

#include "archive/archiver_entries_win32.h"
#include "archivers/dll_shell_win32.h"
#include "archivers/tar32.h"

extern "C" {
__declspec(dllexport) WORD WINAPI TarGetVersion() { return 100; }
__declspec(dllexport) BOOL WINAPI TarGetRunning() { return qrn::g_archiverRunning; }
__declspec(dllexport) BOOL WINAPI TarSetBackGroundMode(BOOL) { return TRUE; }
__declspec(dllexport) BOOL WINAPI TarSetCursorMode(BOOL) { return TRUE; }
__declspec(dllexport) int WINAPI Tar(HWND owner, LPCSTR line, LPSTR output, DWORD size) {
    return qrn::RunArchiverLine(owner, line, output, size, qrn::RunTarLine);
}
}

static_assert(std::is_same_v<decltype(&TarGetVersion), qrn::ArchiverVersionEntry>);
static_assert(std::is_same_v<decltype(&TarGetRunning), qrn::ArchiverRunningEntry>);
static_assert(std::is_same_v<decltype(&TarSetBackGroundMode), qrn::ArchiverModeEntry>);
static_assert(std::is_same_v<decltype(&Tar), qrn::ArchiverMainEntry>);
