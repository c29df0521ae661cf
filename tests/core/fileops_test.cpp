// The file operations against the in-memory file system: the copy engine,
// copy, mask copy, mirror copy and move over the list's rows, delete,
// rename, make directory and the volume label; their path decisions.
#include <gtest/gtest.h>

#include <string>

#include "core_test.h"
#include "fileops/copy_engine.h"
#include "fileops/fileops_texts.h"
#include "fileops/in_place.h"
#include "fileops/transfer.h"
#include "memory_fs.h"

using namespace qrn;
using namespace qrn::test;

namespace {

TEST(FileopsPaths, InsideADirectoryItsDirectoryPartAndTheProgressTexts) {
    // "ソ" is 0x83 0x5C: its trail byte is no separator.
    const struct { const char* tree; const char* target; bool inside; } rows[] = {
        {"C:\\a", "C:\\a", true}, {"C:\\a\\", "C:\\A", true}, {"C:\\a", "c:\\A\\b\\", true},
        {"C:\\a", "C:\\ab", false}, {"C:\\a\\b", "C:\\a", false}, {"C:\\", "C:\\x\\y", true},
        {"C:\\ソ", "C:\\ソ\\x", true}, {"C:\\ソ", "C:\\ソx", false}, {"C:\\\x83", "C:\\ソ", false},
        {"", "C:\\", false}};
    for (const auto& r : rows) EXPECT_EQ(r.inside, IsSameOrInside(r.tree, r.target)) << r.tree << " " << r.target;
    EXPECT_EQ("C:\\ソ\\", DirectoryPart("C:\\ソ\\f.txt"));
    EXPECT_EQ("C:\\", DirectoryPart("C:\\ソ"));
    EXPECT_EQ("", DirectoryPart("name"));
    EXPECT_EQ("C:\\ソA\\ｱB", UpperAscii("c:\\ソa\\ｱb"));  // the trail byte 0x5C and a half-width kana stay
    // One drive: the letters, without case; a share is "one drive" too.
    const struct { const char* a; const char* b; bool same; } drives[] = {
        {"C:\\a", "c:\\b", true}, {"C:\\a", "D:\\a", false}, {"\\\\s\\x", "\\\\t\\y", true}, {"", "C:\\", false}};
    for (const auto& d : drives) EXPECT_EQ(d.same, SameDrive(d.a, d.b)) << d.a << " " << d.b;
    // The progress texts.
    EXPECT_EQ("C:\\a.txt\r\n   v v v\r\nD:\\a.txt\r\n        FreeSpace        1,234,567 Bytes",
              ProgressText(1, 1234567, "C:\\a.txt", "D:\\a.txt"));
    EXPECT_EQ("\r\n\r\nDelete C:\\old", ProgressText(0, 99, "C:\\old", "unused"));
    // An unknown free space is all ones, written whole.
    EXPECT_NE(std::string::npos, ProgressText(1, ~0ull, "a", "b").find("18,446,744,073,709,551,615"));
}

// The in-memory file system, scripted answers and a status dialog that
// records what it was told.
struct Ops : ::testing::Test, RecordingUi {
    MemoryFs fs;

