// The copy, mirror copy and move commands over a list of rows, against real
// trees, the second drive letter onto the plain drive's folder and the
// directory links made on the Linux side.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "fileops/fileops_texts.h"
#include "fileops/operation_ui_win32.h"
#include "fileops/transfer.h"
#include "listing/list_view.h"
#include "resources/resource_ids.h"
#include "fileops_support.h"

using namespace qrn;
using namespace qrntest;

namespace {

// The list of dir as the reader leaves it, the given rows marked.
Listing& ListOf(const std::string& dir, std::vector<int> marked = {}, int cursor = 0) {
    static Listing l;
    ResetListing(l);
    CopyCut(l.CurrentDir, sizeof l.CurrentDir, dir.c_str());
    Strings names = Ops::Names(dir);
    for (const std::string& n : names) {
        FileEntry& e = l.table.rows[l.table.EntryCount++];
        CopyCut(e.name, sizeof e.name, n.c_str());
        const DWORD a = GetFileAttributesA((dir + n).c_str());
        e.attributes = a & 0xFF;
        e.size = Slurp(dir + n).size();
    }
    for (int row : marked) SetMark(l.table, row, true);
    l.CursorIndex = cursor;
    return l;
}

TransferRequest Into(const Listing& l, const std::string& dest) {
    static std::string kept;
    kept = dest;
    TransferRequest r;
    r.currentDir = l.CurrentDir;
    r.destDir = kept.c_str();
    return r;
}

FileId IdOf(Faulty& fs, const std::string& path) {
    FileId id;
    EXPECT_TRUE(fs.Identity(path, id)) << path;
    return id;
}

// A file moved onto a target that exists: by the policy, never losing the
// file, and the old target kept until the new one is in its place.
TEST_F(Ops, AMovedFileNeverLosesItselfOrTheTargetBeforeItIsReplaced) {
    enum Where { kOtherDir, kSameDir, kAliasLetter };
    const struct { const char* what; bool exists; DuplicatePolicy policy; int sourceAge; bool readOnlyTarget; Where where;
                   unsigned replaceError; int result; const char* source; const char* target; bool noIdentity = false; } cases[] = {
        {"no target yet", false, DuplicatePolicy::OverwriteAll, 0, false, kOtherDir, 0, 1, nullptr, "new"},
        {"overwrite a read-only target", true, DuplicatePolicy::OverwriteAll, 0, true, kOtherDir, 0, 1, nullptr, "new"},
        {"newer only, the source older", true, DuplicatePolicy::CopyNewer, -10, false, kOtherDir, 0, 1, "new", "old"},
        {"newer only, the source newer", true, DuplicatePolicy::CopyNewer, 10, false, kOtherDir, 0, 1, nullptr, "new"},
        {"do not move", true, DuplicatePolicy::Skip, 10, false, kOtherDir, 0, 1, "new", "old"},
        {"the system refuses the replace", true, DuplicatePolicy::OverwriteAll, 0, false, kOtherDir, kErrAccessDenied, 0,
         "new", "old"},
        {"the target on another volume", true, DuplicatePolicy::OverwriteAll, 0, false, kOtherDir, kErrNotSameDevice, 1,
         nullptr, "new"},
        {"another volume, no identity to tell it is not the source", true, DuplicatePolicy::OverwriteAll, 0, false, kOtherDir,
         kErrNotSameDevice, 0, "new", "old", true},
        {"onto itself, overwrite", true, DuplicatePolicy::OverwriteAll, 0, false, kSameDir, 0, 1, "new", "new"},
        {"onto itself, taken for another volume", true, DuplicatePolicy::OverwriteAll, 0, false, kSameDir, kErrNotSameDevice,
         1, "new", "new"},
        {"onto itself through another letter", true, DuplicatePolicy::OverwriteAll, 0, false, kAliasLetter, 0, 1, "new",
         "new"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempTree src(MappedDrive("PLAIN")), other;
        const std::string alias = MappedDrive("ALIAS") + src.Path().substr(3);
        const std::string target = c.where == kOtherDir ? other.Path() : c.where == kSameDir ? src.Path() : alias;
        src.File("f.txt", "new");
        if (c.exists && c.where == kOtherDir) other.File("f.txt", "old", c.readOnlyTarget ? FILE_ATTRIBUTE_READONLY : 0);
        FILETIME now;
        GetSystemTimeAsFileTime(&now);
        SetWriteTime(src / "f.txt", now, c.sourceAge);
        if (c.where == kOtherDir) SetWriteTime(other / "f.txt", now, 0);
        duplicate = c.policy;
        fs.replaceError = c.replaceError;
        fs.noIdentity = c.noIdentity;
        CopyJob job = Job();
        EXPECT_EQ(c.result, MoveEntry(job, src.Path(), target, "f.txt", FILE_ATTRIBUTE_ARCHIVE));
        EXPECT_EQ(c.source ? c.source : "(gone)", Exists(src / "f.txt") ? Slurp(src / "f.txt") : "(gone)");
        EXPECT_EQ(c.target, Slurp(target + "f.txt"));
        EXPECT_EQ(c.exists ? 1 : 0, asked);  // the policy is asked once there is a target
        EXPECT_EQ(c.where == kOtherDir ? Strings{"f.txt"} : Strings{}, Names(other.Path())) << "no temporary file is left";
        SetFileAttributesA((other / "f.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
        asked = 0;
    }
}

// A copy or move onto the program's own file asks for an update of its kind, and touches neither file.
TEST_F(Ops, RenamingInPlaceAndTheOwnProgram) {
    TempTree t, prog;
    t.File("f.txt", "mine");
    duplicate = DuplicatePolicy::Rename;
    lines = {"g.txt"};
    CopyJob job = Job();
    EXPECT_EQ(1, MoveEntry(job, t.Path(), t.Path(), "f.txt", 0)) << "a move onto itself renamed";
    EXPECT_EQ((Strings{"g.txt"}), Names(t.Path()));
    EXPECT_EQ("mine", Slurp(t / "g.txt"));
    prog.File("qrn.exe", "running");
    t.File("qrn.exe", "newer");
    for (const int mode : {1, 2}) {
        PendingUpdateRecord update{};
        job.ownExecutable = prog / "qrn.exe", job.pendingUpdate = &update;
        if (mode == 2) job.updateMode = 2;  // as the move command sets it; a copy keeps the default
        EXPECT_EQ(1, mode == 1 ? CopyEntry(job, t.Path(), prog.Path(), "qrn.exe", 0, false, "")
                               : MoveEntry(job, t.Path(), prog.Path(), "qrn.exe", 0));
        EXPECT_EQ((std::vector<int>{1, mode}), (std::vector<int>{update.pending, update.mode}));
        EXPECT_EQ(t / "qrn.exe", update.source);
        EXPECT_EQ("running|newer", Slurp(prog / "qrn.exe") + "|" + Slurp(t / "qrn.exe"));
    }
}

// Directories are rebuilt at the target with their contents moved; one that
// would go into itself, or is there already, is left as it is.
TEST_F(Ops, MovingDirectoryTrees) {
    const std::string alias = MappedDrive("ALIAS");
    TempTree a(MappedDrive("PLAIN")), b;
    a.Dir("D");
    a.Dir("D\\sub");
    a.Dir("E");  // empty
    a.File("D\\x.txt", "x");
    a.File("D\\sub\\y.txt", "y");
    CopyJob job = Job();
    const std::string aliasOfA = alias + a.Path().substr(3);
    const struct { const char* what; std::string target; const char* name; } refused[] = {
        {"into itself", a / "D\\sub\\", "D"}, {"into itself through another letter", aliasOfA + "D\\sub\\", "D"}};
    for (const auto& c : refused) {
        SCOPED_TRACE(c.what);
        messages.clear();
        EXPECT_EQ(0, MoveEntry(job, a.Path(), c.target, c.name, FILE_ATTRIBUTE_DIRECTORY));
        EXPECT_EQ((Strings{kErrorTitle + std::string("|") + a.Path() + "D" + kMoveIntoItself}), messages);
        EXPECT_EQ((Strings{"sub", "x.txt"}), Names(a / "D"));
    }
    for (const char* name : {"D", "E"}) {  // onto itself: an empty directory too stays
        EXPECT_EQ(1, MoveEntry(job, a.Path(), aliasOfA, name, FILE_ATTRIBUTE_DIRECTORY)) << name;
    }
    EXPECT_EQ((Strings{"D", "E"}), Names(a.Path()));
    EXPECT_EQ((Strings{"sub", "x.txt"}), Names(a / "D"));

    // A file that will not move: the rest goes, the source keeps what stayed.
    a.File("D\\stuck.txt", "s");
    struct Stuck : Faulty {
        std::string stuck;
        bool Rename(const std::string& from, const std::string& to) override {
            return from != stuck && Win32FileSystem::Rename(from, to);
        }
    } stuckFs;
    stuckFs.stuck = a / "D\\stuck.txt";
    CopyJob stuckJob(stuckFs, *this);
    answers = {IDOK};
    EXPECT_EQ(1, MoveEntry(stuckJob, a.Path(), b.Path(), "D", FILE_ATTRIBUTE_DIRECTORY));
    EXPECT_EQ((Strings{kConfirmTitle + std::string("|") + kMoveFailedContinue}), Strings(messages.end() - 1, messages.end()));
    EXPECT_EQ((Strings{"stuck.txt"}), Names(a / "D"));
    EXPECT_EQ((Strings{"sub", "x.txt"}), Names(b / "D"));
    EXPECT_EQ("y", Slurp(b / "D\\sub\\y.txt"));
    EXPECT_EQ(1, MoveEntry(job, a.Path(), b.Path(), "D", FILE_ATTRIBUTE_DIRECTORY)) << "and then the rest";
    EXPECT_FALSE(Exists(a / "D"));
    EXPECT_EQ((Strings{"stuck.txt", "sub", "x.txt"}), Names(b / "D"));
}

// Mirror copy: the target made equal to the source, with nothing deleted on
// an incomplete view of the source or where the trees overlap.
struct Mirror : Ops {
    TempTree s{MappedDrive("PLAIN")}, t;
    FILETIME now{};
    void SetUp() override {
        Ops::SetUp();
        GetSystemTimeAsFileTime(&now);
        for (const TempTree* x : {&s, &t}) {
            x->Dir("D");
            x->Dir("D\\sub");
            x->File("D\\same.txt", "same");
            x->File("D\\sub\\deep.txt", "deep");
            SetWriteTime(*x / "D\\same.txt", now, 0);
            SetWriteTime(*x / "D\\sub\\deep.txt", now, 0);
        }
        s.File("D\\changed.txt", "longer now");
        t.File("D\\changed.txt", "short");
        s.File("D\\new.txt", "new");
        t.File("D\\extra.txt", "extra", FILE_ATTRIBUTE_READONLY);
        t.Dir("D\\extradir");
        t.File("D\\extradir\\inside.txt", "i");
    }
    struct Log : ErrorLog {
        bool Append(void*, const char* line, int count, char* logName) override {
            if (count == 0) std::snprintf(logName, kPathSize, "%s", name.c_str());
            if (count >= 0) std::ofstream(name, std::ios::app) << line << "\n";
            return true;
        }
        std::string name;
    } log;
    TransferResult Run(const std::string& from, const std::string& to, const char* row = "D") {
        Listing& l = ListOf(from);
        for (int i = 0; i < l.table.EntryCount; ++i)
            if (std::string(l.table.rows[i].name) == row) l.CursorIndex = i;
        log.name = t / "errors.log";
        return MirrorCopyCommand(l, Into(l, to), fs, *this, log);
    }
};

TEST_F(Mirror, PrunesWhatTheSourceLacksAndCopiesWhatDiffers) {
    const FileId same = IdOf(fs, t / "D\\same.txt");
    const TransferResult r = Run(s.Path(), t.Path());
    EXPECT_EQ((Strings{"changed.txt", "new.txt", "same.txt", "sub"}), Names(t / "D"));
    EXPECT_EQ("longer now", Slurp(t / "D\\changed.txt"));
    EXPECT_TRUE(IdOf(fs, t / "D\\same.txt") == same) << "an equal file is left as it is, not copied afresh";
    EXPECT_EQ(2, r.deleted);
    EXPECT_EQ(2, r.done);
    EXPECT_EQ("同一化複写しました。2件コピー、2件削除しました", r.said);
    EXPECT_EQ((std::vector<bool>{false, true}), ownerShown);
    EXPECT_EQ(0, asked) << "the policy is never asked";
    EXPECT_EQ((Strings{}), messages);
}

TEST_F(Mirror, ComparesTheWholeSize) {
    // Sizes that differ only above 4 GiB, with the same time: a copy.
    std::filesystem::resize_file(t / "D\\same.txt", (1ull << 32) + 4);  // "same" is 4 bytes
    SetWriteTime(t / "D\\same.txt", now, 0);
    Run(s.Path(), t.Path());
    ASSERT_EQ(4u, fs.Stat(t / "D\\same.txt").size);
    EXPECT_EQ("same", Slurp(t / "D\\same.txt"));
}

TEST_F(Mirror, DeletesNothingOnAnIncompleteSourceOrOverlappingTrees) {
    const std::string alias = MappedDrive("ALIAS") + s.Path().substr(3);
    s.Dir("D\\D");
    t.Dir("D\\D");  // below the source: the same names as it
    const struct { const char* what; std::string from, to, row; std::string notReady; const char* message; } cases[] = {
        {"the source stops answering", s.Path(), t.Path(), "D", s / "D\\", kPruneFailed},
        {"the target inside the source", s.Path(), s / "D\\", "D", "", nullptr},
        {"the source inside the target", s / "D\\", s.Path(), "D", "", nullptr},
        {"one tree through two letters", s.Path(), alias, "D", "", nullptr}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        messages.clear();
        fs.notReady = c.notReady;
        const Strings before = Names(t / "D"), beforeSource = Names(s / "D");
        Run(c.from, c.to, c.row.c_str());
        EXPECT_EQ(before, Names(t / "D"));
        EXPECT_EQ(beforeSource, Names(s / "D"));
        EXPECT_EQ(1u, messages.size());
        if (messages.empty()) continue;
        EXPECT_EQ(std::string(kMirrorErrorTitle), messages[0].substr(0, messages[0].find('|')));
        EXPECT_NE(std::string::npos, messages[0].find(c.message ? c.message : kMirrorOverlap)) << messages[0];
    }
}

TEST_F(Mirror, FailuresAreListedAndTheLogGoes) {
    fs.held = {s / "D\\new.txt", s / "D\\changed.txt"};
    // An empty file where the target has a directory of its name and time: never equal.
    s.File("D\\empty", "");
    t.Dir("D\\empty");
    SetWriteTime(s / "D\\empty", now, 0), SetWriteTime(t / "D\\empty", now, 0);
    const TransferResult r = Run(s.Path(), t.Path());
    Strings listed;
    std::istringstream in(errorList);
    for (std::string line; std::getline(in, line);) listed.push_back(line.substr(0, line.find('\r')));
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ((Strings{s / "D\\changed.txt", s / "D\\empty", s / "D\\new.txt"}), listed);
    EXPECT_FALSE(Exists(log.name));
    EXPECT_EQ(3, r.failed);
    EXPECT_EQ((Strings{}), messages) << "the tree itself was copied";
}

// Links in the target are never entered by either pass, nor deleted through:
// they are listed with the failures.
TEST_F(Mirror, ALinkInTheTargetIsNeverEnteredNorDeletedThrough) {
    const std::string links = MappedDrive("LINKS");
    for (const std::string dir : {"", "fl\\"}) {
        Run(links + dir + "msrc\\", links + dir + "mdst\\", "m");
        EXPECT_EQ((Strings{"k", "o"}), (Strings{Slurp(links + "outside\\keep.txt"), Slurp(links + "fl\\out\\o.txt")}));
        EXPECT_EQ(links + dir + "mdst\\m\\" + (dir.empty() ? "out" : "only.lnk") + "\r\n", errorList);
    }
    EXPECT_FALSE(Exists(links + "mdst\\m\\extra.txt"));
    EXPECT_FALSE(Exists(links + "outside\\new.txt"));
}

// The walk over marked rows: the cursor follows, marks and counts shrink,
// a failed row is told and the rest follow only when the user says so.
TEST_F(Ops, CopyWalksTheMarkedRows) {
    TempTree a, b;
    for (const char* n : {"1.txt", "2.txt", "3.txt", "4.txt"}) a.File(n, n);
    fs.held = {a / "2.txt"};
    // Every message is answered: the error's OK, then the question's.
    const struct { const char* what; std::vector<int> marked; std::deque<int> answers; Strings copied; int questions;
                   std::vector<int> cursor; const char* said; } cases[] = {
        {"the rest after OK", {0, 1, 2}, {IDOK, IDOK}, {"1.txt", "3.txt"}, 1, {0, 1, 2},
         "2件コピーしました。1件はコピーできませんでした"},
        {"none after Cancel", {0, 1, 2}, {IDOK, IDCANCEL}, {"1.txt"}, 1, {0, 1}, "1件コピーしました。1件はコピーできませんでした"},
        {"the last row fails: no question", {0, 1}, {IDOK}, {"1.txt"}, 0, {0, 1}, "1件コピーしました。1件はコピーできませんでした"},
        {"the cursor row alone", {}, {}, {"4.txt"}, 0, {3}, "1件コピーしました"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        for (const std::string& n : Names(b.Path())) DeleteFileA((b / n).c_str());
        messages.clear();
        cursorRows.clear();
        answers = c.answers;
        Listing& l = ListOf(a.Path(), c.marked, 3);
        const TransferResult r = CopyCommand(l, Into(l, b.Path()), fs, *this);
        EXPECT_EQ(c.copied, Names(b.Path()));
        EXPECT_EQ(0, l.table.MarkedCount);
        EXPECT_EQ(0u, l.table.MarkedBytes);
        EXPECT_EQ(c.marked.empty() ? Strings{} : Strings{"Error!!|" + a / "2.txt" + kCopyFailed},
                  Strings(messages.begin(), messages.begin() + (c.marked.empty() ? 0 : 1)));
        EXPECT_EQ(c.questions + (c.marked.empty() ? 0u : 1u), messages.size());
        EXPECT_EQ(c.cursor, cursorRows);
        EXPECT_EQ(c.said, r.said);
        EXPECT_FALSE(r.refresh);
    }
}

// Into the directory the file is in, the policy is asked: another name makes
// a second copy, the others copy nothing. A copy onto the program's own file
// becomes an update request. Only what was copied is counted; a target
// left as it was is said as such.
TEST_F(Ops, ACopyIntoItsOwnDirectoryOrOntoTheProgram) {
    TempTree a, prog;
    a.File("f.txt", "f");
    prog.File("f.txt", "running");
    PendingUpdateRecord update{};
    const struct { DuplicatePolicy policy; const std::string* into; const char* said; } cases[] = {
        {DuplicatePolicy::OverwriteAll, &a.Path(), "コピーしませんでした。1件はそのままにしました"},
        {DuplicatePolicy::Rename, &a.Path(), "1件コピーしました"},
        {DuplicatePolicy::OverwriteAll, &prog.Path(), kSaidNothingCopied}};
    for (const auto& c : cases) {
        duplicate = c.policy, lines = {"g.txt"}, asked = 0;
        Listing& l = ListOf(a.Path());
        TransferRequest r = Into(l, *c.into);
        r.ownExecutable = prog / "f.txt", r.pendingUpdate = &update;
        EXPECT_EQ(c.said, CopyCommand(l, r, fs, *this).said);
        EXPECT_EQ(c.into == &a.Path(), asked == 1);
    }
    EXPECT_EQ((Strings{"f.txt", "g.txt"}), Names(a.Path()));
    EXPECT_EQ("f|f|running", Slurp(a / "f.txt") + "|" + Slurp(a / "g.txt") + "|" + Slurp(prog / "f.txt"));
    EXPECT_TRUE(update.pending);
}

TEST_F(Ops, MaskCopyAndMoveOverRows) {
    TempTree a(MappedDrive("PLAIN")), b;
    a.Dir("T");
    a.Dir("T\\in");
    // ソ ends in 0x5C: no separator.
    for (const char* n : {"T\\a.txt", "T\\b.doc", "T\\c.bin", "T\\in\\d.TXT", "T\\ソ.txt"}) a.File(n);
    const struct { const char* pattern; Strings top, inner; } masks[] = {
        {"*.txt;*.doc", {"a.txt", "b.doc", "in", "ソ.txt"}, {"d.TXT"}}, {"", {"in"}, {}}};
    for (const auto& m : masks) {
        std::filesystem::remove_all(b / "T");
        Listing& l = ListOf(a.Path(), {0});
        TransferRequest r = Into(l, b.Path());
        r.mask = true;
        r.pattern = m.pattern;
        CopyCommand(l, r, fs, *this);
        EXPECT_EQ(m.top, Names(b / "T")) << m.pattern;
        EXPECT_EQ(m.inner, Names(b / "T\\in")) << m.pattern;
    }
    // Into the listed directory through another letter: the list is read again.
    Listing& l = ListOf(a.Path(), {}, 0);
    duplicate = DuplicatePolicy::Skip;
    EXPECT_TRUE(CopyCommand(l, Into(l, MappedDrive("ALIAS") + a.Path().substr(3)), fs, *this).refresh);
    // Move of the marked tree.
    Listing& m = ListOf(a.Path(), {0});
    const TransferResult moved = MoveCommand(m, Into(m, b.Path()), fs, *this);
    EXPECT_EQ("1件移動しました", moved.said);
    EXPECT_TRUE(moved.refresh);
    EXPECT_EQ((Strings{}), Names(a.Path()));
    EXPECT_EQ((Strings{"a.txt", "b.doc", "c.bin", "in", "ソ.txt"}), Names(b / "T"));
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
