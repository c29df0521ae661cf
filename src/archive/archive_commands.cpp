#include "archive/archive_commands.h"

#include <set>

#include <cstdio>

#include "archive/archive_texts.h"
#include "base/prompts.h"
#include "base/selection.h"

namespace qrn {

namespace {

// The library of kind, loaded and free; null after telling why not.
std::unique_ptr<Archiver> Ready(ArchiveCommand& c, ArchiverKind kind) {
    std::unique_ptr<Archiver> a = c.platform.Load(c.owner, kind);
    if (a && a->Running()) {
        CurrentPrompts().Message(c.owner, ArchiverMessage(kind, kArchiverRunning).c_str(), kArchiverMessageTitle, kMbOk);
        a.reset();
    }
    return a;
}

void CountsChanged(ArchiveCommand& c) {
    if (c.countsChanged) c.countsChanged();
}

const char* CursorName(const ArchiveCommand& c) {
    const EntryTable& t = c.listing.table;
    const int i = c.listing.CursorIndex;
    return i >= 0 && i < t.EntryCount ? t.rows[i].name : "";
}

std::string Counted(const char* format, int n) {
    char text[64];
    std::snprintf(text, sizeof text, format, n);
    return text;
}

std::string Summary(const char* doneFormat, int done, int failed) {
    if (done + failed == 0) return std::string();
    return Counted(doneFormat, done) + (failed ? Counted(kSaidFailed, failed) : std::string());
}

struct Tally {
    int done = 0, failed = 0;
    void Count(int result) { ++(result == 0 ? done : failed); }
};

// The name the archive gets: offered as FILENAMEGET says; false on cancel.
bool AskName(ArchiveCommand& c, const char* title, std::string& name) {
    char text[kPathSize];
    CopyCut(text, sizeof text, PackNameOffered(c.settings, CursorName(c)).c_str());
    if (!CurrentPrompts().InputLine(c.owner, title, text, sizeof text)) return false;
    name = text;
    return true;
}

// The response file is gone after the call, whatever the call did.
struct TemporaryFile {
    ArchivePlatform& platform;
    std::string path;
    ~TemporaryFile() {
        if (!path.empty()) platform.Remove(path);
    }
};

}  // namespace

ArchiveResult UnpackArchives(ArchiveCommand& c, const char* destDir) {
    EntryTable& t = c.listing.table;
    const bool makeDir =
        t.MarkedCount > 0 && CurrentPrompts().Message(c.owner, kSubdirectoryQuestion, kSubdirectoryTitle,
                                                      kMbOkCancel | kMbIconQuestion) == kIdOk;
    Tally tally;
    const int total = t.MarkedCount > 0 ? t.MarkedCount : 1;
    auto unpack = [&](Archiver& a, ArchiverKind kind, int row) {
        tally.Count(a.Call(c.owner, UnpackLine(c.settings, kind, c.listing.CurrentDir, t.rows[row].name, destDir, makeDir)));
        SetMark(t, row, false);
        CountsChanged(c);
        if (c.walked) c.walked(tally.done + tally.failed, total);
    };
    // A library refused or busy once is not asked again in this command:
    // its rows keep their marks, and the user is told once.
    std::set<ArchiverKind> givenUp;
    auto ready = [&](ArchiverKind kind) {
        std::unique_ptr<Archiver> a = givenUp.count(kind) ? nullptr : Ready(c, kind);
        if (!a) givenUp.insert(kind);
        return a;
    };
    // Every row of a library's kind in one loading: the marked ones, else the
    // cursor row. False once no row is marked any more.
    auto batch = [&](ArchiverKind kind) {
        std::unique_ptr<Archiver> a = ready(kind);
        if (!a) return true;
        a->SetModes();
        const bool marked = t.MarkedCount > 0;
        for (int row = marked ? 0 : c.listing.CursorIndex; row >= 0 && row < t.EntryCount; ++row) {
            if (UnpackKindOf(t.rows[row].name) != kind || (marked && !t.rows[row].mark)) continue;
            unpack(*a, kind, row);
            if (t.MarkedCount == 0) return false;
        }
        return true;
    };
    SelectionWalk walk;
    walk.kind = RowKind::PlainFile;  // a marked directory is no archive
    walk.dropMarks = false;          // each row's library clears its mark
    WalkSelection(t, c.listing.CursorIndex, walk, [&](int row) {
        const ArchiverKind kind = UnpackKindOf(t.rows[row].name);
        if (kind != ArchiverKind::Ish) return batch(kind) ? RowOutcome::Done : RowOutcome::Stop;
        // ISH32 takes one row a loading.
        if (std::unique_ptr<Archiver> a = ready(kind)) unpack(*a, kind, row);
        return RowOutcome::Done;
    });
    return {Summary(kSaidUnpacked, tally.done, tally.failed), true};
}

ArchiveResult PackEntries(ArchiveCommand& c, ArchiverKind kind) {
    EntryTable& t = c.listing.table;
    std::unique_ptr<Archiver> a = Ready(c, kind);
    std::string name;
    if (!a || !AskName(c, kind == ArchiverKind::Tar ? kTarNameTitle : kLzhNameTitle, name)) return {};
    a->SetModes();
    int result = 0, entries = 1;
    if (t.MarkedCount == 0) {
        result = a->Call(c.owner, PackLine(c.settings, kind, name, CursorName(c), false));
    } else {
        std::string list;
        for (int row = 0; row < t.EntryCount; ++row)
            if (t.rows[row].mark) list += ResponseLine(t.rows[row].name);
        TemporaryFile response{c.platform, std::string()};
        if (!c.platform.WriteTemporary(list, response.path)) {
            CurrentPrompts().Message(c.owner, kResponseFileFailed, kResponseFileTitle, kMbOk);
            return {};
        }
        entries = t.MarkedCount;
        ClearAllMarks(t);
        CountsChanged(c);
        result = a->Call(c.owner, PackLine(c.settings, kind, name, response.path, true));
    }
    return {result == 0 ? Counted(kSaidPacked, entries) : kSaidNotPacked, true};
}

ArchiveResult MakeIsh(ArchiveCommand& c, const char* destDir) {
    EntryTable& t = c.listing.table;
    std::unique_ptr<Archiver> a = Ready(c, ArchiverKind::Ish);
    std::string name;
    if (!a || !AskName(c, kIshNameTitle, name)) return {};
    Tally tally;
    if (t.MarkedCount == 0) {
        tally.Count(a->Call(c.owner, IshMakeLine(destDir, true, name, CursorName(c))));
        return {Summary(kSaidEncoded, tally.done, tally.failed), true};
    }
    const std::string output = name + ".ISH";
    SelectionWalk walk;
    walk.countsChanged = [&c] { CountsChanged(c); };
    WalkSelection(t, c.listing.CursorIndex, walk, [&](int row) {
        tally.Count(a->Call(c.owner, IshMakeLine(destDir, tally.done == 0, output, t.rows[row].name)));
        return tally.failed ? RowOutcome::Stop : RowOutcome::Done;
    });
    return {Summary(kSaidEncoded, tally.done, tally.failed), true};
}

}  // namespace qrn
