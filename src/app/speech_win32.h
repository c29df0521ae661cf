// The program's own speech platform: finds the reader's window and loads the
// reader's library by its bare name (the program's folder is searched first,
// then the current directory, then the system's folders).
#pragma once
#include <windows.h>

#include <type_traits>

#include "base/speech.h"

namespace qrn {

// Entry points of the two readers' libraries.
using SoundMessageProc = int(WINAPI*)(char* text, int flag);
using PctkPReadProc = int(WINAPI*)(char* text, int flag, int third);

// The libraries are 32-bit stdcall code, whatever a 64-bit build of these
// sources (which has one calling convention only) would accept. Checked in
// the 32-bit build, which every test run compiles.
#if defined(__i386__) || defined(_M_IX86)
static_assert(std::is_same_v<SoundMessageProc, int(__stdcall*)(char*, int)>, "SoundMessage is stdcall");
static_assert(std::is_same_v<PctkPReadProc, int(__stdcall*)(char*, int, int)>, "PCTKPRead is stdcall");
static_assert(sizeof(void*) == 4 && sizeof(int) == 4, "the 32-bit product");
#endif

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
