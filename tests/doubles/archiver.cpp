// Stand-in for the archiver libraries, built once per library (ARCHIVER 0-4:
// UNLHA32, UNZIP32, CAB32, TAR32, ISH32; LACKING leaves out the cursor-mode
// entry). Each call is a line "<NAME> <what>" in archiver.log beside the DLL;
// while a line naming an @response file runs, that file's content is logged
// too ("<NAME> response <content>", line ends as "|"). The answers are set by
// the environment: QRN_<NAME>_VERSION (default the row's minimum),
// QRN_<NAME>_BUSY=1, QRN_<NAME>_RESULT (what each call returns, default 0).
#include <string>
#include <type_traits>

#define DOUBLE_OWN_DLLMAIN
#include "archive/archiver_entries_win32.h"
#include "speech_log.h"

#if ARCHIVER == 0
#define NAME "UNLHA32"
#define MINIMUM 38
#define VERSION_ENTRY UnlhaGetVersion
#define RUNNING_ENTRY UnlhaGetRunning
#define MAIN_ENTRY Unlha
#define BACKGROUND_ENTRY UnlhaSetBackGroundMode
#define CURSOR_ENTRY UnlhaSetCursorMode
#elif ARCHIVER == 1
#define NAME "UNZIP32"
#define MINIMUM 75
#define VERSION_ENTRY UnZipGetVersion
#define RUNNING_ENTRY UnZipGetRunning
#define MAIN_ENTRY UnZip
#define BACKGROUND_ENTRY UnZipSetBackGroundMode
#define CURSOR_ENTRY UnZipSetCursorMode
#elif ARCHIVER == 2
#define NAME "CAB32"
#define MINIMUM 50
#define VERSION_ENTRY CabGetVersion
#define RUNNING_ENTRY CabGetRunning
#define MAIN_ENTRY Cab
#define BACKGROUND_ENTRY CabSetBackGroundMode
#define CURSOR_ENTRY CabSetCursorMode
#elif ARCHIVER == 3
#define NAME "TAR32"
#define MINIMUM 15
#define VERSION_ENTRY TarGetVersion
#define RUNNING_ENTRY TarGetRunning
#define MAIN_ENTRY Tar
#define BACKGROUND_ENTRY TarSetBackGroundMode
#define CURSOR_ENTRY TarSetCursorMode
#else
#define NAME "ISH32"
#define MINIMUM 36
#define VERSION_ENTRY IshGetVersion
#define RUNNING_ENTRY IshGetRunning
#define MAIN_ENTRY IshEx
#endif

namespace {

void Log(const std::string& what) {
    char path[MAX_PATH];
    if (speechdouble::PathBesideMe(path, sizeof path, "archiver.log")) speechdouble::Append(path, NAME " ", what.c_str());
}

int Setting(const char* what, int otherwise) {
    char value[32];
    const std::string name = std::string("QRN_" NAME "_") + what;
    const DWORD n = GetEnvironmentVariableA(name.c_str(), value, sizeof value);
    return n > 0 && n < sizeof value ? std::atoi(value) : otherwise;
}

// The content of the response file a line names after its "@".
void LogResponse(const char* line) {
    const char* at = std::strrchr(line, '@');
    if (!at) return;
    std::FILE* f = std::fopen(at + 1, "rb");
    if (!f) return Log("response (none)");
    std::string text;
    for (int c; (c = std::fgetc(f)) != EOF;) text += c == '\n' ? '|' : c == '\r' ? '\0' : static_cast<char>(c);
    std::fclose(f);
    std::erase(text, '\0');
    Log("response " + text);
}

int Called(const char* line) {
    Log(std::string("call ") + line);
    LogResponse(line);
    return Setting("RESULT", 0);
}

}  // namespace

extern "C" {
__declspec(dllexport) WORD WINAPI VERSION_ENTRY() {
    Log("version");
    return static_cast<WORD>(Setting("VERSION", MINIMUM));
}
__declspec(dllexport) BOOL WINAPI RUNNING_ENTRY() {
    Log("running");
    return Setting("BUSY", 0);
}
#if ARCHIVER == 4
__declspec(dllexport) int WINAPI MAIN_ENTRY(LPCSTR line, LPSTR output, DWORD size) { return Called(line); }
static_assert(std::is_same_v<decltype(&MAIN_ENTRY), qrn::IshMainEntry>);
#else
__declspec(dllexport) int WINAPI MAIN_ENTRY(HWND, LPCSTR line, LPSTR output, DWORD size) { return Called(line); }
__declspec(dllexport) BOOL WINAPI BACKGROUND_ENTRY(BOOL mode) { return Log("background " + std::to_string(mode)), TRUE; }
static_assert(std::is_same_v<decltype(&MAIN_ENTRY), qrn::ArchiverMainEntry>);
static_assert(std::is_same_v<decltype(&BACKGROUND_ENTRY), qrn::ArchiverModeEntry>);
#ifndef LACKING
__declspec(dllexport) BOOL WINAPI CURSOR_ENTRY(BOOL mode) { return Log("cursor " + std::to_string(mode)), TRUE; }
#endif
#endif
}
static_assert(std::is_same_v<decltype(&VERSION_ENTRY), qrn::ArchiverVersionEntry>);
static_assert(std::is_same_v<decltype(&RUNNING_ENTRY), qrn::ArchiverRunningEntry>);

// Loading and release are logged as they happen.
BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) speechdouble::g_module = instance, Log("load");
    if (reason == DLL_PROCESS_DETACH) Log("release");
    return TRUE;
}
