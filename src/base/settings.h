// The settings held in memory and the one table of qrn.ini's sections and
// keys that loads, reloads, defaults and saves them.
#pragma once
#include <cstddef>
#include <cstdint>
#include <span>

#include "base/profile.h"
#include "base/sjis.h"

namespace qrn {

struct Rgb {
    int r, g, b;
};

enum ColorIndex { kBack, kNorm, kVol, kDir, kInfo, kInfd, kSys, kRdon, kHidn, kUpper, kColorCount };

// Sorting as stored under SORT_TYPE0, SORT_TYPE1 and SORT_TYPE2.
enum : int { kSortAutoOff = 1, kSortAutoOn = 2 };
enum : int { kSortAscending = 1, kSortDescending = 2 };
enum : int { kSortByName = 1, kSortByExtension = 2, kSortByDate = 3, kSortBySize = 4 };

constexpr int kToolbarPixels = 30;  // height of the toolbar strip when shown

struct Settings {
    // QRNInit
    int SortAuto;        // SORT_TYPE0: kSortAutoOff, kSortAutoOn
    int SortOrder;       // SORT_TYPE1: kSortAscending, kSortDescending
    int SortKey;         // SORT_TYPE2: kSortByName ... kSortBySize
    int SystemDisp;      // System_Disp
    int HiddenDisp;      // Hiddn_Disp
    int MenuMode;
    char Editor[128];
    char Pager[128];
    int NameCase;        // Disp_Omoji
    int DisplayMode;     // Disp_Mode less one (-1 automatic)
    int TwoColumnSwitch; // 2LETU_MODE
    int WinX, WinY, WinW, WinH;  // init_x_pos, init_y_pos, init_x_siz, init_y_siz
    int ToolbarHeight;   // ToolBar: kToolbarPixels or 0
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
    int DestMemo;        // init_smemo: the destination window reuses its stored rectangle
    int DestX, DestY, DestW, DestH;  // init_sx_pos, init_sy_pos, init_sx_siz, init_sy_siz (-1: not stored)
    int PagerX, PagerY, PagerW, PagerH;  // init_vx_pos, init_vy_pos, init_vx_siz, init_vy_siz (-1: not stored)
    int SpeakProgress;   // long operations say the quarters they pass
    int RecycleBin;      // deletions go into the Recycle Bin
    // Color
    Rgb Colors[kColorCount];
    // PKUPK_CMD
    char LzhUnpack[129], LzhPack[129], ZipUnpack[129], CabUnpack[129], TarUnpack[129], IshUnpack[129];
    int FileNameGet;
    // SET_DIR
    char SetDir[3][kPathSize];
    // Where a start begins (QRNInit GetPath and Mask; read at start only).
    char StartDir[kPathSize];   // ends with a backslash
    char StartMask[16];
};

// Section names of qrn.ini. Sections whose keys are not fixed (one key per
// extension, drive, history line or registered item) are named here too and
// read by the Part that owns them.
constexpr const char* kSectionInit = "QRNInit";
constexpr const char* kSectionColor = "Color";
constexpr const char* kSectionArchiver = "PKUPK_CMD";
constexpr const char* kSectionSetDir = "SET_DIR";
constexpr const char* kSectionCurDir = "QRN_CurDir";     // "A:" ... "Z:"
constexpr const char* kSectionBinColor = "BIN_COLOR";    // extension = colour index 0-7
constexpr const char* kSectionExpExec = "EXP_EXEC";      // extension = command
constexpr const char* kSectionHistory = "QRNHIST";       // followed by a dialog title
constexpr const char* kSectionExec = "EXEC";             // registered commands; pages "EXEC_01" ...
constexpr const char* kSectionDirec = "DIREC";           // registered directories; pages "DIREC_01" ...

// Every fixed key of qrn.ini, in table order.
enum class IniKey : int {
    SortAuto, SortOrder, SortKey, SystemDisp, HiddenDisp, MenuMode, Editor, Pager, NameCase,
    DisplayMode, TwoColumnSwitch, WinX, WinY, WinW, WinH, Toolbar, FontSize, Font, FontCharSet,
    FileNameFull, FileDispSize, ExpDispSize, EditLongName, ScrollMode, FolderDot, SaveMode,
    WinSizeIsMax, UpdateSig, WinBannerMode, ActiveCheck, DestMemo, DestX, DestY, DestW, DestH,
    PagerX, PagerY, PagerW, PagerH, GetPath, Mask,
    ColorFirst,  // Back_Col_R, Back_Col_G, Back_Col_B, Norm_Col_R, ... Upper_Col_B
    ColorLast = ColorFirst + 3 * kColorCount - 1,
    LzhUnpack, LzhPack, ZipUnpack, CabUnpack, TarUnpack, IshUnpack, FileNameGet,
    Set1, Set2, Set3,
    ExecMaxPage, ExecNowPage, DirecMaxPage, DirecNowPage,
    SpeakProgress, RecycleBin,
    Count
};

enum class KeyType { Int, Text };
// How a stored value becomes the setting.
enum class KeyRule {
    Plain,         // as stored
    Clamp,         // bounded to [lo, hi]
    LessOne,       // stored one higher, at least lo once lowered (Disp_Mode)
    Flag,          // 0 gives 0, anything else hi (ToolBar)
    ZeroOrRange,   // 0 stays 0; otherwise bounded to [lo, hi] (FileDispSize)
    Signal,        // above 0 gives hi, else lo (UpdateSig)
};
// When a key is read: on every load, only at start (a reload keeps it), or
// at start by a step of its own (GetPath and Mask, which have fallbacks).
// A key without a field is read by its owner when it needs it.
enum class KeyLoad { Always, StartOnly, StartOwnStep, ByOwner };

struct KeyInfo {
    const char* section;
    const char* name;
    KeyType type;
    std::size_t offset;   // of the value in Settings; kNoField when it has none
    std::size_t size;     // text buffer size
    int def;              // integer default (stored form)
    const char* defText;  // text default
    int lo, hi;
    KeyRule rule;
    KeyLoad load;
};
constexpr std::size_t kNoField = ~std::size_t{0};

// The table entry of a key.
const KeyInfo& KeyOf(IniKey k);
inline IniKey ColorKey(ColorIndex c, int component) {
    return static_cast<IniKey>(static_cast<int>(IniKey::ColorFirst) + 3 * c + component);
}

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

// Reads every key. A full load (start-up) also reads the keys read at start
// only (ActiveCheck, GetPath, Mask, PKUPK_CMD) and restores the per-drive
// directories; StartDir falls back to the program folder.
void LoadSettings(Settings& s, Profile& ini, bool full, const char* programFolder, const char driveTypes[26],
                  SettingsPlatform& platform);

// One integer key as qrn.ini holds it now (its default when absent).
int LoadInt(Profile& ini, IniKey k);

// Writes one integer key in its stored form.
void StoreInt(Profile& ini, IniKey k, int value);

// The field of a key in s; null when the key has none.
void* FieldOf(Settings& s, IniKey k);
// Reads one key into its field as a load does (GetPath and Mask without
// their fallbacks).
void LoadSetting(Settings& s, Profile& ini, IniKey k);
// Writes the field of one key in the stored form that loads back to it.
void StoreSetting(Profile& ini, const Settings& s, IniKey k);

// How a control of a setup page shows its setting.
enum class BindKind { Check, Edit, Radio, Spin };
// One control of a setup page bound to the field of a key. A check box holds
// hi when checked, lo when not; a radio group runs from id to last, its first
// button standing for lo; a spin is the up-down control id with the buddy
// edit last, bounded to [lo, hi]; an edit holds a text key.
struct SetupRow {
    IniKey key;
    int id;
    BindKind kind;
    int last = 0;
    int lo = 0, hi = 1;
};

// Writes the keys of a setup page.
void StorePage(Profile& ini, const Settings& s, std::span<const SetupRow> page);

struct WindowPlacement {
    bool maximised, minimised;
    int left, top, width, height;
};

// Save on exit: mask, two-column switch, geometry and per-drive directories.
void SaveOnExit(const Settings& s, const char* fileMask, Profile& ini, const WindowPlacement& w,
                const char driveTypes[26], SettingsPlatform& platform);

// Writes dir as GetPath (quit with SaveMode, Shift+Q).
void SaveStartDirectory(const char* dir, Profile& ini);

// The directory of one-key directory n (1-3) as stored now, empty when none.
void ReadOneKeyDirectory(Profile& ini, int n, char* out, std::size_t size);

}  // namespace qrn
