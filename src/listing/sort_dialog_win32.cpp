#include "listing/sort_dialog_win32.h"

#include "listing/listing_texts.h"
#include "resources/resource_ids.h"

namespace qrn {

namespace {

// What the dialog works on while it is open.
struct SortDialog {
    Settings& settings;
    Profile& ini;
    int key, order;
    bool confirmed;
};

SortDialog* Of(HWND dialog) { return reinterpret_cast<SortDialog*>(GetWindowLongPtrA(dialog, DWLP_USER)); }

int AutoChoice(HWND dialog) {
    return IsDlgButtonChecked(dialog, IDC_SORT_AUTO) == BST_CHECKED ? kSortAutoOn : kSortAutoOff;
}

void TakeChoice(HWND dialog, SortDialog& d) {
    d.settings.SortAuto = AutoChoice(dialog);
    d.settings.SortOrder = d.order;
    d.settings.SortKey = d.key;
}

void Open(HWND dialog, SortDialog& d) {
    d.key = d.settings.SortKey;
    d.order = d.settings.SortOrder;
    if (d.key >= kSortByName && d.key <= kSortBySize)
        CheckRadioButton(dialog, IDC_SORT_NAME, IDC_SORT_SIZE, IDC_SORT_NAME + d.key - kSortByName);
    if (d.order == kSortAscending || d.order == kSortDescending)
        CheckRadioButton(dialog, IDC_SORT_ASCENDING, IDC_SORT_DESCENDING,
                         IDC_SORT_ASCENDING + d.order - kSortAscending);
    CheckDlgButton(dialog, IDC_SORT_AUTO, d.settings.SortAuto == kSortAutoOn ? BST_CHECKED : BST_UNCHECKED);
}

}  // namespace

INT_PTR CALLBACK SortDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INITDIALOG) {
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        Open(dialog, *reinterpret_cast<SortDialog*>(lParam));
        return TRUE;
    }
    SortDialog* d = Of(dialog);
    if (!d) return FALSE;
    switch (msg) {
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        if (id >= IDC_SORT_NAME && id <= IDC_SORT_SIZE) {
            d->key = id - IDC_SORT_NAME + kSortByName;
            return TRUE;
        }
        if (id == IDC_SORT_ASCENDING || id == IDC_SORT_DESCENDING) {
            d->order = id - IDC_SORT_ASCENDING + kSortAscending;
            return TRUE;
        }
        if (id == IDC_SORT_DEFAULT) {
            TakeChoice(dialog, *d);
            SaveSortDefaults(d->settings, d->ini);
            return TRUE;
        }
        if (id == IDOK) {
            TakeChoice(dialog, *d);
            d->confirmed = true;
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

bool RunSortDialog(HINSTANCE instance, HWND owner, Settings& settings, Profile& ini) {
    SortDialog d{settings, ini, settings.SortKey, settings.SortOrder, false};
    DialogBoxParamA(instance, kSortDialog, owner, SortDialogProc, reinterpret_cast<LPARAM>(&d));
    return d.confirmed;
}

}  // namespace qrn
