// State of the file operations shared with the rest of the program.
#pragma once

namespace qrn {

struct FileOpsState {
    void* StatusDialog = nullptr;  // the progress dialog while one is open
    bool CancelRequested = false;  // set by Cancel in the progress dialog or the start banner
    int DuplicatePolicy = 0;
    bool PolicyChosen = false;
    char LastFailedPath[260] = {};
};

inline FileOpsState g_fileops;

}  // namespace qrn
