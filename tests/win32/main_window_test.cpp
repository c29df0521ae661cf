// The main window while the destination window is open: keys, clicks and
// commands go to that window's handler, everything else waits or is ignored,
// and closing it gives the main window back its cursor and its refresh.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "app/main_window_win32.h"
#include "base/entry_table.h"
#include "listing/list_paint_win32.h"
#include "temp_tree.h"

namespace {

using qrn::g_listing;
using qrn::g_window;

struct Seen {
    UINT message;
    int key;
    POINT at;
};
std::vector<Seen> g_seen;
std::vector<int> g_answers;      // what the handler answers, one per call (then 0)
std::vector<int> g_ran;          // operations run on confirmation
bool g_hiddenWhileRunning = false;

int Key(HWND, UINT message, int key, POINT at) {
    g_seen.push_back({message, key, at});
    if (g_answers.empty()) return 0;
    const int answer = g_answers.front();
    g_answers.erase(g_answers.begin());
    return answer;
}

void RunPending(HWND, int operation) {
    g_ran.push_back(operation);
    g_hiddenWhileRunning = g_window.Destination && !IsWindowVisible(g_window.Destination);
}

const char* WindowClass() {
    static bool registered = false;
    if (!registered) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = qrn::MainWindowProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "QRN test main";
        RegisterClassA(&wc);
        registered = true;
    }
    return "QRN test main";
}

struct DestinationRouting : ::testing::Test {
    qrntest::TempTree tree;
    HWND main = nullptr;
    HWND dest = nullptr;

    void SetUp() override {
        g_window = qrn::MainWindowState{};
        qrn::ResetListing(g_listing);
        g_seen.clear();
        g_answers.clear();
        g_ran.clear();
        g_hiddenWhileRunning = false;
        tree.File("one.txt");
        tree.File("two.txt");
        std::snprintf(g_listing.CurrentDir, sizeof g_listing.CurrentDir, "%s", tree.Path().c_str());
        for (int i = 0; i < 10; ++i) {
            std::snprintf(g_listing.table.rows[i].name, sizeof g_listing.table.rows[i].name, "f%d.txt", i);
            g_listing.table.rows[i].attributes = 0x20;
        }
        g_listing.table.EntryCount = 10;
        g_listing.CursorIndex = 4;

        // Both windows are of the main window's class; the main one is made
        // while another handle stands in, so that its creation reads nothing.
        g_window.Main = GetDesktopWindow();
        main = CreateWindowExA(0, WindowClass(), "main", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr,
                               nullptr, GetModuleHandleA(nullptr), nullptr);
        g_window.Main = main;
        // The list takes keys only once it has been laid out by a paint.
        ShowWindow(main, SW_SHOWNOACTIVATE);
        UpdateWindow(main);
        ASSERT_TRUE(qrn::g_paint.valid);
        dest = CreateWindowExA(0, WindowClass(), "dest", WS_POPUP | WS_VISIBLE, 0, 0, 200, 150, main, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(main, nullptr);
        ASSERT_NE(dest, nullptr);
        g_window.Destination = dest;
        g_window.DestinationActive = true;
        g_window.PendingOperation = 2;
        g_window.SavedCursor = 7;
        g_window.DestinationHooks.Key = Key;
        g_window.DestinationHooks.RunPending = RunPending;
    }

    void TearDown() override {
        if (IsWindow(dest)) DestroyWindow(dest);
        g_window.Main = nullptr;  // no saving on exit in a test
        if (IsWindow(main)) DestroyWindow(main);
        if (g_listing.ChangeWatch) FindCloseChangeNotification(static_cast<HANDLE>(g_listing.ChangeWatch));
        g_listing.ChangeWatch = nullptr;
        MSG m;
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
        }
        g_window = qrn::MainWindowState{};
    }

    void ExpectClosedAndRestored() {
        EXPECT_FALSE(IsWindow(dest));
        EXPECT_EQ(g_window.Destination, nullptr);
        EXPECT_FALSE(g_window.DestinationActive);
        EXPECT_EQ(g_window.PendingOperation, 0);
        EXPECT_EQ(g_listing.CursorIndex, 7);  // where it was when the command began
    }
};

