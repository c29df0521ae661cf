// The setup pages against the settings table, and what they save.
#include <set>

#include "core_test.h"
#include "setup/setup_pages.h"

using namespace qrn;
using namespace qrn::test;

// Each row names a key of the table with a field, bound by a control of its
// type; no control or key twice.
TEST(SetupPages, RowsAreKeysOfTheTable) {
    std::vector<std::vector<SetupRow>> pages = {{std::begin(kArchiverPage), std::end(kArchiverPage)}};
    for (std::span<const PageRow> page : {std::span<const PageRow>(kBasePage), std::span<const PageRow>(kDirPage),
                                          std::span<const PageRow>(kDisplayPage), std::span<const PageRow>(kColorPage)}) {
        pages.emplace_back();
        for (const PageRow& r : page) pages.back().push_back(r.row);
    }
    for (const auto& page : pages) {
        std::set<int> ids;
        std::set<IniKey> keys;
        for (const SetupRow& row : page) {
            const KeyInfo& k = KeyOf(row.key);
            EXPECT_NE(kNoField, k.offset) << k.name;
            EXPECT_EQ(k.type == KeyType::Text, row.kind == BindKind::Edit) << k.name;
            EXPECT_TRUE(ids.insert(row.id).second && keys.insert(row.key).second) << k.name;
        }
    }
    // A page saves exactly the keys it owns.
    for (std::span<const PageRow> page : {std::span<const PageRow>(kBasePage), std::span<const PageRow>(kDirPage),
                                          std::span<const PageRow>(kDisplayPage)}) {
        FakeProfile ini;
        Settings live;
        DefaultSettings(live);
        Settings edited = live;
        SavePage(page, ini, edited, live);
        EXPECT_EQ(static_cast<int>(page.size()), ini.writes);
        for (const PageRow& r : page) EXPECT_NE(nullptr, ini.Find(KeyOf(r.row.key).section, KeyOf(r.row.key).name));
    }
}

// An archiver text left empty keeps its old value, written nowhere; the
// others are written and applied; other keys of the file stay as they were.
TEST(SetupPages, ArchiverPageSavesWhatWasTyped) {
    FakeProfile ini("[PKUPK_CMD]\nZIP_UNPACK=-x -o\nFILENAMEGET=0\n[QRNInit]\nFont=Terminal");
    Settings live;
    DefaultSettings(live);
    Settings edited = live;
    LoadArchiverPage(ini, edited);
    EXPECT_STREQ("-x -o", edited.ZipUnpack);
    EXPECT_STREQ("a -a1 -d1", edited.LzhPack);  // the default where the file holds none
    EXPECT_EQ(0, edited.FileNameGet);
    edited.ZipUnpack[0] = '\0';
    std::strcpy(edited.TarUnpack, "xf");
    edited.FileNameGet = 1;
    SaveArchiverPage(ini, edited, live);
    EXPECT_EQ("-x -o", *ini.Find("PKUPK_CMD", "ZIP_UNPACK"));
    EXPECT_STREQ("-x", live.ZipUnpack);  // the old value in memory too
    EXPECT_EQ("xf", *ini.Find("PKUPK_CMD", "TAR_UNPACK"));
    EXPECT_STREQ("xf", live.TarUnpack);
    EXPECT_EQ("1", *ini.Find("PKUPK_CMD", "FILENAMEGET"));
    EXPECT_EQ("Terminal", *ini.Find("QRNInit", "Font"));
}

// However many extensions the section holds, all are read and written back.
TEST(SetupPages, BinColorsWholeSection) {
    std::string text = "[BIN_COLOR]\n";
    for (int i = 0; i < 300; ++i) text += "E" + std::to_string(i) + "=" + std::to_string(i % 8) + "  ;c\n";
    FakeProfile ini(text);
    const std::vector<std::string> lines = ReadBinColors(ini);
    ASSERT_EQ(300u, lines.size());
    EXPECT_EQ("E99=3  ;c", lines.back());  // the last in this profile's (sorted) order
    WriteBinColors(ini, {"TXT=2  ;赤", lines.front()});
    EXPECT_EQ((Strings{"E0", "TXT"}), ini.SectionKeys("BIN_COLOR"));
    EXPECT_EQ("2  ;赤", *ini.Find("BIN_COLOR", "TXT"));
}

// A page opens with the file's values where its rows say so, else memory's;
// saving writes every row and applies only those that are applied; a
// directory gets its backslash, an empty one stays empty.
TEST(SetupPages, BasicPagesOpenAndSave) {
    FakeProfile ini("[QRNInit]\nActiveCheck=0\nSCROLLMODE=1\nEditor=file.exe\n[SET_DIR]\nSET1=C:\\WORK");
    Settings live;
    DefaultSettings(live);
    std::strcpy(live.Editor, "memory.exe");
    Settings base = OpenPage(kBasePage, ini, live);
    EXPECT_EQ("0|1|memory.exe", std::to_string(base.ActiveCheck) + "|" + std::to_string(base.ScrollMode) + "|" + base.Editor);
    base.DestMemo = 0, base.ScrollMode = 0;
    SavePage(kBasePage, ini, base, live);
    EXPECT_EQ("0|0", *ini.Find("QRNInit", "init_smemo") + "|" + *ini.Find("QRNInit", "SCROLLMODE"));
    EXPECT_EQ(1, live.DestMemo);  // written only: the destination window reads it from the file
    EXPECT_EQ(0, live.ScrollMode);
    Settings dirs = OpenPage(kDirPage, ini, live);
    EXPECT_STREQ("C:\\WORK", dirs.SetDir[0]);
    SavePage(kDirPage, ini, dirs, live);
    EXPECT_EQ("C:\\WORK\\|", *ini.Find("SET_DIR", "SET1") + "|" + *ini.Find("SET_DIR", "SET2"));
    EXPECT_STREQ("C:\\WORK\\", live.SetDir[0]);
}
