#include "archivers/tar_archive.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <type_traits>

#include "archivers/archivers_texts.h"
#include "archivers/decompress.h"
#include "archivers/entry_place.h"
#include "archivers/pack_entries.h"
#include "base/sjis.h"

namespace qrn {

namespace {

constexpr std::size_t kBlock = 512;

// An octal field (blanks and NULs around it), or base 256 when its first bit is set.
bool Number(const unsigned char* field, std::size_t size, std::uint64_t& value) {
    value = 0;
    if (field[0] & 0x80) {
        for (std::size_t i = 1; i < size; ++i) {
            if (value >> 55) return false;
            value = value << 8 | field[i];
        }
        return (field[0] & 0x7F) == 0;
    }
    std::size_t i = 0;
    while (i < size && field[i] == ' ') ++i;
    for (; i < size && field[i] >= '0' && field[i] <= '7'; ++i) {
        if (value >> 60) return false;
        value = value * 8 + (field[i] - '0');
    }
    for (; i < size; ++i)
        if (field[i] != ' ' && field[i] != 0) return false;
    return true;  // an empty field is 0
}

std::string Field(const unsigned char* p, std::size_t size) {
    const void* end = std::memchr(p, 0, size);
    return std::string(reinterpret_cast<const char*>(p), end ? static_cast<const unsigned char*>(end) - p : size);
}

bool ChecksumHolds(const unsigned char* h) {
    std::uint64_t stored = 0;
    if (!Number(h + 148, 8, stored)) return false;
    std::uint64_t sum = 0;
    std::int64_t signedSum = 0;
    for (std::size_t i = 0; i < kBlock; ++i) {
        const unsigned char c = i >= 148 && i < 156 ? ' ' : h[i];
        sum += c, signedSum += static_cast<signed char>(c);
    }
    return stored == sum || static_cast<std::int64_t>(stored) == signedSum;
}

// The path of a pax header's "path" record, or ""; binary when the header
// says its texts are bytes as they stand rather than UTF-8.
std::string PaxPath(const std::string& records, bool& binary) {
    std::string path;
    binary = false;
    for (std::size_t at = 0; at < records.size();) {
        std::size_t length = 0, i = at;
        while (i < records.size() && records[i] >= '0' && records[i] <= '9') length = length * 10 + (records[i++] - '0');
        if (length == 0 || at + length > records.size() || i >= records.size() || records[i] != ' ') return "";
        const std::string record = records.substr(i + 1, at + length - i - 2);  // without the line end
        if (record.compare(0, 5, "path=") == 0) path = record.substr(5);
        if (record == "hdrcharset=BINARY") binary = true;
        at += length;
    }
    return path;
}

// Whether s is well-formed UTF-8 (a pax path that is not, tar wrote as the bytes it had).
bool IsUtf8(const std::string& s) {
    for (std::size_t i = 0; i < s.size();) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        const int n = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
        if (n < 0 || i + n >= s.size() + (n == 0)) return false;
        for (int k = 1; k <= n; ++k)
            if ((static_cast<unsigned char>(s[i + k]) >> 6) != 2) return false;
        i += n + 1;
    }
    return true;
}

class Extraction final : public ArchiveReader {
public:
    Extraction(ArchiveFiles& f, const std::string& archive, const std::string& target)
        : ArchiveReader(f, archive, target) {}

