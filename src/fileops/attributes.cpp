#include "fileops/attributes.h"

#include <cstdio>

#include "base/prompts.h"
#include "base/selection.h"
#include "fileops/fileops_texts.h"

namespace qrn {

namespace {

constexpr std::uint32_t kBoxBits = kAttrArchive | kAttrReadOnly | kAttrHidden | kAttrSystem;
// The bits a program may set: the boxes', temporary, offline, not indexed.
constexpr std::uint32_t kSettableBits = kBoxBits | 0x100 | 0x1000 | 0x2000;

std::string Three(const char* format, int a, int b, int c) {
    char text[32];
    std::snprintf(text, sizeof text, format, a, b, c);
    return text;
}
std::string DateText(int y, int m, int d) { return Three("%04d-%02d-%02d", y, m, d); }
std::string TimeText(int h, int m, int s) { return Three("%02d:%02d:%02d", h, m, s); }

int ShownRow(const ListView& v) {
    const EntryTable& t = v.table;
    if (t.MarkedCount > 0)
        for (int i = 0; i < t.EntryCount; ++i)
            if (t.rows[i].mark) return i;
    return v.CursorIndex;
}

// One time with the parts the fields give; a field left empty, or a result
// the system refuses, keeps the time's own.
std::uint64_t Edited(std::uint64_t time, const std::string& date, const std::string& clock, LocalClock& lc) {
    CalendarTime c;
    if (!lc.ToLocal(time, c)) return time;
    std::uint16_t n[3];
    if (!date.empty()) {
        ParseThreeNumbers(date.c_str(), n);
        c.year = n[0], c.month = n[1], c.day = n[2];
    }
    if (!clock.empty()) {
        ParseThreeNumbers(clock.c_str(), n);
        c.hour = n[0], c.minute = n[1], c.second = n[2];
    }
    std::uint64_t out = 0;
    return lc.ToUniversal(c, out) ? out : time;
}

}  // namespace

void ParseThreeNumbers(const char* text, std::uint16_t out[3]) {
    int found = 0;
    std::uint32_t value = 0;
    for (const char* p = text; *p && found < 3; ++p) {
        if (*p >= '0' && *p <= '9') value = value * 10 + static_cast<std::uint32_t>(*p - '0');
        else if (*p != ' ' && *p != '\t') out[found++] = static_cast<std::uint16_t>(value), value = 0;
    }
    if (found < 3) out[found++] = static_cast<std::uint16_t>(value);
    while (found < 3) out[found++] = 0;
}

int DosYear(std::uint16_t date) {
    const int yy = (1980 + (date >> 9)) % 100;
    return yy < 50 ? 2000 + yy : 1900 + yy;
}

AttributeForm OpenAttributeForm(const ListView& v, const char* dir, FileSystem& fs, LocalClock& clock) {
    AttributeForm f;
    const int row = ShownRow(v);
    if (row < 0 || row >= v.table.EntryCount) return f;
    const FileEntry& e = v.table.rows[row];
    f.archive = e.attributes & kAttrArchive, f.readOnly = e.attributes & kAttrReadOnly;
    f.hidden = e.attributes & kAttrHidden, f.system = e.attributes & kAttrSystem;
    f.creationDate = DateText(DosYear(e.date), (e.date >> 5) & 15, e.date & 31);
    f.creationTime = TimeText(e.time >> 11, (e.time >> 5) & 63, (e.time & 31) * 2);
    // A directory's times are its own to keep: only a file's are shown to be edited.
    FileTimes t;
    CalendarTime c, w, a;
    if ((e.attributes & kAttrDirectory) || !fs.GetTimes(std::string(dir) + e.name, t) ||
        !clock.ToLocal(t.creation, c) || !clock.ToLocal(t.lastWrite, w) || !clock.ToLocal(t.lastAccess, a))
        return f;
    f.timesEditable = true;
    f.applyTimes = v.table.MarkedCount == 0;
    f.creationDate = DateText(c.year, c.month, c.day), f.creationTime = TimeText(c.hour, c.minute, c.second);
    f.writeDate = DateText(w.year, w.month, w.day), f.writeTime = TimeText(w.hour, w.minute, w.second);
    f.accessDate = DateText(a.year, a.month, a.day);
    return f;
}

AttributeResult ApplyAttributeForm(ListView& v, const char* dir, const AttributeForm& form, FileSystem& fs,
                                   LocalClock& clock, void* owner) {
    const std::uint32_t boxes = (form.archive ? kAttrArchive : 0) | (form.readOnly ? kAttrReadOnly : 0) |
                                (form.hidden ? kAttrHidden : 0) | (form.system ? kAttrSystem : 0);
    AttributeResult res;
    bool timesKnown = false;  // the times of the first file that took them, for all that follow
    FileTimes shared;
    std::string firstRefused, whatRefused;
    SelectionWalk walk;
    walk.kind = RowKind::FileOrDirectory;
    walk.dropMarks = false;
    WalkSelection(v.table, v.CursorIndex, walk, [&](int row) {
        FileEntry& e = v.table.rows[row];
        const std::string path = std::string(dir) + e.name;
        const std::uint32_t wanted = (e.attributes & ~kBoxBits) | boxes;
        // What a link is given would reach what it points to (Wine's does).
        if (fs.IsLink(path, e.attributes)) {
            if (res.refused++ == 0) firstRefused = path, whatRefused = kLinkAttributesKept;
            return RowOutcome::Failed;
        }
        fs.SetAttributes(path, kAttrNormal);  // a read-only file takes its times only so
        bool timesRefused = false, timesSet = false;
        if (form.applyTimes && !(e.attributes & kAttrDirectory)) {
            FileTimes t;
            if (!timesKnown && fs.GetTimes(path, t)) {
                t.creation = Edited(t.creation, form.creationDate, form.creationTime, clock);
                t.lastWrite = Edited(t.lastWrite, form.writeDate, form.writeTime, clock);
                t.lastAccess = Edited(t.lastAccess, form.accessDate, "", clock);
                timesSet = fs.SetTimes(path, t);
                if (timesSet) shared = t, timesKnown = true;
            } else if (timesKnown) {
                timesSet = fs.SetTimes(path, shared);
            }
            timesRefused = !timesSet;
        }
        const std::uint32_t settable = wanted & kSettableBits;
        const bool set = fs.SetAttributes(path, settable ? settable : kAttrNormal);
        // The row shows what the entry has now, whatever the system took.
        const FileStat st = fs.Stat(path);
        if (st.exists) {
            e.attributes = st.attributes;
            if (timesSet) e.date = st.date, e.time = st.time;
        }
        const bool attributesRefused = !set || !st.exists || (st.attributes & kBoxBits) != (wanted & kBoxBits);
        if (!attributesRefused && !timesRefused) return ++res.changed, RowOutcome::Done;
        if (res.refused++ == 0)
            firstRefused = path, whatRefused = attributesRefused ? kAttributesRefused : kTimesRefused;
        return RowOutcome::Failed;
    });
    if (res.refused > 0) {
        std::string text = firstRefused + whatRefused;
        if (res.refused > 1) {
            char more[64];
            std::snprintf(more, sizeof more, kOthersRefused, res.refused - 1);
            text += more;
        }
        Tell(owner, text, kRowErrorTitle);
    }
    char said[128];
    std::snprintf(said, sizeof said, res.refused ? kSaidAttributesRefused : kSaidAttributes, res.changed, res.refused);
    res.said = said;
    return res;
}

}  // namespace qrn
