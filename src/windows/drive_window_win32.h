// The drive window "QRN LogDisk": a line to type a path into, the letters
// A to Z with the unavailable ones dimmed, the drive kind in the title. It
// runs its own message loop until the user has chosen or cancelled.
#pragma once
#include <windows.h>

#include <cstddef>

#include "base/profile.h"
#include "base/settings.h"
#include "windows/drive_choice.h"

namespace qrn {

// The drives as the system tells them.
class Win32DriveSource : public DriveSource {
public:
    Win32DriveSource(const Settings& s, char* driveTypes, Profile& ini, const char* rememberedDir)
        : settings_(s), types_(driveTypes), ini_(ini), remembered_(rememberedDir) {}
    bool Available(int drive) override;
    bool CurrentDirectory(char letter, char* out, std::size_t size) override;
    void RebuildDriveTypes() override;
    void OneKeyDirectory(int n, char* out, std::size_t size) override;
    const char* RememberedDir() override { return remembered_ ? remembered_ : ""; }
    void Beep() override;
    char Kind(int drive) override { return drive >= 0 && drive < 26 ? types_[drive] : 0; }

private:
    const Settings& settings_;
    char* types_;
    Profile& ini_;
    const char* remembered_;
};

// What the window draws with.
struct DriveWindowLook {
    const Rgb* colors;  // kColorCount colours of the list
    HFONT font;         // the list font
};

// Opens the window over owner with the letter of currentDir highlighted and
// waits for the answer; choice (size bytes) is written only on a choice.
DriveResult DriveWindow(HWND owner, const char* title, const char* currentDir, DriveSource& drives,
                        const DriveWindowLook& look, char* choice, std::size_t size);

}  // namespace qrn
