// The copy engine: one entry, a file or a whole tree, from a source
// directory into a target directory, with the duplicate policy, the free
// space and media checks and the status dialog's Cancel.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "base/sjis.h"
#include "base/startup.h"
#include "fileops/file_system.h"
#include "fileops/operation_ui.h"

namespace qrn {

// The state of one copying command. A command makes one, sets what applies
// and hands it to every CopyEntry of its entries.
struct CopyJob {
    CopyJob(FileSystem& f, OperationUi& u) : fs(f), ui(u) {}
    FileSystem& fs;
    OperationUi& ui;
    DuplicatePolicy policy = DuplicatePolicy::NotChosen;
    bool policyChosen = false;
    bool mirror = false;                     // mirror copy: never asks the policy, logs failures and goes on
    std::string ownExecutable;               // a copy onto it becomes an update request ...
    PendingUpdateRecord* pendingUpdate = nullptr;
    int updateMode = 1;                      // ... of this mode (1 copy, 2 move)
    char lastFailedPath[kPathSize] = "";
    // Mirror copy's error log and its count.
    ErrorLog* errorLog = nullptr;
    int* errorCount = nullptr;
    char* logName = nullptr;
    // Counts for the summary.
    int filesCopied = 0, filesSkipped = 0;
    std::uint64_t bytesCopied = 0;
    std::size_t bufferSize = 1 << 20;        // the whole-file copy's buffer
    std::vector<char> buffer;                // made at the first file
    std::string volumePair;                  // the source and target directories last asked ...
    bool volumePairSame = true;              // ... whether they lie on one volume
    std::string freeDirectory;               // where freeBytes was last asked
    std::uint64_t freeBytes = kFreeUnknown;
    // Below: kept by the engine itself.
    std::vector<FileId> openDirectories;     // the source directories on the way down
    std::string treeSource, treeTarget;      // real paths of the outermost directory copy
    int depth = 0;
};

// Copies sourceDir + name into targetDir (both ending in a backslash). 1 when
// the entry was copied or passed over (by the mask, the policy, or as up to
// date), 0 when it failed or the command was cancelled.
int CopyEntry(CopyJob& job, const std::string& sourceDir, const std::string& targetDir, const std::string& name,
              std::uint32_t attributes, bool maskOn, const char* maskPattern);

// The progress text of the status dialog: kind 0 deleting, 1 copying or moving.
std::string ProgressText(int kind, std::uint64_t freeBytes, const std::string& from, const std::string& to);

// Too little room on targetPath's volume: 1 once the user changed the medium
// (the target's directory is made on it again), 0 to give up.
int AskMediaChange(FileSystem& fs, void* owner, const std::string& targetPath);

// Whether a and b are one file (or directory) whatever paths reach them.
bool SameFile(FileSystem& fs, const std::string& a, const std::string& b);
// True when target (a directory) is the directory tree itself or lies inside
// it, by the paths and by the identity of every directory up from target.
bool InsideTree(FileSystem& fs, const std::string& tree, const std::string& target);
// (date, time) of a later than b's; equal is not later.
bool Later(const FileStat& a, const FileStat& b);
// The policy for the command's existing targets, asked at the first one.
bool ChoosePolicy(CopyJob& job, const std::string& src);
// A new name for a target beside one that exists, asked until it names
// nothing yet; false when the user cancels.
bool AskNewName(CopyJob& job, const std::string& targetDir, const std::string& name, std::string& dst);
// A copy onto the program's own file becomes a request to update it.
bool IsOwnProgram(CopyJob& job, const std::string& src, const std::string& dst);
// The existing dst replaced by a copy of src that stays beside it under a
// temporary name until it is whole. 1 done, 0 failed (dst as it was).
int ReplaceByCopy(CopyJob& job, const std::string& src, const std::string& dst);
// src copied as the new file dst, which does not exist yet, for a move: the
// copy is flushed before the source may go; a copy that is not whole is
// removed again. 1 done, 0 failed.
int CopyAsNew(CopyJob& job, const std::string& src, const std::string& dst);
// A name beside target that nothing uses yet, or "" when none fits.
std::string TemporaryName(FileSystem& fs, const std::string& target);
// Records path as the one that failed last.
void Failed(CopyJob& job, const std::string& path);

// Paths: the directory part up to and including the last real backslash, and
// whether b is a or lies inside it (ASCII letters compared without case).
std::string DirectoryPart(const std::string& path);
// The path without its closing backslash (a drive root keeps it).
std::string WithoutBackslash(const std::string& path);
// ASCII letters upper-cased, the bytes of double-byte characters left alone.
std::string UpperAscii(const std::string& s);
bool IsSameOrInside(const std::string& a, const std::string& b);

}  // namespace qrn
