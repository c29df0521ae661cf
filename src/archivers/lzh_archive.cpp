#include "archivers/lzh_archive.h"

#include <cstring>
#include <vector>

#include "archivers/archivers_texts.h"
#include "archivers/entry_place.h"
#include "archivers/lzh_decode.h"

namespace qrn {

std::string LzhEntry::Path() const {
    std::string d = dir;
    for (char& c : d)
        if (static_cast<unsigned char>(c) == 0xFF) c = '\\';
    if (!d.empty() && d.back() != '\\') d += '\\';
    return d + name;
}

namespace {

// The extended headers from size on: names, directory, attributes, time. The bytes
// they took in all, or -1 when damaged.
long long Extended(ByteSource& in, LzhEntry& e, std::uint32_t size) {
    long long taken = 0;
    while (size != 0) {
        if (size < 3 || size > 65535) return -1;
        std::vector<unsigned char> x(size);
        if (!ReadExactly(in, x.data(), size)) return -1;
        taken += size;
        const std::string data(reinterpret_cast<const char*>(x.data()) + 1, size - 3);
        if (x[0] == 0x01) e.name = data;
        if (x[0] == 0x02) e.dir = data;
        if (x[0] == 0x40 && data.size() >= 2) e.attributes = static_cast<int>(U16(x.data() + 1));
        if (x[0] == 0x54 && data.size() >= 4) e.unixTime = U32(x.data() + 1);
        size = U16(x.data() + size - 2);
    }
    return taken;
}

}  // namespace

int ReadLzhHeader(ByteSource& in, LzhEntry& e) {
    unsigned char b[26];
    const long long first = in.Read(b, 1);
    if (first <= 0 || b[0] == 0) return first < 0 ? -1 : 0;
    if (!ReadExactly(in, b + 1, 21) || b[2] != '-' || b[6] != '-') return -1;  // methods are "-lh5-" and the like
    e.method.assign(reinterpret_cast<const char*>(b + 2), 5);
    e.packed = U32(b + 7), e.size = U32(b + 11);
    const int level = b[20];
    if (level == 0 || level == 1) {
        e.time = static_cast<std::uint16_t>(U16(b + 15)), e.date = static_cast<std::uint16_t>(U16(b + 17));
        e.attributes = b[19];
        const std::size_t headerSize = b[0], nameSize = b[21];  // the size counts from byte 2 on
        if (headerSize < 20 + nameSize + 2 + (level == 1 ? 3 : 0)) return -1;
        std::vector<unsigned char> rest(headerSize - 20);  // the name on, after the 22 bytes read
        if (!ReadExactly(in, rest.data(), rest.size())) return -1;
        e.name.assign(reinterpret_cast<const char*>(rest.data()), nameSize);
        e.crc = static_cast<std::uint16_t>(U16(rest.data() + nameSize));
        if (level == 1) {  // the extended headers count in the packed size
            const long long taken = Extended(in, e, U16(rest.data() + rest.size() - 2));
            if (taken < 0 || static_cast<std::uint64_t>(taken) > e.packed) return -1;
            e.packed -= static_cast<std::uint64_t>(taken);
        }
        return 1;
    }
    if (level != 2) return -1;
    if (!ReadExactly(in, b + 22, 4)) return -1;
    e.unixTime = U32(b + 15);
    e.crc = static_cast<std::uint16_t>(U16(b + 21));
    const std::uint32_t total = U16(b);
    const long long taken = Extended(in, e, U16(b + 24));
    if (taken < 0 || static_cast<std::uint64_t>(26 + taken) > total) return -1;
    // A level-2 header may end with a byte of padding.
    for (std::uint32_t pad = total - 26 - static_cast<std::uint32_t>(taken); pad > 0; --pad)
        if (!ReadExactly(in, b, 1)) return -1;
    return 1;
}


namespace {

class LzhReader final : public ArchiveReader {
public:
    LzhReader(ArchiveFiles& f, const std::string& archive, const std::string& target)
        : ArchiveReader(f, archive, target) {}

