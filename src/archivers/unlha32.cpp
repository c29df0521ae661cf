#include "archivers/unlha32.h"

#include "archivers/lzh_archive.h"
#include "archivers/unzip32.h"

namespace qrn {

// "x -a1 "archive" "dir\"": the command word first, as RunExtractLine takes it.
int RunUnlhaLine(ArchiveFiles& f, const char* line) { return RunExtractLine(f, line, ExtractLzh); }

}  // namespace qrn
