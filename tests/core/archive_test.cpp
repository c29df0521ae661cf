// The archive commands against recording libraries: the lines of each kind,
// the order of the marked rows, the marks, the response file, releases.
#include "archive/archive_commands.h"
#include "archive/archive_texts.h"
#include "core_test.h"

using namespace qrn;
using namespace qrn::test;

namespace {

const char* const kKindNames[] = {"LHA", "ZIP", "CAB", "TAR", "ISH"};

// Each library logs its loading, the questions put to it, every line and its release.
struct RecordingArchivers : ArchivePlatform {
    Strings log;
    std::string missing, running, failing;  // kinds (letters L Z C T I) refused, busy; lines that fail
    bool responseFails = false;
    std::map<std::string, std::string> files;  // the temporary files as they were at each call

    struct Library : Archiver {
        RecordingArchivers& p;
        const char* name;
        Library(RecordingArchivers& owner, const char* n) : p(owner), name(n) {}
        ~Library() override { p.log.push_back(std::string("release ") + name); }
        bool Running() override { return p.running.find(name[0]) != std::string::npos; }
        void SetModes() override { p.log.push_back("modes"); }
        int Call(void*, const std::string& line) override {
            p.log.push_back(line);
            for (auto& [path, text] : p.files) p.log.push_back("  " + path + ": " + text);
            return !p.failing.empty() && line.find(p.failing) != std::string::npos;
        }
    };
    std::unique_ptr<Archiver> Load(void*, ArchiverKind kind) override {
        const char* name = kKindNames[static_cast<int>(kind)];
        if (missing.find(name[0]) != std::string::npos) return log.push_back(std::string("refused ") + name), nullptr;
        log.push_back(std::string("load ") + name);
        return std::make_unique<Library>(*this, name);
    }
    bool WriteTemporary(const std::string& text, std::string& path) override {
        if (responseFails) return false;
        path = "T:\\QRN1.TMP";
        return files[path] = text, true;
    }
    void Remove(const std::string& path) override { log.push_back("remove " + path), files.erase(path); }
};

struct ArchiveTest : ::testing::Test {
    Listing& l = TestListing();
    Settings s{};
    RecordingArchivers p;
    ScriptedPrompts ui;
    int countsShown = 0;
    ArchiveCommand c{l, s, p, nullptr, [this] { ++countsShown; }};
    void SetUp() override {
        DefaultSettings(s);  // the lines below are those of the default options
        std::strcpy(l.CurrentDir, "C:\\ARC\\");
        for (const char* name : {"a.lzh", "b.txt", "c.LZH", "d.zip", "x.tar.Z", "README", "e.cab", "f.tar"})
            l.table.rows[l.table.EntryCount++] = Row(name, kAttrArchive, 10);
    }
    void Mark(const Ints& rows) {
        for (int r : rows) SetMark(l.table, r, true);
    }
    Ints Marked() {
        Ints v;
        for (int i = 0; i < l.table.EntryCount; ++i)
            if (l.table.rows[i].mark) v.push_back(i);
        return v;
    }
};

}  // namespace

// The line of each kind, the kind found from the extension in any case.
TEST_F(ArchiveTest, UnpackLines) {
    const struct { const char* dir; const char* name; bool makeDir; std::string line; } rows[] = {
        {"C:\\ARC\\", "a.lzh", true, "x -a1 \"C:\\ARC\\a.lzh\" \"D:\\OUT\\a\\\""},
        {"C:\\ARC\\", "a.Lzh", false, "x -a1 \"C:\\ARC\\a.Lzh\" \"D:\\OUT\\\""},
        {"C:\\ソ\\", "ソ.zip", true, "-x \"C:\\ソ\\ソ.zip\" \"D:\\OUT\\ソ\\\""},
        {"C:\\ARC\\", "E.CAB", false, "-x \"C:\\ARC\\E.CAB\" \"D:\\OUT\\\""},
        {"C:\\ARC\\", "b.tar", true, "xvf \"C:\\ARC\\b.tar\" -o \"D:\\OUT\\b\\"},
        {"C:\\ARC\\", "x.tar.z", true, "zxvf \"C:\\ARC\\x.tar.z\" -o \"D:\\OUT\\x.tar\\"},
        {"C:\\ARC\\", "d.tgz", true, "/q C:\\ARC\\d.tgz /f=D:\\OUT\\d\\"},
        {"C:\\ARC\\", "README", true, "/q C:\\ARC\\README /f=D:\\OUT\\README\\"}};
    for (const auto& r : rows)
        EXPECT_EQ(r.line, UnpackLine(s, UnpackKindOf(r.name), r.dir, r.name, "D:\\OUT\\", r.makeDir)) << r.name;
}

