#include "launch/file_select_win32.h"

#include <commdlg.h>

#include "base/sjis.h"
#include "launch/launch_texts.h"

namespace qrn {

int FileSelect(HWND owner, char* result, std::size_t size) {
    if (result == nullptr || size == 0) return 0;
    result[0] = '\0';

    char file[kPathSize];
    CopyWhole(file, sizeof file, "*.exe");

    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = kFileSelectFilter;
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.lpstrTitle = kFileSelectTitle;
    ofn.lpstrDefExt = nullptr;
    ofn.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
    if (!GetOpenFileNameA(&ofn)) return 0;
    return CopyWhole(result, size, file) ? 1 : 0;
}

}  // namespace qrn
