#include "archivers/unzip32.h"

#include "archivers/archiver_line.h"
#include "archivers/archivers_texts.h"
#include "archivers/zip_archive.h"
#include "base/sjis.h"

namespace qrn {

int RunExtractLine(ArchiveFiles& f, const char* line, Extractor extract) {
    ArchiverLine a = ReadArchiverLine(line);
    if (!a.words.empty() && (a.words[0] == "x" || a.words[0] == "e")) a.words.erase(a.words.begin());
    else if (!a.Switch('x') && !a.Switch('e')) return f.Tell(kUnknownCommand + std::string(line)), 2;
    if (a.words.empty()) return f.Tell(kUnknownCommand + std::string(line)), 2;
    std::string target = !a.outDir.empty() ? a.outDir : a.words.size() > 1 ? a.words[1] : std::string(".");
    if (!EndsWithBackslash(target.c_str())) target += '\\';
    if (!f.MakeDirectories(target)) return f.Tell(kEntryNotWritten + target), 2;
    return extract(f, a.words[0], target);
}

int RunUnzipLine(ArchiveFiles& f, const char* line) { return RunExtractLine(f, line, ExtractZip); }

}  // namespace qrn
