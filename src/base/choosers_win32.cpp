#include "base/choosers_win32.h"

#include <commdlg.h>
#include <shlobj.h>

#include "base/base_texts.h"
#include "base/sjis.h"

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

int DirSelect(HWND owner, const char* title, char* result, std::size_t size) {
    if (result == nullptr || size == 0) return 0;
    result[0] = '\0';

    char name[MAX_PATH];
    BROWSEINFOA info{};
    info.hwndOwner = owner;
    info.pszDisplayName = name;
    info.lpszTitle = title;
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    LPITEMIDLIST chosen = SHBrowseForFolderA(&info);
    if (!chosen) return 0;
    char path[MAX_PATH] = "";
    const BOOL isPath = SHGetPathFromIDListA(chosen, path);
    CoTaskMemFree(chosen);
    if (isPath && CopyWhole(result, size, path) && AddBackslash(result, size)) return 1;
    result[0] = '\0';
    return 0;
}

}  // namespace qrn
