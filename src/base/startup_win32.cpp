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

}  // namespace qrn
