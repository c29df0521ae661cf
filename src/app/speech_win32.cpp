#include "app/speech_win32.h"

#include <objbase.h>

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

void InstallSpeech() {
    static Win32SpeechPlatform platform;
    SetDefaultSpeechPlatform(&platform);
}

}  // namespace qrn
