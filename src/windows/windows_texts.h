// What the drive window and the destination window say to the user.
#pragma once

namespace qrn {

constexpr const char* kDriveWindowClass = "QRN LogDisk";
constexpr const char* kDestinationClass = "QRN Destination";
constexpr const char* kDriveLabel = "Drive:";
constexpr const char* kDriveSelectTitle = "Drive Select";  // L, in the main list and the destination window

// Kinds of DriveTypeTable bytes in the drive window's title.
inline const char* DriveKindText(char kind) {
    switch (kind) {
    case 0: return "unknown";
    case 1: return "no drive";
    case 'C': return "CD-ROM";
    case 'F': return "removable";
    case 'H': return "hard disk";
    case 'N': return "network";
    case 'R': return "RAM disk";
    default: return "";
    }
}

constexpr const char* kDestinationMkdirTitle = "ディレクトリの作成";  // K in the destination window
constexpr const char* kExecutionRowName = "[ Execution  ]";
constexpr const char* kExecutionHeader = "** Execution **";

// The destination window's titles, in front of the directory, by the operation it chooses for.
constexpr const char* kCopyDestinationTitle = "File Copy ";
constexpr const char* kMoveDestinationTitle = "File Move ";
constexpr const char* kUnpackDestinationTitle = "UnpackArc ";
constexpr const char* kMirrorDestinationTitle = "MirrorCopy ";
constexpr const char* kIshMakeDestinationTitle = "ISH File Make ";

}  // namespace qrn
