// The drive window's keys and input line; the destination window's listing and keys; the main window's stored place.
#include "base/startup.h"
#include "listing/sort.h"
#include "windows/destination.h"
#include "windows/drive_choice.h"
#include "windows/windows_texts.h"
#include "core_test.h"

using namespace qrn;
using namespace qrn::test;

namespace {

// Drives by letter ("ACU": A, C and U are there), their current directories, SET_DIR and the remembered one.
struct FakeDrives : DriveSource {
    std::string available = "ACU", remembered, set1;
    int beeps = 0, rebuilds = 0;
    bool Available(int d) override { return available.find(static_cast<char>('A' + d)) != std::string::npos; }
    char Kind(int d) override { return Available(d) ? 'H' : 1; }
    bool CurrentDirectory(char letter, char* out, std::size_t size) override {
        return std::snprintf(out, size, "%c:\\cur\\", letter) > 0;
    }
    void RebuildDriveTypes() override { ++rebuilds; }
    void OneKeyDirectory(int n, char* out, std::size_t size) override { std::snprintf(out, size, "%s", n == 1 ? set1.c_str() : ""); }
    const char* RememberedDir() override { return remembered.c_str(); }
    void Beep() override { ++beeps; }
};

// Events: "k<key>" a key-down (letters name keys: L left, R right, E enter, X escape, I insert, T tab, ","),
// "c<text>" typed bytes, "b" Backspace, "@<x>" a click in character cell x of the letters' line (8 x 16 pixels;
// A takes cells 7 and 8).
void Play(DriveInput& d, FakeDrives& f, const std::vector<std::string>& events) {
    for (const std::string& e : events) {
        if (e[0] == 'c') for (char c : e.substr(1)) DriveChar(d, static_cast<unsigned char>(c));
        if (e[0] == 'b') DriveChar(d, kKeyBack);
        if (e[0] == '@') DriveClick(d, std::stoi(e.substr(1)) * 8 + 3, 2 * 16 + 5, 8, 16, f);
        if (e[0] != 'k') continue;
        const char k = e[1];
        const int key = k == 'L' ? kKeyLeft : k == 'R' ? kKeyRight : k == 'E' ? kKeyReturn : k == 'X' ? kKeyEscape
                      : k == 'I' ? kKeyInsert : k == 'T' ? kKeyTab : k == ',' ? kKeyComma : k;
        DriveKey(d, key, f);
    }
}

}  // namespace

