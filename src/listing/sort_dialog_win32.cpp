#include "listing/sort_dialog_win32.h"

#include "app/main_window_win32.h"
#include "app/settings.h"
#include "listing/list_paint_win32.h"
#include "listing/sort.h"
#include "resources/resource_ids.h"

namespace qrn {

namespace {

struct SortDialogState {
    int key = 1, order = 1;
    bool confirmed = false;
};
SortDialogState g_sortDialog;

int Collate(const char* a, const char* b) { return lstrcmpA(a, b); }
void Upper(char* s) { CharUpperA(s); }

void StoreDefaults(HWND dialog) {
    const int autoSort = IsDlgButtonChecked(dialog, IDC_SORT_AUTO) == BST_CHECKED ? 2 : 1;
    Profile& ini = IniProfile();
    ini.WriteInt("QRNInit", "SORT_TYPE0", autoSort);
    ini.WriteInt("QRNInit", "SORT_TYPE1", g_sortDialog.order);
    ini.WriteInt("QRNInit", "SORT_TYPE2", g_sortDialog.key);
    g_settings.SortAuto = autoSort;
    g_settings.SortOrder = g_sortDialog.order;
    g_settings.SortKey = g_sortDialog.key;
}

}  // namespace

INT_PTR CALLBACK SortDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM) {
    switch (msg) {
    case WM_INITDIALOG:
        g_sortDialog.key = g_settings.SortKey;
        g_sortDialog.order = g_settings.SortOrder;
        g_sortDialog.confirmed = false;
        if (g_sortDialog.key >= 1 && g_sortDialog.key <= 4)
            CheckRadioButton(dialog, IDC_SORT_NAME, IDC_SORT_SIZE, IDC_SORT_NAME + g_sortDialog.key - 1);
        if (g_sortDialog.order == 1 || g_sortDialog.order == 2)
            CheckRadioButton(dialog, IDC_SORT_ASCENDING, IDC_SORT_DESCENDING,
                             IDC_SORT_ASCENDING + g_sortDialog.order - 1);
        CheckDlgButton(dialog, IDC_SORT_AUTO, g_settings.SortAuto == 2 ? BST_CHECKED : BST_UNCHECKED);
        return TRUE;
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        if (id >= IDC_SORT_NAME && id <= IDC_SORT_SIZE) {
            g_sortDialog.key = id - IDC_SORT_NAME + 1;
            return TRUE;
        }
        if (id == IDC_SORT_ASCENDING || id == IDC_SORT_DESCENDING) {
            g_sortDialog.order = id - IDC_SORT_ASCENDING + 1;
            return TRUE;
        }
        if (id == IDC_SORT_DEFAULT) {
            StoreDefaults(dialog);
            return TRUE;
        }
        if (id == IDOK) {
            g_settings.SortAuto = IsDlgButtonChecked(dialog, IDC_SORT_AUTO) == BST_CHECKED ? 2 : 1;
            g_settings.SortOrder = g_sortDialog.order;
            g_settings.SortKey = g_sortDialog.key;
            g_sortDialog.confirmed = true;
            EndDialog(dialog, IDOK);
            return TRUE;
        }
        if (id == IDCANCEL) {
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        break;
    }
    case WM_CLOSE:
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    default:
        break;
    }
    return FALSE;
}

bool RunSortDialog(HINSTANCE instance, HWND owner) {
    g_sortDialog.confirmed = false;
    DialogBoxParamA(instance, "DIR_SORT", owner, SortDialogProc, 0);
    return g_sortDialog.confirmed;
}

void SortMainTable() {
    SortSpec spec{g_settings.SortOrder, g_settings.SortKey, Collate, Upper};
    SortEntries(g_listing.table.rows, g_listing.table.EntryCount, spec);
}

void ApplySortChoice(HWND window, bool autoSortWasOn) {
    if (autoSortWasOn && g_settings.SortAuto == 1)
        ReadDirectory(g_listing, g_settings, DirPlatform(), window, g_listing.CurrentDir,
                      sizeof g_listing.CurrentDir);
    SortMainTable();
    g_listing.CursorIndex = 0;
    g_listing.PageNumber = 1;
    UpdatePageGeometry();
    g_window.FullRedraw = true;
    InvalidateRect(window, nullptr, FALSE);
}

}  // namespace qrn
