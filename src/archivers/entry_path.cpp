#include "archivers/entry_path.h"

#include <vector>

#include "base/sjis.h"

namespace qrn {

namespace {

bool IsDevice(const std::string& part) {
    std::string base = part.substr(0, part.find('.'));
    while (!base.empty() && (base.back() == ' ')) base.pop_back();
    for (char& c : base)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    for (const char* d : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"})
        if (base == d) return true;
    return base.size() == 4 && (base.compare(0, 3, "COM") == 0 || base.compare(0, 3, "LPT") == 0) && base[3] >= '1' &&
           base[3] <= '9';
}

}  // namespace

namespace {

bool Relative(const std::string& name, std::string& relative) {
    if (name.empty() || name[0] == '/' || name[0] == '\\') return false;
    std::vector<std::string> parts(1);
    for (std::size_t i = 0; i < name.size(); ++i) {
        const char c = name[i];
        if (IsLeadByte(c) && i + 1 < name.size()) {
            parts.back() += c, parts.back() += name[++i];
        } else if (c == '/' || c == '\\') {
            parts.emplace_back();
        } else if (c == ':' || static_cast<unsigned char>(c) < 0x20) {
            return false;
        } else {
            parts.back() += c;
        }
    }
    for (const std::string& p : parts) {
        if (p.empty() || p == ".") continue;
        // The system drops trailing dots and blanks: ".. " is "..".
        const std::size_t kept = p.find_last_not_of(". ");
        if (kept == std::string::npos || IsDevice(p.substr(0, kept + 1))) return false;
        relative += (relative.empty() ? "" : "\\") + p;
    }
    return !relative.empty();
}

}  // namespace

bool SafeEntryPath(const std::string& name, std::string& relative) {
    relative.clear();
    if (Relative(name, relative)) return true;
    relative.clear();
    return false;
}

}  // namespace qrn
