// The copy engine and the recursive delete against real trees, the mapped
// drives (a second letter onto the plain drive's folder, directory links made
// on the Linux side) and a file system with faults injected where Wine cannot
// produce them: a full disk at the n-th write, a source held by another
// program, Cancel in the middle of a file.
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

// Replacing an existing target: it stays as it was until its replacement is
// whole; a failed or cancelled copy leaves it, and no temporary file.
TEST_F(Ops, AnExistingTargetSurvivesUntilItsReplacementIsWhole) {
    const struct { const char* what; std::size_t size; int failWrite; bool held; int cancelAtPoll; bool exists, readOnly, ok; } cases[] = {
        {"whole", 300000, 0, false, 0, true, false, true},
        {"over a read-only target", 300000, 0, false, 0, true, true, true},
        {"a full disk at the second write", 300000, 2, false, 0, true, false, false},
        {"a source held by another program", 300000, 0, true, 0, true, false, false},
        {"Cancel in the middle of a large file", 9 << 20, 0, false, 3, true, false, false},
        {"a full disk, no target before", 300000, 2, false, 0, false, false, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempTree src, dst;
        src.File("f.dat", std::string(c.size, 'n'), FILE_ATTRIBUTE_READONLY);
        if (c.exists) dst.File("f.dat", "old", c.readOnly ? FILE_ATTRIBUTE_READONLY : 0);
        fs.failWrite = c.failWrite;
        fs.writes = 0;
        fs.held = {c.held ? src / "f.dat" : ""};
        cancel = false, polls = 0, cancelAtPoll = c.cancelAtPoll;
        CopyJob job = Job();
        EXPECT_EQ(c.ok ? 1 : 0, CopyEntry(job, src.Path(), dst.Path(), "f.dat", FILE_ATTRIBUTE_ARCHIVE, false, ""));
        EXPECT_EQ(c.exists || c.ok ? Strings{"f.dat"} : Strings{}, Names(dst.Path()));
        if (c.ok) {
            EXPECT_EQ(std::string(c.size, 'n'), Slurp(dst / "f.dat"));
            EXPECT_EQ(fs.Stat(src / "f.dat").writeTime, fs.Stat(dst / "f.dat").writeTime);
            EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_READONLY), GetFileAttributesA((dst / "f.dat").c_str()) & 0x07);
        } else {
            if (c.exists) EXPECT_EQ("old", Slurp(dst / "f.dat"));
            EXPECT_STREQ((src / "f.dat").c_str(), job.lastFailedPath);
        }
        SetFileAttributesA((dst / "f.dat").c_str(), FILE_ATTRIBUTE_NORMAL);
        SetFileAttributesA((src / "f.dat").c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    EXPECT_GE(progress.size(), 3u);  // the large file told how far it was
}

// The same file through another path: the policy is asked as for any target,
// but nothing but another name copies, and the file is not touched.
TEST_F(Ops, ACopyOntoItselfThroughAnotherPathChangesNothing) {
    const std::string plain = MappedDrive("PLAIN"), alias = MappedDrive("ALIAS"), links = MappedDrive("LINKS");
    const std::string dir = plain + "same-file-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(dir.c_str(), nullptr);
    CreateDirectoryA((dir + "\\A long directory name").c_str(), nullptr);
    const std::string longDir = dir + "\\A long directory name\\";
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
    std::string upper = plain + base + "\\d\\SUB\\";
    const struct { const char* what; std::string source, target; bool refused; } cases[] = {
        {"its subdirectory", plain + base + "\\", d + "\\sub\\", true},
        {"itself", plain + base + "\\", d + "\\", true},
        {"its subdirectory in other letter case", plain + base + "\\", upper, true},
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
        messages.clear();
        CopyJob job = Job();
        EXPECT_EQ(c.refused ? 0 : 1, CopyEntry(job, c.source, target, name, FILE_ATTRIBUTE_DIRECTORY, false, ""));
        if (c.refused) {
            ASSERT_EQ(1u, messages.size());
            EXPECT_EQ(std::string(kErrorTitle) + "|" + c.source + name + kIntoItself, messages[0]);
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
    EXPECT_TRUE(fs.IsLink(links + "tree\\out", fs.Stat(links + "tree\\out").attributes));
    EXPECT_FALSE(fs.IsLink(links + "tree\\sub", fs.Stat(links + "tree\\sub").attributes));
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
        EXPECT_TRUE(messages.empty());
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
        EXPECT_TRUE(messages.empty());
    } else {
        EXPECT_TRUE(fs.IsLink(links + "deltree\\out", fs.Stat(links + "deltree\\out").attributes));
        EXPECT_EQ((Strings{LinksLeftText(links + "deltree", {links + "deltree\\out"}).insert(0, "Error!!|")}), messages);
    }
}

// 64-bit sizes in the free-space check; paths beyond 259 bytes fail their
// entry with its path.
TEST_F(Ops, SizesAndPathLengths) {
    TempTree src, dst;
    src.File("big.dat", "");
    std::filesystem::resize_file(src / "big.dat", (4ull << 30) + 10);  // sparse: 4 GiB and 10 bytes
    fs.free = 1u << 20;
    answers = {kIdCancel};
    CopyJob big = Job();
    EXPECT_EQ(0, CopyEntry(big, src.Path(), dst.Path(), "big.dat", 0, false, ""));
    ASSERT_EQ(1u, messages.size());
    EXPECT_EQ(dst / "big.dat" + "|" + kMediaChange, messages[0]);
    DeleteFileA((src / "big.dat").c_str());
    fs.free = kFreeUnknown - 1;

    std::filesystem::create_directories(src / "t\\" + std::string(40, 'd'));
    src.File("t\\" + std::string(40, 'd') + "\\f.txt", "deep");
    std::string longTarget = dst.Path();
    while (longTarget.size() < 230) longTarget += "long-name\\";
    std::filesystem::create_directories(longTarget);
    messages.clear();
    answers = {kIdOk};
    CopyJob longJob = Job();
    EXPECT_EQ(1, CopyEntry(longJob, src.Path(), longTarget, "t", FILE_ATTRIBUTE_DIRECTORY, false, ""));
    ASSERT_GE(messages.size(), 2u);  // the path, then whether to go on
    EXPECT_EQ(0u, messages[0].find(std::string(kErrorTitle) + "|" + longTarget));
    EXPECT_NE(std::string::npos, messages[0].find(kEntryPathTooLong));
    EXPECT_EQ(std::string(kConfirmTitle) + "|" + kCopyFailedContinue, messages[1]);
}

// A file that cannot be deleted keeps its attributes (so does its directory,
// where the system keeps them for directories, as Wine does not).
TEST_F(Ops, AFailedDeleteRestoresTheAttributes) {
    TempTree t;
    t.Dir("d");
    t.File("d\\held.txt", "h", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesA((t / "d").c_str(), FILE_ATTRIBUTE_READONLY);
    HANDLE held = CreateFileA((t / "d\\held.txt").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    answers = {kIdCancel};
    EXPECT_EQ(0, DeleteTree(fs, *this, t / "d", FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ((Strings{std::string(kConfirmTitle) + "|" + kDeleteFailedContinue}), messages);
    CloseHandle(held);
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN),
              GetFileAttributesA((t / "d\\held.txt").c_str()) & 0x07);
    SetFileAttributesA((t / "d\\held.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
    SetFileAttributesA((t / "d").c_str(), FILE_ATTRIBUTE_NORMAL);
}


// The duplicate policy chosen at the first existing target, over a second one.
TEST_F(Ops, DuplicatePolicies) {
    const struct { const char* what; DuplicatePolicy policy; int newerBy; std::deque<std::string> names; const char* a; const char* b; int asked; } cases[] = {
        {"copy newer, same time: passed over", DuplicatePolicy::CopyNewer, 0, {}, "old", "old", 1},
        {"copy newer, two seconds newer: over a read-only target", DuplicatePolicy::CopyNewer, 2, {}, "new", "new", 1},
        {"overwrite all", DuplicatePolicy::OverwriteAll, -10, {}, "new", "new", 1},
        {"do not copy", DuplicatePolicy::Skip, 10, {}, "old", "old", 1},
        {"rename: a taken name is asked again, the next target asks anew", DuplicatePolicy::Rename, 0, {"b.txt", "c.txt", "d.txt"}, "old", "old", 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempTree src, dst;
        // The target's write time newerBy seconds before the source's.
        FILETIME now;
        GetSystemTimeAsFileTime(&now);
        for (const char* n : {"a.txt", "b.txt"}) {
            src.File(n, "new");
            dst.File(n, "old");
            SetWriteTime(src / n, now, 0);
            SetWriteTime(dst / n, now, -c.newerBy);
            SetFileAttributesA((dst / n).c_str(), FILE_ATTRIBUTE_READONLY);
        }
        duplicate = c.policy;
        asked = 0;
        lines = c.names;
        messages.clear();
        CopyJob job = Job();
        EXPECT_EQ(1, CopyEntry(job, src.Path(), dst.Path(), "a.txt", 0, false, ""));
        EXPECT_EQ(1, CopyEntry(job, src.Path(), dst.Path(), "b.txt", 0, false, ""));
        EXPECT_EQ(c.a, Slurp(dst / "a.txt"));
        EXPECT_EQ(c.b, Slurp(dst / "b.txt"));
        EXPECT_EQ(c.asked, asked);
        if (c.policy == DuplicatePolicy::Rename) {
            EXPECT_EQ((Strings{std::string(kRenameErrorTitle) + "|" + dst / "b.txt" + kNameExists}), messages);
            EXPECT_EQ("new", Slurp(dst / "c.txt"));
            EXPECT_EQ("new", Slurp(dst / "d.txt"));
        }
        for (const char* n : {"a.txt", "b.txt"}) SetFileAttributesA((dst / n).c_str(), FILE_ATTRIBUTE_NORMAL);
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

// Names typed wrong or only in another letter case, sources gone, drives not
// there: told, nothing lost.
TEST_F(Ops, BadNamesVanishedSourcesAndDrivesNotReady) {
    TempTree t;
    t.File("a.txt", "a");
    Listing l;
    ResetListing(l);
    std::snprintf(l.table.rows[0].name, kPathSize, "a.txt");
    l.table.rows[0].attributes = FILE_ATTRIBUTE_ARCHIVE;
    l.table.EntryCount = 1;
    const std::string tooLong(300, 'n');
    for (const std::string& typed : {std::string(), tooLong}) {
        messages.clear();
        lines = {typed};
        RenameCommand(l, t.Path().c_str(), fs, *this, false);
        EXPECT_EQ((Strings{std::string(kRenameFailedTitle) + "|" + kRenameFailed}), messages);
        lines = {typed};
        MakeDirectoryCommand(t.Path().c_str(), fs, *this);
        EXPECT_EQ(typed.empty() ? 1u : 2u, messages.size());
    }
    EXPECT_EQ((Strings{"a.txt"}), Names(t.Path()));
    for (const char* name : {"A.TXT", "a.txt"}) {  // the letter case alone changes too
        lines = {name};
        EXPECT_EQ(1, RenameCommand(l, t.Path().c_str(), fs, *this, false).done);
        EXPECT_EQ((Strings{name}), Names(t.Path()));
        std::snprintf(l.table.rows[0].name, kPathSize, "%s", name);  // as the list reads it again
    }
    // A marked ".." ahead of a file is left alone, and the question still comes.
    l.table.rows[1] = l.table.rows[0];
    std::snprintf(l.table.rows[0].name, kPathSize, "..");
    l.table.rows[0].attributes = FILE_ATTRIBUTE_DIRECTORY;
    l.table.EntryCount = 2;
    l.table.rows[0].mark = l.table.rows[1].mark = 1;
    l.table.MarkedCount = 2;
    messages.clear();
    answers = {kIdCancel};
    const InPlaceResult refused = DeleteCommand(l, t.Path().c_str(), fs, *this);
    EXPECT_EQ((Strings{std::string(kDeleteTitle) + "|" + t / "a.txt"}), messages);
    EXPECT_EQ(0, refused.done);
    EXPECT_EQ(0, l.table.MarkedCount);
    EXPECT_EQ((Strings{"a.txt"}), Names(t.Path()));
    cancel = false;  // the refusal stopped that command; the next one starts afresh
    TempTree dst;
    CopyJob job = Job();
    EXPECT_EQ(0, CopyEntry(job, t.Path(), dst.Path(), "gone.txt", 0, false, ""));
    EXPECT_STREQ((t / "gone.txt").c_str(), job.lastFailedPath);
    EXPECT_EQ(0, CopyEntry(job, t.Path(), MappedDrive("MISSING"), "a.txt", 0, false, ""));
    EXPECT_EQ("a", Slurp(t / "a.txt"));
    // A write-protected medium: asked whether to go on; OK tries again.
    for (const int answer : {kIdOk, kIdCancel}) {
        TempTree wp;
        fs.failWrite = 1, fs.writes = 0, fs.failError = kErrWriteProtect;
        answers = {answer};
        messages.clear();
        CopyJob protectedJob = Job();
        EXPECT_EQ(answer == kIdOk ? 1 : 0, CopyEntry(protectedJob, t.Path(), wp.Path(), "a.txt", 0, false, ""));
        EXPECT_EQ((Strings{std::string(kConfirmTitle) + "|" + kWriteProtected}), messages);
        EXPECT_EQ(answer == kIdOk ? Strings{"a.txt"} : Strings{}, Names(wp.Path()));
    }
    fs.failWrite = 0, fs.failError = kErrDiskFull;
    // A tree: its directory cannot be made there, so its file fails, and the
    // user is asked whether to go on.
    t.Dir("d");
    t.File("d\\f.txt");
    messages.clear();
    EXPECT_EQ(1, CopyEntry(job, t.Path(), MappedDrive("MISSING"), "d", FILE_ATTRIBUTE_DIRECTORY, false, ""));
    EXPECT_EQ((Strings{std::string(kConfirmTitle) + "|" + kCopyFailedContinue}), messages);
    // A directory whose listing fails is not copied as if it were empty.
    fs.unlistable = t / "d\\";
    TempTree unlisted;
    CopyJob listJob = Job();
    EXPECT_EQ(0, CopyEntry(listJob, t.Path(), unlisted.Path(), "d", FILE_ATTRIBUTE_DIRECTORY, false, ""));
    EXPECT_STREQ((t / "d").c_str(), listJob.lastFailedPath);
    EXPECT_EQ(Strings{}, Names(unlisted.Path()));
}

}  // namespace
