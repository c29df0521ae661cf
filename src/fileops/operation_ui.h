// What a running file operation shows and asks besides message boxes: the
// status dialog with its Cancel button, the file information lines of the
// main window and the duplicate dialog. Message boxes and the one-line input
// go through the prompts (base/prompts.h).
#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "base/progress.h"
#include "fileops/file_system.h"

namespace qrn {

// How an existing target is treated, chosen once per command.
enum class DuplicatePolicy : std::uint8_t { NotChosen = 0, CopyNewer = 1, OverwriteAll = 2, Rename = 3, Skip = 4, Mirror = 5 };

class OperationUi {
public:
    virtual ~OperationUi() = default;
    virtual void* Owner() = 0;
    // The status dialog of a command: opened titled, closed at its end (closing
    // twice is harmless); hidden while a question is on the screen.
    virtual void OpenStatus(const char* title) = 0;
    virtual void CloseStatus() = 0;
    virtual void ShowStatus(bool shown) = 0;
    // Hands at most one waiting message to the status dialog.
    virtual void Poll() = 0;
    // True once the user pressed Cancel, Enter or Escape in the status dialog
    // during this command.
    virtual bool CancelRequested() = 0;
    virtual void SetCancelRequested(bool on) = 0;
    virtual void Progress(const std::string& text) = 0;
    // The file information lines of the main window show path with st.
    virtual void EntryInfo(const std::string& path, const FileStat& st) = 0;
    // The duplicate dialog: the policy chosen, NotChosen when cancelled.
    virtual DuplicatePolicy AskDuplicate() = 0;
    // Moves the list's cursor to row (deleting shows where it is).
    virtual void CursorTo(int row) = 0;
    // The mark counts of the main window drawn again (they shrink as a
    // command works through the marked rows).
    virtual void ShowCounts() {}
    // The owner window hidden while a command runs, or shown again.
    virtual void ShowOwner(bool) {}
    // The "ERR_LOG" dialog on the closed error log logName, modal.
    virtual void ShowErrorList(const char*) {}
    // A clock in milliseconds, for updating a long copy's percentage now and then.
    virtual std::uint64_t Milliseconds() = 0;
    // Said behind what is being said, as a long command passes a quarter.
    virtual void SayProgress(const char*) {}
};

// A spoken summary: format with up to three counts.
std::string Said(const char* format, int a, int b = 0, int c = 0);

// A walk's progress, said through ui.
inline std::function<void(int, int)> SpokenProgress(OperationUi& ui) {
    return SpokenQuarters([&ui] { return ui.Milliseconds(); }, [&ui](const char* text) { ui.SayProgress(text); });
}

// The error log of mirror copy: count 0 creates it (its name into logName),
// a negative count closes it. False only when it cannot be created.
class ErrorLog {
public:
    virtual ~ErrorLog() = default;
    virtual bool Append(void* owner, const char* line, int count, char* logName) = 0;
};

}  // namespace qrn
