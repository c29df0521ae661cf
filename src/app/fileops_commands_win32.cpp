#include "app/fileops_commands_win32.h"

#include "app/main_window_win32.h"
#include "base/speech.h"
#include "fileops/file_system_win32.h"
#include "fileops/in_place.h"
#include "fileops/operation_ui_win32.h"
#include "listing/list_keys.h"
#include "listing/list_paint_win32.h"

namespace qrn {

Win32OperationUi MainListUi(HWND window) {
    return Win32OperationUi(
        window, g_window.Instance,
        [window](const std::string& path, const FileStat& st) {
            ShowEntryInfo(window, g_listing, MainPaint(), path.c_str(), st.date, st.time, st.attributes, st.size);
        },
        [window](int row) {
            const int old = g_listing.CursorIndex;
            const int page = g_listing.PageNumber;
            GoToIndex(g_listing, row);
            if (g_listing.PageNumber != page) RedrawPage(window, g_listing, MainPaint());
            else RedrawCursor(window, g_listing, MainPaint(), old);
        },
        [window] { ShowCounts(window, g_listing, MainPaint()); });
}

namespace {

// A command on the main list's entries in place, then what it did shown and
// said: the list read again when it changed, else repainted.
template <typename Command>
void RunInPlace(HWND window, Command command) {
    FileSystem& fs = SystemFileSystem();
    Win32OperationUi ui = MainListUi(window);
    const InPlaceResult r = command(fs, ui);
    ui.CloseStatus();
    if (r.refresh) Refresh(window);
    else RepaintAll(window);
    UpdateWindow(window);  // the cursor row is read first, then what was done
    SaySummary(r.said);
}

void RunRename(HWND window, bool keepExtension) {
    RunInPlace(window, [keepExtension](FileSystem& fs, Win32OperationUi& ui) {
        return RenameCommand(g_listing, g_listing.CurrentDir, fs, ui, keepExtension);
    });
}

}  // namespace

void DeleteEntries(HWND window) {
    RunInPlace(window, [](FileSystem& fs, Win32OperationUi& ui) {
        InPlaceResult r = DeleteCommand(g_listing, g_listing.CurrentDir, fs, ui);
        // The list shows at once what is gone (the change watch would only
        // tell once the window is used again).
        r.refresh = true;
        return r;
    });
}

void RenameEntries(HWND window) { RunRename(window, false); }
void RenameKeepingExtension(HWND window) { RunRename(window, true); }

void MakeDirectory(HWND window) {
    RunInPlace(window, [](FileSystem& fs, Win32OperationUi& ui) {
        return MakeDirectoryCommand(g_listing.CurrentDir, fs, ui);
    });
}

void ChangeVolumeLabel(HWND window) {
    RunInPlace(window, [](FileSystem& fs, Win32OperationUi& ui) {
        return VolumeLabelCommand(g_listing, g_listing.CurrentDir, fs, ui);
    });
}

}  // namespace qrn
