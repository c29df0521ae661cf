#include "launch/templates.h"

#include <cstring>

#include "base/sjis.h"

namespace qrn {

namespace {

// Appends to a bounded output; remembers when something did not fit.
struct Out {
    char* buf;
    std::size_t size;
    std::size_t len = 0;
    bool overflow = false;

    void Put(char c) {
        if (len + 1 < size) buf[len++] = c;
        else overflow = true;
    }
    void Put(const char* s) {
        while (*s) Put(*s++);
    }
    void Put(const char* s, std::size_t n) {
        for (std::size_t i = 0; i < n; ++i) Put(s[i]);
    }
    // Ends the text; a text that did not fit leaves the buffer empty.
    bool Finish() {
        buf[overflow ? 0 : len] = '\0';
        return !overflow;
    }
};

// Length of the base name: up to the first real period, or the whole name.
std::size_t BaseLength(const char* name) {
    std::size_t i = 0;
    while (name[i]) {
        if (IsLeadByte(name[i]) && name[i + 1]) {
            i += 2;
            continue;
        }
        if (name[i] == '.') return i;
        ++i;
    }
    return i;
}

void PutName(Out& o, const char* name) {
    const bool quote = IsLongName(name);
    if (quote) o.Put('"');
    o.Put(name);
    if (quote) o.Put('"');
}

void PutBaseName(Out& o, const char* name) {
    const bool quote = IsLongName(name);
    if (quote) o.Put('"');
    o.Put(name, BaseLength(name));
    if (quote) o.Put('"');
}

const char* RowName(const Listing& l, int index) {
    if (index < 0 || index >= l.table.EntryCount || index >= kTableRows) return "";
    return l.table.rows[index].name;
}

void PutFullPath(Out& o, const Listing& l, const char* name) {
    o.Put(l.CurrentDir);
    o.Put(name);
}

}  // namespace

bool IsLongName(const char* name) {
    const std::size_t n = std::strlen(name);
    if (n > 12) return true;
    if (n == 0) return false;
    int periods = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const char c = name[i];
        if (IsLeadByte(c) && i + 1 < n) {
            ++i;
            continue;
        }
        if (c == ' ' || c == '+') return true;
        if (c == '.') {
            if (++periods >= 2 || i > 8) return true;
        }
    }
    return false;
}

bool ExpandTemplate(const char* tmpl, char* out, std::size_t size, int subject, const Listing& l,
                    ShortPathFn shortPath) {
    if (size == 0) return false;
    Out o{out, size};
    const char* name = RowName(l, subject);
    const bool marked = l.table.MarkedCount > 0;
    const char* cursorName = RowName(l, l.CursorIndex);
    for (std::size_t i = 0; tmpl[i];) {
        const char c = tmpl[i];
        if (IsLeadByte(c) && tmpl[i + 1]) {
            o.Put(tmpl + i, 2);
            i += 2;
            continue;
        }
        if (c == ';') break;
        if (c != '%') {
            o.Put(c);
            ++i;
            continue;
        }
        const char p = tmpl[i + 1];
        switch (p) {
        case 'F':
            PutFullPath(o, l, name);
            break;
        case 'S': {
            char full[kPathSize * 2];
            std::size_t dl = std::strlen(l.CurrentDir), nl = std::strlen(name);
            if (dl + nl >= sizeof full) {
                o.overflow = true;
                break;
            }
            std::memcpy(full, l.CurrentDir, dl);
            std::memcpy(full + dl, name, nl + 1);
            char shortForm[kPathSize];
            if (shortPath && shortPath(full, shortForm, sizeof shortForm) && shortForm[0]) o.Put(shortForm);
            else o.Put(full);
            break;
        }
        case '>':
            PutName(o, name);
            break;
        case '&':
            PutBaseName(o, name);
            break;
        case ']':
            if (marked) PutName(o, cursorName);
            break;
        case '[':
            if (marked) PutBaseName(o, cursorName);
            break;
        case '|':
            if (l.CurrentDir[0]) o.Put(l.CurrentDir[0]);
            o.Put(':');
            break;
        case ':':
            if (std::strlen(l.CurrentDir) > 2) o.Put(l.CurrentDir + 2);
            break;
        default:
            // Not a placeholder: the percent sign stands for itself and the
            // byte after it is read as an ordinary one.
            o.Put('%');
            ++i;
            continue;
        }
        i += 2;
    }
    return o.Finish();
}

int FindEntryByName(const char* name, const EntryTable& table) {
    const int count = table.EntryCount < kTableRows ? table.EntryCount : kTableRows;
    for (int i = 0; i < count; ++i) {
        if (table.rows[i].attributes & kAttrLabel) continue;
        if (CompareNoCase(table.rows[i].name, name) == 0) return i;
    }
    return -1;
}

bool ProgramCommand(const char* program, char* out, std::size_t size, int subject, const Listing& l,
                    bool quoteNames, ShortPathFn shortPath) {
    if (!ExpandTemplate(program, out, size, subject, l, shortPath)) return false;
    if (std::strcmp(out, program) != 0) return true;
    Out o{out, size};
    o.Put(program);
    o.Put(' ');
    if (quoteNames) o.Put('"');
    PutFullPath(o, l, RowName(l, subject));
    if (quoteNames) o.Put('"');
    return o.Finish();
}

}  // namespace qrn
