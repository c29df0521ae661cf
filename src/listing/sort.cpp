#include "listing/sort.h"

#include <cstring>

namespace qrn {

void UpperAscii(char* s) {
    for (; *s; ++s) {
        if (IsLeadByte(*s) && s[1]) {
            ++s;
            continue;
        }
        if (*s >= 'a' && *s <= 'z') *s = static_cast<char>(*s - 32);
    }
}

int GroupRank(const FileEntry& e) {
    int rank = 99;
    if (e.attributes & kAttrSystem) rank = 7;
    if (e.attributes & kAttrLabel) rank = 0;
    if (e.attributes & kAttrDirectory) {
        if (std::strcmp(e.name, ".") == 0) rank = 1;
        else if (std::strcmp(e.name, "..") == 0) rank = 2;
        else if (e.attributes & kAttrSystem) rank = 3;
        else if (e.attributes & kAttrHidden) rank = 4;
        else if (e.attributes & kAttrReadOnly) rank = 5;
        else rank = 6;
    }
    if (e.attributes == kAttrExecutionRow) rank = 0;
    return rank;
}

void ExtensionKey(const char* name, unsigned ext, char* out, UpperFn upper) {
    out[0] = '\0';
    if (ext == 0 || ext > std::strlen(name)) return;
    CopyCut(out, kPathSize, name + ext);
    upper(out);
}

int CompareEntries(const FileEntry& a, const FileEntry& b, const SortSpec& spec) {
    int ra = GroupRank(a), rb = GroupRank(b);
    if (spec.order == 2) {
        ra = 99 - ra;
        rb = 99 - rb;
    }
    if (ra < rb) return -1;
    if (ra > rb) return 1;
    switch (spec.key) {
        case 1:
            return spec.collate(a.name, b.name);
        case 2: {
            char ka[kPathSize], kb[kPathSize];
            ExtensionKey(a.name, a.ext, ka, spec.upper);
            ExtensionKey(b.name, b.ext, kb, spec.upper);
            int c = spec.collate(ka, kb);
            return c ? c : spec.collate(a.name, b.name);
        }
        case 3:
            if (a.date != b.date) return a.date < b.date ? -1 : 1;
            if (a.time != b.time) return a.time < b.time ? -1 : 1;
            return spec.collate(a.name, b.name);
        case 4:
            if (a.size != b.size) return a.size < b.size ? -1 : 1;
            return spec.collate(a.name, b.name);
        default:
            return 0;
    }
}

void SortEntries(FileEntry* rows, int count, const SortSpec& spec) {
    int n = count;
    if (n < 2) return;
    auto before = [&](const FileEntry& x, const FileEntry& y) {
        int c = CompareEntries(x, y, spec);
        return spec.order == 1 ? c < 0 : c > 0;
    };
    auto pos = [rows](int p) -> FileEntry& { return rows[p - 1]; };  // 1-based positions
    FileEntry save;
    int l = n / 2 + 1, r = n;
    for (;;) {
        if (l > 1) {
            --l;
            save = pos(l);
        } else {
            save = pos(r);
            pos(r) = pos(1);
            --r;
            if (r == 1) {
                pos(1) = save;
                return;
            }
        }
        int i = l, j = 2 * l;
        while (j <= r) {
            if (j < r && before(pos(j), pos(j + 1))) ++j;
            if (before(save, pos(j))) {
                pos(i) = pos(j);
                i = j;
                j = 2 * j;
            } else {
                break;
            }
        }
        pos(i) = save;
    }
}

}  // namespace qrn
