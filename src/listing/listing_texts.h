// What the directory listing says to the user.
#pragma once

namespace qrn {

constexpr const char* kDriveNotReady = "This drive is not ready!";  // after the search path and "\r"
constexpr const char* kDriveErrorTitle = "ERROR!";
constexpr const char* kDriveChoiceTitle = "LogDisk";                // the drive window after a failed read

// Sort dialog "DIR_SORT" and the header labels of the main list.
constexpr const char* kSortDialog = "DIR_SORT";
constexpr const char* kHeaderName = "Name:";
constexpr const char* kHeaderSize = "Size:";
constexpr const char* kHeaderAttr = "Attr:";
constexpr const char* kHeaderDate = "Date:";
constexpr const char* kHeaderMark = "Mark:";
constexpr const char* kHeaderFiles = "Files:";
constexpr const char* kHeaderPage = "Page:";

// Where the cursor is (Ctrl+W), after the directory: rows, place, marks, free space.
constexpr const char* kWherePlace = "、%d件中%d件目%s、空き%lluバイト";
constexpr const char* kWhereMarks = "、マーク%d件%lluバイト";

}  // namespace qrn
