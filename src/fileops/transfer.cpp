#include "fileops/transfer.h"

#include <algorithm>
#include <functional>
#include <cstdio>
#include <map>
#include <unordered_map>
#include <utility>
#include <vector>

#include "base/prompts.h"
#include "base/selection.h"
#include "fileops/fileops_texts.h"
#include "fileops/in_place.h"

namespace qrn {

namespace {


std::string Summary(const TransferResult& r, const char* done, const char* doneFailed, const char* none) {
    std::string said = r.done == 0 ? none : r.failed ? Said(doneFailed, r.done, r.failed) : Said(done, r.done);
    if (r.passedOver > 0) said += Said(kSaidPassedOver, r.passedOver);
    return said;
}

// One directory however it is reached (letter case, another drive letter, a link).
bool SameDirectory(FileSystem& fs, const std::string& a, const std::string& b) {
    return (IsSameOrInside(a, b) && IsSameOrInside(b, a)) || SameFile(fs, WithoutBackslash(a), WithoutBackslash(b));
}

void Prepare(CopyJob& job, const TransferRequest& r) {
    job.ownExecutable = r.ownExecutable;
    job.pendingUpdate = r.pendingUpdate;
    job.ui.SetCancelRequested(false);
}

// The marked rows in table order, or the cursor row when none is marked;
// after a failed row the user says whether the rest follow.
void WalkRows(ListView& v, OperationUi& ui, const char* continueText, TransferResult& res,
              const std::function<RowOutcome(int)>& transfer) {
    SelectionWalk walk;
    walk.kind = RowKind::FileOrDirectory;
    walk.goOnAfterFailure = [&ui, continueText] { return Confirmed(ui.Owner(), continueText, kConfirmTitle); };
    walk.countsChanged = [&ui] { ui.ShowCounts(); };
    walk.walked = SpokenProgress(ui);
    const SelectionTally tally = WalkSelection(v.table, v.CursorIndex, walk, transfer);
    res.done += tally.done;
    res.failed += tally.failed;
}

RowOutcome CopyRow(CopyJob& job, ListView& v, int row, const TransferRequest& r, TransferResult& res) {
    const FileEntry& e = v.table.rows[row];
    job.ui.CursorTo(row);
    if (SameDirectory(job.fs, r.currentDir, r.destDir)) res.refresh = true;
    // Counted as copied only when something was: a file passed over as up to
    // date (or turned into an update of the program) is not.
    const int before = job.filesCopied, skipped = job.filesSkipped;
    const bool newDirectory =
        (e.attributes & kAttrDirectory) && !job.fs.Stat(std::string(r.destDir) + e.name).exists;
    if (CopyEntry(job, r.currentDir, r.destDir, e.name, e.attributes, r.mask, r.pattern)) {
        if (job.filesCopied > before || newDirectory) return RowOutcome::Done;
        if (job.filesSkipped > skipped) ++res.passedOver;  // left as it was, by the policy or as up to date
        return RowOutcome::PassedOver;
    }
    Tell(job.ui.Owner(), std::string(r.currentDir) + e.name + (job.ui.CancelRequested() ? kCopyStopped : kCopyFailed),
         kRowErrorTitle);
    return RowOutcome::Failed;
}

RowOutcome MoveRow(CopyJob& job, ListView& v, int row, const TransferRequest& r, TransferResult& res) {
    const FileEntry& e = v.table.rows[row];
    job.ui.CursorTo(row);
    const std::string path = std::string(r.currentDir) + e.name;
    FileStat st;
    st.exists = true, st.attributes = e.attributes, st.size = e.size, st.date = e.date, st.time = e.time;
    job.ui.EntryInfo(path, st);
    // A file the policy left where it was is passed over, not moved.
    const int skipped = job.filesSkipped;
    if (MoveEntry(job, r.currentDir, r.destDir, e.name, e.attributes)) {
        if ((e.attributes & kAttrDirectory) || job.filesSkipped == skipped) return RowOutcome::Done;
        ++res.passedOver;
        return RowOutcome::PassedOver;
    }
    Tell(job.ui.Owner(), path + (job.ui.CancelRequested() ? kMoveStopped : kMoveFailed), kRowErrorTitle);
    return RowOutcome::Failed;
}

// The error log as mirror copy writes it: when it cannot be made, that is
// told once, and nothing further is written or shown.
struct GuardedLog : ErrorLog {
    explicit GuardedLog(ErrorLog& l) : log(l) {}
    bool Append(void* owner, const char* line, int count, char* logName) override {
        if (count >= 0) ++lines;
        if (broken) return false;
        if (log.Append(owner, line, count, logName)) return true;
        broken = count == 0;
        return false;
    }
    ErrorLog& log;
    bool broken = false;
    int lines = 0;
};

// The names of a listing, found without regard to case.
class NameIndex {
public:
    explicit NameIndex(const std::vector<DirItem>& items) : items_(items) {
        for (std::size_t i = 0; i < items.size(); ++i) index_.emplace(Key(items[i].name), i);
    }
    const DirItem* Find(const std::string& name) const {
        auto it = index_.find(Key(name));
        return it == index_.end() ? nullptr : &items_[it->second];
    }

private:
    static std::string Key(const std::string& name) { return UpperAscii(name); }
    const std::vector<DirItem>& items_;
    std::unordered_map<std::string, std::size_t> index_;
};

int MoveDirectory(CopyJob& job, const std::string& sourceDir, const std::string& targetDir, const std::string& name,
                  std::uint32_t attributes);

// The file system of mirror copy: the listings its deletion pass made are
// answered once more to the copy pass, which walks the same directories.
class ListingReplay : public FileSystem {
public:
    explicit ListingReplay(FileSystem& fs) : fs_(fs) {}
    bool List(const std::string& dir, std::vector<DirItem>& items) override {
        auto it = kept_.find(dir);
        if (it != kept_.end()) {
            items = std::move(it->second);
            kept_.erase(it);
            return true;
        }
        if (!fs_.List(dir, items)) return false;
        if (recording) kept_[dir] = items;
        return true;
    }
    bool recording = false;
    FileStat Stat(const std::string& p) override { return fs_.Stat(p); }
    bool Identity(const std::string& p, FileId& id) override { return fs_.Identity(p, id); }
    std::string RealPath(const std::string& p) override { return fs_.RealPath(p); }
    std::uint64_t FreeBytes(const std::string& p) override { return fs_.FreeBytes(p); }
    bool MakeDirectory(const std::string& p) override { return fs_.MakeDirectory(p); }
    bool RemoveDir(const std::string& p) override { return fs_.RemoveDir(p); }
    bool IsLink(const std::string& p, std::uint32_t a) override { return fs_.IsLink(p, a); }
    bool RemoveLink(const std::string& p) override { return fs_.RemoveLink(p); }
    std::uint64_t AllocatedSize(const std::string& p, std::uint64_t n) override { return fs_.AllocatedSize(p, n); }
    bool RemoveFile(const std::string& p) override { return fs_.RemoveFile(p); }
    bool Recycle(const std::string& p) override { return fs_.Recycle(p); }
    bool SetAttributes(const std::string& p, std::uint32_t a) override { return fs_.SetAttributes(p, a); }
    bool Rename(const std::string& a, const std::string& b) override { return fs_.Rename(a, b); }
    bool Replace(const std::string& a, const std::string& b) override { return fs_.Replace(a, b); }
    bool SetLabel(const std::string& r, const std::string& l) override { return fs_.SetLabel(r, l); }
    FileHandle OpenRead(const std::string& p) override { return fs_.OpenRead(p); }
    FileHandle CreateNew(const std::string& p, std::uint32_t a) override { return fs_.CreateNew(p, a); }
    FileHandle OpenExisting(const std::string& p) override { return fs_.OpenExisting(p); }
    bool Read(FileHandle h, void* b, std::size_t n, std::size_t& got) override { return fs_.Read(h, b, n, got); }
    bool Write(FileHandle h, const void* b, std::size_t n) override { return fs_.Write(h, b, n); }
    bool SetWriteTime(FileHandle h, std::uint64_t t) override { return fs_.SetWriteTime(h, t); }
    bool GetTimes(const std::string& p, FileTimes& t) override { return fs_.GetTimes(p, t); }
    bool SetTimes(const std::string& p, const FileTimes& t) override { return fs_.SetTimes(p, t); }
    bool Flush(FileHandle h) override { return fs_.Flush(h); }
    bool Close(FileHandle h) override { return fs_.Close(h); }
    unsigned LastError() override { return fs_.LastError(); }

private:
    FileSystem& fs_;
    std::map<std::string, std::vector<DirItem>> kept_;
};

// A move on one volume is one step of the system, a replace too (where it
// can). Across volumes the file goes through the engine's own copy: beside
// the target under a temporary name when one is replaced, then into its
// place, and only then is the source removed. The old target stays until
// the new one is whole; a copy whose source cannot be removed goes again.
bool MoveOrReplace(CopyJob& job, const std::string& src, const std::string& dst, bool replace, std::uint32_t attributes) {
    FileSystem& fs = job.fs;
    if (replace ? fs.Replace(src, dst) : fs.Rename(src, dst)) return true;
    if (fs.LastError() != kErrNotSameDevice) return false;
    // Copied over and then removed, the source must be known not to be the
    // target: a share of a folder of another share looks like another volume.
    FileId a, b;
    if (replace && (!fs.Identity(src, a) || !fs.Identity(dst, b) || a == b)) return false;
    if (!(replace ? ReplaceByCopy(job, src, dst) : CopyAsNew(job, src, dst))) return false;
    if (attributes & kAttrReadOnly) fs.SetAttributes(src, kAttrNormal);
    if (fs.RemoveFile(src)) return true;
    fs.SetAttributes(src, SettableAttributes(attributes));  // the source stays: told as failed
    if (!replace) {  // and is not left on both volumes
        fs.SetAttributes(dst, kAttrNormal);
        fs.RemoveFile(dst);
    }
    Failed(job, src);
    return false;
}

// Whether sourceDir and targetDir lie on one volume: by the volumes the
// system gives for the directories themselves (another volume may be
// mounted on a folder of the same drive), kept for the pair; by the drive
// letters when the system cannot tell.
bool SameVolume(CopyJob& job, const std::string& sourceDir, const std::string& targetDir) {
    const std::string key = sourceDir + "|" + targetDir;
    if (key == job.volumePair) return job.volumePairSame;
    FileId a, b;
    job.volumePair = key;
    job.volumePairSame = job.fs.Identity(WithoutBackslash(sourceDir), a) && job.fs.Identity(WithoutBackslash(targetDir), b)
                             ? a.volume == b.volume
                             : SameDrive(sourceDir, targetDir);
    return job.volumePairSame;
}

int MoveFileEntry(CopyJob& job, const std::string& sourceDir, const std::string& targetDir, const std::string& name) {
    FileSystem& fs = job.fs;
    OperationUi& ui = job.ui;
    void* owner = ui.Owner();
    const std::string src = sourceDir + name;
    std::string dst = targetDir + name;
    if (src.size() > kMaxPath || dst.size() > kMaxPath) {
        Tell(owner, (src.size() > kMaxPath ? src : dst).substr(0, kMaxPath) + kEntryPathTooLong, kErrorTitle);
        Failed(job, src);
        return 0;
    }
    const bool sameVolume = SameVolume(job, sourceDir, targetDir);
    // On one volume and letter the move itself tells whether the target
    // exists; a move into the directory the file is in (by any path) goes the
    // long way, to the policy.
    bool tryFirst = sameVolume && SameDrive(src, dst) && CompareNoCase(sourceDir.c_str(), targetDir.c_str()) != 0;
    for (;;) {
        const FileStat s = fs.Stat(src);
        if (!s.exists) {
            Failed(job, src);
            return 0;
        }
        const bool optimistic = tryFirst;
        tryFirst = false;
        const FileStat d = optimistic ? FileStat{} : fs.Stat(dst);
        bool replace = false;
        std::uint64_t need = s.size;
        if (d.exists) {
            const bool itself = SameFile(fs, src, dst);
            if (!itself && IsOwnProgram(job, src, dst)) return 1;
            if (!ChoosePolicy(job, src)) return 0;
            const DuplicatePolicy policy = job.policy;
            if (policy == DuplicatePolicy::Skip) return ++job.filesSkipped, 1;
            if (policy == DuplicatePolicy::Rename) {
                ui.ShowStatus(false);
                const bool named = AskNewName(job, targetDir, name, dst);
                ui.ShowStatus(true);
                if (!named) {
                    Failed(job, src);
                    return 0;
                }
                job.policyChosen = false;  // the next existing target asks again
            } else {
                // Moved onto itself (the directory it is in, by another path):
                // there is nothing to replace, and deleting "the target" would
                // delete the file.
                if (itself || (policy == DuplicatePolicy::CopyNewer && !Later(s, d))) return ++job.filesSkipped, 1;
                replace = true;
                need = s.size > d.size ? s.size - d.size : 0;
            }
        }
        if (!sameVolume && need > 0) {
            const std::uint64_t free = fs.FreeBytes(dst);
            if (free != kFreeUnknown && free < need) {
                if (!AskMediaChange(fs, owner, dst)) {
                    Failed(job, src);
                    return 0;
                }
                continue;
            }
        }
        // A read-only target in another directory is cleared to be replaced,
        // and given back its attributes when that fails; a link never is, as
        // that would change what it points to.
        const bool cleared = replace && d.attributes != kAttrNormal && DirectoryPart(src) != DirectoryPart(dst) &&
                             !fs.IsLink(dst, d.attributes);
        if (cleared) fs.SetAttributes(dst, kAttrNormal);
        ui.EntryInfo(src, s);
        for (;;) {
            ui.Progress(ProgressText(1, sameVolume ? kFreeUnknown : fs.FreeBytes(dst), src, dst));
            ui.Poll();
            if (ui.CancelRequested()) {  // the file stays where it is
                if (cleared) fs.SetAttributes(dst, SettableAttributes(d.attributes));
                return 1;
            }
            if (MoveOrReplace(job, src, dst, replace, s.attributes)) {
                ++job.filesCopied;
                job.bytesCopied += s.size;
                return 1;
            }
            const unsigned error = fs.LastError();
            if (optimistic && (error == kErrAlreadyExists || error == kErrFileExists)) break;  // the policy decides
            Failed(job, src);
            if (error == kErrWriteProtect && Confirmed(owner, kWriteProtected, kConfirmTitle)) continue;
            if (cleared && fs.Stat(dst).exists) fs.SetAttributes(dst, SettableAttributes(d.attributes));
            return 0;
        }
    }
}

// A link (to a directory or a file) stays where it is, told: the system's
// move may take what it points to along (Wine's does), and that is never
// the user's choice.
int KeepLink(CopyJob& job, const std::string& src) {
    Tell(job.ui.Owner(), src + kLinkNotMoved, kErrorTitle);
    Failed(job, src);
    return 0;
}

int MoveDirectory(CopyJob& job, const std::string& sourceDir, const std::string& targetDir, const std::string& name,
                  std::uint32_t attributes) {
    FileSystem& fs = job.fs;
    void* owner = job.ui.Owner();
    const std::string src = sourceDir + name, dst = targetDir + name;
    if (src.size() + 1 > kMaxPath || dst.size() + 1 > kMaxPath) {
        Tell(owner, (src.size() + 1 > kMaxPath ? src : dst).substr(0, kMaxPath) + kEntryPathTooLong, kErrorTitle);
        Failed(job, src);
        return 0;
    }
    if (job.depth == 0 && InsideTree(fs, src, targetDir)) {
        Tell(owner, src + kMoveIntoItself, kErrorTitle);
        Failed(job, src);
        return 0;
    }
    if (SameFile(fs, src, dst)) return ++job.filesSkipped, 1;  // already where it goes
    if (fs.IsLink(src, attributes)) return KeepLink(job, src);
    FileId id;
    const bool known = fs.Identity(src, id);
    if (known && std::find(job.openDirectories.begin(), job.openDirectories.end(), id) != job.openDirectories.end())
        return ++job.filesSkipped, 1;  // a way back up the tree that is not told as a link
    std::vector<DirItem> items;
    if (!fs.List(src + "\\", items)) {
        Failed(job, src);
        return 0;
    }
    fs.MakeDirectory(dst);
    if (known) job.openDirectories.push_back(id);
    ++job.depth;
    int result = 1;
    for (const DirItem& item : items) {
        if (MoveEntry(job, src + "\\", dst + "\\", item.name, item.attributes)) continue;
        if (job.ui.CancelRequested() || !Confirmed(owner, kMoveFailedContinue, kConfirmTitle)) {
            result = 0;
            break;
        }
    }
    --job.depth;
    if (known) job.openDirectories.pop_back();
    if (!result) return 0;
    // Removed only when nothing was left behind; a read-only directory is
    // cleared for that, and keeps its attribute when it stays.
    if (!fs.RemoveDir(src) && (attributes & kAttrReadOnly) && fs.SetAttributes(src, kAttrNormal) && !fs.RemoveDir(src))
        fs.SetAttributes(src, SettableAttributes(attributes));
    fs.SetAttributes(dst, SettableAttributes(attributes));
    return 1;
}

// The deletion pass; replay, when given, keeps the source listings for the copy pass.
// A link the system cannot remove without reaching through it is left and
// goes to linksLeft.
int Prune(FileSystem& fs, ListingReplay* replay, OperationUi& ui, const std::string& sourceDir,
          const std::string& targetDir, int& deleted, std::vector<std::string>& linksLeft, bool recycle) {
    std::vector<DirItem> targets, sources;
    if (!fs.List(targetDir, targets)) {
        // A target that is not there yet holds nothing to delete.
        const unsigned error = fs.LastError();
        return error == kErrPathNotFound || error == kErrFileNotFound ? !ui.CancelRequested() : 0;
    }
    if (targets.empty()) return !ui.CancelRequested();
    // What counts as missing in the source is only what a whole listing of
    // it lacks: a source that stops answering deletes nothing.
    if (replay) replay->recording = true;
    const bool listed = fs.List(sourceDir, sources);
    if (replay) replay->recording = false;
    if (!listed) return 0;
    const NameIndex names(sources);
    for (const DirItem& item : targets) {
        ui.Poll();
        if (ui.CancelRequested()) return 0;
        const bool directory = (item.attributes & kAttrDirectory) != 0;
        if (directory && item.name[0] == '.') continue;
        const DirItem* counterpart = names.Find(item.name);
        bool present = counterpart != nullptr;
        if (!present) {
            // A name the listing shows in another form (a short name) is there.
            const FileStat st = fs.Stat(sourceDir + item.name);
            const unsigned error = st.exists ? 0 : fs.LastError();
            if (!st.exists && error != kErrFileNotFound && error != kErrPathNotFound) return 0;
            present = st.exists;
        }
        const std::string target = targetDir + item.name;
        if (target.size() + (directory ? 1 : 0) > kMaxPath) return 0;
        if (!present) {
            const std::size_t left = linksLeft.size();
            if (DeleteOrRecycle(fs, ui, target, item.attributes, recycle, &linksLeft) > 0) {
                ++deleted;
                continue;
            }
            if (ui.CancelRequested() || linksLeft.size() == left) return 0;
            continue;
        }
        // A directory link in the target is left as it is: never entered.
        if (!directory || fs.IsLink(target, item.attributes)) continue;
        if (counterpart && !(counterpart->attributes & kAttrDirectory)) continue;
        const std::string& sourceName = counterpart ? counterpart->name : item.name;
        if (!Prune(fs, replay, ui, sourceDir + sourceName + "\\", target + "\\", deleted, linksLeft, recycle)) return 0;
    }
    return !ui.CancelRequested();
}

}  // namespace

bool SameDrive(const std::string& a, const std::string& b) {
    if (a.empty() || b.empty()) return false;
    auto up = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; };
    return up(a[0]) == up(b[0]);
}

