// The setup dialogs' pages as tables of rows over the settings table: each
// row a key, its control and how the control shows it. The table that shows
// a key is the one that saves it.
#pragma once
#include <span>
#include <string>
#include <vector>

#include "base/profile.h"
#include "base/settings.h"

namespace qrn {

// "LZH_SETUP": the archivers' option texts and whether the pack commands
// offer the cursor file's name.
inline constexpr SetupRow kArchiverPage[] = {
    {IniKey::LzhPack, 1035, BindKind::Edit},   {IniKey::LzhUnpack, 1036, BindKind::Edit},
    {IniKey::ZipUnpack, 1037, BindKind::Edit}, {IniKey::IshUnpack, 1038, BindKind::Edit},
    {IniKey::CabUnpack, 1039, BindKind::Edit}, {IniKey::TarUnpack, 1040, BindKind::Edit},
    {IniKey::FileNameGet, 1024, BindKind::Check, 0, 0, 1},
};

// The archiver page as the file holds it now (its defaults where it holds none).
void LoadArchiverPage(Profile& ini, Settings& edited);
// Saves it: a text left empty keeps its old value (neither written nor
// applied); the others, and FILENAMEGET, are written and applied to live.
void SaveArchiverPage(Profile& ini, const Settings& edited, Settings& live);

// A row of one of the four setup pages: where it opens from (the file, or
// the settings in memory), whether saving applies it in memory too (else it
// is only written, for those who read it from the file), and whether a
// non-empty directory gets a trailing backslash.
struct PageRow {
    SetupRow row;
    bool fromFile, applied, directory = false;
};

// "BASE_SETUP" and "DIR_SETUP".
inline constexpr PageRow kBasePage[] = {
    {{IniKey::ActiveCheck, 1026, BindKind::Check}, true, false},
    {{IniKey::DestMemo, 1027, BindKind::Check}, true, false},
    {{IniKey::EditLongName, 1024, BindKind::Check}, true, true},
    {{IniKey::ScrollMode, 1025, BindKind::Check}, true, true},
    {{IniKey::Editor, 1035, BindKind::Edit}, false, true},
    {{IniKey::Pager, 1036, BindKind::Edit}, false, true},
    {{IniKey::SpeakProgress, 1028, BindKind::Check}, false, true},
    {{IniKey::RecycleBin, 1029, BindKind::Check}, false, true},
};
inline constexpr PageRow kDirPage[] = {
    {{IniKey::Set1, 1037, BindKind::Edit}, true, true, true},
    {{IniKey::Set2, 1038, BindKind::Edit}, true, true, true},
    {{IniKey::Set3, 1039, BindKind::Edit}, true, true, true},
    {{IniKey::FolderDot, 1024, BindKind::Check}, false, true},
    {{IniKey::SaveMode, 1025, BindKind::Check}, false, true},
};

// "DISP_SETUP", from memory and applied. The name width: its check box
// (kNameWidthCheck) cleared saves 0 whatever the field holds.
constexpr int kNameWidthCheck = 1027, kNameWidthField = 1035;
inline constexpr PageRow kDisplayPage[] = {
    {{IniKey::HiddenDisp, 1024, BindKind::Check}, false, true},
    {{IniKey::SystemDisp, 1025, BindKind::Check}, false, true},
    {{IniKey::Toolbar, 1028, BindKind::Check, 0, 0, kToolbarPixels}, false, true},
    {{IniKey::FileNameFull, 1026, BindKind::Check}, false, true},
    {{IniKey::MenuMode, 1132, BindKind::Check}, false, true},
    {{IniKey::WinBannerMode, 1133, BindKind::Check}, false, true},
    {{IniKey::FileDispSize, 1102, BindKind::Spin, kNameWidthField, 12, 260}, false, true},
    {{IniKey::ExpDispSize, 1103, BindKind::Spin, 1036, 3, 260}, false, true},
    {{IniKey::DisplayMode, 1071, BindKind::Radio, 1075, -1}, false, true},
    {{IniKey::NameCase, 1076, BindKind::Radio, 1079, 0}, false, true},
};
// "COLOR_SETUP": the font and its size (the colours are chosen in memory
// and written with them).
inline constexpr PageRow kColorPage[] = {
    {{IniKey::FontSize, 1102, BindKind::Spin, 1041, 8, 99}, false, true},
};
// The colours in the order of the page's radio buttons (1080-1089), which
// is also the order they are written in.
inline constexpr ColorIndex kPageColors[kColorCount] = {kBack, kNorm, kInfo, kInfd, kVol, kDir, kSys, kRdon, kHidn, kUpper};
// Writes the ten colours, red, green and blue each.
void StoreColors(Profile& ini, const Settings& s);

// What a page opens with: live, and the rows read from the file.
Settings OpenPage(std::span<const PageRow> page, Profile& ini, const Settings& live);
// Saves a page as edited: every row written, the applied ones also put in live.
void SavePage(std::span<const PageRow> page, Profile& ini, Settings& edited, Settings& live);

// The BIN_COLOR section as lines "EXT=value", every key in file order up to
// a value "<BIN_COLOR>"; the section written back from lines.
std::vector<std::string> ReadBinColors(Profile& ini);
void WriteBinColors(Profile& ini, const std::vector<std::string>& lines);

}  // namespace qrn
