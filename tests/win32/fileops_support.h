// What the tests of the file operations share: the system's file functions
// with a few of its answers changed as other systems give them, and the core
// tests' scripted answers with a status dialog that records what it was told.
#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "../core/core_test.h"
#include "fileops/copy_engine.h"
#include "fileops/file_system_win32.h"
#include "support.h"

namespace qrntest {

using namespace qrn;
using qrn::test::Into;
using qrn::test::ListOf;
using Strings = std::vector<std::string>;

struct Faulty : Win32FileSystem {
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
};

// Scripted answers and a status dialog that records what it was told.
struct Ops : ::testing::Test, qrn::test::RecordingUi {
    Faulty fs;

    std::string ListText(const char* name) override { return Slurp(name); }
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

}  // namespace qrntest
