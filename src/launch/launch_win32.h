// The launcher on Windows: the system calls behind opening and executing.
#pragma once
#include <windows.h>

#include "launch/open_entry.h"

namespace qrn {

class Win32LaunchPlatform : public LaunchPlatform {
public:
    // readDirectory reads the listed directory anew for the owner window;
    // pager shows an entry of it in the built-in pager.
    using PagerFn = bool (*)(void* owner, const FileEntry& entry);
    Win32LaunchPlatform(int (*readDirectory)(void* owner), PagerFn pager)
        : readDirectory_(readDirectory), pager_(pager) {}
    bool Run(const char* command) override;
    void ShellOpen(void* owner, const char* path) override;
    bool FindProgramFor(const char* name, char* out, std::size_t size) override;
    void SystemExtension(const char* ext, char* out, std::size_t size) override;
    void PlaySoundFile(const char* path) override;
    bool BuiltInPager(void* owner, const FileEntry& entry) override;
    bool SystemDirectory(char* out, std::size_t size) override;
    int ReadDirectory(void* owner) override;
    ShortPathFn ShortPath() override;

private:
    int (*readDirectory_)(void* owner);
    PagerFn pager_;
};

// The short form through GetShortPathNameA.
bool Win32ShortPath(const char* path, char* out, std::size_t size);

// Enter over the marked files until Escape is pressed. True when the
// Escape that stopped the walk still waits in the queue (the main window
// then drops it instead of asking whether to quit).
bool OpenMarkedUntilEscape(LaunchContext& c, Modifiers m);

}  // namespace qrn
