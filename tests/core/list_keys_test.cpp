// The list's key table, wrap rules, marks and mouse rules, and the command
// vocabulary's row tests.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "app/commands.h"
#include "listing/list_keys.h"

using namespace qrn;

namespace {

class Keys : public ::testing::Test {
protected:
    void SetUp() override {
        DefaultSettings(s);
        l = new Listing;
        ResetListing(*l);
        std::memset(drives, 'H', sizeof drives);
        drives[1] = 1;  // B: has no root
    }
    void TearDown() override { delete l; }

    // n plain files on pages of R rows and C columns, page 1 shown.
    void Make(int n, int R, int C) {
        l->table.EntryCount = n;
        l->table.MarkedCount = 0;
        l->table.MarkedBytes = 0;
        for (int i = 0; i < n; ++i) {
            FileEntry& e = l->table.rows[i];
            e = FileEntry{};
            std::snprintf(e.name, sizeof e.name, "f%04d.txt", i);
            e.attributes = kAttrArchive;
            e.size = 10;
        }
        l->RowsPerColumn = R;
        l->ColumnsPerPage = C;
        l->EntriesPerPage = R * C;
        l->PageCount = n / (R * C) + (n % (R * C) ? 1 : 0);
        Show(0);
    }
    void Show(int cursor) {
        l->PageNumber = cursor / l->EntriesPerPage + 1;
        l->TopIndex = (l->PageNumber - 1) * l->EntriesPerPage;
        l->LastOnPage = LastOfPage(*l);
        l->CursorIndex = cursor;
    }
    void Name(int i, const char* name, std::uint32_t attributes) {
        std::strcpy(l->table.rows[i].name, name);
        l->table.rows[i].attributes = attributes;
    }
    KeyResult Key(int key, bool shift = false, bool ctrl = false) {
        Modifiers m{shift, ctrl};
        int k = TranslateListKey(key, m);
        return ListKey(*l, s, k, m, drives);
    }
    // Cursor after key pressed at cursor.
    int After(int cursor, int key) {
        Show(cursor);
        Key(key);
        return l->CursorIndex;
    }
    Settings s;
    Listing* l;
    char drives[26];
};

}  // namespace

TEST_F(Keys, TranslationOfKeys) {
    Modifiers m{false, false};
    EXPECT_EQ(TranslateListKey(96, m), '0');
    EXPECT_EQ(TranslateListKey(105, m), '9');
    EXPECT_EQ(TranslateListKey(222, m), '^');
    EXPECT_EQ(TranslateListKey(220, m), '\\');
    m.shift = true;
    EXPECT_EQ(TranslateListKey(kKeyLeft, m), kKeyPrior);
    EXPECT_FALSE(m.shift);
    m.shift = true;
    EXPECT_EQ(TranslateListKey(kKeyRight, m), kKeyNext);
    EXPECT_FALSE(m.shift);
    EXPECT_EQ(TranslateListKey(kKeyUp, m), kKeyUp);
}

TEST_F(Keys, UpAndDownInBothScrollModes) {
    Make(30, 4, 3);  // pages of 12: 0-11, 12-23, 24-29
    s.ScrollMode = 0;
    EXPECT_EQ(After(5, kKeyDown), 6);
    EXPECT_EQ(After(11, kKeyDown), 0);   // wraps within the page
    EXPECT_EQ(After(0, kKeyUp), 11);
    EXPECT_EQ(After(29, kKeyDown), 24);  // last, partial page
    EXPECT_EQ(After(24, kKeyUp), 29);
    s.ScrollMode = 1;
    EXPECT_EQ(After(11, kKeyDown), 12);
    EXPECT_EQ(l->PageNumber, 2);
    EXPECT_EQ(l->TopIndex, 12);
    EXPECT_EQ(After(12, kKeyUp), 11);
    EXPECT_EQ(l->PageNumber, 1);
    EXPECT_EQ(After(0, kKeyUp), 0);      // nothing on page 1
    EXPECT_EQ(After(29, kKeyDown), 29);  // nothing on the last page
}

