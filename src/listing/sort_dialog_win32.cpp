#include "listing/sort_dialog_win32.h"

#include "base/dialog_win32.h"
#include "listing/listing_texts.h"
#include "resources/resource_ids.h"

namespace qrn {

namespace {

// The keys in the order its default button writes them.
constexpr SetupRow kSortPage[] = {
    {IniKey::SortAuto, IDC_SORT_AUTO, BindKind::Check, 0, kSortAutoOff, kSortAutoOn},
    {IniKey::SortOrder, IDC_SORT_ASCENDING, BindKind::Radio, IDC_SORT_DESCENDING, kSortAscending},
    {IniKey::SortKey, IDC_SORT_NAME, BindKind::Radio, IDC_SORT_SIZE, kSortByName},
};

}  // namespace

bool RunSortDialog(HINSTANCE instance, HWND owner, Settings& settings, Profile& ini) {
    DialogRun run;
    run.Bind(settings, kSortPage);
    run.command = [&](HWND dialog, WPARAM wParam) {
        if (LOWORD(wParam) != IDC_SORT_DEFAULT) return false;
        run.ReadBack(dialog);
        StorePage(ini, settings, kSortPage);
        return true;
    };
    return run.Run(instance, kSortDialog, owner);
}

}  // namespace qrn
