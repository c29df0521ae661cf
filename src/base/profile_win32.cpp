#include "base/profile_win32.h"

#include <windows.h>

#include <string>
#include <vector>

namespace qrn {

int IniFileProfile::GetInt(const char* section, const char* key, int def) {
    return static_cast<int>(GetPrivateProfileIntA(section, key, def, path_));
}

std::size_t IniFileProfile::GetString(const char* section, const char* key, const char* def, char* out,
                                      std::size_t size) {
    if (size == 0) return 0;
    return GetPrivateProfileStringA(section, key, def, out, static_cast<DWORD>(size), path_);
}

void IniFileProfile::WriteString(const char* section, const char* key, const char* value) {
    ++writes_;
    if (!WritePrivateProfileStringA(section, key, value, path_)) failed_ = true;
}

bool IniFileProfile::TakeWriteFailure() {
    const bool failed = failed_;
    failed_ = false;
    return failed;
}

std::uint64_t IniFileProfile::ChangeStamp() {
    WIN32_FILE_ATTRIBUTE_DATA a;
    if (!GetFileAttributesExA(path_, GetFileExInfoStandard, &a)) return 0;
    const std::uint64_t time = static_cast<std::uint64_t>(a.ftLastWriteTime.dwHighDateTime) << 32 | a.ftLastWriteTime.dwLowDateTime;
    const std::uint64_t size = static_cast<std::uint64_t>(a.nFileSizeHigh) << 32 | a.nFileSizeLow;
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    const std::uint64_t n = static_cast<std::uint64_t>(now.dwHighDateTime) << 32 | now.dwLowDateTime;
    if (n < time + 20000000ull) return 0;  // in 100 ns units
    const std::uint64_t stamp = time ^ (size * 0x9E3779B97F4A7C15ull) ^ (writes_ << 48);
    return stamp ? stamp : 1;
}

std::vector<std::string> IniFileProfile::SectionKeys(const char* section) {
    // The system cuts a list that does not fit and then answers the buffer's
    // size less 2: try again with a larger one, so that no key is left out.
    std::vector<char> list(256);
    for (;;) {
        const DWORD n = GetPrivateProfileStringA(section, nullptr, "", list.data(), static_cast<DWORD>(list.size()),
                                                 path_);
        if (n + 2 < list.size()) break;
        list.assign(list.size() * 2, '\0');
    }
    std::vector<std::string> keys;
    for (const char* key = list.data(); *key != '\0'; key += lstrlenA(key) + 1) keys.emplace_back(key);
    return keys;
}

}  // namespace qrn