// Marked a.lzh, b.txt, c.LZH (and x.tar.Z): the library of the first marked
// row's kind takes all of its kind in one loading, then the next still marked.
TEST_F(ArchiveTest, UnpackKindByKind) {
    Mark({0, 1, 2, 4});
    ui.answers = {kIdOk};
    ArchiveResult r = UnpackArchives(c, "D:\\OUT\\");
    EXPECT_EQ((Strings{"load LHA", "modes", "x -a1 \"C:\\ARC\\a.lzh\" \"D:\\OUT\\a\\\"",
                       "x -a1 \"C:\\ARC\\c.LZH\" \"D:\\OUT\\c\\\"", "release LHA", "load ISH",
                       "/q C:\\ARC\\b.txt /f=D:\\OUT\\b\\", "release ISH", "load TAR", "modes",
                       "zxvf \"C:\\ARC\\x.tar.Z\" -o \"D:\\OUT\\x.tar\\", "release TAR"}),
              p.log);
    EXPECT_EQ((Strings{std::string(kSubdirectoryTitle) + "|" + kSubdirectoryQuestion}), ui.messages);
    EXPECT_EQ((Ints{}), Marked());
    EXPECT_EQ(4, countsShown);
    EXPECT_TRUE(r.refresh);
    EXPECT_EQ("4件を解凍しました", r.said);
    // Cancel: straight into the destination. A library that is refused or
    // busy leaves its rows marked and is asked once; the other kinds go on; a
    // failing line is counted.
    p.log.clear(), ui.messages.clear();
    Mark({0, 2, 3, 5});
    ui.answers = {kIdCancel};
    p.missing = "L", p.running = "I", p.failing = "d.zip";
    r = UnpackArchives(c, "D:\\OUT\\");
    EXPECT_EQ((Strings{"refused LHA", "load ZIP", "modes", "-x \"C:\\ARC\\d.zip\" \"D:\\OUT\\\"",
                       "release ZIP", "load ISH", "release ISH"}),
              p.log);
    EXPECT_EQ(std::string(kArchiverMessageTitle) + "|ISH32.DLL は現在実行中です。", ui.messages.back());
    EXPECT_EQ((Ints{0, 2, 5}), Marked());
    EXPECT_EQ("0件を解凍しました。1件は失敗しました", r.said);
    // Nothing marked: the cursor row alone, though rows of its kind follow; no question.
    p.log.clear(), ui.messages.clear(), p.missing = p.running = "";
    ClearAllMarks(l.table);
    l.CursorIndex = 0;
    UnpackArchives(c, "D:\\OUT\\");
    EXPECT_EQ((Strings{"load LHA", "modes", "x -a1 \"C:\\ARC\\a.lzh\" \"D:\\OUT\\\"", "release LHA"}), p.log);
    EXPECT_EQ((Strings{}), ui.messages);
    // A marked directory named like an archive is none: left out, still marked.
    p.log.clear();
    l.table.rows[3].attributes = kAttrDirectory;
    Mark({0, 3});
    ui.answers = {kIdCancel};
    UnpackArchives(c, "D:\\OUT\\");
    EXPECT_EQ((Strings{"load LHA", "modes", "x -a1 \"C:\\ARC\\a.lzh\" \"D:\\OUT\\\"", "release LHA"}), p.log);
    EXPECT_EQ((Ints{3}), Marked());
}

