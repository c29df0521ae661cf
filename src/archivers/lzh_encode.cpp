#include "archivers/lzh_encode.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <queue>
#include <vector>

#include "archivers/lzh_decode.h"

namespace qrn {

namespace {

using namespace lh;
using Put = std::function<bool(const unsigned char*, std::size_t)>;

constexpr int kWindow = 1 << 13, kNP = 14, kPBit = 4;  // -lh5-: 8 KiB, distances in 14 classes
constexpr int kMinLookahead = kMaxMatch + kThreshold + 1;
constexpr int kHashBits = 15;
// How hard matches are looked for: about what zlib does at its level 6.
constexpr int kMaxChain = 128, kGoodLength = 8, kNiceLength = 128, kMaxLazy = 16, kTooFar = 4096;
constexpr std::size_t kBlockSymbols = 32768;

// Bits from the most significant one down, handed on in pieces.
class BitWriter {
public:
    explicit BitWriter(const Put& put) : put_(put) { out_.reserve(kPiece); }
    // The low n bits of v, n at most 16.
    void Bits(int n, unsigned v) {
        acc_ = (acc_ << n) | (v & ((1u << n) - 1));
        count_ += n;
        while (count_ >= 8) {
            count_ -= 8;
            out_.push_back(static_cast<unsigned char>(acc_ >> count_));
        }
        acc_ &= (1u << count_) - 1;
        if (out_.size() >= kPiece) Flush();
    }
    bool Finish() {
        if (count_ > 0) Bits(8 - count_, 0);
        return Flush();
    }

private:
    static constexpr std::size_t kPiece = 1 << 16;
    bool Flush() {
        ok_ = ok_ && (out_.empty() || put_(out_.data(), out_.size()));
        out_.clear();
        return ok_;
    }
    const Put& put_;
    std::vector<unsigned char> out_;
    std::uint32_t acc_ = 0;
    int count_ = 0;
    bool ok_ = true;
};

// A canonical code (shorter codes first, then by symbol) of at most 16 bits
// a symbol, as the decoder builds it from the lengths; a code of one symbol
// (or none) has no bits at all.
struct Code {
    std::array<unsigned char, kNC> len{};
    std::array<std::uint16_t, kNC> code{};
    int only = -1;

    void Make(const std::uint32_t* freq, int n) {
        std::vector<std::uint32_t> f(freq, freq + n);
        int used = 0;
        for (int i = 0; i < n; ++i)
            if (f[i]) only = used++ ? only : i;
        if (used < 2) {
            only = std::max(only, 0);
            return;
        }
        only = -1;
        // Huffman's tree; while it is too deep, the counts are halved (none
        // becomes 0) and it is built again.
        for (;;) {
            using Node = std::pair<std::uint64_t, int>;  // weight, then node, so that ties go one way
            std::priority_queue<Node, std::vector<Node>, std::greater<Node>> heap;
            std::vector<int> parent(2 * static_cast<std::size_t>(n), -1);
            for (int i = 0; i < n; ++i)
                if (f[i]) heap.push({f[i], i});
            for (int next = n; heap.size() > 1; ++next) {
                const Node a = heap.top();
                heap.pop();
                const Node b = heap.top();
                heap.pop();
                parent[static_cast<std::size_t>(a.second)] = parent[static_cast<std::size_t>(b.second)] = next;
                heap.push({a.first + b.first, next});
            }
            int deepest = 0;
            for (int i = 0; i < n; ++i) {
                int depth = 0;
                for (int x = i; f[i] && parent[static_cast<std::size_t>(x)] >= 0; x = parent[static_cast<std::size_t>(x)]) ++depth;
                len[static_cast<std::size_t>(i)] = static_cast<unsigned char>(depth);
                deepest = std::max(deepest, depth);
            }
            if (deepest <= 16) break;
            for (std::uint32_t& c : f) c = c ? (c + 1) / 2 : 0;
        }
        int count[17] = {};
        for (int i = 0; i < n; ++i) ++count[len[static_cast<std::size_t>(i)]];
        unsigned start[18] = {};
        for (int l = 1; l <= 16; ++l) start[l + 1] = (start[l] + static_cast<unsigned>(count[l])) << 1;
        for (int i = 0; i < n; ++i)
            if (len[static_cast<std::size_t>(i)]) code[static_cast<std::size_t>(i)] = static_cast<std::uint16_t>(start[len[static_cast<std::size_t>(i)]]++);
    }
    void Put(BitWriter& w, int s) const {
        if (len[static_cast<std::size_t>(s)]) w.Bits(len[static_cast<std::size_t>(s)], code[static_cast<std::size_t>(s)]);
    }
};

// Symbols in use: the last nonzero length and those before it.
int Used(const unsigned char* len, int n) {
    while (n > 0 && len[n - 1] == 0) --n;
    return n;
}

// The class of a distance less one: its number of bits.
int DistanceClass(unsigned d) {
    int c = 0;
    for (; d; d >>= 1) ++c;
    return c;
}

// The code-length symbols that describe the literal-and-length code: a
// length k as k + 2, runs of zeros as 0 (one), 1 (3 to 18) or 2 (20 on),
// each handed to emit with its extra bits.
template <typename Emit>
void WalkCodeLengths(const unsigned char* len, Emit emit) {
    const int n = Used(len, kNC);
    for (int i = 0; i < n;) {
        const int k = len[i++];
        if (k != 0) {
            emit(k + 2, 0, 0);
            continue;
        }
        int run = 1;
        while (i < n && len[i] == 0) ++i, ++run;
        if (run <= 2) {
            while (run-- > 0) emit(0, 0, 0);
        } else if (run <= 18) {
            emit(1, 4, run - 3);
        } else if (run == 19) {
            emit(0, 0, 0), emit(1, 4, 15);
        } else {
            emit(2, kCBit, run - 20);
        }
    }
}

class Encoder {
public:
    Encoder(ByteSource& in, const Put& put) : in_(in), w_(put) {
        head_.fill(-1);
        prev_.fill(-1);
    }

