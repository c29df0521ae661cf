#include "launch/shortcut_win32.h"

#include <objbase.h>
#include <shlobj.h>

#include <cstring>
#include <string>

#include "base/prompts.h"
#include "base/sjis.h"
#include "launch/launch_texts.h"

namespace qrn {

namespace {

// The user's desktop folder as the shell keeps it; empty when it cannot be read.
std::string DesktopFolder() {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", 0,
                      KEY_READ, &key) != ERROR_SUCCESS)
        return "";
    char folder[kPathSize] = "";
    DWORD size = sizeof folder - 1, type = 0;
    if (RegQueryValueExA(key, "Desktop", nullptr, &type, reinterpret_cast<BYTE*>(folder), &size) != ERROR_SUCCESS)
        folder[0] = '\0';
    folder[size < sizeof folder ? size : sizeof folder - 1] = '\0';
    RegCloseKey(key);
    return folder;
}

// Where a shortcut named name in folder is written: ".lnk" always added.
std::string LinkPath(const std::string& folder, const std::string& name) { return folder + "\\" + name + ".lnk"; }

int SaveLink(const char* target, const char* workingDir, const char* name, const wchar_t* link) {
    IShellLinkA* shell = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&shell))))
        return kShortcutNoObject;
    int result = kShortcutDone;
    IPersistFile* file = nullptr;
    if (FAILED(shell->SetPath(target))) result = kShortcutNoTarget;
    else if (workingDir[0] && FAILED(shell->SetWorkingDirectory(workingDir))) result = kShortcutNoWorkingDir;
    else if (FAILED(shell->SetDescription(name))) result = kShortcutNoDescription;
    else if (FAILED(shell->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) result = kShortcutNoPersist;
    else if (FAILED(file->Save(link, TRUE))) result = kShortcutNotSaved;
    if (file) file->Release();
    shell->Release();
    return result;
}

}  // namespace

int CreateShortcut(const char* target, const char* folder, const char* workingDir, const char* name, bool initCom) {
    const std::string link = LinkPath(folder, name);
    // Paths are read in the ANSI code page throughout.
    wchar_t wide[kPathSize * 2];
    if (MultiByteToWideChar(CP_ACP, 0, link.c_str(), -1, wide, static_cast<int>(sizeof wide / sizeof wide[0])) <= 0)
        return kShortcutNoPath;
    if (initCom && FAILED(CoInitialize(nullptr))) return kShortcutNoCom;
    const int result = SaveLink(target, workingDir, name, wide);
    if (initCom) CoUninitialize();
    return result;
}

bool ShortcutCommand(HWND owner, const char* currentDir, const FileEntry& row, bool initCom) {
    const std::string target = std::string(currentDir) + row.name;
    std::string workingDir;
    if (!(row.attributes & kAttrDirectory)) {
        workingDir = currentDir;
        if (EndsWithBackslash(workingDir.c_str())) workingDir.pop_back();  // C:\ gives C:
    }
    char file[kPathSize];
    CopyCut(file, sizeof file, row.name);
    if (row.ext > 0 && row.ext <= std::strlen(file)) file[row.ext - 1] = '\0';
    const std::string desktop = DesktopFolder();
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = kShortcutFilter;
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.lpstrInitialDir = desktop.empty() ? nullptr : desktop.c_str();
    ofn.lpstrTitle = kShortcutTitle;
    // The name typed is the new shortcut's, ".lnk" added: it need not exist.
    ofn.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
    if (!GetSaveFileNameA(&ofn)) return false;
    const int slash = LastBackslash(file);
    const std::string folder(file, slash < 0 ? 0 : static_cast<std::size_t>(slash)), name(file + slash + 1);
    const std::string link = LinkPath(folder, name);
    if (GetFileAttributesA(link.c_str()) != INVALID_FILE_ATTRIBUTES &&
        CurrentPrompts().Message(owner, (link + kShortcutReplace).c_str(), kShortcutTitle, kMbOkCancel | kMbIconQuestion) !=
            kIdOk)
        return false;
    if (CreateShortcut(target.c_str(), folder.c_str(), workingDir.c_str(), name.c_str(), initCom) == kShortcutDone)
        return true;
    CurrentPrompts().Message(owner, kShortcutFailed, kShortcutErrorTitle, kMbOk);
    return false;
}

}  // namespace qrn
