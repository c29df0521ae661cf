// The system's case mappings of ANSI text (Shift-JIS aware).
#pragma once

namespace qrn {

void PlatformLower(char* s);  // CharLowerA
void PlatformUpper(char* s);  // CharUpperA

}  // namespace qrn
