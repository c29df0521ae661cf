// What an archive is made from: the named files and directories, each
// directory followed by its whole tree, gathered before the archive is
// written (so that it never holds itself, nor its own unfinished copy).
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "archivers/archive_files.h"
#include "archivers/archivers_texts.h"

namespace qrn {

struct PackEntry {
    std::string path;    // as the files are opened
    std::string stored;  // the name in the archive, parts between separators
    FoundEntry found;
};

// A name as an archive stores it: no drive, no leading separator, no "." or
// ".." parts, separator between the parts (a 0x5C trail byte stays).
std::string StoredName(const std::string& name, char separator);

// The entries names stand for, in order. A directory inside the tree that
// leads elsewhere (a link out of its parent, or back to it) is stored but
// not entered. False once told what could not be found or listed.
bool CollectPackEntries(ArchiveFiles& f, const std::vector<std::string>& names, const std::string& archive,
                        char separator, std::vector<PackEntry>& out);

// What every writer of an archive holds: the new archive, what has gone
// into it, and whether every write went in.
class ArchiveWriter {
protected:
    ArchiveWriter(ArchiveFiles& f, const std::string& archive) : f_(f), archive_(archive) {}
    // Told, and the answer a failed command gives.
    int Failed() { return f_.Tell(kArchiveNotWritten + archive_), 2; }
    // Appends n bytes; false once a write has failed.
    bool Put(const void* p, std::size_t n) {
        ok_ = ok_ && out_->Write(p, n);
        written_ += n;
        return ok_;
    }

    ArchiveFiles& f_;
    std::string archive_;
    std::unique_ptr<NewFile> out_;
    std::uint64_t written_ = 0;
    bool ok_ = true;
    unsigned char buffer_[1 << 16];
};

}  // namespace qrn
