#include "archivers/lzh_decode.h"

#include <array>
#include <memory>

namespace qrn {

namespace {

using namespace lh;

// Bits from the most significant one down; zeros once the input is used up,
// counted, so that damaged data end instead of running on.
class BitReader {
public:
    BitReader(ByteSource& in, std::uint64_t size) : in_(in), left_(size) {}
    unsigned Get(int n) {
        unsigned v = 0;
        for (int i = 0; i < n; ++i) v = v << 1 | Bit();
        return v;
    }
    unsigned Bit() {
        if (bits_ == 0) {
            byte_ = Byte();
            bits_ = 8;
        }
        --bits_;
        return (byte_ >> bits_) & 1;
    }
    bool Overrun() const { return overrun_ > 4; }

private:
    unsigned Byte() {
        if (at_ == end_) {
            const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(left_, sizeof buffer_));
            const long long n = want ? in_.Read(buffer_, want) : 0;
            if (n <= 0) return ++overrun_, 0;
            at_ = 0, end_ = static_cast<std::size_t>(n), left_ -= static_cast<std::uint64_t>(n);
        }
        return buffer_[at_++];
    }
    ByteSource& in_;
    std::uint64_t left_;
    unsigned char buffer_[1 << 16];
    std::size_t at_ = 0, end_ = 0;
    unsigned byte_ = 0;
    int bits_ = 0, overrun_ = 0;
};

// A canonical code from its lengths (shorter codes first, then by symbol),
// decoded bit by bit; one symbol with no length is the only one there is.
class Huffman {
public:
    bool Build(const unsigned char* lengths, int n) {
        count_.fill(0);
        symbols_.clear();
        only_ = -1;
        for (int i = 0; i < n; ++i) {
            if (lengths[i] > 16) return false;
            ++count_[lengths[i]];
        }
        count_[0] = 0;
        int left = 1;  // codes of this length still free
        for (int len = 1; len <= 16; ++len) {
            left = left * 2 - count_[len];
            if (left < 0) return false;  // more codes than the lengths allow
        }
        for (int len = 1; len <= 16; ++len)
            for (int i = 0; i < n; ++i)
                if (lengths[i] == len) symbols_.push_back(i);
        return !symbols_.empty();
    }
    void Only(int symbol) { only_ = symbol; }
    int Decode(BitReader& r) const {
        if (only_ >= 0) return only_;
        int code = 0, first = 0, index = 0;
        for (int len = 1; len <= 16; ++len) {
            code |= static_cast<int>(r.Bit());
            const int count = count_[len];
            if (code - first < count) return symbols_[index + code - first];
            index += count, first = (first + count) << 1, code <<= 1;
        }
        return -1;
    }

private:
    std::array<int, 17> count_{};
    std::vector<int> symbols_;
    int only_ = -1;
};

class Decoder {
public:
    Decoder(BitReader& r, int dictionaryBits) : r_(r), np_(dictionaryBits + 1), pbit_(dictionaryBits > 13 ? 5 : 4) {}