int MoveEntry(CopyJob& job, const std::string& sourceDir, const std::string& targetDir, const std::string& name,
              std::uint32_t attributes) {
    job.ui.Poll();
    if (job.ui.CancelRequested()) return 0;
    if (attributes & kAttrDirectory) return MoveDirectory(job, sourceDir, targetDir, name, attributes);
    // The system's move of a file link may move what it points to (Wine's does).
    if (job.fs.IsLink(sourceDir + name, attributes)) return KeepLink(job, sourceDir + name);
    return MoveFileEntry(job, sourceDir, targetDir, name);
}

int MirrorPrune(FileSystem& fs, OperationUi& ui, const std::string& sourceDir, const std::string& targetDir,
                int& deleted, std::vector<std::string>* linksLeft, bool recycle) {
    std::vector<std::string> own;
    return Prune(fs, nullptr, ui, sourceDir, targetDir, deleted, linksLeft ? *linksLeft : own, recycle);
}

TransferResult CopyCommand(ListView& v, const TransferRequest& r, FileSystem& fs, OperationUi& ui) {
    TransferResult res;
    CopyJob job(fs, ui);
    Prepare(job, r);
    ui.OpenStatus(r.mask ? kMaskCopyTitle : kCopyTitle);
    WalkRows(v, ui, kCopyContinue, res, [&](int row) { return CopyRow(job, v, row, r, res); });
    ui.CloseStatus();
    res.said = Summary(res, kSaidCopied, kSaidCopiedFailed, kSaidNothingCopied);
    return res;
}

