// UNZIP32's main entry: "-x" (or "x") "archive" "dir\" [-o "dir"]: every
// entry into the directory.
#pragma once
#include "archivers/archive_files.h"

namespace qrn {

// 0 on success.
int RunUnzipLine(ArchiveFiles& f, const char* line);

}  // namespace qrn
