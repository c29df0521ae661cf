#include "app/fileops_commands_win32.h"

#include "app/main_window_win32.h"
#include "base/speech.h"
#include "base/selection.h"
#include "fileops/concatenate.h"
#include "fileops/drop.h"
#include "fileops/file_system_win32.h"
#include "fileops/fileops_dialogs_win32.h"
#include "fileops/fileops_texts.h"
#include "fileops/in_place.h"
#include "fileops/total_size.h"
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
        [window] { ShowCounts(window, g_listing, MainPaint()); }, g_settings.SpeakProgress != 0);
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
        InPlaceResult r = DeleteCommand(g_listing, g_listing.CurrentDir, fs, ui, g_settings.RecycleBin != 0);
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

// The rows show what their entries have now, in the order of the sort.
void ChangeAttributes(HWND window) {
    FileSystem& fs = SystemFileSystem();
    AttributeForm form = OpenAttributeForm(g_listing, g_listing.CurrentDir, fs, SystemClock());
    if (!RunAttributeDialog(g_window.Instance, window, form)) return;
    const AttributeResult r = ApplyAttributeForm(g_listing, g_listing.CurrentDir, form, fs, SystemClock(), window);
    if (g_settings.SortAuto != kSortAutoOff) DirPlatform().Sort(g_listing.table);
    RepaintAll(window);
    UpdateWindow(window);
    SaySummary(r.said);
}

// The result is said as it shows, and stays until OK.
void TotalSize(HWND window) {
    Win32OperationUi ui = MainListUi(window);
    const SizeTotal t = TotalSizeCommand(g_listing, g_listing.CurrentDir, SystemFileSystem(), ui);
    SaySummary(t.said);
    if (!t.stopped) ui.ShowResult(kSizeDoneTitle, t.resultText);
}

// The marked files in table order; the cursor row's name without its
// extension proposed. The marks are gone afterwards, made or not.
void ConcatenateMarked(HWND window) {
    if (g_listing.table.MarkedCount < 1) return;
    std::vector<std::string> inputs;
    SelectionWalk files;
    files.kind = RowKind::PlainFile;
    files.dropMarks = false;
    WalkSelection(g_listing.table, g_listing.CursorIndex, files, [&inputs](int row) {
        inputs.push_back(g_listing.table.rows[row].name);
        return RowOutcome::Done;
    });
    std::string name;
    if (g_listing.CursorIndex >= 0 && g_listing.CursorIndex < g_listing.table.EntryCount) {
        name = g_listing.table.rows[g_listing.CursorIndex].name;
        const std::size_t dot = name.rfind('.');
        if (dot != std::string::npos) name.erase(dot);
    }
    std::string said;
    const bool made =
        RunConcatDialog(g_window.Instance, window, g_listing.CurrentDir, inputs, name, SystemFileSystem(), said);
    ClearAllMarks(g_listing.table);
    Refresh(window);
    UpdateWindow(window);
    if (made) SaySummary(said);
}

void DropOnList(HWND window, HDROP drop, int row) {
    DropRequest r;
    r.currentDir = g_listing.CurrentDir;
    r.row = row;
    const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        std::string path(DragQueryFileA(drop, i, nullptr, 0) + 1, '\0');
        path.resize(DragQueryFileA(drop, i, path.data(), static_cast<UINT>(path.size())));
        r.paths.push_back(path);
    }
    r.keys = [](bool& shift, bool& ctrl) {
        shift = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
        ctrl = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
    };
    r.start = [](const std::string& line) { WinExec(line.c_str(), SW_SHOWNORMAL); };
    Win32OperationUi ui = MainListUi(window);
    const TransferResult result = DropCommand(g_listing, r, SystemFileSystem(), ui);
    ui.CloseStatus();
    if (result.refresh) g_window.RefreshPending = true;
    RefreshStep(window);
    UpdateWindow(window);
    SaySummary(result.said);
}

}  // namespace qrn
