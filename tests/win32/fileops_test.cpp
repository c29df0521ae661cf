// The copy engine and the recursive delete where the system's own answers
// matter: real trees, the mapped drives (a second letter onto the plain drive's
// folder, directory links made on the Linux side), short names; the dialogs.
#include <gtest/gtest.h>

#include <fstream>

#include "fileops/fileops_texts.h"
#include "fileops/in_place.h"
#include "fileops/operation_ui_win32.h"
#include "resources/resource_ids.h"
#include "fileops_support.h"

using namespace qrn;
using namespace qrntest;

namespace {

// The same file through another path: the policy is asked as for any target,
// but nothing but another name copies, and the file is not touched.
TEST_F(Ops, ACopyOntoItselfThroughAnotherPathChangesNothing) {
    const std::string plain = MappedDrive("PLAIN"), alias = MappedDrive("ALIAS"), links = MappedDrive("LINKS");
    const std::string dir = plain + "same-file-" + std::to_string(GetCurrentProcessId());
    const std::string longDir = dir + "\\A long directory name\\";
    std::filesystem::create_directories(longDir);
    std::ofstream(longDir + "f.txt") << "mine";
    std::ofstream(links + "tree\\f.txt") << "mine";
    char shortDir[MAX_PATH] = "";
    GetShortPathNameA(longDir.c_str(), shortDir, sizeof shortDir);
    std::string upper = longDir;
    CharUpperA(upper.data());
    const struct { const char* what; std::string from, to; } cases[] = {
        {"letter case", longDir, upper}, {"a short name", longDir, shortDir},
        {"a second drive letter", longDir, alias + longDir.substr(3)},
        {"a directory link", links + "tree\\", links + "tree\\sub\\up\\"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_NE(c.from, c.to);
        const FileStat before = fs.Stat(c.from + "f.txt");
        asked = 0;
        CopyJob job = Job();
        EXPECT_EQ(1, CopyEntry(job, c.from, c.to, "f.txt", FILE_ATTRIBUTE_ARCHIVE, false, ""));
        EXPECT_EQ(1, asked);
        EXPECT_EQ("mine", Slurp(c.from + "f.txt"));
        EXPECT_EQ(before.writeTime, fs.Stat(c.from + "f.txt").writeTime);
    }
    EXPECT_EQ((Strings{"f.txt"}), Names(longDir));  // no temporary file left
    EXPECT_EQ((Strings{"a.txt", "f.txt", "out", "sub"}), Names(links + "tree"));
    DeleteFileA((links + "tree\\f.txt").c_str());
    std::filesystem::remove_all(dir);
}

// A directory is never copied into itself or below itself, whatever path names the target.
TEST_F(Ops, ADirectoryIsNeverCopiedIntoItself) {
    const std::string plain = MappedDrive("PLAIN"), alias = MappedDrive("ALIAS"), links = MappedDrive("LINKS");
    const std::string base = "into-" + std::to_string(GetCurrentProcessId());
    const std::string d = plain + base + "\\D";
    std::filesystem::create_directories(d + "\\sub");
    std::ofstream(d + "\\f.txt") << "f";
    const struct { const char* what; std::string source, target; bool refused; } cases[] = {
        {"its subdirectory through a second drive letter", plain + base + "\\", alias + base + "\\D\\sub\\", true},
        {"itself through a directory link", links, links + "tree\\sub\\up\\", true},
        {"a sibling", plain + base + "\\", plain + base + "\\copy\\", false}};
    std::filesystem::create_directories(plain + base + "\\copy");
    for (const bool unresolved : {false, true})
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.what) + (unresolved ? ", paths unresolved" : ""));
        fs.unresolved = unresolved;
        std::filesystem::remove_all(plain + base + "\\copy\\D");
        const std::string name = c.source == links ? "tree" : "D", target = c.target;
        prompts.messages.clear();
        CopyJob job = Job();
        EXPECT_EQ(c.refused ? 0 : 1, CopyEntry(job, c.source, target, name, FILE_ATTRIBUTE_DIRECTORY, false, ""));
        if (c.refused) {
            ASSERT_EQ(1u, prompts.messages.size());
            EXPECT_EQ(Told(kErrorTitle, c.source + name + kIntoItself), prompts.messages[0]);
            EXPECT_FALSE(Exists(target + name));  // nothing was made
        } else {
            EXPECT_EQ("f", Slurp(target + "D\\f.txt"));
        }
    }
    std::filesystem::remove_all(plain + base);
}

