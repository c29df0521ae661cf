// UNLHA32's main entry: "x" (or "e") with its switches, "archive" "dir\".
#pragma once
#include "archivers/archive_files.h"

namespace qrn {

// "a" with its switches, "archive" and names or @lists: the archive made
// or brought up to date (-a1 stores the attributes). 0 on success.
int RunUnlhaLine(ArchiveFiles& f, const char* line);

}  // namespace qrn