    int Run() {
        std::unique_ptr<ByteSource> raw = f_.Open(archive_);
        if (!raw) return Tell(kArchiveNotOpened, archive_), 2;
        unsigned char start[4] = {};
        long long got = raw->Read(start, sizeof start);
        if (got < 0) got = 0;
        const Compression c = CompressionOf(start, static_cast<std::size_t>(got));
        in_ = Decompressed(WithStart(std::move(raw), start, static_cast<std::size_t>(got)), c);
        if (!in_) return Tell(kNotAnArchive, archive_), 2;
        int entries = 0;
        for (unsigned char h[kBlock];;) {
            if (!ReadExactly(*in_, h, kBlock)) {  // the end without its zero blocks: what came is kept
                if (entries == 0) return Tell(kNotAnArchive, archive_), 2;
                break;
            }
            if (std::all_of(h, h + kBlock, [](unsigned char b) { return b == 0; })) break;
            if (!ChecksumHolds(h)) return Tell(entries ? kArchiveDamaged : kNotAnArchive, archive_), 2;
            ++entries;
            if (!Entry(h)) return Tell(kArchiveDamaged, archive_), 2;
        }
        return place_.AnyFailed() ? 1 : 0;
    }

private:
    void Tell(const char* text, const std::string& what) { f_.Tell(text + what); }
    std::string longName_;  // the next entry's name, from a GNU or pax header

    // One entry and its data; false when the archive is damaged.
    bool Entry(const unsigned char* h) {
        std::uint64_t size = 0, mtime = 0;
        if (!Number(h + 124, 12, size) || !Number(h + 136, 12, mtime)) return false;
        const char type = static_cast<char>(h[156]);
        if (type == 'L' || type == 'x') {  // the next entry's name
            if (size > 65536) return false;
            std::string data(size, '\0');
            if (!Data(size, [&](const unsigned char* p, std::size_t n, std::uint64_t at) {
                    std::memcpy(data.data() + at, p, n);
                    return true;
                }))
                return false;
            if (type == 'L') longName_ = Field(reinterpret_cast<const unsigned char*>(data.data()), data.size());
            bool binary = false;
            const std::string path = type == 'x' ? PaxPath(data, binary) : std::string();
            if (!path.empty()) longName_ = binary || !IsUtf8(path) ? path : f_.FromUtf8(path);
            return true;
        }
        std::string name = Field(h, 100);
        if (std::memcmp(h + 257, "ustar\0", 6) == 0 && h[345]) name = Field(h + 345, 155) + "/" + name;
        if (!longName_.empty()) name = longName_, longName_.clear();
        const bool file = type == '0' || type == '\0' || type == '7';
        if (type == 'g' || type == 'K' || (!file && type != '5')) {  // links and devices are not made
            if (type != 'g' && type != 'K') place_.Failed(kEntryNotWritten, name);
            return Data(size, nullptr);
        }
        const std::string path = place_.Make(name, type == '5');
        if (path.empty() || type == '5') return Data(size, nullptr);
        std::unique_ptr<NewFile> out = f_.Create(path);
        bool written = out != nullptr;
        if (!Data(size, [&](const unsigned char* p, std::size_t n, std::uint64_t) {
                written = written && out->Write(p, n);
                return true;
            }))
            return false;  // cut short: nothing of it is kept
        if (out) out->SetTime(static_cast<std::int64_t>(mtime));
        if (!written || !out->Commit()) place_.Failed(kEntryNotWritten, path);
        return true;
    }

    // The entry's data in pieces, then its padding; false when it is cut short.
    template <typename Use>
    bool Data(std::uint64_t size, Use use) {
        std::uint64_t at = 0;
        const std::uint64_t padded = (size + kBlock - 1) / kBlock * kBlock;
        while (at < padded) {
            const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(sizeof buffer_, padded - at));
            if (!ReadExactly(*in_, buffer_, n)) return false;
            if constexpr (!std::is_same_v<Use, std::nullptr_t>) {
                if (at < size) use(buffer_, static_cast<std::size_t>(std::min<std::uint64_t>(n, size - at)), at);
            }
            at += n;
        }
        return true;
    }


};

// A stored name: relative, '/' between its parts.
class Creation final : ArchiveWriter {
public:
    Creation(ArchiveFiles& f, const std::string& archive) : ArchiveWriter(f, archive) {}