TEST_F(ArchiveTest, PackTheCursorRowOrTheMarkedRows) {
    l.CursorIndex = 1;
    ui.lines = {"b"};
    ArchiveResult r = PackEntries(c, ArchiverKind::Lha);
    EXPECT_EQ((Strings{"load LHA", "modes", "a -a1 -d1 \"b\" \"b.txt\"", "release LHA"}), p.log);
    EXPECT_EQ((Strings{std::string(kLzhNameTitle) + "|b"}), ui.inputs);
    EXPECT_EQ("1件を書庫にしました", r.said);
    // Three marked: one response file with their names, gone after the call.
    p.log.clear(), ui.inputs.clear();
    s.FileNameGet = 0;
    Mark({0, 3, 5});
    ui.lines = {"t.tar"};
    p.failing = "t.tar";
    r = PackEntries(c, ArchiverKind::Tar);
    EXPECT_EQ((Strings{"load TAR", "modes", "-cvf \"t.tar\" @T:\\QRN1.TMP",
                       "  T:\\QRN1.TMP: \"a.lzh\"\r\n\"d.zip\"\r\n\"README\"\r\n", "remove T:\\QRN1.TMP", "release TAR"}),
              p.log);
    EXPECT_EQ((Strings{std::string(kTarNameTitle) + "|"}), ui.inputs);
    EXPECT_EQ((Ints{}), Marked());
    EXPECT_EQ(std::string(kSaidNotPacked), r.said);
    EXPECT_TRUE(p.files.empty());
}

// Every way a pack ends early releases the library, keeps the marks and
// leaves the list as it is.
TEST_F(ArchiveTest, PackEndingEarly) {
    const struct { const char* running; bool cancel, responseFails; Strings log; std::string message; } rows[] = {
        {"L", false, false, {"load LHA", "release LHA"}, std::string(kArchiverMessageTitle) + "|UNLHA32.DLL は現在実行中です。"},
        {"", true, false, {"load LHA", "release LHA"}, ""},
        {"", false, true, {"load LHA", "modes", "release LHA"}, std::string(kResponseFileTitle) + "|" + kResponseFileFailed}};
    for (const auto& r : rows) {
        p.log.clear(), ui.messages.clear(), ui.lines.clear();
        Mark({1, 2});
        p.running = r.running, p.responseFails = r.responseFails;
        if (!r.cancel) ui.lines = {"x"};
        const ArchiveResult result = PackEntries(c, ArchiverKind::Lha);
        EXPECT_EQ(r.log, p.log);
        EXPECT_EQ(r.message, ui.messages.empty() ? "" : ui.messages.back());
        EXPECT_EQ((Ints{1, 2}), Marked());
        EXPECT_FALSE(result.refresh);
    }
}

TEST_F(ArchiveTest, IshMakeFirstWithSThenYA) {
    Mark({1, 3, 6});
    ui.lines = {"out"};
    p.failing = "d.zip";
    ArchiveResult r = MakeIsh(c, "D:\\OUT\\");
    EXPECT_EQ((Strings{"load ISH", "/f=D:\\OUT\\ /s out.ISH b.txt", "/f=D:\\OUT\\ /YA out.ISH d.zip", "release ISH"}),
              p.log);  // the walk ends at the first failure
    EXPECT_EQ((Strings{std::string(kIshNameTitle) + "|a"}), ui.inputs);  // the cursor row's name offered
    EXPECT_EQ((Ints{}), Marked());
    EXPECT_EQ("1件をISHにしました。1件は失敗しました", r.said);
    p.log.clear();
    ui.lines = {"out"};
    MakeIsh(c, "D:\\OUT\\");
    EXPECT_EQ((Strings{"load ISH", "/f=D:\\OUT\\ /s out a.lzh", "release ISH"}), p.log);
}
