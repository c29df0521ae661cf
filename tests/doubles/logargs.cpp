// Stand-in for a program started by name: appends its command line to the
// file named by the environment variable QRN_DOUBLE_LOG (or logargs.log in
// its own folder) and ends.
#include <windows.h>

#include <cstdio>
#include <cstring>

int main() {
    char log[MAX_PATH];
    DWORD n = GetEnvironmentVariableA("QRN_DOUBLE_LOG", log, sizeof log);
    if (n == 0 || n >= sizeof log) {
        n = GetModuleFileNameA(nullptr, log, sizeof log);
        char* slash = std::strrchr(log, '\\');
        if (!slash || static_cast<std::size_t>(slash - log) + 12 > sizeof log) return 1;
        std::strcpy(slash + 1, "logargs.log");
    }
    std::FILE* f = std::fopen(log, "ab");
    if (!f) return 1;
    std::fprintf(f, "%s\n", GetCommandLineA());
    std::fclose(f);
    return 0;
}
