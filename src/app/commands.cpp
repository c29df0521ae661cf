#include "app/commands.h"

#include <cstring>

#include "app/app_texts.h"
#include "resources/resource_ids.h"

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

bool CommandActsWhileDestination(int id) {
    return id == CMD_DIRECTORIES || id == CMD_LOGDISK || id == CMD_MKDIR || id == CMD_TAB || id == CMD_ESCAPE;
}

const char* TooltipText(int id) {
    for (const Tooltip& t : kTooltips)
        if (t.id == id) return t.text;
    return nullptr;
}

const ToolbarButton kToolbar[kToolbarButtons] = {
    {6, CMD_MOVE}, {7, CMD_COPY}, {8, CMD_RENAME}, {9, CMD_ATTRIBUTES}, {10, CMD_MKDIR}, {11, CMD_DELETE}, {15, CMD_PACK},
    {16, CMD_UNPACK}, {17, CMD_SHORTCUT}, {0, 0},   {12, CMD_FIND}, {13, CMD_VIEW}, {14, CMD_EDIT}, {0, 0},
    {0, CMD_NEXT_PAGE}, {1, CMD_PREVIOUS_PAGE}, {0, 0},     {3, CMD_QUIT},  {0, 0},      {4, CMD_ABOUT},  {5, CMD_HELP},
};

}  // namespace qrn
