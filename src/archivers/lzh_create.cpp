// LZH archives made: level-2 headers, -lh5- data (-lh0- where packing gains
// nothing), -lhd- for directories; the entries of an old archive that are
// not replaced are copied as they were.
#include <algorithm>
#include <cstring>
#include <set>

#include "archivers/archivers_texts.h"
#include "archivers/entry_place.h"
#include "archivers/lzh_archive.h"
#include "archivers/lzh_decode.h"
#include "archivers/lzh_encode.h"
#include "archivers/pack_entries.h"
#include "base/sjis.h"

namespace qrn {

namespace {

constexpr char kSeparator = '\xFF';  // between a level-2 directory's parts
// Packed data up to this size wait in memory, so that -lh0- can be chosen
// instead; beyond it they go straight to the archive.
constexpr std::size_t kHeld = 1 << 20;

void Put16(std::string& s, std::size_t at, std::uint32_t v) {
    s[at] = static_cast<char>(v & 0xFF), s[at + 1] = static_cast<char>(v >> 8 & 0xFF);
}
void Put32(std::string& s, std::size_t at, std::uint32_t v) { Put16(s, at, v & 0xFFFF), Put16(s, at + 2, v >> 16); }

// A name compared as the system compares file names.
std::string Folded(const std::string& s) {
    std::string out = s;
    for (std::size_t i = 0; i < out.size(); ++i) {
        if (IsLeadByte(out[i])) ++i;
        else if (out[i] >= 'a' && out[i] <= 'z') out[i] = static_cast<char>(out[i] - 'a' + 'A');
        else if (out[i] == '/' || out[i] == kSeparator) out[i] = '\\';
    }
    return out;
}

// A level-2 header: the sizes, the CRCs and the header's own CRC are filled
// in by Finish once the data are known.
class Level2Header {
public:
    Level2Header(const PackEntry& e, bool attributes) {
        bytes_.assign(26, '\0');
        const std::string& s = e.stored;  // parts between 0xFF
        const std::size_t last = s.rfind(kSeparator);
        std::string dir = e.found.directory ? s : last == std::string::npos ? std::string() : s.substr(0, last);
        const std::string name = e.found.directory ? std::string() : s.substr(last == std::string::npos ? 0 : last + 1);
        if (!dir.empty()) dir += kSeparator;
        Extension(0x00, std::string(2, '\0'));  // the header's CRC, first
        if (!e.found.directory) Extension(0x01, name);
        if (!dir.empty()) Extension(0x02, dir);
        if (attributes || e.found.directory) {
            std::string a(2, '\0');
            Put16(a, 0, e.found.directory ? 0x10 : e.found.attributes);
            Extension(0x40, a);
        }
        Put16(bytes_, bytes_.size() - 2, 0);  // no more
        // A header whose size ends in a zero byte would read as the end.
        if ((bytes_.size() & 0xFF) == 0) bytes_ += '\0';
        Put16(bytes_, 0, static_cast<std::uint32_t>(bytes_.size()));
        std::memcpy(&bytes_[2], e.found.directory ? "-lhd-" : "-lh5-", 5);
        const std::int64_t t = std::clamp<std::int64_t>(e.found.unixTime, 0, 0xFFFFFFFF);
        Put32(bytes_, 15, static_cast<std::uint32_t>(t));
        bytes_[19] = 0x20, bytes_[20] = 2, bytes_[23] = 'M';
    }
    bool Fits() const { return bytes_.size() <= 0xFFFF; }
    const std::string& Finish(const char* method, std::uint64_t packed, std::uint64_t size, std::uint16_t crc) {
        std::memcpy(&bytes_[2], method, 5);
        Put32(bytes_, 7, static_cast<std::uint32_t>(packed)), Put32(bytes_, 11, static_cast<std::uint32_t>(size));
        Put16(bytes_, 21, crc);
        Put16(bytes_, crcAt_, 0);
        Put16(bytes_, crcAt_, Crc16(0, reinterpret_cast<const unsigned char*>(bytes_.data()), bytes_.size()));
        return bytes_;
    }
    const std::string& Bytes() const { return bytes_; }

private:
    // Each: its type, its data, the size of the next (the base header holds the first's).
    void Extension(unsigned char type, const std::string& data) {
        Put16(bytes_, bytes_.size() - 2, static_cast<std::uint32_t>(3 + data.size()));
        if (type == 0x00) crcAt_ = bytes_.size() + 1;
        bytes_ += static_cast<char>(type);
        bytes_ += data;
        bytes_ += std::string(2, '\0');
    }
    std::string bytes_;
    std::size_t crcAt_ = 0;
};

// Bytes read through it are kept, so that a header can be copied as it was read.
class KeepingSource final : public ByteSource {
public:
    explicit KeepingSource(ByteSource& in) : in_(in) {}
    long long Read(void* out, std::size_t size) override {
        const long long n = in_.Read(out, size);
        if (n > 0) kept.append(static_cast<const char*>(out), static_cast<std::size_t>(n));
        return n;
    }
    std::string kept;

private:
    ByteSource& in_;
};

class Creation final : ArchiveWriter {
public:
    Creation(ArchiveFiles& f, const std::string& archive, bool attributes)
        : ArchiveWriter(f, archive), attributes_(attributes) {}

