// The -lh5- encoder: matches in an 8 KiB dictionary found through hash
// chains (one step of lazy matching), sent in blocks of static Huffman codes
// that the decoder beside it reads.
#pragma once
#include <cstdint>
#include <functional>

#include "archivers/archive_files.h"

namespace qrn {

// Packs what in holds, to its end; the packed bytes are handed to put in
// pieces. size and crc (LHA's CRC-16) are those of what was read. False
// when in cannot be read or put refuses a piece.
bool EncodeLh5(ByteSource& in, const std::function<bool(const unsigned char*, std::size_t)>& put,
               std::uint64_t& size, std::uint16_t& crc);

}  // namespace qrn
