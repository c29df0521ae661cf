#include "archivers/unlha32.h"

#include "archivers/archiver_line.h"
#include "archivers/archivers_texts.h"
#include "archivers/lzh_archive.h"
#include "archivers/unzip32.h"

namespace qrn {

int RunUnlhaLine(ArchiveFiles& f, const char* line) {
    // "x -a1 "archive" "dir\"": the command is the first word, as RunExtractLine takes it.
    const ArchiverLine a = ReadArchiverLine(line);
    if (a.words.empty() || (a.words[0] != "x" && a.words[0] != "e")) return f.Tell(kUnknownCommand + std::string(line)), 2;
    return RunExtractLine(f, line, ExtractLzh);
}

}  // namespace qrn
