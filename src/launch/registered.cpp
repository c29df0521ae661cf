#include "launch/registered.h"

#include <cstdio>
#include <cstring>

#include "base/settings.h"
#include "base/sjis.h"
#include "launch/launch_texts.h"
#include "listing/list_keys.h"

namespace qrn {

namespace {

constexpr int kKeyA = 'A', kKeyZ = 'Z';

IniKey MaxPageKey(Collection c) { return c == Collection::Commands ? IniKey::ExecMaxPage : IniKey::DirecMaxPage; }
IniKey NowPageKey(Collection c) { return c == Collection::Commands ? IniKey::ExecNowPage : IniKey::DirecNowPage; }

// A value read whole as far as it fits, never ending in half a character.
void ReadText(Profile& ini, const std::string& section, const char* key, char* out, std::size_t size) {
    ini.GetString(section.c_str(), key, "", out, size);
    TrimDanglingLead(out);
}

// The key of entry i: "A" to "Z".
struct EntryKey {
    explicit EntryKey(int i) : name{static_cast<char>('A' + i), '\0'} {}
    char name[2];
};

// A page's title and its entries as stored.
void ReadPage(Profile& ini, Collection c, int page, char* title, char (*entries)[kEntrySize]) {
    const std::string section = PageSection(c, page);
    ReadText(ini, section, "PageTitle", title, kTitleSize);
    for (int i = 0; i < kEntryLetters; ++i) ReadText(ini, section, EntryKey(i).name, entries[i], kEntrySize);
}

void LoadPage(CommandList& l, Profile& ini) {
    char stored[kEntryLetters][kEntrySize];
    ReadPage(ini, l.collection, l.page, l.pageTitle, stored);
    for (int i = 0; i < kEntryLetters; ++i) SplitEntry(stored[i], l.collection, l.items[i]);
    l.selected = 0;
}

// The first ";" that is no trail byte, or npos.
std::size_t Semicolon(const std::string& s) {
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (IsLeadByte(s[i])) ++i;
        else if (s[i] == ';') return i;
    }
    return std::string::npos;
}

}  // namespace

PageCount ReadPageCount(Profile& ini, Collection c) {
    int count = LoadInt(ini, MaxPageKey(c));
    count = count > kWindowPages ? kWindowPages : count < 1 ? 3 : count;
    int current = LoadInt(ini, NowPageKey(c));
    current = current < 1 ? 1 : current > count ? count : current;
    return {count, current};
}

std::string PageSection(Collection c, int page) {
    char name[16];
    std::snprintf(name, sizeof name, "%s_%02d", c == Collection::Commands ? kSectionExec : kSectionDirec, page);
    return name;
}

void SplitEntry(const char* stored, Collection c, RegisteredItem& item) {
    const std::string s = stored;
    const std::size_t semi = Semicolon(s);
    std::string text = s.substr(0, semi);
    if (c == Collection::Directories) {
        const int slash = LastBackslash(text.c_str());
        text = slash < 0 ? std::string() : text.substr(0, static_cast<std::size_t>(slash) + 1);
    }
    CopyCut(item.text, sizeof item.text, text.c_str());
    const std::string comment = semi == std::string::npos ? std::string() : s.substr(semi + 1);
    CopyCut(item.comment, sizeof item.comment, comment.empty() ? item.text : comment.c_str());
}

void OpenCommandList(CommandList& l, Profile& ini, Collection c) {
    l = CommandList{};
    l.collection = c;
    const PageCount p = ReadPageCount(ini, c);
    l.pages = p.count, l.page = p.current;
    LoadPage(l, ini);
}

std::string CommandListTitle(const CommandList& l) {
    char title[kTitleSize + 64];
    std::snprintf(title, sizeof title, "%s-%-30s Page:%02d",
                  l.collection == Collection::Commands ? kCommandListTitle : kDirectoryListTitle, l.pageTitle, l.page);
    return title;
}