    bool Run(std::uint64_t& size, std::uint16_t& crc) {
        int matchLen = kThreshold - 1;
        bool available = false;  // a literal at strstart_ - 1 waits for the lazy look
        for (;;) {
            if (lookahead_ < kMinLookahead) {
                if (!Fill()) return false;
                if (lookahead_ == 0) break;
            }
            const int head = lookahead_ >= kThreshold ? Insert(strstart_) : -1;
            const int prevLen = matchLen, prevMatch = matchStart_;
            matchLen = kThreshold - 1;
            if (head >= 0 && prevLen < kMaxLazy && strstart_ - head < kWindow) {
                matchLen = Longest(head, prevLen);
                if (matchLen == kThreshold && strstart_ - matchStart_ > kTooFar) matchLen = kThreshold - 1;
            }
            if (prevLen >= kThreshold && matchLen <= prevLen) {
                const int lastInsert = strstart_ + lookahead_ - kThreshold;
                Match(prevLen, strstart_ - 1 - prevMatch);
                lookahead_ -= prevLen - 1;
                for (int k = prevLen - 2; k > 0; --k)
                    if (++strstart_ <= lastInsert) Insert(strstart_);
                available = false;
                matchLen = kThreshold - 1;
                ++strstart_;
            } else {
                if (available) Literal(window_[static_cast<std::size_t>(strstart_ - 1)]);
                available = true;
                ++strstart_, --lookahead_;
            }
        }
        if (available) Literal(window_[static_cast<std::size_t>(strstart_ - 1)]);
        SendBlock();
        size = size_, crc = crc_;
        return w_.Finish();
    }

private:
    // More input behind what is left to look at, the window slid down by
    // half when it is near its end; false on a read error.
    bool Fill() {
        if (strstart_ >= 2 * kWindow - kMinLookahead) {
            std::memmove(window_.data(), window_.data() + kWindow, kWindow);
            strstart_ -= kWindow, matchStart_ -= kWindow;
            for (int& h : head_) h = h >= kWindow ? h - kWindow : -1;
            for (int& p : prev_) p = p >= kWindow ? p - kWindow : -1;
        }
        while (!ended_ && strstart_ + lookahead_ < 2 * kWindow) {
            unsigned char* to = window_.data() + strstart_ + lookahead_;
            const long long n = in_.Read(to, static_cast<std::size_t>(2 * kWindow - strstart_ - lookahead_));
            if (n < 0) return false;
            if (n == 0) ended_ = true;
            crc_ = Crc16(crc_, to, static_cast<std::size_t>(n));
            size_ += static_cast<std::uint64_t>(n), lookahead_ += static_cast<int>(n);
        }
        return true;
    }

    // Puts the three bytes at pos in their chain; the position before it there.
    int Insert(int pos) {
        const unsigned char* p = window_.data() + pos;
        const unsigned h = ((static_cast<unsigned>(p[0]) << 16 | p[1] << 8 | p[2]) * 2654435761u) >> (32 - kHashBits);
        const int before = head_[h];
        prev_[static_cast<std::size_t>(pos & (kWindow - 1))] = before;
        head_[h] = pos;
        return before;
    }

