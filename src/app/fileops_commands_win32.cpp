#include "app/fileops_commands_win32.h"

#include "app/main_window_win32.h"
#include "base/speech.h"
#include "fileops/file_system_win32.h"
#include "fileops/in_place.h"
#include "fileops/operation_ui_win32.h"
#include "listing/list_keys.h"
#include "listing/list_paint_win32.h"
#include "resources/resource_ids.h"

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

void FileCommand(HWND window, int id) {
    FileSystem& fs = SystemFileSystem();
    Win32OperationUi ui = MainListUi(window);
    InPlaceResult r;
    switch (id) {
    case CMD_DELETE:
        r = DeleteCommand(g_listing, g_listing.CurrentDir, fs, ui);
        // The list shows at once what is gone (the change watch would only
        // tell once the window is used again).
        r.refresh = true;
        break;
    case CMD_RENAME:
    case CMD_RENAME_BASE:
        r = RenameCommand(g_listing, g_listing.CurrentDir, fs, ui, id == CMD_RENAME_BASE);
        break;
    case CMD_MKDIR:
        r = MakeDirectoryCommand(g_listing.CurrentDir, fs, ui);
        break;
    case CMD_VOLUME_LABEL:
        r = VolumeLabelCommand(g_listing, g_listing.CurrentDir, fs, ui);
        break;
    default:
        return;
    }
    ui.CloseStatus();
    if (r.refresh) Refresh(window);
    else RepaintAll(window);
    UpdateWindow(window);  // the cursor row is read first, then what was done
    if (!r.said.empty()) {
        SetSpeechMode(1);
        Speak(r.said.c_str());
    }
}

}  // namespace qrn
