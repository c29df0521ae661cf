#include "archive/archivers.h"

#include <cstring>

#include "base/entry_table.h"

namespace qrn {

namespace {

bool ExtensionIs(const char* name, const char* upper) {
    const std::uint32_t at = ExtensionIndex(name);
    return at > 0 && CompareNoCase(name + at, upper) == 0;
}

// The name cut before the dot of its extension.
std::string BaseOf(const char* name) {
    const std::uint32_t at = ExtensionIndex(name);
    return at > 0 ? std::string(name, at - 1) : std::string(name);
}

std::string Quoted(const std::string& s) { return '"' + s + '"'; }

}  // namespace

std::string ArchiverMessage(ArchiverKind k, const char* what) { return std::string(RowOf(k).file) + what; }

ArchiverKind UnpackKindOf(const char* name) {
    if (ExtensionIs(name, "LZH")) return ArchiverKind::Lha;
    if (ExtensionIs(name, "ZIP")) return ArchiverKind::Zip;
    if (ExtensionIs(name, "CAB")) return ArchiverKind::Cab;
    if (ExtensionIs(name, "TAR") || ExtensionIs(name, "Z")) return ArchiverKind::Tar;
    return ArchiverKind::Ish;
}

std::string UnpackLine(const Settings& s, ArchiverKind k, const char* currentDir, const char* name,
                       const char* destDir, bool makeDir) {
    const std::string source = std::string(currentDir) + name;
    const std::string target = std::string(destDir) + (makeDir ? BaseOf(name) + "\\" : "");
    switch (k) {
    case ArchiverKind::Lha: return std::string(s.LzhUnpack) + " " + Quoted(source) + " " + Quoted(target);
    case ArchiverKind::Zip: return std::string(s.ZipUnpack) + " " + Quoted(source) + " " + Quoted(target);
    case ArchiverKind::Cab: return std::string(s.CabUnpack) + " " + Quoted(source) + " " + Quoted(target);
    case ArchiverKind::Tar: {  // "z" first for a compressed one; the quote before the target is left open
        std::string line = ExtensionIs(name, "Z") ? "z" : "";
        return line.append(s.TarUnpack).append(" ").append(Quoted(source)).append(" -o \"").append(target);
    }
    case ArchiverKind::Ish: return std::string(s.IshUnpack) + " " + source + " /f=" + target;
    }
    return std::string();
}

std::string PackLine(const Settings& s, ArchiverKind k, const std::string& archive, const std::string& entry,
                     bool response) {
    const std::string options = k == ArchiverKind::Tar ? "-cvf" : s.LzhPack;
    return options + " " + Quoted(archive) + " " + (response ? "@" + entry : Quoted(entry));
}

std::string ResponseLine(const char* name) { return Quoted(name) + "\r\n"; }

std::string IshMakeLine(const char* destDir, bool first, const std::string& output, const char* name) {
    return std::string("/f=") + destDir + (first ? " /s" : " /YA") + " " + output + " " + name;
}

std::string PackNameOffered(const Settings& s, const char* cursorName) {
    return s.FileNameGet == 0 ? std::string() : BaseOf(cursorName);
}

}  // namespace qrn
