#include "fileops/file_system_win32.h"

#include <windows.h>

#include <shellapi.h>

#include <cstring>
#include <string>
#include <vector>

#include "base/sjis.h"
#include "fileops/copy_engine.h"
#include "fileops/transfer.h"
#include "listing/dir_reader.h"
#include "listing/dir_platform_win32.h"

namespace qrn {

namespace {

HANDLE AsHandle(FileHandle h) { return reinterpret_cast<HANDLE>(h); }
FileHandle AsFile(HANDLE h) { return h == INVALID_HANDLE_VALUE ? kNoFile : reinterpret_cast<FileHandle>(h); }

std::uint64_t Join(DWORD high, DWORD low) { return (static_cast<std::uint64_t>(high) << 32) | low; }

// Opens path for asking about it (a directory too), following links.
HANDLE OpenToAsk(const std::string& path) {
    return CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

using FinalPathFn = DWORD(WINAPI*)(HANDLE, LPSTR, DWORD, DWORD);

// GetFinalPathNameByHandleA where the system has it (not before Vista).
FinalPathFn FinalPathName() {
    static const FinalPathFn fn = reinterpret_cast<FinalPathFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetFinalPathNameByHandleA")));
    return fn;
}

// NtQueryInformationFile of one information class, where the system has it.
bool QueryFile(HANDLE h, void* out, ULONG size, ULONG informationClass) {
    using QueryFn = LONG(WINAPI*)(HANDLE, void*, void*, ULONG, ULONG);
    static const QueryFn query = reinterpret_cast<QueryFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationFile")));
    struct { ULONG_PTR status, information; } io{};
    return query && query(h, &io, out, size, informationClass) == 0;
}

// The file index (FileInternalInformation) where the system answers it.
bool FileIndex(HANDLE h, std::uint64_t& index) {
    LARGE_INTEGER value{};
    constexpr ULONG kFileInternalInformation = 6;
    if (!QueryFile(h, &value, sizeof value, kFileInternalInformation)) return false;
    index = static_cast<std::uint64_t>(value.QuadPart);
    return true;
}

// Where a serial number is kept for path: the directory it is in (the
// whole directory lies on one volume); "" when it must be asked itself, as
// a link or a mount point may lead onto another volume.
std::string SerialKey(const std::string& path) {
    char full[MAX_PATH * 2];
    const DWORD n = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
    if (n == 0 || n >= sizeof full) return "";
    const DWORD a = GetFileAttributesA(full);
    if (a == INVALID_FILE_ATTRIBUTES || (a & FILE_ATTRIBUTE_REPARSE_POINT)) return "";
    std::string p(full);
    if (p.size() > 3 && EndsWithBackslash(p.c_str())) p.pop_back();
    const int slash = LastBackslash(p.c_str());
    return slash < 2 || static_cast<std::size_t>(slash) + 1 >= p.size() ? "" : p.substr(0, static_cast<std::size_t>(slash) + 1);
}

// The volume serial numbers the system gave for entries of a directory,
// kept a moment: asking it costs more than opening the file.
struct KnownSerial {
    std::string root;
    std::uint32_t serial;
    DWORD at;
};
std::vector<KnownSerial> g_serials;
constexpr std::size_t kSerialsKept = 64;

bool CachedSerial(const std::string& root, std::uint32_t& serial) {
    const DWORD now = GetTickCount();
    for (const KnownSerial& k : g_serials) {
        if (now - k.at < 2000 && k.root.size() == root.size() && CompareNoCase(k.root.c_str(), root.c_str()) == 0) {
            serial = k.serial;
            return true;
        }
    }
    return false;
}

void KeepSerial(const std::string& root, std::uint32_t serial) {
    std::erase_if(g_serials, [&](const KnownSerial& k) { return CompareNoCase(k.root.c_str(), root.c_str()) == 0; });
    if (g_serials.size() >= kSerialsKept) g_serials.erase(g_serials.begin());
    g_serials.push_back({root, serial, GetTickCount()});
}

std::string Parent(const std::string& path) {
    const int slash = LastBackslash(path.c_str());
    return slash < 0 ? std::string() : path.substr(0, static_cast<std::size_t>(slash));
}

}  // namespace

FileStat Win32FileSystem::Stat(const std::string& path) {
    FileStat st;
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) {
        error_ = GetLastError();
        return st;
    }
    st.exists = true;
    st.attributes = data.dwFileAttributes;
    st.size = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? 0 : Join(data.nFileSizeHigh, data.nFileSizeLow);
    st.writeTime = Join(data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime);
    FILETIME local;
    WORD date = 0, time = 0;
    if (FileTimeToLocalFileTime(&data.ftLastWriteTime, &local) && FileTimeToDosDateTime(&local, &date, &time)) {
        st.date = date;
        st.time = time;
    }
    return st;
}

bool Win32FileSystem::Identity(const std::string& path, FileId& id) {
    HANDLE h = OpenToAsk(path);
    if (h == INVALID_HANDLE_VALUE) {
        error_ = GetLastError();
        return false;
    }
    // The file's index alone is cheap to ask; the volume's serial number is
    // not, and is taken over from an earlier entry of the same directory.
    std::uint64_t index = 0;
    std::uint32_t volume = 0;
    const std::string root = SerialKey(path);
    bool ok = !root.empty() && FileIndex(h, index) && CachedSerial(root, volume);
    if (!ok) {
        BY_HANDLE_FILE_INFORMATION info;
        ok = GetFileInformationByHandle(h, &info) != 0;
        if (ok) {
            index = Join(info.nFileIndexHigh, info.nFileIndexLow), volume = info.dwVolumeSerialNumber;
            if (!root.empty()) KeepSerial(root, volume);
        } else {
            error_ = GetLastError();
        }
    }
    CloseHandle(h);
    // Some file systems answer no index at all (0, or all ones): nothing is known then.
    if (!ok || index == 0 || index == ~std::uint64_t{0}) return false;
    id.volume = volume;
    id.index = index;
    return true;
}

std::string Win32FileSystem::RealPath(const std::string& path) {
    std::string full = path;
    char buffer[MAX_PATH * 2];
    DWORD n = GetFullPathNameA(path.c_str(), sizeof buffer, buffer, nullptr);
    if (n > 0 && n < sizeof buffer) full = buffer;
    if (!FinalPathName()) return full;
    HANDLE h = OpenToAsk(path);
    if (h == INVALID_HANDLE_VALUE) return full;
    n = FinalPathName()(h, buffer, sizeof buffer, 0);
    CloseHandle(h);
    if (n == 0 || n >= sizeof buffer) return full;
    std::string real(buffer, n);
    if (real.compare(0, 8, "\\\\?\\UNC\\") == 0) return "\\\\" + real.substr(8);
    if (real.compare(0, 4, "\\\\?\\") == 0) return real.substr(4);
    return real;
}

std::uint64_t Win32FileSystem::FreeBytes(const std::string& path) {
    // Asked of the folder the target goes into, as a volume mounted on a
    // folder has room of its own; what this user may still write.
    using FreeSpaceEx = BOOL(WINAPI*)(LPCSTR, PULARGE_INTEGER, PULARGE_INTEGER, PULARGE_INTEGER);
    static const FreeSpaceEx query = reinterpret_cast<FreeSpaceEx>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetDiskFreeSpaceExA")));
    const std::string dir = DirectoryPart(path);
    ULARGE_INTEGER avail, total, free;
    if (query && !dir.empty() && query(dir.c_str(), &avail, &total, &free)) return avail.QuadPart;
    DiskFigures figures;
    return QueryDiskSpace(path.c_str(), figures);
}

bool Win32FileSystem::List(const std::string& dir, std::vector<DirItem>& items) {
    items.clear();
    WIN32_FIND_DATAA found;
    HANDLE h = FindFirstFileA((dir + "*.*").c_str(), &found);
    if (h == INVALID_HANDLE_VALUE) {
        error_ = GetLastError();
        return error_ == ERROR_FILE_NOT_FOUND;
    }
    do {
        if (!std::strcmp(found.cFileName, ".") || !std::strcmp(found.cFileName, "..")) continue;
        FoundRecord rec;
        FillEntry(found, rec);  // a name the code page cannot carry becomes its short form
        items.push_back({rec.name, rec.attributes, rec.size,
                         Join(found.ftLastWriteTime.dwHighDateTime, found.ftLastWriteTime.dwLowDateTime), rec.date,
                         rec.time, true});
    } while (FindNextFileA(h, &found));
    const DWORD ended = GetLastError();  // a listing cut short is no listing
    FindClose(h);
    if (ended == ERROR_NO_MORE_FILES) return true;
    error_ = ended;
    return false;
}

bool Win32FileSystem::MakeDirectory(const std::string& path) {
    if (CreateDirectoryA(path.c_str(), nullptr)) return true;
    error_ = GetLastError();
    return false;
}

bool Win32FileSystem::RemoveDir(const std::string& path) {
    if (RemoveDirectoryA(path.c_str())) return true;
    error_ = GetLastError();
    return false;
}

bool Win32FileSystem::IsLink(const std::string& path, std::uint32_t attributes) {
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return true;
    const DWORD current = GetFileAttributesA(path.c_str());
    if (current != INVALID_FILE_ATTRIBUTES && (current & FILE_ATTRIBUTE_REPARSE_POINT)) return true;
    // Resolved, an entry of its own is its resolved parent and its name (a
    // link made outside the system carries no attribute that tells it).
    if (!FinalPathName()) return false;
    const std::string parent = Parent(path);
    if (parent.empty()) return false;
    // The parent's resolved path is kept a moment: its entries are asked in turn.
    const DWORD now = GetTickCount();
    if (parent != linkParent_ || now - linkParentAt_ > 1000) {
        linkParent_ = parent;
        linkParentReal_ = RealPath(parent.size() == 2 ? parent + "\\" : parent);
        if (!EndsWithBackslash(linkParentReal_.c_str())) linkParentReal_ += "\\";
        linkParentAt_ = now;
    }
    const std::string real = RealPath(path);
    std::string expected = linkParentReal_ + path.substr(parent.size() + 1);
    if (CompareNoCase(real.c_str(), expected.c_str()) == 0) return false;
    // A short name resolves to the long one: that is the entry itself.
    char longName[MAX_PATH * 2];
    const DWORD n = GetLongPathNameA(path.c_str(), longName, sizeof longName);
    if (n == 0 || n >= sizeof longName) return true;
    const int slash = LastBackslash(longName);
    expected = linkParentReal_ + (longName + (slash < 0 ? 0 : slash + 1));
    return CompareNoCase(real.c_str(), expected.c_str()) != 0;
}

bool Win32FileSystem::RemoveLink(const std::string& path) {
    // Opened as the link itself and deleted through that handle, but only
    // when the system did open the link: one that follows it anyway (Wine
    // with a link made on the Linux side) gives the same file as the plain
    // open, and deleting would reach what the link points to.
    const DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    HANDLE link = CreateFileA(path.c_str(), DELETE, share, nullptr, OPEN_EXISTING,
                              FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (link == INVALID_HANDLE_VALUE) {
        error_ = GetLastError();
        return false;
    }
    bool itself = false;
    BY_HANDLE_FILE_INFORMATION a, b;
    if (GetFileInformationByHandle(link, &a)) {
        HANDLE followed = OpenToAsk(path);
        if (followed == INVALID_HANDLE_VALUE) {
            itself = true;  // what it points to is not there: the handle is the link's
        } else {
            itself = GetFileInformationByHandle(followed, &b) &&
                     (a.nFileIndexHigh != b.nFileIndexHigh || a.nFileIndexLow != b.nFileIndexLow ||
                      a.dwVolumeSerialNumber != b.dwVolumeSerialNumber);
            CloseHandle(followed);
        }
    }
    bool removed = false;
    if (itself) {
        using SetInfoFn = LONG(WINAPI*)(HANDLE, void*, void*, ULONG, ULONG);
        static const SetInfoFn set = reinterpret_cast<SetInfoFn>(
            reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtSetInformationFile")));
        struct { ULONG_PTR status, information; } io{};
        BOOLEAN dispose = TRUE;
        constexpr ULONG kFileDispositionInformation = 13;
        removed = set && set(link, &io, &dispose, sizeof dispose, kFileDispositionInformation) == 0;
    }
    CloseHandle(link);
    if (removed) return true;
    error_ = ERROR_NOT_SUPPORTED;
    return false;
}

std::uint64_t Win32FileSystem::AllocatedSize(const std::string& path, std::uint64_t size) {
    HANDLE h = OpenToAsk(path);
    if (h == INVALID_HANDLE_VALUE) return size;
    struct { LARGE_INTEGER allocation, end; ULONG links; BOOLEAN deleting, directory; } standard{};
    constexpr ULONG kFileStandardInformation = 5;
    const bool ok = QueryFile(h, &standard, sizeof standard, kFileStandardInformation);
    CloseHandle(h);
    if (!ok || standard.allocation.QuadPart < 0) return size;
    return static_cast<std::uint64_t>(standard.allocation.QuadPart);
}

bool Win32FileSystem::RemoveFile(const std::string& path) {
    if (DeleteFileA(path.c_str())) return true;
    error_ = GetLastError();
    return false;
}

bool Win32FileSystem::Recycle(const std::string& path) {
    // Only where the volume has a bin; where the shell would still delete for
    // good it asks first rather than doing so silently.
    SHQUERYRBINFO info{};
    info.cbSize = sizeof info;
    std::string from = path;
    from.push_back('\0');  // a list of one, ended by a second NUL
    SHFILEOPSTRUCTA op{};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI | FOF_WANTNUKEWARNING;
    if (FAILED(SHQueryRecycleBinA(path.c_str(), &info)) || SHFileOperationA(&op) != 0 || op.fAnyOperationsAborted) {
        error_ = kErrAccessDenied;
        return false;
    }
    return true;
}

bool Win32FileSystem::SetAttributes(const std::string& path, std::uint32_t attributes) {
    if (SetFileAttributesA(path.c_str(), attributes)) return true;
    error_ = GetLastError();
    return false;
}

bool Win32FileSystem::Rename(const std::string& from, const std::string& to) {
    // Never the system's copy across volumes: it leaves what it managed to
    // write when the other volume is full (the engine copies instead).
    if (MoveFileExA(from.c_str(), to.c_str(), 0)) return true;
    error_ = GetLastError();
    if (error_ != ERROR_CALL_NOT_IMPLEMENTED) return false;
    if (!SameDrive(from, to)) return error_ = ERROR_NOT_SAME_DEVICE, false;  // Windows 9x
    if (MoveFileA(from.c_str(), to.c_str())) return true;
    error_ = GetLastError();
    return false;
}

bool Win32FileSystem::Replace(const std::string& from, const std::string& to) {
    if (MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING)) return true;
    error_ = GetLastError();
    if (error_ != ERROR_CALL_NOT_IMPLEMENTED) return false;
    // No MoveFileEx (Windows 9x): the old file goes only now that the new one is whole.
    if (DeleteFileA(to.c_str()) && MoveFileA(from.c_str(), to.c_str())) return true;
    error_ = GetLastError();
    return false;
}

bool Win32FileSystem::SetLabel(const std::string& root, const std::string& label) {
    // An empty label removes it (some systems take no null label).
    if (SetVolumeLabelA(root.c_str(), label.c_str())) return true;
    error_ = GetLastError();
    return false;
}

namespace {

FILETIME ToFileTime(std::uint64_t t) { return {static_cast<DWORD>(t), static_cast<DWORD>(t >> 32)}; }

// Opened only to ask or set its times: a directory too, and while other
// programs have it open.
HANDLE OpenForTimes(const std::string& path, DWORD access) {
    return CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

}  // namespace

bool Win32FileSystem::GetTimes(const std::string& path, FileTimes& times) {
    HANDLE h = OpenForTimes(path, FILE_READ_ATTRIBUTES);
    FILETIME c, a, w;
    const bool ok = h != INVALID_HANDLE_VALUE && GetFileTime(h, &c, &a, &w);
    if (!ok) error_ = GetLastError();
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    if (!ok) return false;
    times.creation = Join(c.dwHighDateTime, c.dwLowDateTime);
    times.lastWrite = Join(w.dwHighDateTime, w.dwLowDateTime);
    times.lastAccess = Join(a.dwHighDateTime, a.dwLowDateTime);
    return true;
}

bool Win32FileSystem::SetTimes(const std::string& path, const FileTimes& times) {
    HANDLE h = OpenForTimes(path, FILE_WRITE_ATTRIBUTES);
    const FILETIME c = ToFileTime(times.creation), a = ToFileTime(times.lastAccess), w = ToFileTime(times.lastWrite);
    // A null time is the one the system leaves as it is.
    const bool ok = h != INVALID_HANDLE_VALUE && SetFileTime(h, times.creation ? &c : nullptr,
                                                             times.lastAccess ? &a : nullptr,
                                                             times.lastWrite ? &w : nullptr);
    if (!ok) error_ = GetLastError();
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    return ok;
}

FileHandle Win32FileSystem::OpenRead(const std::string& path) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (h == INVALID_HANDLE_VALUE) error_ = GetLastError();
    return AsFile(h);
}

FileHandle Win32FileSystem::CreateNew(const std::string& path, std::uint32_t attributes) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, attributes | FILE_FLAG_SEQUENTIAL_SCAN,
                           nullptr);
    if (h == INVALID_HANDLE_VALUE) error_ = GetLastError();
    return AsFile(h);
}

