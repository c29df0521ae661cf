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

TEST(FileopsPaths, InsideADirectoryAndItsDirectoryPart) {
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
    EXPECT_EQ((Strings{"C:\\", "C:\\ソ", "C:\\a"}), (Strings{WithoutBackslash("C:\\"), WithoutBackslash("C:\\ソ"),
                                                            WithoutBackslash("C:\\a\\")}));
    EXPECT_EQ("C:\\ソA\\ｱB", UpperAscii("c:\\ソa\\ｱb"));  // the trail byte 0x5C and a half-width kana stay
    // One drive: the letters, without case; a share is "one drive" too.
    const struct { const char* a; const char* b; bool same; } drives[] = {
        {"C:\\a", "c:\\b", true}, {"C:\\a", "D:\\a", false}, {"\\\\s\\x", "\\\\t\\y", true}, {"", "C:\\", false}};
    for (const auto& d : drives) EXPECT_EQ(d.same, SameDrive(d.a, d.b)) << d.a << " " << d.b;
}

TEST(FileopsPaths, ProgressTexts) {
    EXPECT_EQ("C:\\a.txt\r\n   v v v\r\nD:\\a.txt\r\n        FreeSpace        1,234,567 Bytes",
              ProgressText(1, 1234567, "C:\\a.txt", "D:\\a.txt"));
    EXPECT_EQ("\r\n\r\nDelete C:\\old", ProgressText(0, 99, "C:\\old", "unused"));
    // An unknown free space is all ones, written whole.
    EXPECT_NE(std::string::npos, ProgressText(1, ~0ull, "a", "b").find("18,446,744,073,709,551,615"));
}

// The in-memory file system, scripted answers and a status dialog that
// records what it was told.
struct Ops : ::testing::Test, OperationUi {
    MemoryFs fs;
    ScriptedPrompts prompts;
    DuplicatePolicy duplicate = DuplicatePolicy::OverwriteAll;
    bool cancel = false;
    int polls = 0, cancelAtPoll = 0, asked = 0;
    std::uint64_t clock = 0;
    Strings progress, errorLists;
    Ints cursorRows;
    std::vector<bool> ownerShown;

    Ops() { prompts.otherwise = kIdOk; }
    void* Owner() override { return nullptr; }
    void OpenStatus(const char*) override {}
    void CloseStatus() override {}
    void ShowStatus(bool) override {}
    void Poll() override { cancel = cancel || ++polls == cancelAtPoll; }
    bool CancelRequested() override { return cancel; }
    void SetCancelRequested(bool on) override { cancel = on; }
    void Progress(const std::string& text) override { progress.push_back(text); }
    void EntryInfo(const std::string&, const FileStat&) override {}
    DuplicatePolicy AskDuplicate() override { return ++asked, duplicate; }
    void CursorTo(int row) override { cursorRows.push_back(row); }
    void ShowOwner(bool shown) override { ownerShown.push_back(shown); }
    void ShowErrorList(const char* name) override { errorLists.push_back(name + ("|" + fs.Content(name))); }
    std::uint64_t Milliseconds() override { return clock += 300; }

    CopyJob Job(std::size_t bufferSize = 4) {
        CopyJob job(fs, *this);
        job.bufferSize = bufferSize;
        return job;
    }
    // The list of dir as the reader leaves it, the given rows marked.
    Listing& ListOf(const std::string& dir, const Ints& marked = {}, int cursor = 0) {
        Listing& l = TestListing();
        CopyCut(l.CurrentDir, sizeof l.CurrentDir, dir.c_str());
        std::vector<DirItem> items;
        fs.List(dir, items);
        for (const DirItem& i : items) l.table.rows[l.table.EntryCount++] = Row(i.name.c_str(), i.attributes, i.size);
        for (int row : marked) SetMark(l.table, row, true);
        l.CursorIndex = cursor;
        return l;
    }
    static TransferRequest Into(const Listing& l, const char* dest) {
        TransferRequest r;
        r.currentDir = l.CurrentDir;
        r.destDir = dest;
        return r;
    }
};

std::string Said(const char* format, int a, int b = 0) {
    char text[160];
    std::snprintf(text, sizeof text, format, a, b);
    return text;
}

