// The registration dialog "DIRECTORY": all pages of the registered commands
// or directories, edited through twenty lettered slots and written back by OK.
#pragma once
#include <windows.h>

#include "base/profile.h"
#include "launch/registered.h"

namespace qrn {

// Control ids of the dialog template.
constexpr int kRegFirstSlot = 1001;        // &A ... &T: 1001-1020
constexpr int kRegBrowse = 1021;           // 参照
constexpr int kRegClear = 1022;            // クリア
constexpr int kRegPath = 1035, kRegComment = 1036, kRegPageTitle = 1037, kRegPageNumber = 1038;
constexpr int kRegStatus = 1044;
constexpr int kRegPageSpin = 1102;
constexpr int kRegFirstSlotField = 1112;   // 1112-1131

// Runs the dialog over collection c; title replaces the template's (for the
// commands), path starts the Path field (empty: none). True after OK.
bool RunRegistrationDialog(HINSTANCE instance, HWND owner, Profile& ini, Collection c, const char* title,
                           const char* path);

}  // namespace qrn
