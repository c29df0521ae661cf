#include "listing/wildcard.h"

#include <cstring>

#include "base/sjis.h"

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

// A '*' that ends the pattern needs at least one byte; any other '*' takes
// zero or more, and a '*' reached after the name has ended fails. That is the
// ordinary glob rule once a final '*' is read as "?*", which lets the match
// run with a single backtrack point: the work stays within name length times
// pattern length however many stars the pattern holds.
int MatchPattern(const char* n, const char* p) {
    const std::size_t nlen = std::strlen(n);
    const std::size_t raw = std::strlen(p);
    const bool finalStar = raw > 0 && p[raw - 1] == '*';
    const std::size_t plen = finalStar ? raw + 1 : raw;
    auto at = [&](std::size_t i) -> char {
        if (finalStar && i == raw - 1) return '?';
        if (finalStar && i == raw) return '*';
        return p[i];
    };
    std::size_t ni = 0, pi = 0;
    std::size_t starP = 0, starN = 0;
    bool haveStar = false;
    while (ni < nlen) {
        if (pi < plen && at(pi) == '*') {
            haveStar = true;
            starP = ++pi;
            starN = ni;
            if (pi == plen) return 1;
            continue;
        }
        if (pi < plen && (at(pi) == '?' || at(pi) == n[ni])) {
            ++pi;
            ++ni;
            continue;
        }
        if (!haveStar) return 0;
        pi = starP;
        ni = ++starN;
    }
    while (pi < plen && at(pi) == '*') ++pi;
    return pi == plen ? 1 : 0;
}

int MatchMaskList(const char* name, const char* maskList, const LowerFn& lower) {
    char lname[kPathSize];
    CopyCut(lname, sizeof lname, name);
    lower(lname);
    if (!maskList[0]) return 0;
    // A pattern too long to hold matches nothing; cutting it would change
    // which names it selects.
    char pattern[kMaxPattern + 1];
    std::size_t len = 0;
    bool overlong = false;
    auto tryPattern = [&]() {
        pattern[len] = '\0';
        if (overlong) return 0;
        lower(pattern);
        return MatchPattern(lname, pattern);
    };
    auto append = [&](char c) {
        if (len < kMaxPattern) pattern[len++] = c;
        else overlong = true;
    };
    for (const char* m = maskList; *m; ++m) {
        if (IsLeadByte(*m) && m[1]) {
            append(m[0]);
            append(m[1]);
            ++m;
            continue;
        }
        if (*m == ';') {
            if (tryPattern()) return 1;
            len = 0;
            overlong = false;
            continue;
        }
        append(*m);
    }
    if (len == 0 && !overlong) return 0;
    return tryPattern();
}

}  // namespace qrn
