// What the core tests share: an in-memory qrn.ini with the semantics of the
// Windows profile functions, scripted prompts, a recording status dialog and
// one listing for the run. The Windows layer's tests of the file operations
// use the prompts and the status dialog too.
#pragma once
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <deque>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "base/profile.h"
#include "base/prompts.h"
#include "base/speech.h"
#include "fileops/operation_ui.h"
#include "fileops/transfer.h"
#include "listing/dir_reader.h"
#include "listing/list_view.h"
#include "listing/list_format.h"
#include "listing/wildcard.h"

namespace qrn::test {

using Strings = std::vector<std::string>;
using Ints = std::vector<int>;

inline Strings NamesOf(const FileEntry* rows, int count) {
    Strings v;
    for (int i = 0; i < count; ++i) v.push_back(rows[i].name);
    return v;
}

// Sections and keys are kept sorted by name, which is the order every test writes them in.
class FakeProfile : public Profile {
public:
    // Read as the system reads a file: blanks trimmed, the first of duplicate keys holds.
    explicit FakeProfile(const std::string& text = "") {
        std::istringstream in(text);
        for (std::string line, section; std::getline(in, line);) {
            line = Trim(line);
            std::size_t eq = line.find('=');
            if (line.size() >= 2 && line[0] == '[') section = Trim(line.substr(1, line.find(']') - 1));
            else if (!section.empty() && eq != std::string::npos)
                sections_[section].emplace(Trim(line.substr(0, eq)), Trim(line.substr(eq + 1)));
        }
    }
    int GetInt(const char* section, const char* key, int def) override {
        const std::string* v = Find(section, key);
        long long n = v && !v->empty() ? std::strtoll(v->c_str(), nullptr, 10) : def;
        return static_cast<int>(n > 0x7fffffffLL ? 0x7fffffffLL : n < -0x7fffffffLL ? -0x7fffffffLL : n);
    }
    std::size_t GetString(const char* section, const char* key, const char* def, char* out, std::size_t size) override {
        const std::string* v = Find(section, key);
        std::snprintf(out, size, "%s", v ? v->c_str() : def);  // cut byte by byte, as the system does
        return std::strlen(out);
    }
    void WriteString(const char* section, const char* key, const char* value) override {
        ++writes;
        if (key && value) sections_[section][key] = value;
        else if (key) sections_[section].erase(key);
        else sections_.erase(section);
    }
    Strings SectionKeys(const char* section) override {
        Strings keys;
        for (auto& kv : sections_[section]) keys.push_back(kv.first);
        return keys;
    }
    // The value, or null when absent.
    const std::string* Find(const std::string& section, const std::string& key) const {
        auto s = sections_.find(section);
        return s == sections_.end() || !s->second.count(key) ? nullptr : &s->second.at(key);
    }
    int writes = 0;

private:
    std::map<std::string, std::map<std::string, std::string>> sections_;
    static std::string Trim(const std::string& s) {
        std::size_t b = s.find_first_not_of(" \t\r"), e = s.find_last_not_of(" \t\r");
        return b == std::string::npos ? std::string() : s.substr(b, e - b + 1);
    }
};

// Messages (title|text) answered in turn, then by otherwise; typed lines
// (title|initial line; none left cancels); installed while it lives.
struct ScriptedPrompts : Prompts {
    Strings messages, inputs;
    std::deque<std::string> lines;
    std::deque<int> answers;
    int otherwise = kIdCancel, beeps = 0;
    ScriptedPrompts() { SetPrompts(this); }
    ~ScriptedPrompts() override { SetPrompts(nullptr); }
    int Message(void*, const char* text, const char* title, unsigned) override {
        messages.push_back(std::string(title) + "|" + text);
        if (answers.empty()) return otherwise;
        const int a = answers.front();
        answers.pop_front();
        return a;
    }
    void Beep() override { ++beeps; }
    bool InputLine(void*, const char* title, char* text, std::size_t size) override {
        inputs.push_back(std::string(title) + "|" + text);
        if (lines.empty()) return false;
        std::snprintf(text, size, "%s", lines.front().c_str());
        lines.pop_front();
        return true;
    }
};

// The status dialog of the file operations, recording what it was told (the
// error lists as name|text, their text read by ListText); Cancel comes at
// poll cancelAtPoll. Unanswered messages are answered OK.
struct RecordingUi : OperationUi {
    ScriptedPrompts prompts;
    DuplicatePolicy duplicate = DuplicatePolicy::OverwriteAll;
    bool cancel = false;
    int polls = 0, cancelAtPoll = 0, asked = 0;
    std::uint64_t clock = 0;
    Strings progress, errorLists;
    Ints cursorRows;

