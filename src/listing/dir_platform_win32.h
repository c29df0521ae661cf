// The Windows side of directory reading and of the settings store.
#pragma once
#include <windows.h>

#include "base/settings.h"
#include "base/entry_table.h"
#include "listing/dir_reader.h"

namespace qrn {

// Converts one search record: local MS-DOS date and time, attributes, the
// full 64-bit size and the name. A long name that the ANSI code page cannot
// carry (the conversion left '?' in it) is replaced by its short form.
void FillEntry(const WIN32_FIND_DATAA& found, FoundRecord& rec);

// Searches exactly path; fills entry (not mark or extension) and answers 1,
// or clears it and answers 0.
int StatFile(const char* path, FileEntry& entry);

// Free bytes of the volume holding path (only its root is used), or
// kDiskQueryFailed with total = used = 0.
std::uint64_t QueryDiskSpace(const char* path, DiskFigures& figures);

class Win32DirectoryPlatform : public DirectoryPlatform {
public:
    // Sorts by the keys of settings; a failed first read falls back to
    // programFolder. Both are kept by reference.
    Win32DirectoryPlatform(const Settings& settings, const char* programFolder)
        : settings_(settings), programFolder_(programFolder) {}
    ~Win32DirectoryPlatform() override { Close(); }
    Win32DirectoryPlatform(const Win32DirectoryPlatform&) = delete;
    Win32DirectoryPlatform& operator=(const Win32DirectoryPlatform&) = delete;

    std::uint64_t QueryDiskSpace(const char* path, DiskFigures& figures) override;
    bool VolumeLabel(const char* root, char* out, std::size_t size) override;
    bool First(const char* searchPath, FoundRecord& rec) override;
    bool Next(FoundRecord& rec) override;
    void Close() override;
    void LowerCase(char* s) override;
    void MakeWorkingDirectory(const char* path) override;
    void* ArmWatch(void* previous, const char* dir, unsigned filter) override;
    void Sort(EntryTable& table) override;
    const char* ProgramFolder() override;
    int ChooseDrive(void* owner, const char* title, char* choice, std::size_t size) override;
    // The drive window ChooseDrive opens; without one, choosing ends as a cancel.
    using DriveChooser = int (*)(void* owner, const char* title, char* choice, std::size_t size);
    void SetDriveChooser(DriveChooser chooser) { chooser_ = chooser; }

private:
    DriveChooser chooser_ = nullptr;
    const Settings& settings_;
    const char* programFolder_;
    HANDLE search_ = INVALID_HANDLE_VALUE;
};

class Win32SettingsPlatform : public SettingsPlatform {
public:
    bool MakeCurrentDirectory(const char* dir) override;
    bool DriveCurrentDirectory(char letter, char* out, std::size_t size) override;
};

// The list's collation (lstrcmpA), and the collation key (LCMapStringA,
// LCMAP_SORTKEY, in the same locale) whose bytes sort as it does.
int Collate(const char* a, const char* b);
std::size_t CollationKey(const char* text, unsigned char* out, std::size_t size);

// Makes dir the process's current directory and remembers it as the current
// directory of its drive, so that "X:" later leads back to it.
bool SetWorkingDirectory(const char* dir);

}  // namespace qrn
