// Start-up: the command line, paths of the program and the self-update record.
#pragma once
#include <cstddef>

#include "base/sjis.h"

namespace qrn {

struct PendingUpdateRecord {
    char source[kPathSize];
    char target[kPathSize];
    int mode;       // 1: the file was copied, 2: it was moved
    bool pending;   // an update waits (in update mode: not yet completed)
};

// The system's version as GetVersionExA tells it.
struct SystemVersion {
    bool IsNT;
    unsigned OsMajor, OsMinor, OsBuild;  // OsMajor 0: unknown
};

// Whether the system offers the extended free-space query: NT always,
// Windows 95 from OSR2 on (an unknown version is given the benefit).
bool HasExtendedFreeSpaceQuery(const SystemVersion& v);

// Paths and tables set up once at start.
struct Startup {
    char ProgramFolder[kPathSize];  // without a trailing backslash
    char IniPath[kPathSize];
    char HelpPath[kPathSize];
    char ShellPath[kPathSize];
    char DriveTypeTable[26];
    SystemVersion Version;
    PendingUpdateRecord PendingUpdate;
    char UpdateFailure[3 * kPathSize];  // text shown when the update did not complete
};


// Finds a switch in a command line. Returns 1 with its value, 0 (out empty)
// when the switch is absent, -1 (out empty) when its value does not fit.
int FindSwitch(const char* commandLine, const char* sw, char* out, std::size_t size);

enum class StartKind { Default, Mask, Directory, Update };

struct CommandLine {
    StartKind kind;
    char mask[16];              // for Mask
    char directory[kPathSize];  // for Directory: as given, quotes removed
    char source[kPathSize];     // for Update
    char target[kPathSize];
    int mode;
};

// Classifies the text after the program name.
void ParseCommandLine(const char* text, CommandLine& out);

// Appends a backslash to path unless its full form already ends in one.
// fullPath expands a path as GetFullPathNameA does (false on failure).
using FullPathFn = bool (*)(const char* path, char* out, std::size_t size);
bool EnsureTrailingBackslash(char* path, std::size_t size, bool flag, FullPathFn fullPath);

// Splits at the last backslash: folder before it, name behind it.
void SplitPath(const char* path, char* folder, std::size_t folderSize, char* name,
               std::size_t nameSize);

// Command interpreter from the system (NT) or Windows directory.
void BuildShellPath(bool isNT, const char* systemOrWindowsDir, char* out, std::size_t size);

// Drive kind as stored in DriveTypeTable.
char DriveTypeLetter(unsigned driveType);

// The three program paths from the executable's path. False when one would not fit.
bool BuildProgramPaths(const char* exePath, Startup& s);

// Keeps a stored window position and size usable on a screen of the given
// extent: absurd sizes are bounded, and a window that would lie wholly off
// the screen is put back at the default place.
void FitWindowToScreen(int& x, int& y, int& w, int& h, int screenLeft, int screenTop,
                       int screenWidth, int screenHeight);

// Text of a failed update copy: "%d:%s,%s".
void FormatUpdateFailure(unsigned error, const char* source, const char* target, char* out,
                         std::size_t size);

// The command line that hands an update to a new copy of the program.
bool FormatUpdateCommand(const PendingUpdateRecord& u, char* out, std::size_t size);

}  // namespace qrn
