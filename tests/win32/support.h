// What the tests of the Windows layer share: temporary trees, the drives the
// runner maps, files and programs of the build, and modal dialogs driven from
// inside their own message loop.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace qrntest {

class TempTree {
public:
    TempTree();  // a new, empty directory below the system's temporary folder
    ~TempTree();
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;

    // Full path of the tree, with a trailing backslash.
    const std::string& Path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + name; }
    void File(const std::string& name, const std::string& content = "x", DWORD attributes = 0) const;
    void Dir(const std::string& name) const;

private:
    std::string path_;
};

// A drive letter the test runner mapped (QRN_TEST_<name>_DRIVE); fails the test when there is none.
char MappedDrive(const char* name);
// A file of the stand-ins' build folder (tests/doubles).
std::string DoublePath(const char* name);
std::string Slurp(const std::string& path);
bool Exists(const std::string& path);
// Waits until every running program of that file name (started by the test) has ended.
void WaitForProgram(const char* exeName);

// Steps against a modal dialog of this thread: the next top-level dialog to
// open gets the script, and runs one step each time its own message loop
// comes round, until the steps run out; a dialog still open then is ended.
// Dialogs that open with no script waiting (a stray message box) are ended
// at once and counted. A modal dialog shows itself only once its queue runs
// empty, which the posted steps never let happen: it closes without ever
// having been on the display, and so without waiting for the display.
using Step = std::function<void(HWND dialog)>;
struct DialogScript {
    explicit DialogScript(std::vector<Step> steps);
    ~DialogScript();
    DialogScript(const DialogScript&) = delete;
    DialogScript& operator=(const DialogScript&) = delete;
    // Every step ran, and the dialog closed by itself after the last.
    bool Done() const { return dialog != nullptr && next == steps.size() && !leftOpen; }

    std::vector<Step> steps;
    std::size_t next = 0;
    bool leftOpen = false;
    HWND dialog = nullptr;
};
int StrayDialogs();

std::string Text(HWND window);
std::string Text(HWND dialog, int id);
bool Enabled(HWND dialog, int id);
// A click as the user makes it: only on an enabled button.
void Click(HWND dialog, int id);

}  // namespace qrntest
