// Wildcard masks: patterns separated by ';', matched byte-wise without regard to case.
#pragma once

namespace qrn {

// Lower-cases a name in place (CharLowerA in the product).
using LowerFn = void (*)(char*);

// Lower-cases ASCII letters, stepping over the trail bytes of double-byte characters.
void LowerAscii(char* s);

// Longest single pattern of a mask list, in bytes.
inline constexpr unsigned kMaxPattern = 247;

int MatchPattern(const char* name, const char* pattern);
int MatchMaskList(const char* name, const char* maskList, LowerFn lower = LowerAscii);

}  // namespace qrn
