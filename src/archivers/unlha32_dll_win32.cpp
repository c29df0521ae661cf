// UNLHA32.DLL of QRN's own: the entry points of its row, the work in RunUnlhaLine.
#include "archivers/dll_shell_win32.h"
#include "archivers/unlha32.h"

QRN_ARCHIVER_ENTRIES(Unlha, qrn::RunUnlhaLine);
