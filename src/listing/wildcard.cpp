#include "listing/wildcard.h"

#include <cstring>

#include "listing/sjis.h"

namespace qrn {

void LowerAscii(char* s) {
    for (; *s; ++s) {
        if (IsLeadByte(*s) && s[1]) {
            ++s;
            continue;
        }
        if (*s >= 'A' && *s <= 'Z') *s = static_cast<char>(*s + 32);
    }
}

int MatchPattern(const char* n, const char* p) {
    while (*p && *n) {
        if (*p == '*') {
            ++p;
            if (!*p) return 1;
            for (; *n; ++n)
                if (MatchPattern(n, p)) return 1;
            return 0;
        }
        if (*p != '?' && *p != *n) return 0;
        ++p;
        ++n;
    }
    return (!*p && !*n) ? 1 : 0;
}

int MatchMaskList(const char* name, const char* maskList, LowerFn lower) {
    char lname[kPathSize];
    CopyCut(lname, sizeof lname, name);
    lower(lname);
    if (!maskList[0]) return 0;
    char pattern[kPathSize];
    std::size_t len = 0;
    for (const char* m = maskList; *m; ++m) {
        if (IsLeadByte(*m) && m[1]) {
            if (len + 2 < sizeof pattern) {
                pattern[len++] = m[0];
                pattern[len++] = m[1];
            }
            ++m;
            continue;
        }
        if (*m == ';') {
            pattern[len] = '\0';
            lower(pattern);
            if (MatchPattern(lname, pattern)) return 1;
            len = 0;
            continue;
        }
        if (len + 1 < sizeof pattern) pattern[len++] = *m;
    }
    if (len == 0) return 0;
    pattern[len] = '\0';
    lower(pattern);
    return MatchPattern(lname, pattern);
}

}  // namespace qrn
