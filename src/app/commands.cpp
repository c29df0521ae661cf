#include "app/commands.h"

#include <cstring>

namespace qrn {

namespace {

// ASCII-only upper-case comparison of an extension.
bool SameExtension(const char* ext, const char* upper) {
    for (; *ext && *upper; ++ext, ++upper) {
        char c = *ext;
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if (c != *upper) return false;
    }
    return *ext == '\0' && *upper == '\0';
}

}  // namespace

int PopupSubmenu(int handlerAnswer, const EntryTable& t, int cursor) {
    if (handlerAnswer == 0) return kPopupInfoLines;
    if (cursor < 0 || cursor >= t.EntryCount) return kPopupEntry;
    const FileEntry& e = t.rows[cursor];
    if (e.attributes & kAttrDirectory) return kPopupEntry;
    if (e.ext == 0) return kPopupEntry;
    const char* ext = e.name + e.ext;
    return (SameExtension(ext, "LZH") || SameExtension(ext, "ZIP") || SameExtension(ext, "CAB")) ? kPopupArchive
                                                                                               : kPopupEntry;
}

}  // namespace qrn
