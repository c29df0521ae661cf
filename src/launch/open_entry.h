// Opening the cursor entry (Enter, Backspace, "\", E) and the launch
// commands of the main window, over a small platform interface.
#pragma once
#include <cstddef>
#include <functional>

#include "base/entry_table.h"
#include "base/profile.h"
#include "base/settings.h"
#include "launch/launch_texts.h"
#include "launch/templates.h"
#include "listing/list_keys.h"

namespace qrn {

// What the launcher asks of the system.
class LaunchPlatform {
public:
    virtual ~LaunchPlatform() = default;
    // Starts a command line without waiting; false when the start failed.
    virtual bool Run(const char* command) = 0;
    // Opens a file through the system's association ("open").
    virtual void ShellOpen(void* owner, const char* path) = 0;
    // The program the system would open name with (in the working
    // directory); false when it knows none.
    virtual bool FindProgramFor(const char* name, char* out, std::size_t size) = 0;
    // The value of ext (lower case) in the system profile's "Extensions"
    // section, empty when there is none.
    virtual void SystemExtension(const char* ext, char* out, std::size_t size) = 0;
    // Plays a sound file and returns when it has ended.
    virtual void PlaySoundFile(const char* path) = 0;
    // Shows a row of the listed directory in the built-in pager until it is
    // closed; false when no pager opened.
    virtual bool BuiltInPager(void* owner, const FileEntry& entry) = 0;
    // The system directory, without a trailing backslash as a rule.
    virtual bool SystemDirectory(char* out, std::size_t size) = 0;
    // Reads the listing's CurrentDir anew; the row count or -1.
    virtual int ReadDirectory(void* owner) = 0;
    // The short form of a path for "%S".
    virtual ShortPathFn ShortPath() = 0;
};

struct LaunchContext {
    Listing& listing;
    const Settings& settings;
    Profile& ini;            // qrn.ini
    LaunchPlatform& platform;
    void* owner;             // the main window
    char* rememberedDir;     // kPathSize bytes
    const char* shellPath;
};

// What OpenEntry is asked to do with the cursor row (the keys that ask it).
enum OpenKey : int { kOpenEnter = 13, kOpenParent = 8, kOpenRoot = 92, kOpenEdit = 69 };

// What OpenEntry did: kOpenListRead when the list was read anew (the caller
// repaints everything).
enum OpenResult : int { kOpenDone = 0, kOpenListRead = 2 };

// Opens the cursor row for key.
OpenResult OpenEntry(LaunchContext& c, int key, Modifiers m);

// Enter over the marked plain files: each is opened in table order as the
// cursor row. stop() is asked after each one; the walk ends when it says so.
// The cursor goes back where it was. True when the walk was stopped.
bool OpenMarkedEntries(LaunchContext& c, Modifiers m, const std::function<bool()>& stop);

// Shows the row in the pager (the Pager program, or the built-in one).
void ViewEntry(LaunchContext& c, int row);

// The launch commands of the main window.
void EditWithCommandLine(LaunchContext& c);   // E (CMD_EDIT)
void ExecuteCommand(LaunchContext& c);        // X (CMD_EXECUTE)
void ShellCommand(LaunchContext& c);          // H (CMD_H_KEY)
void CommandInterpreter(LaunchContext& c);    // Shift+H (CMD_SHELL)
// A registered command: expanded for every marked row in table order and
// started, or for the cursor row when none is marked; marks stay. A start
// that fails is told once, with its command line.
void RunRegisteredCommand(LaunchContext& c, const char* tmpl);
void QuickViewer(LaunchContext& c);           // CMD_QUICK_VIEW
void ViewCommand(LaunchContext& c);           // V (CMD_VIEW)
// F (CMD_FIND): a new list mask; true when FileMask changed (the caller reads again).
bool FindMaskCommand(LaunchContext& c);

}  // namespace qrn