    int Run() {
        in_ = f_.Open(archive_);
        if (!in_) return f_.Tell(kArchiveNotOpened + archive_), 2;
        for (int entries = 0;; ++entries) {
            LzhEntry e;
            const int h = ReadLzhHeader(*in_, e);
            if (h == 0) break;
            if (h < 0) return f_.Tell((entries ? kArchiveDamaged : kNotAnArchive) + archive_), 2;
            if (!Extract(e)) return f_.Tell(kArchiveDamaged + archive_), 2;
        }
        return place_.AnyFailed() ? 1 : 0;
    }

private:
    bool Skip(std::uint64_t n) {
        while (n > 0) {
            const std::size_t take = static_cast<std::size_t>(std::min<std::uint64_t>(n, sizeof buffer_));
            if (!ReadExactly(*in_, buffer_, take)) return false;
            n -= take;
        }
        return true;
    }

    // One entry's data; false when the archive itself is damaged.
    bool Extract(const LzhEntry& e) {
        const std::string name = e.Path();
        const int bits = e.method == "-lh5-" ? 13 : e.method == "-lh6-" ? 15 : e.method == "-lh7-" ? 16 : 0;
        if (e.method == "-lhd-") {
            place_.Make(name, true);
            return Skip(e.packed);
        }
        if (bits == 0 && e.method != "-lh0-") return place_.Failed(kEntryNotWritten, name), Skip(e.packed);
        const std::string path = place_.Make(name, false);
        if (path.empty()) return Skip(e.packed);
        std::unique_ptr<NewFile> out = f_.Create(path);
        if (!out) return place_.Failed(kEntryNotWritten, path), Skip(e.packed);
        std::uint16_t crc = 0;
        bool written = true;
        auto put = [&](const unsigned char* p, std::size_t n) {
            crc = Crc16(crc, p, n);
            written = written && out->Write(p, n);
            return true;
        };
        bool whole;
        if (bits == 0) {
            if (e.packed != e.size) return false;
            whole = true;
            for (std::uint64_t left = e.size; left > 0 && whole;) {
                const std::size_t take = static_cast<std::size_t>(std::min<std::uint64_t>(left, sizeof buffer_));
                whole = ReadExactly(*in_, buffer_, take) && put(buffer_, take);
                left -= take;
            }
            if (!whole) return false;
        } else {
            // The decoder reads only this entry's bytes; the next header follows them.
            BoundedSource bounded(*in_, e.packed);
            whole = DecodeLh(bounded, e.packed, e.size, bits, put);
            if (!Skip(bounded.Left())) return false;
        }
        if (!whole || crc != e.crc) return place_.Failed(kEntryDamaged, path), true;
        if (e.unixTime >= 0) out->SetTime(e.unixTime);
        else out->SetLocalTime(e.date, e.time);
        if (!written || !out->Commit()) return place_.Failed(kEntryNotWritten, path), true;
        if (e.attributes >= 0) f_.SetAttributes(path, static_cast<std::uint32_t>(e.attributes));
        return true;
    }

    // At most n bytes of another source; what it did not take is left to skip.
    class BoundedSource final : public ByteSource {
    public:
        BoundedSource(ByteSource& in, std::uint64_t n) : in_(in), left_(n) {}
        long long Read(void* out, std::size_t size) override {
            const long long n = left_ ? in_.Read(out, static_cast<std::size_t>(std::min<std::uint64_t>(size, left_))) : 0;
            if (n > 0) left_ -= static_cast<std::uint64_t>(n);
            return n;
        }
        std::uint64_t Left() const { return left_; }

    private:
        ByteSource& in_;
        std::uint64_t left_;
    };

};

}  // namespace

int ExtractLzh(ArchiveFiles& f, const std::string& archive, const std::string& targetDir) {
    return RunReader<LzhReader>(f, archive, targetDir);
}

}  // namespace qrn
