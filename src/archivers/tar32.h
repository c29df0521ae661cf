// TAR32's main entry: extraction ("xvf", "zxvf" ... "archive" -o "dir") and
// creation ("-cvf" "archive" "entry" or @list), whatever the compression.
#pragma once
#include "archivers/archive_files.h"

namespace qrn {

// 0 on success.
int RunTarLine(ArchiveFiles& f, const char* line);

// The names of the response files of a line, read through f; false (told)
// when one cannot be read.
bool ResponseNames(ArchiveFiles& f, const std::vector<std::string>& files, std::vector<std::string>& names);

}  // namespace qrn
