// ZIP archives read into a directory: stored and deflate entries, ZIP64,
// names in Shift-JIS unless flagged UTF-8 (or given in Info-ZIP's Unicode
// path field), directories, times; every entry's CRC and size checked.
#pragma once
#include <string>

#include "archivers/archive_files.h"

namespace qrn {

// 0 when every entry went into targetDir (which ends with a backslash); else
// what went wrong has been told and the rest went on.
int ExtractZip(ArchiveFiles& f, const std::string& archive, const std::string& targetDir);

}  // namespace qrn
