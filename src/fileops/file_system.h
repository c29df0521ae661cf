// The file functions the file operations are built on: the system's in the
// program, an in-memory tree or a wrapper with injected faults in tests.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "base/entry_table.h"

namespace qrn {

// Attribute bits beyond those of the entry table.
constexpr std::uint32_t kAttrNormal = 0x80, kAttrReparsePoint = 0x400;
constexpr std::size_t kMaxPath = kPathSize - 1;  // the longest path the operations take

// The attributes a file is given back or a copy takes over (a directory's
// own bit and a link's are the system's to set); normal when none is left.
inline std::uint32_t SettableAttributes(std::uint32_t attributes) {
    const std::uint32_t a = attributes & (kAttrReadOnly | kAttrHidden | kAttrSystem | kAttrArchive);
    return a ? a : kAttrNormal;
}

// Error codes of the system that the operations tell apart.
constexpr unsigned kErrFileNotFound = 2, kErrPathNotFound = 3, kErrAccessDenied = 5, kErrWriteProtect = 19,
                   kErrSharingViolation = 32, kErrDiskFull = 112, kErrAlreadyExists = 183, kErrFileExists = 80,
                   kErrNotReady = 21, kErrNotSameDevice = 17, kErrCancelled = 1223,
                   kErrSourceChanged = 0x20000001;  // the engine's own: the source changed while it was copied

constexpr std::uint64_t kFreeUnknown = ~std::uint64_t{0};

struct FileStat {
    bool exists = false;
    std::uint32_t attributes = 0;
    std::uint64_t size = 0;
    std::uint64_t writeTime = 0;       // the system's 100 ns count, UTC
    std::uint16_t date = 0, time = 0;  // MS-DOS date and time, local time
};

// The three times of a file or a directory, the system's 100 ns counts (UTC).
// Set, a time of 0 leaves that one as it is.
struct FileTimes {
    std::uint64_t creation = 0, lastWrite = 0, lastAccess = 0;
};

// What makes a file itself, whatever path reaches it: volume and file index.
struct FileId {
    std::uint32_t volume = 0;
    std::uint64_t index = 0;
    bool operator==(const FileId& o) const { return volume == o.volume && index == o.index; }
};

struct DirItem {
    std::string name;
    std::uint32_t attributes = 0;
    std::uint64_t size = 0;
    std::uint64_t writeTime = 0;       // as in FileStat, when timed
    std::uint16_t date = 0, time = 0;
    bool timed = false;                // the listing told the time too
};

using FileHandle = std::intptr_t;
constexpr FileHandle kNoFile = -1;

class FileSystem {
public:
    virtual ~FileSystem() = default;
    // A missing file reads as exists = false.
    virtual FileStat Stat(const std::string& path) = 0;
    // False when the file cannot be opened to ask (then nothing is known).
    virtual bool Identity(const std::string& path, FileId& id) = 0;
    // The path with every link and alias resolved, as the system names it;
    // the path itself when the system cannot tell.
    virtual std::string RealPath(const std::string& path) = 0;
    virtual std::uint64_t FreeBytes(const std::string& path) = 0;  // kFreeUnknown when it cannot be asked
    // The entries of dir (ending in a backslash), "." and ".." left out.
    virtual bool List(const std::string& dir, std::vector<DirItem>& items) = 0;
    virtual bool MakeDirectory(const std::string& path) = 0;
    virtual bool RemoveDir(const std::string& path) = 0;
    // Whether path (a file or a directory) is a link (a junction, a symbolic
    // link) rather than an entry of its own; attributes are its listed ones.
    virtual bool IsLink(const std::string& path, std::uint32_t attributes) = 0;
    // Removes a link itself, never what it points to: false, and nothing
    // touched, where the system would reach through it.
    virtual bool RemoveLink(const std::string& path) = 0;
    // The bytes the file really takes on its volume (less than its size when
    // sparse or compressed); its size when the system cannot tell.
    virtual std::uint64_t AllocatedSize(const std::string& path, std::uint64_t size) = 0;
    virtual bool RemoveFile(const std::string& path) = 0;
    // Moves a file or a whole directory (a link as itself) into the system's
    // Recycle Bin; false, and nothing deleted, where the bin does not take it.
    virtual bool Recycle(const std::string& path) = 0;
    virtual bool SetAttributes(const std::string& path, std::uint32_t attributes) = 0;
    // A rename on one volume: fails with kErrNotSameDevice rather than copy.
    virtual bool Rename(const std::string& from, const std::string& to) = 0;
    // Puts from in the place of the existing to in one step where the system
    // can (a link at to is replaced itself); elsewhere to is removed only
    // once from is whole. Never copies across volumes.
    virtual bool Replace(const std::string& from, const std::string& to) = 0;
    virtual bool SetLabel(const std::string& root, const std::string& label) = 0;
    // The times of a file or a directory, asked or set by its path (a file
    // system that keeps none answers false).
    virtual bool GetTimes(const std::string& path, FileTimes& times) = 0;
    virtual bool SetTimes(const std::string& path, const FileTimes& times) = 0;
    // Whole-file copying: OpenRead, then CreateNew (fails when path exists)
    // or OpenExisting (in-place, truncated), Read and Write in turn, then
    // SetWriteTime with the source's write time, Flush where the copy must be
    // on the volume before anything relies on it, then Close, false when the
    // system reports that what was written could not be kept.
    virtual FileHandle OpenRead(const std::string& path) = 0;
    virtual FileHandle CreateNew(const std::string& path, std::uint32_t attributes) = 0;
    virtual FileHandle OpenExisting(const std::string& path) = 0;
    virtual bool Read(FileHandle h, void* buffer, std::size_t size, std::size_t& got) = 0;
    virtual bool Write(FileHandle h, const void* buffer, std::size_t size) = 0;
    virtual bool SetWriteTime(FileHandle h, std::uint64_t writeTime) = 0;
    virtual bool Flush(FileHandle h) = 0;
    virtual bool Close(FileHandle h) = 0;
    virtual unsigned LastError() = 0;
};

}  // namespace qrn
