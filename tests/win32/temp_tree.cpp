#include "temp_tree.h"

#include <windows.h>

#include <cstdio>
#include <stdexcept>

namespace qrntest {

TempTree::TempTree() {
    char base[MAX_PATH];
    DWORD n = GetTempPathA(sizeof base, base);
    if (n == 0 || n >= sizeof base) throw std::runtime_error("no temporary folder");
    static unsigned counter = 0;
    for (;;) {
        char name[MAX_PATH];
        std::snprintf(name, sizeof name, "%sqrntest-%lu-%u", base, GetCurrentProcessId(), ++counter);
        if (CreateDirectoryA(name, nullptr)) {
            path_ = std::string(name) + "\\";
            return;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS) throw std::runtime_error("cannot create a temporary tree");
    }
}

TempTree::~TempTree() {
    // Leave the tree first so that it can be removed.
    char base[MAX_PATH];
    if (GetTempPathA(sizeof base, base)) SetCurrentDirectoryA(base);
    RemoveTree(path_.substr(0, path_.size() - 1));
}

void TempTree::File(const std::string& name, const std::string& content, unsigned attributes) const {
    std::string full = path_ + name;
    HANDLE f = CreateFileA(full.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot create " + full);
    DWORD written;
    WriteFile(f, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(f);
    if (attributes) SetFileAttributesA(full.c_str(), attributes);
}

void TempTree::Dir(const std::string& name) const {
    std::string full = path_ + name;
    if (!CreateDirectoryA(full.c_str(), nullptr)) throw std::runtime_error("cannot create " + full);
}

void RemoveTree(const std::string& dir) {
    WIN32_FIND_DATAA f;
    HANDLE h = FindFirstFileA((dir + "\\*").c_str(), &f);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            std::string name = f.cFileName;
            if (name == "." || name == "..") continue;
            std::string full = dir + "\\" + name;
            SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (f.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveTree(full);
            else DeleteFileA(full.c_str());
        } while (FindNextFileA(h, &f));
        FindClose(h);
    }
    RemoveDirectoryA(dir.c_str());
}

char MappedDrive(const char* name) {
    char var[64], value[8];
    std::snprintf(var, sizeof var, "QRN_TEST_%s_DRIVE", name);
    DWORD n = GetEnvironmentVariableA(var, value, sizeof value);
    if (n == 0 || n >= sizeof value) return '\0';
    return value[0];
}

std::string TestProgramFolder() {
    char exe[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, exe, sizeof exe);
    std::string s(exe, n);
    return s.substr(0, s.rfind('\\'));
}

}  // namespace qrntest
