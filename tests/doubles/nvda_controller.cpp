// Stand-in for NVDA's controller client (built under the name of the build's
// bitness). Logs each call as a line of nvda.log beside the DLL, in UTF-8:
// "testIfRunning<TAB>answer", "cancelSpeech", "speakText<TAB>text". Every
// call answers 1722 (the RPC server is unavailable: NVDA is not running)
// while a file nvda.off lies beside the DLL, else 0.
#include "speech_log.h"

namespace {

unsigned long Answer() { return speechdouble::BesideMe("nvda.off") ? 1722 : 0; }

void Log(const char* prefix, const char* text) {
    char path[MAX_PATH];
    if (speechdouble::PathBesideMe(path, sizeof path, "nvda.log")) speechdouble::Append(path, prefix, text);
}

}  // namespace

extern "C" __declspec(dllexport) unsigned long __stdcall nvdaController_testIfRunning() {
    char answer[32];
    std::snprintf(answer, sizeof answer, "%lu", Answer());
    Log("testIfRunning\t", answer);
    return Answer();
}

extern "C" __declspec(dllexport) unsigned long __stdcall nvdaController_cancelSpeech() {
    Log("cancelSpeech", nullptr);
    return Answer();
}

extern "C" __declspec(dllexport) unsigned long __stdcall nvdaController_speakText(const wchar_t* text) {
    char utf8[1024] = "";
    if (text && !WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr)) {
        std::snprintf(utf8, sizeof utf8, "(not UTF-16)");
    }
    Log("speakText\t", utf8);
    return Answer();
}
