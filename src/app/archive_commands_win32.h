// The archive commands of the main window: U, P, the TAR pack and I.
#pragma once
#include <windows.h>

namespace qrn {

// U: the drive window "Unpack File", the destination window, then the marked
// archives (or the cursor row) unpacked there.
void UnpackCommand(HWND window);
// P and the TAR pack: the archive made in the listed directory at once.
void PackLzhCommand(HWND window);
void PackTarCommand(HWND window);
// I: the output directory chosen as for a copy, then the files encoded there.
void MakeIshCommand(HWND window);

}  // namespace qrn
