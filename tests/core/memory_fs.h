// The file functions in memory, for the file operations' core tests: paths
// as the program writes them ("C:\dir\f.txt"), found without regard to ASCII
// case; volumes by drive letter with the room left on them, and letters that
// are another's alias; the system's error codes; a few faults on request.
#pragma once
#include <algorithm>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "base/sjis.h"
#include "fileops/copy_engine.h"
#include "fileops/file_system.h"

namespace qrn::test {

constexpr std::uint64_t kT0 = 133000000000000000ull;  // a write time of 2022
constexpr std::uint64_t kSecond = 10000000, kNow = kT0 + 3600 * kSecond;  // kNow: when a file is made
constexpr unsigned kErrDirNotEmpty = 145;

class MemoryFs : public FileSystem {
public:
    struct Node {
        std::string name, bytes;  // the name in the letter case it was made with
        std::uint32_t attributes = 0;
        FileTimes times;
        std::uint64_t number = 0;
    };
    struct Volume {
        std::uint64_t room = kFreeUnknown;  // writes beyond it fail as on a full disk
        bool told = true;                   // FreeBytes answers it, or does not know
        std::string label;
    };
    std::map<char, Volume> volumes{{'C', {}}, {'D', {}}};
    std::map<char, char> aliases;  // a second letter onto a volume's root
    // Faults: the n-th write fails with failError; a held path cannot be
    // opened, removed or renamed; an unlistable directory cannot be listed;
    // no identity is known; replacing fails so (17: taken for another volume)
    // but for the engine's temporary files.
    int failWrite = 0, writes = 0;
    unsigned failError = kErrDiskFull, replaceError = 0;
    bool noIdentity = false;
    std::set<std::string> held;  // by Key()
    std::string unlistable;
    std::map<std::string, Node> nodes;  // by Key()
    // Upper-cased, an alias letter for its volume's, without a closing backslash.
    std::string Key(const std::string& path) const {
        std::string k = UpperAscii(WithoutBackslash(path));
        if (!k.empty() && aliases.count(k[0])) k[0] = aliases.at(k[0]);
        return k;
    }

    // A file (its directories made on the way) or a directory (path ending in a backslash).
    void File(const std::string& path, const std::string& bytes = "x", std::uint32_t attributes = kAttrArchive,
              std::uint64_t writeTime = kT0) {
        const std::string dir = DirectoryPart(WithoutBackslash(path));
        if (dir.size() > 3 && !Find(dir)) File(WithoutBackslash(dir) + "\\", "", kAttrDirectory);
        if (path.size() > 3 && EndsWithBackslash(path.c_str())) return void(Make(WithoutBackslash(path), kAttrDirectory));
        Make(path, attributes)->bytes = bytes;
        Find(path)->times.lastWrite = writeTime;
    }
    std::string Content(const std::string& path) {
        const Node* n = Find(path);
        return n ? n->bytes : "(none)";
    }
    // The names in dir, sorted without case, as they were made.
    std::vector<std::string> Names(const std::string& dir) {
        std::vector<DirItem> items;
        std::vector<std::string> names;
        if (List(dir, items))
            for (const DirItem& i : items) names.push_back(i.name);
        return names;
    }
    Node* Find(const std::string& path) {
        const std::string k = Key(path);
        if (k.size() == 3 && volumes.count(k[0]) && !nodes.count(k)) nodes[k] = {k, "", kAttrDirectory, {}, next_++};
        auto it = nodes.find(k);
        return it == nodes.end() ? nullptr : &it->second;
    }

