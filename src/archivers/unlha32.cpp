#include "archivers/unlha32.h"

#include "archivers/archiver_line.h"
#include "archivers/archivers_texts.h"
#include "archivers/lzh_archive.h"
#include "archivers/tar32.h"
#include "archivers/unzip32.h"
#include "base/sjis.h"

namespace qrn {

namespace {

// An archive named without an extension is a .lzh.
std::string ArchiveName(const std::string& name) {
    const int slash = LastBackslash(name.c_str());
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos || static_cast<int>(dot) < slash ? name + ".lzh" : name;
}

}  // namespace

int RunUnlhaLine(ArchiveFiles& f, const char* line) {
    ArchiverLine a = ReadArchiverLine(line);
    if (a.words.empty() || a.words[0] != "a") return RunExtractLine(f, line, ExtractLzh);
    // "a -a1 -d1 "archive" names... @list": the names' files and trees added.
    std::vector<std::string> names(a.words.begin() + 1, a.words.end());
    if (names.empty()) return f.Tell(kUnknownCommand + std::string(line)), 2;
    const std::string archive = ArchiveName(names.front());
    names.erase(names.begin());
    if (!ResponseNames(f, a.responses, names)) return 2;
    if (names.empty()) return f.Tell(kUnknownCommand + std::string(line)), 2;
    const char attributes = a.Switch('a');
    return CreateLzh(f, archive, names, attributes != '\0' && attributes != '0');
}

}  // namespace qrn
