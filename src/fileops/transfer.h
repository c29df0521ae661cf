// The copy and move commands once their destination is confirmed: normal
// copy, mask copy, mirror copy and move over the marked rows of the list, or
// its cursor row, into DestDir.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "base/startup.h"
#include "fileops/copy_engine.h"
#include "fileops/file_system.h"
#include "fileops/operation_ui.h"
#include "listing/list_view.h"

namespace qrn {

// What a command works on besides the list: both directories end in a backslash.
struct TransferRequest {
    const char* currentDir = "";
    const char* destDir = "";
    bool mask = false;                       // mask copy: only files matching pattern
    const char* pattern = "";
    std::string ownExecutable;               // a copy or move onto it becomes an update request
    PendingUpdateRecord* pendingUpdate = nullptr;
    bool recycle = false;                    // mirror copy's deletions go into the Recycle Bin
};

struct TransferResult {
    int done = 0, failed = 0;  // rows (mirror copy: files copied and failed)
    int deleted = 0;           // mirror copy: entries pruned from the target
    int passedOver = 0;        // rows left as they were (by the policy, or up to date)
    bool refresh = false;      // the listed directory changed
    std::string said;          // the summary to speak
};

// Normal and mask copy of the marked rows (in table order) or the cursor row.
TransferResult CopyCommand(ListView& v, const TransferRequest& r, FileSystem& fs, OperationUi& ui);
// Mirror copy: the target made equal to the source (the cursor's directory,
// or the whole drive on the volume-label row); failures go to log.
TransferResult MirrorCopyCommand(ListView& v, const TransferRequest& r, FileSystem& fs, OperationUi& ui, ErrorLog& log);
// Move of the marked rows or the cursor row.
TransferResult MoveCommand(ListView& v, const TransferRequest& r, FileSystem& fs, OperationUi& ui);

// The deletion pass of mirror copy: what targetDir holds and sourceDir does
// not is deleted, tree by tree. 1 done, 0 failed or cancelled (then nothing
// more is deleted). deleted counts what went; a link the system cannot
// remove without reaching through it stays and goes to linksLeft.
int MirrorPrune(FileSystem& fs, OperationUi& ui, const std::string& sourceDir, const std::string& targetDir,
                int& deleted, std::vector<std::string>* linksLeft = nullptr, bool recycle = false);

// Moves sourceDir + name into targetDir (both ending in a backslash): a file
// by the system's move, a directory rebuilt at the target with its contents
// moved and the emptied source removed. 1 moved or passed over, 0 failed.
int MoveEntry(CopyJob& job, const std::string& sourceDir, const std::string& targetDir, const std::string& name,
              std::uint32_t attributes);

// Both paths on one drive letter (their first characters, without case).
bool SameDrive(const std::string& a, const std::string& b);

}  // namespace qrn
