// The main entry of UNZIP32 and CAB32: "-x" (or "x") "archive" "dir\"
// [-o "dir"]: every entry into the directory.
#pragma once
#include <string>

#include "archivers/archive_files.h"

namespace qrn {

using Extractor = int (*)(ArchiveFiles& f, const std::string& archive, const std::string& targetDir);

// 0 on success.
int RunExtractLine(ArchiveFiles& f, const char* line, Extractor extract);
int RunUnzipLine(ArchiveFiles& f, const char* line);

}  // namespace qrn
