#include "listing/dir_platform_win32.h"

#include <cstring>

#include "base/sjis_win32.h"
#include "base/startup_win32.h"
#include "listing/sort.h"

namespace qrn {

void FillEntry(const WIN32_FIND_DATAA& found, FoundRecord& rec) {
    FILETIME local;
    WORD date = 0, time = 0;
    if (FileTimeToLocalFileTime(&found.ftLastWriteTime, &local)) FileTimeToDosDateTime(&local, &date, &time);
    rec.date = date;
    rec.time = time;
    rec.attributes = found.dwFileAttributes;
    rec.size = (static_cast<std::uint64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
    const char* name = found.cFileName;
    // '?' cannot stand in a real name: it is what the conversion to the ANSI
    // code page left for a character it could not carry.
    bool lossy = false;
    for (const char* c = name; *c; ++c) {
        if (IsLeadByte(*c) && c[1]) {
            ++c;
            continue;
        }
        // A character the conversion mapped onto a separator or a wildcard
        // (the yen sign becomes a backslash) would name another path.
        if (std::strchr("?*\\/:\"<>|", *c)) lossy = true;
    }
    if (lossy && found.cAlternateFileName[0]) name = found.cAlternateFileName;
    CopyCut(rec.name, sizeof rec.name, name);
}

int StatFile(const char* path, FileEntry& entry) {
    WIN32_FIND_DATAA found;
    HANDLE h = FindFirstFileA(path, &found);
    if (h == INVALID_HANDLE_VALUE) {
        entry.date = entry.time = 0;
        entry.attributes = 0;
        entry.size = 0;
        entry.name[0] = '\0';
        return 0;
    }
    FindClose(h);
    FoundRecord rec;
    FillEntry(found, rec);
    entry.date = rec.date;
    entry.time = rec.time;
    entry.attributes = rec.attributes;
    entry.size = rec.size;
    std::memcpy(entry.name, rec.name, sizeof entry.name);
    return 1;
}

namespace {

using FreeSpaceEx = BOOL(WINAPI*)(LPCSTR, PULARGE_INTEGER, PULARGE_INTEGER, PULARGE_INTEGER);

FreeSpaceEx ExtendedQuery() {
    if (!HasExtendedFreeSpaceQuery(ReadSystemVersion())) return nullptr;
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    if (!kernel) return nullptr;
    return reinterpret_cast<FreeSpaceEx>(reinterpret_cast<void*>(GetProcAddress(kernel, "GetDiskFreeSpaceExA")));
}

}  // namespace

std::uint64_t QueryDiskSpace(const char* path, DiskFigures& figures) {
    char root[4] = {path[0], path[0] ? path[1] : '\0', '\0', '\0'};
    if (root[1]) root[2] = path[2];
    static FreeSpaceEx query = ExtendedQuery();
    if (query) {
        ULARGE_INTEGER avail, total, free;
        if (query(root, &avail, &total, &free)) {
            figures.total = total.QuadPart;
            figures.free = free.QuadPart;
            figures.used = figures.total >= figures.free ? figures.total - figures.free : 0;
            return figures.free;
        }
    } else {
        DWORD spc, bps, freeClusters, totalClusters;
        if (GetDiskFreeSpaceA(root, &spc, &bps, &freeClusters, &totalClusters)) {
            const std::uint64_t cluster = static_cast<std::uint64_t>(spc) * bps;
            figures.total = totalClusters * cluster;
            figures.used = (totalClusters >= freeClusters ? totalClusters - freeClusters : 0) * cluster;
            figures.free = freeClusters * cluster;
            return figures.free;
        }
    }
    figures.total = figures.used = 0;
    figures.free = kDiskQueryFailed;
    return kDiskQueryFailed;
}

std::uint64_t Win32DirectoryPlatform::QueryDiskSpace(const char* path, DiskFigures& figures) {
    return qrn::QueryDiskSpace(path, figures);
}

bool Win32DirectoryPlatform::VolumeLabel(const char* root, char* out, std::size_t size) {
    char label[MAX_PATH + 1];
    DWORD serial, maxName, flags;
    if (!GetVolumeInformationA(root, label, sizeof label, &serial, &maxName, &flags, nullptr, 0)) return false;
    CopyCut(out, size, label);
    return true;
}

bool Win32DirectoryPlatform::First(const char* searchPath, FoundRecord& rec) {
    Close();
    WIN32_FIND_DATAA found;
    search_ = FindFirstFileA(searchPath, &found);
    if (search_ == INVALID_HANDLE_VALUE) return false;
    FillEntry(found, rec);
    return true;
}

bool Win32DirectoryPlatform::Next(FoundRecord& rec) {
    if (search_ == INVALID_HANDLE_VALUE) return false;
    WIN32_FIND_DATAA found;
    if (!FindNextFileA(search_, &found)) return false;
    FillEntry(found, rec);
    return true;
}

void Win32DirectoryPlatform::Close() {
    if (search_ != INVALID_HANDLE_VALUE) FindClose(search_);
    search_ = INVALID_HANDLE_VALUE;
}

void Win32DirectoryPlatform::LowerCase(char* s) { PlatformLower(s); }

void Win32DirectoryPlatform::MakeWorkingDirectory(const char* path) { SetWorkingDirectory(path); }

void* Win32DirectoryPlatform::ArmWatch(void* previous, const char* dir, unsigned filter) {
    if (previous) FindCloseChangeNotification(static_cast<HANDLE>(previous));
    HANDLE h = FindFirstChangeNotificationA(dir, FALSE, filter);
    return h == INVALID_HANDLE_VALUE ? nullptr : h;
}

int Collate(const char* a, const char* b) { return lstrcmpA(a, b); }

std::size_t CollationKey(const char* text, unsigned char* out, std::size_t size) {
    // As lstrcmpA collates: the thread's locale, the text read in the ANSI
    // code page (which may differ from the locale's own).
    const int n = LCMapStringA(GetThreadLocale(), LCMAP_SORTKEY | LOCALE_USE_CP_ACP, text, -1, reinterpret_cast<char*>(out),
                               static_cast<int>(size));
    return n > 0 ? static_cast<std::size_t>(n) : 0;
}

void Win32DirectoryPlatform::Sort(EntryTable& table) {
    SortSpec spec{settings_.SortOrder, settings_.SortKey, Collate, PlatformUpper, CollationKey};
    SortEntries(table.rows, table.EntryCount, spec);
}

const char* Win32DirectoryPlatform::ProgramFolder() { return programFolder_; }

int Win32DirectoryPlatform::ChooseDrive(void* owner, const char* title, char* choice, std::size_t size) {
    return chooser_ ? chooser_(owner, title, choice, size) : -1;
}

bool SetWorkingDirectory(const char* dir) {
    if (!SetCurrentDirectoryA(dir)) return false;
    // The system keeps the current directory of each drive in a hidden
    // environment variable "=X:"; keep it up to date for this drive.
    char actual[MAX_PATH];
    DWORD n = GetCurrentDirectoryA(sizeof actual, actual);
    if (n > 0 && n < sizeof actual && actual[1] == ':') {
        char letter = actual[0];
        if (letter >= 'a' && letter <= 'z') letter = static_cast<char>(letter - 32);
        char name[4] = {'=', letter, ':', '\0'};
        SetEnvironmentVariableA(name, actual);
    }
    return true;
}

bool Win32SettingsPlatform::MakeCurrentDirectory(const char* dir) { return SetWorkingDirectory(dir); }

bool Win32SettingsPlatform::DriveCurrentDirectory(char letter, char* out, std::size_t size) {
    char drive[3] = {letter, ':', '\0'};
    char full[MAX_PATH];
    char* filePart;
    DWORD n = GetFullPathNameA(drive, sizeof full, full, &filePart);
    if (n == 0 || n >= sizeof full) return false;
    if (std::strlen(full) + 1 > size) return false;
    std::strcpy(out, full);
    return true;
}

}  // namespace qrn
