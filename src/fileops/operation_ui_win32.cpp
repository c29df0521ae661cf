#include "fileops/operation_ui_win32.h"

#include <cstring>
#include <utility>

#include "base/dialog_win32.h"
#include "base/prompts.h"
#include "base/window_class_win32.h"
#include "base/sjis.h"
#include "base/speech.h"
#include "fileops/fileops_texts.h"
#include "resources/resource_ids.h"

namespace qrn {

namespace {

constexpr const char* kStatusTemplate = "EXEC_STATUS";
constexpr const char* kDuplicateTemplate = "COPYDUPLI";
constexpr const char* kErrorListTemplate = "ERR_LOG";

}  // namespace

Win32OperationUi::Win32OperationUi(HWND owner, HINSTANCE instance,
                                   std::function<void(const std::string&, const FileStat&)> entryInfo,
                                   std::function<void(int)> cursorTo, std::function<void()> counts,
                                   bool speakProgress)
    : owner_(owner),
      instance_(instance),
      speakProgress_(speakProgress),
      entryInfo_(std::move(entryInfo)),
      cursorTo_(std::move(cursorTo)),
      counts_(std::move(counts)) {}

INT_PTR CALLBACK Win32OperationUi::StatusProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* ui = DialogState<Win32OperationUi>(dialog, msg, lParam);
    if (!IsOkOrCancel(msg, wParam)) return msg == WM_INITDIALOG;
    // Cancel, Enter or Escape: the command stops at its next entry.
    if (ui) {
        ui->cancel_ = true;
        ui->status_ = nullptr;
    }
    DestroyWindow(dialog);
    return TRUE;
}

void Win32OperationUi::OpenStatus(const char* title) {
    CloseStatus();
    status_ = CreateDialogParamA(instance_, kStatusTemplate, owner_, StatusProc, reinterpret_cast<LPARAM>(this));
    if (!status_) return;
    SetWindowTextA(status_, title);
    // Shown over a window on the screen; a command without one (tests) runs unseen.
    if (OnScreen()) ShowWindow(status_, SW_SHOW);
}

void Win32OperationUi::CloseStatus() {
    if (status_ && IsWindow(status_)) DestroyWindow(status_);
    status_ = nullptr;
}

void Win32OperationUi::ShowStatus(bool shown) {
    if (status_ && OnScreen()) ShowWindow(status_, shown ? SW_SHOW : SW_HIDE);
}

void Win32OperationUi::Poll() {
    if (!status_) return;
    // Asking the queue costs more than a small file: a few times a tick is enough.
    const DWORD now = GetTickCount();
    if (now - lastPoll_ < 8 && pollsInTick_++ < 16) return;
    lastPoll_ = now;
    pollsInTick_ = 0;
    MSG msg;
    if (!PeekMessageA(&msg, status_, 0, 0, PM_REMOVE)) return;
    if (!IsDialogMessageA(status_, &msg)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void Win32OperationUi::Progress(const std::string& text) {
    if (status_) SetDlgItemTextA(status_, IDC_STATUS_TEXT, text.c_str());
}

void Win32OperationUi::SayProgress(const char* text) {
    if (speakProgress_) SpeakQueued(text);
}

void Win32OperationUi::ShowResult(const char* title, const std::string& text) {
    if (!status_) return;
    SetWindowTextA(status_, title);
    Progress(text);
    ShowWindow(GetDlgItem(status_, IDCANCEL), SW_HIDE);
    HWND ok = GetDlgItem(status_, IDOK);
    ShowWindow(ok, SW_SHOW);
    SetFocus(ok);
    if (!OnScreen()) return CloseStatus();  // nobody to read it
    RunOwnLoop(status_, [this] { return status_ != nullptr; }, true);
    CloseStatus();
}

void Win32OperationUi::EntryInfo(const std::string& path, const FileStat& st) {
    if (entryInfo_) entryInfo_(path, st);
}

void Win32OperationUi::CursorTo(int row) {
    if (cursorTo_) cursorTo_(row);
}

void Win32OperationUi::ShowCounts() {
    if (counts_) counts_();
}

void Win32OperationUi::ShowOwner(bool shown) {
    if (!owner_) return;
    if (!shown && IsWindowVisible(owner_)) {
        ownerHidden_ = true;
        ShowWindow(owner_, SW_HIDE);
    } else if (shown && ownerHidden_) {
        ownerHidden_ = false;
        ShowWindow(owner_, SW_SHOW);
        SetForegroundWindow(owner_);
    }
}

void Win32OperationUi::ShowErrorList(const char* logName) {
    DialogRun run;
    run.init = [logName](HWND dialog) {
        SetDlgItemTextA(dialog, IDC_ERRLOG_TEXT, kErrorListHeading);
        HWND list = GetDlgItem(dialog, IDC_ERRLOG_LIST);
        std::FILE* f = logName && logName[0] ? std::fopen(logName, "r") : nullptr;
        if (!f) {
            SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(kErrorListUnreadable));
            return TRUE;
        }
        char line[MAX_PATH];
        while (std::fgets(line, sizeof line, f)) {
            const std::size_t n = std::strlen(line);
            if (n && line[n - 1] == '\n') line[n - 1] = '\0';  // the line end
            SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line));
        }
        std::fclose(f);
        return TRUE;
    };
    run.Run(instance_, kErrorListTemplate, owner_);
}

DuplicatePolicy Win32OperationUi::AskDuplicate() {
    // The buttons in the order of the policies from CopyNewer, which is checked first.
    const int first = static_cast<int>(DuplicatePolicy::CopyNewer);
    int chosen = first;
    DialogRun run;
    run.Radio(IDC_DUPLICATE_NEWER, IDC_DUPLICATE_SKIP, chosen, first);
    run.init = [](HWND dialog) {
        SetFocus(GetDlgItem(dialog, IDC_DUPLICATE_NEWER));
        return FALSE;
    };
    run.command = [](HWND dialog, WPARAM wParam) {
        // OK and Cancel draw the list under it again (the close box does not).
        if (IsOkOrCancel(WM_COMMAND, wParam)) InvalidateRect(GetParent(dialog), nullptr, FALSE);
        return false;
    };
    return run.Run(instance_, kDuplicateTemplate, owner_) ? static_cast<DuplicatePolicy>(chosen)
                                                           : DuplicatePolicy::NotChosen;
}

TempFileErrorLog::~TempFileErrorLog() {
    if (file_) std::fclose(file_);
}

bool TempFileErrorLog::Append(void* owner, const char* line, int count, char* logName) {
    if (count < 0) {
        if (file_) std::fclose(file_);
        file_ = nullptr;
        return true;
    }
    if (count == 0) {
        if (file_) std::fclose(file_);
        file_ = nullptr;
        char dir[MAX_PATH] = "", name[MAX_PATH] = "";
        if (GetTempPathA(sizeof dir, dir) && GetTempFileNameA(dir, kLogPrefix, 0, name)) {
            CharUpperA(name);
            file_ = std::fopen(name, "w");
        }
        if (!file_) {
            CurrentPrompts().Message(owner, kLogNotOpened, kErrorTitle, kMbOk | kMbIconStop);
            return false;
        }
        if (logName) CopyCut(logName, kPathSize, name);
    }
    if (file_) std::fprintf(file_, "%s\n", line);
    return true;
}

}  // namespace qrn