    std::string ListText(const char* name) override { return fs.Content(name); }
    CopyJob Job(std::size_t bufferSize = 4) {
        CopyJob job(fs, *this);
        job.bufferSize = bufferSize;
        return job;
    }
    Listing& ListOf(const std::string& dir, const Ints& marked = {}, int cursor = 0) {
        return test::ListOf(fs, dir, marked, cursor);
    }
};

constexpr auto kAll = DuplicatePolicy::OverwriteAll, kNewer = DuplicatePolicy::CopyNewer, kRename = DuplicatePolicy::Rename,
               kSkip = DuplicatePolicy::Skip;

// Copying one file: an existing target stays as it was until its
// replacement is whole; a failed or cancelled copy leaves it and no
// temporary file; with room only for an overwrite in place the user is asked.
TEST_F(Ops, AnExistingTargetSurvivesUntilItsReplacementIsWhole) {
    const struct { const char* what; std::size_t size; int failWrite, endAtRead, cancelAtPoll; bool held; std::uint64_t room;
                   const char* target; int answer; const char* question; const char* after; } cases[] = {
        {"new", 12, 0, 0, 0, false, kFreeUnknown, nullptr, kIdOk, nullptr, "F.DAT=nnnnnnnnnnnn(r)"},
        {"over a read-only target", 12, 0, 0, 0, false, kFreeUnknown, "(r)", kIdOk, nullptr, "F.DAT=nnnnnnnnnnnn(r)"},
        {"a failed write", 12, 2, 0, 0, false, kFreeUnknown, "", kIdOk, nullptr, "F.DAT=old"},
        {"a failed write, no target before", 12, 2, 0, 0, false, kFreeUnknown, nullptr, kIdOk, nullptr, ""},
        {"a source held by another program", 12, 0, 0, 0, true, kFreeUnknown, "", kIdOk, nullptr, "F.DAT=old"},
        {"the source ends early", 12, 0, 2, 0, false, kFreeUnknown, "", kIdOk, nullptr, "F.DAT=old"},
        {"Cancel in the middle of a large file", 9 << 20, 0, 0, 3, false, kFreeUnknown, "", kIdOk, nullptr, "F.DAT=old"},
        {"room only in place, refused", 12, 0, 0, 0, false, 9, "", kIdCancel, kInPlaceRisk, "F.DAT=old"},
        {"room only in place, agreed", 12, 0, 0, 0, false, 9, "(r)", kIdOk, kInPlaceRisk, "F.DAT=nnnnnnnnnnnn(r)"},
        {"room only in place, cancelled", 12, 0, 0, 2, false, 9, "", kIdOk, kInPlaceRisk, ""},
        {"no room: another medium refused", 12, 0, 0, 0, false, 8, "", kIdCancel, kMediaChange, "F.DAT=old"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fs = MemoryFs{};
        const std::string src = "C:\\s\\f.dat", dst = "D:\\t\\f.dat";
        fs.File(src, std::string(c.size, 'n'), kAttrReadOnly, kT0 - 50 * kSecond);
        fs.File("D:\\t\\");
        if (c.target) fs.File(dst, "old", *c.target ? kAttrReadOnly : kAttrArchive);
        fs.room['D'] = c.room, fs.failWrite = c.failWrite, fs.endAtRead = c.endAtRead;
        if (c.held) fs.held = {fs.Key(src)};
        cancel = false, polls = 0, cancelAtPoll = c.cancelAtPoll, prompts.answers = {c.answer}, prompts.messages.clear();
        CopyJob job = Job(c.size / 3);
        const bool ok = CopyEntry(job, "C:\\s\\", "D:\\t\\", "f.dat", kAttrArchive, false, "");
        EXPECT_EQ(std::string(c.after).find("=n") != std::string::npos, ok);
        EXPECT_EQ(c.after, fs.Dump("D:\\t"));
        if (ok) EXPECT_EQ(kT0 - 50 * kSecond, fs.Stat(dst).writeTime);
        else if (c.question != kMediaChange) EXPECT_STREQ(src.c_str(), job.lastFailedPath);
        const std::string question = c.question == kMediaChange ? Told(dst, kMediaChange) : Told(kConfirmTitle, dst + kInPlaceRisk);
        EXPECT_EQ(c.question ? Strings{question} : Strings{}, prompts.messages);
        if (c.size > 12) EXPECT_NE(std::string::npos, progress.back().find(" 33 %"));  // the large file told how far it was
    }
}

// A copy that takes an old target's place is flushed first, a new one is
// not; a flush or a close the system refuses fails the copy, and the old
// target stays as it was.
TEST_F(Ops, ARefusedFlushOrCloseFailsTheCopy) {
    const struct { const char* what; bool target, failFlush, failClose; int flushes; const char* after; } cases[] = {
        {"new: not flushed", false, false, false, 0, "F.DAT=new"},
        {"new, the close refused", false, false, true, 0, ""},
        {"over a target: flushed", true, false, false, 1, "F.DAT=new"},
        {"over a target, the flush refused", true, true, false, 1, "F.DAT=old"},
        {"over a target, the close refused", true, false, true, 1, "F.DAT=old"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fs = MemoryFs{};
        fs.File("C:\\s\\f.dat", "new"), fs.File("D:\\t\\");
        if (c.target) fs.File("D:\\t\\f.dat", "old");
        fs.failFlush = c.failFlush, fs.failClose = c.failClose;
        CopyJob job = Job();
        EXPECT_EQ(std::string(c.after) == "F.DAT=new", CopyEntry(job, "C:\\s\\", "D:\\t\\", "f.dat", kAttrArchive, false, "") == 1);
        EXPECT_EQ(c.after, fs.Dump("D:\\t"));
        EXPECT_EQ(c.flushes, fs.flushes);
    }
}

// Rows the policy leaves as they were are said as such, in a copy and a move.
TEST_F(Ops, RowsLeftByThePolicyAreSaidAsLeft) {
    for (const bool move : {false, true}) {
        fs = MemoryFs{};
        fs.File("C:\\a\\f.txt", "new"), fs.File("C:\\a\\g.txt", "g"), fs.File("D:\\t\\f.txt", "old");
        duplicate = kSkip;
        Listing& l = ListOf("C:\\a\\", {0, 1});
        EXPECT_EQ(move ? "1件移動しました。1件はそのままにしました" : "1件コピーしました。1件はそのままにしました",
                  (move ? MoveCommand : CopyCommand)(l, Into(l, "D:\\t\\"), fs, *this).said);
        EXPECT_EQ("F.TXT=old G.TXT=g", fs.Dump("D:\\t"));
    }
}

// The duplicate policy chosen at the first existing target, over a second one.
TEST_F(Ops, DuplicatePolicies) {
    const struct { const char* what; DuplicatePolicy policy; int newerBy; std::deque<std::string> names; const char* after;
                   int ok, asked; } cases[] = {
        {"copy newer, same time: passed over", kNewer, 0, {}, "A.TXT=old(r) B.TXT=old(r)", 1, 1},
        {"copy newer, two seconds newer: over a read-only target", kNewer, 2, {}, "A.TXT=new B.TXT=new", 1, 1},
        {"overwrite all", kAll, -10, {}, "A.TXT=new B.TXT=new", 1, 1},
        {"do not copy", kSkip, 10, {}, "A.TXT=old(r) B.TXT=old(r)", 1, 1},
        {"cancelled: each target fails", DuplicatePolicy::NotChosen, 10, {}, "A.TXT=old(r) B.TXT=old(r)", 0, 2},
        {"rename: a taken name is asked again, the next target asks anew", kRename, 0, {"b.txt", "c.txt", "d.txt"},
         "A.TXT=old(r) B.TXT=old(r) C.TXT=new D.TXT=new", 1, 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fs = MemoryFs{};
        for (const std::string n : {"a.txt", "b.txt"})
            fs.File("C:\\s\\" + n, "new"), fs.File("C:\\t\\" + n, "old", kAttrReadOnly, kT0 - c.newerBy * kSecond);
        duplicate = c.policy, asked = 0, prompts.lines = c.names, prompts.messages.clear();
        CopyJob job = Job();
        EXPECT_EQ((Ints{c.ok, c.ok}), (Ints{CopyEntry(job, "C:\\s\\", "C:\\t\\", "a.txt", 0, false, ""),
                                            CopyEntry(job, "C:\\s\\", "C:\\t\\", "b.txt", 0, false, "")}));
        EXPECT_EQ((Ints{c.asked}), (Ints{asked}));
        EXPECT_EQ(c.after, fs.Dump("C:\\t"));
        EXPECT_EQ(c.names.empty() ? Strings{} : Strings{Told(kRenameErrorTitle, "C:\\t\\b.txt" + std::string(kNameExists))},
                  prompts.messages);
    }
}

// A tree, and a directory never copied into itself or below itself,
// whatever path names the target (E: is a second letter onto C:).
TEST_F(Ops, TreesAndADirectoryNeverCopiedIntoItself) {
    fs.aliases['E'] = 'C';
    fs.File("C:\\b\\D\\sub\\f.txt", "f");
    fs.SetAttributes("C:\\b\\D\\sub", kAttrReadOnly);
    fs.File("C:\\b\\copy\\");
    const struct { const char* target; bool refused; } cases[] = {{"C:\\b\\D\\sub\\", true}, {"C:\\b\\D\\", true},
        {"c:\\B\\d\\SUB\\", true}, {"E:\\b\\D\\sub\\", true}, {"C:\\b\\copy\\", false}, {"D:\\", false}};
    for (const auto& [target, refused] : cases) {
        SCOPED_TRACE(target);
        prompts.messages.clear();
        CopyJob job = Job();
        EXPECT_EQ(!refused, CopyEntry(job, "C:\\b\\", target, "D", kAttrDirectory, false, ""));
        EXPECT_EQ(refused ? Strings{Told(kErrorTitle, "C:\\b\\D" + std::string(kIntoItself))} : Strings{}, prompts.messages);
        EXPECT_EQ(refused ? "" : "SUB\\(r) SUB\\F.TXT=f", fs.Dump(target + std::string("D")));
    }
    EXPECT_EQ("SUB\\(r) SUB\\F.TXT=f", fs.Dump("C:\\b\\D"));
    EXPECT_EQ((std::vector<bool>{true, false}), (std::vector<bool>{SameFile(fs, "C:\\b\\D", "e:\\B\\d"), SameFile(fs, "C:\\b\\D", "D:\\D")}));
}

// A file gone since it was listed, a drive that is not there, a directory
// that cannot be made or listed, a write-protected medium, paths too long.
TEST_F(Ops, VanishedSourcesMissingDrivesAndWriteProtection) {
    fs.File("C:\\s\\a.txt", "a");
    fs.File("C:\\s\\d\\f.txt", "f");
    CopyJob job = Job();
    for (const char* name : {"gone.txt", "a.txt"}) {
        EXPECT_EQ(0, CopyEntry(job, "C:\\s\\", name[0] == 'a' ? "X:\\" : "D:\\", name, 0, false, ""));
        EXPECT_EQ(std::string("C:\\s\\") + name, job.lastFailedPath);
    }
    // A tree whose directory cannot be made there: its file fails, and the user is asked whether to go on.
    EXPECT_EQ(1, CopyEntry(job, "C:\\s\\", "X:\\", "d", kAttrDirectory, false, ""));
    EXPECT_EQ((Strings{Told(kConfirmTitle, kCopyFailedContinue)}), prompts.messages);
    // A directory whose listing fails is not copied as if it were empty.
    fs.held = {fs.Key("C:\\s\\d")};
    EXPECT_EQ(0, CopyEntry(job, "C:\\s\\", "D:\\", "d", kAttrDirectory, false, ""));
    EXPECT_STREQ("C:\\s\\d", job.lastFailedPath);
    // Write-protected: asked whether to go on; OK tries again.
    for (const int answer : {kIdCancel, kIdOk}) {
        fs.failWrite = 1, fs.writes = 0, fs.failError = kErrWriteProtect, prompts.answers = {answer}, prompts.messages.clear();
        EXPECT_EQ(answer == kIdOk, CopyEntry(job, "C:\\s\\", "D:\\", "a.txt", 0, false, ""));
        EXPECT_EQ((Strings{Told(kConfirmTitle, kWriteProtected)}), prompts.messages);
        EXPECT_EQ(answer == kIdOk ? "A.TXT=a" : "", fs.Dump("D:\\"));
    }
    // Paths beyond 259 bytes fail their entry with its path, then ask whether to go on.
    std::string longTarget = "D:\\";
    while (longTarget.size() < 230) longTarget += "long-name\\";
    fs.File(longTarget);
    fs.File("C:\\s\\t\\" + std::string(40, 'd') + "\\f.txt");
    prompts.messages.clear();
    EXPECT_EQ(1, CopyEntry(job, "C:\\s\\", longTarget, "t", kAttrDirectory, false, ""));
    const std::string tooLong = (longTarget + "t\\" + std::string(40, 'd')).substr(0, kMaxPath);
    EXPECT_EQ((Strings{Told(kErrorTitle, tooLong + kEntryPathTooLong), Told(kConfirmTitle, kCopyFailedContinue)}), prompts.messages);
    EXPECT_FALSE(fs.Stat(longTarget + "t\\" + std::string(40, 'd')).exists) << "nothing made beyond the longest path";
}

// Into the directory the file is in, the policy is asked: another name makes
// a second copy, or renames in a move; the others change nothing. A copy or
// move onto the program's own file is a request to update it, of its kind,
// that touches neither file. Only what was copied is counted; a target left
// as it was is said as such.
TEST_F(Ops, IntoItsOwnDirectoryOrOntoTheProgram) {
    fs.File("C:\\a\\f.txt", "f");
    fs.File("C:\\p\\f.txt", "running");
    const struct { DuplicatePolicy policy; const char* into; bool move; int update; const char* said; } cases[] = {
        {kAll, "C:\\a\\", false, 0, "コピーしませんでした。1件はそのままにしました"}, {kRename, "C:\\a\\", false, 0, "1件コピーしました"},
        {kAll, "C:\\p\\", false, 1, kSaidNothingCopied}, {kAll, "C:\\p\\", true, 2, nullptr}, {kRename, "C:\\a\\", true, 0, nullptr}};
    for (const auto& c : cases) {
        PendingUpdateRecord update{};
        duplicate = c.policy, prompts.lines = {c.move ? "h.txt" : "g.txt"}, asked = 0;
        Listing& l = ListOf("C:\\a\\");
        TransferRequest r = Into(l, c.into);
        r.ownExecutable = "c:\\P\\F.TXT", r.pendingUpdate = &update;
        const TransferResult res = (c.move ? MoveCommand : CopyCommand)(l, r, fs, *this);
        if (c.said) EXPECT_EQ(c.said, res.said);
        EXPECT_EQ((Ints{c.into[3] == 'a', c.into[3] == 'a' || c.move, c.update > 0, c.update}), (Ints{asked, res.refresh, update.pending, update.mode}));
    }
    EXPECT_EQ("G.TXT=f H.TXT=f", fs.Dump("C:\\a"));
    EXPECT_EQ("F.TXT=running", fs.Dump("C:\\p"));
}

// The walk over marked rows: the cursor follows, marks and counts shrink,
// a failed row is told and the rest follow only when the user says so.
TEST_F(Ops, CopyWalksTheMarkedRows) {
    for (const char* n : {"1.txt", "2.txt", "3.txt", "4.txt"}) fs.File(std::string("C:\\a\\") + n, n);
    fs.held = {fs.Key("C:\\a\\2.txt")};
    // Every message is answered: the error's OK, then the question's.
    const struct { const char* what; Ints marked; std::deque<int> answers; const char* copied; std::size_t questions;
                   Ints cursor; const char* said; } cases[] = {
        {"the rest after OK", {0, 1, 2}, {kIdOk, kIdOk}, "1.TXT=1.txt 3.TXT=3.txt", 1, {0, 1, 2}, "2件コピーしました。1件はコピーできませんでした"},
        {"none after Cancel", {0, 1, 2}, {kIdOk, kIdCancel}, "1.TXT=1.txt", 1, {0, 1}, "1件コピーしました。1件はコピーできませんでした"},
        {"the last row fails: no question", {0, 1}, {kIdOk}, "1.TXT=1.txt", 0, {0, 1}, "1件コピーしました。1件はコピーできませんでした"},
        {"the cursor row alone", {}, {}, "4.TXT=4.txt", 0, {3}, "1件コピーしました"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        DeleteTree(fs, *this, "D:\\b", kAttrDirectory), fs.File("D:\\b\\");
        prompts.messages.clear(), cursorRows.clear(), prompts.answers = c.answers;
        Listing& l = ListOf("C:\\a\\", c.marked, 3);
        const TransferResult r = CopyCommand(l, Into(l, "D:\\b\\"), fs, *this);
        EXPECT_EQ(c.copied, fs.Dump("D:\\b"));
        EXPECT_EQ(0u, l.table.MarkedBytes + l.table.MarkedCount);
        EXPECT_EQ(c.questions + (c.marked.empty() ? 0u : 1u), prompts.messages.size());
        if (!c.marked.empty()) EXPECT_EQ(Told(kRowErrorTitle, "C:\\a\\2.txt" + std::string(kCopyFailed)), prompts.messages.at(0));
        EXPECT_EQ(c.cursor, cursorRows);
        EXPECT_EQ(c.said, r.said);
        EXPECT_FALSE(r.refresh);
    }
}

// Mask copy by the pattern, copy and move of a marked tree onto another volume.
TEST_F(Ops, MaskCopyAndMoveOverRows) {
    fs.aliases['E'] = 'C';
    // ソ ends in 0x5C: no separator.
    for (const char* n : {"T\\a.txt", "T\\b.doc", "T\\c.bin", "T\\in\\d.TXT", "T\\ソ.txt"}) fs.File(std::string("C:\\a\\") + n);
    const std::string all = "T\\ T\\A.TXT=x T\\B.DOC=x T\\C.BIN=x T\\IN\\ T\\IN\\D.TXT=x T\\ソ.TXT=x";
    const struct { bool mask; const char* pattern; std::string after; } copies[] = {
        {true, "*.txt;*.doc", "T\\ T\\A.TXT=x T\\B.DOC=x T\\IN\\ T\\IN\\D.TXT=x T\\ソ.TXT=x"}, {true, "", "T\\ T\\IN\\"}, {false, "", all}};
    for (const auto& m : copies) {
        DeleteTree(fs, *this, "D:\\b", kAttrDirectory), fs.File("D:\\b\\");
        Listing& l = ListOf("C:\\a\\", {0});
        EXPECT_EQ("1件コピーしました", CopyCommand(l, Into(l, "D:\\b\\", m.mask, m.pattern), fs, *this).said);
        EXPECT_EQ(m.after, fs.Dump("D:\\b")) << m.pattern;
    }
    // Into the listed directory through another letter: the list is read again.
    Listing& l = ListOf("C:\\a\\");
    duplicate = kSkip;
    EXPECT_TRUE(CopyCommand(l, Into(l, "E:\\a\\"), fs, *this).refresh);
    // A move onto another volume: copied, then the source removed.
    DeleteTree(fs, *this, "D:\\b", kAttrDirectory), fs.File("D:\\b\\");
    Listing& m = ListOf("C:\\a\\", {0});
    const TransferResult moved = MoveCommand(m, Into(m, "D:\\b\\"), fs, *this);
    EXPECT_EQ((Strings{"1件移動しました", "", all}), (Strings{moved.said, fs.Dump("C:\\a"), fs.Dump("D:\\b")}));
    EXPECT_TRUE(moved.refresh);
}

// Mirror copy: the target made equal to the source, with nothing deleted on
// an incomplete view of the source or where the trees overlap.
struct Mirror : Ops {
    struct Log : ErrorLog {  // writes its lines into a file of fs
        explicit Log(MemoryFs& f) : fs(f) {}
        bool Append(void*, const char* line, int count, char* logName) override {
            if (count == 0) std::snprintf(logName, kPathSize, "C:\\QRN1.TMP"), fs.File(logName, "");
            if (count >= 0) fs.nodes[fs.Key(logName)].bytes += std::string(line) + "\n";
            return true;
        }
        MemoryFs& fs;
    } log{fs};
    Mirror() {
        fs.aliases['E'] = 'C';
        for (const std::string x : {"C:\\s\\D\\", "D:\\t\\D\\"}) fs.File(x + "same.txt", "same"), fs.File(x + "sub\\deep.txt", "deep");
        fs.File("C:\\s\\D\\changed.txt", "longer now"), fs.File("C:\\s\\D\\new.txt", "new");
        fs.File("D:\\t\\D\\changed.txt", "short"), fs.File("D:\\t\\D\\extra.txt", "extra", kAttrReadOnly);
        fs.File("D:\\t\\D\\extradir\\inside.txt", "i");
    }
    TransferResult Run(const std::string& from, const char* to) {
        Listing& l = ListOf(from);
        for (int i = 0; i < l.table.EntryCount; ++i)
            if (std::string(l.table.rows[i].name) == "D") l.CursorIndex = i;
        return MirrorCopyCommand(l, Into(l, to), fs, *this, log);
    }
};

TEST_F(Mirror, PrunesWhatTheSourceLacksAndCopiesWhatDiffers) {
    const std::uint64_t same = fs.Find("D:\\t\\D\\same.txt")->number;
    const TransferResult r = Run("C:\\s\\", "D:\\t\\");
    EXPECT_EQ("D\\ D\\CHANGED.TXT=longer now D\\NEW.TXT=new D\\SAME.TXT=same D\\SUB\\ D\\SUB\\DEEP.TXT=deep", fs.Dump("D:\\t"));
    EXPECT_EQ(same, fs.Find("D:\\t\\D\\same.txt")->number) << "an equal file is left as it is, not copied afresh";
    EXPECT_EQ((Ints{2, 2, 0, 0}), (Ints{r.deleted, r.done, r.failed, asked})) << "the policy is never asked";
    EXPECT_EQ("同一化複写しました。2件コピー、2件削除しました", r.said);
    EXPECT_EQ(0u, prompts.messages.size() + errorLists.size());
    // The deletion pass alone: a target not there holds nothing; Cancel stops it.
    int deleted = 0;
    fs.File("D:\\t\\D\\more.txt");
    EXPECT_EQ((Ints{1, 0}), (Ints{MirrorPrune(fs, *this, "C:\\s\\D\\", "D:\\none\\", deleted), deleted}));
    cancelAtPoll = polls + 1;
    EXPECT_EQ((Ints{0, 0}), (Ints{MirrorPrune(fs, *this, "C:\\s\\D\\", "D:\\t\\D\\", deleted), deleted}));
    cancel = false;
    EXPECT_EQ((Ints{1, 1}), (Ints{MirrorPrune(fs, *this, "C:\\s\\D\\", "D:\\t\\D\\", deleted), deleted}));
    EXPECT_EQ("(none)", fs.Content("D:\\t\\D\\more.txt"));
}

TEST_F(Mirror, FailuresAreListedAndNothingDeletedOnAnIncompleteSourceOrOverlappingTrees) {
    fs.held = {fs.Key("C:\\s\\D\\new.txt"), fs.Key("C:\\s\\D\\changed.txt")};
    // An empty file where the target has a directory of its name and time: never equal.
    fs.File("C:\\s\\D\\empty", ""), fs.File("D:\\t\\D\\empty\\");
    const TransferResult r = Run("C:\\s\\", "D:\\t\\");
    EXPECT_EQ((Strings{"C:\\QRN1.TMP|C:\\s\\D\\changed.txt\nC:\\s\\D\\empty\nC:\\s\\D\\new.txt\n"}), errorLists);
    EXPECT_EQ("(none)|3", fs.Content("C:\\QRN1.TMP") + "|" + std::to_string(r.failed)) << "the log goes once shown";
    EXPECT_EQ((Strings{}), prompts.messages) << "the tree itself was copied";
    fs.File("C:\\s\\D\\D\\"), fs.File("D:\\t\\D\\D\\");  // below the source: the same names as it
    const std::string before = fs.Dump("C:\\s") + "|" + fs.Dump("D:\\t");
    const struct { const char* what; std::string from; const char* to; const char* held; const char* message; } cases[] = {
        {"the source cannot be listed", "C:\\s\\", "D:\\t\\", "C:\\s\\D", kPruneFailed},
        {"the target inside the source", "C:\\s\\", "C:\\s\\D\\", "", kMirrorOverlap},
        {"the source inside the target", "C:\\s\\D\\", "C:\\s\\", "", kMirrorOverlap},
        {"one tree through two letters", "C:\\s\\", "E:\\s\\", "", kMirrorOverlap}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        prompts.messages.clear(), fs.held = {fs.Key(c.held)};
        EXPECT_EQ(kSaidMirrorStopped, Run(c.from, c.to).said);
        EXPECT_EQ(before, fs.Dump("C:\\s") + "|" + fs.Dump("D:\\t"));
        ASSERT_EQ(1u, prompts.messages.size());
        EXPECT_EQ(0u, prompts.messages[0].find(std::string(kMirrorErrorTitle) + "|"));
        EXPECT_NE(std::string::npos, prompts.messages[0].find(c.message)) << prompts.messages[0];
    }
}

// A file with no room, another medium refused, is listed by its own path.
TEST_F(Mirror, AFileWithoutRoomIsListedByItsOwnPath) {
    fs.room['D'] = 0;  // the deletion pass gives back 6 bytes
    fs.File("C:\\s\\D\\new.txt", "0123456789");
    prompts.answers = {kIdCancel, kIdCancel};  // no overwrite in place, no other medium
    Run("C:\\s\\", "D:\\t\\");
    EXPECT_EQ((Strings{"C:\\QRN1.TMP|C:\\s\\D\\changed.txt\nC:\\s\\D\\new.txt\n"}), errorLists);
    EXPECT_EQ(2u, prompts.messages.size());
}

// A file moved onto a target that exists: by the policy, never losing the
// file, and the old target kept until the new one is in its place.
TEST_F(Ops, AMovedFileNeverLosesItselfOrTheTargetBeforeItIsReplaced) {
    const struct { const char* what; bool exists; DuplicatePolicy policy; int sourceAge; bool readOnly; const char* into;
                   unsigned replaceError; bool noIdentity; int failWrite, result; const char* after; } cases[] = {
        {"no target yet", false, kAll, 0, false, "C:\\o\\", 0, false, 0, 1, "(none)|new"},
        {"overwrite a read-only target", true, kAll, 0, true, "C:\\o\\", 0, false, 0, 1, "(none)|new"},
        {"newer only, the source older", true, kNewer, -10, false, "C:\\o\\", 0, false, 0, 1, "new|old"},
        {"newer only, the source newer", true, kNewer, 10, false, "C:\\o\\", 0, false, 0, 1, "(none)|new"},
        {"do not move", true, kSkip, 10, false, "C:\\o\\", 0, false, 0, 1, "new|old"},
        {"the system refuses the replace", true, kAll, 0, false, "C:\\o\\", kErrAccessDenied, false, 0, 0, "new|old"},
        {"no target yet on another volume", false, kAll, 0, false, "D:\\o\\", 0, false, 0, 1, "(none)|new"},
        {"another volume: the copy fails", false, kAll, 0, false, "D:\\o\\", 0, false, 1, 0, "new|(none)"},
        {"a read-only target on another volume", true, kAll, 0, true, "D:\\o\\", 0, false, 0, 1, "(none)|new"},
        {"another volume, no identity to tell it is not the source", true, kAll, 0, false, "D:\\o\\", 0, true, 0, 0, "new|old"},
        {"onto itself, overwrite", true, kAll, 0, false, "C:\\s\\", 0, false, 0, 1, "new|new"},
        {"onto itself, taken for another volume", true, kAll, 0, false, "C:\\s\\", kErrNotSameDevice, false, 0, 1, "new|new"},
        {"onto itself through another letter", true, kAll, 0, false, "E:\\s\\", 0, false, 0, 1, "new|new"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fs = MemoryFs{};
        fs.aliases['E'] = 'C';
        const std::string target = std::string(c.into) + "f.txt";
        fs.File("C:\\s\\f.txt", "new", kAttrArchive, kT0 + c.sourceAge * kSecond);
        fs.File(c.into);
        if (c.exists && c.into[3] == 'o') fs.File(target, "old", c.readOnly ? kAttrReadOnly : kAttrArchive);
        duplicate = c.policy, asked = 0, fs.replaceError = c.replaceError, fs.noIdentity = c.noIdentity, fs.failWrite = c.failWrite;
        CopyJob job = Job();
        EXPECT_EQ(c.result, MoveEntry(job, "C:\\s\\", c.into, "f.txt", kAttrArchive));
        EXPECT_EQ(c.after, fs.Content("C:\\s\\f.txt") + "|" + fs.Content(target));
        EXPECT_EQ(c.exists ? 1 : 0, asked);  // the policy is asked once there is a target
        EXPECT_EQ(std::string::npos, fs.Dump(c.into).find("~QRN")) << "no temporary file";
        if (c.result && c.after[0] == '(') EXPECT_EQ(kT0 + c.sourceAge * kSecond, fs.Stat(target).writeTime);
    }
}

// Directories are rebuilt at the target with their contents moved; one that
// would go into itself, or is there already, is left as it is.
TEST_F(Ops, MovingDirectoryTrees) {
    fs.aliases['E'] = 'C';
    fs.File("C:\\a\\D\\x.txt", "x"), fs.File("C:\\a\\D\\sub\\y.txt", "y"), fs.File("C:\\a\\Empty\\");
    const std::string tree = "D\\ D\\SUB\\ D\\SUB\\Y.TXT=y D\\X.TXT=x";
    CopyJob job = Job();
    for (const char* into : {"C:\\a\\D\\sub\\", "E:\\a\\D\\sub\\"}) {
        prompts.messages.clear();
        EXPECT_EQ(0, MoveEntry(job, "C:\\a\\", into, "D", kAttrDirectory)) << into;
        EXPECT_EQ((Strings{Told(kErrorTitle, "C:\\a\\D" + std::string(kMoveIntoItself))}), prompts.messages);
    }
    for (const char* name : {"D", "Empty"})  // onto itself: an empty directory too stays
        EXPECT_EQ(1, MoveEntry(job, "C:\\a\\", "E:\\a\\", name, kAttrDirectory)) << name;
    EXPECT_EQ(tree + " EMPTY\\", fs.Dump("C:\\a"));
    // A file that will not move: the rest goes, the source keeps what stayed, with its attribute.
    fs.File("C:\\a\\D\\stuck.txt", "s");
    fs.SetAttributes("C:\\a\\D", kAttrReadOnly);
    fs.held = {fs.Key("C:\\a\\D\\stuck.txt")};
    prompts.messages.clear();
    EXPECT_EQ(1, MoveEntry(job, "C:\\a\\", "D:\\", "D", kAttrDirectory | kAttrReadOnly));
    EXPECT_EQ((Strings{Told(kConfirmTitle, kMoveFailedContinue)}), prompts.messages);
    EXPECT_EQ("D\\(r) D\\STUCK.TXT=s EMPTY\\|D\\(r) D\\SUB\\ D\\SUB\\Y.TXT=y D\\X.TXT=x", fs.Dump("C:\\a") + "|" + fs.Dump("D:\\"));
    fs.held.clear();
    EXPECT_EQ(1, MoveEntry(job, "C:\\a\\", "D:\\", "D", kAttrDirectory | kAttrReadOnly)) << "and then the rest";
    EXPECT_EQ("EMPTY\\|D\\(r) D\\STUCK.TXT=s D\\SUB\\ D\\SUB\\Y.TXT=y D\\X.TXT=x", fs.Dump("C:\\a") + "|" + fs.Dump("D:\\"));
}

// Delete asks first, and again for a read-only, hidden or system file (a
// row refused there stays, the next marked one goes); a tree goes whole;
// "." and ".." are never deleted.
TEST_F(Ops, DeletingAsksAndTakesTheWholeTree) {
    const struct { const char* what; const char* name; std::uint32_t attributes; std::deque<int> answers; Strings asked; bool gone, both; } cases[] = {
        {"a file", "a.txt", kAttrArchive, {kIdOk}, {""}, true, false},
        {"refused at the first question", "a.txt", kAttrArchive, {kIdCancel}, {""}, false, false},
        {"a read-only file, agreed", "a.txt", kAttrReadOnly, {kIdOk, kIdOk}, {"", kReadOnlyFile}, true, false},
        {"a read-only file refused, the next row marked", "a.txt", kAttrReadOnly, {kIdOk, kIdCancel}, {"", kReadOnlyFile}, false, true},
        {"hidden and system: the system question alone", "a.txt", kAttrHidden | kAttrSystem, {}, {"", kSystemFile}, true, false},
        {"a tree with a read-only file", "d", kAttrDirectory, {kIdOk}, {""}, true, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fs = MemoryFs{};
        fs.File("C:\\t\\keep.txt");
        const bool tree = c.attributes & kAttrDirectory;
        fs.File(std::string("C:\\t\\") + c.name + (tree ? "\\in\\r.txt" : ""), "a", tree ? kAttrReadOnly : c.attributes);
        prompts.answers = c.answers, prompts.messages.clear();
        const InPlaceResult r = DeleteCommand(ListOf("C:\\t\\", c.both ? Ints{0, 1} : Ints{}), "C:\\t\\", fs, *this);
        Strings expected;
        for (const std::string& a : c.asked) expected.push_back(Told(kDeleteTitle, "C:\\t\\" + std::string(c.name) + a));
        EXPECT_EQ(expected, prompts.messages);
        EXPECT_EQ((std::vector<bool>{!c.gone, !c.both}), (std::vector<bool>{fs.Stat("C:\\t\\" + std::string(c.name)).exists,
                                                                          fs.Stat("C:\\t\\keep.txt").exists}));
        EXPECT_EQ(c.gone || c.both ? "1件削除しました" : kSaidNothingDeleted, r.said);
    }
    // A marked ".." ahead of a file is left alone, and the question still comes.
    Listing& l = ListOf("C:\\t\\");
    l.table.rows[1] = l.table.rows[0], l.table.rows[0] = Row("..", kAttrDirectory), l.table.EntryCount = 2;
    SetMark(l.table, 0, true), SetMark(l.table, 1, true);
    prompts.messages.clear(), prompts.answers = {kIdCancel};
    EXPECT_EQ(0, DeleteCommand(l, "C:\\t\\", fs, *this).done);
    EXPECT_EQ((Strings{Told(kDeleteTitle, "C:\\t\\keep.txt")}), prompts.messages);
    EXPECT_EQ(0, l.table.MarkedCount);
    EXPECT_EQ("C:\\t\\l" + std::string(kLinkNotDeleted), LinksLeftText("C:\\t\\l", {"C:\\t\\l"}));
    // A tree that goes only in part says what went and what did not; what
    // stays keeps its attributes.
    fs = MemoryFs{};
    fs.File("C:\\t\\d\\a.txt"), fs.File("C:\\t\\d\\b.txt"), fs.File("C:\\t\\d\\held.txt", "x", kAttrReadOnly | kAttrHidden);
    fs.SetAttributes("C:\\t\\d", kAttrReadOnly);
    fs.held = {fs.Key("C:\\t\\d\\held.txt")};
    prompts.answers = {kIdOk, kIdOk, kIdOk};  // the delete, the read-only directory, and on after held.txt
    EXPECT_EQ("0件削除しました。1件は削除できませんでした。削除できなかったディレクトリの中の2個は削除しました",
              DeleteCommand(ListOf("C:\\t\\"), "C:\\t\\", fs, *this).said);
    EXPECT_EQ("D\\(r) D\\HELD.TXT=x(r)", fs.Dump("C:\\t"));
    EXPECT_EQ(kAttrReadOnly | kAttrHidden, fs.Stat("C:\\t\\d\\held.txt").attributes);
}

// Names typed wrong, taken or only in another letter case; directories made
// where they can be; the volume label.
TEST_F(Ops, RenameMakeDirectoryAndTheVolumeLabel) {
    fs.File("C:\\t\\a.txt"), fs.File("C:\\t\\b.txt");
    const struct { std::string typed; bool keepExtension; const char* shown; const char* told; const char* names; } renames[] = {
        {"", false, "a.txt", kRenameFailed, "a.txt b.txt"}, {std::string(300, 'n'), false, "a.txt", kRenameFailed, "a.txt b.txt"},
        {"b.txt", false, "a.txt", kRenameExists, "a.txt b.txt"},
        {"A.TXT", false, "a.txt", nullptr, "A.TXT b.txt"},  // the letter case alone changes too
        {"c", true, "A", nullptr, "b.txt c.TXT"}};
    for (const auto& c : renames) {
        SCOPED_TRACE(c.typed);
        prompts.messages.clear(), prompts.inputs.clear(), prompts.lines = {c.typed};
        EXPECT_EQ(c.told ? 0 : 1, RenameCommand(ListOf("C:\\t\\"), "C:\\t\\", fs, *this, c.keepExtension).done);
        EXPECT_EQ((Strings{Told(kNewNameTitle, c.shown)}), prompts.inputs);
        EXPECT_EQ(c.told ? Strings{Told(kRenameFailedTitle, c.told)} : Strings{}, prompts.messages);
        const Listing& after = ListOf("C:\\t\\");
        EXPECT_EQ(c.names, after.table.rows[0].name + std::string(" ") + after.table.rows[1].name);
    }
    const struct { std::string typed; const char* made; std::size_t told; } dirs[] = {
        {"new", "C:\\t\\new", 0}, {"new", nullptr, 0}, {"D:\\abs", "D:\\abs", 0}, {std::string(300, 'n'), nullptr, 1}};
    for (const auto& d : dirs) {
        prompts.messages.clear(), prompts.lines = {d.typed};
        const InPlaceResult r = MakeDirectoryCommand("C:\\t\\", fs, *this);
        EXPECT_EQ(d.made ? 1 : 0, r.done) << d.typed;
        if (d.made) EXPECT_EQ(kAttrDirectory, fs.Stat(d.made).attributes);
        EXPECT_EQ(d.made ? "ディレクトリ " + d.typed + " を作りました" : kSaidDirectoryNotMade, r.said);
        EXPECT_EQ(d.told, prompts.messages.size());
    }
    Listing& l = ListOf("C:\\t\\");
    l.table.rows[0] = Row("OLD", kAttrLabel);
    const struct { std::deque<std::string> typed; const char* label; const char* said; bool told; } labels[] = {
        {{"NEWLABEL"}, "NEWLABEL", "ボリュームラベルを NEWLABEL にしました", false},
        {{"123456789012"}, "NEWLABEL", "", true}, {{""}, "", kSaidLabelRemoved, false}};
    for (const auto& v : labels) {
        prompts.messages.clear(), prompts.inputs.clear(), prompts.lines = v.typed;
        EXPECT_EQ(v.said, VolumeLabelCommand(l, "C:\\t\\", fs, *this).said);
        EXPECT_EQ((Strings{v.label, Told(kVolumeLabelTitle, "OLD")}), (Strings{fs.labels['C'], prompts.inputs.at(0)}));
        EXPECT_EQ(v.told ? Strings{Told(kLabelErrorTitle, kLabelTooLong)} : Strings{}, prompts.messages);
    }
}

}  // namespace
