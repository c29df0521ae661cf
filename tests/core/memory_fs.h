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

#include "fileops/copy_engine.h"
#include "fileops/file_system.h"

namespace qrn::test {

constexpr std::uint64_t kT0 = 133000000000000000ull, kSecond = 10000000;  // a write time of 2022

class MemoryFs : public FileSystem {
public:
    struct Node {
        std::string name, bytes;  // the name in the letter case it was made with
        std::uint32_t attributes = 0;
        FileTimes times;
        std::uint64_t number = 0;
    };
    std::map<char, std::uint64_t> room{{'C', kFreeUnknown}, {'D', kFreeUnknown}};  // the volumes; writes beyond fail
    std::map<char, std::string> labels;
    std::map<char, char> aliases;  // a second letter onto a volume's root
    // Faults: the n-th write fails with failError; from the n-th read on a
    // source ends (cut short meanwhile); a held path cannot be opened,
    // listed, removed or renamed; no identity is known; a replace fails with
    // replaceError (17: taken for another volume) but of a temporary file.
    int failWrite = 0, writes = 0, endAtRead = 0, reads = 0;
    unsigned failError = kErrDiskFull, replaceError = 0;
    bool noIdentity = false;
    bool failFlush = false, failClose = false;  // a flush or a close the system refuses
    int flushes = 0;
    std::set<std::string> held;         // by Key()
    std::map<std::string, Node> nodes;  // by Key()

    // Upper-cased, an alias letter for its volume's, without a closing backslash.
    std::string Key(const std::string& path) const {
        std::string k = UpperAscii(WithoutBackslash(path));
        if (!k.empty() && aliases.count(k[0])) k[0] = aliases.at(k[0]);
        return k;
    }
    // A file, or with a closing backslash a directory; the directories on the way are made.
    void File(const std::string& path, const std::string& bytes = "x", std::uint32_t attributes = kAttrArchive,
              std::uint64_t writeTime = kT0) {
        if (Up(path).size() > 3 && !Find(Up(path))) File(Up(path));
        const bool directory = EndsWithBackslash(path.c_str());
        Node* n = Make(path, directory ? kAttrDirectory : attributes);
        n->bytes = directory ? "" : bytes, n->times.lastWrite = writeTime;
    }
    std::string Content(const std::string& path) { return Find(path) ? Find(path)->bytes : "(none)"; }
    // What lies below dir, in the order of the keys: "KEY=content" for a file, "KEY\" for a
    // directory, relative and upper-cased, "(r)" after what is read-only.
    std::string Dump(const std::string& dir) {
        std::string out, prefix = Key(dir) + (Key(dir).size() == 3 ? "" : "\\");
        for (const auto& [k, n] : nodes)
            if (k.size() > prefix.size() && !k.compare(0, prefix.size(), prefix))
                out += (out.empty() ? "" : " ") + k.substr(prefix.size()) + (n.attributes & kAttrDirectory ? "\\" : "=" + n.bytes) +
                       (n.attributes & kAttrReadOnly ? "(r)" : "");
        return out;
    }
    Node* Find(const std::string& path) {
        const std::string k = Key(path);
        if (k.size() == 3 && room.count(k[0]) && !nodes.count(k)) nodes[k] = {k, "", kAttrDirectory, {}, next_++};
        return nodes.count(k) ? &nodes[k] : nullptr;
    }

