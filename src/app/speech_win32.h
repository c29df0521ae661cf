// The program's own speech platform: finds the reader's window and loads the
// reader's library by its bare name (the program's folder is searched first,
// then the current directory, then the system's folders).
#pragma once
#include <windows.h>

#include "app/speech.h"

namespace qrn {

// Entry points of the two readers' libraries.
using SoundMessageProc = int(WINAPI*)(char* text, int flag);
using PctkPReadProc = int(WINAPI*)(char* text, int flag, int third);

class Win32SpeechPlatform : public SpeechPlatform {
public:
    // The program's platform keeps its library until the process ends; one
    // made with releaseOnDestroy frees it again when it goes (tests).
    explicit Win32SpeechPlatform(bool releaseOnDestroy = false) : release_(releaseOnDestroy) {}
    ~Win32SpeechPlatform() override;
    Win32SpeechPlatform(const Win32SpeechPlatform&) = delete;
    Win32SpeechPlatform& operator=(const Win32SpeechPlatform&) = delete;

    bool ReaderWindowExists() override;
    bool LoadEngine(int engine) override;
    int Call(int engine, char* text, int flag) override;

private:
    bool release_;
    HMODULE soundModule_ = nullptr;
    HMODULE pctkModule_ = nullptr;
    SoundMessageProc soundMessage_ = nullptr;
    PctkPReadProc pctkPRead_ = nullptr;
};

// Makes a Win32SpeechPlatform the program's own (called once at start).
void InstallSpeech();

}  // namespace qrn
