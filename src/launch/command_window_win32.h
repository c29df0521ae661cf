// The command window "QRN CmdWindow": one page of the registered commands or
// directories in two columns of ten lettered rows, picked by a letter, the
// arrows and Enter, or the mouse; every row the selection lands on is shown
// in its status bar and spoken. It runs its own message loop until an entry
// is picked or the window is closed.
#pragma once
#include <windows.h>

#include <string>

#include "base/profile.h"
#include "base/settings.h"
#include "launch/registered.h"

namespace qrn {

struct CommandWindowLook {
    const Rgb* colors;  // the list's colours: rows in Norm on Back
    HFONT font;         // the list font
};

// The picked entry's text; empty when nothing was picked (or the entry was).
std::string OpenCommandWindow(HWND owner, Collection c, Profile& ini, const CommandWindowLook& look);

}  // namespace qrn
