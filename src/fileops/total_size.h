// The total-size command: the files of the marked rows, or of the cursor
// row, counted and their bytes added up, directories at any depth.
#pragma once
#include <cstdint>
#include <string>

#include "fileops/file_system.h"
#include "fileops/operation_ui.h"
#include "listing/list_view.h"

namespace qrn {

struct SizeTotal {
    std::uint64_t files = 0, bytes = 0;
    bool stopped = false;    // Cancel during the walk
    std::string resultText;  // the status dialog's text once done
    std::string said;        // the summary to speak
};

// Walks the marked rows in table order, or the cursor row whatever it is,
// with the running count in the open status dialog. A link is counted as
// an entry of its own and never entered. Marks stay.
SizeTotal TotalSizeCommand(ListView& v, const char* dir, FileSystem& fs, OperationUi& ui);

// The status dialog's text: with a directory the progress form naming the
// entry reached, without one the result with kilobytes and megabytes.
std::string SizeText(const std::string& dir, const std::string& name, std::uint64_t files, std::uint64_t bytes);

}  // namespace qrn