FileHandle Win32FileSystem::OpenExisting(const std::string& path) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN,
                           nullptr);
    if (h == INVALID_HANDLE_VALUE) error_ = GetLastError();
    return AsFile(h);
}

bool Win32FileSystem::Read(FileHandle h, void* buffer, std::size_t size, std::size_t& got) {
    DWORD n = 0;
    const BOOL ok = ReadFile(AsHandle(h), buffer, static_cast<DWORD>(size), &n, nullptr);
    got = n;
    if (!ok) error_ = GetLastError();
    return ok != 0;
}

bool Win32FileSystem::Write(FileHandle h, const void* buffer, std::size_t size) {
    DWORD n = 0;
    if (WriteFile(AsHandle(h), buffer, static_cast<DWORD>(size), &n, nullptr) && n == size) return true;
    error_ = GetLastError();
    if (error_ == 0) error_ = ERROR_DISK_FULL;  // a short write: the volume is full
    return false;
}

bool Win32FileSystem::SetWriteTime(FileHandle h, std::uint64_t writeTime) {
    const FILETIME ft = ToFileTime(writeTime);
    if (SetFileTime(AsHandle(h), nullptr, nullptr, &ft)) return true;
    error_ = GetLastError();
    return false;
}

bool Win32FileSystem::Flush(FileHandle h) {
    if (FlushFileBuffers(AsHandle(h))) return true;
    error_ = GetLastError();
    return false;
}

