#include "app/settings.h"

#include <cstring>

namespace qrn {

Settings g_settings;

namespace {

const char* const kInit = "QRNInit";

struct ColorKey {
    const char* name;
    Rgb def;
};
const ColorKey kColorKeys[kColorCount] = {
    {"Back", {0, 0, 0}},       {"Norm", {255, 255, 255}}, {"Vol", {255, 255, 0}},
    {"Dir", {0, 255, 255}},    {"Info", {0, 255, 255}},   {"Infd", {255, 255, 255}},
    {"Sys", {255, 0, 0}},      {"Rdon", {0, 255, 0}},     {"Hidn", {192, 192, 192}},
    {"Upper", {255, 255, 0}},
};

int Clamp(int v, int lo, int hi) { return v < lo ? lo : (v > hi ? hi : v); }

// Reads a string and drops a lead byte the cut may have left alone.
void ReadString(Profile& ini, const char* section, const char* key, const char* def, char* out,
                std::size_t size) {
    ini.GetString(section, key, def, out, size);
    TrimDanglingLead(out);
}

}  // namespace

void DefaultSettings(Settings& s) {
    std::memset(&s, 0, sizeof s);
    s.SortAuto = 1;
    s.SortOrder = 1;
    s.SortKey = 1;
    s.SystemDisp = 1;
    s.HiddenDisp = 1;
    std::strcpy(s.Editor, "notepad.exe");
    s.NameCase = 1;
    s.DisplayMode = -1;
    s.WinW = 600;
    s.WinH = 350;
    s.ToolbarHeight = 30;
    s.FontSize = 9;
    std::strcpy(s.Font, "FixedSys");
    s.FontCharSet = 128;
    s.ExpDispSize = 3;
    s.EditLongName = 1;
    s.FolderDot = 1;
    s.UpdateFilter = 3;
    s.WinBannerMode = 1;
    s.ActiveCheck = 1;
    for (int i = 0; i < kColorCount; ++i) s.Colors[i] = kColorKeys[i].def;
    std::strcpy(s.LzhUnpack, "x -a1");
    std::strcpy(s.LzhPack, "a -a1 -d1");
    std::strcpy(s.ZipUnpack, "-x");
    std::strcpy(s.CabUnpack, "-x");
    std::strcpy(s.TarUnpack, "xvf");
    std::strcpy(s.IshUnpack, "/q");
    s.FileNameGet = 1;
}

void LoadSettings(Settings& s, Profile& ini, bool full, Listing& listing, const char* programFolder,
                  const char driveTypes[26], SettingsPlatform& platform) {
    s.SortAuto = ini.GetInt(kInit, "SORT_TYPE0", 1);
    s.SortOrder = ini.GetInt(kInit, "SORT_TYPE1", 1);
    s.SortKey = ini.GetInt(kInit, "SORT_TYPE2", 1);
    s.SystemDisp = ini.GetInt(kInit, "System_Disp", 1);
    s.HiddenDisp = ini.GetInt(kInit, "Hiddn_Disp", 1);
    s.MenuMode = ini.GetInt(kInit, "MenuMode", 0);
    ReadString(ini, kInit, "Editor", "notepad.exe", s.Editor, sizeof s.Editor);
    ReadString(ini, kInit, "Pager", "", s.Pager, sizeof s.Pager);
    s.NameCase = ini.GetInt(kInit, "Disp_Omoji", 1);
    s.DisplayMode = ini.GetInt(kInit, "Disp_Mode", 0) - 1;
    if (s.DisplayMode < -1) s.DisplayMode = -1;
    s.TwoColumnSwitch = ini.GetInt(kInit, "2LETU_MODE", 0);
    s.WinX = ini.GetInt(kInit, "init_x_pos", 0);
    s.WinY = ini.GetInt(kInit, "init_y_pos", 0);
    s.WinW = ini.GetInt(kInit, "init_x_siz", 600);
    s.WinH = ini.GetInt(kInit, "init_y_siz", 350);
    // A flag: any value other than 0 shows the toolbar.
    s.ToolbarHeight = ini.GetInt(kInit, "ToolBar", 1) != 0 ? 30 : 0;
    s.FontSize = ini.GetInt(kInit, "FontSize", 9);
    ReadString(ini, kInit, "Font", "FixedSys", s.Font, sizeof s.Font);
    s.FontCharSet = ini.GetInt(kInit, "FontCharSet", 128);
    s.FileNameFull = ini.GetInt(kInit, "FileName", 0);
    s.FileDispSize = ini.GetInt(kInit, "FileDispSize", 0);
    if (s.FileDispSize != 0 && s.FileDispSize < 12) s.FileDispSize = 12;
    if (s.FileDispSize > 255) s.FileDispSize = 255;
    s.ExpDispSize = Clamp(ini.GetInt(kInit, "ExpDispSize", 3), 0, 255);
    s.EditLongName = ini.GetInt(kInit, "EDIT_LONGNAME", 1);
    s.ScrollMode = ini.GetInt(kInit, "SCROLLMODE", 0);
    s.FolderDot = ini.GetInt(kInit, "FolderDot", 1);
    s.SaveMode = ini.GetInt(kInit, "SaveMode", 0);
    s.WinSizeIsMax = ini.GetInt(kInit, "WinSizeIsMax", 0);
    s.UpdateFilter = ini.GetInt(kInit, "UpdateSig", 0) > 0 ? 31 : 3;
    s.WinBannerMode = ini.GetInt(kInit, "WinBannerMode", 1);

    for (int i = 0; i < kColorCount; ++i) {
        char key[16];
        const char* n = kColorKeys[i].name;
        std::snprintf(key, sizeof key, "%s_Col_R", n);
        s.Colors[i].r = Clamp(ini.GetInt("Color", key, kColorKeys[i].def.r), 0, 255);
        std::snprintf(key, sizeof key, "%s_Col_G", n);
        s.Colors[i].g = Clamp(ini.GetInt("Color", key, kColorKeys[i].def.g), 0, 255);
        std::snprintf(key, sizeof key, "%s_Col_B", n);
        s.Colors[i].b = Clamp(ini.GetInt("Color", key, kColorKeys[i].def.b), 0, 255);
    }

    for (int i = 0; i < 3; ++i) {
        char key[8];
        std::snprintf(key, sizeof key, "SET%d", i + 1);
        ReadString(ini, "SET_DIR", key, "", s.SetDir[i], sizeof s.SetDir[i]);
    }

    if (!full) return;

    s.ActiveCheck = ini.GetInt(kInit, "ActiveCheck", 1);
    if (s.ActiveCheck == 1) {
        for (int d = 0; d < 26; ++d) {
            if (driveTypes[d] == 'F' || driveTypes[d] == 'C') continue;
            char key[3] = {static_cast<char>('A' + d), ':', '\0'};
            char dir[kPathSize];
            ReadString(ini, "QRN_CurDir", key, "", dir, sizeof dir);
            if (std::strlen(dir) > 3) platform.MakeCurrentDirectory(dir);  // a vanished one is ignored
        }
    }

    // The start directory. Read into a whole path buffer so that a long
    // directory saved at exit comes back whole.
    char start[kPathSize];
    ReadString(ini, kInit, "GetPath", programFolder, start, sizeof start);
    if (std::strlen(start) >= 2 && !AddBackslash(start, sizeof start)) {
        // No room for the backslash: start in the program folder instead.
        std::snprintf(start, sizeof start, "%s", programFolder);
        AddBackslash(start, sizeof start);
    }
    std::strcpy(listing.CurrentDir, start);

    ReadString(ini, kInit, "Mask", "*.*", listing.FileMask, sizeof listing.FileMask);
    if (!listing.FileMask[0]) std::strcpy(listing.FileMask, "*.*");

    const char* const kArc = "PKUPK_CMD";
    ReadString(ini, kArc, "LZH_UNPACK", "x -a1", s.LzhUnpack, sizeof s.LzhUnpack);
    ReadString(ini, kArc, "LZH_PACK", "a -a1 -d1", s.LzhPack, sizeof s.LzhPack);
    ReadString(ini, kArc, "ZIP_UNPACK", "-x", s.ZipUnpack, sizeof s.ZipUnpack);
    ReadString(ini, kArc, "CAB_UNPACK", "-x", s.CabUnpack, sizeof s.CabUnpack);
    ReadString(ini, kArc, "TAR_UNPACK", "xvf", s.TarUnpack, sizeof s.TarUnpack);
    ReadString(ini, kArc, "ISH_UNPACK", "/q", s.IshUnpack, sizeof s.IshUnpack);
    s.FileNameGet = ini.GetInt(kArc, "FILENAMEGET", 1);
}

void SaveOnExit(const Settings& s, const Listing& listing, Profile& ini, const WindowPlacement& w,
                const char driveTypes[26], SettingsPlatform& platform) {
    ini.WriteString(kInit, "Mask", listing.FileMask);
    ini.WriteInt(kInit, "2LETU_MODE", s.TwoColumnSwitch);
    if (w.maximised) {
        ini.WriteString(kInit, "WinSizeIsMax", "1");
    } else {
        ini.WriteString(kInit, "WinSizeIsMax", "0");
        if (!w.minimised) {
            ini.WriteInt(kInit, "init_x_pos", w.left);
            ini.WriteInt(kInit, "init_x_siz", w.width);
            ini.WriteInt(kInit, "init_y_pos", w.top);
            ini.WriteInt(kInit, "init_y_siz", w.height);
        }
    }
    for (int d = 0; d < 26; ++d) {
        unsigned char t = static_cast<unsigned char>(driveTypes[d]);
        if (t == 'F' || t == 'C' || t < 2) continue;
        char dir[kPathSize];
        if (!platform.DriveCurrentDirectory(static_cast<char>('A' + d), dir, sizeof dir)) continue;
        if (!AddBackslash(dir, sizeof dir)) continue;
        char key[3] = {static_cast<char>('A' + d), ':', '\0'};
        ini.WriteString("QRN_CurDir", key, dir);
    }
}

void SaveStartDirectory(const Listing& listing, Profile& ini) {
    if (listing.CurrentDir[0]) ini.WriteString(kInit, "GetPath", listing.CurrentDir);
}

}  // namespace qrn