TEST(DriveWindow, KeysTypedPathsAndClicks) {
    const std::string long259(259, 'p');
    const struct { std::vector<std::string> events; int result; std::string choice; int selected; std::string typed; } cases[] = {
        {{}, 0, "", 20, ""},                                       // on the drive of the listed directory
        {{"k3"}, 1, "C:\\cur\\", 2, ""}, {{"k5"}, 0, "", 20, ""},  // E: is not there
        {{"c5d9", "kE"}, 1, "d9\\", 20, "d9"},                     // a digit first is no character
        {{"cc", "kE"}, 1, "C:\\cur\\", 20, "c"}, {{"cc:", "kE"}, 1, "C:\\cur\\", 20, "c:"},
        {{"cc:\\Work", "kE"}, 1, "c:\\Work\\", 20, "c:\\Work"}, {{"cab\\", "kE"}, 1, "ab\\", 20, "ab\\"},
        {{"ca\x83\x5c", "b", "kE"}, 1, "A:\\cur\\", 20, "a"},    // Backspace takes both bytes of "ソ"
        {{"b", "c\t#", "kE"}, 1, "U:\\cur\\", 20, ""},          // nothing to take back; Tab and '#' ignored
        {{"kR"}, 0, "", 0, ""}, {{"kL"}, 0, "", 2, ""}, {{"kL", "kL", "kL"}, 0, "", 20, ""},  // wrapping both ways
        {{"cx", "kR"}, 0, "", 0, ""},                              // a step starts the line afresh
        {{"kX"}, -1, "", 20, ""}, {{"kI"}, 0, "", 20, ""},         // nothing remembered
        {{"@11"}, 1, "C:\\cur\\", 2, ""}, {{"@12"}, 1, "C:\\cur\\", 2, ""}, {{"@13"}, 0, "", 20, ""},  // D: is not there
        {{"@59"}, 0, "", 20, ""}, {{"@6"}, 0, "", 20, ""},         // beside the letters
        {{"c" + long259 + "q", "kE"}, 0, "", 20, long259},         // 259 bytes fit, the closing "\" does not
        {{"c" + std::string(258, 'p') + "\x83\x41" "z"}, 0, "", 20, std::string(258, 'p') + "z"}};  // no room for "ア"
    for (const auto& c : cases) {
        FakeDrives f;
        DriveInput d;
        StartDriveInput(d, "u:\\work\\");
        Play(d, f, c.events);
        SCOPED_TRACE(c.events.empty() ? "start" : c.events.back());
        EXPECT_EQ((Ints{c.result, c.selected}), (Ints{static_cast<int>(d.result), d.selected}));
        EXPECT_EQ(c.choice, d.choice);
        EXPECT_EQ(c.typed, std::string(d.line, d.caret));
        if (c.events.empty()) EXPECT_EQ("U:  ", std::string(d.line, 4));
        EXPECT_EQ(static_cast<std::size_t>(kDriveLineLength), std::strlen(d.line));
    }
    FakeDrives f;
    f.remembered = "D:\\kept\\", f.set1 = "C:\\one\\", f.available = "U";
    const struct { std::vector<std::string> events; int result; const char* choice; } more[] = {
        {{"kI"}, 2, "D:\\kept\\"}, {{"k,"}, 2, "C:\\one\\"}, {{"ca", "k,"}, 0, ""},  // a period may be typed in a path
        {{"kL", "kR", "@21"}, 0, ""}};  // no other drive: Left and Right stay; V: beeps
    for (const auto& c : more) {
        DriveInput d;
        StartDriveInput(d, "U:\\");
        Play(d, f, c.events);
        EXPECT_EQ(c.result, static_cast<int>(d.result));
        EXPECT_STREQ(c.choice, d.choice);
        EXPECT_EQ(20, d.selected);
    }
    DriveInput d;
    DriveKey(d, kKeyTab, f);
    DriveKey(d, kKeyEnd, f);
    EXPECT_EQ((Ints{2, 1}), (Ints{f.rebuilds, f.beeps}));  // the beep was V's
    const struct { char kind; bool check, refused, available; } kinds[] = {
        {0, true, false, false}, {1, false, false, false}, {'H', true, true, true}, {'F', true, true, false},
        {'C', true, false, true}, {'C', false, true, true}, {'N', true, true, true}};
    for (const auto& k : kinds) EXPECT_EQ(k.available, DriveAvailableByKind(k.kind, k.check, k.refused)) << int(k.kind);
}

namespace {

struct SortingDisk : FakeDisk {
    void Sort(EntryTable& t) override {
        SortEntries(t.rows, t.EntryCount, SortSpec{1, 1, [](const char* a, const char* b) { return std::strcmp(a, b); }, UpperAscii});
    }
};

Strings Names(const DestinationView& v) { return NamesOf(v.table.rows, v.table.EntryCount); }

}  // namespace

