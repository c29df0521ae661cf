#include "archivers/pack_entries.h"

#include "archivers/archivers_texts.h"
#include "base/sjis.h"

namespace qrn {

std::string StoredName(const std::string& name, char separator) {
    std::string out, part;
    auto endPart = [&] {
        if (!part.empty() && part != "." && part != "..") out += (out.empty() ? "" : std::string(1, separator)) + part;
        part.clear();
    };
    for (std::size_t i = name.size() > 1 && name[1] == ':' ? 2 : 0; i < name.size(); ++i) {
        if (IsLeadByte(name[i]) && i + 1 < name.size()) part += name[i], part += name[++i];
        else if (name[i] == '\\' || name[i] == '/') endPart();
        else part += name[i];
    }
    endPart();
    return out;
}

namespace {

bool Walk(ArchiveFiles& f, const std::string& path, const std::string& stored, const FoundEntry& e,
          const std::string& archive, char separator, bool enter, std::vector<PackEntry>& out) {
    if (f.SameFile(path, archive)) return true;  // never into itself
    if (!stored.empty()) out.push_back(PackEntry{path, stored, e});  // "." or a drive root: only what it holds
    if (!e.directory || !enter) return true;
    std::vector<FoundEntry> children;
    if (!f.List(path, children)) return f.Tell(kEntryNotRead + path), false;
    for (const FoundEntry& c : children) {
        const std::string child = EndsWithBackslash(path.c_str()) ? path + c.name : path + "\\" + c.name;
        const bool below = c.directory && f.Inside(child, path) && !f.SameFile(child, path);
        if (c.directory && !below) f.Tell(kLinkNotEntered + child);  // stored, but what it leads to is not
        if (!Walk(f, child, stored.empty() ? c.name : stored + separator + c.name, c, archive, separator, below, out)) return false;
    }
    return true;
}

}  // namespace

bool CollectPackEntries(ArchiveFiles& f, const std::vector<std::string>& names, const std::string& archive,
                        char separator, std::vector<PackEntry>& out) {
    for (const std::string& n : names) {
        FoundEntry e;
        if (!f.Find(n, e)) return f.Tell(kEntryNotRead + n), false;
        if (!Walk(f, n, StoredName(n, separator), e, archive, separator, true, out)) return false;
    }
    return true;
}

}  // namespace qrn
