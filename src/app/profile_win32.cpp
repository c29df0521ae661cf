#include "app/profile_win32.h"

#include <windows.h>

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
    WritePrivateProfileStringA(section, key, value, path_);
}

}  // namespace qrn