TEST(Destination, ReadsDirectoriesFirstAndAtMost510Entries) {
    static DestinationView v;
    Settings s;
    DefaultSettings(s);
    SortingDisk disk;
    disk.dirs["C:\\w\\"] = {Row(".", 0x10), Row("..", 0x10), Row("z.txt"), Row("b", 0x10), Row("a.txt"),
                            Row("hid", 0x12), Row("sys.txt", 0x24), Row("a", 0x10)};
    const struct { int sortAuto, system, hidden; bool dirsOnly; Strings names; } cases[] = {
        {kSortAutoOn, 1, 1, false, {kExecutionRowName, "..", "hid", "a", "b", "sys.txt", "a.txt", "z.txt"}},  // groups
        {kSortAutoOff, 1, 1, false, {kExecutionRowName, "..", "b", "hid", "a", "z.txt", "a.txt", "sys.txt"}},
        {kSortAutoOn, 0, 0, false, {kExecutionRowName, "..", "a", "b", "a.txt", "z.txt"}},
        {kSortAutoOn, 1, 1, true, {kExecutionRowName, "..", "hid", "a", "b"}}};
    for (const auto& c : cases) {
        StartDestination(v, s, "C:\\w");
        s.SortAuto = c.sortAuto, s.SystemDisp = c.system, s.HiddenDisp = c.hidden, v.DirectoriesOnly = c.dirsOnly;
        EXPECT_EQ(static_cast<int>(c.names.size()), ReadDestination(v, s, disk));
        EXPECT_EQ(c.names, Names(v));
        EXPECT_EQ((Ints{kAttrExecutionRow, 0}), (Ints{static_cast<int>(v.table.rows[0].attributes), v.table.rows[v.table.EntryCount].name[0]}));
    }
    const Rgb green = v.colors[RowColor(v.table.rows[0])];  // the execution row
    EXPECT_EQ((Ints{0, 255, 0}), (Ints{green.r, green.g, green.b}));
    for (int i = 0; i < 600; ++i) disk.dirs["C:\\many\\"].push_back(Row(("d" + std::to_string(1000 + i)).c_str(), 0x10));
    disk.dirs["C:\\many\\"].push_back(Row("file.txt"));
    StartDestination(v, s, "C:\\many\\");
    EXPECT_EQ(511, ReadDestination(v, s, disk));
    EXPECT_EQ("d1509", Names(v).back());  // no file behind 510 directories
    StartDestination(v, s, "C:\\gone\\");
    EXPECT_EQ(0, ReadDestination(v, s, disk));
    StartDestination(v, s, "E:\\");  // an empty medium keeps its execution row; one not ready has none
    EXPECT_EQ((Strings{kExecutionRowName}), (ReadDestination(v, s, disk), Names(v)));
    disk.notReady = "E";
    EXPECT_EQ(0, ReadDestination(v, s, disk));
}