const char* CommandRowText(const CommandList& l, int row) {
    return l.showText ? l.items[row].text : l.items[row].comment;
}

ListAnswer CommandListKey(CommandList& l, Profile& ini, int key) {
    switch (key) {
    case kKeyUp: l.selected = (l.selected + kSlots - 1) % kSlots; return ListAnswer::Select;
    case kKeyDown: l.selected = (l.selected + 1) % kSlots; return ListAnswer::Select;
    case kKeyLeft:
    case kKeyRight: l.selected = l.selected < 10 ? l.selected + 10 : l.selected - 10; return ListAnswer::Select;
    case kKeyTab:
        l.showText = !l.showText;
        l.selected = 0;
        return ListAnswer::Repaint;
    case kKeyNext:
    case kKeyPrior: {
        l.page = key == kKeyNext ? l.page % l.pages + 1 : (l.page + l.pages - 2) % l.pages + 1;
        StoreInt(ini, NowPageKey(l.collection), l.page);
        LoadPage(l, ini);
        return ListAnswer::Page;
    }
    case kKeyReturn: l.picked = l.selected; return ListAnswer::Done;
    case kKeyEscape: l.closed = true; return ListAnswer::Done;
    default: break;
    }
    if (key >= kKeyA && key <= kKeyZ) {
        l.picked = key - kKeyA;
        return ListAnswer::Done;
    }
    return ListAnswer::None;
}

int CommandRowAt(int x, int y, int cw, int lh) {
    if (lh <= 0 || y < lh / 2) return 0;
    const int line = (y - lh / 2) / lh;
    return (line > 9 ? 9 : line) + (x > 24 * cw ? 10 : 0);
}

void LoadRegisteredPages(Profile& ini, Collection c, RegisteredPages& p) {
    p = RegisteredPages{};
    p.collection = c;
    const PageCount count = ReadPageCount(ini, c);
    p.count = count.count > kDialogPages ? kDialogPages : count.count;
    p.current = count.current > p.count ? p.count : count.current;
    for (int page = 0; page < kDialogPages; ++page) ReadPage(ini, c, page + 1, p.titles[page], p.entries[page]);
}

void StoreRegisteredPages(Profile& ini, const RegisteredPages& p) {
    for (int page = 0; page < kDialogPages; ++page) {
        const std::string section = PageSection(p.collection, page + 1);
        auto put = [&](const char* key, const char* value) { ini.WriteString(section.c_str(), key, value[0] ? value : nullptr); };
        put("PageTitle", p.titles[page]);
        for (int i = 0; i < kEntryLetters; ++i) put(EntryKey(i).name, p.entries[page][i]);
    }
}

SlotAnswer PressSlot(RegisteredPages& p, int slot, std::string& path, std::string& comment) {
    p.lastSlot = slot;
    char* entry = p.entries[p.current - 1][slot];
    if (!path.empty()) {
        const std::string stored = path + kEntrySeparator + comment;
        if (stored.size() >= kEntrySize) return SlotAnswer::TooLong;
        std::memcpy(entry, stored.c_str(), stored.size() + 1);
        path.clear(), comment.clear();
        return SlotAnswer::Stored;
    }
    if (!entry[0]) return SlotAnswer::Chosen;
    const std::string s = entry;
    const std::size_t semi = Semicolon(s);
    path = s.substr(0, semi);
    comment.clear();
    if (semi != std::string::npos) {
        while (!path.empty() && path.back() == ' ') path.pop_back();
        comment = s.substr(semi + 1);
    }
    return SlotAnswer::Taken;
}

bool ClearLastSlot(RegisteredPages& p, std::string& path, std::string& comment) {
    if (p.lastSlot < 0) return false;
    p.entries[p.current - 1][p.lastSlot][0] = '\0';
    path.clear(), comment.clear();
    return true;
}

bool TurnToPage(RegisteredPages& p, int n) {
    if (n < 1 || n > p.count) return false;
    p.current = n;
    return true;
}

}  // namespace qrn
