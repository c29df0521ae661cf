// Compressed data read as plain bytes: gzip (through zlib) and compress's
// LZW (.Z), told apart by their first bytes, not by the name.
#pragma once
#include <memory>

#include "archivers/archive_files.h"

namespace qrn {

enum class Compression { None, Gzip, Lzw };

// The compression of data that starts with these bytes (at least 3, or fewer at the end).
Compression CompressionOf(const unsigned char* start, std::size_t size);

// in, read through its compression; null when its header is not one.
std::unique_ptr<ByteSource> Decompressed(std::unique_ptr<ByteSource> in, Compression c);

// A source that first gives back bytes already read from in.
std::unique_ptr<ByteSource> WithStart(std::unique_ptr<ByteSource> in, const unsigned char* start, std::size_t size);

}  // namespace qrn
