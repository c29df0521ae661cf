// The main window: while the destination window is open, keys, clicks and
// its few commands go to that window's handler and everything else waits;
// closing it gives the main window back its cursor, its refresh and its voice.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "app/main_window_win32.h"
#include "base/speech.h"
#include "resources/resource_ids.h"
#include "support.h"

using namespace qrn;

namespace {

struct Seen {
    UINT message;
    int key;
    POINT at;
};
std::vector<Seen> g_seen;
std::vector<int> g_answers;  // what the handler answers, one per call (then 0)
std::vector<PendingOp> g_ran;
bool g_hiddenWhileRunning = false;

int Handler(HWND, UINT message, int key, POINT at) {
    g_seen.push_back({message, key, at});
    if (g_answers.empty()) return 0;
    const int answer = g_answers.front();
    g_answers.erase(g_answers.begin());
    return answer;
}

void RunPending(HWND, PendingOp operation) {
    g_ran.push_back(operation);
    g_hiddenWhileRunning = !(GetWindowLongA(g_window.Destination, GWL_STYLE) & WS_VISIBLE);
}

struct RecordingSpeech : SpeechPlatform {
    std::vector<std::string> said;
    bool ReaderWindowExists() override { return false; }
    bool LoadEngine(int) override { return true; }
    int Call(int, char* text, int) override {
        said.push_back(text);
        return 1;
    }
};

// Both windows stay off the display: the main one is painted by sending it
// WM_PAINT, and the destination window is a child of it.
struct DestinationRouting : ::testing::Test {
    void SetUp() override {
        g_window = MainWindowState{};
        g_window.Instance = GetModuleHandleA(nullptr);
        DefaultSettings(g_settings);
        ResetListing(g_listing);
        g_seen.clear();
        g_answers.clear();
        g_ran.clear();
        g_hiddenWhileRunning = false;
        ResetSpeech();
        SetSpeechPlatform(&speech);
        tree.File("one.txt");
        tree.File("two.txt");
        std::snprintf(g_listing.CurrentDir, sizeof g_listing.CurrentDir, "%s", tree.Path().c_str());
        for (int i = 0; i < 10; ++i) {
            std::snprintf(g_listing.table.rows[i].name, sizeof g_listing.table.rows[i].name, "f%d.txt", i);
            g_listing.table.rows[i].attributes = kAttrArchive;
        }
        g_listing.table.EntryCount = 10;
        g_listing.CursorIndex = 4;

        static const ATOM registered = [] {
            WNDCLASSA wc{};
            wc.lpfnWndProc = MainWindowProc;
            wc.hInstance = GetModuleHandleA(nullptr);
            wc.lpszClassName = "QRN test main";
            return RegisterClassA(&wc);
        }();
        ASSERT_NE(0, registered);
        // Made while another handle stands for the main window, so that its creation reads nothing.
        g_window.Main = GetDesktopWindow();
        main = CreateWindowExA(0, "QRN test main", "main", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr,
                               g_window.Instance, nullptr);
        ASSERT_NE(nullptr, main);
        g_window.Main = main;
        SendMessageA(main, WM_PAINT, 0, 0);  // the list takes keys once a paint has laid it out
        ASSERT_TRUE(g_listing.screenValid);
        dest = CreateWindowExA(0, "STATIC", "dest", WS_CHILD | WS_VISIBLE, 0, 0, 200, 150, main, nullptr,
                               g_window.Instance, nullptr);
        ASSERT_NE(nullptr, dest);
        AttachDestination(dest);
        g_window.DestinationActive = true;
        g_window.PendingOperation = PendingOp::Move;
        g_window.SavedCursor = 7;
        g_window.DestinationHooks.Key = Handler;
        g_window.DestinationHooks.RunPending = RunPending;
    }
    void TearDown() override {
        if (IsWindow(dest)) DestroyWindow(dest);
        g_window.Main = nullptr;  // no saving on exit in a test
        if (IsWindow(main)) DestroyWindow(main);
        if (g_listing.ChangeWatch) FindCloseChangeNotification(static_cast<HANDLE>(g_listing.ChangeWatch));
        g_listing.ChangeWatch = nullptr;
        if (g_window.ListFont) DeleteObject(g_window.ListFont);
        SetSpeechPlatform(nullptr);
        ResetSpeech();
        g_window = MainWindowState{};
    }
    void ExpectClosedAndRestored() {
        EXPECT_FALSE(IsWindow(dest));
        EXPECT_EQ(nullptr, g_window.Destination);
        EXPECT_FALSE(g_window.DestinationActive);
        EXPECT_EQ(PendingOp::None, g_window.PendingOperation);
        EXPECT_EQ(7, g_listing.CursorIndex);  // where it was when the command began
    }
    qrntest::TempTree tree;
    RecordingSpeech speech;
    HWND main = nullptr, dest = nullptr;
};

}  // namespace

