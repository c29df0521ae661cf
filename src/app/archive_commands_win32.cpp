#include "app/archive_commands_win32.h"

#include "app/app_state.h"
#include "app/commands.h"
#include "app/main_window_win32.h"
#include "base/progress.h"
#include "base/speech.h"
#include "app/transfer_commands_win32.h"
#include "archive/archive_texts.h"
#include "archive/archiver_binding_win32.h"
#include "windows/windows_texts.h"

namespace qrn {

namespace {

ArchiveCommand MainListCommand(HWND window, ArchiverBinding& binding) {
    ArchiveCommand c{g_listing, g_settings, binding, window, [window] { ShowCounts(window, g_listing, MainPaint()); }};
    if (g_settings.SpeakProgress)
        c.walked = SpokenQuarters([] { return std::uint64_t{GetTickCount()}; }, [](const char* text) { SpeakQueued(text); });
    return c;
}

// A confirmed unpack or ISH make: the list is read again once the
// destination window has gone, then what was done is said.
template <ArchiveResult (*Run)(ArchiveCommand& c, const char* target)>
void RunInto(void* owner, const char* target) {
    CopyCut(g_window.DestDir, sizeof g_window.DestDir, target);
    ArchiverBinding binding;
    ArchiveCommand c = MainListCommand(static_cast<HWND>(owner), binding);
    const ArchiveResult r = Run(c, g_window.DestDir);
    g_window.SaidAfterDestination = r.said;
    if (r.refresh) g_window.RefreshPending = true;
}

ArchiveResult MakeIshIfRows(ArchiveCommand& c, const char* target) {
    // The rows may have changed while the destination was chosen.
    if (!RowsServe(c.listing.table, c.listing.CursorIndex, kMarkedOrEntryRow)) return {};
    return MakeIsh(c, target);
}

const PendingOperation kUnpack{kUnpackDriveTitle, kUnpackDestinationTitle, RunInto<UnpackArchives>,
                               kUnpackOpeningTitle, true};
const PendingOperation kIshMake{kIshDriveTitle, kIshMakeDestinationTitle, RunInto<MakeIshIfRows>};

void Pack(HWND window, ArchiverKind kind) {
    ArchiverBinding binding;
    ArchiveCommand c = MainListCommand(window, binding);
    const ArchiveResult r = PackEntries(c, kind);
    if (!r.refresh) return;
    Refresh(window);
    UpdateWindow(window);  // the cursor row is read first, then what was done
    SaySummary(r.said);
}

}  // namespace

void UnpackCommand(HWND window) { ChooseDestination(window, kUnpack); }
void PackLzhCommand(HWND window) { Pack(window, ArchiverKind::Lha); }
void PackTarCommand(HWND window) { Pack(window, ArchiverKind::Tar); }
void MakeIshCommand(HWND window) { ChooseDestination(window, kIshMake); }

}  // namespace qrn