    FileStat Stat(const std::string& path) override {
        DirItem i;
        return Look(path) ? (Describe(*Find(path), i), FileStat{true, i.attributes, i.size, i.writeTime, i.date, i.time}) : FileStat{};
    }
    bool Identity(const std::string& path, FileId& id) override {
        return !noIdentity && Look(path) && (id = {static_cast<std::uint32_t>(Key(path)[0]), Find(path)->number}, true);
    }
    std::string RealPath(const std::string& path) override { return path; }
    std::uint64_t FreeBytes(const std::string& path) override { return Room(path); }
    bool List(const std::string& dir, std::vector<DirItem>& items) override {
        items.clear();
        if (!Look(dir) || !(Find(dir)->attributes & kAttrDirectory)) return Fail(kErrPathNotFound);
        if (held.count(Key(dir))) return Fail(kErrSharingViolation);
        const std::string prefix = Key(dir).size() == 3 ? Key(dir) : Key(dir) + "\\";
        for (auto it = nodes.lower_bound(prefix); it != nodes.end() && !it->first.compare(0, prefix.size(), prefix); ++it)
            if (it->first.size() > prefix.size() && LastBackslash(it->first.c_str() + prefix.size()) < 0)
                Describe(it->second, items.emplace_back());
        return true;
    }
    bool MakeDirectory(const std::string& p) override { return Find(p) ? Fail(kErrAlreadyExists) : Parent(p) && Make(p, kAttrDirectory); }
    bool RemoveDir(const std::string& path) override {
        std::vector<DirItem> inside;
        if (!Look(path) || Refused(path, true, false) || !List(path + "\\", inside)) return false;
        return inside.empty() ? nodes.erase(Key(path)) : Fail(145);  // not empty
    }
    bool IsLink(const std::string&, std::uint32_t attributes) override { return attributes & kAttrReparsePoint; }
    bool RemoveLink(const std::string&) override { return Fail(kErrAccessDenied); }
    std::uint64_t AllocatedSize(const std::string&, std::uint64_t size) override { return size; }
    // The bin takes what lies on a volume of binned and is not held, tree and all.
    std::set<char> binned{'C'};
    std::map<std::string, Node> bin;
    bool Recycle(const std::string& path) override {
        const std::string k = Key(path);
        if (!Look(path) || held.count(k) || !binned.count(k[0])) return Fail(kErrAccessDenied);
        for (auto it = nodes.begin(); it != nodes.end();)
            if (it->first == k || !it->first.compare(0, k.size() + 1, k + "\\")) bin.insert(*it), it = nodes.erase(it);
            else ++it;
        return true;
    }
    bool RemoveFile(const std::string& path) override {
        if (!Look(path) || Refused(path, true, true)) return false;
        return Give(path), nodes.erase(Key(path));
    }
    bool SetAttributes(const std::string& path, std::uint32_t a) override {
        std::uint32_t* n = Look(path) ? &Find(path)->attributes : nullptr;
        return n && (*n = (*n & kAttrDirectory) | (SettableAttributes(a) & ~kAttrNormal), true);
    }
    // Onto itself in another letter case it changes nothing, as older systems do.
    bool Rename(const std::string& from, const std::string& to) override {
        Node* n = Look(from) ? Find(from) : nullptr;
        const std::string k = Key(from), p = WithoutBackslash(to);
        if (!n || held.count(k)) return n && Fail(kErrSharingViolation);
        if (k[0] != Key(to)[0]) return Fail(kErrNotSameDevice);
        if (Find(to)) return Find(to) == n || Fail(kErrAlreadyExists);
        if (!Parent(to) || IsSameOrInside(k, Key(to))) return Fail(kErrAccessDenied);
        std::map<std::string, Node> moved;
        for (auto it = nodes.begin(); it != nodes.end();)
            it = IsSameOrInside(k, it->first) ? (moved[Key(to) + it->first.substr(k.size())] = it->second, nodes.erase(it)) : ++it;
        nodes.merge(moved);
        return Find(to)->name = p.substr(LastBackslash(p.c_str()) + 1), true;
    }
    // The old target goes only where the rename cannot fail then.
    bool Replace(const std::string& from, const std::string& to) override {
        if (replaceError && from.find("~QRN") == std::string::npos) return Fail(replaceError);
        const Node *s = Find(from), *d = Find(to);
        if (!s || held.count(Key(from)) || Key(from)[0] != Key(to)[0] || !d || d == s) return Rename(from, to);
        return RemoveFile(to) && Rename(from, to);
    }
    bool SetLabel(const std::string& root, const std::string& label) override {
        return room.count(Key(root)[0]) ? (labels[Key(root)[0]] = label, true) : Fail(kErrPathNotFound);
    }
    // A file's write time is set through its handle alone: nothing asks for the times by path.
    bool GetTimes(const std::string&, FileTimes&) override { return Fail(kErrAccessDenied); }
    bool SetTimes(const std::string&, const FileTimes&) override { return Fail(kErrAccessDenied); }
    FileHandle OpenRead(const std::string& path) override { return !Look(path) || Refused(path, false, true) ? kNoFile : Open(path); }
    FileHandle CreateNew(const std::string& path, std::uint32_t attributes) override {
        if (Find(path) ? !Fail(kErrFileExists) : !Parent(path)) return kNoFile;
        return Make(path, (attributes & ~kAttrNormal) | kAttrArchive), Open(path);
    }
    FileHandle OpenExisting(const std::string& path) override {
        if (!Look(path) || Refused(path, true, true)) return kNoFile;
        return Give(path), Find(path)->bytes.clear(), Open(path);
    }
    bool Read(FileHandle h, void* buffer, std::size_t size, std::size_t& got) override {
        auto& [key, pos] = open_.at(h);
        const std::string& bytes = nodes.at(key).bytes;
        got = endAtRead && ++reads >= endAtRead ? 0 : std::min(size, bytes.size() - pos);
        std::memcpy(buffer, bytes.data() + pos, got);
        return pos += got, true;
    }
    bool Write(FileHandle h, const void* buffer, std::size_t size) override {
        const std::string& key = open_.at(h).first;
        if (failWrite && ++writes == failWrite) return Fail(failError);
        if (Room(key) != kFreeUnknown && size > Room(key)) return Fail(kErrDiskFull);
        if (Room(key) != kFreeUnknown) room[key[0]] -= size;
        return nodes.at(key).bytes.append(static_cast<const char*>(buffer), size), true;
    }
    bool SetWriteTime(FileHandle h, std::uint64_t t) override { return nodes.at(open_.at(h).first).times.lastWrite = t, true; }
    bool Flush(FileHandle) override { return ++flushes, !failFlush || Fail(kErrDiskFull); }
    bool Close(FileHandle h) override { return open_.erase(h), !failClose || Fail(kErrDiskFull); }
    unsigned LastError() override { return error_; }

private:
    unsigned error_ = 0;
    std::uint64_t next_ = 1;
    std::map<FileHandle, std::pair<std::string, std::size_t>> open_;  // the key and the read position

