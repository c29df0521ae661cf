// Cabinets read through the system's own cabinet library (its FDI
// functions): every file into a directory, by the rules of every reader.
#pragma once
#include <string>

#include "archivers/archive_files.h"

namespace qrn {

// 0 when every file went into targetDir (which ends with a backslash).
int ExtractCab(ArchiveFiles& f, const std::string& archive, const std::string& targetDir);

}  // namespace qrn
