// The commands over a list of rows where the system's answers matter: real
// trees, the directory links made on the Linux side; the error list.
#include <gtest/gtest.h>

#include "fileops/fileops_texts.h"
#include "fileops/operation_ui_win32.h"
#include "fileops/transfer.h"
#include "listing/list_view.h"
#include "resources/resource_ids.h"
#include "fileops_support.h"

using namespace qrn;
using namespace qrntest;

namespace {

// Mirror copy where the system's answers matter: 64-bit sizes, links.
struct Mirror : Ops {
    TempTree s, t;
    TempFileErrorLog log;  // the program's own
    TransferResult Run(const std::string& from, const std::string& to, const char* row = "D") {
        Listing& l = ListOf(fs, from);
        for (int i = 0; i < l.table.EntryCount; ++i)
            if (std::string(l.table.rows[i].name) == row) l.CursorIndex = i;
        return MirrorCopyCommand(l, Into(l, to.c_str()), fs, *this, log);
    }
};

TEST_F(Mirror, ComparesTheWholeSize) {
    // Sizes that differ only above 4 GiB, with the same time: a copy.
    for (const TempTree* x : {&s, &t}) {
        x->Dir("D");
        x->File("D\\same.txt", "same");
        if (x == &t) std::filesystem::resize_file(t / "D\\same.txt", (1ull << 32) + 4);  // "same" is 4 bytes
        ASSERT_TRUE(fs.SetTimes(*x / "D\\same.txt", {0, 133000000000000000ull, 0}));
        ASSERT_EQ(133000000000000000ull, fs.Stat(*x / "D\\same.txt").writeTime);
    }
    Run(s.Path(), t.Path());
    ASSERT_EQ(4u, fs.Stat(t / "D\\same.txt").size);
    EXPECT_EQ("same", Slurp(t / "D\\same.txt"));
}

// Links in the target are never entered by either pass, nor deleted through:
// they are listed with the failures.
TEST_F(Mirror, ALinkInTheTargetIsNeverEnteredNorDeletedThrough) {
    const std::string links = MappedDrive("LINKS");
    for (const std::string dir : {"", "fl\\"}) {
        errorLists.clear();
        Run(links + dir + "msrc\\", links + dir + "mdst\\", "m");
        EXPECT_EQ((Strings{"k", "o"}), (Strings{Slurp(links + "outside\\keep.txt"), Slurp(links + "fl\\out\\o.txt")}));
        ASSERT_EQ(1u, errorLists.size());
        EXPECT_EQ(links + dir + "mdst\\m\\" + (dir.empty() ? "out" : "only.lnk") + "\r\n", errorLists[0].substr(errorLists[0].find('|') + 1));
    }
    EXPECT_FALSE(Exists(links + "mdst\\m\\extra.txt"));
    EXPECT_FALSE(Exists(links + "outside\\new.txt"));
}

TEST(ErrorList, ShowsTheLogSortedOrTellsItCannotBeRead) {
    TempTree t;
    t.File("log.txt", "C:\\b\nC:\\a\n");
    const struct { std::string name; Strings items; } cases[] = {
        {t / "log.txt", {"C:\\a", "C:\\b"}}, {t / "missing.txt", {kErrorListUnreadable}}};
    for (const auto& c : cases) {
        Win32OperationUi ui(nullptr, GetModuleHandleA(nullptr), nullptr, nullptr);
        Strings items;
        DialogScript script({[&](HWND d) {
            EXPECT_EQ(kErrorListHeading, Text(d, IDC_ERRLOG_TEXT));
            EXPECT_EQ("エラーリスト", Text(d));
            HWND list = GetDlgItem(d, IDC_ERRLOG_LIST);
            for (int i = 0; i < SendMessageA(list, LB_GETCOUNT, 0, 0); ++i) {
                char item[MAX_PATH] = "";
                SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(item));
                items.push_back(item);
            }
            Click(d, IDOK);
        }});
        ui.ShowErrorList(c.name.c_str());
        EXPECT_TRUE(script.Done());
        EXPECT_EQ(c.items, items);
    }
}

}  // namespace
