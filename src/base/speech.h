// Hands text to the user's screen reader. Two kinds of reader are known:
// one that shows a top-level window of class "95Reader" or "98Reader" and
// speaks through SOUNDP.DLL (engine 1), and one that speaks through
// PCTKUsr.dll (engine 2). The reader is looked for on the first text there is
// to say; when it cannot be used, or engine 1 refuses a text, it stays off
// for the rest of the run.
//
// While neither can be used, texts go to NVDA through its controller client
// (engine 3). Its library is looked for once, when it is first needed; NVDA
// itself is asked whether it runs then and again when a text comes at least
// kNvdaAskAgainMs after the last answer, so that NVDA started later is found
// and one that has gone is not called for every row.
#pragma once
#include <cstddef>
#include <cstdint>

namespace qrn {

constexpr std::size_t kSpeechTextSize = 260;  // a text to speak: at most 259 bytes + NUL

// Which characters are spelled out: names and row texts, dates, times.
constexpr int kReadPlain = 0, kReadNames = 1, kReadDates = 2, kReadTimes = 3;

// Rewrites text (a buffer of kSpeechTextSize bytes) into its readable form:
// runs of one character are cut to three, then each single-byte character of
// the table is replaced by its reading. The result is cut at a whole
// character or reading when it would not fit the buffer.
void MakeReadable(char* text, int table);

// Appends the readable form of text to dest (destSize bytes), as far as it
// fits whole characters and whole readings.
void AppendReadable(char* dest, std::size_t destSize, const char* text, int table);

// What the speech state machine needs from the system.
class SpeechPlatform {
public:
    virtual ~SpeechPlatform() = default;
    // A top-level window of class "95Reader" or "98Reader" exists.
    virtual bool ReaderWindowExists() = 0;
    // Loads the engine's library and takes its entry point; false (and the
    // library released again) when either is missing.
    virtual bool LoadEngine(int engine) = 0;
    // Engine 1: SoundMessage(text, flag); engine 2: PCTKPRead(text, flag, 1).
    virtual int Call(int engine, char* text, int flag) = 0;

    // NVDA's controller client: loads the library with all three entry
    // points; false (and the library released again) when there is none.
    virtual bool LoadNvda() = 0;
    // nvdaController_testIfRunning answers 0.
    virtual bool NvdaRunning() = 0;
    // nvdaController_cancelSpeech: stops what NVDA is saying.
    virtual void NvdaCancel() = 0;
    // nvdaController_speakText of the text in UTF-16; false when it refuses.
    virtual bool NvdaSpeak(const char* text) = 0;
    // Milliseconds on a clock that wraps around after 2^32.
    virtual std::uint32_t Milliseconds() = 0;
};

enum : int { kSpeechNotStarted = 0, kSpeechOff = 1, kSpeechReady = 2 };

// How long an answer of NVDA's about whether it runs holds.
constexpr std::uint32_t kNvdaAskAgainMs = 1000;

struct SpeechState {
    int State = kSpeechNotStarted;  // engines 1 and 2
    int Engine = 0;  // 1 SOUNDP.DLL, 2 PCTKUsr.dll; 0 before a successful start
    int Mode = 1;    // 1 interrupts what is being said; any other value queues
    int Nvda = kSpeechNotStarted;  // the controller client: Off when none was found
    bool NvdaRunning = false;      // NVDA's last answer, or false after a refused text
    std::uint32_t NvdaAnsweredAt = 0;
};

// Where speech stands; ResetSpeech starts over as at program start (tests).
SpeechState SpeechStatus();
void ResetSpeech();

// Replaces the platform (tests); null puts back the program's own.
void SetSpeechPlatform(SpeechPlatform* p);
// The program's own platform, installed at start; null leaves speech silent.
void SetDefaultSpeechPlatform(SpeechPlatform* p);

// Speaks a copy of text (up to 259 bytes). Returns 0 only when the readers
// were looked for just now and none could take the text; 1 otherwise.
int Speak(const char* text);
void SetSpeechMode(int mode);
// Speaks text behind what is being said, whatever the mode (which stays).
int SpeakQueued(const char* text);
int SpeechEngine();

}  // namespace qrn