TEST_F(DestinationRouting, KeysAndClicksGoToItsHandlerNotToTheList) {
    SendMessageA(main, WM_KEYDOWN, VK_DOWN, 0);
    SendMessageA(main, WM_LBUTTONDOWN, 0, MAKELPARAM(33, 44));
    SendMessageA(main, WM_LBUTTONDBLCLK, 0, MAKELPARAM(5, 6));
    ASSERT_EQ(g_seen.size(), 3u);
    EXPECT_EQ(g_seen[0].message, static_cast<UINT>(WM_KEYDOWN));
    EXPECT_EQ(g_seen[0].key, VK_DOWN);
    EXPECT_EQ(g_seen[1].message, static_cast<UINT>(WM_LBUTTONDOWN));
    EXPECT_EQ(g_seen[1].at.x, 33);
    EXPECT_EQ(g_seen[1].at.y, 44);
    EXPECT_EQ(g_seen[2].message, static_cast<UINT>(WM_LBUTTONDBLCLK));
    EXPECT_EQ(g_seen[2].at.x, 5);
    EXPECT_EQ(g_listing.CursorIndex, 4);  // the list did not move
    EXPECT_TRUE(IsWindow(dest));          // answers of 0 leave it open
    EXPECT_TRUE(g_window.DestinationActive);
}

TEST_F(DestinationRouting, OnlyItsCommandsActAndTheyActThere) {
    SendMessageA(main, WM_COMMAND, 40015, 0);  // next page
    SendMessageA(main, WM_COMMAND, 40027, 0);  // mark the cursor entry
    SendMessageA(main, WM_COMMAND, 40034, 0);  // quit
    EXPECT_TRUE(IsWindow(main));
    EXPECT_EQ(g_listing.CursorIndex, 4);
    EXPECT_EQ(g_listing.table.MarkedCount, 0);
    EXPECT_TRUE(g_seen.empty());

    SendMessageA(main, WM_COMMAND, 40030, 0);  // make directory: K
    SendMessageA(main, WM_COMMAND, 40045, 0);  // all files: Tab
    ASSERT_EQ(g_seen.size(), 2u);
    EXPECT_EQ(g_seen[0].key, 'K');
    EXPECT_EQ(g_seen[1].key, VK_TAB);
    EXPECT_TRUE(IsWindow(dest));

    SendMessageA(main, WM_COMMAND, 40051, 0);  // close it
    ExpectClosedAndRestored();
    EXPECT_TRUE(g_ran.empty());
    // The main window is itself again: a command acts.
    SendMessageA(main, WM_COMMAND, 40027, 0);
    EXPECT_EQ(g_listing.table.MarkedCount, 1);
}

TEST_F(DestinationRouting, CancelClosesItWithoutRunningTheOperation) {
    g_answers = {-1};
    SendMessageA(main, WM_KEYDOWN, VK_ESCAPE, 0);
    ExpectClosedAndRestored();
    EXPECT_TRUE(g_ran.empty());
}

TEST_F(DestinationRouting, ConfirmRunsThePendingOperationHiddenThenCloses) {
    g_answers = {1};
    SendMessageA(main, WM_KEYDOWN, VK_RETURN, 0);
    ASSERT_EQ(g_ran.size(), 1u);
    EXPECT_EQ(g_ran[0], 2);
    EXPECT_TRUE(g_hiddenWhileRunning);
    ExpectClosedAndRestored();
}

TEST_F(DestinationRouting, ARefreshWaitsUntilItHasClosed) {
    g_window.RefreshPending = true;
    SendMessageA(main, WM_COMMAND, 40015, 0);
    SendMessageA(main, WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_TRUE(g_window.RefreshPending);
    EXPECT_EQ(g_listing.table.EntryCount, 10);  // not read again yet

    g_answers = {-1};
    SendMessageA(main, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_FALSE(g_window.DestinationActive);
    EXPECT_FALSE(g_window.RefreshPending);
    // Now read: the directory's two files instead of the ten rows.
    int files = 0;
    for (int i = 0; i < g_listing.table.EntryCount; ++i) {
        const char* name = g_listing.table.rows[i].name;
        EXPECT_NE(std::strncmp(name, "f", 1), 0) << name;
        files += std::strcmp(name, "ONE.TXT") == 0 || std::strcmp(name, "one.txt") == 0 ||
                 std::strcmp(name, "two.txt") == 0 || std::strcmp(name, "TWO.TXT") == 0;
    }
    EXPECT_EQ(files, 2);
}

TEST_F(DestinationRouting, WithoutAHandlerNothingHappens) {
    g_window.DestinationHooks = qrn::DestinationHandlers{};
    SendMessageA(main, WM_KEYDOWN, VK_RETURN, 0);
    SendMessageA(main, WM_COMMAND, 40030, 0);
    EXPECT_TRUE(IsWindow(dest));
    EXPECT_TRUE(g_window.DestinationActive);
    EXPECT_EQ(g_listing.CursorIndex, 4);
}

}  // namespace
