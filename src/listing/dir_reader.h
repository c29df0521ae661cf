// Reading a directory into the entry table.
#pragma once
#include <cstddef>
#include <cstdint>

#include "base/settings.h"
#include "base/entry_table.h"
#include "listing/list_view.h"

namespace qrn {

constexpr std::uint64_t kDiskQueryFailed = ~std::uint64_t{0};

struct DiskFigures {
    std::uint64_t total, used, free;
};

// One directory-enumeration record, already converted by FillEntry.
struct FoundRecord {
    char name[kPathSize];
    std::uint32_t attributes;
    std::uint64_t size;
    std::uint16_t date, time;
};

// The platform calls behind a read.
class DirectoryPlatform {
public:
    virtual ~DirectoryPlatform() = default;
    // Free bytes of the volume of path, or kDiskQueryFailed; fills figures.
    virtual std::uint64_t QueryDiskSpace(const char* path, DiskFigures& figures) = 0;
    // Volume label of a root such as "C:\"; false when it cannot be read.
    virtual bool VolumeLabel(const char* root, char* out, std::size_t size) = 0;
    // Enumeration of searchPath: First, then Next until false, then Close.
    virtual bool First(const char* searchPath, FoundRecord& rec) = 0;
    virtual bool Next(FoundRecord& rec) = 0;
    virtual void Close() = 0;
    virtual void LowerCase(char* s) = 0;
    virtual void MakeWorkingDirectory(const char* path) = 0;
    // Closes the previous watch and arms a new one (null when arming fails).
    virtual void* ArmWatch(void* previous, const char* dir, unsigned filter) = 0;
    // Sorts the table when automatic sorting is on.
    virtual void Sort(EntryTable& table) = 0;
    // Opens the drive window titled title with choice preset; 1 when a drive
    // or a path was chosen (choice then holds it).
    // Where the first read falls back to (without a trailing backslash).
    virtual const char* ProgramFolder() = 0;
    virtual int ChooseDrive(void* owner, const char* title, char* choice, std::size_t size) = 0;
};

// Enumerates searchPath into the table from row 0. Row count, 0 when a
// subdirectory yielded nothing, -1 when the drive is not ready.
int ReadEntries(Listing& l, const Settings& s, DirectoryPlatform& p, const char* searchPath);

// Refills the table from path (which it may rewrite). Row count, or -1.
int ReadDirectory(Listing& l, const Settings& s, DirectoryPlatform& p, void* owner, char* path,
                  std::size_t pathSize);

}  // namespace qrn
