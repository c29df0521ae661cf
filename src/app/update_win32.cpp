#include "app/update_win32.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

namespace qrn {

bool RunUpdate(PendingUpdateRecord& u, char* failure, std::size_t failureSize, const UpdateTiming& timing) {
    u.pending = true;
    if (failureSize) failure[0] = '\0';
    // Copying a file onto itself would report success and start nothing new;
    // an empty path cannot be copied at all.
    if (!u.source[0] || !u.target[0] || lstrcmpiA(u.source, u.target) == 0) {
        FormatUpdateFailure(ERROR_INVALID_PARAMETER, u.source, u.target, failure, failureSize);
        return false;
    }
    DWORD waited = 0;
    for (;;) {
        if (CopyFileA(u.source, u.target, FALSE)) break;
        DWORD error = GetLastError();
        if (error != ERROR_SHARING_VIOLATION || waited >= timing.giveUpMs) {
            FormatUpdateFailure(error, u.source, u.target, failure, failureSize);
            return false;
        }
        Sleep(timing.pauseMs);
        waited += timing.pauseMs ? timing.pauseMs : 1;
    }
    if (u.mode == 2 && !DeleteFileA(u.source)) {
        // The source is usually this very program, whose file cannot be
        // deleted while it runs: the system removes it at the next restart.
        MoveFileExA(u.source, nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
    }
    // The target is started by its quoted path so that blanks in the
    // program folder cannot split it.
    char command[kPathSize + 3];
    std::snprintf(command, sizeof command, "\"%s\"", u.target);
    if (WinExec(command, SW_SHOWNORMAL) >= 32) {
        u.pending = false;
        return true;
    }
    std::snprintf(failure, failureSize, "%s", command);
    return false;
}

}  // namespace qrn