    // A symbol of the literal-and-length code; -1 when the data do not decode.
    int NextSymbol() {
        if (blockLeft_ == 0) {
            blockLeft_ = r_.Get(16);
            if (blockLeft_ == 0 || !ReadPtLen(kNT, kTBit, 3, pt_) || !ReadCLen() || !ReadPtLen(np_, pbit_, -1, p_)) return -1;
        }
        --blockLeft_;
        return c_.Decode(r_);
    }
    // A distance back, less one.
    int NextDistance() {
        const int j = p_.Decode(r_);
        if (j <= 0) return j;
        return static_cast<int>((1u << (j - 1)) + r_.Get(j - 1));
    }

private:
    // The lengths of the code of the code lengths, or of the distances.
    bool ReadPtLen(int nn, int nbit, int special, Huffman& h) {
        unsigned char len[32] = {};
        if (nn > static_cast<int>(sizeof len)) return false;
        const int n = static_cast<int>(r_.Get(nbit));
        if (n == 0) {
            const int c = static_cast<int>(r_.Get(nbit));
            if (c >= nn) return false;
            h.Only(c);
            return true;
        }
        if (n > nn) return false;
        for (int i = 0; i < n && i < nn;) {
            int c = static_cast<int>(r_.Get(3));
            if (c == 7)
                while (r_.Bit())
                    if (++c > 16) return false;
            len[i++] = static_cast<unsigned char>(c);
            if (i == special) {
                for (int zeros = static_cast<int>(r_.Get(2)); zeros > 0 && i < nn; --zeros) len[i++] = 0;
            }
        }
        return h.Build(len, nn);
    }
    bool ReadCLen() {
        unsigned char len[kNC] = {};
        const int n = static_cast<int>(r_.Get(kCBit));
        if (n == 0) {
            const int c = static_cast<int>(r_.Get(kCBit));
            if (c >= kNC) return false;
            c_.Only(c);
            return true;
        }
        if (n > kNC) return false;
        for (int i = 0; i < n;) {
            int c = pt_.Decode(r_);
            if (c < 0) return false;
            if (c <= 2) {
                int zeros = c == 0 ? 1 : c == 1 ? static_cast<int>(r_.Get(4)) + 3 : static_cast<int>(r_.Get(kCBit)) + 20;
                if (i + zeros > kNC) return false;
                while (zeros-- > 0) len[i++] = 0;
            } else {
                len[i++] = static_cast<unsigned char>(c - 2);
            }
        }
        return c_.Build(len, kNC);
    }

    BitReader& r_;
    int np_, pbit_;
    unsigned blockLeft_ = 0;
    Huffman pt_, c_, p_;
};

}  // namespace

std::uint16_t Crc16(std::uint16_t crc, const unsigned char* p, std::size_t n) {
    static const std::array<std::uint16_t, 256> table = [] {
        std::array<std::uint16_t, 256> t{};
        for (unsigned i = 0; i < 256; ++i) {
            unsigned c = i;
            for (int k = 0; k < 8; ++k) c = c & 1 ? (c >> 1) ^ 0xA001 : c >> 1;
            t[i] = static_cast<std::uint16_t>(c);
        }
        return t;
    }();
    while (n--) crc = static_cast<std::uint16_t>(table[(crc ^ *p++) & 0xFF] ^ (crc >> 8));
    return crc;
}

bool DecodeLh(ByteSource& packed, std::uint64_t packedSize, std::uint64_t size, int dictionaryBits,
              const std::function<bool(const unsigned char*, std::size_t)>& put) {
    auto reader = std::make_unique<BitReader>(packed, packedSize);
    Decoder d(*reader, dictionaryBits);
    const std::size_t window = std::size_t{1} << dictionaryBits;
    std::vector<unsigned char> dict(window, ' ');
    std::size_t at = 0, flushed = 0;
    std::uint64_t made = 0;
    auto flush = [&] {
        const bool ok = put(dict.data() + flushed, at - flushed);
        flushed = at == window ? 0 : at;
        if (at == window) at = 0;
        return ok;
    };
    while (made < size) {
        const int c = d.NextSymbol();
        if (c < 0 || reader->Overrun()) return false;
        if (c < 256) {
            dict[at++] = static_cast<unsigned char>(c), ++made;
            if (at == window && !flush()) return false;
            continue;
        }
        int length = c - 256 + kThreshold;
        const int distance = d.NextDistance();
        if (distance < 0 || static_cast<std::uint64_t>(length) > size - made) return false;
        std::size_t from = (at + window - static_cast<std::size_t>(distance) - 1) % window;
        while (length-- > 0) {
            dict[at++] = dict[from++], ++made;
            if (from == window) from = 0;
            if (at == window && !flush()) return false;
        }
    }
    return flush();
}

}  // namespace qrn