TEST(Destination, KeysAndClicksWalkTheTree) {
    static DestinationView v;
    Settings s;
    DefaultSettings(s);
    SortingDisk disk;
    disk.dirs["C:\\a\\b\\"] = {Row("..", 0x10), Row("sub", 0x10), Row("f.txt")};
    disk.dirs["C:\\"] = {Row("a", 0x10), Row("f.txt")};
    const struct { const char* dir; int cursor, key; int action; const char* after; } cases[] = {
        {"C:\\a\\b\\", 0, kKeyReturn, static_cast<int>(DestAction::Confirm), "C:\\a\\b\\"},
        {"C:\\a\\b\\", 1, kKeyReturn, static_cast<int>(DestAction::Read), "C:\\a\\"},
        {"C:\\a\\b\\", 2, kKeyReturn, static_cast<int>(DestAction::Read), "C:\\a\\b\\sub\\"},
        {"C:\\a\\b\\", 3, kKeyReturn, static_cast<int>(DestAction::None), "C:\\a\\b\\"},  // a file
        {"C:\\a\\b\\", 0, kKeyBack, static_cast<int>(DestAction::Read), "C:\\a\\"},
        {"C:\\a\\b\\", 0, kKeyBackslash, static_cast<int>(DestAction::Read), "C:\\"},
        {"C:\\", 0, kKeyBack, static_cast<int>(DestAction::None), "C:\\"}, {"C:\\", 0, kKeyBackslash, static_cast<int>(DestAction::None), "C:\\"},
        {"C:\\", 0, '3', static_cast<int>(DestAction::Drive), "C:\\"}, {"C:\\", 0, kKeyPeriod, static_cast<int>(DestAction::OneKeyDir), "C:\\"},
        {"C:\\", 0, kKeyEscape, static_cast<int>(DestAction::Cancel), "C:\\"}, {"C:\\", 0, 'K', static_cast<int>(DestAction::MakeDir), "C:\\"},
        {"C:\\", 0, kKeyDown, static_cast<int>(DestAction::Move), "C:\\"}, {"C:\\", 0, kKeyOem222, static_cast<int>(DestAction::None), "C:\\"}};
    for (const auto& c : cases) {
        StartDestination(v, s, c.dir);
        ReadDestination(v, s, disk);
        ComputeDestinationGeometry(v, s, 16, 8, 400, 300);
        v.CursorIndex = c.cursor;
        Modifiers m;
        EXPECT_EQ(c.action, static_cast<int>(DestinationKey(v, s, c.key, m).action)) << c.dir << " " << c.key;
        EXPECT_STREQ(c.after, v.DestDir);
    }
    StartDestination(v, s, "C:\\a\\b\\");
    Modifiers m;
    EXPECT_EQ(DestAction::Read, DestinationKey(v, s, kKeyTab, m).action);
    EXPECT_EQ((Ints{1, 3}), (Ints{v.DirectoriesOnly, ReadDestination(v, s, disk)}));
    // Rows from y 36 (a quarter and two line heights), 16 high, in columns of 15 cells of 8 pixels.
    ComputeDestinationGeometry(v, s, 16, 8, 400, 300);
    EXPECT_EQ((Ints{36, 15}), (Ints{v.screen.listTop, v.Pitch[0]}));
    const struct { int x, y; bool twice; int action, cursor; } clicks[] = {
        {20, 36 + 16 + 3, false, static_cast<int>(DestAction::Move), 1}, {20, 36 + 48 + 3, false, static_cast<int>(DestAction::None), 1},
        {20, 10, false, static_cast<int>(DestAction::Read), 1}, {20, 36 + 32 + 3, true, static_cast<int>(DestAction::Read), 2}};
    for (const auto& c : clicks) {
        EXPECT_EQ(c.action, static_cast<int>(DestinationClick(v, s, c.x, c.y, c.twice).action)) << c.y;
        EXPECT_EQ(c.cursor, v.CursorIndex);
    }
    EXPECT_STREQ("C:\\a\\b\\sub\\", v.DestDir);  // the double click entered it
}

// A stored place on a screen of 1024 x 768 from (sl, 0): absurd sizes become 600 x 350; a window with 20 pixels or
// less on the screen goes back to 0, 0; without a screen nothing changes.
TEST(MainWindow, TheStoredPlaceFitsTheScreen) {
    const int rows[][10] = {  // screen left and width; x, y, w, h stored; x, y, w, h shown
        {0, 1024, 10, 20, 999999999, -5, 10, 20, 600, 350}, {0, 1024, 5, 5, 4096, 3072, 5, 5, 4096, 3072},
        {0, 1024, -580, 5, 600, 350, 0, 0, 600, 350}, {0, 1024, -579, 747, 600, 350, -579, 747, 600, 350},
        {0, 1024, 1003, 748, 600, 350, 0, 0, 600, 350}, {0, 1024, 1004, 5, 600, 350, 0, 0, 600, 350},
        {0, 1024, 5, -330, 600, 350, 0, 0, 600, 350}, {-1280, 2304, -1000, 5, 600, 350, -1000, 5, 600, 350},
        {0, 0, -99999, 5, 0, 0, -99999, 5, 0, 0}};
    for (const auto& r : rows) {
        int x = r[2], y = r[3], w = r[4], h = r[5];
        FitWindowToScreen(x, y, w, h, r[0], 0, r[1], 768);
        EXPECT_EQ((Ints{r[6], r[7], r[8], r[9]}), (Ints{x, y, w, h})) << r[2] << "," << r[3];
    }
}
