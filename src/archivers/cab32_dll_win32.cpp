// CAB32.DLL of QRN's own: the entry points of its row; the cabinets are the
// system's cabinet library's to read.
#include <type_traits>

#include "archive/archiver_entries_win32.h"
#include "archivers/cab_archive_win32.h"
#include "archivers/dll_shell_win32.h"
#include "archivers/unzip32.h"

namespace {
int RunCabLine(qrn::ArchiveFiles& f, const char* line) { return qrn::RunExtractLine(f, line, qrn::ExtractCab); }
}  // namespace

extern "C" {
__declspec(dllexport) WORD WINAPI CabGetVersion() { return 100; }
__declspec(dllexport) BOOL WINAPI CabGetRunning() { return qrn::g_archiverRunning; }
__declspec(dllexport) BOOL WINAPI CabSetBackGroundMode(BOOL) { return TRUE; }
__declspec(dllexport) BOOL WINAPI CabSetCursorMode(BOOL) { return TRUE; }
__declspec(dllexport) int WINAPI Cab(HWND owner, LPCSTR line, LPSTR output, DWORD size) {
    return qrn::RunArchiverLine(owner, line, output, size, RunCabLine);
}
}

static_assert(std::is_same_v<decltype(&CabGetVersion), qrn::ArchiverVersionEntry>);
static_assert(std::is_same_v<decltype(&CabGetRunning), qrn::ArchiverRunningEntry>);
static_assert(std::is_same_v<decltype(&CabSetBackGroundMode), qrn::ArchiverModeEntry>);
static_assert(std::is_same_v<decltype(&Cab), qrn::ArchiverMainEntry>);
