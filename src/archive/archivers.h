// The five archiver libraries QRN drives, and the command lines it hands
// them: one line per archive to unpack, one per archive or encoded file to
// make.
#pragma once
#include <string>

#include "base/settings.h"

namespace qrn {

enum class ArchiverKind : int { Lha, Zip, Cab, Tar, Ish };
constexpr int kArchiverKinds = 5;

// A library: its file name, the names of its entry points and the lowest
// version QRN accepts. ISH32 has no background or cursor mode.
struct ArchiverRow {
    const char* file;
    const char* version;
    const char* busy;
    const char* main;
    const char* background;  // null: none
    const char* cursor;      // null: none
    unsigned minimum;
};

inline constexpr ArchiverRow kArchivers[kArchiverKinds] = {
    {"UNLHA32.DLL", "UnlhaGetVersion", "UnlhaGetRunning", "Unlha", "UnlhaSetBackGroundMode", "UnlhaSetCursorMode", 38},
    {"UNZIP32.DLL", "UnZipGetVersion", "UnZipGetRunning", "UnZip", "UnZipSetBackGroundMode", "UnZipSetCursorMode", 75},
    {"CAB32.DLL", "CabGetVersion", "CabGetRunning", "Cab", "CabSetBackGroundMode", "CabSetCursorMode", 50},
    {"TAR32.DLL", "TarGetVersion", "TarGetRunning", "Tar", "TarSetBackGroundMode", "TarSetCursorMode", 15},
    {"ISH32.DLL", "IshGetVersion", "IshGetRunning", "IshEx", nullptr, nullptr, 36},
};

inline const ArchiverRow& RowOf(ArchiverKind k) { return kArchivers[static_cast<int>(k)]; }

// "<FILE> <what>": a message of a library's row.
std::string ArchiverMessage(ArchiverKind k, const char* what);

// The library that unpacks a file, by its extension in any case: LZH, ZIP,
// CAB, TAR or Z; ISH32 for every other name, also one without an extension.
ArchiverKind UnpackKindOf(const char* name);

// The unpack line of name in currentDir into destDir (which ends with a
// backslash), into destDir\<name without its extension>\ with makeDir.
std::string UnpackLine(const Settings& s, ArchiverKind k, const char* currentDir, const char* name,
                       const char* destDir, bool makeDir);

// The LZH or TAR pack line: the option text, the archive's name quoted and
// the one entry quoted, or "@" and the response file for marked entries.
std::string PackLine(const Settings& s, ArchiverKind k, const std::string& archive, const std::string& entry,
                     bool response);

// A line of the response file: the entry's name quoted, a line end (CR LF).
std::string ResponseLine(const char* name);

// ISH make into destDir: the first file of a command is encoded with /s, every
// further one with /YA into the same output.
std::string IshMakeLine(const char* destDir, bool first, const std::string& output, const char* name);

// The name prompt's first text: nothing when FILENAMEGET is 0, else the
// cursor row's name without its extension.
std::string PackNameOffered(const Settings& s, const char* cursorName);

}  // namespace qrn
