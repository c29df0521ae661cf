// The drive window's rules: the input line, the highlighted letter, the keys
// and what Enter makes of them. The window draws this state and carries out
// nothing else.
#pragma once
#include <cstddef>

#include "base/sjis.h"

namespace qrn {

enum class DriveResult : int { Running = 0, Drive = 1, Directory = 2, Cancelled = -1 };

constexpr int kDriveLineLength = 259;  // characters the input line holds
constexpr int kDriveCells = 60;        // client width in characters
constexpr int kDriveLetterColumn = 7;  // the cell of "A"; every letter takes two

struct DriveInput {
    int selected = 0;            // the highlighted letter, 0-25
    char line[kPathSize] = {};   // the letter, ':' and blanks; typed bytes overwrite it from the start
    int caret = 0;               // insertion point (also the typed length)
    bool trailNext = false;      // the next byte ends a double-byte character
    bool dropTrail = false;      // ... which had no room and is dropped
    DriveResult result = DriveResult::Running;
    char choice[kPathSize] = {};
};

// What the rules ask of the system.
class DriveSource {
public:
    virtual ~DriveSource() = default;
    virtual bool Available(int drive) = 0;
    virtual char Kind(int drive) = 0;  // its DriveTypeTable byte
    // "X:" expanded to the drive's current directory, with a trailing backslash.
    virtual bool CurrentDirectory(char letter, char* out, std::size_t size) = 0;
    virtual void RebuildDriveTypes() = 0;
    virtual void OneKeyDirectory(int n, char* out, std::size_t size) = 0;  // SET<n>, empty when none
    virtual const char* RememberedDir() = 0;                               // empty when none
    virtual void Beep() = 0;
};

// Whether a drive can be chosen: its kind byte, and for removable and CD-ROM
// drives (when ActiveCheck is on) whether the medium probe was refused.
bool DriveAvailableByKind(char kind, bool activeCheck, bool probeRefused);

// The start state: the letter of currentDir highlighted, nothing typed.
void StartDriveInput(DriveInput& d, const char* currentDir);

// A key-down, translated as in the list. True when the highlighted letter changed.
bool DriveKey(DriveInput& d, int key, DriveSource& src);
// A typed byte. True when the input line changed.
bool DriveChar(DriveInput& d, unsigned char c);
// A left click at a client point (cells of cw by lh). True when a letter was taken.
bool DriveClick(DriveInput& d, int x, int y, int cw, int lh, DriveSource& src);
// Enter: the choice from the typed text or the highlighted drive.
void DriveEnter(DriveInput& d, DriveSource& src);

}  // namespace qrn