    int Run(const std::vector<std::string>& names) {
        std::vector<PackEntry> entries;
        if (!CollectPackEntries(f_, names, archive_, '/', entries)) return 2;
        out_ = f_.Create(archive_);
        if (!out_) return f_.Tell(kArchiveNotWritten + archive_), 2;
        for (const PackEntry& e : entries)
            if (!Add(e.path, e.stored, e.found)) return 2;
        static const unsigned char zeros[kBlock * 2] = {};
        if (!Put(zeros, sizeof zeros)) return Failed();
        while (written_ % 10240) Put(zeros, kBlock);
        if (!ok_ || !out_->Commit()) return Failed();
        return 0;
    }

private:
    bool Header(const std::string& stored, char type, std::uint64_t size, std::int64_t time) {
        if (stored.size() >= 100) {  // GNU: the name in an entry of its own before
            if (!Header("././@LongLink", 'L', stored.size() + 1, 0)) return false;
            std::string data = stored;
            data.resize((stored.size() + 1 + kBlock - 1) / kBlock * kBlock, '\0');
            if (!Put(data.data(), data.size())) return false;
        }
        unsigned char h[kBlock] = {};
        std::memcpy(h, stored.data(), std::min<std::size_t>(stored.size(), 99));
        std::snprintf(reinterpret_cast<char*>(h + 100), 8, "%07o", type == '5' ? 0755 : 0644);
        std::snprintf(reinterpret_cast<char*>(h + 108), 8, "%07o", 0);
        std::snprintf(reinterpret_cast<char*>(h + 116), 8, "%07o", 0);
        if (size < (1ull << 33)) {
            std::snprintf(reinterpret_cast<char*>(h + 124), 12, "%011llo", static_cast<unsigned long long>(size));
        } else {  // base 256
            h[124] = 0x80;
            for (int i = 0; i < 8; ++i) h[135 - i] = static_cast<unsigned char>(size >> (8 * i));
        }
        const unsigned long long seconds = time > 0 ? static_cast<unsigned long long>(time) : 0;
        std::snprintf(reinterpret_cast<char*>(h + 136), 12, "%011llo", std::min(seconds, 077777777777ULL));
        h[156] = static_cast<unsigned char>(type);
        std::memcpy(h + 257, "ustar  ", 8);  // GNU, with its terminating NUL
        std::memset(h + 148, ' ', 8);
        unsigned sum = 0;
        for (unsigned char c : h) sum += c;
        std::snprintf(reinterpret_cast<char*>(h + 148), 8, "%06o", sum);
        return Put(h, kBlock);
    }

    bool Add(const std::string& path, const std::string& stored, const FoundEntry& e) {
        if (e.directory) return Header(stored + "/", '5', 0, e.unixTime) || (Failed(), false);
        std::unique_ptr<ByteSource> in = f_.Open(path);
        if (!in) return f_.Tell(kEntryNotRead + path), false;
        if (!Header(stored, '0', e.size, e.unixTime)) return Failed(), false;
        std::uint64_t copied = 0;
        for (long long n; copied < e.size && (n = in->Read(buffer_, sizeof buffer_)) > 0;) {
            const std::size_t take = static_cast<std::size_t>(std::min<std::uint64_t>(n, e.size - copied));
            if (!Put(buffer_, take)) return Failed(), false;
            copied += take;
        }
        if (copied != e.size) return f_.Tell(kEntryNotRead + path), false;  // it changed while being read
        static const unsigned char zeros[kBlock] = {};
        return Put(zeros, (kBlock - e.size % kBlock) % kBlock) || (Failed(), false);
    }

};

}  // namespace

int ExtractTar(ArchiveFiles& f, const std::string& archive, const std::string& targetDir) {
    return RunReader<Extraction>(f, archive, targetDir);
}

int CreateTar(ArchiveFiles& f, const std::string& archive, const std::vector<std::string>& names) {
    auto c = std::make_unique<Creation>(f, archive);
    return c->Run(names);
}

}  // namespace qrn
