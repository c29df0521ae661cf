// The commands that change the current directory in place: delete, rename,
// make directory, volume label; and DeleteTree, the recursive delete.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "fileops/file_system.h"
#include "fileops/operation_ui.h"
#include "listing/list_view.h"

namespace qrn {

struct InPlaceResult {
    int done = 0, failed = 0;
    int recycled = 0;      // of done: moved into the Recycle Bin
    int removedInside = 0; // entries that went inside directories that could not be deleted whole
    bool refresh = false;  // the directory must be read again
    std::string said;      // the summary to speak
};

// Deletes one file, or one directory with everything in it (path without a
// trailing backslash). A link (to a file or a directory) is removed itself:
// what it points to is never entered or touched. One the system cannot
// remove so is left, and goes to linksLeft, or without it is told at the
// end. 1 on success. removed, when given, counts every entry that went.
int DeleteTree(FileSystem& fs, OperationUi& ui, const std::string& path, std::uint32_t attributes,
               std::vector<std::string>* linksLeft = nullptr, int* removed = nullptr);
// DeleteTree, or with recycle the entry moved into the Recycle Bin whole
// (a link is not: it goes as every delete takes it); one the bin does not
// take is deleted for good only once the user says so.
// 2 in the bin, 1 deleted, 0 failed, -1 left as the user said.
int DeleteOrRecycle(FileSystem& fs, OperationUi& ui, const std::string& path, std::uint32_t attributes, bool recycle,
                    std::vector<std::string>* linksLeft = nullptr, int* removed = nullptr);
// What is told of the links a delete of path left.
std::string LinksLeftText(const std::string& path, const std::vector<std::string>& links);

// The marked rows, or the cursor row, of the list of dir (ending in a
// backslash); with recycle into the Recycle Bin, after the same questions.
InPlaceResult DeleteCommand(ListView& v, const char* dir, FileSystem& fs, OperationUi& ui, bool recycle = false);
// keepExtension: only the part before the extension is edited.
InPlaceResult RenameCommand(ListView& v, const char* dir, FileSystem& fs, OperationUi& ui, bool keepExtension);
InPlaceResult MakeDirectoryCommand(const char* dir, FileSystem& fs, OperationUi& ui);
InPlaceResult VolumeLabelCommand(const ListView& v, const char* dir, FileSystem& fs, OperationUi& ui);

constexpr std::size_t kVolumeLabelBytes = 11;

}  // namespace qrn
