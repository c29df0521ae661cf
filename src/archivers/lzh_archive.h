// LZH archives read into a directory: -lh0-, -lh5-, -lh6-, -lh7- and -lhd-
// entries with headers of levels 0, 1 and 2, each file's CRC-16 checked.
#pragma once
#include <string>

#include "archivers/archive_files.h"

namespace qrn {

// 0 when every entry went into targetDir (which ends with a backslash); else
// what went wrong has been told and the rest went on.
int ExtractLzh(ArchiveFiles& f, const std::string& archive, const std::string& targetDir);

}  // namespace qrn