TEST_F(DestinationRouting, KeysAndClicksGoToItsHandlerNotToTheList) {
    SendMessageA(main, WM_KEYDOWN, VK_DOWN, 0);
    SendMessageA(main, WM_LBUTTONDOWN, 0, MAKELPARAM(33, 44));
    SendMessageA(main, WM_LBUTTONDBLCLK, 0, MAKELPARAM(5, 6));
    ASSERT_EQ(3u, g_seen.size());
    EXPECT_EQ(static_cast<UINT>(WM_KEYDOWN), g_seen[0].message);
    EXPECT_EQ(VK_DOWN, g_seen[0].key);
    EXPECT_EQ(static_cast<UINT>(WM_LBUTTONDOWN), g_seen[1].message);
    EXPECT_EQ(33, g_seen[1].at.x);
    EXPECT_EQ(44, g_seen[1].at.y);
    EXPECT_EQ(static_cast<UINT>(WM_LBUTTONDBLCLK), g_seen[2].message);
    EXPECT_EQ(5, g_seen[2].at.x);
    EXPECT_EQ(4, g_listing.CursorIndex);  // the list did not move
    EXPECT_TRUE(IsWindow(dest));          // answers of 0 leave it open
    EXPECT_TRUE(g_window.DestinationActive);
}

TEST_F(DestinationRouting, OnlyItsCommandsActAndTheyActThere) {
    for (int id : {CMD_NEXT_PAGE, CMD_MARK, CMD_QUIT}) SendMessageA(main, WM_COMMAND, id, 0);
    EXPECT_TRUE(IsWindow(main));
    EXPECT_EQ(4, g_listing.CursorIndex);
    EXPECT_EQ(0, g_listing.table.MarkedCount);
    EXPECT_TRUE(g_seen.empty());
    SendMessageA(main, WM_COMMAND, CMD_MKDIR, 0);
    SendMessageA(main, WM_COMMAND, CMD_TAB, 0);
    ASSERT_EQ(2u, g_seen.size());
    EXPECT_EQ('K', g_seen[0].key);
    EXPECT_EQ(VK_TAB, g_seen[1].key);
    EXPECT_TRUE(IsWindow(dest));
    SendMessageA(main, WM_COMMAND, CMD_ESCAPE, 0);  // closes it
    ExpectClosedAndRestored();
    EXPECT_TRUE(g_ran.empty());
    SendMessageA(main, WM_COMMAND, CMD_MARK, 0);  // the main window is itself again
    EXPECT_EQ(1, g_listing.table.MarkedCount);
}

TEST_F(DestinationRouting, CancelClosesItAndConfirmRunsTheOperationHiddenFirst) {
    for (int answer : {-1, 1}) {
        if (answer == 1) SetUp();
        g_answers = {answer};
        SendMessageA(main, WM_KEYDOWN, answer == 1 ? VK_RETURN : VK_ESCAPE, 0);
        ExpectClosedAndRestored();
        EXPECT_EQ(answer == 1 ? std::vector<PendingOp>{PendingOp::Move} : std::vector<PendingOp>{}, g_ran);
        EXPECT_EQ(answer == 1, g_hiddenWhileRunning);
        if (answer == -1) TearDown();
    }
}

TEST_F(DestinationRouting, ARefreshWaitsUntilItHasClosed) {
    g_window.RefreshPending = true;
    SendMessageA(main, WM_COMMAND, CMD_NEXT_PAGE, 0);
    SendMessageA(main, WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_TRUE(g_window.RefreshPending);
    EXPECT_EQ(10, g_listing.table.EntryCount);  // not read again yet
    g_answers = {-1};
    SendMessageA(main, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_FALSE(g_window.DestinationActive);
    EXPECT_FALSE(g_window.RefreshPending);
    std::vector<std::string> names;  // now read: the directory instead of the ten rows
    for (int i = 0; i < g_listing.table.EntryCount; ++i) names.push_back(g_listing.table.rows[i].name);
    std::sort(names.begin(), names.end());
    EXPECT_EQ((std::vector<std::string>{".", "..", "one.txt", "two.txt"}), names);
}

TEST_F(DestinationRouting, WithoutAHandlerNothingHappens) {
    g_window.DestinationHooks = DestinationHandlers{};
    SendMessageA(main, WM_KEYDOWN, VK_RETURN, 0);
    SendMessageA(main, WM_COMMAND, CMD_MKDIR, 0);
    EXPECT_TRUE(IsWindow(dest));
    EXPECT_TRUE(g_window.DestinationActive);
    EXPECT_EQ(4, g_listing.CursorIndex);
}

TEST_F(DestinationRouting, TheCursorRowIsSpokenAfterPaintingOnlyWithoutADestination) {
    speech.said.clear();
    SendMessageA(main, WM_PAINT, 0, 0);
    EXPECT_TRUE(speech.said.empty());
    g_answers = {-1};
    SendMessageA(main, WM_KEYDOWN, VK_ESCAPE, 0);
    g_listing.speaks = false;
    SendMessageA(main, WM_PAINT, 0, 0);
    EXPECT_TRUE(speech.said.empty());
    g_listing.speaks = true;
    SendMessageA(main, WM_PAINT, 0, 0);
    char row7[kSpeechTextSize];
    CursorRowSpeech(g_listing, g_settings, PlatformLower, PlatformUpper, row7, sizeof row7);
    EXPECT_NE(nullptr, std::strchr(row7, '7'));
    EXPECT_EQ(std::vector<std::string>{row7}, speech.said);
}
