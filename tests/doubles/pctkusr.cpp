// Stand-in for PCTKUsr.dll. Logs "PCTKPRead<TAB>flag<TAB>third<TAB>text".
#include "speech_log.h"

extern "C" __declspec(dllexport) int WINAPI PCTKPRead(char* text, int flag, int third) {
    char prefix[48];
    std::snprintf(prefix, sizeof prefix, "PCTKPRead\t%d\t%d\t", flag, third);
    speechdouble::Log(prefix, text);
    return 1;
}
