// LZH archives read into a directory: -lh0-, -lh5-, -lh6-, -lh7- and -lhd-
// entries with headers of levels 0, 1 and 2, each file's CRC-16 checked;
// made or brought up to date with -lh5- and level-2 headers.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "archivers/archive_files.h"

namespace qrn {

struct LzhEntry {
    std::string method, name, dir;  // dir: its parts between 0xFF bytes
    std::uint64_t packed = 0, size = 0;
    std::uint16_t crc = 0, date = 0, time = 0;
    std::int64_t unixTime = -1;  // else the MS-DOS date and time, local
    int attributes = -1;         // -1: none stored
    // The directory and the name, with backslashes.
    std::string Path() const;
};

// The next entry's header from in: 1 read (packed bytes of data follow it),
// 0 the end of the archive, -1 damaged.
int ReadLzhHeader(ByteSource& in, LzhEntry& e);

// 0 when every entry went into targetDir (which ends with a backslash); else
// what went wrong has been told and the rest went on.
int ExtractLzh(ArchiveFiles& f, const std::string& archive, const std::string& targetDir);

// The archive made from names (files, or directories with their whole tree)
// in -lh5- (-lh0- where packing gains nothing), or an old one brought up to
// date: entries of the same name replaced, the others kept. The archive is
// put in place only once whole; attributes says whether files' attributes
// are stored. 0 on success.
int CreateLzh(ArchiveFiles& f, const std::string& archive, const std::vector<std::string>& names, bool attributes);

}  // namespace qrn
