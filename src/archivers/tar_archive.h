// TAR archives: ustar and GNU, plain, gzip or compress (.Z), read whole into
// a directory; GNU archives written from files and directory trees.
#pragma once
#include <string>
#include <vector>

#include "archivers/archive_files.h"

namespace qrn {

// 0 when every entry went into targetDir (which ends with a backslash); else
// what went wrong has been told (a damaged archive, a name leaving the
// target, an entry that could not be written), and the rest went on.
int ExtractTar(ArchiveFiles& f, const std::string& archive, const std::string& targetDir);

// The archive made from names (files, or directories with their whole tree),
// put in place of an old one only once whole; 0 on success.
int CreateTar(ArchiveFiles& f, const std::string& archive, const std::vector<std::string>& names);

}  // namespace qrn
