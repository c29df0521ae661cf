// What the main entries of QRN's own archiver libraries share: one command
// line run on the real files, the running flag up while it runs.
#pragma once
#include <windows.h>

#include <type_traits>

#include "archive/archiver_entries_win32.h"

#include "archivers/archive_files_win32.h"

namespace qrn {

inline bool g_archiverRunning = false;

inline int RunArchiverLine(HWND owner, LPCSTR line, LPSTR output, DWORD size, int (*run)(ArchiveFiles&, const char*)) {
    if (output && size) output[0] = '\0';
    if (!line || g_archiverRunning) return 1;
    g_archiverRunning = true;
    Win32ArchiveFiles files(owner);
    const int result = run(files, line);
    g_archiverRunning = false;
    return result;
}

}  // namespace qrn

// The entry points of a library's row, exported under their plain names
// (Name, NameGetVersion, NameGetRunning, NameSetBackGroundMode,
// NameSetCursorMode) with the types the binding calls them through; the
// main entry runs run(files, line).
#define QRN_ARCHIVER_ENTRIES(Name, run)                                                                        \
    extern "C" {                                                                                              \
    __declspec(dllexport) WORD WINAPI Name##GetVersion() { return 100; }                                     \
    __declspec(dllexport) BOOL WINAPI Name##GetRunning() { return qrn::g_archiverRunning; }                  \
    __declspec(dllexport) BOOL WINAPI Name##SetBackGroundMode(BOOL) { return TRUE; }                         \
    __declspec(dllexport) BOOL WINAPI Name##SetCursorMode(BOOL) { return TRUE; }                             \
    __declspec(dllexport) int WINAPI Name(HWND owner, LPCSTR line, LPSTR output, DWORD size) {               \
        return qrn::RunArchiverLine(owner, line, output, size, run);                                          \
    }                                                                                                         \
    }                                                                                                         \
    static_assert(std::is_same_v<decltype(&Name##GetVersion), qrn::ArchiverVersionEntry>);                   \
    static_assert(std::is_same_v<decltype(&Name##GetRunning), qrn::ArchiverRunningEntry>);                   \
    static_assert(std::is_same_v<decltype(&Name##SetBackGroundMode), qrn::ArchiverModeEntry>);               \
    static_assert(std::is_same_v<decltype(&Name), qrn::ArchiverMainEntry>)
