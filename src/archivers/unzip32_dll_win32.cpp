// UNZIP32.DLL of QRN's own: the entry points of its row, the work in RunUnzipLine.
#include "archivers/dll_shell_win32.h"
#include "archivers/unzip32.h"

QRN_ARCHIVER_ENTRIES(UnZip, qrn::RunUnzipLine);