    // The longest match at strstart_ along the chain from cur, longer than
    // prevLen to count; its start in matchStart_.
    int Longest(int cur, int prevLen) {
        int best = prevLen, chain = prevLen >= kGoodLength ? kMaxChain / 4 : kMaxChain;
        const int most = std::min(kMaxMatch, lookahead_), nice = std::min(kNiceLength, most);
        const int limit = std::max(strstart_ - (kWindow - 1), 0);
        const unsigned char* s = window_.data() + strstart_;
        do {
            const unsigned char* m = window_.data() + cur;
            if (m[best] != s[best] || m[0] != s[0] || m[1] != s[1]) continue;
            int len = 2;
            while (len < most && m[len] == s[len]) ++len;
            if (len > best) {
                best = len, matchStart_ = cur;
                if (len >= nice) break;
            }
        } while ((cur = prev_[static_cast<std::size_t>(cur & (kWindow - 1))]) >= limit && --chain > 0);
        return std::min(best, lookahead_);
    }

    void Literal(int c) {
        symbols_.push_back(static_cast<std::uint16_t>(c));
        if (symbols_.size() >= kBlockSymbols) SendBlock();
    }
    void Match(int length, int distance) {
        symbols_.push_back(static_cast<std::uint16_t>(256 + length - kThreshold));
        distances_.push_back(static_cast<std::uint16_t>(distance - 1));  // as the decoder counts it
        if (symbols_.size() >= kBlockSymbols) SendBlock();
    }

    // The lengths of the code of the code lengths, or of the distances.
    void PutLengths(const Code& c, int n, int nbit, int special) {
        if (c.only >= 0) {
            w_.Bits(nbit, 0), w_.Bits(nbit, static_cast<unsigned>(c.only));
            return;
        }
        const int used = Used(c.len.data(), n);
        w_.Bits(nbit, static_cast<unsigned>(used));
        for (int i = 0; i < used;) {
            const int k = c.len[static_cast<std::size_t>(i++)];
            if (k <= 6) w_.Bits(3, static_cast<unsigned>(k));
            else w_.Bits(k - 3, (1u << (k - 3)) - 2);  // 7 and more: ones, then a zero
            if (i == special) {
                while (i < 6 && c.len[static_cast<std::size_t>(i)] == 0) ++i;
                w_.Bits(2, static_cast<unsigned>(i - 3) & 3);
            }
        }
    }

    void SendBlock() {
        if (symbols_.empty()) return;
        std::uint32_t cf[kNC] = {}, pf[kNP] = {};
        for (std::size_t i = 0, d = 0; i < symbols_.size(); ++i) {
            ++cf[symbols_[i]];
            if (symbols_[i] >= 256) ++pf[DistanceClass(distances_[d++])];
        }
        Code c, p;
        c.Make(cf, kNC);
        p.Make(pf, kNP);
        w_.Bits(16, static_cast<unsigned>(symbols_.size()));
        if (c.only >= 0) {
            w_.Bits(kTBit, 0), w_.Bits(kTBit, 0);
            w_.Bits(kCBit, 0), w_.Bits(kCBit, static_cast<unsigned>(c.only));
        } else {
            std::uint32_t tf[kNT] = {};
            WalkCodeLengths(c.len.data(), [&](int t, int, int) { ++tf[t]; });
            Code t;
            t.Make(tf, kNT);
            PutLengths(t, kNT, kTBit, 3);
            w_.Bits(kCBit, static_cast<unsigned>(Used(c.len.data(), kNC)));
            WalkCodeLengths(c.len.data(), [&](int s, int bits, int extra) {
                t.Put(w_, s);
                if (bits) w_.Bits(bits, static_cast<unsigned>(extra));
            });
        }
        PutLengths(p, kNP, kPBit, -1);
        for (std::size_t i = 0, d = 0; i < symbols_.size(); ++i) {
            c.Put(w_, symbols_[i]);
            if (symbols_[i] < 256) continue;
            const unsigned distance = distances_[d++];
            const int j = DistanceClass(distance);
            p.Put(w_, j);
            if (j > 1) w_.Bits(j - 1, distance);
        }
        symbols_.clear();
        distances_.clear();
    }

    ByteSource& in_;
    BitWriter w_;
    // Twice the dictionary, and room past it for a comparison at the end.
    std::array<unsigned char, 2 * kWindow + kMaxMatch + 8> window_{};
    std::array<int, 1 << kHashBits> head_;
    std::array<int, kWindow> prev_;
    int strstart_ = 0, lookahead_ = 0, matchStart_ = 0;
    bool ended_ = false;
    std::uint64_t size_ = 0;
    std::uint16_t crc_ = 0;
    std::vector<std::uint16_t> symbols_, distances_;  // distances less one
};

}  // namespace

bool EncodeLh5(ByteSource& in, const Put& put, std::uint64_t& size, std::uint16_t& crc) {
    return std::make_unique<Encoder>(in, put)->Run(size, crc);
}

}  // namespace qrn
