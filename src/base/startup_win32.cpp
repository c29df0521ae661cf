#include "base/startup_win32.h"

#include <windows.h>

namespace qrn {

SystemVersion ReadSystemVersion() {
    SystemVersion sv{};
    OSVERSIONINFOA v{};
    v.dwOSVersionInfoSize = sizeof v;
    if (GetVersionExA(&v)) {
        sv.IsNT = v.dwPlatformId == VER_PLATFORM_WIN32_NT;
        sv.OsMajor = v.dwMajorVersion;
        sv.OsMinor = v.dwMinorVersion;
        sv.OsBuild = v.dwBuildNumber;
    }
    return sv;
}

void BuildDriveTypes(char table[26]) {
    for (int d = 0; d < 26; ++d) {
        char root[4] = {static_cast<char>('A' + d), ':', '\\', '\0'};
        table[d] = DriveTypeLetter(GetDriveTypeA(root));
    }
}

}  // namespace qrn
