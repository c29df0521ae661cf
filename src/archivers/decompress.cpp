#include "archivers/decompress.h"

#include <zlib.h>

#include <cstring>
#include <vector>

namespace qrn {

namespace {

class StartThenRest final : public ByteSource {
public:
    StartThenRest(std::unique_ptr<ByteSource> in, const unsigned char* start, std::size_t size)
        : in_(std::move(in)), start_(start, start + size) {}
    long long Read(void* out, std::size_t size) override {
        if (at_ < start_.size()) {
            const std::size_t n = std::min(size, start_.size() - at_);
            std::memcpy(out, start_.data() + at_, n);
            at_ += n;
            return static_cast<long long>(n);
        }
        return in_->Read(out, size);
    }

private:
    std::unique_ptr<ByteSource> in_;
    std::vector<unsigned char> start_;
    std::size_t at_ = 0;
};

// gzip members one after another, as gzip itself reads them.
class GzipSource final : public ByteSource {
public:
    explicit GzipSource(std::unique_ptr<ByteSource> in) : in_(std::move(in)), buffer_(1 << 16) {
        ok_ = inflateInit2(&z_, 16 + MAX_WBITS) == Z_OK;
    }
    ~GzipSource() override {
        if (ok_) inflateEnd(&z_);
    }
    long long Read(void* out, std::size_t size) override {
        if (!ok_) return -1;
        z_.next_out = static_cast<Bytef*>(out);
        z_.avail_out = static_cast<uInt>(std::min<std::size_t>(size, 1u << 30));
        while (z_.avail_out == static_cast<uInt>(std::min<std::size_t>(size, 1u << 30)) && !ended_) {
            if (z_.avail_in == 0) {
                const long long n = in_->Read(buffer_.data(), buffer_.size());
                if (n < 0) return -1;
                if (n == 0) return sawMember_ && atMemberEnd_ ? 0 : -1;  // cut short
                z_.next_in = buffer_.data(), z_.avail_in = static_cast<uInt>(n);
            }
            atMemberEnd_ = false;
            const int r = inflate(&z_, Z_NO_FLUSH);
            if (r == Z_STREAM_END) {
                sawMember_ = atMemberEnd_ = true;
                inflateReset(&z_);  // another member may follow
            } else if (r != Z_OK && r != Z_BUF_ERROR) {
                return -1;
            } else if (r == Z_BUF_ERROR && z_.avail_in != 0) {
                return -1;
            }
        }
        return static_cast<long long>(std::min<std::size_t>(size, 1u << 30) - z_.avail_out);
    }

private:
    std::unique_ptr<ByteSource> in_;
    std::vector<Bytef> buffer_;
    z_stream z_{};
    bool ok_ = false, ended_ = false, sawMember_ = false, atMemberEnd_ = false;
};

// compress's LZW: codes of 9 bits growing to the header's maximum, read in
// groups of that many bytes; in block mode code 256 clears the table.
class LzwSource final : public ByteSource {
public:
    explicit LzwSource(std::unique_ptr<ByteSource> in) {
        unsigned char chunk[1 << 16];
        for (long long n; (n = in->Read(chunk, sizeof chunk)) != 0;) {
            if (n < 0) return;
            data_.insert(data_.end(), chunk, chunk + n);
        }
        if (data_.size() < 3 || data_[0] != 0x1F || data_[1] != 0x9D) return;
        maxBits_ = data_[2] & 0x1F;
        blockMode_ = (data_[2] & 0x80) != 0;
        if (maxBits_ < 9 || maxBits_ > 16) return;
        prefix_.assign(1u << maxBits_, 0), suffix_.assign(1u << maxBits_, 0);
        for (int c = 0; c < 256; ++c) suffix_[c] = static_cast<unsigned char>(c);
        bits_ = 9;
        freeEntry_ = blockMode_ ? 257 : 256;
        pos_ = 24;  // bits: after the header
        ok_ = true;
    }
    long long Read(void* out, std::size_t size) override {
        if (!ok_) return -1;
        unsigned char* o = static_cast<unsigned char*>(out);
        std::size_t n = 0;
        while (n < size) {
            if (!stack_.empty()) {
                o[n++] = stack_.back();
                stack_.pop_back();
                continue;
            }
            const int r = NextCode();
            if (r == 0) break;  // the end
            if (r < 0) return n ? static_cast<long long>(n) : -1;
        }
        return static_cast<long long>(n);
    }

private:
    // To the start of the next group of bits_ bytes, counted from where the
    // code width last changed (or the end of the header).
    void Align() {
        const std::uint64_t group = static_cast<std::uint64_t>(bits_) * 8, rel = pos_ - groupStart_;
        if (rel % group) pos_ += group - rel % group;
        groupStart_ = pos_;
    }
    // 1: a code's bytes are on the stack (reversed); 0: the end; -1: damaged.
    int NextCode() {
        const std::uint32_t maxCode = bits_ == maxBits_ ? (1u << maxBits_) : (1u << bits_) - 1;
        if (freeEntry_ > maxCode && bits_ < maxBits_) {
            Align();
            ++bits_;
        }
        if (pos_ + bits_ > data_.size() * 8) return 0;
        std::uint32_t code = 0;
        for (int i = 0; i < bits_; ++i, ++pos_)
            code |= static_cast<std::uint32_t>((data_[pos_ >> 3] >> (pos_ & 7)) & 1) << i;
        if (oldCode_ < 0) {
            if (code >= 256) return -1;
            oldCode_ = static_cast<int>(code), finChar_ = static_cast<unsigned char>(code);
            stack_.push_back(finChar_);
            return 1;
        }
        if (code == 256 && blockMode_) {
            freeEntry_ = 256;
            Align();
            bits_ = 9;
            return NextCode();
        }
        const std::uint32_t inCode = code;
        if (code >= freeEntry_) {
            if (code > freeEntry_) return -1;
            stack_.push_back(finChar_);
            code = static_cast<std::uint32_t>(oldCode_);
        }
        while (code >= 256) {
            if (stack_.size() > suffix_.size()) return -1;
            stack_.push_back(suffix_[code]);
            code = prefix_[code];
        }
        finChar_ = suffix_[code];
        stack_.push_back(finChar_);
        if (freeEntry_ < (1u << maxBits_)) {
            prefix_[freeEntry_] = static_cast<std::uint16_t>(oldCode_);
            suffix_[freeEntry_] = finChar_;
            ++freeEntry_;
        }
        oldCode_ = static_cast<int>(inCode);
        return 1;
    }