TEST_F(Keys, RightAndLeftWrapRules) {
    Make(10, 4, 3);  // columns 0-3, 4-7, 8-9
    s.ScrollMode = 0;
    EXPECT_EQ(After(1, kKeyRight), 5);
    EXPECT_EQ(After(5, kKeyRight), 9);
    EXPECT_EQ(After(6, kKeyRight), 3);   // no neighbour: first column, one row down
    EXPECT_EQ(After(7, kKeyRight), 0);   // from the last row: the top
    EXPECT_EQ(After(9, kKeyRight), 2);   // from the last entry: the row after its row
    EXPECT_EQ(After(8, kKeyRight), 1);
    EXPECT_EQ(After(5, kKeyLeft), 1);
    EXPECT_EQ(After(0, kKeyLeft), 7);    // last entry of the last full column
    EXPECT_EQ(After(1, kKeyLeft), 8);
    EXPECT_EQ(After(2, kKeyLeft), 9);
    EXPECT_EQ(After(3, kKeyLeft), 6);    // beyond the last: one column further left
    Make(3, 4, 3);                       // one column only
    EXPECT_EQ(After(0, kKeyLeft), 2);
    EXPECT_EQ(After(2, kKeyRight), 0);   // (2+1) mod 4 = 3 is beyond the last
    Make(8, 4, 3);                       // two full columns
    EXPECT_EQ(After(7, kKeyRight), 0);   // (7+1) mod 4 = 0
}

TEST_F(Keys, LeftAndRightTurnPagesInScrollMode1) {
    Make(30, 4, 3);
    s.ScrollMode = 1;
    EXPECT_EQ(After(13, kKeyLeft), 9);
    EXPECT_EQ(l->PageNumber, 1);
    EXPECT_EQ(After(9, kKeyRight), 13);
    EXPECT_EQ(l->PageNumber, 2);
    EXPECT_EQ(After(21, kKeyRight), 25);
    EXPECT_EQ(l->PageNumber, 3);
    EXPECT_EQ(After(23, kKeyRight), 27);
    EXPECT_EQ(After(1, kKeyLeft), 1);    // first page: nothing
    EXPECT_EQ(After(29, kKeyRight), 29); // last page: nothing
    EXPECT_EQ(After(26, kKeyRight), 26); // no neighbour on the last page: nothing
}

// Every key from every cursor position keeps the cursor on a real entry;
// scroll mode 0 never leaves the page.
TEST_F(Keys, CursorStaysOnRealEntriesEverywhere) {
    for (int mode = 0; mode < 2; ++mode) {
        s.ScrollMode = mode;
        for (int n : {1, 2, 3, 4, 5, 7, 12, 13, 25, 40}) {
            for (int R : {1, 2, 3, 4}) {
                for (int C : {1, 2, 3}) {
                    Make(n, R, C);
                    for (int start = 0; start < n; ++start) {
                        for (int key : {kKeyUp, kKeyDown, kKeyLeft, kKeyRight, kKeyPrior, kKeyNext}) {
                            Show(start);
                            const int page = l->PageNumber;
                            Key(key);
                            ASSERT_GE(l->CursorIndex, 0);
                            ASSERT_LT(l->CursorIndex, n);
                            ASSERT_GE(l->CursorIndex, l->TopIndex) << n << " " << R << " " << C << " " << start;
                            ASSERT_LE(l->CursorIndex, l->LastOnPage) << n << " " << R << " " << C << " " << start;
                            ASSERT_EQ(l->TopIndex, (l->PageNumber - 1) * l->EntriesPerPage);
                            if (mode == 0 && key != kKeyPrior && key != kKeyNext) ASSERT_EQ(l->PageNumber, page);
                        }
                    }
                }
            }
        }
    }
}

