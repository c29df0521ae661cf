#include "app/speech_win32.h"

#include <objbase.h>

#include "base/sjis.h"

namespace qrn {

bool Win32SpeechPlatform::ReaderWindowExists() {
    return FindWindowA("95Reader", nullptr) != nullptr || FindWindowA("98Reader", nullptr) != nullptr;
}

bool Win32SpeechPlatform::LoadEngine(int engine) {
    if (engine == 1) {
        if (!sound_.Loaded()) {
            const EntryPoint entries[] = {{"SoundMessage", &soundMessage_}};
            sound_ = Library("SOUNDP.DLL", entries, lifetime_);
        }
        return sound_.Loaded();
    }
    if (engine == 2) {
        if (!pctk_.Loaded()) {
            CoInitialize(nullptr);
            const EntryPoint entries[] = {{"PCTKPRead", &pctkPRead_}};
            pctk_ = Library("PCTKUsr.dll", entries, lifetime_);
        }
        return pctk_.Loaded();
    }
    return false;
}

int Win32SpeechPlatform::Call(int engine, char* text, int flag) {
    if (engine == 1 && soundMessage_) return soundMessage_(text, flag);
    if (engine == 2 && pctkPRead_) return pctkPRead_(text, flag, 1);
    return 0;
}

bool Win32SpeechPlatform::LoadNvda() {
    if (nvda_.Loaded()) return true;
    std::string folder = programFolder_;
    if (folder.empty()) {  // the running program's
        char exe[MAX_PATH];
        const DWORD n = GetModuleFileNameA(nullptr, exe, sizeof exe);
        const int slash = n > 0 && n < sizeof exe ? LastBackslash(exe) : -1;
        if (slash >= 0) folder.assign(exe, static_cast<std::size_t>(slash) + 1);
    }
    const EntryPoint entries[] = {{"nvdaController_testIfRunning", &nvdaTestIfRunning_},
                                  {"nvdaController_speakText", &nvdaSpeakText_},
                                  {"nvdaController_cancelSpeech", &nvdaCancelSpeech_}};
    for (const char* library : kNvdaLibraries)
        if (!folder.empty() && (nvda_ = Library(folder, library, entries, lifetime_)).Loaded()) return true;
    for (const char* library : kNvdaLibraries)
        if ((nvda_ = Library(library, entries, lifetime_)).Loaded()) return true;
    return false;
}

bool Win32SpeechPlatform::NvdaRunning() { return nvdaTestIfRunning_ && nvdaTestIfRunning_() == 0; }

void Win32SpeechPlatform::NvdaCancel() {
    if (nvdaCancelSpeech_) nvdaCancelSpeech_();
}

bool Win32SpeechPlatform::NvdaSpeak(const char* text) {
    if (!nvdaSpeakText_) return false;
    // The ANSI text (Shift-JIS) in UTF-16: n bytes are at most n units.
    wchar_t wide[kSpeechTextSize];
    if (MultiByteToWideChar(CP_ACP, 0, text, -1, wide, kSpeechTextSize) == 0) return true;  // not said, not refused
    return nvdaSpeakText_(wide) == 0;
}

std::uint32_t Win32SpeechPlatform::Milliseconds() { return GetTickCount(); }

void InstallSpeech() {
    static Win32SpeechPlatform platform;
    SetDefaultSpeechPlatform(&platform);
}

}  // namespace qrn
