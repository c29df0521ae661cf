// The program's own speech platform: finds the reader's window and loads the
// reader's library by its bare name (the program's folder is searched first,
// then the current directory, then the system's folders). NVDA's controller
// client, which comes with NVDA's developer kit and is not part of QRN, is
// taken from the program's folder, else from the same search path: the name
// of this build's bitness first, then the plain one.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <type_traits>
#include <utility>

#include "base/library_win32.h"
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

// NVDA's controller client: undecorated stdcall functions answering 0 for
// success (an RPC error_status_t). stdcall is the convention of its 32-bit
// library; a 64-bit compiler takes it as the one convention there is.
using NvdaStatus = unsigned long;
using NvdaTestIfRunningProc = NvdaStatus(__stdcall*)();
using NvdaSpeakTextProc = NvdaStatus(__stdcall*)(const wchar_t* text);
using NvdaCancelSpeechProc = NvdaStatus(__stdcall*)();

static_assert(sizeof(NvdaStatus) == 4, "error_status_t is 32 bits in both builds");
static_assert(sizeof(wchar_t) == 2, "speakText takes UTF-16");
static_assert(sizeof(void*) == 4 || sizeof(void*) == 8, "a 32-bit or a 64-bit build");
#if defined(__i386__) || defined(_M_IX86)
static_assert(!std::is_same_v<NvdaSpeakTextProc, NvdaStatus (__cdecl*)(const wchar_t*)>, "speakText is stdcall");
static_assert(!std::is_same_v<NvdaTestIfRunningProc, NvdaStatus (__cdecl*)()>, "testIfRunning is stdcall");
#endif

// The controller client's names, this build's first.
constexpr const char* kNvdaLibraries[] = {
    sizeof(void*) == 8 ? "nvdaControllerClient64.dll" : "nvdaControllerClient32.dll", "nvdaControllerClient.dll"};

class Win32SpeechPlatform : public SpeechPlatform {
public:
    // The program's platform keeps its libraries until the process ends; one
    // made with releaseOnDestroy frees them again when it goes (tests), and
    // one given a program folder looks for NVDA's client there instead of in
    // the folder of the running program (with a trailing backslash).
    explicit Win32SpeechPlatform(bool releaseOnDestroy = false, std::string programFolder = "")
        : lifetime_(releaseOnDestroy ? Library::Lifetime::UntilDestroyed : Library::Lifetime::Process),
          programFolder_(std::move(programFolder)) {}
    Win32SpeechPlatform(const Win32SpeechPlatform&) = delete;
    Win32SpeechPlatform& operator=(const Win32SpeechPlatform&) = delete;

    bool ReaderWindowExists() override;
    bool LoadEngine(int engine) override;
    int Call(int engine, char* text, int flag) override;
    bool LoadNvda() override;
    bool NvdaRunning() override;
    void NvdaCancel() override;
    bool NvdaSpeak(const char* text) override;
    std::uint32_t Milliseconds() override;

private:
    Library::Lifetime lifetime_;
    std::string programFolder_;
    Library sound_, pctk_, nvda_;
    SoundMessageProc soundMessage_ = nullptr;
    PctkPReadProc pctkPRead_ = nullptr;
    NvdaTestIfRunningProc nvdaTestIfRunning_ = nullptr;
    NvdaSpeakTextProc nvdaSpeakText_ = nullptr;
    NvdaCancelSpeechProc nvdaCancelSpeech_ = nullptr;
};

// Makes a Win32SpeechPlatform the program's own (called once at start).
void InstallSpeech();

}  // namespace qrn
