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
};
inline constexpr PageRow kDirPage[] = {
    {{IniKey::Set1, 1037, BindKind::Edit}, true, true, true},
    {{IniKey::Set2, 1038, BindKind::Edit}, true, true, true},
    {{IniKey::Set3, 1039, BindKind::Edit}, true, true, true},
    {{IniKey::FolderDot, 1024, BindKind::Check}, false, true},
    {{IniKey::SaveMode, 1025, BindKind::Check}, false, true},
};

// What a page opens with: live, and the rows read from the file.
Settings OpenPage(std::span<const PageRow> page, Profile& ini, const Settings& live);
// Saves a page as edited: every row written, the applied ones also put in live.
void SavePage(std::span<const PageRow> page, Profile& ini, Settings& edited, Settings& live);

// The BIN_COLOR section as lines "EXT=value", every key in file order up to
// a value "<BIN_COLOR>"; the section written back from lines.
std::vector<std::string> ReadBinColors(Profile& ini);
void WriteBinColors(Profile& ini, const std::vector<std::string>& lines);

}  // namespace qrn
