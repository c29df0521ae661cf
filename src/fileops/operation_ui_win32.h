// The status dialog "EXEC_STATUS", the duplicate dialog "COPYDUPLI" and the
// error log of mirror copy, behind the file operations' interfaces.
#pragma once
#include <windows.h>

#include <cstdio>
#include <functional>
#include <string>

#include "fileops/operation_ui.h"

namespace qrn {

class Win32OperationUi : public OperationUi {
public:
    // entryInfo draws the file information lines, cursorTo moves the list's
    // cursor, counts draws the mark counts; all belong to the window that
    // owns the command; speakProgress: the quarters a long command passes are said.
    Win32OperationUi(HWND owner, HINSTANCE instance, std::function<void(const std::string&, const FileStat&)> entryInfo,
                     std::function<void(int)> cursorTo, std::function<void()> counts = nullptr,
                     bool speakProgress = false);
    ~Win32OperationUi() override { CloseStatus(); }
    Win32OperationUi(const Win32OperationUi&) = delete;
    Win32OperationUi& operator=(const Win32OperationUi&) = delete;

    void* Owner() override { return owner_; }
    void OpenStatus(const char* title) override;
    void CloseStatus() override;
    void ShowStatus(bool shown) override;
    void Poll() override;
    bool CancelRequested() override { return cancel_; }
    void SetCancelRequested(bool on) override { cancel_ = on; }
    void Progress(const std::string& text) override;
    void EntryInfo(const std::string& path, const FileStat& st) override;
    DuplicatePolicy AskDuplicate() override;
    void CursorTo(int row) override;
    void ShowCounts() override;
    void ShowOwner(bool shown) override;
    void ShowErrorList(const char* logName) override;
    std::uint64_t Milliseconds() override { return GetTickCount(); }
    void SayProgress(const char* text) override;
    HWND StatusWindow() const { return status_; }
    // The status dialog turned into the result of its command: titled, its
    // Cancel button giving way to OK, shown until OK, Enter or Escape.
    void ShowResult(const char* title, const std::string& text);

private:
    static INT_PTR CALLBACK StatusProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam);
    // The status dialog and the questions show while the owner is on the
    // screen or hidden only for the command.
    bool OnScreen() const { return owner_ && (ownerHidden_ || IsWindowVisible(owner_)); }
    HWND owner_;
    bool ownerHidden_ = false;
    HINSTANCE instance_;
    bool speakProgress_;
    HWND status_ = nullptr;
    bool cancel_ = false;
    unsigned long lastPoll_ = 0;  // when the queue was last asked, and how often it was passed over since
    int pollsInTick_ = 0;
    std::function<void(const std::string&, const FileStat&)> entryInfo_;
    std::function<void(int)> cursorTo_;
    std::function<void()> counts_;
};

// Mirror copy's error log: a temporary file "QRN....TMP", one path per line.
class TempFileErrorLog : public ErrorLog {
public:
    ~TempFileErrorLog() override;
    bool Append(void* owner, const char* line, int count, char* logName) override;

private:
    std::FILE* file_ = nullptr;
};

}  // namespace qrn