// Links: a copy does not follow one back up its own tree or to its parent,
// but follows one out of it; a delete removes the link itself and never what it points to.
TEST_F(Ops, DirectoryLinksAreNotFollowedBackNorEnteredByDelete) {
    const std::string links = MappedDrive("LINKS");
    for (const bool unflagged : {false, true}) {
        SCOPED_TRACE(unflagged ? "links not flagged" : "links flagged");
        fs.unflagged = unflagged;
        TempTree t;
        CopyJob job = Job();
        EXPECT_EQ(1, CopyEntry(job, links, t.Path(), "tree", FILE_ATTRIBUTE_DIRECTORY, false, ""));
        EXPECT_EQ("a", Slurp(t / "tree\\a.txt"));
        EXPECT_EQ("k", Slurp(t / "tree\\out\\keep.txt"));
        EXPECT_TRUE(Exists(t / "tree\\sub"));
        EXPECT_FALSE(Exists(t / "tree\\sub\\up\\a.txt"));
        EXPECT_TRUE(prompts.messages.empty());
    }
    fs.unflagged = false;
    // Nor one to the parent of the tree, into the copy being made there.
    CopyJob up = Job();
    EXPECT_EQ(1, CopyEntry(up, links + "p\\", links + "p\\bak\\", "t", FILE_ATTRIBUTE_DIRECTORY, false, ""));
    EXPECT_EQ((Strings{"x.txt"}), Names(links + "p\\bak\\t"));
    // Wine 8 cannot remove a directory link made on the Linux side without
    // reaching through it (it removes the directory it points to, when
    // empty): the delete then leaves the link and tells it, and what it points
    // to stays whole either way.
    const int deleted = DeleteTree(fs, *this, links + "deltree", fs.Stat(links + "deltree").attributes);
    EXPECT_FALSE(Exists(links + "deltree\\inner.txt"));
    EXPECT_EQ("k", Slurp(links + "outside\\keep.txt"));
    if (deleted) {
        EXPECT_FALSE(Exists(links + "deltree"));
        EXPECT_TRUE(prompts.messages.empty());
    } else {
        EXPECT_TRUE(fs.IsLink(links + "deltree\\out", fs.Stat(links + "deltree\\out").attributes));
        EXPECT_EQ((Strings{Told(kRowErrorTitle, LinksLeftText(links + "deltree", {links + "deltree\\out"}))}), prompts.messages);
    }
}

// The status dialog stops the command by Cancel, Enter or Escape and goes
// away by itself; the duplicate dialog starts on its first choice.
TEST(OperationDialogs, TheStatusDialogStopsByCancelEnterOrEscape) {
    for (const auto& [message, key] : {std::pair<UINT, WPARAM>{WM_COMMAND, IDCANCEL}, {WM_KEYDOWN, VK_RETURN},
                                       {WM_KEYDOWN, VK_ESCAPE}}) {
        SCOPED_TRACE(key);
        Win32OperationUi ui(nullptr, GetModuleHandleA(nullptr), {}, {});
        ui.OpenStatus("File Copy");
        HWND status = ui.StatusWindow();
        ASSERT_NE(nullptr, status);
        EXPECT_EQ("File Copy", Text(status));
        ui.Progress("a\r\n   v v v\r\nb");
        EXPECT_EQ("a\r\n   v v v\r\nb", Text(status, IDC_STATUS_TEXT));
        MSG m;
        while (PeekMessageA(&m, status, 0, 0, PM_REMOVE)) DispatchMessageA(&m);  // what opening queued
        PostMessageA(status, message, key, 0);  // Enter: the hidden default button OK
        for (int i = 0; i < 10 && !ui.CancelRequested(); ++i) ui.Poll();
        EXPECT_TRUE(ui.CancelRequested());
        EXPECT_FALSE(IsWindow(status));
        ui.CloseStatus();  // harmless now
    }
}

TEST(OperationDialogs, DuplicateDialogAndErrorLog) {
    Win32OperationUi ui(nullptr, GetModuleHandleA(nullptr), {}, {});
    const struct { std::vector<int> clicks; DuplicatePolicy policy; } cases[] = {
        {{IDOK}, DuplicatePolicy::CopyNewer}, {{IDC_DUPLICATE_SKIP, IDC_DUPLICATE_RENAME, IDOK}, DuplicatePolicy::Rename},
        {{IDC_DUPLICATE_OVERWRITE, IDCANCEL}, DuplicatePolicy::NotChosen}};
    for (const auto& c : cases) {
        DialogScript script({[&](HWND d) {
            EXPECT_EQ("同名ファイルの処理方法", Text(d));
            EXPECT_TRUE(IsDlgButtonChecked(d, IDC_DUPLICATE_NEWER));
            for (int id : c.clicks) Click(d, id);
        }});
        EXPECT_EQ(c.policy, ui.AskDuplicate());
        EXPECT_TRUE(script.Done());
    }
    TempFileErrorLog log;
    char name[kPathSize] = "";
    EXPECT_TRUE(log.Append(nullptr, "C:\\ソ\\a", 0, name));
    EXPECT_TRUE(log.Append(nullptr, "C:\\b", 1, name));
    EXPECT_TRUE(log.Append(nullptr, "", -1, name));
    std::string upper = name;
    CharUpperA(upper.data());
    EXPECT_EQ(upper, name);
    EXPECT_NE(std::string::npos, std::string(name).find("\\QRN"));
    EXPECT_EQ("C:\\ソ\\a\r\nC:\\b\r\n", Slurp(name));
    DeleteFileA(name);
}

}  // namespace
