// Wildcard masks: patterns separated by ';', matched byte-wise without regard to case.
#pragma once
#include <functional>

namespace qrn {

// Lower-cases a name in place (CharLowerA in the product), with whatever it
// works through bound in.
using LowerFn = std::function<void(char*)>;

// Lower-cases ASCII letters, stepping over the trail bytes of double-byte characters.
void LowerAscii(char* s);

// Longest single pattern of a mask list, in bytes.
inline constexpr unsigned kMaxPattern = 247;

int MatchPattern(const char* name, const char* pattern);
int MatchMaskList(const char* name, const char* maskList, const LowerFn& lower = LowerAscii);

}  // namespace qrn