    int Run(const std::vector<std::string>& names) {
        std::vector<PackEntry> entries;
        if (!CollectPackEntries(f_, names, archive_, kSeparator, entries)) return 2;
        std::set<std::string> replaced;
        for (const PackEntry& e : entries) replaced.insert(Folded(e.stored));
        FoundEntry old;
        std::unique_ptr<ByteSource> in;
        if (f_.Find(archive_, old) && !(in = f_.Open(archive_))) return f_.Tell(kArchiveNotOpened + archive_), 2;
        out_ = f_.Create(archive_);
        if (!out_) return f_.Tell(kArchiveNotWritten + archive_), 2;
        if (in && !KeepOld(*in, replaced)) return 2;
        in.reset();  // closed before the new archive takes its place
        for (const PackEntry& e : entries)
            if (!Add(e)) return 2;
        static const unsigned char end = 0;
        if (!Put(&end, 1) || !out_->Commit()) return Failed();
        return 0;
    }

private:
    // The old archive's entries that no new one replaces, header and data as they were.
    bool KeepOld(ByteSource& in, const std::set<std::string>& replaced) {
        KeepingSource keeping(in);
        for (int entries = 0;; ++entries) {
            LzhEntry e;
            keeping.kept.clear();
            const int h = ReadLzhHeader(keeping, e);
            // An end mark with more behind it before any entry: no archive (a
            // file of the user's that starts with a zero byte stays as it is).
            if (h == 0) return entries > 0 || in.Read(buffer_, 1) == 0 || (f_.Tell(kNotAnArchive + archive_), false);
            if (h < 0) return f_.Tell((entries ? kArchiveDamaged : kNotAnArchive) + archive_), false;
            std::string path = e.Path();
            if (e.method == "-lhd-" && !path.empty() && path.back() == '\\') path.pop_back();
            const bool keep = !replaced.count(Folded(path));
            if (keep && !Put(keeping.kept.data(), keeping.kept.size())) return Failed(), false;
            for (std::uint64_t left = e.packed; left > 0;) {
                const std::size_t take = static_cast<std::size_t>(std::min<std::uint64_t>(left, sizeof buffer_));
                if (!ReadExactly(in, buffer_, take)) return f_.Tell(kArchiveDamaged + archive_), false;
                if (keep && !Put(buffer_, take)) return Failed(), false;
                left -= take;
            }
        }
    }

    bool Add(const PackEntry& e) {
        Level2Header header(e, attributes_);
        if (!header.Fits()) return f_.Tell(kEntryNotRead + e.path), false;
        if (e.found.directory) {
            const std::string& h = header.Finish("-lhd-", 0, 0, 0);
            return Put(h.data(), h.size()) || (Failed(), false);
        }
        if (e.found.size > 0xFFFFFFFFull) return f_.Tell(kEntryTooLarge + e.path), false;
        std::unique_ptr<ByteSource> in = f_.Open(e.path);
        if (!in) return f_.Tell(kEntryNotRead + e.path), false;
        // Held in memory until they outgrow it; then the header goes first
        // and is written again once the sizes are known.
        const std::uint64_t headerAt = written_;
        std::string held;
        bool streaming = false;
        std::uint64_t packed = 0, size = 0;
        std::uint16_t crc = 0;
        const bool encoded = EncodeLh5(*in, [&](const unsigned char* p, std::size_t n) {
            packed += n;
            if (!streaming && held.size() + n <= kHeld) return held.append(reinterpret_cast<const char*>(p), n), true;
            if (!streaming) {
                streaming = true;
                if (!Put(header.Bytes().data(), header.Bytes().size()) || !Put(held.data(), held.size())) return false;
                held.clear();
            }
            return Put(p, n);
        }, size, crc);
        if (!encoded) {
            if (ok_) f_.Tell(kEntryNotRead + e.path);
            else Failed();
            return false;
        }
        if (size > 0xFFFFFFFFull || packed > 0xFFFFFFFFull) return f_.Tell(kEntryTooLarge + e.path), false;
        if (streaming) {
            const std::string& h = header.Finish("-lh5-", packed, size, crc);
            return out_->WriteAt(headerAt, h.data(), h.size()) || (Failed(), false);
        }
        // Where packing gains nothing, the bytes as they are.
        const char* method = "-lh5-";
        if (packed >= size) {
            std::string plain(static_cast<std::size_t>(size), '\0');
            // Read again: only what still has the CRC of the first reading.
            if (in->Seek(0) && ReadExactly(*in, plain.data(), plain.size()) &&
                Crc16(0, reinterpret_cast<const unsigned char*>(plain.data()), plain.size()) == crc)
                held.swap(plain), method = "-lh0-";
        }
        const std::string& h = header.Finish(method, held.size(), size, crc);
        return (Put(h.data(), h.size()) && Put(held.data(), held.size())) || (Failed(), false);
    }

    bool attributes_;
};

}  // namespace

int CreateLzh(ArchiveFiles& f, const std::string& archive, const std::vector<std::string>& names, bool attributes) {
    return std::make_unique<Creation>(f, archive, attributes)->Run(names);
}

}  // namespace qrn
