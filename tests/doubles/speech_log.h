// Shared by the stand-ins of the screen readers' libraries: each call is one
// line in the file named by QRN_SPEECH_LOG, or in speech.log beside the DLL
// (NVDA's client writes nvda.log beside itself).
#pragma once
#include <windows.h>

#include <cstdio>
#include <cstring>

namespace speechdouble {

inline HINSTANCE g_module = nullptr;

// The DLL's own folder with a trailing backslash, or "" when unknown.
inline void OwnFolder(char* out, DWORD size) {
    out[0] = '\0';
    DWORD n = GetModuleFileNameA(g_module, out, size);
    if (n == 0 || n >= size) {
        out[0] = '\0';
        return;
    }
    char* slash = std::strrchr(out, '\\');
    if (slash) slash[1] = '\0';
    else out[0] = '\0';
}

// The path of name in the DLL's folder; false when there is none.
inline bool PathBesideMe(char* path, DWORD size, const char* name) {
    OwnFolder(path, size);
    if (!path[0] || std::strlen(path) + std::strlen(name) >= size) return false;
    std::strcat(path, name);
    return true;
}

// True when name exists in the DLL's folder.
inline bool BesideMe(const char* name) {
    char path[MAX_PATH];
    return PathBesideMe(path, sizeof path, name) && GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

// Appends "<prefix><text>\n" to the file at path, text as the bytes it was given.
inline void Append(const char* path, const char* prefix, const char* text) {
    std::FILE* f = std::fopen(path, "ab");
    if (!f) return;
    std::fputs(prefix, f);
    if (text) std::fputs(text, f);
    std::fputc('\n', f);
    std::fclose(f);
}

// Appends "<prefix><text>\n" to the speech log.
inline void Log(const char* prefix, const char* text) {
    char path[MAX_PATH];
    DWORD n = GetEnvironmentVariableA("QRN_SPEECH_LOG", path, sizeof path);
    if ((n == 0 || n >= sizeof path) && !PathBesideMe(path, sizeof path, "speech.log")) return;
    Append(path, prefix, text);
}

}  // namespace speechdouble

#ifndef DOUBLE_OWN_DLLMAIN  // a stand-in that logs its loading has its own
BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) speechdouble::g_module = instance;
    return TRUE;
}
#endif
