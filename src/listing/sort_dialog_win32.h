// The sort dialog "DIR_SORT": key, direction and automatic sorting.
#pragma once
#include <windows.h>

#include "base/profile.h"
#include "base/settings.h"

namespace qrn {

// Runs the dialog over settings. True when it was closed with OK: settings
// then hold the new choice. Its default button stores the choice in ini as
// the default of later starts (and in settings) at once.
bool RunSortDialog(HINSTANCE instance, HWND owner, Settings& settings, Profile& ini);

}  // namespace qrn
