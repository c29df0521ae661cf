#include "app/commands.h"

#include <cstring>

namespace qrn {

namespace {

bool IsDotName(const char* name) { return std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0; }

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

bool EntryQualifies(const EntryTable& t, int index, int kind) {
    if (kind < 1 || kind > 3) return true;
    if (index < 0 || index >= t.EntryCount) return false;
    const FileEntry& e = t.rows[index];
    const bool dir = (e.attributes & kAttrDirectory) != 0;
    const bool label = (e.attributes & kAttrLabel) != 0;
    switch (kind) {
    case 1:
        return !dir && !label;
    case 2:
        if (label) return false;
        return !dir || !IsDotName(e.name);
    default:
        if (label) return true;
        return dir && !IsDotName(e.name);
    }
}

int PopupSubmenu(int handlerAnswer, const EntryTable& t, int cursor) {
    if (handlerAnswer == 0) return 1;
    if (cursor < 0 || cursor >= t.EntryCount) return 0;
    const FileEntry& e = t.rows[cursor];
    if (e.attributes & kAttrDirectory) return 0;
    if (e.ext == 0) return 0;
    const char* ext = e.name + e.ext;
    return (SameExtension(ext, "LZH") || SameExtension(ext, "ZIP") || SameExtension(ext, "CAB")) ? 2 : 0;
}

bool CommandActsWhileDestination(int id) {
    return id == 40013 || id == 40025 || id == 40030 || id == 40045 || id == 40051;
}

const char* TooltipText(int id) {
    switch (id) {
    case 40001: return "バージョン情報";
    case 40002: return "ファイル属性の変更(A)";
    case 40010: return "ファイルのコピー(C)";
    case 40011: return "ファイルの削除(D)";
    case 40015: return "次のページ(ROLL-UP)";
    case 40016: return "ファイルの編集(E)";
    case 40019: return "ファイルの検索(F)";
    case 40020: return "ヘルプ(f･1)";
    case 40030: return "ディレクトリの作成(K)";
    case 40031: return "ファイルの移動(M)";
    case 40033: return "ファイルの圧縮(P)";
    case 40034: return "終了(Q)";
    case 40036: return "ファイル名の変更(R)";
    case 40047: return "ファイルの解凍(U)";
    case 40048: return "前のページ(ROLL-DOWN)";
    case 40049: return "ファイル内容閲覧(V)";
    case 40054: return "ショートカットの作成(CTRL+ALT+S)";
    default: return nullptr;
    }
}

const ToolbarButton kToolbar[kToolbarButtons] = {
    {6, 40031}, {7, 40010}, {8, 40036}, {9, 40002}, {10, 40030}, {11, 40011}, {15, 40033},
    {16, 40047}, {17, 40054}, {0, 0},   {12, 40019}, {13, 40049}, {14, 40016}, {0, 0},
    {0, 40015}, {1, 40048}, {0, 0},     {3, 40034},  {0, 0},      {4, 40001},  {5, 40020},
};

}  // namespace qrn