    bool Fail(unsigned error) { return error_ = error, false; }
    static std::string Up(const std::string& path) { return DirectoryPart(WithoutBackslash(path)); }
    std::uint64_t Room(const std::string& path) { return room.count(Key(path)[0]) ? room[Key(path)[0]] : kFreeUnknown; }
    void Give(const std::string& path) {  // the room a file's bytes took back to its volume
        if (Room(path) != kFreeUnknown) room[Key(path)[0]] += Find(path)->bytes.size();
    }
    // Whether path is there; if not, the error the system gives for it.
    bool Look(const std::string& path) { return Find(path) || Fail(Find(Up(path)) ? kErrFileNotFound : kErrPathNotFound); }
    bool Parent(const std::string& path) {
        return (Find(Up(path)) && (Find(Up(path))->attributes & kAttrDirectory)) || Fail(kErrPathNotFound);
    }
    // Held; read-only where it is written or removed; a directory where a file is asked for.
    bool Refused(const std::string& path, bool write, bool asFile) {
        const std::uint32_t a = Find(path)->attributes;
        if (held.count(Key(path))) return !Fail(kErrSharingViolation);
        return ((write && (a & kAttrReadOnly)) || (asFile && (a & kAttrDirectory))) && !Fail(kErrAccessDenied);
    }
    Node* Make(const std::string& path, std::uint32_t attributes) {  // made now, an hour after kT0
        const std::string p = WithoutBackslash(path);
        const std::uint64_t now = kT0 + 3600 * kSecond;
        return &(nodes[Key(path)] = {p.substr(LastBackslash(p.c_str()) + 1), "", attributes, {now, now, now}, next_++});
    }
    FileHandle Open(const std::string& path) {
        open_[static_cast<FileHandle>(next_)] = {Key(path), 0};
        return static_cast<FileHandle>(next_++);
    }
    // As the system lists it; the MS-DOS time a count of days and of two seconds, ordered as the system's is.
    static void Describe(const Node& n, DirItem& i) {
        const std::uint64_t twoSeconds = n.times.lastWrite / (2 * kSecond);
        i = {n.name, n.attributes ? n.attributes : kAttrNormal, n.bytes.size(), n.times.lastWrite,
             static_cast<std::uint16_t>(twoSeconds / 43200 - 138426), static_cast<std::uint16_t>(twoSeconds % 43200), true};
    }
};

}  // namespace qrn::test
