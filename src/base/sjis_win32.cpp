#include "base/sjis_win32.h"

#include <windows.h>

namespace qrn {

void PlatformLower(char* s) { CharLowerA(s); }
void PlatformUpper(char* s) { CharUpperA(s); }

}  // namespace qrn