TransferResult MoveCommand(ListView& v, const TransferRequest& r, FileSystem& fs, OperationUi& ui) {
    TransferResult res;
    CopyJob job(fs, ui);
    Prepare(job, r);
    job.updateMode = 2;
    ui.OpenStatus(kMoveTitle);
    res.refresh = true;  // a move always changes the listed directory
    WalkRows(v, ui, kMoveContinue, res, [&](int row) { return MoveRow(job, v, row, r, res); });
    ui.CloseStatus();
    res.said = Summary(res, kSaidMoved, kSaidMovedFailed, kSaidNothingMoved);
    return res;
}

TransferResult MirrorCopyCommand(ListView& v, const TransferRequest& r, FileSystem& fs, OperationUi& ui,
                                 ErrorLog& log) {
    TransferResult res;
    EntryTable& t = v.table;
    const int cursor = v.CursorIndex;
    if (!EntryQualifies(t, cursor, RowKind::DirectoryOrLabel)) return res;
    void* owner = ui.Owner();
    ListingReplay replay(fs);
    CopyJob job(replay, ui);
    Prepare(job, r);
    job.mirror = true;
    ui.ShowOwner(false);
    ui.OpenStatus(kMirrorCopyTitle);
    auto end = [&ui] {
        ui.CloseStatus();
        ui.ShowOwner(true);
    };
    const bool wholeDrive = (t.rows[cursor].attributes & kAttrLabel) != 0;
    std::string source = r.currentDir, target = r.destDir;
    if (!wholeDrive) {
        source += std::string(t.rows[cursor].name) + "\\";
        target += std::string(t.rows[cursor].name) + "\\";
    }
    // The deletion pass must never reach into the source: trees that overlap
    // either way are refused before anything happens.
    if (source.size() > kMaxPath || target.size() > kMaxPath || InsideTree(fs, source, target) ||
        InsideTree(fs, target, source)) {
        end();
        Tell(owner, source + "\r" + target + kMirrorOverlap, kMirrorErrorTitle);
        res.said = kSaidMirrorStopped;
        return res;
    }
    // Nor is a target that is itself a directory link entered.
    if (!wholeDrive) {
        const FileStat root = fs.Stat(WithoutBackslash(target));
        if (root.exists && fs.IsLink(WithoutBackslash(target), root.attributes)) {
            end();
            Tell(owner, target + kMirrorRootLink, kMirrorErrorTitle);
            res.said = kSaidMirrorStopped;
            return res;
        }
    }
    res.refresh = IsSameOrInside(r.currentDir, target);
    std::vector<std::string> linksLeft;
    if (!Prune(replay, &replay, ui, source, target, res.deleted, linksLeft, r.recycle)) {
        Tell(owner, ui.CancelRequested() ? kPruneStopped : kPruneFailed, kMirrorErrorTitle);
        end();
        res.said = kSaidMirrorStopped;
        return res;
    }
    GuardedLog guarded(log);
    int errors = 0;
    char logName[kPathSize] = "";
    job.errorLog = &guarded;
    job.errorCount = &errors;
    job.logName = logName;
    // The links the deletion pass had to leave head the list of failures.
    for (const std::string& link : linksLeft) guarded.Append(owner, link.c_str(), errors++, logName);
    int last = 1, unlogged = 0;
    const bool logged = t.MarkedCount >= 1 || wholeDrive;  // else the row itself fails, which no log line names
    SelectionWalk walk;
    walk.kind = RowKind::FileOrDirectory;
    walk.unmarked = wholeDrive ? WhenUnmarked::EveryRow : WhenUnmarked::CursorRow;
    walk.dropMarks = false;
    WalkSelection(t, cursor, walk, [&](int row) {
        const FileEntry& e = t.rows[row];
        last = CopyEntry(job, r.currentDir, r.destDir, e.name, e.attributes, false, "");
        if (last) return RowOutcome::Done;
        if (ui.CancelRequested()) return RowOutcome::Stop;
        if (logged) guarded.Append(owner, job.lastFailedPath, errors++, logName);
        else ++unlogged;
        return RowOutcome::Failed;
    });
    end();
    if (!last) Tell(owner, ui.CancelRequested() ? kMirrorCopyStopped : kMirrorCopyFailed, kRowErrorTitle);
    if (errors > 0 && !guarded.broken) {
        log.Append(owner, "", -1, logName);
        ui.ShowErrorList(logName);
        fs.RemoveFile(logName);
    }
    res.done = job.filesCopied;
    res.failed = guarded.lines + unlogged;
    if (ui.CancelRequested()) res.said = kSaidMirrorStopped;
    else if (res.failed) res.said = Said(kSaidMirroredFailed, res.done, res.deleted, res.failed);
    else res.said = Said(r.recycle ? kSaidMirroredRecycled : kSaidMirrored, res.done, res.deleted);
    return res;
}

std::string Said(const char* format, int a, int b, int c) {
    char text[160];
    std::snprintf(text, sizeof text, format, a, b, c);
    return text;
}

}  // namespace qrn
