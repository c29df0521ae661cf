#include "base/speech.h"

#include <cstring>
#include <iterator>

#include "base/sjis.h"

namespace qrn {


namespace {

SpeechState g_speech;  // where the reader stands for this run

struct Reading {
    char Character;
    const char* Text;
};

constexpr Reading kNameReadings[] = {
    {'>', "だいなり"}, {'<', "しょうなり"}, {'.', "ぴりおど"},
    {'*', "あすたりすく"}, {'_', "アンダーライン"}, {' ', ""},
};
constexpr Reading kDateReadings[] = {{'-', "/"}};

// The reading of a single-byte character, or null when it is read as it is.
const char* ReadingOf(char c, int table) {
    const Reading* begin = nullptr;
    const Reading* end = nullptr;
    switch (table) {
    case kReadNames:
        begin = std::begin(kNameReadings);
        end = std::end(kNameReadings);
        break;
    case kReadDates:
        begin = std::begin(kDateReadings);
        end = std::end(kDateReadings);
        break;
    default:
        return nullptr;
    }
    for (const Reading* r = begin; r != end; ++r)
        if (r->Character == c) return r->Text;
    return nullptr;
}

// Interrupting and queueing flags of each engine.
constexpr int kSoundInterrupt = 128, kSoundQueue = 2;
constexpr int kPctkInterrupt = 1, kPctkQueue = 4;

SpeechPlatform* g_defaultPlatform = nullptr;
SpeechPlatform* g_currentPlatform = nullptr;

SpeechPlatform* CurrentPlatform() { return g_currentPlatform ? g_currentPlatform : g_defaultPlatform; }

}  // namespace

void AppendReadable(char* dest, std::size_t destSize, const char* text, int table) {
    if (!dest || destSize == 0) return;
    std::size_t len = 0;
    while (len < destSize - 1 && dest[len]) ++len;
    if (text) {
        const auto* p = reinterpret_cast<const unsigned char*>(text);
        unsigned previous = 0;
        int run = 0;
        while (*p) {
            const bool wide = IsLeadByte(*p);
            if (wide && p[1] == 0) break;  // a lead byte without its trail byte is not read
            const std::size_t step = wide ? 2 : 1;
            const unsigned character = wide ? (unsigned{p[0]} << 8 | p[1]) : p[0];
            run = (run > 0 && character == previous) ? run + 1 : 1;
            previous = character;
            if (run <= 3) {
                const char* piece = reinterpret_cast<const char*>(p);
                std::size_t pieceLen = step;
                if (!wide) {
                    if (const char* reading = ReadingOf(static_cast<char>(*p), table)) {
                        piece = reading;
                        pieceLen = std::strlen(reading);
                    }
                }
                if (pieceLen > destSize - 1 - len) break;
                std::memcpy(dest + len, piece, pieceLen);
                len += pieceLen;
            }
            p += step;
        }
    }
    dest[len] = '\0';
}

void MakeReadable(char* text, int table) {
    if (!text) return;
    char source[kSpeechTextSize];
    CopyCut(source, sizeof source, text);
    text[0] = '\0';
    AppendReadable(text, kSpeechTextSize, source, table);
}

void SetSpeechPlatform(SpeechPlatform* p) { g_currentPlatform = p; }
void SetDefaultSpeechPlatform(SpeechPlatform* p) { g_defaultPlatform = p; }

namespace {

// Engine 3, while engines 1 and 2 are off. True when NVDA took the text.
bool SpeakThroughNvda(SpeechPlatform& platform, const char* text, bool interrupt) {
    SpeechState& s = g_speech;
    if (s.Nvda == kSpeechOff) return false;
    const std::uint32_t now = platform.Milliseconds();
    if (s.Nvda == kSpeechNotStarted) {
        if (!platform.LoadNvda()) {
            s.Nvda = kSpeechOff;
            return false;
        }
        s.Nvda = kSpeechReady;
        s.NvdaRunning = platform.NvdaRunning();
        s.NvdaAnsweredAt = now;
    } else if (static_cast<std::uint32_t>(now - s.NvdaAnsweredAt) >= kNvdaAskAgainMs) {  // across the wrap too
        s.NvdaRunning = platform.NvdaRunning();
        s.NvdaAnsweredAt = now;
    }
    if (!s.NvdaRunning) return false;
    if (interrupt) platform.NvdaCancel();  // the previous row is not finished first
    if (platform.NvdaSpeak(text)) return true;
    s.NvdaRunning = false;  // gone since it answered: silent until it is asked again
    s.NvdaAnsweredAt = now;
    return false;
}

}  // namespace

int Speak(const char* text) {
    if (!text || !text[0]) return 1;
    SpeechPlatform* platform = CurrentPlatform();
    if (!platform) return 1;
    const bool lookingNow = g_speech.State == kSpeechNotStarted;
    if (lookingNow) {
        const int engine = platform->ReaderWindowExists() ? 1 : 2;
        if (platform->LoadEngine(engine)) {
            g_speech.Engine = engine;
            g_speech.State = kSpeechReady;
        } else {
            g_speech.State = kSpeechOff;
        }
    }
    char copy[kSpeechTextSize];
    CopyCut(copy, sizeof copy, text);
    const bool interrupt = g_speech.Mode == 1;
    if (g_speech.State == kSpeechReady) {
        // A text engine 1 refuses is not handed on: no text goes to two readers.
        if (g_speech.Engine == 1) {
            if (platform->Call(1, copy, interrupt ? kSoundInterrupt : kSoundQueue) == 0) g_speech.State = kSpeechOff;
        } else if (g_speech.Engine == 2) {
            platform->Call(2, copy, interrupt ? kPctkInterrupt : kPctkQueue);
        }
        return 1;
    }
    return SpeakThroughNvda(*platform, copy, interrupt) || !lookingNow ? 1 : 0;
}

void SetSpeechMode(int mode) { g_speech.Mode = mode; }

int SpeakQueued(const char* text) {
    const int mode = g_speech.Mode;
    g_speech.Mode = 0;
    const int spoken = Speak(text);
    g_speech.Mode = mode;
    return spoken;
}
SpeechState SpeechStatus() { return g_speech; }
void ResetSpeech() { g_speech = SpeechState{}; }
int SpeechEngine() { return g_speech.Engine; }

}  // namespace qrn
