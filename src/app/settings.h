// The main settings held in memory, loaded from and saved to qrn.ini.
#pragma once
#include <cstdint>

#include "app/profile.h"
#include "listing/entry_table.h"

namespace qrn {

struct Rgb {
    int r, g, b;
};

enum ColorIndex { kBack, kNorm, kVol, kDir, kInfo, kInfd, kSys, kRdon, kHidn, kUpper, kColorCount };

struct Settings {
    // QRNInit
    int SortAuto;        // SORT_TYPE0: 1 off, 2 on
    int SortOrder;       // SORT_TYPE1: 1 ascending, 2 descending
    int SortKey;         // SORT_TYPE2: 1 name, 2 extension, 3 date, 4 size
    int SystemDisp;      // System_Disp
    int HiddenDisp;      // Hiddn_Disp
    int MenuMode;
    char Editor[128];
    char Pager[128];
    int NameCase;        // Disp_Omoji
    int DisplayMode;     // Disp_Mode less one (-1 automatic)
    int TwoColumnSwitch; // 2LETU_MODE
    int WinX, WinY, WinW, WinH;  // init_x_pos, init_y_pos, init_x_siz, init_y_siz
    int ToolbarHeight;   // ToolBar times 30
    int FontSize;
    char Font[65];
    int FontCharSet;
    int FileNameFull;    // FileName
    int FileDispSize;
    int ExpDispSize;
    int EditLongName;    // EDIT_LONGNAME
    int ScrollMode;      // SCROLLMODE
    int FolderDot;
    int SaveMode;
    int WinSizeIsMax;
    int UpdateFilter;    // from UpdateSig: 31 or 3
    int WinBannerMode;
    int ActiveCheck;
    // Color
    Rgb Colors[kColorCount];
    // PKUPK_CMD
    char LzhUnpack[129], LzhPack[129], ZipUnpack[129], CabUnpack[129], TarUnpack[129], IshUnpack[129];
    int FileNameGet;
    // SET_DIR
    char SetDir[3][kPathSize];
};

extern Settings g_settings;

// What loading and saving need from the platform.
class SettingsPlatform {
public:
    virtual ~SettingsPlatform() = default;
    // Makes dir the current directory of the process (and of its drive).
    virtual bool MakeCurrentDirectory(const char* dir) = 0;
    // Current directory of drive letter ("C:" expanded to a full path).
    virtual bool DriveCurrentDirectory(char letter, char* out, std::size_t size) = 0;
};


// Fills every setting with its default.
void DefaultSettings(Settings& s);

// Reads QRNInit and Color. A full load (start-up) also restores the per-drive
// directories, loads GetPath into CurrentDir and Mask into FileMask, and reads
// PKUPK_CMD. SET_DIR is read by both.
void LoadSettings(Settings& s, Profile& ini, bool full, Listing& listing, const char* programFolder,
                  const char driveTypes[26], SettingsPlatform& platform);

struct WindowPlacement {
    bool maximised, minimised;
    int left, top, width, height;
};

// Save on exit: mask, two-column switch, geometry and per-drive directories.
void SaveOnExit(const Settings& s, const Listing& listing, Profile& ini, const WindowPlacement& w,
                const char driveTypes[26], SettingsPlatform& platform);

// Writes CurrentDir as GetPath (quit with SaveMode, Shift+Q).
void SaveStartDirectory(const Listing& listing, Profile& ini);

}  // namespace qrn
