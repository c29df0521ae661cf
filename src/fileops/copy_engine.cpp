#include "fileops/copy_engine.h"

#include <algorithm>
#include <cstdio>

#include "base/prompts.h"
#include "fileops/fileops_texts.h"
#include "listing/list_format.h"
#include "listing/wildcard.h"

namespace qrn {

namespace {

constexpr std::uint64_t kPercentFrom = 8ull << 20;  // files from this size show how far they are
constexpr std::uint64_t kPercentEveryMs = 250;

int Ask(void* owner, const std::string& text, const char* title) {
    return CurrentPrompts().Message(owner, text.c_str(), title, kMbOkCancel | kMbIconQuestion);
}


// "C:\a\b" -> "C:\a", "C:\a" -> "C:\", "C:\" -> "C:\".
std::string Parent(const std::string& path) {
    const std::string p = WithoutBackslash(path);
    const int slash = LastBackslash(p.c_str());
    if (slash < 0) return p;
    return p.substr(0, static_cast<std::size_t>(slash) + (slash <= 2 ? 1 : 0));
}

}  // namespace

bool SameFile(FileSystem& fs, const std::string& a, const std::string& b) {
    FileId x, y;
    return fs.Identity(a, x) && fs.Identity(b, y) && x == y;
}

// True when target (a directory) is the tree itself or lies inside it: by
// the paths as written and as the system resolves them, and by the identity
// of every directory on the way up from the target.
bool InsideTree(FileSystem& fs, const std::string& tree, const std::string& target) {
    const std::string realTree = fs.RealPath(tree), realTarget = fs.RealPath(target);
    if (IsSameOrInside(tree, target) || IsSameOrInside(realTree, realTarget)) return true;
    FileId root;
    if (!fs.Identity(tree, root)) return false;
    for (const std::string& start : {target, realTarget}) {
        for (std::string p = WithoutBackslash(start);;) {
            FileId id;
            if (fs.Identity(p, id) && id == root) return true;
            const std::string up = Parent(p);
            if (up == p) break;
            p = up;
        }
    }
    return false;
}

bool Later(const FileStat& a, const FileStat& b) { return a.date > b.date || (a.date == b.date && a.time > b.time); }

void ShowCopying(CopyJob& job, const std::string& src, const std::string& dst, const FileStat& s, std::uint64_t free) {
    job.ui.EntryInfo(src, s);
    job.ui.Progress(ProgressText(1, free, src, dst));
}

namespace {

int PassOver(CopyJob& job, const std::string& src, const std::string& dst, const FileStat& s, std::uint64_t free) {
    ShowCopying(job, src, dst, s, free);
    ++job.filesSkipped;
    return 1;
}

// The free bytes of dst's volume. Asked once per target directory and then
// kept up to date by what is copied; a figure that looks too small is asked
// again before anyone is bothered with it.
std::uint64_t FreeFor(CopyJob& job, const std::string& dst, std::uint64_t need) {
    const std::string dir = DirectoryPart(dst);
    if (dir != job.freeDirectory || job.freeBytes == kFreeUnknown || job.freeBytes < need) {
        job.freeDirectory = dir;
        job.freeBytes = job.fs.FreeBytes(dst);
    }
    return job.freeBytes;
}

void Spent(CopyJob& job, std::uint64_t bytes) {
    if (job.freeBytes != kFreeUnknown) job.freeBytes -= bytes < job.freeBytes ? bytes : job.freeBytes;
}

void TellTooLong(CopyJob& job, const std::string& path) {
    Tell(job.ui.Owner(), path.substr(0, kMaxPath) + kEntryPathTooLong, kErrorTitle);
    Failed(job, path);
}

// Where a copy goes: a new file; a new file that takes an old one's place or
// outlives its source (flushed before that is relied on); an existing file,
// overwritten in place (flushed too).
enum class Into { NewFile, DurableNewFile, ExistingFile };

// The whole file src into dst, in the engine's own loop so that a long copy
// shows how far it is and stops at Cancel. A source that ends before the
// size it had when it was opened, or changes meanwhile, is not copied. A
// file that is not whole at the end is removed again (one overwritten in
// place too: the user agreed to give up the old one, and a fragment with a
// new time would pass for up to date); error tells why it failed.
bool CopyData(CopyJob& job, const std::string& src, const std::string& dst, Into into, const FileStat& s,
              unsigned& error) {
    FileSystem& fs = job.fs;
    FileHandle in = fs.OpenRead(src);
    if (in == kNoFile) {
        error = fs.LastError();
        return false;
    }
    // What the source is now that it is open: what the copy must come to.
    FileStat opened = fs.Stat(src);
    if (!opened.exists) opened = s;
    FileHandle out =
        into == Into::ExistingFile ? fs.OpenExisting(dst) : fs.CreateNew(dst, SettableAttributes(s.attributes));
    if (out == kNoFile) {
        error = fs.LastError();
        fs.Close(in);
        return false;
    }
    if (job.buffer.size() != job.bufferSize) job.buffer.assign(job.bufferSize, 0);
    char* const buffer = job.buffer.data();
    std::uint64_t done = 0, shown = job.ui.Milliseconds();
    bool ok = true;
    for (;;) {
        std::size_t got = 0;
        if (!fs.Read(in, buffer, job.bufferSize, got) || (got > 0 && !fs.Write(out, buffer, got))) {
            error = fs.LastError();
            ok = false;
            break;
        }
        if (got == 0) break;
        done += got;
        if (done >= opened.size) continue;  // the last block: nothing left to stop
        job.ui.Poll();
        if (job.ui.CancelRequested()) {
            error = kErrCancelled;
            ok = false;
            break;
        }
        if (opened.size < kPercentFrom) continue;
        const std::uint64_t now = job.ui.Milliseconds();
        if (now - shown >= kPercentEveryMs) {
            shown = now;
            char percent[32];
            std::snprintf(percent, sizeof percent, kProgressPercent, static_cast<int>(done * 100 / opened.size));
            job.ui.Progress(ProgressText(1, fs.FreeBytes(dst), src, dst) + percent);
        }
    }
    if (ok) {
        const FileStat after = fs.Stat(src);
        if (done != opened.size || !after.exists || after.size != opened.size || after.writeTime != opened.writeTime) {
            error = kErrSourceChanged;
            ok = false;
        }
    }
    if (ok) fs.SetWriteTime(out, opened.writeTime);
    // Only a copy that is on the volume counts: one that replaces an old
    // target is flushed first, and a close the system refuses is a failure.
    if (ok && into != Into::NewFile && !fs.Flush(out)) {
        error = fs.LastError();
        ok = false;
    }
    if (!fs.Close(out) && ok) {
        error = fs.LastError();
        ok = false;
    }
    fs.Close(in);
    if (!ok) {
        fs.SetAttributes(dst, kAttrNormal);  // a new one was made with the source's, read-only perhaps
        fs.RemoveFile(dst);
    }
    return ok;
}

// Copies with the write-protect retry; 1 copied, 0 failed (reported by the caller).
int CopyWithRetry(CopyJob& job, const std::string& src, const std::string& dst, Into into, const FileStat& s) {
    for (;;) {
        unsigned error = 0;
        if (CopyData(job, src, dst, into, s, error)) return 1;
        Failed(job, src);
        if (error != kErrWriteProtect || Ask(job.ui.Owner(), kWriteProtected, kConfirmTitle) != kIdOk) return 0;
    }
}

int CopyNew(CopyJob& job, const std::string& src, const std::string& dst, const FileStat& s, std::uint64_t free) {
    ShowCopying(job, src, dst, s, free);
    if (!CopyWithRetry(job, src, dst, Into::NewFile, s)) return 0;
    Spent(job, s.size);
    ++job.filesCopied;
    job.bytesCopied += s.size;
    return 1;
}

}  // namespace

std::string TemporaryName(FileSystem& fs, const std::string& target) {
    const std::string dir = DirectoryPart(target);
    for (int n = 0; n < 4096; ++n) {
        char name[16];
        std::snprintf(name, sizeof name, "~QRN%04X.TMP", static_cast<unsigned>(n));
        const std::string p = dir + name;
        if (p.size() > kMaxPath) return "";
        if (!fs.Stat(p).exists) return p;
    }
    return "";
}

namespace {

// The room the existing target d gives back when it goes: what it really
// takes on its volume (a sparse or compressed file less than its size); a
// link gives back nothing.
std::uint64_t Freed(CopyJob& job, const std::string& dst, const FileStat& d) {
    if (job.fs.IsLink(dst, d.attributes)) return 0;
    const std::uint64_t allocated = job.fs.AllocatedSize(dst, d.size);
    return allocated < d.size ? allocated : d.size;
}

bool EnoughRoom(std::uint64_t free, std::uint64_t need) { return free == kFreeUnknown || free >= need; }

// Replaces the existing dst. With room for a whole copy beside it, the copy
// goes to a temporary name and takes dst's place in one step, so that dst
// stays as it was until its replacement is whole. With room only for the
// difference, dst can only be overwritten in place, and that only when the
// user agrees to lose it should the copy fail. A link at dst is replaced
// itself: nothing is written or changed through it.
int CopyOver(CopyJob& job, const std::string& src, const std::string& dst, const FileStat& s, const FileStat& d,
             std::uint64_t free) {
    FileSystem& fs = job.fs;
    ShowCopying(job, src, dst, s, free);
    if (free != kFreeUnknown && free < s.size) free = FreeFor(job, dst, s.size);  // asked afresh before giving up safety
    const bool link = fs.IsLink(dst, d.attributes);
    const bool inPlace = !link && !EnoughRoom(free, s.size);
    const std::string temp = inPlace ? "" : TemporaryName(fs, dst);
    if (!inPlace && temp.empty()) {  // no name beside it fits: the target is not risked
        TellTooLong(job, DirectoryPart(dst) + "~QRN0000.TMP");
        return 0;
    }
    if (inPlace) {
        job.ui.ShowStatus(false);
        const bool agreed = Ask(job.ui.Owner(), dst + kInPlaceRisk, kConfirmTitle) == kIdOk;
        job.ui.ShowStatus(true);
        if (!agreed) {
            Failed(job, src);
            return 0;
        }
        fs.SetAttributes(dst, kAttrNormal);
        if (!CopyWithRetry(job, src, dst, Into::ExistingFile, s)) return 0;
        fs.SetAttributes(dst, SettableAttributes(s.attributes));
    } else {
        if (!CopyWithRetry(job, src, temp, Into::DurableNewFile, s)) return 0;
        const bool cleared = !link && (d.attributes & (kAttrReadOnly | kAttrHidden | kAttrSystem));
        if (cleared) fs.SetAttributes(dst, kAttrNormal);
        if (!fs.Replace(temp, dst)) {
            if (cleared) fs.SetAttributes(dst, SettableAttributes(d.attributes));
            if (fs.Stat(dst).exists || link) {  // the old one is there still: the copy goes
                fs.SetAttributes(temp, kAttrNormal);
                fs.RemoveFile(temp);
            }
            Failed(job, src);
            return 0;
        }
    }
    const std::uint64_t freed = link ? 0 : d.size;  // freeBytes is asked again before it is relied on
    Spent(job, s.size > freed ? s.size - freed : 0);
    ++job.filesCopied;
    job.bytesCopied += s.size;
    return 1;
}


constexpr int kTryAgain = -1;  // from the start: the medium was changed, or the target renamed

// Too little room for src at dst: kTryAgain once another medium is in, else
// src has failed (and is the path a mirror copy's log names).
int OtherMediumOrFail(CopyJob& job, const std::string& src, const std::string& dst) {
    if (AskMediaChange(job.fs, job.ui.Owner(), dst)) return kTryAgain;
    Failed(job, src);
    return 0;
}

}  // namespace

// The new name for a copy beside a target that exists: asked until it names
// nothing yet. False when the user cancels.
bool AskNewName(CopyJob& job, const std::string& targetDir, const std::string& name, std::string& dst) {
    void* owner = job.ui.Owner();
    for (;;) {
        char entered[kPathSize];
        CopyCut(entered, sizeof entered, name.c_str());
        if (!CurrentPrompts().InputLine(owner, kNewNameTitle, entered, sizeof entered)) return false;
        const std::string renamed = targetDir + entered;
        if (renamed.size() > kMaxPath) {
            Tell(owner, renamed.substr(0, kMaxPath) + kEntryPathTooLong, kRenameErrorTitle);
        } else if (!entered[0] || job.fs.Stat(renamed).exists) {
            Tell(owner, renamed + kNameExists, kRenameErrorTitle);
        } else {
            dst = renamed;
            return true;
        }
    }
}

// The policy chosen for the command, asked at its first existing target.
bool ChoosePolicy(CopyJob& job, const std::string& src) {
    if (job.policyChosen) return true;
    if (job.mirror) {
        job.policy = DuplicatePolicy::Mirror;
    } else {
        job.ui.ShowStatus(false);
        job.policy = job.ui.AskDuplicate();
        job.ui.ShowStatus(true);
        if (job.policy == DuplicatePolicy::NotChosen) {
            Failed(job, src);
            return false;
        }
    }
    job.policyChosen = true;
    return true;
}

namespace {

// Mirror copy's "equal": the same size and time, and the target a file too
// (a directory of the name never is, whatever its size and time).
bool MirrorEqual(const FileStat& s, const FileStat& d) {
    return !(d.attributes & kAttrDirectory) && s.date == d.date && s.time == d.time && s.size == d.size;
}

// What the policy does with the existing target d: 1, 0 or kTryAgain.
// itself: dst is src through another path, which only a copy under another
// name may be made of.
int ByPolicy(CopyJob& job, const std::string& src, std::string& dst, const std::string& targetDir,
             const std::string& name, const FileStat& s, const FileStat& d, std::uint64_t free, bool itself) {
    if (itself && job.policy != DuplicatePolicy::Rename) return PassOver(job, src, dst, s, free);
    // Room for what the copy adds to what the old target really takes.
    auto roomForGrowth = [&] {
        if (EnoughRoom(free, s.size)) return true;
        const std::uint64_t freed = Freed(job, dst, d);
        return EnoughRoom(free, s.size > freed ? s.size - freed : 0);
    };
    switch (job.policy) {
    case DuplicatePolicy::CopyNewer:
        if (!Later(s, d)) return PassOver(job, src, dst, s, free);
        [[fallthrough]];
    case DuplicatePolicy::OverwriteAll:
        if (roomForGrowth()) return CopyOver(job, src, dst, s, d, free);
        return OtherMediumOrFail(job, src, dst);
    case DuplicatePolicy::Rename: {
        job.ui.ShowStatus(false);
        const bool named = AskNewName(job, targetDir, name, dst);
        job.ui.ShowStatus(true);
        if (!named) return 0;
        const std::uint64_t room = FreeFor(job, dst, s.size);
        if (room == kFreeUnknown || room >= s.size) {
            job.policyChosen = false;  // the next existing target asks again
            return CopyNew(job, src, dst, s, room);
        }
        return OtherMediumOrFail(job, src, dst);
    }
    case DuplicatePolicy::Mirror:
        if (MirrorEqual(s, d)) return PassOver(job, src, dst, s, free);
        if ((d.attributes & kAttrDirectory) || !roomForGrowth()) {  // a file cannot take a directory's place
            Failed(job, src);
            return 0;
        }
        return CopyOver(job, src, dst, s, d, free);
    default:
        return PassOver(job, src, dst, s, free);
    }
}

}  // namespace

// A copy onto the program's own file becomes a request to update it.
bool IsOwnProgram(CopyJob& job, const std::string& src, const std::string& dst) {
    if (job.ownExecutable.empty() ||
        (UpperAscii(dst) != UpperAscii(job.ownExecutable) && !SameFile(job.fs, dst, job.ownExecutable)))
        return false;
    if (job.pendingUpdate) {
        CopyCut(job.pendingUpdate->source, sizeof job.pendingUpdate->source, src.c_str());
        CopyCut(job.pendingUpdate->target, sizeof job.pendingUpdate->target, job.ownExecutable.c_str());
        job.pendingUpdate->mode = job.updateMode;
        job.pendingUpdate->pending = true;
    }
    return true;
}

namespace {

// listed: the source as its directory's listing told it, taken for the first look.
int CopyFileEntry(CopyJob& job, const std::string& sourceDir, const std::string& targetDir, const std::string& name,
                  bool maskOn, const char* maskPattern, const DirItem* listed = nullptr) {
    FileSystem& fs = job.fs;
    if (maskOn && !MatchMaskList(name.c_str(), maskPattern)) return 1;
    const std::string src = sourceDir + name;
    std::string dst = targetDir + name;
    if (src.size() > kMaxPath || dst.size() > kMaxPath) {
        TellTooLong(job, src.size() > kMaxPath ? src : dst);
        return 0;
    }
    for (;;) {
        FileStat s;
        if (listed && listed->timed) {
            s.exists = true, s.attributes = listed->attributes, s.size = listed->size;
            s.writeTime = listed->writeTime, s.date = listed->date, s.time = listed->time;
            listed = nullptr;  // after a change of medium it is asked again
        } else {
            s = fs.Stat(src);
        }
        const FileStat d = fs.Stat(dst);
        if (!s.exists) {  // gone since it was listed
            Failed(job, src);
            return 0;
        }
        if (!d.exists) {
            const std::uint64_t free = FreeFor(job, dst, s.size);
            if (free == kFreeUnknown || free >= s.size) return CopyNew(job, src, dst, s, free);
            if (!OtherMediumOrFail(job, src, dst)) return 0;
            continue;
        }
        // Mirror copy leaves an equal file alone (asked first: nothing else is
        // needed to tell).
        if (job.mirror && MirrorEqual(s, d)) {
            ++job.filesSkipped;
            return 1;
        }
        const std::uint64_t free = FreeFor(job, dst, s.size > d.size ? s.size - d.size : 0);
        // The same file through another path (letter case, a short name, a
        // second drive letter, a link, or the directory it is in): the policy
        // is asked as for any target, but only another name copies; the
        // others pass over it as up to date, never writing onto the source.
        const bool itself = SameFile(fs, src, dst);
        if (!itself && IsOwnProgram(job, src, dst)) return 1;
        if (!ChoosePolicy(job, src)) return 0;
        const int r = ByPolicy(job, src, dst, targetDir, name, s, d, free, itself);
        if (r != kTryAgain) return r;
    }
}

int CopyDirectoryEntry(CopyJob& job, const std::string& sourceDir, const std::string& targetDir,
                       const std::string& name, std::uint32_t attributes, bool maskOn, const char* maskPattern) {
    FileSystem& fs = job.fs;
    void* owner = job.ui.Owner();
    const std::string src = sourceDir + name, dst = targetDir + name;
    if (src.size() + 1 > kMaxPath || dst.size() + 1 > kMaxPath) {
        TellTooLong(job, src.size() + 1 > kMaxPath ? src : dst);
        return 0;
    }
    FileId id;
    const bool known = fs.Identity(src, id);
    if (job.depth == 0) {
        if (InsideTree(fs, src, targetDir)) {
            Tell(owner, src + kIntoItself, kErrorTitle);
            Failed(job, src);
            return 0;
        }
        job.treeSource = fs.RealPath(src);
    } else if (known && std::find(job.openDirectories.begin(), job.openDirectories.end(), id) != job.openDirectories.end()) {
        ++job.filesSkipped;  // a link back up the tree: followed, it would never end
        return 1;
    } else if (fs.IsLink(src, attributes)) {
        // Followed only when it leads neither into nor around the tree being
        // copied or its copy: a link to a parent would take the copy into
        // itself, level after level.
        const std::string real = fs.RealPath(src);
        if (IsSameOrInside(job.treeSource, real) || IsSameOrInside(real, job.treeSource) ||
            IsSameOrInside(job.treeTarget, real) || IsSameOrInside(real, job.treeTarget)) {
            ++job.filesSkipped;
            return 1;
        }
    }
    // Mirror copy never writes through a directory link of the target: it
    // is listed with the failures and left as it is.
    if (job.mirror && job.depth > 0) {
        const FileStat d = fs.Stat(dst);
        if (d.exists && (d.attributes & kAttrDirectory) && fs.IsLink(dst, d.attributes)) {
            Failed(job, dst);
            return 0;
        }
    }
    // A directory that cannot be listed fails, rather than copy as empty.
    std::vector<DirItem> items;
    if (!fs.List(src + "\\", items)) {
        Failed(job, src);
        return 0;
    }
    fs.MakeDirectory(dst);
    if (job.depth == 0) job.treeTarget = fs.RealPath(dst);
    if (known) job.openDirectories.push_back(id);
    ++job.depth;
    int result = 1;
    for (const DirItem& item : items) {
        int copied;
        if (item.attributes & kAttrDirectory) {
            copied = CopyEntry(job, src + "\\", dst + "\\", item.name, item.attributes, maskOn, maskPattern);
        } else {
            job.ui.Poll();
            copied = !job.ui.CancelRequested() &&
                     CopyFileEntry(job, src + "\\", dst + "\\", item.name, maskOn, maskPattern, &item);
        }
        if (copied) continue;
        if (job.ui.CancelRequested()) {
            result = 0;
            break;
        }
        if (job.mirror && job.errorLog && job.errorCount) {
            job.errorLog->Append(owner, job.lastFailedPath, *job.errorCount, job.logName);
            ++*job.errorCount;
            continue;
        }
        if (Ask(owner, kCopyFailedContinue, kConfirmTitle) != kIdOk) {
            result = 0;
            break;
        }
    }
    --job.depth;
    if (known) job.openDirectories.pop_back();
    if (result && (fs.Stat(dst).attributes & ~kAttrDirectory) != (SettableAttributes(attributes) & ~kAttrNormal))
        fs.SetAttributes(dst, SettableAttributes(attributes));
    return result;
}

}  // namespace

std::string UpperAscii(const std::string& s) {
    std::string u = s;
    for (std::size_t i = 0; i < u.size(); ++i) {
        if (IsLeadByte(u[i])) ++i;
        else if (u[i] >= 'a' && u[i] <= 'z') u[i] = static_cast<char>(u[i] - 32);
    }
    return u;
}

std::string WithoutBackslash(const std::string& p) {
    if (p.size() > 3 && EndsWithBackslash(p.c_str())) return p.substr(0, p.size() - 1);
    return p;
}

void Failed(CopyJob& job, const std::string& path) { CopyCut(job.lastFailedPath, sizeof job.lastFailedPath, path.c_str()); }

int ReplaceByCopy(CopyJob& job, const std::string& src, const std::string& dst) {
    const FileStat s = job.fs.Stat(src), d = job.fs.Stat(dst);
    if (!s.exists || !d.exists) {
        Failed(job, src);
        return 0;
    }
    return CopyOver(job, src, dst, s, d, kFreeUnknown);
}

int CopyAsNew(CopyJob& job, const std::string& src, const std::string& dst) {
    const FileStat s = job.fs.Stat(src);
    if (!s.exists) {
        Failed(job, src);
        return 0;
    }
    return CopyWithRetry(job, src, dst, Into::DurableNewFile, s);
}

std::string DirectoryPart(const std::string& path) {
    const int slash = LastBackslash(path.c_str());
    return slash < 0 ? std::string() : path.substr(0, static_cast<std::size_t>(slash) + 1);
}

bool IsSameOrInside(const std::string& a, const std::string& b) {
    const std::string x = WithoutBackslash(a), y = WithoutBackslash(b);
    if (x.empty() || y.size() < x.size()) return false;
    if (CompareNoCase(x.c_str(), y.substr(0, x.size()).c_str()) != 0) return false;
    std::size_t i = 0;  // a must end on a character boundary of b
    while (i < x.size()) i += IsLeadByte(y[i]) && i + 1 < y.size() ? 2 : 1;
    if (i != x.size()) return false;
    return y.size() == x.size() || EndsWithBackslash(x.c_str()) || y[x.size()] == '\\';
}

std::string ProgressText(int kind, std::uint64_t freeBytes, const std::string& from, const std::string& to) {
    char text[4 * kPathSize];
    if (kind == 0) {
        std::snprintf(text, sizeof text, kProgressDelete, from.c_str());
        return text;
    }
    char number[40], free[96];
    FormatNumber(number, sizeof number, freeBytes, 16);
    std::snprintf(text, sizeof text, kProgressCopy, from.c_str(), to.c_str());
    std::snprintf(free, sizeof free, kProgressFree, number);
    return std::string(text) + free;
}

int AskMediaChange(FileSystem& fs, void* owner, const std::string& targetPath) {
    if (Ask(owner, kMediaChange, targetPath.c_str()) != kIdOk) return 0;
    const std::string dir = DirectoryPart(targetPath);
    if (dir.size() >= 5) fs.MakeDirectory(dir);
    return 1;
}

int CopyEntry(CopyJob& job, const std::string& sourceDir, const std::string& targetDir, const std::string& name,
              std::uint32_t attributes, bool maskOn, const char* maskPattern) {
    job.ui.Poll();
    if (job.ui.CancelRequested()) return 0;
    if (attributes & kAttrDirectory) return CopyDirectoryEntry(job, sourceDir, targetDir, name, attributes, maskOn, maskPattern);
    return CopyFileEntry(job, sourceDir, targetDir, name, maskOn, maskPattern);
}

}  // namespace qrn
