#include "listing/sort.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

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

namespace {

// The order of two rows: their groups (ranks, already turned for a descending
// order), then the key, then the names. ext() and name() collate the two
// rows' extension keys and names, however they are held.
template <typename Ext, typename Name>
int CompareRows(const FileEntry& a, const FileEntry& b, int ra, int rb, int key, Ext ext, Name name) {
    if (ra != rb) return ra < rb ? -1 : 1;
    switch (key) {
    case 1:
        return name();
    case 2:
        if (const int c = ext()) return c;
        return name();
    case 3:
        if (a.date != b.date) return a.date < b.date ? -1 : 1;
        if (a.time != b.time) return a.time < b.time ? -1 : 1;
        return name();
    case 4:
        if (a.size != b.size) return a.size < b.size ? -1 : 1;
        return name();
    default:
        return 0;
    }
}

int Turned(int rank, const SortSpec& spec) { return spec.order == 2 ? 99 - rank : rank; }

}  // namespace

int CompareEntries(const FileEntry& a, const FileEntry& b, const SortSpec& spec) {
    auto ext = [&] {
        char ka[kPathSize], kb[kPathSize];
        ExtensionKey(a.name, a.ext, ka, spec.upper);
        ExtensionKey(b.name, b.ext, kb, spec.upper);
        return spec.collate(ka, kb);
    };
    return CompareRows(a, b, Turned(GroupRank(a), spec), Turned(GroupRank(b), spec), spec.key, ext,
                       [&] { return spec.collate(a.name, b.name); });
}

namespace {

// Heap sort over positions 1..n of a; before(x, y) says x belongs before y.
// The order of rows that compare equal is the heap's, so both ways of
// comparing below must give the same answers to come out the same.
template <typename T, typename Before>
void HeapSort(T* a, int n, Before before) {
    if (n < 2) return;
    auto pos = [a](int p) -> T& { return a[p - 1]; };  // 1-based positions
    T save;
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

// A row with its group and its collation keys (offsets into one buffer);
// the first four bytes of the name's key as a number, which settles most
// comparisons without a look into the buffer.
struct Keyed {
    const FileEntry* row;
    int rank;
    std::uint32_t head;
    std::uint32_t name, nameLength, ext, extLength;
};

bool AppendKey(std::vector<unsigned char>& keys, const char* text, SortKeyFn make, std::uint32_t& at,
               std::uint32_t& length) {
    unsigned char key[4 * kPathSize + 64];
    const std::size_t n = make(text, key, sizeof key);
    if (n == 0) return false;
    at = static_cast<std::uint32_t>(keys.size());
    length = static_cast<std::uint32_t>(n);
    keys.insert(keys.end(), key, key + n);
    return true;
}

int CompareKeys(const unsigned char* keys, std::uint32_t a, std::uint32_t la, std::uint32_t b, std::uint32_t lb) {
    const int c = std::memcmp(keys + a, keys + b, la < lb ? la : lb);
    if (c) return c;
    return la < lb ? -1 : la > lb ? 1 : 0;
}

std::uint32_t HeadOf(const unsigned char* key, std::uint32_t length) {
    std::uint32_t h = 0;
    for (std::uint32_t i = 0; i < 4; ++i) h = h << 8 | (i < length ? key[i] : 0u);
    return h;
}

// CompareEntries with the keys made beforehand.
int CompareKeyed(const Keyed& a, const Keyed& b, int key, const unsigned char* keys) {
    auto name = [&] {
        if (a.head != b.head) return a.head < b.head ? -1 : 1;
        return CompareKeys(keys, a.name, a.nameLength, b.name, b.nameLength);
    };
    return CompareRows(*a.row, *b.row, a.rank, b.rank, key, [&] {
        return CompareKeys(keys, a.ext, a.extLength, b.ext, b.extLength);
    }, name);
}

bool SortByKeys(FileEntry* rows, int count, const SortSpec& spec) {
    std::vector<unsigned char> keys;
    keys.reserve(static_cast<std::size_t>(count) * 48);
    std::vector<Keyed> keyed(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        Keyed& k = keyed[static_cast<std::size_t>(i)];
        k = Keyed{&rows[i], Turned(GroupRank(rows[i]), spec), 0, 0, 0, 0, 0};
        if (!AppendKey(keys, rows[i].name, spec.sortKey, k.name, k.nameLength)) return false;
        k.head = HeadOf(keys.data() + k.name, k.nameLength);
        if (spec.key == 2) {
            char ext[kPathSize];
            ExtensionKey(rows[i].name, rows[i].ext, ext, spec.upper);
            if (!AppendKey(keys, ext, spec.sortKey, k.ext, k.extLength)) return false;
        }
    }
    const unsigned char* bytes = keys.data();
    HeapSort(keyed.data(), count, [&](const Keyed& x, const Keyed& y) {
        const int c = CompareKeyed(x, y, spec.key, bytes);
        return spec.order == 1 ? c < 0 : c > 0;
    });
    // The rows into their new places, one cycle of the permutation at a
    // time through a single spare row.
    std::vector<int> from(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) from[static_cast<std::size_t>(i)] = static_cast<int>(keyed[static_cast<std::size_t>(i)].row - rows);
    for (int i = 0; i < count; ++i) {
        if (from[static_cast<std::size_t>(i)] == i) continue;
        const FileEntry spare = rows[i];
        int j = i;
        while (from[static_cast<std::size_t>(j)] != i) {
            const int k = from[static_cast<std::size_t>(j)];
            rows[j] = rows[k];
            from[static_cast<std::size_t>(j)] = j;
            j = k;
        }
        rows[j] = spare;
        from[static_cast<std::size_t>(j)] = j;
    }
    return true;
}

}  // namespace

void SortEntries(FileEntry* rows, int count, const SortSpec& spec) {
    if (count < 2) return;
    if (spec.sortKey && spec.key >= 1 && spec.key <= 4 && SortByKeys(rows, count, spec)) return;
    HeapSort(rows, count, [&](const FileEntry& x, const FileEntry& y) {
        const int c = CompareEntries(x, y, spec);
        return spec.order == 1 ? c < 0 : c > 0;
    });
}

}  // namespace qrn
