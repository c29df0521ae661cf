#include "archivers/zip_archive.h"

#include <zlib.h>

#include <cstring>
#include <vector>

#include "archivers/archivers_texts.h"
#include "archivers/entry_place.h"

namespace qrn {

namespace {

struct ZipEntry {
    std::string name;
    std::uint32_t crc = 0;
    std::uint64_t packed = 0, size = 0, offset = 0;
    std::uint16_t flags = 0, method = 0, date = 0, time = 0;
    std::int64_t unixTime = -1;  // from the extended timestamp, when there is one
};

class ZipReader final : public ArchiveReader {
public:
    ZipReader(ArchiveFiles& f, const std::string& archive, const std::string& target)
        : ArchiveReader(f, archive, target) {}

    int Run() {
        in_ = f_.Open(archive_);
        if (!in_) return f_.Tell(kArchiveNotOpened + archive_), 2;
        std::vector<ZipEntry> entries;
        if (!Directory(entries)) return f_.Tell(kNotAnArchive + archive_), 2;
        for (const ZipEntry& e : entries)
            if (!Extract(e)) return f_.Tell(kArchiveDamaged + archive_), 2;
        return place_.AnyFailed() ? 1 : 0;
    }

private:
    bool ReadAt(std::uint64_t at, unsigned char* out, std::size_t size) {
        if (!in_->Seek(at)) return false;
        while (size > 0) {
            const long long n = in_->Read(out, size);
            if (n <= 0) return false;
            out += n, size -= static_cast<std::size_t>(n);
        }
        return true;
    }

    // The central directory, found from its end record (ZIP64 where it says so).
    bool Directory(std::vector<ZipEntry>& entries) {
        std::uint64_t size = 0;
        if (!in_->Size(size) || size < 22) return false;
        const std::size_t tail = static_cast<std::size_t>(std::min<std::uint64_t>(size, 65557));
        std::vector<unsigned char> t(tail);
        if (!ReadAt(size - tail, t.data(), tail)) return false;
        std::size_t end = tail - 22 + 1;
        do {
            if (end-- == 0) return false;
        } while (U32(&t[end]) != 0x06054B50);
        std::uint64_t count = U16(&t[end + 10]), dirSize = U32(&t[end + 12]), dirAt = U32(&t[end + 16]);
        if (end >= 20 && U32(&t[end - 20]) == 0x07064B50) {  // the ZIP64 locator
            unsigned char z[56];
            if (!ReadAt(U64(&t[end - 12]), z, sizeof z) || U32(z) != 0x06064B50) return false;
            count = U64(z + 32), dirSize = U64(z + 40), dirAt = U64(z + 48);
        }
        if (dirAt > size || dirSize > size - dirAt || count > dirSize / 46) return false;
        std::vector<unsigned char> d(static_cast<std::size_t>(dirSize));
        if (!ReadAt(dirAt, d.data(), d.size())) return false;
        for (std::size_t at = 0; count-- > 0;) {
            if (at + 46 > d.size() || U32(&d[at]) != 0x02014B50) return false;
            const unsigned char* h = &d[at];
            const std::size_t nameSize = U16(h + 28), extraSize = U16(h + 30), commentSize = U16(h + 32);
            if (at + 46 + nameSize + extraSize + commentSize > d.size()) return false;
            ZipEntry e;
            e.flags = static_cast<std::uint16_t>(U16(h + 8)), e.method = static_cast<std::uint16_t>(U16(h + 10));
            e.time = static_cast<std::uint16_t>(U16(h + 12)), e.date = static_cast<std::uint16_t>(U16(h + 14));
            e.crc = U32(h + 16), e.packed = U32(h + 20), e.size = U32(h + 24), e.offset = U32(h + 42);
            const std::string raw(reinterpret_cast<const char*>(h + 46), nameSize);
            e.name = e.flags & 0x800 ? f_.FromUtf8(raw) : raw;
            Extra(e, raw, h + 46 + nameSize, extraSize);
            entries.push_back(e);
            at += 46 + nameSize + extraSize + commentSize;
        }
        return true;
    }