    FileStat Stat(const std::string& path) override {
        FileStat st;
        const Node* n = Look(path);
        if (!n) return st;
        DirItem i;
        Describe(*n, i);
        st.exists = true, st.attributes = i.attributes, st.size = i.size, st.writeTime = i.writeTime;
        st.date = i.date, st.time = i.time;
        return st;
    }
    bool Identity(const std::string& path, FileId& id) override {
        const Node* n = noIdentity ? nullptr : Look(path);
        if (n) id = {static_cast<std::uint32_t>(Key(path)[0]), n->number};
        return n;
    }
    std::string RealPath(const std::string& path) override { return path; }
    std::uint64_t FreeBytes(const std::string& path) override {
        const Volume* v = VolumeOf(path);
        return v && v->told ? v->room : kFreeUnknown;
    }
    bool List(const std::string& dir, std::vector<DirItem>& items) override {
        items.clear();
        const Node* d = Look(dir);
        if (!d || !(d->attributes & kAttrDirectory)) return Fail(kErrPathNotFound);
        if (Key(dir) == Key(unlistable)) return Fail(kErrSharingViolation);
        const std::string prefix = Key(dir).size() == 3 ? Key(dir) : Key(dir) + "\\";
        for (auto it = nodes.lower_bound(prefix); it != nodes.end() && it->first.compare(0, prefix.size(), prefix) == 0; ++it)
            if (it->first.size() > prefix.size() && LastBackslash(it->first.c_str() + prefix.size()) < 0)
                Describe(it->second, items.emplace_back());
        return true;
    }
    bool MakeDirectory(const std::string& path) override {
        if (Find(path)) return Fail(kErrAlreadyExists);
        return Parent(path) && Make(path, kAttrDirectory);
    }
    bool RemoveDir(const std::string& path) override {
        Node* n = Look(path);
        std::vector<DirItem> inside;
        if (!n || Refused(path, *n, true, false) || !List(path + "\\", inside)) return false;
        if (!inside.empty()) return Fail(kErrDirNotEmpty);
        return nodes.erase(Key(path)), true;
    }
    bool IsLink(const std::string&, std::uint32_t attributes) override { return attributes & kAttrReparsePoint; }
    bool RemoveLink(const std::string&) override { return Fail(kErrAccessDenied); }
    std::uint64_t AllocatedSize(const std::string&, std::uint64_t size) override { return size; }
    bool RemoveFile(const std::string& path) override {
        Node* n = Look(path);
        if (!n || Refused(path, *n, true, true)) return false;
        Give(path, n->bytes.size());
        return nodes.erase(Key(path)), true;
    }
    bool SetAttributes(const std::string& path, std::uint32_t attributes) override {
        Node* n = Look(path);
        if (n) n->attributes = (n->attributes & kAttrDirectory) | (SettableAttributes(attributes) & ~kAttrNormal);
        return n;
    }
    // Across volumes kErrNotSameDevice; onto itself in another letter case
    // it changes nothing, as the older systems do.
    bool Rename(const std::string& from, const std::string& to) override {
        Node* n = Look(from);
        if (!n || held.count(Key(from))) return n ? Fail(kErrSharingViolation) : false;
        if (Key(from)[0] != Key(to)[0]) return Fail(kErrNotSameDevice);
        if (Find(to)) return Find(to) == n || Fail(kErrAlreadyExists);
        if (!Parent(to)) return false;
        if (IsSameOrInside(Key(from), Key(to))) return Fail(kErrAccessDenied);
        const std::string k = Key(from), p = WithoutBackslash(to);
        std::vector<std::pair<std::string, Node>> moved;
        for (auto it = nodes.begin(); it != nodes.end();)
            if (IsSameOrInside(k, it->first)) moved.emplace_back(Key(to) + it->first.substr(k.size()), it->second), it = nodes.erase(it);
            else ++it;
        for (auto& m : moved) nodes.emplace(m);
        Find(to)->name = p.substr(LastBackslash(p.c_str()) + 1);
        return true;
    }
    // The old to goes only where the rename cannot fail then.
    bool Replace(const std::string& from, const std::string& to) override {
        if (replaceError && from.find("~QRN") == std::string::npos) return Fail(replaceError);
        const Node *s = Find(from), *d = Find(to);
        if (!s || held.count(Key(from)) || Key(from)[0] != Key(to)[0] || !d || d == s) return Rename(from, to);
        return RemoveFile(to) && Rename(from, to);
    }
    bool SetLabel(const std::string& root, const std::string& label) override {
        Volume* v = VolumeOf(root);
        if (v) v->label = label;
        return v || Fail(kErrPathNotFound);
    }
    bool GetTimes(const std::string& path, FileTimes& times) override {
        const Node* n = Look(path);
        if (n) times = n->times;
        return n;
    }
    bool SetTimes(const std::string& path, const FileTimes& t) override {
        Node* n = Look(path);
        if (!n) return false;
        for (auto [to, from] : {std::pair{&n->times.creation, t.creation}, {&n->times.lastWrite, t.lastWrite},
                                {&n->times.lastAccess, t.lastAccess}})
            if (from) *to = from;
        return true;
    }
    FileHandle OpenRead(const std::string& path) override {
        Node* n = Look(path);
        if (!n || Refused(path, *n, false, true)) return kNoFile;
        return Open(path);
    }
    FileHandle CreateNew(const std::string& path, std::uint32_t attributes) override {
        if (Find(path)) return Fail(kErrFileExists), kNoFile;
        if (!Parent(path)) return kNoFile;
        Make(path, (attributes & ~kAttrNormal) | kAttrArchive)->times = {kNow, kNow, kNow};
        return Open(path);
    }
    FileHandle OpenExisting(const std::string& path) override {
        Node* n = Look(path);
        if (!n || Refused(path, *n, true, true)) return kNoFile;
        Give(path, n->bytes.size());
        n->bytes.clear();
        return Open(path);
    }
    bool Read(FileHandle h, void* buffer, std::size_t size, std::size_t& got) override {
        Node* n = Find(open_.at(h).first);
        if (!n) return Fail(kErrFileNotFound);
        std::size_t& pos = open_[h].second;
        got = std::min(size, n->bytes.size() - pos);
        std::memcpy(buffer, n->bytes.data() + pos, got);
        return pos += got, true;
    }
    bool Write(FileHandle h, const void* buffer, std::size_t size) override {
        Volume* v = VolumeOf(open_.at(h).first);
        if (failWrite && ++writes == failWrite) return Fail(failError);
        if (v->room != kFreeUnknown && size > v->room) return Fail(kErrDiskFull);
        if (v->room != kFreeUnknown) v->room -= size;
        Find(open_[h].first)->bytes.append(static_cast<const char*>(buffer), size);
        return true;
    }
    bool SetWriteTime(FileHandle h, std::uint64_t writeTime) override {
        return Find(open_.at(h).first)->times.lastWrite = writeTime, true;
    }
    void Close(FileHandle h) override { open_.erase(h); }
    unsigned LastError() override { return error_; }

private:
    unsigned error_ = 0;
    std::uint64_t next_ = 1;
    FileHandle nextHandle_ = 1;
    std::map<FileHandle, std::pair<std::string, std::size_t>> open_;

