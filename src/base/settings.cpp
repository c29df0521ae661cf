#include "base/settings.h"

#include <cstdio>
#include <cstring>

namespace qrn {

namespace {

#define QRN_INT(sec, name, field, def, lo, hi, rule, load) \
    {sec, name, KeyType::Int, offsetof(Settings, field), 0, def, nullptr, lo, hi, KeyRule::rule, KeyLoad::load}
#define QRN_TEXT(sec, name, field, def, load) \
    {sec, name, KeyType::Text, offsetof(Settings, field), sizeof(Settings::field), 0, def, 0, 0, KeyRule::Plain, KeyLoad::load}
#define QRN_OWNED_INT(sec, name, def) \
    {sec, name, KeyType::Int, kNoField, 0, def, nullptr, 0, 0, KeyRule::Plain, KeyLoad::ByOwner}
#define QRN_COLOR_PART(name, part, index, component, def)                                              \
    {kSectionColor, name "_Col_" part, KeyType::Int,                                                   \
     offsetof(Settings, Colors) + (index) * sizeof(Rgb) + (component) * sizeof(int), 0, def, nullptr, 0, \
     255, KeyRule::Clamp, KeyLoad::Always}
#define QRN_COLOR(name, index, r, g, b) \
    QRN_COLOR_PART(name, "R", index, 0, r), QRN_COLOR_PART(name, "G", index, 1, g), QRN_COLOR_PART(name, "B", index, 2, b)

constexpr int kAny = 0;

const KeyInfo kKeys[] = {
    QRN_INT(kSectionInit, "SORT_TYPE0", SortAuto, kSortAutoOff, kAny, kAny, Plain, Always),
    QRN_INT(kSectionInit, "SORT_TYPE1", SortOrder, kSortAscending, kAny, kAny, Plain, Always),
    QRN_INT(kSectionInit, "SORT_TYPE2", SortKey, kSortByName, kAny, kAny, Plain, Always),
    QRN_INT(kSectionInit, "System_Disp", SystemDisp, 1, kAny, kAny, Plain, Always),
    QRN_INT(kSectionInit, "Hiddn_Disp", HiddenDisp, 1, kAny, kAny, Plain, Always),
    QRN_INT(kSectionInit, "MenuMode", MenuMode, 0, kAny, kAny, Plain, Always),
    QRN_TEXT(kSectionInit, "Editor", Editor, "notepad.exe", Always),
    QRN_TEXT(kSectionInit, "Pager", Pager, "", Always),
    QRN_INT(kSectionInit, "Disp_Omoji", NameCase, 1, kAny, kAny, Plain, Always),
    QRN_INT(kSectionInit, "Disp_Mode", DisplayMode, 0, -1, kAny, LessOne, Always),
    QRN_INT(kSectionInit, "2LETU_MODE", TwoColumnSwitch, 0, kAny, kAny, Plain, Always),
    QRN_INT(kSectionInit, "init_x_pos", WinX, 0, kAny, kAny, Plain, Always),
    QRN_INT(kSectionInit, "init_y_pos", WinY, 0, kAny, kAny, Plain, Always),
    QRN_INT(kSectionInit, "init_x_siz", WinW, 600, kAny, kAny, Plain, Always),
    QRN_INT(kSectionInit, "init_y_siz", WinH, 350, kAny, kAny, Plain, Always),
    QRN_INT(kSectionInit, "ToolBar", ToolbarHeight, 1, 0, kToolbarPixels, Flag, Always),
    QRN_INT(kSectionInit, "FontSize", FontSize, 9, kAny, kAny, Plain, Always),
    QRN_TEXT(kSectionInit, "Font", Font, "FixedSys", Always),
    QRN_INT(kSectionInit, "FontCharSet", FontCharSet, 128, kAny, kAny, Plain, Always),
    QRN_INT(kSectionInit, "FileName", FileNameFull, 0, kAny, kAny, Plain, Always),
    QRN_INT(kSectionInit, "FileDispSize", FileDispSize, 0, 12, 255, ZeroOrRange, Always),
    QRN_INT(kSectionInit, "ExpDispSize", ExpDispSize, 3, 0, 255, Clamp, Always),
    QRN_INT(kSectionInit, "EDIT_LONGNAME", EditLongName, 1, kAny, kAny, Plain, Always),
    QRN_INT(kSectionInit, "SCROLLMODE", ScrollMode, 0, kAny, kAny, Plain, Always),
    QRN_INT(kSectionInit, "FolderDot", FolderDot, 1, kAny, kAny, Plain, Always),
    QRN_INT(kSectionInit, "SaveMode", SaveMode, 0, kAny, kAny, Plain, Always),
    QRN_INT(kSectionInit, "WinSizeIsMax", WinSizeIsMax, 0, kAny, kAny, Plain, Always),
    QRN_INT(kSectionInit, "UpdateSig", UpdateFilter, 0, 3, 31, Signal, Always),
    QRN_INT(kSectionInit, "WinBannerMode", WinBannerMode, 1, kAny, kAny, Plain, Always),
    QRN_INT(kSectionInit, "ActiveCheck", ActiveCheck, 1, kAny, kAny, Plain, StartOnly),
    QRN_INT(kSectionInit, "init_smemo", DestMemo, 1, kAny, kAny, Plain, Always),
    QRN_INT(kSectionInit, "init_sx_pos", DestX, -1, kAny, kAny, Plain, Always),
    QRN_INT(kSectionInit, "init_sy_pos", DestY, -1, kAny, kAny, Plain, Always),
    QRN_INT(kSectionInit, "init_sx_siz", DestW, -1, kAny, kAny, Plain, Always),
    QRN_INT(kSectionInit, "init_sy_siz", DestH, -1, kAny, kAny, Plain, Always),
    QRN_INT(kSectionInit, "init_vx_pos", PagerX, -1, kAny, kAny, Plain, Always),
    QRN_INT(kSectionInit, "init_vy_pos", PagerY, -1, kAny, kAny, Plain, Always),
    QRN_INT(kSectionInit, "init_vx_siz", PagerW, -1, kAny, kAny, Plain, Always),
    QRN_INT(kSectionInit, "init_vy_siz", PagerH, -1, kAny, kAny, Plain, Always),
    // GetPath defaults to the program folder and ends with a backslash.
    QRN_TEXT(kSectionInit, "GetPath", StartDir, "", StartOwnStep),
    QRN_TEXT(kSectionInit, "Mask", StartMask, "*.*", StartOwnStep),
    QRN_COLOR("Back", kBack, 0, 0, 0),
    QRN_COLOR("Norm", kNorm, 255, 255, 255),
    QRN_COLOR("Vol", kVol, 255, 255, 0),
    QRN_COLOR("Dir", kDir, 0, 255, 255),
    QRN_COLOR("Info", kInfo, 0, 255, 255),
    QRN_COLOR("Infd", kInfd, 255, 255, 255),
    QRN_COLOR("Sys", kSys, 255, 0, 0),
    QRN_COLOR("Rdon", kRdon, 0, 255, 0),
    QRN_COLOR("Hidn", kHidn, 192, 192, 192),
    QRN_COLOR("Upper", kUpper, 255, 255, 0),
    QRN_TEXT(kSectionArchiver, "LZH_UNPACK", LzhUnpack, "x -a1", StartOnly),
    QRN_TEXT(kSectionArchiver, "LZH_PACK", LzhPack, "a -a1 -d1", StartOnly),
    QRN_TEXT(kSectionArchiver, "ZIP_UNPACK", ZipUnpack, "-x", StartOnly),
    QRN_TEXT(kSectionArchiver, "CAB_UNPACK", CabUnpack, "-x", StartOnly),
    QRN_TEXT(kSectionArchiver, "TAR_UNPACK", TarUnpack, "xvf", StartOnly),
    QRN_TEXT(kSectionArchiver, "ISH_UNPACK", IshUnpack, "/q", StartOnly),
    QRN_INT(kSectionArchiver, "FILENAMEGET", FileNameGet, 1, kAny, kAny, Plain, StartOnly),
    QRN_TEXT(kSectionSetDir, "SET1", SetDir[0], "", Always),
    QRN_TEXT(kSectionSetDir, "SET2", SetDir[1], "", Always),
    QRN_TEXT(kSectionSetDir, "SET3", SetDir[2], "", Always),
    // Pages of the registered items: their number and the one shown last.
    QRN_OWNED_INT(kSectionExec, "MaxPage", 3),
    QRN_OWNED_INT(kSectionExec, "NowPage", 1),
    QRN_OWNED_INT(kSectionDirec, "MaxPage", 3),
    QRN_OWNED_INT(kSectionDirec, "NowPage", 1),
    // Long operations say each quarter they pass (0: they do not).
    QRN_INT(kSectionInit, "SpeakProgress", SpeakProgress, 1, kAny, kAny, Plain, Always),
    // Deletions go into the Recycle Bin (0: they are for good).
    QRN_INT(kSectionInit, "RecycleBin", RecycleBin, 0, kAny, kAny, Plain, Always),
};
static_assert(sizeof kKeys / sizeof kKeys[0] == static_cast<std::size_t>(IniKey::Count),
              "one table entry for every key");

#undef QRN_INT
#undef QRN_TEXT
#undef QRN_OWNED_INT
#undef QRN_COLOR_PART
#undef QRN_COLOR

int Clamp(int v, int lo, int hi) { return v < lo ? lo : (v > hi ? hi : v); }

// The setting from its stored form.
int Derive(const KeyInfo& k, int stored) {
    switch (k.rule) {
    case KeyRule::Clamp: return Clamp(stored, k.lo, k.hi);
    case KeyRule::LessOne: return stored - 1 < k.lo ? k.lo : stored - 1;
    case KeyRule::Flag: return stored != 0 ? k.hi : 0;
    case KeyRule::ZeroOrRange: return stored == 0 ? 0 : Clamp(stored, k.lo, k.hi);
    case KeyRule::Signal: return stored > 0 ? k.hi : k.lo;
    case KeyRule::Plain: break;
    }
    return stored;
}

// The stored form that derives back to the setting.
int Stored(const KeyInfo& k, int value) {
    switch (k.rule) {
    case KeyRule::LessOne: return value + 1;
    case KeyRule::Flag: return value != 0 ? 1 : 0;
    case KeyRule::Signal: return value >= k.hi ? 1 : 0;
    case KeyRule::Clamp:
    case KeyRule::ZeroOrRange:
    case KeyRule::Plain: break;
    }
    return value;
}

int* IntField(Settings& s, const KeyInfo& k) {
    return reinterpret_cast<int*>(reinterpret_cast<unsigned char*>(&s) + k.offset);
}
char* TextField(Settings& s, const KeyInfo& k) {
    return reinterpret_cast<char*>(reinterpret_cast<unsigned char*>(&s) + k.offset);
}
const int* IntField(const Settings& s, const KeyInfo& k) { return IntField(const_cast<Settings&>(s), k); }
const char* TextField(const Settings& s, const KeyInfo& k) { return TextField(const_cast<Settings&>(s), k); }

// Reads a string and drops a lead byte the cut may have left alone.
void ReadString(Profile& ini, const char* section, const char* key, const char* def, char* out,
                std::size_t size) {
    ini.GetString(section, key, def, out, size);
    TrimDanglingLead(out);
}

void LoadKey(Settings& s, Profile& ini, const KeyInfo& k) {
    if (k.type == KeyType::Int)
        *IntField(s, k) = Derive(k, ini.GetInt(k.section, k.name, k.def));
    else
        ReadString(ini, k.section, k.name, k.defText, TextField(s, k), k.size);
}

}  // namespace

const KeyInfo& KeyOf(IniKey k) { return kKeys[static_cast<int>(k)]; }

void DefaultSettings(Settings& s) {
    std::memset(&s, 0, sizeof s);
    for (const KeyInfo& k : kKeys) {
        if (k.offset == kNoField) continue;
        if (k.type == KeyType::Int)
            *IntField(s, k) = Derive(k, k.def);
        else
            CopyCut(TextField(s, k), k.size, k.defText);
    }
}

void LoadSettings(Settings& s, Profile& ini, bool full, const char* programFolder, const char driveTypes[26],
                  SettingsPlatform& platform) {
    for (const KeyInfo& k : kKeys)
        if (k.load == KeyLoad::Always) LoadKey(s, ini, k);
    if (!full) return;
    for (const KeyInfo& k : kKeys)
        if (k.load == KeyLoad::StartOnly) LoadKey(s, ini, k);

    if (s.ActiveCheck == 1) {
        for (int d = 0; d < 26; ++d) {
            if (driveTypes[d] == 'F' || driveTypes[d] == 'C') continue;
            char key[3] = {static_cast<char>('A' + d), ':', '\0'};
            char dir[kPathSize];
            ReadString(ini, kSectionCurDir, key, "", dir, sizeof dir);
            if (std::strlen(dir) > 3) platform.MakeCurrentDirectory(dir);  // a vanished one is ignored
        }
    }

    // The start directory, read into a whole path buffer so that a long
    // directory saved at exit comes back whole.
    const KeyInfo& path = KeyOf(IniKey::GetPath);
    char* start = s.StartDir;
    ReadString(ini, path.section, path.name, programFolder, start, sizeof s.StartDir);
    if (std::strlen(start) >= 2 && !AddBackslash(start, sizeof s.StartDir)) {
        // No room for the backslash: start in the program folder instead.
        std::snprintf(start, sizeof s.StartDir, "%s", programFolder);
        AddBackslash(start, sizeof s.StartDir);
    }
    const KeyInfo& mask = KeyOf(IniKey::Mask);
    ReadString(ini, mask.section, mask.name, mask.defText, s.StartMask, sizeof s.StartMask);
    if (!s.StartMask[0]) std::strcpy(s.StartMask, mask.defText);
}

int LoadInt(Profile& ini, IniKey k) {
    const KeyInfo& info = KeyOf(k);
    return ini.GetInt(info.section, info.name, info.def);
}

void StoreInt(Profile& ini, IniKey k, int value) {
    const KeyInfo& info = KeyOf(k);
    ini.WriteInt(info.section, info.name, value);
}


void* FieldOf(Settings& s, IniKey k) {
    const KeyInfo& info = KeyOf(k);
    return info.offset == kNoField ? nullptr : reinterpret_cast<unsigned char*>(&s) + info.offset;
}

void LoadSetting(Settings& s, Profile& ini, IniKey k) {
    if (KeyOf(k).offset != kNoField) LoadKey(s, ini, KeyOf(k));
}

void StoreSetting(Profile& ini, const Settings& s, IniKey k) {
    const KeyInfo& info = KeyOf(k);
    if (info.offset == kNoField) return;
    if (info.type == KeyType::Int)
        ini.WriteInt(info.section, info.name, Stored(info, *IntField(s, info)));
    else
        ini.WriteString(info.section, info.name, TextField(s, info));
}

void StorePage(Profile& ini, const Settings& s, std::span<const SetupRow> page) {
    for (const SetupRow& row : page) StoreSetting(ini, s, row.key);
}

void SaveOnExit(const Settings& s, const char* fileMask, Profile& ini, const WindowPlacement& w,
                const char driveTypes[26], SettingsPlatform& platform) {
    Settings saved = s;
    CopyCut(saved.StartMask, sizeof saved.StartMask, fileMask);
    saved.WinSizeIsMax = w.maximised ? 1 : 0;
    saved.WinX = w.left, saved.WinY = w.top, saved.WinW = w.width, saved.WinH = w.height;
    for (IniKey k : {IniKey::Mask, IniKey::TwoColumnSwitch, IniKey::WinSizeIsMax}) StoreSetting(ini, saved, k);
    if (!w.maximised && !w.minimised)
        for (IniKey k : {IniKey::WinX, IniKey::WinW, IniKey::WinY, IniKey::WinH}) StoreSetting(ini, saved, k);
    for (int d = 0; d < 26; ++d) {
        unsigned char t = static_cast<unsigned char>(driveTypes[d]);
        if (t == 'F' || t == 'C' || t < 2) continue;
        char dir[kPathSize];
        if (!platform.DriveCurrentDirectory(static_cast<char>('A' + d), dir, sizeof dir)) continue;
        if (!AddBackslash(dir, sizeof dir)) continue;
        char key[3] = {static_cast<char>('A' + d), ':', '\0'};
        ini.WriteString(kSectionCurDir, key, dir);
    }
}

void SaveStartDirectory(const char* dir, Profile& ini) {
    if (!dir[0]) return;
    Settings saved{};
    CopyCut(saved.StartDir, sizeof saved.StartDir, dir);
    StoreSetting(ini, saved, IniKey::GetPath);
}

void ReadOneKeyDirectory(Profile& ini, int n, char* out, std::size_t size) {
    if (size == 0) return;
    out[0] = '\0';
    if (n < 1 || n > 3) return;
    const KeyInfo& k = KeyOf(static_cast<IniKey>(static_cast<int>(IniKey::Set1) + n - 1));
    ReadString(ini, k.section, k.name, "", out, size);
}

}  // namespace qrn
