// UNZIP32.DLL of QRN's own: the entry points of its row, the work in RunUnzipLine.
#include <type_traits>

#include "archive/archiver_entries_win32.h"
#include "archivers/dll_shell_win32.h"
#include "archivers/unzip32.h"

extern "C" {
__declspec(dllexport) WORD WINAPI UnZipGetVersion() { return 100; }
__declspec(dllexport) BOOL WINAPI UnZipGetRunning() { return qrn::g_archiverRunning; }
__declspec(dllexport) BOOL WINAPI UnZipSetBackGroundMode(BOOL) { return TRUE; }
__declspec(dllexport) BOOL WINAPI UnZipSetCursorMode(BOOL) { return TRUE; }
__declspec(dllexport) int WINAPI UnZip(HWND owner, LPCSTR line, LPSTR output, DWORD size) {
    return qrn::RunArchiverLine(owner, line, output, size, qrn::RunUnzipLine);
}
}

static_assert(std::is_same_v<decltype(&UnZipGetVersion), qrn::ArchiverVersionEntry>);
static_assert(std::is_same_v<decltype(&UnZipGetRunning), qrn::ArchiverRunningEntry>);
static_assert(std::is_same_v<decltype(&UnZipSetBackGroundMode), qrn::ArchiverModeEntry>);
static_assert(std::is_same_v<decltype(&UnZip), qrn::ArchiverMainEntry>);
