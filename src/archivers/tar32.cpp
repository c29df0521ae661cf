#include "archivers/tar32.h"

#include "archivers/archiver_line.h"
#include "archivers/archivers_texts.h"
#include "archivers/tar_archive.h"
#include "base/sjis.h"

namespace qrn {

namespace {

bool Letters(const std::string& w) {
    for (char c : w)
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))) return false;
    return !w.empty();
}

}  // namespace

bool ResponseNames(ArchiveFiles& f, const std::vector<std::string>& files, std::vector<std::string>& names) {
    for (const std::string& file : files) {
        std::unique_ptr<ByteSource> in = f.Open(file);
        if (!in) return f.Tell(kEntryNotRead + file), false;
        std::string text;
        char chunk[4096];
        for (long long n; (n = in->Read(chunk, sizeof chunk)) > 0;) text.append(chunk, static_cast<std::size_t>(n));
        for (std::string& n : ReadResponseNames(text)) names.push_back(std::move(n));
    }
    return true;
}

int RunTarLine(ArchiveFiles& f, const char* line) {
    ArchiverLine a = ReadArchiverLine(line);
    // The command: a first word of letters ("xvf"), else the first switch ("-cvf").
    std::string command;
    if (!a.words.empty() && Letters(a.words[0])) command = a.words[0], a.words.erase(a.words.begin());
    else if (!a.switches.empty()) command = a.switches[0].substr(1);
    const bool extract = command.find('x') != std::string::npos, create = command.find('c') != std::string::npos;
    if (extract == create || a.words.empty()) return f.Tell(kUnknownCommand + std::string(line)), 2;
    const std::string archive = a.words[0];
    if (extract) {
        std::string target = !a.outDir.empty() ? a.outDir : a.words.size() > 1 ? a.words[1] : std::string(".");
        if (!EndsWithBackslash(target.c_str())) target += '\\';
        if (!f.MakeDirectories(target)) return f.Tell(kEntryNotWritten + target), 2;
        return ExtractTar(f, archive, target);
    }
    std::vector<std::string> names(a.words.begin() + 1, a.words.end());
    if (!ResponseNames(f, a.responses, names)) return 2;
    if (names.empty()) return f.Tell(kUnknownCommand + std::string(line)), 2;
    return CreateTar(f, archive, names);
}

}  // namespace qrn
