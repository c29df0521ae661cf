#include "windows/drive_choice.h"

#include <cstdio>
#include <cstring>

#include "listing/list_keys.h"

namespace qrn {

namespace {

void ResetLine(DriveInput& d) {
    std::memset(d.line, ' ', kDriveLineLength);
    d.line[kDriveLineLength] = '\0';
    d.line[0] = static_cast<char>('A' + d.selected);
    d.line[1] = ':';
    d.caret = 0;
    d.trailNext = d.dropTrail = false;
}

// The drive's current directory into the choice (its root when it has none).
void ChooseDrive(DriveInput& d, char letter, DriveSource& src) {
    if (!src.CurrentDirectory(letter, d.choice, sizeof d.choice)) std::snprintf(d.choice, sizeof d.choice, "%c:\\", letter);
    AddBackslash(d.choice, sizeof d.choice);
    d.result = DriveResult::Drive;
}

// Steps from the highlighted letter towards step (-1 or 1) to the next
// available drive, wrapping; stays when no other drive is available.
bool StepDrive(DriveInput& d, int step, DriveSource& src) {
    for (int i = 1; i < 26; ++i) {
        const int drive = (d.selected + 26 + step * i) % 26;
        if (!src.Available(drive)) continue;
        d.selected = drive;
        ResetLine(d);
        return true;
    }
    return false;
}

}  // namespace

bool DriveAvailableByKind(char kind, bool activeCheck, bool probeRefused) {
    if (static_cast<unsigned char>(kind) < 2) return false;
    if ((kind != 'F' && kind != 'C') || !activeCheck) return true;
    return !probeRefused;
}

void StartDriveInput(DriveInput& d, const char* currentDir) {
    d = DriveInput{};
    char c = currentDir ? currentDir[0] : 'A';
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    d.selected = c >= 'A' && c <= 'Z' ? c - 'A' : 0;
    ResetLine(d);
}

bool DriveKey(DriveInput& d, int key, DriveSource& src) {
    if (key < kKeyBack + 1 || key > kKeySlash) return false;
    if (key >= '0' && key <= '9') {
        if (d.caret != 0) return false;
        const int drive = key == '0' ? 9 : key - '1';
        if (!src.Available(drive)) return false;
        d.selected = drive;
        DriveEnter(d, src);
        return true;
    }
    switch (key) {
    case kKeyLeft: return StepDrive(d, -1, src);
    case kKeyRight: return StepDrive(d, 1, src);
    case kKeyReturn: DriveEnter(d, src); return false;
    case kKeyEscape: d.result = DriveResult::Cancelled; return false;
    case kKeyTab: case kKeyEnd: src.RebuildDriveTypes(); return false;
    case kKeyInsert:
        if (src.RememberedDir()[0] && CopyWhole(d.choice, sizeof d.choice, src.RememberedDir()))
            d.result = DriveResult::Directory;
        return false;
    default: break;
    }
    // The one-key directories, like the digits only while nothing is typed:
    // a path being typed may hold a period.
    if (const int n = OneKeyDirectoryOf(key); n && d.caret == 0) {
        char dir[kPathSize];
        src.OneKeyDirectory(n, dir, sizeof dir);
        if (dir[0] && CopyWhole(d.choice, sizeof d.choice, dir)) d.result = DriveResult::Directory;
    }
    return false;
}

bool DriveChar(DriveInput& d, unsigned char c) {
    if (d.trailNext) {  // the second byte of a character begun before
        d.trailNext = false;
        if (d.dropTrail) return false;
        d.line[d.caret++] = static_cast<char>(c);
        return true;
    }
    if (c == kKeyBack) {
        if (d.caret == 0) return false;
        int start = 0;  // of the last character before the caret
        for (int i = 0; i < d.caret; i += IsLeadByte(d.line[i]) && i + 1 < d.caret ? 2 : 1) start = i;
        std::memset(d.line + start, ' ', static_cast<std::size_t>(d.caret - start));
        d.caret = start;
        return true;
    }
    if (c < 0x20 || c == '#' || (c >= '0' && c <= '9' && d.caret == 0)) return false;
    if (IsLeadByte(c)) {
        d.trailNext = true;
        d.dropTrail = d.caret + 2 > kDriveLineLength;
        if (d.dropTrail) return false;
    } else if (d.caret + 1 > kDriveLineLength) {
        return false;
    }
    d.line[d.caret++] = static_cast<char>(c);
    return true;
}

bool DriveClick(DriveInput& d, int x, int y, int cw, int lh, DriveSource& src) {
    if (cw <= 0 || lh <= 0 || y < 2 * lh || y >= 3 * lh) return false;
    if (x < kDriveLetterColumn * cw || x >= (kDriveLetterColumn + 52) * cw) return false;
    const int drive = (x / cw - kDriveLetterColumn) / 2;
    if (!src.Available(drive)) {
        src.Beep();
        return false;
    }
    d.selected = drive;
    DriveEnter(d, src);
    return true;
}

void DriveEnter(DriveInput& d, DriveSource& src) {
    if (d.caret == 0) return ChooseDrive(d, static_cast<char>('A' + d.selected), src);
    char text[kPathSize + 1];
    std::memcpy(text, d.line, static_cast<std::size_t>(d.caret));
    text[d.caret] = '\0';
    const char first = static_cast<char>(text[0] & ~0x20);  // a letter, upper-cased
    const bool letterOnly = d.caret < 3 && first >= 'A' && first <= 'Z' && (text[1] == '\0' || text[1] == ':');
    if (letterOnly) return ChooseDrive(d, first, src);
    // A path of 259 bytes has no room for the closing backslash: refused.
    if (!AddBackslash(text, kPathSize)) return src.Beep();
    std::memcpy(d.choice, text, std::strlen(text) + 1);
    d.result = DriveResult::Drive;
}

}  // namespace qrn
