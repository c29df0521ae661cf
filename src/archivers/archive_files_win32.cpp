#include "archivers/archive_files_win32.h"

#include <algorithm>
#include <cstring>

#include "archivers/archivers_texts.h"
#include "base/sjis.h"

namespace qrn {

namespace {

class FileSource final : public ByteSource {
public:
    explicit FileSource(HANDLE h) : h_(h) {}
    ~FileSource() override { CloseHandle(h_); }
    long long Read(void* out, std::size_t size) override {
        DWORD n = 0;
        if (!ReadFile(h_, out, static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30)), &n, nullptr)) return -1;
        return n;
    }
    bool Size(std::uint64_t& size) override {
        LARGE_INTEGER n;
        return GetFileSizeEx(h_, &n) ? (size = static_cast<std::uint64_t>(n.QuadPart), true) : false;
    }
    bool Seek(std::uint64_t at) override {
        LARGE_INTEGER to;
        to.QuadPart = static_cast<LONGLONG>(at);
        return SetFilePointerEx(h_, to, nullptr, FILE_BEGIN) != FALSE;
    }

private:
    HANDLE h_;
};

// A file that replaces another is written under a temporary name in the
// target's directory and then moved over it in one step; a file where none
// was is written in place (temp is the path itself) and removed again
// unless it is finished.
class PendingFile final : public NewFile {
public:
    PendingFile(HANDLE h, std::string temp, std::string path) : h_(h), temp_(std::move(temp)), path_(std::move(path)) {}
    ~PendingFile() override {
        if (h_ != INVALID_HANDLE_VALUE) CloseHandle(h_);
        if (!committed_) DeleteFileA(temp_.c_str());
    }
    bool Write(const void* data, std::size_t size) override {
        DWORD n = 0;
        return WriteFile(h_, data, static_cast<DWORD>(size), &n, nullptr) && n == size;
    }
    bool WriteAt(std::uint64_t at, const void* data, std::size_t size) override {
        LARGE_INTEGER to, end{};
        to.QuadPart = static_cast<LONGLONG>(at);
        return SetFilePointerEx(h_, to, nullptr, FILE_BEGIN) && Write(data, size) &&
               SetFilePointerEx(h_, end, nullptr, FILE_END);
    }
    void SetTime(std::int64_t unixTime) override {
        const std::int64_t ticks = (unixTime + 11644473600LL) * 10000000;
        const FILETIME t{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
        time_ = t, timed_ = true;
    }
    void SetLocalTime(std::uint16_t date, std::uint16_t time) override {
        FILETIME local;
        timed_ = DosDateTimeToFileTime(date, time, &local) && LocalFileTimeToFileTime(&local, &time_);
    }
    bool Commit() override {
        // The time goes on last, after every write; the rename keeps it.
        if (timed_) SetFileTime(h_, nullptr, nullptr, &time_);
        // Flushed before it replaces an old file (a new one need not wait).
        const bool inPlace = temp_ == path_;
        const bool flushed = inPlace || FlushFileBuffers(h_) != FALSE;
        const bool closed = CloseHandle(h_) != FALSE;
        h_ = INVALID_HANDLE_VALUE;
        committed_ = flushed && closed && (inPlace || MoveFileExA(temp_.c_str(), path_.c_str(), MOVEFILE_REPLACE_EXISTING));
        return committed_;
    }

private:
    HANDLE h_;
    std::string temp_, path_;
    FILETIME time_{};
    bool timed_ = false, committed_ = false;
};

constexpr DWORD kKeptAttributes =
    FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;

std::int64_t UnixTime(const FILETIME& t) {
    const std::int64_t ticks = (static_cast<std::int64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    return ticks / 10000000 - 11644473600LL;
}

FoundEntry EntryOf(const WIN32_FIND_DATAA& d) {
    FoundEntry e;
    e.name = d.cFileName;
    e.directory = (d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    e.size = e.directory ? 0 : (static_cast<std::uint64_t>(d.nFileSizeHigh) << 32 | d.nFileSizeLow);
    e.unixTime = UnixTime(d.ftLastWriteTime);
    e.attributes = d.dwFileAttributes & kKeptAttributes;
    return e;
}

// The path the system resolves for an open handle of path, links followed; "" when it cannot tell.
std::string Resolved(const std::string& path) {
    using FinalPathFn = DWORD(WINAPI*)(HANDLE, LPSTR, DWORD, DWORD);
    static const FinalPathFn final = reinterpret_cast<FinalPathFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetFinalPathNameByHandleA")));
    char out[MAX_PATH * 2];
    DWORD n = 0;
    if (final) {
        HANDLE h = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (h == INVALID_HANDLE_VALUE) return "";
        n = final(h, out, sizeof out, 0);
        CloseHandle(h);
    } else {  // before Vista: the full path, a link told by its attribute
        const DWORD a = GetFileAttributesA(path.c_str());
        if (a == INVALID_FILE_ATTRIBUTES || (a & FILE_ATTRIBUTE_REPARSE_POINT)) return "";
        n = GetFullPathNameA(path.c_str(), sizeof out, out, nullptr);
    }
    std::string r = n > 0 && n < sizeof out ? std::string(out, n) : std::string();
    if (!r.empty() && !EndsWithBackslash(r.c_str())) r += '\\';
    return r;
}

}  // namespace

std::unique_ptr<ByteSource> Win32ArchiveFiles::Open(const std::string& path) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    return h == INVALID_HANDLE_VALUE ? nullptr : std::make_unique<FileSource>(h);
}

std::unique_ptr<NewFile> Win32ArchiveFiles::Create(const std::string& path) {
    const int slash = LastBackslash(path.c_str());
    const std::string dir = slash >= 0 ? path.substr(0, static_cast<std::size_t>(slash) + 1) : std::string(".\\");
    auto taken = [] { return GetLastError() == ERROR_FILE_EXISTS || GetLastError() == ERROR_ALREADY_EXISTS; };
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h != INVALID_HANDLE_VALUE) return std::make_unique<PendingFile>(h, path, path);
    if (!taken()) return nullptr;
    // An old file is there: a name of its own beside it, "QRN" and a number, ".TMP".
    static unsigned next = GetTickCount();
    for (int tries = 0; tries < 100; ++tries) {
        const std::string temp = dir + "QRN" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(next++) + ".TMP";
        if (temp.size() >= MAX_PATH) return nullptr;
        h = CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE) return std::make_unique<PendingFile>(h, temp, path);
        if (!taken()) return nullptr;
    }
    return nullptr;
}

