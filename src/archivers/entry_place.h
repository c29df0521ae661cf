// Where an archive's entries go: the checks every reader makes before it
// writes one.
#pragma once
#include <string>

#include "archivers/archive_files.h"

namespace qrn {

class EntryPlace {
public:
    EntryPlace(ArchiveFiles& f, std::string target) : f_(f), target_(std::move(target)) {}

    // The entry's path below the target (which ends with a backslash), its
    // directories made; "" once told why not: a name that would leave the
    // target, a directory there that leads out of it (a link), or one that
    // cannot be made.
    std::string Make(const std::string& name, bool directory);
    // Tells text and what, and remembers that something failed.
    void Failed(const char* text, const std::string& what);
    bool AnyFailed() const { return failed_; }

private:
    ArchiveFiles& f_;
    std::string target_;
    bool failed_ = false;
};

}  // namespace qrn
