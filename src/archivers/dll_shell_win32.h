// What the main entries of QRN's own archiver libraries share: one command
// line run on the real files, the running flag up while it runs.
#pragma once
#include <windows.h>

#include "archivers/archive_files_win32.h"

namespace qrn {

inline bool g_archiverRunning = false;

inline int RunArchiverLine(HWND owner, LPCSTR line, LPSTR output, DWORD size, int (*run)(ArchiveFiles&, const char*)) {
    if (output && size) output[0] = '\0';
    if (!line || g_archiverRunning) return 1;
    g_archiverRunning = true;
    Win32ArchiveFiles files(owner);
    const int result = run(files, line);
    g_archiverRunning = false;
    return result;
}

}  // namespace qrn