    bool Fail(unsigned error) { return error_ = error, false; }
    Volume* VolumeOf(const std::string& path) {
        auto it = volumes.find(Key(path).empty() ? 0 : Key(path)[0]);
        return it == volumes.end() ? nullptr : &it->second;
    }
    // The node, or null with the error the system gives for a missing one.
    Node* Look(const std::string& path) {
        Node* n = Find(path);
        if (!n) Fail(Find(DirectoryPart(WithoutBackslash(path))) ? kErrFileNotFound : kErrPathNotFound);
        return n;
    }
    bool Parent(const std::string& path) {
        const Node* p = Find(DirectoryPart(WithoutBackslash(path)));
        return (p && (p->attributes & kAttrDirectory)) || Fail(kErrPathNotFound);
    }
    // Held; read-only where it is written or removed; a directory where a file is asked for.
    bool Refused(const std::string& path, const Node& n, bool write, bool asFile) {
        if (held.count(Key(path))) return !Fail(kErrSharingViolation);
        const bool denied = (write && (n.attributes & kAttrReadOnly)) || (asFile && (n.attributes & kAttrDirectory));
        return denied && !Fail(kErrAccessDenied);
    }
    Node* Make(const std::string& path, std::uint32_t attributes) {
        Node& n = nodes[Key(path)];
        const std::string p = WithoutBackslash(path);
        n = {p.substr(LastBackslash(p.c_str()) + 1), "", attributes, {kT0, kT0, kT0}, next_++};
        return &n;
    }
    FileHandle Open(const std::string& path) {
        open_[nextHandle_] = {Key(path), 0};
        return nextHandle_++;
    }
    void Give(const std::string& path, std::uint64_t bytes) {
        Volume* v = VolumeOf(path);
        if (v && v->room != kFreeUnknown) v->room += bytes;
    }
    // As the system lists it: its MS-DOS time here a count of days and two
    // seconds, ordered as the system's are.
    static void Describe(const Node& n, DirItem& i) {
        const std::uint64_t twoSeconds = n.times.lastWrite / (2 * kSecond);
        i = {n.name, n.attributes ? n.attributes : kAttrNormal, n.bytes.size(), n.times.lastWrite,
             static_cast<std::uint16_t>(twoSeconds / 43200 - 138426), static_cast<std::uint16_t>(twoSeconds % 43200), true};
    }
};

}  // namespace qrn::test
