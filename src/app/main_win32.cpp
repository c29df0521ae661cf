// Entry point: start-up, update mode and the message loop.
#include <windows.h>
#include <commctrl.h>

#include <cstring>

#include "app/app_texts.h"
#include "app/commands.h"
#include "app/main_window_win32.h"
#include "app/prompts_win32.h"
#include "app/speech_win32.h"
#include "app/transfer_commands_win32.h"
#include "app/update_win32.h"
#include "base/startup_win32.h"
#include "resources/resource_ids.h"

using namespace qrn;

namespace {

bool FullPathOf(const char* path, char* out, std::size_t size) {
    char* filePart;
    DWORD n = GetFullPathNameA(path, static_cast<DWORD>(size), out, &filePart);
    return n > 0 && n < size;
}

void ReadVersion(Startup& st) {
    st.Version = ReadSystemVersion();
    const bool nt = st.Version.IsNT;
    char dir[64];
    UINT n = nt ? GetSystemDirectoryA(dir, sizeof dir) : GetWindowsDirectoryA(dir, sizeof dir);
    if (n == 0 || n >= sizeof dir) dir[0] = '\0';
    BuildShellPath(nt, dir, st.ShellPath, sizeof st.ShellPath);
}


// 21 buttons from the 16 x 16 images of bitmap 103, with tooltips.
void CreateToolbar(HINSTANCE instance, HWND main) {
    TBBUTTON buttons[kToolbarButtons];
    std::memset(buttons, 0, sizeof buttons);
    for (int i = 0; i < kToolbarButtons; ++i) {
        buttons[i].iBitmap = kToolbar[i].image;
        buttons[i].idCommand = kToolbar[i].command;
        buttons[i].fsState = TBSTATE_ENABLED;
        buttons[i].fsStyle = kToolbar[i].command ? TBSTYLE_BUTTON : TBSTYLE_SEP;
    }
    g_window.Toolbar = CreateToolbarEx(main, WS_CHILD | WS_BORDER | TBSTYLE_TOOLTIPS, TOOLBAR_ID, 21, instance,
                                       TOOLBAR_BITMAP, buttons, kToolbarButtons, 16, 16, 16, 16, sizeof(TBBUTTON));
    if (g_window.Toolbar && g_settings.ToolbarHeight > 0) ShowWindow(g_window.Toolbar, SW_RESTORE);
}

// A mask, a start directory or the update hand-over from the command line.
// False when this run was an update that completed.
bool ApplyCommandLine(const char* text) {
    CommandLine cl;
    ParseCommandLine(text, cl);
    switch (cl.kind) {
    case StartKind::Mask:
        std::memcpy(g_listing.FileMask, cl.mask, sizeof g_listing.FileMask);
        break;
    case StartKind::Directory: {
        char saved[kPathSize];
        std::memcpy(saved, g_listing.CurrentDir, sizeof saved);
        CopyCut(g_listing.CurrentDir, sizeof g_listing.CurrentDir, cl.directory);
        // No room for the backslash: start where the settings say.
        if (!EnsureTrailingBackslash(g_listing.CurrentDir, sizeof g_listing.CurrentDir, true, FullPathOf))
            std::memcpy(g_listing.CurrentDir, saved, sizeof saved);
        break;
    }
    case StartKind::Update: {
        PendingUpdateRecord& u = g_startup.PendingUpdate;
        std::memcpy(u.source, cl.source, sizeof u.source);
        std::memcpy(u.target, cl.target, sizeof u.target);
        u.mode = cl.mode;
        if (RunUpdate(u, g_startup.UpdateFailure, sizeof g_startup.UpdateFailure)) return false;
        break;
    }
    case StartKind::Default:
        break;
    }
    return true;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
    static DialogPrompts prompts;
    SetDefaultPrompts(&prompts);
    InstallSpeech();
    g_window.Instance = instance;

    // 1-4: where the program lives, the system, the drives.
    char exe[kPathSize];
    DWORD n = GetModuleFileNameA(nullptr, exe, sizeof exe);
    if (n == 0 || n >= sizeof exe || !BuildProgramPaths(exe, g_startup)) return 0;
    ReadVersion(g_startup);
    BuildDriveTypes(g_startup.DriveTypeTable);
    DirPlatform().SetDriveChooser(ChooseDriveForReader);

    // 5-7: settings, the first paint redraws everything, no marks.
    ResetListing(g_listing);
    DefaultSettings(g_settings);
    LoadSettings(g_settings, IniProfile(), true, g_startup.ProgramFolder, g_startup.DriveTypeTable,
                 SettingsPlatformObject());
    std::memcpy(g_listing.CurrentDir, g_settings.StartDir, sizeof g_listing.CurrentDir);
    std::memcpy(g_listing.FileMask, g_settings.StartMask, sizeof g_listing.FileMask);
    g_window.FullRedraw = true;
    ClearAllMarks(g_listing.table);

    // 8: the command line; an update that completed ends this run.
    if (!ApplyCommandLine(commandLine ? commandLine : "")) return 0;

    // 9: the window class.
    if (!previous) {
        WNDCLASSA wc;
        std::memset(&wc, 0, sizeof wc);
        wc.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
        wc.lpfnWndProc = MainWindowProc;
        wc.hInstance = instance;
        wc.hIcon = LoadIconA(instance, "QRN_ICON");
        wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
        wc.lpszMenuName = MAKEINTRESOURCEA(g_settings.MenuMode ? MENU_JAPANESE : MENU_ENGLISH);
        wc.lpszClassName = kMainClass;
        if (!RegisterClassA(&wc)) return 0;
    }

    // 10: the main window where it was last.
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);
    int x = g_settings.WinX, y = g_settings.WinY, w = g_settings.WinW, h = g_settings.WinH;
    FitWindowToScreen(x, y, w, h, GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                      GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN));
    g_window.Main = nullptr;
    HWND main = CreateWindowExA(0, kMainClass, kMainTitle, WS_OVERLAPPEDWINDOW, x, y, w, h, nullptr, nullptr, instance,
                                nullptr);
    if (!main) return 0;
    g_window.Main = main;

    // 11: the start banner stays up until the first paint.
    if (g_settings.WinBannerMode == 1) {
        g_window.Banner = CreateDialogA(instance, kStartBanner, main, StartBannerProc);
        g_window.CurrentModelessDialog = g_window.Banner;
    }

    // 12-14: the window, then the toolbar over the list. The first shows of
    // a process take the show command its starter gave, whatever is asked,
    // so a window stored maximised is shown maximised by this first show
    // itself (and by a second one where the starter's command won).
    const bool minimised = show == SW_SHOWMINIMIZED || show == SW_MINIMIZE || show == SW_SHOWMINNOACTIVE;
    const bool maximise = g_settings.WinSizeIsMax == 1 && !minimised;
    ShowWindow(main, maximise ? SW_SHOWMAXIMIZED : show);
    if (maximise && !IsZoomed(main)) ShowWindow(main, SW_MAXIMIZE);
    CreateToolbar(instance, main);
    UpdateWindow(main);

    // 15: an update that did not complete.
    if (g_startup.PendingUpdate.pending) {
        MessageBoxA(main, g_startup.UpdateFailure, kUpdateFailedTitle, MB_OK);
        DestroyWindow(main);
    }

    // 16: the message loop.
    HACCEL accel = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(ACCEL_MAIN));
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (g_window.CurrentModelessDialog && IsDialogMessageA(g_window.CurrentModelessDialog, &msg)) continue;
        if (g_window.Main && TranslateAcceleratorA(g_window.Main, accel, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}
