// What the file-operation benchmarks share: a user interface that answers
// everything at once, trees made and removed, bare loops of the system's
// calls, and the report line.
#pragma once
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "base/prompts.h"
#include "fileops/operation_ui.h"

namespace bench {

using namespace qrn;

struct Silent : Prompts, OperationUi {
    int Message(void*, const char*, const char*, unsigned) override { return kIdOk; }
    void Beep() override {}
    void* Owner() override { return nullptr; }
    void OpenStatus(const char*) override {}
    void CloseStatus() override {}
    void ShowStatus(bool) override {}
    void Poll() override {}
    bool CancelRequested() override { return false; }
    void SetCancelRequested(bool) override {}
    void Progress(const std::string&) override {}
    void EntryInfo(const std::string&, const FileStat&) override {}
    DuplicatePolicy AskDuplicate() override { return DuplicatePolicy::OverwriteAll; }
    void CursorTo(int) override {}
    std::uint64_t Milliseconds() override { return GetTickCount(); }
};

inline void MakeTree(const std::string& root, int dirs, int files, int size) {
    CreateDirectoryA(root.c_str(), nullptr);
    const std::string data(static_cast<std::size_t>(size), 'q');
    for (int d = 0; d < dirs; ++d) {
        const std::string dir = root + "\\d" + std::to_string(d);
        CreateDirectoryA(dir.c_str(), nullptr);
        for (int f = 0; f < files; ++f) {
            HANDLE h = CreateFileA((dir + "\\f" + std::to_string(f) + ".dat").c_str(), GENERIC_WRITE, 0, nullptr,
                                   CREATE_ALWAYS, 0, nullptr);
            DWORD n;
            WriteFile(h, data.data(), static_cast<DWORD>(size), &n, nullptr);
            CloseHandle(h);
        }
    }
}

template <typename Fn>
void Walk(const std::string& dir, Fn each) {
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((dir + "\\*.*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return;
    do {
        if (std::strcmp(fd.cFileName, ".") && std::strcmp(fd.cFileName, "..")) each(fd);
    } while (FindNextFileA(h, &fd));
    FindClose(h);
}

inline void BareCopy(const std::string& from, const std::string& to) {
    CreateDirectoryA(to.c_str(), nullptr);
    Walk(from, [&](const WIN32_FIND_DATAA& fd) {
        const std::string name = fd.cFileName;
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) BareCopy(from + "\\" + name, to + "\\" + name);
        else CopyFileA((from + "\\" + name).c_str(), (to + "\\" + name).c_str(), FALSE);
    });
}

inline void BareDelete(const std::string& path) {
    Walk(path, [&](const WIN32_FIND_DATAA& fd) {
        const std::string inner = path + "\\" + fd.cFileName;
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) BareDelete(inner);
        else DeleteFileA(inner.c_str());
    });
    RemoveDirectoryA(path.c_str());
}

inline void RunAndWait(std::string command) {
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi;
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &si, &pi))
        return;
    WaitForSingleObject(pi.hProcess, INFINITE);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
}

inline void Report(const char* what, double ours, const char* baseName, double base) {
    std::printf("%-50s: %s %8.1f ms, %s %8.1f ms, ratio %.2f\n", what, "QRN", ours * 1000, baseName, base * 1000,
                ours / base);
}

}  // namespace bench
