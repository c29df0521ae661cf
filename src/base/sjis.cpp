#include "base/sjis.h"

#include <cstring>

namespace qrn {

int LastBackslash(const char* s) {
    int last = -1;
    for (int i = 0; s[i];) {
        if (IsLeadByte(s[i]) && s[i + 1]) {
            i += 2;
            continue;
        }
        if (s[i] == '\\') last = i;
        ++i;
    }
    return last;
}

bool EndsWithBackslash(const char* s) {
    std::size_t n = std::strlen(s);
    if (n == 0) return false;
    return LastBackslash(s) == static_cast<int>(n) - 1;
}

bool CopyWhole(char* dst, std::size_t size, const char* src) {
    std::size_t n = std::strlen(src);
    if (n + 1 > size) {
        if (size) dst[0] = '\0';
        return false;
    }
    std::memcpy(dst, src, n + 1);
    return true;
}

bool AppendWhole(char* dst, std::size_t size, const char* src) {
    std::size_t a = std::strlen(dst), b = std::strlen(src);
    if (a + b + 1 > size) return false;
    std::memcpy(dst + a, src, b + 1);
    return true;
}

void CopyCut(char* dst, std::size_t size, const char* src) {
    if (size == 0) return;
    std::size_t i = 0;
    while (src[i]) {
        std::size_t step = (IsLeadByte(src[i]) && src[i + 1]) ? 2 : 1;
        if (i + step > size - 1) break;
        i += step;
    }
    std::memcpy(dst, src, i);
    dst[i] = '\0';
}

void TrimDanglingLead(char* s) {
    std::size_t i = 0;
    while (s[i]) {
        if (IsLeadByte(s[i])) {
            if (!s[i + 1]) {
                s[i] = '\0';
                return;
            }
            i += 2;
        } else {
            ++i;
        }
    }
}

bool AddBackslash(char* s, std::size_t size) {
    if (EndsWithBackslash(s)) return true;
    return AppendWhole(s, size, "\\");
}

int CompareNoCase(const char* a, const char* b) {
    bool trail = false;  // both strings agree up to here, so one flag serves both
    for (;; ++a, ++b) {
        unsigned char x = static_cast<unsigned char>(*a), y = static_cast<unsigned char>(*b);
        if (!trail) {
            if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x + 32);
            if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y + 32);
        }
        if (x != y) return x < y ? -1 : 1;
        if (!x) return 0;
        trail = !trail && IsLeadByte(x);
    }
}

}  // namespace qrn
