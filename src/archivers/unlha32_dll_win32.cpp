// UNLHA32.DLL of QRN's own: the entry points of its row, the work in RunUnlhaLine.
#include <type_traits>

#include "archive/archiver_entries_win32.h"
#include "archivers/dll_shell_win32.h"
#include "archivers/unlha32.h"

extern "C" {
__declspec(dllexport) WORD WINAPI UnlhaGetVersion() { return 100; }
__declspec(dllexport) BOOL WINAPI UnlhaGetRunning() { return qrn::g_archiverRunning; }
__declspec(dllexport) BOOL WINAPI UnlhaSetBackGroundMode(BOOL) { return TRUE; }
__declspec(dllexport) BOOL WINAPI UnlhaSetCursorMode(BOOL) { return TRUE; }
__declspec(dllexport) int WINAPI Unlha(HWND owner, LPCSTR line, LPSTR output, DWORD size) {
    return qrn::RunArchiverLine(owner, line, output, size, qrn::RunUnlhaLine);
}
}

static_assert(std::is_same_v<decltype(&UnlhaGetVersion), qrn::ArchiverVersionEntry>);
static_assert(std::is_same_v<decltype(&UnlhaGetRunning), qrn::ArchiverRunningEntry>);
static_assert(std::is_same_v<decltype(&UnlhaSetBackGroundMode), qrn::ArchiverModeEntry>);
static_assert(std::is_same_v<decltype(&Unlha), qrn::ArchiverMainEntry>);