TEST_F(Keys, PageKeys) {
    Make(30, 4, 3);
    Show(5);
    KeyResult r = Key(kKeyPrior);
    EXPECT_EQ(r.redraw, kRedrawNone);  // nothing on page 1
    Key(kKeyNext);
    EXPECT_EQ(l->PageNumber, 2);
    EXPECT_EQ(l->CursorIndex, 12);
    Key(kKeyNext, true);  // Shift+Page Down: the last page
    EXPECT_EQ(l->PageNumber, 3);
    EXPECT_EQ(l->CursorIndex, 24);
    EXPECT_EQ(Key(kKeyNext).redraw, kRedrawNone);
    Key(kKeyPrior);
    EXPECT_EQ(l->CursorIndex, 12);
    Name(1, "..", kAttrDirectory);
    Show(25);
    Key(kKeyPrior, true);  // Shift+Page Up: page 1, on ".." when it is entry 1
    EXPECT_EQ(l->PageNumber, 1);
    EXPECT_EQ(l->CursorIndex, 1);
    Name(1, "x", kAttrArchive);
    Show(25);
    Key(kKeyPrior, true);
    EXPECT_EQ(l->CursorIndex, 0);
    // Shift+Left is Page Up, not Shift+Page Up.
    Show(25);
    Key(kKeyLeft, true);
    EXPECT_EQ(l->PageNumber, 2);
    EXPECT_EQ(l->CursorIndex, 12);
}

TEST_F(Keys, MarksWithSpaceAndHome) {
    Make(6, 10, 1);
    Name(0, ".", kAttrDirectory);
    Name(1, "..", kAttrDirectory);
    Name(2, "dir", kAttrDirectory);
    Show(1);
    KeyResult r = Key(' ');
    EXPECT_EQ(l->table.MarkedCount, 0);  // ".." is never marked
    EXPECT_EQ(l->CursorIndex, 2);        // but the cursor moves on
    EXPECT_EQ(r.redraw, kRedrawPage);
    Key(' ');
    Key(' ');
    EXPECT_EQ(l->table.MarkedCount, 2);
    EXPECT_EQ(l->table.MarkedBytes, 20u);
    Show(3);
    Key(' ');  // unmark
    EXPECT_EQ(l->table.MarkedCount, 1);
    Key(kKeyHome);  // something marked: clear
    EXPECT_EQ(l->table.MarkedCount, 0);
    Key(kKeyHome);  // files only
    EXPECT_EQ(l->table.MarkedCount, 3);
    EXPECT_EQ(l->table.rows[2].mark, 0);
    Key(kKeyHome);
    Key(kKeyHome, false, true);  // Ctrl+Home: directories too, never "." or ".."
    EXPECT_EQ(l->table.MarkedCount, 4);
    EXPECT_EQ(l->table.rows[2].mark, 1);
    EXPECT_EQ(l->table.rows[0].mark + l->table.rows[1].mark, 0);
    // The label row is never marked.
    Make(3, 10, 1);
    Name(0, "LABEL", kAttrLabel);
    Key(kKeyHome, false, true);
    EXPECT_EQ(l->table.MarkedCount, 2);
}

TEST_F(Keys, DrivesDisplayModesAndCase) {
    Make(5, 10, 1);
    KeyResult r = Key('1');
    EXPECT_EQ(r.action, kActDrive);
    EXPECT_EQ(r.arg, 0);
    r = Key('0');
    EXPECT_EQ(r.arg, 9);  // "0" is J
    r = Key(96 + 3);      // numeric-pad 3 is C
    EXPECT_EQ(r.arg, 2);
    EXPECT_EQ(Key('2').action, kActBeep);  // B: has no root
    s.DisplayMode = 0;
    Key('0', true);
    EXPECT_EQ(s.DisplayMode, -1);
    Key('1', true);
    EXPECT_EQ(s.DisplayMode, 3);
    Key('2', true);
    EXPECT_EQ(s.DisplayMode, 1);
    Key('4', true);
    EXPECT_EQ(s.DisplayMode, 0);
    EXPECT_EQ(Key('5', true).redraw, kRedrawNone);
    s.DisplayMode = 1;
    s.TwoColumnSwitch = 0;
    r = Key(222, true);  // Shift+"^"
    EXPECT_EQ(s.DisplayMode, 2);
    EXPECT_EQ(s.TwoColumnSwitch, 1);
    EXPECT_EQ(r.redraw, kRedrawWindow);
    s.DisplayMode = 3;
    Key(222, true);
    EXPECT_EQ(s.DisplayMode, 3);
    s.NameCase = 2;
    Key(222);
    EXPECT_EQ(s.NameCase, 3);
    Key(222);
    EXPECT_EQ(s.NameCase, 0);
}

