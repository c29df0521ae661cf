#include "base/entry_table.h"

#include <cstring>

namespace qrn {

std::uint32_t ExtensionIndex(const char* name) {
    if (std::strcmp(name, "..") == 0) return 0;
    int lastDot = -1;
    for (int i = 0; name[i];) {
        if (IsLeadByte(name[i]) && name[i + 1]) {
            i += 2;
            continue;
        }
        if (name[i] == '.') lastDot = i;
        ++i;
    }
    if (lastDot <= 0) return 0;
    return static_cast<std::uint32_t>(lastDot + 1);
}

bool SetMark(EntryTable& t, int index, bool on) {
    if (index < 0 || index >= t.EntryCount) return false;
    FileEntry& e = t.rows[index];
    if (IsPseudoRow(e)) return false;
    if (on == (e.mark != 0)) return false;
    e.mark = on ? 1 : 0;
    if (on) {
        ++t.MarkedCount;
        t.MarkedBytes += e.size;
    } else {
        --t.MarkedCount;
        t.MarkedBytes -= e.size;
    }
    return true;
}

void ClearAllMarks(EntryTable& t) {
    for (auto& row : t.rows) row.mark = 0;
    t.MarkedCount = 0;
    t.MarkedBytes = 0;
}

namespace {

bool IsDotName(const char* name) { return std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0; }

}  // namespace

bool EntryQualifies(const EntryTable& t, int index, RowKind kind) {
    if (kind == RowKind::Any) return true;
    if (index < 0 || index >= t.EntryCount) return false;
    const FileEntry& e = t.rows[index];
    const bool dir = (e.attributes & kAttrDirectory) != 0;
    const bool label = (e.attributes & kAttrLabel) != 0;
    switch (kind) {
    case RowKind::PlainFile:
        return !dir && !label;
    case RowKind::FileOrDirectory:
        if (label) return false;
        return !dir || !IsDotName(e.name);
    case RowKind::DirectoryOrLabel:
        if (label) return true;
        return dir && !IsDotName(e.name);
    default:
        return true;
    }
}

}  // namespace qrn
