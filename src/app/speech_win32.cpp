#include "app/speech_win32.h"

#include <objbase.h>

#include <cstring>

#include "base/sjis.h"

namespace qrn {

namespace {

// GetProcAddress gives a generic function pointer; the entry point's real
// type is known from its name.
template <typename Proc>
Proc EntryPoint(HMODULE module, const char* name) {
    FARPROC p = GetProcAddress(module, name);
    return reinterpret_cast<Proc>(reinterpret_cast<void (*)()>(p));
}

}  // namespace

Win32SpeechPlatform::~Win32SpeechPlatform() {
    if (!release_) return;
    if (soundModule_) FreeLibrary(soundModule_);
    if (pctkModule_) FreeLibrary(pctkModule_);
    if (nvdaModule_) FreeLibrary(nvdaModule_);
}

bool Win32SpeechPlatform::ReaderWindowExists() {
    return FindWindowA("95Reader", nullptr) != nullptr || FindWindowA("98Reader", nullptr) != nullptr;
}

bool Win32SpeechPlatform::LoadEngine(int engine) {
    if (engine == 1) {
        if (soundMessage_) return true;
        soundModule_ = LoadLibraryA("SOUNDP.DLL");
        if (soundModule_) soundMessage_ = EntryPoint<SoundMessageProc>(soundModule_, "SoundMessage");
        if (soundMessage_) return true;
        if (soundModule_) FreeLibrary(soundModule_);
        soundModule_ = nullptr;
    } else if (engine == 2) {
        if (pctkPRead_) return true;
        CoInitialize(nullptr);
        pctkModule_ = LoadLibraryA("PCTKUsr.dll");
        if (pctkModule_) pctkPRead_ = EntryPoint<PctkPReadProc>(pctkModule_, "PCTKPRead");
        if (pctkPRead_) return true;
        if (pctkModule_) FreeLibrary(pctkModule_);
        pctkModule_ = nullptr;
    }
    return false;
}

int Win32SpeechPlatform::Call(int engine, char* text, int flag) {
    if (engine == 1 && soundMessage_) return soundMessage_(text, flag);
    if (engine == 2 && pctkPRead_) return pctkPRead_(text, flag, 1);
    return 0;
}

bool Win32SpeechPlatform::TakeNvda(const char* library) {
    nvdaModule_ = LoadLibraryA(library);
    if (!nvdaModule_) return false;
    nvdaTestIfRunning_ = EntryPoint<NvdaTestIfRunningProc>(nvdaModule_, "nvdaController_testIfRunning");
    nvdaSpeakText_ = EntryPoint<NvdaSpeakTextProc>(nvdaModule_, "nvdaController_speakText");
    nvdaCancelSpeech_ = EntryPoint<NvdaCancelSpeechProc>(nvdaModule_, "nvdaController_cancelSpeech");
    if (nvdaTestIfRunning_ && nvdaSpeakText_ && nvdaCancelSpeech_) return true;
    FreeLibrary(nvdaModule_);
    nvdaModule_ = nullptr;
    nvdaTestIfRunning_ = nullptr, nvdaSpeakText_ = nullptr, nvdaCancelSpeech_ = nullptr;
    return false;
}

bool Win32SpeechPlatform::LoadNvda() {
    if (nvdaModule_) return true;
    std::string folder = programFolder_;
    if (folder.empty()) {  // the running program's
        char exe[MAX_PATH];
        const DWORD n = GetModuleFileNameA(nullptr, exe, sizeof exe);
        const int slash = n > 0 && n < sizeof exe ? LastBackslash(exe) : -1;
        if (slash >= 0) folder.assign(exe, static_cast<std::size_t>(slash) + 1);
    }
    for (const char* library : kNvdaLibraries)
        if (!folder.empty() && folder.size() + std::strlen(library) < MAX_PATH && TakeNvda((folder + library).c_str()))
            return true;
    for (const char* library : kNvdaLibraries)
        if (TakeNvda(library)) return true;
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
