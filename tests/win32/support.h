// What the tests of the Windows layer share: temporary trees, the mapped
// drives, the stand-ins, and modal dialogs driven from inside their own loop.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace qrntest {

class TempTree {  // a new, empty directory below the system's temporary folder (or under), removed at the end
public:
    explicit TempTree(const std::string& under = "");
    ~TempTree();
    TempTree(const TempTree&) = delete;
    const std::string& Path() const { return path_; }  // with a trailing backslash
    std::string operator/(const std::string& name) const { return path_ + name; }
    void File(const std::string& name, const std::string& content = "x", DWORD attributes = 0) const;
    void Dir(const std::string& name) const { CreateDirectoryA((path_ + name).c_str(), nullptr); }
private:
    std::string path_;
};

std::string MappedDrive(const char* name);  // "X:\" for QRN_TEST_<name>_DRIVE, set by the runner
std::string DoublePath(const char* name);   // a file of tests/doubles in the build
std::string Slurp(const std::string& path);
inline bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Steps against a modal dialog of this thread: the next top-level dialog to open takes the script and runs
// a step each time its own loop comes round to it, after whatever the step before queued; one still open when
// the steps run out is ended, as is one that opens with no script waiting (a stray message box). The steps
// never let its queue run empty, when it would show itself: it closes without waiting for the display.
using Step = std::function<void(HWND dialog)>;
struct DialogScript {
    explicit DialogScript(std::vector<Step> steps);
    ~DialogScript();
    DialogScript(const DialogScript&) = delete;
    // Every step ran (each only while the dialog was open) and it then closed by itself.
    bool Done() const { return dialog != nullptr && next == steps.size() && !leftOpen; }
    std::vector<Step> steps;
    std::size_t next = 0;  // the step to run
    bool leftOpen = false;
    HWND dialog = nullptr;
};

std::string Text(HWND window);
inline std::string Text(HWND dialog, int id) { return Text(GetDlgItem(dialog, id)); }
inline bool Enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }
void Click(HWND dialog, int id);  // as the user does: only on an enabled button

}  // namespace qrntest
