// What QRN's own archiver libraries read and write: files by path (relative
// ones to the working directory), written under a temporary name and put in
// place only once whole. The Windows layer is the real one; the tests keep
// files in memory.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace qrn {

class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Up to size bytes; 0 at the end; -1 on a read error.
    virtual long long Read(void* out, std::size_t size) = 0;
    // For a file: its size, and reading from another place; false where it cannot.
    virtual bool Size(std::uint64_t& size) { return false; }
    virtual bool Seek(std::uint64_t at) { return false; }
};

// A new file being written: Commit puts it in place of any old one in one
// step; gone without a Commit, it leaves nothing and the old one stays.
class NewFile {
public:
    virtual ~NewFile() = default;
    virtual bool Write(const void* data, std::size_t size) = 0;
    // Writes over bytes written before (a header whose sizes come after it).
    virtual bool WriteAt(std::uint64_t at, const void* data, std::size_t size) = 0;
    // The time it will have once in place: seconds since 1970 (UTC), or an
    // MS-DOS date and time in local time.
    virtual void SetTime(std::int64_t unixTime) = 0;
    virtual void SetLocalTime(std::uint16_t date, std::uint16_t time) = 0;
    virtual bool Commit() = 0;
};

struct ArchivedTimes {
    std::int64_t unixTime = 0;  // last write, seconds since 1970 (UTC)
};

struct FoundEntry {
    std::string name;
    bool directory = false;
    std::uint64_t size = 0;
    std::int64_t unixTime = 0;
    std::uint32_t attributes = 0;  // read-only 1, hidden 2, system 4, archive 0x20
};

class ArchiveFiles {
public:
    virtual ~ArchiveFiles() = default;
    virtual std::unique_ptr<ByteSource> Open(const std::string& path) = 0;
    virtual std::unique_ptr<NewFile> Create(const std::string& path) = 0;
    // Every missing directory of path made.
    virtual bool MakeDirectories(const std::string& path) = 0;
    // Read-only, hidden, system and archive as attributes has them.
    virtual void SetAttributes(const std::string& path, std::uint32_t attributes) = 0;
    // What path is (false when it is not there), and for a directory its entries.
    virtual bool Find(const std::string& path, FoundEntry& e) = 0;
    virtual bool List(const std::string& dir, std::vector<FoundEntry>& entries) = 0;
    // Whether the directory path, as the system resolves it (links followed),
    // lies in or is the directory top: an entry never goes out of its target
    // through a link there.
    virtual bool Inside(const std::string& path, const std::string& top) = 0;
    // The same file: the archive being written is never packed into itself.
    virtual bool SameFile(const std::string& a, const std::string& b) = 0;
    // A UTF-8 name in the program's code page.
    virtual std::string FromUtf8(const std::string& utf8) = 0;
    // Tells the user (one message box).
    virtual void Tell(const std::string& text) = 0;
};

}  // namespace qrn
