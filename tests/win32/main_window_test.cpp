// The main window while the destination window is open: keys, clicks and its few commands go to
// that window's handler, all else waits; closing it gives back cursor, refresh and voice.
#include <gtest/gtest.h>

#include "app/app_state.h"
#include "app/main_window_win32.h"
#include "base/prompts.h"
#include "base/speech.h"
#include "resources/resource_ids.h"
#include "support.h"

using namespace qrn;

namespace {

std::vector<std::string> g_seen;  // what the handler was given: message, key, point
int g_answer = 0;                 // what it answers
std::vector<PendingOp> g_ran;     // the operations run; None for one run while the destination window showed

int Handler(HWND, UINT message, int key, POINT at) {
    g_seen.push_back(std::to_string(message) + " " + std::to_string(key) + " " + std::to_string(at.x) + "," +
                     std::to_string(at.y));
    return g_answer;
}
void RunPending(HWND, PendingOp operation) {
    g_ran.push_back(GetWindowLongA(g_window.Destination, GWL_STYLE) & WS_VISIBLE ? PendingOp::None : operation);
}

// Both windows stay off the display: the main one is painted by sending it WM_PAINT, and the
// destination window is a child of it. The speech platform records what would be said.
struct DestinationRouting : ::testing::Test, SpeechPlatform {
    void SetUp() override {
        g_window = MainWindowState{};
        g_window.Instance = GetModuleHandleA(nullptr);
        DefaultSettings(g_settings); ResetListing(g_listing); ResetSpeech(); SetSpeechPlatform(this);
        g_seen.clear(); g_ran.clear(); g_answer = 0;
        for (int i = 0; i < 10; ++i) tree.File("f" + std::to_string(i) + ".txt");
        std::snprintf(g_listing.CurrentDir, sizeof g_listing.CurrentDir, "%s", tree.Path().c_str());
        WNDCLASSA wc{0, MainWindowProc, 0, 0, g_window.Instance, nullptr, nullptr, nullptr, nullptr, "QRN test main"};
        RegisterClassA(&wc);
        g_window.Main = GetDesktopWindow();  // another window stands for it: its creation adds no status bar or icon
        main = CreateWindowExA(0, wc.lpszClassName, "main", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr,
                               g_window.Instance, nullptr);
        g_window.Main = main;
        ASSERT_GE(ReadMainDirectory(main), 12);
        g_listing.CursorIndex = 4;
        SendMessageA(main, WM_PAINT, 0, 0);  // the list takes keys once a paint has laid it out
        dest = CreateWindowExA(0, "STATIC", "dest", WS_CHILD | WS_VISIBLE, 0, 0, 200, 150, main, nullptr,
                               g_window.Instance, nullptr);
        AttachDestination(dest);
        g_window.DestinationActive = true; g_window.PendingOperation = PendingOp::Move; g_window.SavedCursor = 7;
        g_window.DestinationHooks = DestinationHandlers{Handler, nullptr, RunPending};
        said.clear();
    }
    void TearDown() override {
        if (IsWindow(dest)) DestroyWindow(dest);
        g_window.Main = nullptr;  // no saving on exit in a test
        DestroyWindow(main);
        if (g_listing.ChangeWatch) FindCloseChangeNotification(static_cast<HANDLE>(g_listing.ChangeWatch));
        if (g_window.ListFont) DeleteObject(g_window.ListFont);
        SetSpeechPlatform(nullptr);
        g_window = MainWindowState{};
    }
    bool ReaderWindowExists() override { return false; }
    bool LoadEngine(int) override { return true; }
    int Call(int, char* text, int) override { said.push_back(text); return 1; }
    bool LoadNvda() override { return false; }  // never asked for: the reader above loads
    bool NvdaRunning() override { return false; }
    void NvdaCancel() override {}
    bool NvdaSpeak(const char*) override { return false; }
    std::uint32_t Milliseconds() override { return 0; }
    qrntest::TempTree tree;
    std::vector<std::string> said;
    HWND main = nullptr, dest = nullptr;
};

}  // namespace

