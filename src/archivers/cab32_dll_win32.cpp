// CAB32.DLL of QRN's own: the entry points of its row; the cabinets are the
// system's cabinet library's to read.
#include "archivers/cab_archive_win32.h"
#include "archivers/dll_shell_win32.h"
#include "archivers/unzip32.h"

namespace {
int RunCabLine(qrn::ArchiveFiles& f, const char* line) { return qrn::RunExtractLine(f, line, qrn::ExtractCab); }
}  // namespace

QRN_ARCHIVER_ENTRIES(Cab, RunCabLine);
