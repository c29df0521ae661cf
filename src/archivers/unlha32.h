// UNLHA32's main entry: "x" (or "e") with its switches, "archive" "dir\".
#pragma once
#include "archivers/archive_files.h"

namespace qrn {

// 0 on success; making archives ("a") is not done yet and is told.
int RunUnlhaLine(ArchiveFiles& f, const char* line);

}  // namespace qrn