// Each time the handler answers 0 first, which leaves the window open and the list where it is.
// Then: without a handler nothing reaches it, and Escape closes it; cancelled (-1) it is closed;
// confirmed (1) it is hidden, the operation runs, then it is closed. Either way the refresh that
// waited follows, and the cursor row, silent while it was open, is spoken after a paint.
TEST_F(DestinationRouting, TakesKeysClicksAndItsCommandsAndClosingGivesBackCursorRefreshAndVoice) {
    const std::string key = std::to_string(WM_KEYDOWN) + " ";
    for (int answer : {0, -1, 1}) {
        SCOPED_TRACE(answer);
        if (answer != 0) { TearDown(); SetUp(); }  // a new destination window
        const int before = g_listing.table.EntryCount;
        tree.File("new" + std::to_string(answer) + ".txt");
        g_window.RefreshPending = true;
        SendMessageA(main, WM_KEYDOWN, VK_DOWN, 0);
        SendMessageA(main, WM_LBUTTONDOWN, 0, MAKELPARAM(33, 44));
        SendMessageA(main, WM_LBUTTONDBLCLK, 0, MAKELPARAM(5, 6));
        for (int id : {CMD_NEXT_PAGE, CMD_MARK, CMD_QUIT, CMD_MKDIR, CMD_TAB}) SendMessageA(main, WM_COMMAND, id, 0);
        SendMessageA(main, WM_PAINT, 0, 0);
        EXPECT_EQ((std::vector<std::string>{key + "40 0,0", std::to_string(WM_LBUTTONDOWN) + " 0 33,44",
                                            std::to_string(WM_LBUTTONDBLCLK) + " 0 5,6", key + "75 5,6",
                                            key + "9 5,6"}),
                  g_seen);  // VK_DOWN, then 'K' for make directory and Tab for all files
        EXPECT_TRUE(IsWindow(main) && IsWindow(dest) && g_window.RefreshPending && said.empty());
        EXPECT_EQ(4, g_listing.CursorIndex);  // the list did not move, nothing is marked, nor read again
        EXPECT_EQ(0, g_listing.table.MarkedCount);
        EXPECT_EQ(before, g_listing.table.EntryCount);
        g_answer = answer;
        if (answer == 0) g_window.DestinationHooks = DestinationHandlers{};
        SendMessageA(main, WM_KEYDOWN, VK_RETURN, 0);
        EXPECT_EQ(answer == 0, IsWindow(dest) && g_window.DestinationActive);
        if (answer == 0) SendMessageA(main, WM_COMMAND, CMD_ESCAPE, 0);
        EXPECT_TRUE(!IsWindow(dest) && !g_window.Destination && !g_window.DestinationActive);
        EXPECT_EQ(PendingOp::None, g_window.PendingOperation);
        EXPECT_EQ(7, g_listing.CursorIndex);  // where it was when the command began
        EXPECT_EQ(answer == 1 ? std::vector<PendingOp>{PendingOp::Move} : std::vector<PendingOp>{}, g_ran);
        EXPECT_FALSE(g_window.RefreshPending);
        EXPECT_EQ(before + 1, g_listing.table.EntryCount);  // read again
        SendMessageA(main, WM_PAINT, 0, 0);
        char row[kSpeechTextSize];
        CursorRowSpeech(g_listing, g_settings, PlatformLower, PlatformUpper, row, sizeof row);
        EXPECT_NE('\0', row[0]);
        EXPECT_EQ(std::vector<std::string>{row}, said);
    }
    SendMessageA(main, WM_COMMAND, CMD_MARK, 0);  // the main window is itself again
    EXPECT_EQ(1, g_listing.table.MarkedCount);
}

// A copy onto the program's own file is offered as an update once the command
// has ended: Cancel starts nothing; a new program that cannot be started is told.
TEST_F(DestinationRouting, OffersTheUpdateAfterTheCommand) {
    struct Answers : Prompts {  // Cancel first, then OK
        std::vector<std::string> seen;
        int Message(void*, const char* text, const char* title, unsigned) override {
            return seen.push_back(std::string(title) + "|" + text), seen.size() == 1 ? kIdCancel : kIdOk;
        }
        void Beep() override {}
    } prompts;
    SetPrompts(&prompts);
    PendingUpdateRecord& u = g_startup.PendingUpdate;
    std::snprintf(u.source, sizeof u.source, "%s", (tree / "missing.exe").c_str());
    std::snprintf(u.target, sizeof u.target, "%s", (tree / "qrn.exe").c_str());
    for (int round = 0; round < 2; ++round) {
        u.pending = true;
        g_answer = 1;
        SendMessageA(main, WM_KEYDOWN, VK_RETURN, 0);
        EXPECT_FALSE(u.pending);
        if (round == 0) { TearDown(); SetUp(); }
    }
    SetPrompts(nullptr);
    EXPECT_EQ((std::vector<std::string>{"確認|QRN を更新しますか？", "確認|QRN を更新しますか？",
                                        "確認|コピー元のQRNの起動に失敗しました。"}),
              prompts.seen);
    EXPECT_TRUE(IsWindow(main));
}