TEST_F(Keys, HandOversToTheOpenOperation) {
    Make(5, 10, 1);
    EXPECT_EQ(Key(kKeyBack).action, kActNone);  // entry 0 is no ".."
    EXPECT_EQ(Key(220).action, kActNone);
    Name(0, "..", kAttrDirectory);
    KeyResult r = Key(kKeyBack);
    EXPECT_EQ(r.action, kActOpen);
    EXPECT_EQ(r.arg, kKeyBack);
    EXPECT_EQ(Key(220).arg, kKeyBackslash);
    r = Key(kKeyReturn);
    EXPECT_EQ(r.action, kActOpen);
    EXPECT_EQ(r.arg, kKeyReturn);
    Show(3);
    Key(' ');
    EXPECT_EQ(Key(kKeyReturn).action, kActOpenMarked);
    EXPECT_EQ(Key(kKeyE).action, kActNone);  // plain E is an accelerator
    EXPECT_EQ(Key(kKeyE, true).arg, kKeyE);
    EXPECT_EQ(Key(kKeyE, false, true).action, kActOpen);
    EXPECT_EQ(Key(188).arg, 1);
    EXPECT_EQ(Key(110).arg, 2);
    EXPECT_EQ(Key(191).arg, 3);
    EXPECT_EQ(Key(kKeyInsert).action, kActRememberedDir);
    EXPECT_EQ(Key(kKeyShift).redraw, kRedrawNone);
}

TEST_F(Keys, EmptyTableIgnoresMoves) {
    Make(0, 4, 1);
    const int keys[] = {kKeyUp, kKeyDown, kKeyLeft, kKeyRight, kKeyPrior, kKeyNext, ' ', kKeyHome, kKeyReturn};
    for (int key : keys) {
        KeyResult r = Key(key);
        EXPECT_EQ(r.redraw, kRedrawNone);
        EXPECT_EQ(r.action, kActNone);
    }
}

TEST_F(Keys, MouseHitsClicksAndDrops) {
    Make(10, 4, 3);
    l->Layout = 0;
    l->Pitch[0] = 15;
    // lh 16, cw 8: list top 68, pitch 120 pixels, x0 4.
    l->screen = ComputeScreenLayout(16, 8, 0, 600, 330);
    Hit h = HitTest(*l, 4 + 120 + 10, 68 + 16 * 2 + 3);
    EXPECT_EQ(h.area, kHitEntry);
    EXPECT_EQ(h.index, 6);
    EXPECT_EQ(HitTest(*l, 4 + 240 + 5, 68 + 16 * 3 + 1).area, kHitBehindLast);  // would be 11
    EXPECT_EQ(HitTest(*l, 100, 10).area, kHitInfoLines);
    EXPECT_TRUE(HitTest(*l, 100, 10).leftHalf);
    EXPECT_FALSE(HitTest(*l, 400, 10).leftHalf);
    EXPECT_EQ(HitTest(*l, 100, 335).area, kHitOutside);

    Hit on5{kHitEntry, 5, false}, on8{kHitEntry, 8, false}, on2{kHitEntry, 2, false};
    Show(1);
    Modifiers none, ctrl{false, true}, shift{true, false};
    ListClick(*l, s, on5, ctrl, false, drives);
    EXPECT_EQ(l->table.MarkedCount, 1);
    ListClick(*l, s, on5, ctrl, false, drives);  // Ctrl+click never unmarks
    EXPECT_EQ(l->table.MarkedCount, 1);
    ListClick(*l, s, on8, shift, false, drives);  // 5..8
    EXPECT_EQ(l->table.MarkedCount, 4);
    ListClick(*l, s, on2, shift, false, drives);  // 2..8: a second range never unmarks
    EXPECT_EQ(l->table.MarkedCount, 7);
    EXPECT_EQ(l->CursorIndex, 2);
    KeyResult r = ListClick(*l, s, on5, none, true, drives);
    EXPECT_EQ(r.action, kActOpenMarked);
    EXPECT_EQ(l->CursorIndex, 5);
    ListClick(*l, s, Hit{kHitBehindLast, -1, false}, none, false, drives);
    EXPECT_EQ(l->CursorIndex, 5);

    Make(30, 4, 3);
    ListClick(*l, s, Hit{kHitInfoLines, -1, false}, none, false, drives);
    EXPECT_EQ(l->PageNumber, 2);
    ListClick(*l, s, Hit{kHitInfoLines, -1, true}, none, false, drives);
    EXPECT_EQ(l->PageNumber, 1);

    Show(3);
    EXPECT_EQ(ListDropTarget(*l, on8), 8);
    EXPECT_EQ(ListDropTarget(*l, Hit{kHitBehindLast, -1, false}), 0);
    EXPECT_EQ(ListDropTarget(*l, Hit{kHitOutside, -1, false}), 3);
    EXPECT_EQ(l->CursorIndex, 3);
    EXPECT_EQ(ListContextMenu(*l, Hit{kHitInfoLines, -1, false}, r), 0);
    EXPECT_EQ(ListContextMenu(*l, on8, r), 1);
    EXPECT_EQ(l->CursorIndex, 8);
}