// Copying one file: an existing target stays as it was until its
// replacement is whole; a failed or cancelled copy leaves it and no
// temporary file; with room only for an overwrite in place the user is asked.
TEST_F(Ops, AnExistingTargetSurvivesUntilItsReplacementIsWhole) {
    const struct { const char* what; std::size_t size; int failWrite; bool held; int cancelAtPoll; std::uint64_t room;
                   bool told, exists, readOnly; int answer; const char* question; bool ok, kept; } cases[] = {
        {"new", 12, 0, false, 0, kFreeUnknown, true, false, false, kIdOk, nullptr, true, false},
        {"over a read-only target", 12, 0, false, 0, kFreeUnknown, true, true, true, kIdOk, nullptr, true, false},
        {"a failed write", 12, 2, false, 0, kFreeUnknown, true, true, false, kIdOk, nullptr, false, true},
        {"a failed write, no target before", 12, 2, false, 0, kFreeUnknown, true, false, false, kIdOk, nullptr, false, false},
        {"a source held by another program", 12, 0, true, 0, kFreeUnknown, true, true, false, kIdOk, nullptr, false, true},
        {"Cancel in the middle of a large file", 9 << 20, 0, false, 3, kFreeUnknown, true, true, false, kIdOk, nullptr, false, true},
        {"a full volume that does not tell its room", 12, 0, false, 0, 9, false, true, false, kIdOk, nullptr, false, true},
        {"room only in place, refused", 12, 0, false, 0, 9, true, true, false, kIdCancel, kInPlaceRisk, false, true},
        {"room only in place, agreed", 12, 0, false, 0, 9, true, true, true, kIdOk, kInPlaceRisk, true, false},
        {"room only in place, cancelled", 12, 0, false, 2, 9, true, true, false, kIdOk, kInPlaceRisk, false, false},
        {"no room: another medium refused", 12, 0, false, 0, 8, true, true, false, kIdCancel, kMediaChange, false, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fs = MemoryFs{};
        const std::string data(c.size, 'n'), src = "C:\\s\\f.dat", dst = "D:\\t\\f.dat";
        fs.File(src, data, kAttrReadOnly, kT0 - 50 * kSecond);
        fs.File("D:\\t\\");
        if (c.exists) fs.File(dst, "old", c.readOnly ? kAttrReadOnly : kAttrArchive);
        fs.volumes['D'] = {c.room, c.told, ""};
        fs.failWrite = c.failWrite;
        if (c.held) fs.held = {fs.Key(src)};
        cancel = false, polls = 0, cancelAtPoll = c.cancelAtPoll, prompts.answers = {c.answer}, prompts.messages.clear();
        CopyJob job = Job(c.size / 3);
        EXPECT_EQ(c.ok ? 1 : 0, CopyEntry(job, "C:\\s\\", "D:\\t\\", "f.dat", kAttrArchive, false, ""));
        EXPECT_EQ(c.ok || c.kept ? Strings{"f.dat"} : Strings{}, fs.Names("D:\\t\\"));
        if (c.ok) {
            EXPECT_EQ(data, fs.Content(dst));
            EXPECT_EQ(kT0 - 50 * kSecond, fs.Stat(dst).writeTime);
            EXPECT_EQ(kAttrReadOnly, fs.Stat(dst).attributes & 7);
        } else {
            EXPECT_EQ(c.kept ? "old" : "(none)", fs.Content(dst));
            if (c.question != kMediaChange) EXPECT_STREQ(src.c_str(), job.lastFailedPath);
        }
        const std::string question = c.question == kMediaChange ? dst + "|" + kMediaChange
                                                                : std::string(kConfirmTitle) + "|" + dst + kInPlaceRisk;
        EXPECT_EQ(c.question ? Strings{question} : Strings{}, prompts.messages);
        if (c.size > 12) EXPECT_NE(std::string::npos, progress.back().find(" 33 %"));  // the large file told how far it was
    }
}

// The duplicate policy chosen at the first existing target, over a second one.
TEST_F(Ops, DuplicatePolicies) {
    const struct { const char* what; DuplicatePolicy policy; int newerBy; std::deque<std::string> names; const char* a; int asked; } cases[] = {
        {"copy newer, same time: passed over", DuplicatePolicy::CopyNewer, 0, {}, "old", 1},
        {"copy newer, two seconds newer: over a read-only target", DuplicatePolicy::CopyNewer, 2, {}, "new", 1},
        {"overwrite all", DuplicatePolicy::OverwriteAll, -10, {}, "new", 1},
        {"do not copy", DuplicatePolicy::Skip, 10, {}, "old", 1},
        {"cancelled", DuplicatePolicy::NotChosen, 10, {}, "old", 2},
        {"rename: a taken name is asked again, the next target asks anew", DuplicatePolicy::Rename, 0, {"b.txt", "c.txt", "d.txt"}, "old", 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fs = MemoryFs{};
        for (const char* n : {"a.txt", "b.txt"}) {
            fs.File(std::string("C:\\s\\") + n, "new", kAttrArchive, kT0);
            fs.File(std::string("C:\\t\\") + n, "old", kAttrReadOnly, kT0 - c.newerBy * kSecond);
        }
        duplicate = c.policy, asked = 0, prompts.lines = c.names, prompts.messages.clear();
        CopyJob job = Job();
        const int ok = c.policy == DuplicatePolicy::NotChosen ? 0 : 1;
        EXPECT_EQ(ok, CopyEntry(job, "C:\\s\\", "C:\\t\\", "a.txt", 0, false, ""));
        EXPECT_EQ(ok, CopyEntry(job, "C:\\s\\", "C:\\t\\", "b.txt", 0, false, ""));
        EXPECT_EQ((Strings{c.a, c.a}), (Strings{fs.Content("C:\\t\\a.txt"), fs.Content("C:\\t\\b.txt")}));
        EXPECT_EQ(c.asked, asked);
        if (c.policy == DuplicatePolicy::Rename) {
            EXPECT_EQ((Strings{std::string(kRenameErrorTitle) + "|C:\\t\\b.txt" + kNameExists}), prompts.messages);
            EXPECT_EQ("new|new", fs.Content("C:\\t\\c.txt") + "|" + fs.Content("C:\\t\\d.txt"));
        } else {
            EXPECT_EQ((Strings{"a.txt", "b.txt"}), fs.Names("C:\\t\\"));
        }
        if (!ok) EXPECT_STREQ("C:\\s\\b.txt", job.lastFailedPath);
    }
}

// A tree, and a directory never copied into itself or below itself,
// whatever path names the target (E: is a second letter onto C:).
TEST_F(Ops, TreesAndADirectoryNeverCopiedIntoItself) {
    fs.aliases['E'] = 'C';
    fs.File("C:\\b\\D\\sub\\f.txt", "f");
    fs.SetAttributes("C:\\b\\D\\sub", kAttrHidden);
    fs.File("C:\\b\\copy\\");
    const struct { const char* what; const char* target; bool refused; } cases[] = {
        {"its subdirectory", "C:\\b\\D\\sub\\", true}, {"itself", "C:\\b\\D\\", true},
        {"its subdirectory in other letter case", "c:\\B\\d\\SUB\\", true},
        {"its subdirectory through a second letter", "E:\\b\\D\\sub\\", true},
        {"a sibling", "C:\\b\\copy\\", false}, {"another volume", "D:\\", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        prompts.messages.clear();
        CopyJob job = Job();
        EXPECT_EQ(c.refused ? 0 : 1, CopyEntry(job, "C:\\b\\", c.target, "D", kAttrDirectory, false, ""));
        if (c.refused) {
            EXPECT_EQ((Strings{std::string(kErrorTitle) + "|C:\\b\\D" + kIntoItself}), prompts.messages);
            EXPECT_STREQ("C:\\b\\D", job.lastFailedPath);
            EXPECT_FALSE(fs.Stat(std::string(c.target) + "D").exists);  // nothing was made
            EXPECT_EQ((Strings{"sub"}), fs.Names("C:\\b\\D\\"));
        } else {
            EXPECT_EQ("f", fs.Content(std::string(c.target) + "D\\sub\\f.txt"));
            EXPECT_EQ(kAttrDirectory | kAttrHidden, fs.Stat(std::string(c.target) + "D\\sub").attributes);
        }
    }
    EXPECT_TRUE(SameFile(fs, "C:\\b\\D", "e:\\B\\d"));
    EXPECT_FALSE(SameFile(fs, "C:\\b\\D", "D:\\D"));
    EXPECT_FALSE(SameFile(fs, "C:\\b\\D", "C:\\b\\none"));
}

// A file gone since it was listed, a drive that is not there, a directory
// that cannot be made or listed, a write-protected medium, paths too long.
TEST_F(Ops, VanishedSourcesMissingDrivesAndWriteProtection) {
    fs.File("C:\\s\\a.txt", "a");
    fs.File("C:\\s\\d\\f.txt", "f");
    CopyJob job = Job();
    EXPECT_EQ(0, CopyEntry(job, "C:\\s\\", "D:\\", "gone.txt", 0, false, ""));
    EXPECT_STREQ("C:\\s\\gone.txt", job.lastFailedPath);
    EXPECT_EQ(0, CopyEntry(job, "C:\\s\\", "X:\\", "a.txt", 0, false, ""));
    EXPECT_STREQ("C:\\s\\a.txt", job.lastFailedPath);
    // A tree: its directory cannot be made there, so its file fails, and the
    // user is asked whether to go on.
    EXPECT_EQ(1, CopyEntry(job, "C:\\s\\", "X:\\", "d", kAttrDirectory, false, ""));
    EXPECT_EQ((Strings{std::string(kConfirmTitle) + "|" + kCopyFailedContinue}), prompts.messages);
    // A directory whose listing fails is not copied as if it were empty.
    fs.unlistable = "C:\\s\\d\\";
    EXPECT_EQ(0, CopyEntry(job, "C:\\s\\", "D:\\", "d", kAttrDirectory, false, ""));
    EXPECT_STREQ("C:\\s\\d", job.lastFailedPath);
    EXPECT_EQ(Strings{}, fs.Names("D:\\"));
    // Write-protected: asked whether to go on; OK tries again.
    for (const int answer : {kIdCancel, kIdOk}) {
        fs.failWrite = 1, fs.writes = 0, fs.failError = kErrWriteProtect;
        prompts.answers = {answer}, prompts.messages.clear();
        CopyJob protectedJob = Job();
        EXPECT_EQ(answer == kIdOk ? 1 : 0, CopyEntry(protectedJob, "C:\\s\\", "D:\\", "a.txt", 0, false, ""));
        EXPECT_EQ((Strings{std::string(kConfirmTitle) + "|" + kWriteProtected}), prompts.messages);
        EXPECT_EQ(answer == kIdOk ? Strings{"a.txt"} : Strings{}, fs.Names("D:\\"));
    }
    // Paths beyond 259 bytes fail their entry with its path.
    std::string longTarget = "D:\\";
    while (longTarget.size() < 230) longTarget += "long-name\\";
    fs.File(longTarget);
    fs.File("C:\\s\\t\\" + std::string(40, 'd') + "\\f.txt");
    prompts.messages.clear();
    CopyJob longJob = Job();
    EXPECT_EQ(1, CopyEntry(longJob, "C:\\s\\", longTarget, "t", kAttrDirectory, false, ""));
    ASSERT_EQ(2u, prompts.messages.size());  // the path, then whether to go on
    EXPECT_EQ(std::string(kErrorTitle) + "|" + (longTarget + "t\\" + std::string(40, 'd')).substr(0, kMaxPath) +
                  kEntryPathTooLong, prompts.messages[0]);
    EXPECT_EQ(std::string(kConfirmTitle) + "|" + kCopyFailedContinue, prompts.messages[1]);
}

// The engine's steps one by one: a temporary name beside the target, the
// medium change, the policy, the replace and the new copy, which never
// write over what they do not own.
TEST_F(Ops, TheEnginesSteps) {
    fs.File("C:\\t\\~QRN0000.TMP", "taken");
    fs.File("C:\\t\\f.txt", "old");
    fs.File("C:\\s\\f.txt", "new");
    EXPECT_EQ("C:\\t\\~QRN0001.TMP", TemporaryName(fs, "C:\\t\\f.txt"));
    EXPECT_EQ("", TemporaryName(fs, "C:\\" + std::string(250, 'd') + "\\f"));
    const struct { std::uint16_t date, time; bool later; } times[] = {{2, 0, true}, {0, 9, false}, {1, 2, true}, {1, 1, false}};
    for (const auto& t : times) {
        FileStat a, b;
        a.date = t.date, a.time = t.time, b.date = 1, b.time = 1;
        EXPECT_EQ(t.later, Later(a, b)) << t.date << " " << t.time;
    }
    for (const int answer : {kIdOk, kIdCancel}) {  // OK: the target's directory is made on the new medium
        prompts.answers = {answer};
        EXPECT_EQ(answer == kIdOk ? 1 : 0, AskMediaChange(fs, nullptr, "D:\\new" + std::to_string(answer) + "\\f.txt"));
        EXPECT_EQ(answer == kIdOk, fs.Stat("D:\\new" + std::to_string(answer)).exists);
    }
    CopyJob job = Job();
    duplicate = DuplicatePolicy::NotChosen;
    EXPECT_FALSE(ChoosePolicy(job, "C:\\s\\f.txt"));
    EXPECT_STREQ("C:\\s\\f.txt", job.lastFailedPath);
    job.mirror = true;  // mirror copy asks nothing
    EXPECT_TRUE(ChoosePolicy(job, "C:\\s\\f.txt"));
    EXPECT_EQ(DuplicatePolicy::Mirror, job.policy);
    EXPECT_EQ(1, asked);
    // A new copy over a file that exists fails and leaves it; a replace needs both.
    EXPECT_EQ(0, CopyAsNew(job, "C:\\s\\f.txt", "C:\\t\\f.txt"));
    EXPECT_EQ(0, CopyAsNew(job, "C:\\s\\none.txt", "C:\\t\\n.txt"));
    EXPECT_EQ(0, ReplaceByCopy(job, "C:\\s\\f.txt", "C:\\t\\none.txt"));
    EXPECT_EQ("old", fs.Content("C:\\t\\f.txt"));
    EXPECT_EQ(1, ReplaceByCopy(job, "C:\\s\\f.txt", "C:\\t\\f.txt"));
    EXPECT_EQ(1, CopyAsNew(job, "C:\\s\\f.txt", "C:\\t\\g.txt"));
    EXPECT_EQ((Strings{"f.txt", "g.txt", "~QRN0000.TMP"}), fs.Names("C:\\t\\"));
    EXPECT_EQ("new|new|new", fs.Content("C:\\t\\f.txt") + "|" + fs.Content("C:\\t\\g.txt") + "|" + fs.Content("C:\\s\\f.txt"));
    Failed(job, "C:\\" + std::string(300, 'x'));
    EXPECT_EQ(kPathSize - 1, std::strlen(job.lastFailedPath));
}

// A copy or move onto the program's own file asks for an update of its kind
// and touches neither file; a move onto itself under another name renames.
TEST_F(Ops, RenamingInPlaceAndTheOwnProgram) {
    fs.File("C:\\t\\f.txt", "mine");
    duplicate = DuplicatePolicy::Rename;
    prompts.lines = {"g.txt"};
    CopyJob job = Job();
    EXPECT_EQ(1, MoveEntry(job, "C:\\t\\", "C:\\t\\", "f.txt", 0)) << "a move onto itself renamed";
    EXPECT_EQ((Strings{"g.txt"}), fs.Names("C:\\t\\"));
    EXPECT_EQ("mine", fs.Content("C:\\t\\g.txt"));
    fs.File("C:\\p\\qrn.exe", "running");
    fs.File("C:\\t\\qrn.exe", "newer");
    for (const int mode : {1, 2}) {
        PendingUpdateRecord update{};
        job.ownExecutable = "c:\\P\\QRN.EXE", job.pendingUpdate = &update, job.updateMode = mode;
        EXPECT_TRUE(IsOwnProgram(job, "C:\\t\\qrn.exe", "C:\\p\\qrn.exe"));
        update = {};
        EXPECT_EQ(1, mode == 1 ? CopyEntry(job, "C:\\t\\", "C:\\p\\", "qrn.exe", 0, false, "")
                               : MoveEntry(job, "C:\\t\\", "C:\\p\\", "qrn.exe", 0));
        EXPECT_EQ((Ints{1, mode}), (Ints{update.pending, update.mode}));
        EXPECT_STREQ("C:\\t\\qrn.exe", update.source);
        EXPECT_EQ("running|newer", fs.Content("C:\\p\\qrn.exe") + "|" + fs.Content("C:\\t\\qrn.exe"));
    }
    EXPECT_FALSE(IsOwnProgram(job, "C:\\t\\qrn.exe", "C:\\t\\g.txt"));
}

// The walk over marked rows: the cursor follows, marks and counts shrink,
// a failed row is told and the rest follow only when the user says so.
TEST_F(Ops, CopyWalksTheMarkedRows) {
    for (const char* n : {"1.txt", "2.txt", "3.txt", "4.txt"}) fs.File(std::string("C:\\a\\") + n, n);
    fs.File("C:\\b\\");
    fs.held = {fs.Key("C:\\a\\2.txt")};
    // Every message is answered: the error's OK, then the question's.
    const struct { const char* what; Ints marked; std::deque<int> answers; Strings copied; std::size_t questions;
                   Ints cursor; const char* said; } cases[] = {
        {"the rest after OK", {0, 1, 2}, {kIdOk, kIdOk}, {"1.txt", "3.txt"}, 1, {0, 1, 2},
         "2件コピーしました。1件はコピーできませんでした"},
        {"none after Cancel", {0, 1, 2}, {kIdOk, kIdCancel}, {"1.txt"}, 1, {0, 1}, "1件コピーしました。1件はコピーできませんでした"},
        {"the last row fails: no question", {0, 1}, {kIdOk}, {"1.txt"}, 0, {0, 1}, "1件コピーしました。1件はコピーできませんでした"},
        {"the cursor row alone", {}, {}, {"4.txt"}, 0, {3}, "1件コピーしました"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        for (const std::string& n : fs.Names("C:\\b\\")) fs.RemoveFile("C:\\b\\" + n);
        prompts.messages.clear(), cursorRows.clear(), prompts.answers = c.answers;
        Listing& l = ListOf("C:\\a\\", c.marked, 3);
        const TransferResult r = CopyCommand(l, Into(l, "C:\\b\\"), fs, *this);
        EXPECT_EQ(c.copied, fs.Names("C:\\b\\"));
        EXPECT_EQ(0, l.table.MarkedCount);
        EXPECT_EQ(0u, l.table.MarkedBytes);
        const Strings told{std::string(kRowErrorTitle) + "|C:\\a\\2.txt" + kCopyFailed};
        EXPECT_EQ(c.marked.empty() ? Strings{} : told, Strings(prompts.messages.begin(), prompts.messages.begin() + (c.marked.empty() ? 0 : 1)));
        EXPECT_EQ(c.questions + (c.marked.empty() ? 0u : 1u), prompts.messages.size());
        EXPECT_EQ(c.cursor, cursorRows);
        EXPECT_EQ(c.said, r.said);
        EXPECT_FALSE(r.refresh);
    }
}

// Into the directory the file is in, the policy is asked: another name makes
// a second copy, the others copy nothing. A copy onto the program's own file
// becomes an update request. Only what was copied is counted.
TEST_F(Ops, ACopyIntoItsOwnDirectoryOrOntoTheProgram) {
    fs.File("C:\\a\\f.txt", "f");
    fs.File("C:\\p\\f.txt", "running");
    PendingUpdateRecord update{};
    const struct { DuplicatePolicy policy; const char* into; const char* said; } cases[] = {
        {DuplicatePolicy::OverwriteAll, "C:\\a\\", kSaidNothingCopied},
        {DuplicatePolicy::Rename, "C:\\a\\", "1件コピーしました"},
        {DuplicatePolicy::OverwriteAll, "C:\\p\\", kSaidNothingCopied}};
    for (const auto& c : cases) {
        duplicate = c.policy, prompts.lines = {"g.txt"}, asked = 0;
        Listing& l = ListOf("C:\\a\\");
        TransferRequest r = Into(l, c.into);
        r.ownExecutable = "C:\\p\\f.txt", r.pendingUpdate = &update;
        const TransferResult res = CopyCommand(l, r, fs, *this);
        EXPECT_EQ(c.said, res.said);
        EXPECT_EQ(c.into[3] == 'a', asked == 1);
        EXPECT_EQ(c.into[3] == 'a', res.refresh) << "the listed directory changes";
    }
    EXPECT_EQ((Strings{"f.txt", "g.txt"}), fs.Names("C:\\a\\"));
    EXPECT_EQ("f|f|running", fs.Content("C:\\a\\f.txt") + "|" + fs.Content("C:\\a\\g.txt") + "|" + fs.Content("C:\\p\\f.txt"));
    EXPECT_TRUE(update.pending);
}

TEST_F(Ops, MaskCopyAndMoveOverRows) {
    fs.aliases['E'] = 'C';
    // ソ ends in 0x5C: no separator.
    for (const char* n : {"T\\a.txt", "T\\b.doc", "T\\c.bin", "T\\in\\d.TXT", "T\\ソ.txt"}) fs.File(std::string("C:\\a\\") + n);
    fs.File("D:\\b\\");
    const struct { bool mask; const char* pattern; Strings top, inner; } copies[] = {
        {true, "*.txt;*.doc", {"a.txt", "b.doc", "in", "ソ.txt"}, {"d.TXT"}}, {true, "", {"in"}, {}},
        {false, "", {"a.txt", "b.doc", "c.bin", "in", "ソ.txt"}, {"d.TXT"}}};
    for (const auto& m : copies) {
        SCOPED_TRACE(m.pattern);
        DeleteTree(fs, *this, "D:\\b\\T", kAttrDirectory);
        Listing& l = ListOf("C:\\a\\", {0});
        TransferRequest r = Into(l, "D:\\b\\");
        r.mask = m.mask, r.pattern = m.pattern;
        EXPECT_EQ("1件コピーしました", CopyCommand(l, r, fs, *this).said);
        EXPECT_EQ(m.top, fs.Names("D:\\b\\T\\"));
        EXPECT_EQ(m.inner, fs.Names("D:\\b\\T\\in\\"));
    }
    // Into the listed directory through another letter: the list is read again.
    Listing& l = ListOf("C:\\a\\");
    duplicate = DuplicatePolicy::Skip;
    EXPECT_TRUE(CopyCommand(l, Into(l, "E:\\a\\"), fs, *this).refresh);
    // Move of the marked tree onto another volume: copied, then the source removed.
    ASSERT_TRUE(DeleteTree(fs, *this, "D:\\b\\T", kAttrDirectory));
    Listing& m = ListOf("C:\\a\\", {0});
    const TransferResult moved = MoveCommand(m, Into(m, "D:\\b\\"), fs, *this);
    EXPECT_EQ("1件移動しました", moved.said);
    EXPECT_TRUE(moved.refresh);
    EXPECT_EQ((Strings{}), fs.Names("C:\\a\\"));
    EXPECT_EQ((Strings{"a.txt", "b.doc", "c.bin", "in", "ソ.txt"}), fs.Names("D:\\b\\T\\"));
    EXPECT_EQ((Strings{"d.TXT"}), fs.Names("D:\\b\\T\\in\\"));
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
        for (const char* x : {"C:\\s\\D\\", "D:\\t\\D\\"}) {
            fs.File(x + std::string("same.txt"), "same");
            fs.File(x + std::string("sub\\deep.txt"), "deep");
        }
        fs.File("C:\\s\\D\\changed.txt", "longer now");
        fs.File("D:\\t\\D\\changed.txt", "short");
        fs.File("C:\\s\\D\\new.txt", "new");
        fs.File("D:\\t\\D\\extra.txt", "extra", kAttrReadOnly);
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
    FileId same, after;
    ASSERT_TRUE(fs.Identity("D:\\t\\D\\same.txt", same));
    const TransferResult r = Run("C:\\s\\", "D:\\t\\");
    EXPECT_EQ((Strings{"changed.txt", "new.txt", "same.txt", "sub"}), fs.Names("D:\\t\\D\\"));
    EXPECT_EQ("longer now", fs.Content("D:\\t\\D\\changed.txt"));
    ASSERT_TRUE(fs.Identity("D:\\t\\D\\same.txt", after));
    EXPECT_TRUE(after == same) << "an equal file is left as it is, not copied afresh";
    EXPECT_EQ((Ints{2, 2, 0}), (Ints{r.deleted, r.done, r.failed}));
    EXPECT_EQ("同一化複写しました。2件コピー、2件削除しました", r.said);
    EXPECT_EQ((std::vector<bool>{false, true}), ownerShown);
    EXPECT_EQ(0, asked) << "the policy is never asked";
    EXPECT_EQ((Strings{}), prompts.messages);
    EXPECT_EQ((Strings{}), errorLists);
}

TEST_F(Mirror, ThePrunePassAlone) {
    int deleted = 0;
    EXPECT_EQ(1, MirrorPrune(fs, *this, "C:\\s\\D\\", "D:\\none\\", deleted)) << "a target not there holds nothing";
    cancelAtPoll = 1;
    EXPECT_EQ(0, MirrorPrune(fs, *this, "C:\\s\\D\\", "D:\\t\\D\\", deleted));
    cancel = false;
    fs.unlistable = "C:\\s\\D\\";
    EXPECT_EQ(0, MirrorPrune(fs, *this, "C:\\s\\D\\", "D:\\t\\D\\", deleted)) << "a source that cannot be listed";
    EXPECT_EQ(0, deleted);
    fs.unlistable.clear();
    EXPECT_EQ(1, MirrorPrune(fs, *this, "C:\\s\\D\\", "D:\\t\\D\\", deleted));
    EXPECT_EQ(2, deleted);
    EXPECT_EQ((Strings{"changed.txt", "same.txt", "sub"}), fs.Names("D:\\t\\D\\"));
}

TEST_F(Mirror, DeletesNothingOnAnIncompleteSourceOrOverlappingTrees) {
    fs.File("C:\\s\\D\\D\\");
    fs.File("D:\\t\\D\\D\\");  // below the source: the same names as it
    const struct { const char* what; std::string from; const char* to; const char* unlistable; const char* message; } cases[] = {
        {"the source cannot be listed", "C:\\s\\", "D:\\t\\", "C:\\s\\D\\", kPruneFailed},
        {"the target inside the source", "C:\\s\\", "C:\\s\\D\\", "", kMirrorOverlap},
        {"the source inside the target", "C:\\s\\D\\", "C:\\s\\", "", kMirrorOverlap},
        {"one tree through two letters", "C:\\s\\", "E:\\s\\", "", kMirrorOverlap}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        prompts.messages.clear();
        fs.unlistable = c.unlistable;
        const Strings before = fs.Names("D:\\t\\D\\"), beforeSource = fs.Names("C:\\s\\D\\");
        EXPECT_EQ(kSaidMirrorStopped, Run(c.from, c.to).said);
        EXPECT_EQ(before, fs.Names("D:\\t\\D\\"));
        EXPECT_EQ(beforeSource, fs.Names("C:\\s\\D\\"));
        ASSERT_EQ(1u, prompts.messages.size());
        EXPECT_EQ(0u, prompts.messages[0].find(std::string(kMirrorErrorTitle) + "|"));
        EXPECT_NE(std::string::npos, prompts.messages[0].find(c.message)) << prompts.messages[0];
    }
}

TEST_F(Mirror, FailuresAreListedAndTheLogGoes) {
    fs.held = {fs.Key("C:\\s\\D\\new.txt"), fs.Key("C:\\s\\D\\changed.txt")};
    // An empty file where the target has a directory of its name and time: never equal.
    fs.File("C:\\s\\D\\empty", "");
    fs.File("D:\\t\\D\\empty\\");
    const TransferResult r = Run("C:\\s\\", "D:\\t\\");
    EXPECT_EQ((Strings{"C:\\QRN1.TMP|C:\\s\\D\\changed.txt\nC:\\s\\D\\empty\nC:\\s\\D\\new.txt\n"}), errorLists);
    EXPECT_EQ("(none)", fs.Content("C:\\QRN1.TMP")) << "the log goes once it was shown";
    EXPECT_EQ(3, r.failed);
    EXPECT_EQ((Strings{}), prompts.messages) << "the tree itself was copied";
}

// A file moved onto a target that exists: by the policy, never losing the
// file, and the old target kept until the new one is in its place.
TEST_F(Ops, AMovedFileNeverLosesItselfOrTheTargetBeforeItIsReplaced) {
    const struct { const char* what; bool exists; DuplicatePolicy policy; int sourceAge; bool readOnlyTarget; const char* into;
                   unsigned replaceError; bool noIdentity; int failWrite, result; const char* source; const char* target; } cases[] = {
        {"no target yet", false, DuplicatePolicy::OverwriteAll, 0, false, "C:\\o\\", 0, false, 0, 1, "(none)", "new"},
        {"overwrite a read-only target", true, DuplicatePolicy::OverwriteAll, 0, true, "C:\\o\\", 0, false, 0, 1, "(none)", "new"},
        {"newer only, the source older", true, DuplicatePolicy::CopyNewer, -10, false, "C:\\o\\", 0, false, 0, 1, "new", "old"},
        {"newer only, the source newer", true, DuplicatePolicy::CopyNewer, 10, false, "C:\\o\\", 0, false, 0, 1, "(none)", "new"},
        {"do not move", true, DuplicatePolicy::Skip, 10, false, "C:\\o\\", 0, false, 0, 1, "new", "old"},
        {"the system refuses the replace", true, DuplicatePolicy::OverwriteAll, 0, false, "C:\\o\\", kErrAccessDenied, false, 0,
         0, "new", "old"},
        {"no target yet on another volume", false, DuplicatePolicy::OverwriteAll, 0, false, "D:\\o\\", 0, false, 0, 1, "(none)", "new"},
        {"another volume: the copy fails", false, DuplicatePolicy::OverwriteAll, 0, false, "D:\\o\\", 0, false, 1, 0, "new",
         "(none)"},
        {"a read-only target on another volume", true, DuplicatePolicy::OverwriteAll, 0, true, "D:\\o\\", 0, false, 0, 1, "(none)",
         "new"},
        {"another volume, no identity to tell it is not the source", true, DuplicatePolicy::OverwriteAll, 0, false, "D:\\o\\", 0,
         true, 0, 0, "new", "old"},
        {"onto itself, overwrite", true, DuplicatePolicy::OverwriteAll, 0, false, "C:\\s\\", 0, false, 0, 1, "new", "new"},
        {"onto itself, taken for another volume", true, DuplicatePolicy::OverwriteAll, 0, false, "C:\\s\\", kErrNotSameDevice,
         false, 0, 1, "new", "new"},
        {"onto itself through another letter", true, DuplicatePolicy::OverwriteAll, 0, false, "E:\\s\\", 0, false, 0, 1, "new",
         "new"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fs = MemoryFs{};
        fs.aliases['E'] = 'C';
        const std::string target = std::string(c.into) + "f.txt";
        fs.File("C:\\s\\f.txt", "new", kAttrArchive, kT0 + c.sourceAge * kSecond);
        fs.File(c.into);
        if (c.exists && c.into[3] == 'o') fs.File(target, "old", c.readOnlyTarget ? kAttrReadOnly : kAttrArchive);
        duplicate = c.policy, asked = 0;
        fs.replaceError = c.replaceError, fs.noIdentity = c.noIdentity, fs.failWrite = c.failWrite;
        CopyJob job = Job();
        EXPECT_EQ(c.result, MoveEntry(job, "C:\\s\\", c.into, "f.txt", kAttrArchive));
        EXPECT_EQ(c.source, fs.Content("C:\\s\\f.txt"));
        EXPECT_EQ(c.target, fs.Content(target));
        EXPECT_EQ(c.exists ? 1 : 0, asked);  // the policy is asked once there is a target
        if (c.into[3] == 'o') EXPECT_EQ(c.exists || c.result ? Strings{"f.txt"} : Strings{}, fs.Names(c.into)) << "no temporary file";
        if (c.result && c.source[0] == '(') EXPECT_EQ(kT0 + c.sourceAge * kSecond, fs.Stat(target).writeTime);
    }
}

// Directories are rebuilt at the target with their contents moved; one that
// would go into itself, or is there already, is left as it is.
TEST_F(Ops, MovingDirectoryTrees) {
    fs.aliases['E'] = 'C';
    fs.File("C:\\a\\D\\x.txt", "x");
    fs.File("C:\\a\\D\\sub\\y.txt", "y");
    fs.File("C:\\a\\Empty\\");
    CopyJob job = Job();
    for (const char* into : {"C:\\a\\D\\sub\\", "E:\\a\\D\\sub\\"}) {
        SCOPED_TRACE(into);
        prompts.messages.clear();
        EXPECT_EQ(0, MoveEntry(job, "C:\\a\\", into, "D", kAttrDirectory));
        EXPECT_EQ((Strings{std::string(kErrorTitle) + "|C:\\a\\D" + kMoveIntoItself}), prompts.messages);
        EXPECT_EQ((Strings{"sub", "x.txt"}), fs.Names("C:\\a\\D\\"));
    }
    for (const char* name : {"D", "Empty"})  // onto itself: an empty directory too stays
        EXPECT_EQ(1, MoveEntry(job, "C:\\a\\", "E:\\a\\", name, kAttrDirectory)) << name;
    EXPECT_EQ((Strings{"D", "Empty"}), fs.Names("C:\\a\\"));
    EXPECT_EQ((Strings{"sub", "x.txt"}), fs.Names("C:\\a\\D\\"));
    // A file that will not move: the rest goes, the source keeps what stayed.
    fs.File("C:\\a\\D\\stuck.txt", "s");
    fs.SetAttributes("C:\\a\\D", kAttrReadOnly);
    fs.held = {fs.Key("C:\\a\\D\\stuck.txt")};
    prompts.messages.clear();
    EXPECT_EQ(1, MoveEntry(job, "C:\\a\\", "D:\\", "D", kAttrDirectory | kAttrReadOnly));
    EXPECT_EQ((Strings{std::string(kConfirmTitle) + "|" + kMoveFailedContinue}), prompts.messages);
    EXPECT_EQ((Strings{"stuck.txt"}), fs.Names("C:\\a\\D\\"));
    EXPECT_EQ(kAttrDirectory | kAttrReadOnly, fs.Stat("C:\\a\\D").attributes) << "the directory that stays keeps its attribute";
    EXPECT_EQ((Strings{"sub", "x.txt"}), fs.Names("D:\\D\\"));
    EXPECT_EQ("y", fs.Content("D:\\D\\sub\\y.txt"));
    fs.held.clear();
    EXPECT_EQ(1, MoveEntry(job, "C:\\a\\", "D:\\", "D", kAttrDirectory | kAttrReadOnly)) << "and then the rest";
    EXPECT_FALSE(fs.Stat("C:\\a\\D").exists);
    EXPECT_EQ((Strings{"stuck.txt", "sub", "x.txt"}), fs.Names("D:\\D\\"));
    EXPECT_EQ(kAttrDirectory | kAttrReadOnly, fs.Stat("D:\\D").attributes);
}

// Delete asks first, and again for a read-only, hidden or system file; a
// tree goes whole; "." and ".." are never deleted.
TEST_F(Ops, DeletingAsksAndTakesTheWholeTree) {
    const struct { const char* what; const char* name; std::uint32_t attributes; std::deque<int> answers; Strings asked; bool gone; } cases[] = {
        {"a file", "a.txt", kAttrArchive, {kIdOk}, {""}, true},
        {"refused at the first question", "a.txt", kAttrArchive, {kIdCancel}, {""}, false},
        {"a read-only file, refused", "a.txt", kAttrReadOnly, {kIdOk, kIdCancel}, {"", kReadOnlyFile}, false},
        {"a read-only file, agreed", "a.txt", kAttrReadOnly, {kIdOk, kIdOk}, {"", kReadOnlyFile}, true},
        {"hidden and system: the system question alone", "a.txt", kAttrHidden | kAttrSystem, {kIdOk, kIdOk}, {"", kSystemFile}, true},
        {"a tree with a read-only file", "d", kAttrDirectory, {kIdOk}, {""}, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fs = MemoryFs{};
        fs.File("C:\\t\\keep.txt");
        if (c.attributes & kAttrDirectory) fs.File("C:\\t\\d\\in\\r.txt", "r", kAttrReadOnly);
        else fs.File(std::string("C:\\t\\") + c.name, "a", c.attributes);
        prompts.answers = c.answers, prompts.messages.clear();
        Listing& l = ListOf("C:\\t\\");
        const InPlaceResult r = DeleteCommand(l, "C:\\t\\", fs, *this);
        Strings expected;
        for (const std::string& a : c.asked) expected.push_back(std::string(kDeleteTitle) + "|C:\\t\\" + c.name + a);
        EXPECT_EQ(expected, prompts.messages);
        EXPECT_EQ((c.gone ? Strings{"keep.txt"} : Strings{c.name, "keep.txt"}), fs.Names("C:\\t\\"));
        EXPECT_EQ(c.gone ? Said(kSaidDeleted, 1) : kSaidNothingDeleted, r.said);
    }
    // A marked ".." ahead of a file is left alone, and the question still comes.
    Listing& l = ListOf("C:\\t\\");
    l.table.rows[1] = l.table.rows[0];
    l.table.rows[0] = Row("..", kAttrDirectory);
    l.table.EntryCount = 2;
    SetMark(l.table, 0, true), SetMark(l.table, 1, true);
    prompts.messages.clear(), prompts.answers = {kIdCancel};
    const InPlaceResult refused = DeleteCommand(l, "C:\\t\\", fs, *this);
    EXPECT_EQ((Strings{std::string(kDeleteTitle) + "|C:\\t\\keep.txt"}), prompts.messages);
    EXPECT_EQ((Strings{"keep.txt"}), fs.Names("C:\\t\\"));
    EXPECT_EQ(0, refused.done);
    EXPECT_EQ(0, l.table.MarkedCount);
    // What cannot be deleted keeps its attributes, and so does its directory;
    // the rest of the tree goes.
    fs.File("C:\\t\\h\\held.txt", "h", kAttrReadOnly | kAttrHidden);
    fs.File("C:\\t\\h\\other.txt");
    fs.SetAttributes("C:\\t\\h", kAttrReadOnly);
    fs.held = {fs.Key("C:\\t\\h\\held.txt")};
    cancel = false;  // the refusal stopped that command; the next one starts afresh
    EXPECT_EQ(0, DeleteTree(fs, *this, "C:\\t\\h", kAttrDirectory | kAttrReadOnly));
    EXPECT_EQ((Strings{"held.txt"}), fs.Names("C:\\t\\h\\"));
    EXPECT_EQ(kAttrReadOnly | kAttrHidden, fs.Stat("C:\\t\\h\\held.txt").attributes);
    EXPECT_EQ(kAttrDirectory | kAttrReadOnly, fs.Stat("C:\\t\\h").attributes);
    EXPECT_EQ("C:\\t\\l" + std::string(kLinkNotDeleted), LinksLeftText("C:\\t\\l", {"C:\\t\\l"}));
}

// Names typed wrong, taken or only in another letter case; directories made
// where they can be; the volume label.
TEST_F(Ops, RenameMakeDirectoryAndTheVolumeLabel) {
    fs.File("C:\\t\\a.txt");
    fs.File("C:\\t\\b.txt");
    const struct { std::string typed; bool keepExtension; const char* shown; const char* told; Strings names; } renames[] = {
        {"", false, "a.txt", kRenameFailed, {"a.txt", "b.txt"}},
        {std::string(300, 'n'), false, "a.txt", kRenameFailed, {"a.txt", "b.txt"}},
        {"b.txt", false, "a.txt", kRenameExists, {"a.txt", "b.txt"}},
        {"A.TXT", false, "a.txt", nullptr, {"A.TXT", "b.txt"}},  // the letter case alone changes too
        {"c", true, "A", nullptr, {"b.txt", "c.TXT"}}};
    for (const auto& c : renames) {
        SCOPED_TRACE(c.typed);
        prompts.messages.clear(), prompts.inputs.clear(), prompts.lines = {c.typed};
        Listing& l = ListOf("C:\\t\\");
        const InPlaceResult r = RenameCommand(l, "C:\\t\\", fs, *this, c.keepExtension);
        EXPECT_EQ((Strings{std::string(kNewNameTitle) + "|" + c.shown}), prompts.inputs);
        EXPECT_EQ(c.told ? Strings{std::string(kRenameFailedTitle) + "|" + c.told} : Strings{}, prompts.messages);
        EXPECT_EQ(c.told ? 0 : 1, r.done);
        EXPECT_EQ(c.names, fs.Names("C:\\t\\"));
    }
    const struct { std::string typed; const char* made; bool ok; std::size_t told; } dirs[] = {
        {"", nullptr, false, 0}, {"new", "C:\\t\\new", true, 0}, {"new", nullptr, false, 0}, {"D:\\abs", "D:\\abs", true, 0},
        {"none\\sub", nullptr, false, 0}, {std::string(300, 'n'), nullptr, false, 1}};
    for (const auto& d : dirs) {
        SCOPED_TRACE(d.typed);
        prompts.messages.clear(), prompts.lines = {d.typed};
        const InPlaceResult r = MakeDirectoryCommand("C:\\t\\", fs, *this);
        EXPECT_EQ(d.ok ? 1 : 0, r.done);
        if (d.made) EXPECT_EQ(kAttrDirectory, fs.Stat(d.made).attributes);
        EXPECT_EQ(d.typed.empty() ? "" : d.ok ? "ディレクトリ " + d.typed + " を作りました" : kSaidDirectoryNotMade, r.said);
        EXPECT_EQ(d.told, prompts.messages.size());
    }
    Listing& l = ListOf("C:\\t\\");
    l.table.rows[0] = Row("OLD", kAttrLabel);
    const struct { std::deque<std::string> typed; const char* label; const char* said; bool told; } labels[] = {
        {{"NEWLABEL"}, "NEWLABEL", "ボリュームラベルを NEWLABEL にしました", false},
        {{"123456789012"}, "NEWLABEL", "", true}, {{}, "NEWLABEL", "", false}, {{""}, "", kSaidLabelRemoved, false}};
    for (const auto& v : labels) {
        prompts.messages.clear(), prompts.inputs.clear(), prompts.lines = v.typed;
        EXPECT_EQ(v.said, VolumeLabelCommand(l, "C:\\t\\", fs, *this).said);
        EXPECT_EQ(v.label, fs.volumes['C'].label);
        EXPECT_EQ((Strings{std::string(kVolumeLabelTitle) + "|OLD"}), prompts.inputs);
        EXPECT_EQ(v.told ? Strings{std::string(kLabelErrorTitle) + "|" + kLabelTooLong} : Strings{}, prompts.messages);
    }
}

}  // namespace
