// Stand-in for SOUNDP.DLL, the library of the reader with the "95Reader" /
// "98Reader" window. Logs "SoundMessage<TAB>flag<TAB>text"; answers 0 (the
// reader is gone) while a file soundp.off lies beside the DLL, else 1.
#include "speech_log.h"

extern "C" __declspec(dllexport) int WINAPI SoundMessage(char* text, int flag) {
    char prefix[32];
    std::snprintf(prefix, sizeof prefix, "SoundMessage\t%d\t", flag);
    speechdouble::Log(prefix, text);
    return speechdouble::BesideMe("soundp.off") ? 0 : 1;
}
