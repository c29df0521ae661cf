// What the tests of the file operations share: the system's file functions
// with a few of its answers changed as other systems give them, and scripted
// answers with a status dialog that records what it was told.
#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <cstring>
#include <filesystem>

#include "base/prompts.h"
#include "fileops/copy_engine.h"
#include "fileops/file_system_win32.h"
#include "support.h"

namespace qrntest {

using namespace qrn;
using Strings = std::vector<std::string>;

struct Faulty : Win32FileSystem {
    std::uint64_t free = kFreeUnknown - 1;  // when set below that, the free space reported
    bool unresolved = false;  // as a system that cannot resolve paths: only identities tell
    bool unflagged = false;   // links not told apart from directories, nor listed as links (a bind mount looks so)
    std::string RealPath(const std::string& p) override { return unresolved ? p : Win32FileSystem::RealPath(p); }
    bool IsLink(const std::string& p, std::uint32_t a) override { return !unflagged && Win32FileSystem::IsLink(p, a); }
    bool List(const std::string& d, std::vector<DirItem>& items) override {
        if (!Win32FileSystem::List(d, items)) return false;
        if (unflagged)
            for (DirItem& i : items) i.attributes &= ~kAttrReparsePoint;
        return true;
    }
    std::uint64_t FreeBytes(const std::string& p) override {
        return free < kFreeUnknown - 1 ? free : Win32FileSystem::FreeBytes(p);
    }
};

// Scripted answers and a status dialog that records what it was told.
struct Ops : ::testing::Test, Prompts, OperationUi {
    std::vector<std::string> messages;  // title|text
    std::deque<int> answers;            // message answers; OK when none are left
    std::deque<std::string> lines;      // typed names; cancel when none are left
    bool cancel = false;
    int asked = 0;
    DuplicatePolicy duplicate = DuplicatePolicy::OverwriteAll;
    Faulty fs;

    void SetUp() override { SetPrompts(this); }
    void TearDown() override { SetPrompts(nullptr); }
    int Message(void*, const char* text, const char* title, unsigned) override {
        messages.push_back(std::string(title) + "|" + text);
        if (answers.empty()) return kIdOk;
        const int a = answers.front();
        answers.pop_front();
        return a;
    }
    void Beep() override {}
    bool InputLine(void*, const char*, char* text, std::size_t size) override {
        if (lines.empty()) return false;
        std::snprintf(text, size, "%s", lines.front().c_str());
        lines.pop_front();
        return true;
    }
    void* Owner() override { return nullptr; }
    void OpenStatus(const char*) override {}
    void CloseStatus() override {}
    void ShowStatus(bool) override {}
    void Poll() override {}
    bool CancelRequested() override { return cancel; }
    void SetCancelRequested(bool on) override { cancel = on; }
    void Progress(const std::string&) override {}
    void EntryInfo(const std::string&, const FileStat&) override {}
    DuplicatePolicy AskDuplicate() override { return ++asked, duplicate; }
    void CursorTo(int) override {}
    void ShowErrorList(const char* name) override { errorList = Slurp(name); }
    std::string errorList = "(not shown)";
    std::uint64_t Milliseconds() override { return 0; }

    CopyJob Job() {
        CopyJob job(fs, *this);
        job.bufferSize = 256 * 1024;
        return job;
    }
    // What is left in dir besides the given names: no temporary file may be.
    static std::vector<std::string> Names(const std::string& dir) {
        std::vector<std::string> n;  // as the program sees them: in the ANSI code page
        WIN32_FIND_DATAA fd;
        HANDLE h = FindFirstFileA((dir + (EndsWithBackslash(dir.c_str()) ? "*" : "\\*")).c_str(), &fd);
        for (bool more = h != INVALID_HANDLE_VALUE; more; more = FindNextFileA(h, &fd))
            if (std::strcmp(fd.cFileName, ".") && std::strcmp(fd.cFileName, "..")) n.push_back(fd.cFileName);
        if (h != INVALID_HANDLE_VALUE) FindClose(h);
        std::sort(n.begin(), n.end());
        return n;
    }
};

inline void SetWriteTime(const std::string& path, FILETIME t, int seconds) {
    ULARGE_INTEGER u{{t.dwLowDateTime, t.dwHighDateTime}};
    u.QuadPart += static_cast<std::int64_t>(seconds) * 10000000;
    t = {u.LowPart, u.HighPart};
    HANDLE h = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 7, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    SetFileTime(h, nullptr, nullptr, &t);
    CloseHandle(h);
}

}  // namespace qrntest
