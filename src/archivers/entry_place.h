// Where an archive's entries go: the checks every reader makes before it
// writes one.
#pragma once
#include <memory>
#include <set>
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
    std::set<std::string> known_;  // directories found inside the target, or made, in this run
    bool failed_ = false;
};

// What every reader of an archive holds.
class ArchiveReader {
protected:
    ArchiveReader(ArchiveFiles& f, const std::string& archive, const std::string& target)
        : f_(f), archive_(archive), place_(f, target) {}

    ArchiveFiles& f_;
    std::string archive_;
    EntryPlace place_;
    std::unique_ptr<ByteSource> in_;  // the archive, once open
    unsigned char buffer_[1 << 16];
};

// A reader run from the heap (its buffer is large): 0, 1 or 2 as its Run says.
template <typename Reader>
int RunReader(ArchiveFiles& f, const std::string& archive, const std::string& target) {
    return std::make_unique<Reader>(f, archive, target)->Run();
}

// Little-endian numbers as the archive formats store them.
inline std::uint32_t U16(const unsigned char* p) { return p[0] | p[1] << 8; }
inline std::uint32_t U32(const unsigned char* p) { return U16(p) | U16(p + 2) << 16; }
inline std::uint64_t U64(const unsigned char* p) { return U32(p) | static_cast<std::uint64_t>(U32(p + 4)) << 32; }

// Exactly size bytes, or false at the end or an error.
bool ReadExactly(ByteSource& in, void* out, std::size_t size);

}  // namespace qrn
