// The setup dialogs: the archivers' parameters ("LZH_SETUP") and the
// extension colours ("BIN_COLOR"). A write to qrn.ini that fails is told,
// naming qrn.ini, and the dialog stays open.
#pragma once
#include <windows.h>

#include <functional>

#include "base/profile.h"
#include "base/settings.h"

namespace qrn {

// Control ids of their templates.
constexpr int kSetupUpdate = 1000;                  // 更新: save and stay open
constexpr int kBinColorExtension = 1035, kBinColorList = 1043;
constexpr int kBinColorFirstButton = 1001;          // 黒 ... 白: 1001-1008
constexpr int kBinColorDelete = 1009;
constexpr int kAboutVersionText = 1001;
constexpr int kSetupBrowseEditor = 1002, kSetupBrowsePager = 1003;  // BASE_SETUP's 参照 buttons
constexpr int kSetupFirstDirButton = 1004, kSetupFirstDirectory = 1037;  // DIR_SETUP: ",", ".", "/"
constexpr int kSetupFirstColor = 1080, kSetupChooseColor = 1007, kSetupFont = 1033;  // COLOR_SETUP

// The basic setup pages, "BASE_SETUP" and "DIR_SETUP": OK and 更新 save the
// page (OK then closes); CANCEL closes and asks for the settings to be read
// again from qrn.ini, dropping what was applied; the close box only closes.
enum class SetupPage { Base = 1, Directories = 2, Display = 3, Colors = 4 };
enum class SetupEnd { Saved, Reload, Closed };
// repaint draws the main window again: a colour chosen is shown at once.
SetupEnd RunSetupPage(HINSTANCE instance, HWND owner, SetupPage page, Profile& ini, Settings& live,
                      const std::function<void()>& repaint = {});

// OK and 更新 save the page into ini and live; true after OK.
bool RunArchiverSetup(HINSTANCE instance, HWND owner, Profile& ini, Settings& live);
// 更新 writes the list as the whole section and closes; true then.
bool RunBinColorDialog(HINSTANCE instance, HWND owner, Profile& ini);
// The program's icon, name and version; OK or the close box closes it.
void RunAboutDialog(HINSTANCE instance, HWND owner);

}  // namespace qrn
