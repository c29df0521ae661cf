// The -lh5-, -lh6- and -lh7- decoder: blocks of static Huffman codes over a
// sliding dictionary, read from a bounded input.
#pragma once
#include <cstdint>
#include <functional>
#include <vector>

#include "archivers/archive_files.h"

namespace qrn {

// What the -lhN- formats share: lengths 3 to 256, one code for literals and
// lengths, the code of its code lengths and the bits of the counts.
namespace lh {
constexpr int kThreshold = 3, kMaxMatch = 256;
constexpr int kNC = 255 + kMaxMatch + 2 - kThreshold;  // literals and lengths: 510
constexpr int kNT = 19, kTBit = 5, kCBit = 9;
}  // namespace lh

// Decodes size bytes from packed (at most packedSize of it) with a dictionary
// of 1 << dictionaryBits bytes, handing them on in pieces; false for data
// that do not decode (or end too soon), or when put refuses a piece.
bool DecodeLh(ByteSource& packed, std::uint64_t packedSize, std::uint64_t size, int dictionaryBits,
              const std::function<bool(const unsigned char*, std::size_t)>& put);

// LHA's CRC-16 (the polynomial 0xA001, from 0).
std::uint16_t Crc16(std::uint16_t crc, const unsigned char* p, std::size_t n);

}  // namespace qrn