    RecordingUi() { prompts.otherwise = kIdOk; }
    virtual std::string ListText(const char* name) = 0;
    void* Owner() override { return nullptr; }
    void OpenStatus(const char*) override {}
    void CloseStatus() override {}
    void ShowStatus(bool) override {}
    void Poll() override { cancel = cancel || ++polls == cancelAtPoll; }
    bool CancelRequested() override { return cancel; }
    void SetCancelRequested(bool on) override { cancel = on; }
    void Progress(const std::string& text) override { progress.push_back(text); }
    void EntryInfo(const std::string&, const FileStat&) override {}
    DuplicatePolicy AskDuplicate() override { return ++asked, duplicate; }
    void CursorTo(int row) override { cursorRows.push_back(row); }
    void ShowErrorList(const char* name) override { errorLists.push_back(name + ("|" + ListText(name))); }
    std::uint64_t Milliseconds() override { return clock += 300; }
    static std::string Told(const std::string& title, const std::string& text) { return title + "|" + text; }
};

// A listing in its start state: too large for the stack, so one lives for the run.
inline Listing& TestListing() {
    static Listing listing;
    ResetListing(listing);
    return listing;
}

// One row as the reader fills it.
inline FileEntry Row(const char* name, std::uint32_t attributes = kAttrArchive, std::uint64_t size = 0,
                     std::uint16_t date = 0, std::uint16_t time = 0) {
    FileEntry e{};
    std::snprintf(e.name, sizeof e.name, "%s", name);
    e.attributes = attributes, e.size = size, e.date = date, e.time = time, e.ext = ExtensionIndex(name);
    return e;
}

// The list of dir as the reader leaves it from fs, the given rows marked.
inline Listing& ListOf(FileSystem& fs, const std::string& dir, const Ints& marked = {}, int cursor = 0) {
    Listing& l = TestListing();
    CopyCut(l.CurrentDir, sizeof l.CurrentDir, dir.c_str());
    std::vector<DirItem> items;
    fs.List(dir, items);
    for (const DirItem& i : items) l.table.rows[l.table.EntryCount++] = Row(i.name.c_str(), i.attributes, i.size);
    for (int row : marked) SetMark(l.table, row, true);
    l.CursorIndex = cursor;
    return l;
}

// A command over the rows of l into dest.
inline TransferRequest Into(const Listing& l, const char* dest, bool mask = false, const char* pattern = "") {
    TransferRequest r;
    r.currentDir = l.CurrentDir, r.destDir = dest, r.mask = mask, r.pattern = pattern;
    return r;
}

// Directories by path, labels by drive, drives that are not ready, the drive window's choice; every other call is logged.
struct FakeDisk : DirectoryPlatform {
    std::map<std::string, std::vector<FileEntry>> dirs;
    std::map<char, std::string> labels;
    std::string notReady, chosen;  // nothing chosen: the drive window is cancelled
    Strings log;
    std::vector<FileEntry>* cur = nullptr;
    std::size_t pos = 0;

    std::uint64_t QueryDiskSpace(const char* path, DiskFigures& f) override {
        f = {5000000000ull, 400, 4999999600ull};
        return notReady.find(path[0]) != std::string::npos ? kDiskQueryFailed : f.free;
    }
    bool VolumeLabel(const char* root, char* out, std::size_t size) override {
        return labels.count(root[0]) && std::snprintf(out, size, "%s", labels[root[0]].c_str()) >= 0;
    }
    bool First(const char* search, FoundRecord& rec) override {
        log.push_back(std::string("search ") + search);
        cur = &dirs[std::string(search, std::strlen(search) - 3)], pos = 0;
        return Next(rec);
    }
    bool Next(FoundRecord& rec) override {
        if (pos >= cur->size()) return false;
        const FileEntry& f = (*cur)[pos++];
        std::snprintf(rec.name, sizeof rec.name, "%s", f.name);
        rec.attributes = f.attributes, rec.size = f.size, rec.date = 0x5A21, rec.time = 0x6000;
        return true;
    }
    void Close() override { log.push_back("close"); }
    void LowerCase(char* s) override { LowerAscii(s); }
    void MakeWorkingDirectory(const char* path) override { log.push_back(std::string("work ") + path); }
    void* ArmWatch(void*, const char* dir, unsigned filter) override {
        return log.push_back(std::string("watch ") + dir + " " + std::to_string(filter)), &log;
    }
    void Sort(EntryTable&) override { log.push_back("sort"); }
    const char* ProgramFolder() override { return "C:\\QRN"; }
    int ChooseDrive(void*, const char* title, char* choice, std::size_t size) override {
        log.push_back(std::string("choose ") + title + " " + choice);
        return chosen.empty() ? -1 : (std::snprintf(choice, size, "%s", chosen.c_str()), 1);
    }
};

// A reader window, its engine's loading and answer, NVDA's client and a clock, as a test sets them.
struct ScriptedSpeech final : SpeechPlatform {
    bool window = false, loads = true, nvdaLoads = false, nvdaRuns = true;
    int result = 1, windowChecks = 0, loadings = 0, nvdaLoadings = 0, nvdaAsks = 0;
    std::uint32_t now = 0;
    Strings calls;  // engine, flag and text of each call; "3 cancel" and "3 <text>" for NVDA
    bool ReaderWindowExists() override { return ++windowChecks, window; }
    bool LoadEngine(int) override { return ++loadings, loads; }
    int Call(int engine, char* text, int flag) override {
        calls.push_back(std::to_string(engine) + " " + std::to_string(flag) + " " + text);
        text[0] = 'Z';  // the engine may scribble on what it is given
        return result;
    }
    bool LoadNvda() override { return ++nvdaLoadings, nvdaLoads; }
    bool NvdaRunning() override { return ++nvdaAsks, nvdaRuns; }
    void NvdaCancel() override { calls.push_back("3 cancel"); }
    bool NvdaSpeak(const char* text) override { return calls.push_back(std::string("3 ") + text), nvdaRuns; }
    std::uint32_t Milliseconds() override { return now; }
};

}  // namespace qrn::test
