// The archiver binding against the stand-in libraries: versions, a missing
// library or entry point, the modes and lines, the response file.
#include <fstream>

#include "archive/archive_texts.h"
#include "archive/archiver_binding_win32.h"
#include "support.h"
#include "../core/core_test.h"

using namespace qrn;
using namespace qrn::test;
using namespace qrntest;

namespace {

struct ArchiverBindingTest : ::testing::Test {
    ScriptedPrompts prompts;
    ArchiverBinding binding;
    const std::string log = DoublePath("archiver.log");
    void SetUp() override {
        DeleteFileA(log.c_str());
        SetDllDirectoryA(DoublePath("").c_str());
    }
    void TearDown() override { SetDllDirectoryA(nullptr); }
    static std::string Logged(const std::string& at) {
        std::string text = Slurp(at);
        DeleteFileA(at.c_str());
        return text;
    }
    std::string Logged() { return Logged(log); }
};

}  // namespace

// Each library loads at its row's minimum and is refused one below.
TEST_F(ArchiverBindingTest, VersionsAndRefusals) {
    const struct { ArchiverKind kind; const char* env; const char* version; bool loads; } rows[] = {
        {ArchiverKind::Lha, "QRN_UNLHA32_VERSION", "37", false}, {ArchiverKind::Lha, "QRN_UNLHA32_VERSION", "38", true},
        {ArchiverKind::Tar, "QRN_TAR32_VERSION", "14", false}, {ArchiverKind::Tar, "QRN_TAR32_VERSION", "15", true},
        {ArchiverKind::Zip, "QRN_UNZIP32_VERSION", "74", false}, {ArchiverKind::Zip, "QRN_UNZIP32_VERSION", "75", true},
        {ArchiverKind::Cab, "QRN_CAB32_VERSION", "49", false}, {ArchiverKind::Cab, "QRN_CAB32_VERSION", "50", true},
        {ArchiverKind::Ish, "QRN_ISH32_VERSION", "35", false}, {ArchiverKind::Ish, "QRN_ISH32_VERSION", "36", true}};
    for (const auto& r : rows) {
        SetEnvironmentVariableA(r.env, r.version);
        prompts.messages.clear();
        const bool loaded = binding.Load(nullptr, r.kind) != nullptr;
        SetEnvironmentVariableA(r.env, nullptr);
        EXPECT_EQ(r.loads, loaded) << r.env << " " << r.version;
        const std::string refusal = std::string(" 確認 |") + RowOf(r.kind).file + " のバージョンが違います。";
        EXPECT_EQ(r.loads ? Strings{} : Strings{refusal}, prompts.messages);
        const std::string name = std::string(RowOf(r.kind).file).substr(0, std::strlen(RowOf(r.kind).file) - 4);
        EXPECT_EQ(name + " load\n" + name + " version\n" + name + " release\n", Logged());  // released either way
    }
    SetDllDirectoryA(DoublePath("lacking").c_str());  // an UNZIP32.DLL without its cursor-mode entry
    const std::string lacking = DoublePath("lacking\\archiver.log");
    DeleteFileA(lacking.c_str());
    EXPECT_EQ(nullptr, binding.Load(nullptr, ArchiverKind::Zip));
    EXPECT_EQ("UNZIP32 load\nUNZIP32 release\n", Logged(lacking));  // nothing was called
    TempTree empty;
    SetDllDirectoryA(empty.Path().c_str());
    EXPECT_EQ(nullptr, binding.Load(nullptr, ArchiverKind::Lha));
    EXPECT_EQ((Strings{" 確認 |UNZIP32.DLL は使用できません。", " 確認 |UNLHA32.DLL は使用できません。"}),
              (Strings{prompts.messages.end() - 2, prompts.messages.end()}));
}

// A pack of marked rows through the real binding: busy, the modes, the line,
// the response file as the library saw it, and gone afterwards.
TEST_F(ArchiverBindingTest, PackThroughAResponseFile) {
    Listing& l = TestListing();
    std::strcpy(l.CurrentDir, "C:\\");
    for (const char* name : {"ソフト.txt", "b c.txt"}) l.table.rows[l.table.EntryCount++] = Row(name);
    Settings s{};
    std::strcpy(s.LzhPack, "a -a1 -d1");
    ArchiveCommand c{l, s, binding, nullptr, {}};
    SetEnvironmentVariableA("QRN_UNLHA32_BUSY", "1");
    SetMark(l.table, 0, true), SetMark(l.table, 1, true);
    EXPECT_FALSE(PackEntries(c, ArchiverKind::Lha).refresh);
    SetEnvironmentVariableA("QRN_UNLHA32_BUSY", nullptr);
    EXPECT_EQ("UNLHA32 load\nUNLHA32 version\nUNLHA32 running\nUNLHA32 release\n", Logged());
    prompts.lines = {"out"};
    EXPECT_EQ("2件を書庫にしました", PackEntries(c, ArchiverKind::Lha).said);
    const std::string logged = Logged();
    const std::size_t at = logged.find('@'), end = logged.find('\n', at);
    ASSERT_NE(std::string::npos, at);
    const std::string response = logged.substr(at + 1, end - at - 1);
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    EXPECT_EQ(0, CompareNoCase(response.substr(0, std::strlen(temp) + 3).c_str(), (std::string(temp) + "QRN").c_str()));
    EXPECT_EQ(response.substr(std::strlen(temp)), [&] { std::string u = response.substr(std::strlen(temp));
        for (char& ch : u) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
        return u; }());  // the name in capitals
    EXPECT_EQ("UNLHA32 load\nUNLHA32 version\nUNLHA32 running\nUNLHA32 background 0\nUNLHA32 cursor 1\n"
              "UNLHA32 call a -a1 -d1 \"out\" @" + response + "\nUNLHA32 response \"ソフト.txt\"|\"b c.txt\"|\n"
              "UNLHA32 release\n", logged);
    EXPECT_FALSE(Exists(response));
}

// A response file that does not fit on the temporary volume is no response
// file: nothing of it is left behind.
TEST_F(ArchiverBindingTest, AResponseFileThatDoesNotFit) {
    const std::string small = MappedDrive("SMALL");
    ULARGE_INTEGER free{};
    ASSERT_TRUE(GetDiskFreeSpaceExA(small.c_str(), &free, nullptr, nullptr));
    std::ofstream(small + "filler", std::ios::binary) << std::string(free.QuadPart - 4096, 'f');
    char saved[MAX_PATH];
    const DWORD n = GetEnvironmentVariableA("TMP", saved, sizeof saved);
    SetEnvironmentVariableA("TMP", small.c_str());
    std::string path;
    EXPECT_FALSE(binding.WriteTemporary(std::string(1 << 16, 'n'), path));
    SetEnvironmentVariableA("TMP", n > 0 && n < sizeof saved ? saved : nullptr);
    EXPECT_TRUE(path.empty());
    WIN32_FIND_DATAA found;
    EXPECT_EQ(INVALID_HANDLE_VALUE, FindFirstFileA((small + "QRN*.TMP").c_str(), &found));
    DeleteFileA((small + "filler").c_str());
}
