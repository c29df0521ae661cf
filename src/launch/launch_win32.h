// The launcher on Windows: the system calls behind opening and executing,
// and the entry points of the main window and the list keys.
#pragma once
#include <windows.h>

#include "app/list_keys.h"
#include "launch/open_entry.h"

namespace qrn {

class Win32LaunchPlatform : public LaunchPlatform {
public:
    bool Run(const char* command) override;
    void ShellOpen(void* owner, const char* path) override;
    bool FindProgramFor(const char* name, char* out, std::size_t size) override;
    void SystemExtension(const char* ext, char* out, std::size_t size) override;
    void PlaySoundFile(const char* path) override;
    bool BuiltInPager(void* owner, const char* name) override;
    bool SystemDirectory(char* out, std::size_t size) override;
    int ReadDirectory(void* owner) override;
    ShortPathFn ShortPath() override;
};

// The short form through GetShortPathNameA.
bool Win32ShortPath(const char* path, char* out, std::size_t size);

// Enter, Backspace, "\" and E on the cursor row; repaints after a walk.
void OpenCursorEntry(HWND window, int key, Modifiers m);
// Enter over marked files; Escape stops the walk (and is not taken for the
// quit question afterwards).
void OpenMarkedEntries(HWND window, Modifiers m);
// The launch commands of the main window: 40006, 40016, 40017, 40018,
// 40019, 40035, 40043, 40049.
void LaunchCommand(HWND window, int id);

}  // namespace qrn