    // ZIP64 sizes and offset, Info-ZIP's Unicode path, the extended timestamp.
    void Extra(ZipEntry& e, const std::string& raw, const unsigned char* p, std::size_t size) {
        for (std::size_t at = 0; at + 4 <= size;) {
            const std::uint32_t id = U16(p + at), n = U16(p + at + 2);
            if (at + 4 + n > size) return;
            const unsigned char* v = p + at + 4;
            if (id == 0x0001) {
                std::size_t k = 0;
                for (std::uint64_t* field : {&e.size, &e.packed, &e.offset})
                    if (*field == 0xFFFFFFFFu && k + 8 <= n) *field = U64(v + k), k += 8;
            } else if (id == 0x7075 && n > 5 && v[0] == 1 &&
                       U32(v + 1) == crc32(0, reinterpret_cast<const Bytef*>(raw.data()), static_cast<uInt>(raw.size()))) {
                e.name = f_.FromUtf8(std::string(reinterpret_cast<const char*>(v + 5), n - 5));
            } else if (id == 0x5455 && n >= 5 && (v[0] & 1)) {
                e.unixTime = static_cast<std::int32_t>(U32(v + 1));
            }
            at += 4 + n;
        }
    }

    // One entry; false when the archive itself is damaged.
    bool Extract(const ZipEntry& e) {
        const bool directory = !e.name.empty() && e.name.back() == '/';
        unsigned char local[30];
        if (!ReadAt(e.offset, local, sizeof local) || U32(local) != 0x04034B50) return false;
        if (e.flags & 1) return place_.Failed(kEntryNotWritten, e.name), true;  // encrypted
        if (e.method != 0 && e.method != 8) return place_.Failed(kEntryNotWritten, e.name), true;
        const std::string path = place_.Make(e.name, directory);
        if (path.empty() || directory) return true;
        if (!in_->Seek(e.offset + 30 + U16(local + 26) + U16(local + 28))) return false;
        std::unique_ptr<NewFile> out = f_.Create(path);
        if (!out) return place_.Failed(kEntryNotWritten, path), true;
        const Written w = e.method == 0 ? Stored(e, *out) : Deflated(e, *out);
        if (w == Written::Damaged) return place_.Failed(kEntryDamaged, path), true;  // a wrong CRC or size: nothing kept
        if (e.unixTime >= 0) out->SetTime(e.unixTime);
        else out->SetLocalTime(e.date, e.time);
        if (w != Written::Whole || !out->Commit()) place_.Failed(kEntryNotWritten, path);
        return true;
    }

    enum class Written { Whole, Failed, Damaged };  // Damaged: the data are not what the directory says

    Written Stored(const ZipEntry& e, NewFile& out) {
        std::uint32_t crc = crc32(0, nullptr, 0);
        bool ok = true;
        for (std::uint64_t left = e.packed; left > 0;) {
            const long long n = in_->Read(buffer_, static_cast<std::size_t>(std::min<std::uint64_t>(left, sizeof buffer_)));
            if (n <= 0) return Written::Damaged;  // cut short
            crc = crc32(crc, buffer_, static_cast<uInt>(n));
            ok = ok && out.Write(buffer_, static_cast<std::size_t>(n));
            left -= static_cast<std::uint64_t>(n);
        }
        return crc != e.crc || e.packed != e.size ? Written::Damaged : ok ? Written::Whole : Written::Failed;
    }

    Written Deflated(const ZipEntry& e, NewFile& out) {
        z_stream z{};
        if (inflateInit2(&z, -MAX_WBITS) != Z_OK) return Written::Failed;
        std::uint32_t crc = crc32(0, nullptr, 0);
        std::uint64_t left = e.packed, made = 0;
        bool ok = true;
        int r = Z_OK;
        unsigned char plain[1 << 16];
        while (r != Z_STREAM_END) {
            if (z.avail_in == 0) {
                if (left == 0) break;
                const long long n = in_->Read(buffer_, static_cast<std::size_t>(std::min<std::uint64_t>(left, sizeof buffer_)));
                if (n <= 0) break;
                z.next_in = buffer_, z.avail_in = static_cast<uInt>(n), left -= static_cast<std::uint64_t>(n);
            }
            z.next_out = plain, z.avail_out = sizeof plain;
            r = inflate(&z, Z_NO_FLUSH);
            if (r != Z_OK && r != Z_STREAM_END) break;
            const std::size_t n = sizeof plain - z.avail_out;
            crc = crc32(crc, plain, static_cast<uInt>(n));
            ok = ok && out.Write(plain, n);
            made += n;
            if (made > e.size) break;
        }
        inflateEnd(&z);
        if (r != Z_STREAM_END || crc != e.crc || made != e.size) return Written::Damaged;
        return ok ? Written::Whole : Written::Failed;
    }

};

}  // namespace

int ExtractZip(ArchiveFiles& f, const std::string& archive, const std::string& targetDir) {
    return RunReader<ZipReader>(f, archive, targetDir);
}

}  // namespace qrn