TEST(Commands, EntryQualifiesByKind) {
    EntryTable* t = new EntryTable{};
    auto set = [&](int i, const char* name, std::uint32_t a) {
        std::strcpy(t->rows[i].name, name);
        t->rows[i].attributes = a;
    };
    set(0, "..", kAttrDirectory);
    set(1, "file.txt", kAttrArchive);
    set(2, "LABEL", kAttrLabel);
    set(3, "dir", kAttrDirectory | kAttrHidden);
    t->EntryCount = 4;
    const bool expected[4][4] = {
        // kinds 0, 1, 2, 3
        {true, false, false, false},  // ".."
        {true, true, true, false},    // a plain file
        {true, false, false, true},   // the label row
        {true, false, true, true},    // a real directory
    };
    for (int row = 0; row < 4; ++row)
        for (int kind = 0; kind < 4; ++kind) EXPECT_EQ(EntryQualifies(*t, row, static_cast<RowKind>(kind)), expected[row][kind]) << row << kind;
    EXPECT_FALSE(EntryQualifies(*t, 9, RowKind::PlainFile));
    delete t;
}

TEST(Commands, PopupChoiceTooltipsAndToolbar) {
    EntryTable* t = new EntryTable{};
    auto set = [&](int i, const char* name, std::uint32_t a) {
        std::strcpy(t->rows[i].name, name);
        t->rows[i].attributes = a;
        t->rows[i].ext = ExtensionIndex(name);
    };
    set(0, "pack.lzh", kAttrArchive);
    set(1, "dir.ZIP", kAttrDirectory);
    set(2, "a.cab", kAttrArchive);
    set(3, "a.lzhx", kAttrArchive);
    t->EntryCount = 4;
    EXPECT_EQ(PopupSubmenu(1, *t, 0), 2);
    EXPECT_EQ(PopupSubmenu(1, *t, 1), 0);  // a directory gets the ordinary menu
    EXPECT_EQ(PopupSubmenu(1, *t, 2), 2);
    EXPECT_EQ(PopupSubmenu(1, *t, 3), 0);
    EXPECT_EQ(PopupSubmenu(0, *t, 0), 1);
    delete t;

    int acting = 0;
    for (int id = kFirstCommand; id <= kLastCommand; ++id) acting += CommandActsWhileDestination(id);
    EXPECT_EQ(acting, 5);
    EXPECT_TRUE(CommandActsWhileDestination(40051));
    EXPECT_FALSE(CommandActsWhileDestination(40010));  // C does nothing there
    EXPECT_FALSE(CommandActsWhileDestination(40011));  // nor D
    EXPECT_STREQ(TooltipText(40034), "終了(Q)");
    EXPECT_EQ(TooltipText(40035), nullptr);
    int separators = 0;
    std::set<int> commands;
    for (const ToolbarButton& b : kToolbar) {
        if (b.command == 0) ++separators;
        else commands.insert(b.command);
    }
    EXPECT_EQ(separators, 4);
    EXPECT_EQ(commands.size(), 17u);
    for (int c : commands) EXPECT_TRUE(c >= kFirstCommand && c <= kLastCommand);
}
