#include "archivers/entry_place.h"

#include "archivers/archivers_texts.h"
#include "archivers/entry_path.h"
#include "base/sjis.h"

namespace qrn {

void EntryPlace::Failed(const char* text, const std::string& what) {
    f_.Tell(text + what);
    failed_ = true;
}

std::string EntryPlace::Make(const std::string& name, bool directory) {
    std::string relative;
    if (!SafeEntryPath(name, relative)) return Failed(kEntryOutside, name), std::string();
    if (directory) relative += '\\';
    // The directories on the way: those there already must be directories the
    // system finds inside the target (no link leads out); the others are made.
    for (std::size_t i = 0; i < relative.size(); ++i) {
        if (IsLeadByte(relative[i])) {
            ++i;
            continue;
        }
        if (relative[i] != '\\') continue;
        const std::string dir = target_ + relative.substr(0, i + 1);
        if (known_.count(dir)) continue;
        FoundEntry e;
        if (f_.Find(dir, e)) {
            if (!e.directory || !f_.Inside(dir, target_)) return Failed(kEntryOutside, name), std::string();
        } else if (!f_.MakeDirectories(dir)) {
            return Failed(kEntryNotWritten, dir), std::string();
        }
        known_.insert(dir);
    }
    return target_ + relative;
}

bool ReadExactly(ByteSource& in, void* out, std::size_t size) {
    unsigned char* p = static_cast<unsigned char*>(out);
    while (size > 0) {
        const long long n = in.Read(p, size);
        if (n <= 0) return false;
        p += n, size -= static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace qrn
