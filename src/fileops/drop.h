// Files dropped on the list from other programs: copied or moved into the
// directory of the row under the drop point (the listed directory on the
// volume-label row), or handed to the program of a program row.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "fileops/file_system.h"
#include "fileops/operation_ui.h"
#include "fileops/transfer.h"
#include "listing/list_view.h"

namespace qrn {

struct DropRequest {
    const char* currentDir = "";      // ends in a backslash
    int row = -1;                     // the row under the drop point
    std::vector<std::string> paths;   // as the dropping program gave them
    // Shift and Ctrl as they are held now (asked for each path).
    std::function<void(bool& shift, bool& ctrl)> keys;
    // Starts a program's command line.
    std::function<void(const std::string& commandLine)> start;
};

// Moved when the path is on the listed directory's drive, else copied;
// Shift makes it a copy, Ctrl a move (Ctrl wins).
bool DropMoves(const std::string& path, const char* currentDir, bool shift, bool ctrl);

// A program row's command line for a dropped path (quoted when longer than 12).
std::string DropCommandLine(const char* currentDir, const char* program, const std::string& path);

// One question for the whole drop, then each path through the copy or the
// move with all their rules; the first that fails is told and ends it.
TransferResult DropCommand(ListView& v, const DropRequest& r, FileSystem& fs, OperationUi& ui);

}  // namespace qrn
