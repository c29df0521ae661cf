// TAR32.DLL of QRN's own: the entry points of its row, the work in RunTarLine.
#include "archivers/dll_shell_win32.h"
#include "archivers/tar32.h"

QRN_ARCHIVER_ENTRIES(Tar, qrn::RunTarLine);
