#include "base/startup.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace qrn {


int FindSwitch(const char* cmd, const char* sw, char* out, std::size_t size) {
    std::size_t swLen = std::strlen(sw);
    std::size_t len = 0;
    bool inQuotes = false, found = false, overflow = false;
    out[0] = '\0';
    std::size_t i = 0;
    while (cmd[i]) {
        char c = cmd[i];
        if (c == '"' && !inQuotes) {
            inQuotes = true;
            ++i;
            continue;
        }
        bool atClosingQuote = false;
        if (c == '"' && inQuotes) {
            inQuotes = false;
            if (found) break;
            atClosingQuote = true;
        }
        if ((!inQuotes || atClosingQuote) && swLen && std::strncmp(cmd + i, sw, swLen) == 0) {
            len = 0;
            overflow = false;
            found = true;
            i += swLen;
            continue;
        }
        if (atClosingQuote) {  // the quote itself is not part of a value
            ++i;
            continue;
        }
        std::size_t step = (IsLeadByte(c) && cmd[i + 1]) ? 2 : 1;
        if (len + step < size) {
            std::memcpy(out + len, cmd + i, step);
            len += step;
        } else {
            overflow = true;
        }
        i += step;
    }
    if (!found) {
        out[0] = '\0';
        return 0;
    }
    if (overflow) {
        out[0] = '\0';
        return -1;
    }
    out[len] = '\0';
    return 1;
}

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

void ParseCommandLine(const char* text, CommandLine& out) {
    std::memset(&out, 0, sizeof out);
    while (IsBlank(*text)) ++text;
    std::size_t n = std::strlen(text);
    while (n && IsBlank(text[n - 1])) --n;
    if (n == 0) {
        out.kind = StartKind::Default;
        return;
    }
    char value[kPathSize];
    int m = FindSwitch(text, "/m", value, sizeof value);
    if (m != 0) {
        out.kind = StartKind::Mask;
        if (m == 1) CopyCut(out.mask, sizeof out.mask, value);
        if (!out.mask[0]) out.kind = StartKind::Default;  // an empty or unusable mask changes nothing
        return;
    }
    if (text[0] != '/') {
        // The whole text names the start directory; quotes around it are dropped.
        const char* begin = text;
        std::size_t len = n;
        if (len >= 2 && begin[0] == '"' && begin[len - 1] == '"') {
            ++begin;
            len -= 2;
        } else if (begin[0] == '"') {
            ++begin;  // an unbalanced opening quote
            --len;
        }
        if (len == 0 || len >= sizeof out.directory) {
            out.kind = StartKind::Default;  // too long to be a path: start as usual
            return;
        }
        std::memcpy(out.directory, begin, len);
        out.directory[len] = '\0';
        out.kind = StartKind::Directory;
        return;
    }
    out.kind = StartKind::Update;
    FindSwitch(text, "/@f", out.source, sizeof out.source);
    FindSwitch(text, "/@t", out.target, sizeof out.target);
    if (FindSwitch(text, "/@m", value, sizeof value) == 1) out.mode = std::atoi(value);
}

bool EnsureTrailingBackslash(char* path, std::size_t size, bool flag, FullPathFn fullPath) {
    if (!path[0] || !flag) return true;
    char full[kPathSize];
    if (!fullPath(path, full, sizeof full)) return false;
    if (EndsWithBackslash(full)) return true;
    return AppendWhole(path, size, "\\");
}

void SplitPath(const char* path, char* folder, std::size_t folderSize, char* name,
               std::size_t nameSize) {
    int cut = LastBackslash(path);
    if (cut < 0) {
        if (folderSize) folder[0] = '\0';
        CopyCut(name, nameSize, path);
        return;
    }
    CopyCut(name, nameSize, path + cut + 1);
    std::size_t n = static_cast<std::size_t>(cut);
    if (n >= folderSize) n = folderSize ? folderSize - 1 : 0;
    if (folderSize) {
        std::memcpy(folder, path, n);
        folder[n] = '\0';
    }
}

void BuildShellPath(bool isNT, const char* dir, char* out, std::size_t size) {
    CopyCut(out, size, dir);
    if (out[0]) AddBackslash(out, size);
    if (!AppendWhole(out, size, isNT ? "cmd.exe" : "command.com"))
        CopyCut(out, size, isNT ? "cmd.exe" : "command.com");
}

char DriveTypeLetter(unsigned t) {
    switch (t) {
        case 2: return 'F';  // removable
        case 3: return 'H';  // fixed
        case 4: return 'N';  // remote
        case 5: return 'C';  // CD-ROM
        case 6: return 'R';  // RAM disk
        case 1: return 1;    // no root directory
        default: return 0;   // not determined
    }
}

bool BuildProgramPaths(const char* exePath, Startup& s) {
    int cut = LastBackslash(exePath);
    std::size_t n = cut < 0 ? 0 : static_cast<std::size_t>(cut);
    if (n + std::strlen("\\qrn.ini") + 1 > kPathSize) return false;
    std::memcpy(s.ProgramFolder, exePath, n);
    s.ProgramFolder[n] = '\0';
    CopyWhole(s.IniPath, sizeof s.IniPath, s.ProgramFolder);
    AppendWhole(s.IniPath, sizeof s.IniPath, "\\qrn.ini");
    CopyWhole(s.HelpPath, sizeof s.HelpPath, s.ProgramFolder);
    AppendWhole(s.HelpPath, sizeof s.HelpPath, "\\qrn.hlp");
    return true;
}

void FitWindowToScreen(int& x, int& y, int& w, int& h, int sl, int st, int sw, int sh) {
    if (sw <= 0 || sh <= 0) return;
    if (w < 1 || w > 4 * sw) w = 600;
    if (h < 1 || h > 4 * sh) h = 350;
    // Keep a part of the window on the screen.
    long long right = static_cast<long long>(x) + w, bottom = static_cast<long long>(y) + h;
    if (right <= sl + 20 || bottom <= st + 20 || x >= sl + sw - 20 || y >= st + sh - 20) {
        x = 0;
        y = 0;
    }
}

void FormatUpdateFailure(unsigned error, const char* source, const char* target, char* out,
                         std::size_t size) {
    std::snprintf(out, size, "%d:%s,%s", static_cast<int>(error), source, target);
}

bool FormatUpdateCommand(const PendingUpdateRecord& u, char* out, std::size_t size) {
    int n = std::snprintf(out, size, "%s /@f\"%s\" /@t\"%s\" /@m%d", u.source, u.source, u.target,
                          u.mode);
    return n > 0 && static_cast<std::size_t>(n) < size;
}

bool HasExtendedFreeSpaceQuery(const SystemVersion& v) {
    return v.IsNT || v.OsMajor == 0 ||
           ((v.OsMajor << 24) | (v.OsMinor << 16) | (v.OsBuild & 0xFFFF)) > ((4u << 24) | 1000u);
}

}  // namespace qrn
