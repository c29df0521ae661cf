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

// The BIN_COLOR section as lines "EXT=value", every key in file order up to
// a value "<BIN_COLOR>"; the section written back from lines.
std::vector<std::string> ReadBinColors(Profile& ini);
void WriteBinColors(Profile& ini, const std::vector<std::string>& lines);

}  // namespace qrn
