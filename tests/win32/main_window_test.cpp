// The main window while the destination window is open: keys and its few commands go to that window,
// all else waits; closing it gives back cursor, refresh and voice.
#include <gtest/gtest.h>

#include "app/app_state.h"
#include "app/main_window_win32.h"
#include "app/transfer_commands_win32.h"
#include "base/prompts.h"
#include "base/speech.h"
#include "resources/resource_ids.h"
#include "support.h"
#include "../core/core_test.h"
#include "windows/destination_window_win32.h"

using namespace qrn;

namespace {

std::vector<std::string> g_ran;  // the targets run into, and whether the destination window showed meanwhile
void Run(void*, const char* target) {
    g_ran.push_back(target + std::string(IsWindowVisible(FindWindowA("QRN Destination", nullptr)) ? " shown" : ""));
}
const PendingOperation kTestOperation{"Drive", "Test ", Run};

struct Asked : Prompts {  // the questions asked: Cancel to the first message, then OK
    std::vector<std::string> seen;
    int Message(void*, const char* text, const char* title, unsigned) override {
        return seen.push_back(std::string(title) + "|" + text), seen.size() == 1 ? kIdCancel : kIdOk;
    }
    void Beep() override {}
    bool InputLine(void*, const char* title, char*, std::size_t) override { return seen.push_back(title), false; }
};

// The main window stays off the display: it is painted by sending it WM_PAINT. The speech platform
// records what would be said.
struct DestinationRouting : ::testing::Test {
    void SetUp() override {
        g_window = MainWindowState{};
        g_window.Instance = GetModuleHandleA(nullptr);
        DefaultSettings(g_settings); ResetListing(g_listing); ResetSpeech(); SetSpeechPlatform(&speech);
        SetPrompts(&prompts); g_ran.clear();
        for (int i = 0; i < 10; ++i) tree.File("f" + std::to_string(i) + ".txt");
        std::snprintf(g_listing.CurrentDir, sizeof g_listing.CurrentDir, "%s", tree.Path().c_str());
        std::snprintf(g_startup.IniPath, sizeof g_startup.IniPath, "%s", (home / "qrn.ini").c_str());  // its place
        WNDCLASSA wc{0, MainWindowProc, 0, 0, g_window.Instance, nullptr, nullptr, nullptr, nullptr, "QRN test main"};
        RegisterClassA(&wc);
        g_window.Main = GetDesktopWindow();  // another window stands for it: its creation adds no status bar or icon
        main = CreateWindowExA(0, wc.lpszClassName, "main", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr,
                               g_window.Instance, nullptr);
        g_window.Main = main;
        ASSERT_GE(ReadMainDirectory(main), 12);
        g_listing.CursorIndex = 4;
        g_window.SavedCursor = 7;
        SendMessageA(main, WM_PAINT, 0, 0);  // the list takes keys once a paint has laid it out
        OpenDestination(main, tree.Path().c_str(), kTestOperation);
        dest = FindWindowA("QRN Destination", nullptr);
        ASSERT_TRUE(dest && DestinationWindowOpen());
        speech.calls.clear();
    }
    void TearDown() override {
        if (IsWindow(dest)) DestroyWindow(dest);
        g_window.Main = nullptr;  // no saving on exit in a test
        DestroyWindow(main);
        if (g_listing.ChangeWatch) FindCloseChangeNotification(static_cast<HANDLE>(g_listing.ChangeWatch));
        if (g_window.ListFont) DeleteObject(g_window.ListFont);
        SetSpeechPlatform(nullptr);
        SetPrompts(nullptr);
        g_window = MainWindowState{};
        g_startup.IniPath[0] = '\0';
    }
    qrntest::TempTree tree, home;
    Asked prompts;
    qrn::test::ScriptedSpeech speech;  // no reader window: engine 2, which loads
    HWND main = nullptr, dest = nullptr;
};

}  // namespace

// Closed by the Escape command, by its Escape key, or confirmed on its execution row: then it is hidden, the
// operation runs into the directory it shows, and it is closed. Either way the refresh that waited follows,
// and the cursor row, silent while it was open, is spoken after a paint.
TEST_F(DestinationRouting, TakesKeysAndItsCommandsAndClosingGivesBackCursorRefreshAndVoice) {
    for (int close : {CMD_ESCAPE, VK_ESCAPE, VK_RETURN}) {
        SCOPED_TRACE(close);
        if (close != CMD_ESCAPE) { TearDown(); SetUp(); }  // a new destination window
        const int before = g_listing.table.EntryCount;
        tree.File("new" + std::to_string(close) + ".txt");
        g_window.RefreshPending = true;
        for (int id : {CMD_NEXT_PAGE, CMD_MARK, CMD_QUIT}) SendMessageA(main, WM_COMMAND, id, 0);
        EXPECT_TRUE(IsWindow(main) && IsWindow(dest) && g_window.RefreshPending);
        EXPECT_EQ(4, g_listing.CursorIndex);  // the list did not move, nothing is marked, nor read again
        EXPECT_EQ(0, g_listing.table.MarkedCount);
        EXPECT_EQ(before, g_listing.table.EntryCount);
        speech.calls.clear();
        if (close == CMD_ESCAPE) SendMessageA(main, WM_COMMAND, CMD_ESCAPE, 0);
        else SendMessageA(main, WM_KEYDOWN, close, 0);
        EXPECT_TRUE(!IsWindow(dest) && !DestinationWindowOpen());
        EXPECT_EQ(7, g_listing.CursorIndex);  // where it was when the command began
        EXPECT_EQ(close == VK_RETURN ? std::vector<std::string>{tree.Path()} : std::vector<std::string>{}, g_ran);
        EXPECT_FALSE(g_window.RefreshPending);
        EXPECT_EQ(before + 1, g_listing.table.EntryCount);  // read again
        SendMessageA(main, WM_PAINT, 0, 0);
        char row[kSpeechTextSize];
        CursorRowSpeech(g_listing, g_settings, PlatformLower, PlatformUpper, row, sizeof row);
        EXPECT_NE('\0', row[0]);
        EXPECT_EQ(std::vector<std::string>{"2 1 " + std::string(row)}, speech.calls);
    }
    SendMessageA(main, WM_COMMAND, CMD_MARK, 0);  // the main window is itself again
    EXPECT_EQ(1, g_listing.table.MarkedCount);
}

// A copy onto the program's own file is offered as an update once the command
// has ended: Cancel starts nothing; a new program that cannot be started is told.
TEST_F(DestinationRouting, OffersTheUpdateAfterTheCommand) {
    PendingUpdateRecord& u = g_startup.PendingUpdate;
    std::snprintf(u.source, sizeof u.source, "%s", (tree / "missing.exe").c_str());
    std::snprintf(u.target, sizeof u.target, "%s", (tree / "qrn.exe").c_str());
    for (int round = 0; round < 2; ++round) {
        u.pending = true;
        SendMessageA(main, WM_KEYDOWN, VK_RETURN, 0);
        EXPECT_FALSE(u.pending);
        if (round == 0) { TearDown(); SetUp(); }
    }
    EXPECT_EQ((std::vector<std::string>{"確認|QRN を更新しますか？", "確認|QRN を更新しますか？",
                                        "確認|コピー元のQRNの起動に失敗しました。"}),
              prompts.seen);
    EXPECT_TRUE(IsWindow(main));
}