bool Win32ArchiveFiles::MakeDirectories(const std::string& path) {
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (IsLeadByte(path[i])) {
            ++i;
            continue;
        }
        if (path[i] != '\\' || i < 1 || path[i - 1] == ':') continue;
        const std::string dir = path.substr(0, i);
        if (!CreateDirectoryA(dir.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) return false;
    }
    const DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

void Win32ArchiveFiles::SetAttributes(const std::string& path, std::uint32_t attributes) {
    const DWORD kept = attributes & kKeptAttributes;
    SetFileAttributesA(path.c_str(), kept ? kept : FILE_ATTRIBUTE_NORMAL);
}

bool Win32ArchiveFiles::Find(const std::string& path, FoundEntry& e) {
    std::string p = path;
    if (p.size() > 3 && EndsWithBackslash(p.c_str())) p.pop_back();
    WIN32_FIND_DATAA d;
    HANDLE h = FindFirstFileA(p.c_str(), &d);
    if (h == INVALID_HANDLE_VALUE) {  // a drive root or "." is no entry of a directory
        const DWORD a = GetFileAttributesA(path.c_str());
        if (a == INVALID_FILE_ATTRIBUTES) return false;
        e = FoundEntry{path, (a & FILE_ATTRIBUTE_DIRECTORY) != 0, 0, 0};
        return true;
    }
    FindClose(h);
    e = EntryOf(d);
    return true;
}

bool Win32ArchiveFiles::List(const std::string& dir, std::vector<FoundEntry>& entries) {
    WIN32_FIND_DATAA d;
    HANDLE h = FindFirstFileA((dir + "\\*").c_str(), &d);
    if (h == INVALID_HANDLE_VALUE) return false;
    do {
        if (std::strcmp(d.cFileName, ".") != 0 && std::strcmp(d.cFileName, "..") != 0) entries.push_back(EntryOf(d));
    } while (FindNextFileA(h, &d));
    FindClose(h);
    return true;
}

bool Win32ArchiveFiles::Inside(const std::string& path, const std::string& top) {
    const std::string p = Resolved(path), t = Resolved(top);
    return !p.empty() && !t.empty() && p.size() >= t.size() && CompareNoCase(p.substr(0, t.size()).c_str(), t.c_str()) == 0;
}

bool Win32ArchiveFiles::SameFile(const std::string& a, const std::string& b) {
    const std::string ra = Resolved(a), rb = Resolved(b);
    return !ra.empty() && CompareNoCase(ra.c_str(), rb.c_str()) == 0;
}

std::string Win32ArchiveFiles::FromUtf8(const std::string& utf8) {
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring w(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), w.data(), n);
    const int m = WideCharToMultiByte(CP_ACP, 0, w.data(), n, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(m), '\0');
    WideCharToMultiByte(CP_ACP, 0, w.data(), n, out.data(), m, nullptr, nullptr);
    return out;
}

void Win32ArchiveFiles::Tell(const std::string& text) {
    MessageBoxA(owner_, text.c_str(), kArchiverTitle, MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace qrn