    std::vector<unsigned char> data_, suffix_, stack_;
    std::vector<std::uint16_t> prefix_;
    std::uint64_t pos_ = 0, groupStart_ = 24;
    int bits_ = 9, maxBits_ = 16, oldCode_ = -1;
    std::uint32_t freeEntry_ = 256;
    unsigned char finChar_ = 0;
    bool blockMode_ = true, ok_ = false;
};

}  // namespace

Compression CompressionOf(const unsigned char* start, std::size_t size) {
    if (size >= 2 && start[0] == 0x1F && start[1] == 0x8B) return Compression::Gzip;
    if (size >= 2 && start[0] == 0x1F && start[1] == 0x9D) return Compression::Lzw;
    return Compression::None;
}

std::unique_ptr<ByteSource> Decompressed(std::unique_ptr<ByteSource> in, Compression c) {
    if (c == Compression::Gzip) return std::make_unique<GzipSource>(std::move(in));
    if (c == Compression::Lzw) return std::make_unique<LzwSource>(std::move(in));
    return in;
}

std::unique_ptr<ByteSource> WithStart(std::unique_ptr<ByteSource> in, const unsigned char* start, std::size_t size) {
    return std::make_unique<StartThenRest>(std::move(in), start, size);
}

}  // namespace qrn
