#include "listing/list_format.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "base/speech.h"
#include "listing/listing_texts.h"

namespace qrn {

namespace {

bool IsDirectory(const FileEntry& e) { return (e.attributes & kAttrDirectory) != 0; }
// Rows that are not files (the volume label, "  NO DATA  ", the execution
// row) carry the volume-label bit.
bool IsLabelRow(const FileEntry& e) { return (e.attributes & kAttrLabel) != 0; }

// Appends n copies of c, keeping within size.
void Pad(char* out, std::size_t size, std::size_t& len, char c, int n) {
    for (int i = 0; i < n && len + 1 < size; ++i) out[len++] = c;
    out[len] = '\0';
}

void Append(char* out, std::size_t size, std::size_t& len, const char* text) {
    while (*text && len + 1 < size) out[len++] = *text++;
    out[len] = '\0';
}

// Length of the longest prefix of s of at most n bytes that does not end in
// the middle of a double-byte character.
std::size_t WholeCharacters(const char* s, std::size_t n) {
    std::size_t i = 0;
    while (s[i] && i < n) {
        std::size_t step = (IsLeadByte(s[i]) && s[i + 1]) ? 2 : 1;
        if (i + step > n) break;
        i += step;
    }
    return i;
}

void ApplyCase(char* s, int nameCase, CaseFn lower, CaseFn upper) {
    if (!s[0]) return;
    switch (nameCase) {
    case 0:
        lower(s);
        break;
    case 1:
        upper(s);
        break;
    case 2:
        lower(s);
        if (!IsLeadByte(s[0])) {
            char first[2] = {s[0], '\0'};
            upper(first);
            s[0] = first[0];
        }
        break;
    default:
        break;
    }
}

int DosYear(std::uint16_t d) { return (1980 + (d >> 9)) % 100; }
int DosMonth(std::uint16_t d) { return (d >> 5) & 15; }
int DosDay(std::uint16_t d) { return d & 31; }
int DosHour(std::uint16_t t) { return t >> 11; }
int DosMinute(std::uint16_t t) { return (t >> 5) & 63; }
int DosSecond(std::uint16_t t) { return (t & 31) * 2; }

}  // namespace

int FormatNumber(char* out, std::size_t size, std::uint64_t value, int width) {
    char digits[32];
    int n = 0, group = 0;
    do {
        if (group == 3) {
            digits[n++] = ',';
            group = 0;
        }
        digits[n++] = static_cast<char>('0' + value % 10);
        value /= 10;
        ++group;
    } while (value);
    std::size_t len = 0;
    if (size == 0) return 0;
    Pad(out, size, len, ' ', width - n);
    while (n > 0 && len + 1 < size) out[len++] = digits[--n];
    out[len] = '\0';
    return static_cast<int>(len);
}

void FormatEntryName(const FileEntry& e, const NameFormat& f, char* out, std::size_t outSize,
                     char* extOut, std::size_t extSize) {
    std::size_t len = 0;
    out[0] = '\0';
    if (extSize) extOut[0] = '\0';
    const int W = f.W < 1 ? 1 : f.W;
    const int E = f.expDispSize < 0 ? 0 : f.expDispSize;

    // Pseudo-names of the directory rows and of the execution row.
    const char* pseudo = nullptr;
    if (e.attributes == kAttrExecutionRow && std::strcmp(e.name, "[ Execution  ]") == 0)
        pseudo = "[ Execution  ]";
    else if (IsDirectory(e) && std::strcmp(e.name, ".") == 0)
        pseudo = "[ This   Dir ]";
    else if (IsDirectory(e) && std::strcmp(e.name, "..") == 0)
        pseudo = "[ Upper  Dir ]";
    if (pseudo) {
        Append(out, outSize, len, pseudo);
        Pad(out, outSize, len, ' ', W + 2 - static_cast<int>(len));
        if (extSize) {
            std::size_t el = 0;
            Pad(extOut, extSize, el, ' ', E);
        }
        return;
    }

    const bool bracketed = IsDirectory(e) || (e.attributes & kAttrLabel) != 0;
    const char prefix = e.mark ? '*' : (bracketed ? '<' : ' ');
    const char suffix = bracketed ? '>' : ' ';

    char base[kPathSize], ext[kPathSize];
    std::size_t nameLen = std::strlen(e.name);
    std::size_t extIndex = e.ext;
    if (extIndex == 0 || extIndex > nameLen) {
        std::memcpy(base, e.name, nameLen + 1);
        ext[0] = '\0';
    } else {
        std::memcpy(base, e.name, extIndex - 1);
        base[extIndex - 1] = '\0';
        std::memcpy(ext, e.name + extIndex, nameLen - extIndex + 1);
    }
    ApplyCase(base, f.nameCase, f.lower, f.upper);
    ApplyCase(ext, f.nameCase, f.lower, f.upper);

    // The extension is cut to E bytes (never inside a double-byte character).
    ext[WholeCharacters(ext, static_cast<std::size_t>(E))] = '\0';
    int e1 = ext[0] ? E + 1 : 0;
    int b = W - e1;
    if (b < 0) {
        e1 = 4;
        b = W - 4;
    }
    if (b < 0) b = 0;

    char paddedExt[kExtTextSize + 1];
    std::size_t el = 0;
    Append(paddedExt, sizeof paddedExt, el, ext);
    Pad(paddedExt, sizeof paddedExt, el, ' ', E - static_cast<int>(el));
    if (extSize) {
        std::size_t xl = 0;
        extOut[0] = '\0';
        Append(extOut, extSize, xl, paddedExt);
    }

    out[len++] = prefix;
    out[len] = '\0';
    const std::size_t baseLen = std::strlen(base);
    if (baseLen > static_cast<std::size_t>(b)) {
        if (b >= 1) {
            // Keep b-1 bytes and a '.' mark; when that would split a
            // double-byte character, keep b-2 bytes and "..".
            std::size_t keep = static_cast<std::size_t>(b - 1);
            std::size_t whole = WholeCharacters(base, keep);
            base[whole] = '\0';
            Append(out, outSize, len, base);
            Pad(out, outSize, len, '.', b - static_cast<int>(whole));
        }
    } else {
        Append(out, outSize, len, base);
        Pad(out, outSize, len, ' ', b - static_cast<int>(baseLen));
    }
    if (e1 > 0 && ext[0]) {
        Append(out, outSize, len, ".");
        Append(out, outSize, len, paddedExt);
    }
    Pad(out, outSize, len, suffix, 1);
}

void SizeField(const FileEntry& e, char out[32]) {
    if (IsDirectory(e)) {
        std::strcpy(out, " < Dir >    ");
    } else if (IsLabelRow(e)) {
        std::strcpy(out, " < Vol >    ");
    } else {
        out[0] = ' ';
        FormatNumber(out + 1, 31, e.size, 11);
    }
}

void DateField(std::uint16_t date, char out[16]) {
    std::snprintf(out, 16, " %02d-%02d-%02d", DosYear(date), DosMonth(date), DosDay(date));
}

void TimeField(std::uint16_t time, char out[16]) {
    std::snprintf(out, 16, " %02d:%02d:%02d", DosHour(time) % 100, DosMinute(time) % 100, DosSecond(time) % 100);
}

void AttrValue(std::uint32_t a, char out[8]) {
    if (a & kAttrLabel) {
        std::strcpy(out, "<Vol>");
        return;
    }
    out[0] = (a & kAttrArchive) ? 'A' : '_';
    out[1] = (a & kAttrHidden) ? 'H' : '_';
    out[2] = (a & kAttrSystem) ? 'S' : '_';
    out[3] = (a & kAttrReadOnly) ? 'R' : '_';
    out[4] = (a & kAttrDirectory) ? 'D' : '_';
    out[5] = '\0';
}

void AttrField(const FileEntry& e, char out[8]) {
    if (IsLabelRow(e)) {
        std::strcpy(out, "      ");
        return;
    }
    out[0] = ' ';
    AttrValue(e.attributes, out + 1);
}

namespace {

// The fields a layout shows after the name, in their order, each with the
// way it is read aloud (0 as it stands, 2 a date, 3 a time).
template <typename Put>
void LayoutFields(const FileEntry& e, int layout, Put put) {
    if (layout < 1 || layout > 3) return;
    char sz[32], dt[16], tm[16], at[8];
    SizeField(e, sz);
    DateField(e.date, dt);
    TimeField(e.time, tm);
    AttrField(e, at);
    if (layout == 1 || layout == 3) put(sz, 0);
    if (layout == 2 || layout == 3) {
        put(dt, 2);
        put(tm, 3);
    }
    if (layout == 1 || layout == 3) put(at, 0);
}

}  // namespace

void RowText(const FileEntry& e, int layout, const char* nameField, char* out, std::size_t size) {
    std::size_t len = 0;
    out[0] = '\0';
    Append(out, size, len, nameField);
    LayoutFields(e, layout, [&](const char* field, int) { Append(out, size, len, field); });
}

void SpokenRowText(const FileEntry& e, int layout, const char* nameField, char* out, std::size_t size) {
    if (size == 0) return;
    out[0] = '\0';
    AppendReadable(out, size, nameField, 1);
    LayoutFields(e, layout, [&](const char* field, int reading) { AppendReadable(out, size, field, reading); });
}

ColorIndex RowColor(const FileEntry& e) {
    const std::uint32_t a = e.attributes;
    if (a & kAttrLabel) return kVol;
    if (a & kAttrSystem) return kSys;
    if (a & kAttrHidden) return kHidn;
    if (a & kAttrReadOnly) return kRdon;
    if (a & kAttrDirectory) return std::strcmp(e.name, "..") == 0 ? kUpper : kDir;
    return kNorm;
}

Rgb BinColor(int index) {
    return Rgb{(index & 2) ? 255 : 0, (index & 4) ? 255 : 0, (index & 1) ? 255 : 0};
}

void BinColorKey(const char* extText, CaseFn upper, char* out, std::size_t size) {
    if (size == 0) return;
    std::size_t n = std::strlen(extText);
    while (n > 0 && extText[n - 1] == ' ') --n;
    if (n >= size) n = WholeCharacters(extText, size - 1);
    std::memcpy(out, extText, n);
    out[n] = '\0';
    upper(out);
}

void FilesValue(const EntryTable& t, char out[48]) {
    char bytes[32];
    FormatNumber(bytes, sizeof bytes, t.ListedBytes, 12);
    std::snprintf(out, 48, "%4d%c%s", t.EntryCount, t.TableFull ? '+' : ' ', bytes);
}

void PageValue(int pageNumber, int pageCount, char out[32]) {
    std::snprintf(out, 32, "%2d/%2d    ", pageNumber, pageCount);
}

void MarkValue(const EntryTable& t, char out[48]) {
    char bytes[32];
    FormatNumber(bytes, sizeof bytes, t.MarkedBytes, 12);
    std::snprintf(out, 48, "%4d %s", t.MarkedCount, bytes);
}

void DateTimeValue(std::uint16_t date, std::uint16_t time, char out[32]) {
    std::snprintf(out, 32, "%02d-%02d-%02d %02d:%02d:%02d", DosYear(date), DosMonth(date), DosDay(date),
                  DosHour(time) % 100, DosMinute(time) % 100, DosSecond(time) % 100);
}

void StatusTexts(const EntryTable& t, char free[48], char total[48], char used[48]) {
    char n[32];
    FormatNumber(n, sizeof n, t.DiskFree, 0);
    std::snprintf(free, 48, " Free: %s", n);
    FormatNumber(n, sizeof n, t.DiskTotal, 0);
    std::snprintf(total, 48, " Total: %s", n);
    FormatNumber(n, sizeof n, t.DiskUsed, 0);
    std::snprintf(used, 48, " Used: %s", n);
}

void WhereSentence(const EntryTable& t, const char* dir, int cursor, std::uint64_t freeBytes, char* out,
                   std::size_t size) {
    char tail[160], marks[64] = "";
    if (t.MarkedCount > 0)
        std::snprintf(marks, sizeof marks, kWhereMarks, t.MarkedCount, static_cast<unsigned long long>(t.MarkedBytes));
    std::snprintf(tail, sizeof tail, kWherePlace, t.EntryCount, cursor + 1, marks,
                  static_cast<unsigned long long>(freeBytes));
    if (size == 0) return;
    const std::size_t room = std::min(size, kSpeechTextSize);
    const std::size_t tailLen = std::strlen(tail);
    out[0] = '\0';
    if (tailLen + 1 < room) AppendReadable(out, room - tailLen, dir, kReadNames);
    std::snprintf(out + std::strlen(out), room - std::strlen(out), "%s", tail);
}

ScreenLayout ComputeScreenLayout(int lineHeight, int charWidth, int toolbarHeight, int clientWidth,
                                 int listBottom) {
    ScreenLayout sl{};
    sl.lh = lineHeight > 0 ? lineHeight : 1;
    sl.cw = charWidth > 0 ? charWidth : 1;
    sl.T = toolbarHeight;
    sl.clientWidth = clientWidth;
    sl.listBottom = listBottom;
    sl.y[0] = sl.lh / 4 + sl.T;
    for (int i = 1; i < 4; ++i) sl.y[i] = sl.y[0] + i * sl.lh;
    sl.listTop = sl.y[0] + 4 * sl.lh;
    sl.sepY = sl.lh / 2 + sl.y[3] - 1;
    static const int steps[5] = {5, 18, 6, 18, 6};
    sl.x[0] = sl.cw / 2;
    for (int i = 1; i < 6; ++i) sl.x[i] = sl.x[i - 1] + steps[i - 1] * sl.cw;
    return sl;
}

int PitchPixels(const ListView& v, int layout, int cw) {
    if (layout == 4) return 999;
    if (layout < 0 || layout > 4) layout = 0;
    return v.Pitch[layout] * cw;
}

NameFormat ViewNameFormat(const ListView& v, const Settings& s, CaseFn lower, CaseFn upper) {
    return NameFormat{v.NameWidth, s.ExpDispSize, s.NameCase, lower, upper};
}

void CursorRowSpeech(const ListView& v, const Settings& s, CaseFn lower, CaseFn upper, char* out,
                     std::size_t size) {
    if (size == 0) return;
    out[0] = '\0';
    if (v.CursorIndex < 0 || v.CursorIndex >= v.table.EntryCount) return;
    const FileEntry& e = v.table.rows[v.CursorIndex];
    char name[kRowTextSize], ext[kExtTextSize];
    FormatEntryName(e, ViewNameFormat(v, s, lower, upper), name, sizeof name, ext, sizeof ext);
    SpokenRowText(e, v.Layout, name, out, size);
}

void ComputePageGeometry(ListView& l, const Settings& s) {
    const ScreenLayout& sl = l.screen;
    ComputePitches(l, s.ExpDispSize, s.FileDispSize);
    l.RowsPerColumn = (sl.listBottom - sl.listTop - sl.lh - 2) / sl.lh + 1;
    // A window too small for one row still shows one, rather than none.
    if (l.RowsPerColumn < 1) l.RowsPerColumn = 1;
    const int room = sl.clientWidth - sl.cw;
    auto columnsOf = [&](int layout) {
        int c = room / PitchPixels(l, layout, sl.cw);
        return c < 1 ? 1 : c;
    };
    const int count = l.table.EntryCount;
    int layout = 0;
    if (s.DisplayMode >= 0) {
        layout = s.DisplayMode > 4 ? 0 : s.DisplayMode;
    } else {
        layout = -1;
        for (int candidate = 3; candidate >= 0; --candidate) {
            if (count <= columnsOf(candidate) * l.RowsPerColumn && PitchPixels(l, candidate, sl.cw) <= room) {
                layout = candidate;
                break;
            }
        }
        if (layout == 2 && s.TwoColumnSwitch == 1) layout = 1;
        if (layout < 0) layout = 0;
    }
    l.Layout = layout;
    l.ColumnsPerPage = columnsOf(layout);
    l.EntriesPerPage = l.ColumnsPerPage * l.RowsPerColumn;
    l.PageCount = count / l.EntriesPerPage + (count % l.EntriesPerPage ? 1 : 0);
    if (l.CursorIndex >= count) l.CursorIndex = count - 1;
    if (l.CursorIndex < 0) l.CursorIndex = 0;
    l.PageNumber = l.CursorIndex / l.EntriesPerPage + 1;
    l.TopIndex = (l.PageNumber - 1) * l.EntriesPerPage;
}

}  // namespace qrn