bool Win32FileSystem::Close(FileHandle h) {
    if (h == kNoFile) return true;
    if (CloseHandle(AsHandle(h))) return true;
    error_ = GetLastError();
    return false;
}

unsigned Win32FileSystem::LastError() { return error_; }

FileSystem& SystemFileSystem() {
    static Win32FileSystem fs;
    return fs;
}

namespace {

class Win32Clock : public LocalClock {
public:
    bool ToLocal(std::uint64_t universal, CalendarTime& c) override {
        const FILETIME u = ToFileTime(universal);
        FILETIME l;
        SYSTEMTIME st;
        if (!FileTimeToLocalFileTime(&u, &l) || !FileTimeToSystemTime(&l, &st)) return false;
        c = CalendarTime{st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, st.wMilliseconds};
        return true;
    }
    bool ToUniversal(const CalendarTime& c, std::uint64_t& universal) override {
        const SYSTEMTIME st{static_cast<WORD>(c.year),   static_cast<WORD>(c.month),  0,
                            static_cast<WORD>(c.day),    static_cast<WORD>(c.hour),   static_cast<WORD>(c.minute),
                            static_cast<WORD>(c.second), static_cast<WORD>(c.milliseconds)};
        FILETIME l, u;
        if (!SystemTimeToFileTime(&st, &l) || !LocalFileTimeToFileTime(&l, &u)) return false;
        universal = Join(u.dwHighDateTime, u.dwLowDateTime);
        return true;
    }
};

}  // namespace

LocalClock& SystemClock() {
    static Win32Clock clock;
    return clock;
}

}  // namespace qrn
