// The resources compiled into qrn.exe, read back as the A functions see them.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "app/commands.h"
#include "app/commands_win32.h"
#include "resources/resource_ids.h"

namespace {

// qrn.exe sits two folders above this test program in the build tree.
std::string ProductPath() {
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, sizeof self);
    std::string p = self;
    for (int i = 0; i < 3; ++i) p = p.substr(0, p.find_last_of('\\'));
    return p + "\\qrn.exe";
}

class ResourcesTest : public ::testing::Test {
protected:
    void SetUp() override {
        module = LoadLibraryExA(ProductPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(module, nullptr) << ProductPath();
    }
    void TearDown() override {
        if (module) FreeLibrary(module);
    }
    std::string Item(HMENU m, int pos) {
        char text[256];
        int n = GetMenuStringA(m, static_cast<UINT>(pos), text, sizeof text, MF_BYPOSITION);
        return std::string(text, n > 0 ? static_cast<std::size_t>(n) : 0);
    }
    HMODULE module = nullptr;
};

}  // namespace

TEST_F(ResourcesTest, EnglishAndJapaneseMenusCarryTheirTextsAsShiftJis) {
    HMENU en = LoadMenuA(module, MAKEINTRESOURCEA(MENU_ENGLISH));
    HMENU ja = LoadMenuA(module, MAKEINTRESOURCEA(MENU_JAPANESE));
    ASSERT_NE(en, nullptr);
    ASSERT_NE(ja, nullptr);
    EXPECT_EQ(Item(en, 0), "&File");
    EXPECT_EQ(Item(en, 1), "&View");
    EXPECT_EQ(Item(ja, 0), "ﾌｧｲﾙ(&F)");
    EXPECT_EQ(Item(ja, 1), "表示(&V)");
    EXPECT_EQ(GetMenuItemCount(en), GetMenuItemCount(ja));
    // The same commands in the same places.
    HMENU enFile = GetSubMenu(en, 0), jaFile = GetSubMenu(ja, 0);
    ASSERT_NE(enFile, nullptr);
    EXPECT_EQ(GetMenuItemID(enFile, 0), static_cast<UINT>(CMD_RENAME));
    EXPECT_EQ(GetMenuItemID(jaFile, 0), static_cast<UINT>(CMD_RENAME));
    EXPECT_EQ(Item(jaFile, 0), "名前の変更(&R)");
    DestroyMenu(en);
    DestroyMenu(ja);
}

TEST_F(ResourcesTest, AcceleratorTableHoldsAllEntries) {
    HACCEL a = LoadAcceleratorsA(module, MAKEINTRESOURCEA(ACCEL_MAIN));
    ASSERT_NE(a, nullptr);
    ACCEL entries[64];
    int n = CopyAcceleratorTableA(a, entries, 64);
    EXPECT_EQ(n, 46);
    bool shiftQ = false, escape = false;
    for (int i = 0; i < n; ++i) {
        if (entries[i].key == 'Q' && entries[i].cmd == CMD_QUIT_SAVE_DIR &&
            (entries[i].fVirt & (FVIRTKEY | FSHIFT)) == (FVIRTKEY | FSHIFT))
            shiftQ = true;
        if (entries[i].key == VK_ESCAPE && entries[i].cmd == CMD_ESCAPE) escape = true;
    }
    EXPECT_TRUE(shiftQ);
    EXPECT_TRUE(escape);
}

TEST_F(ResourcesTest, IconAndStartBannerExist) {
    EXPECT_NE(FindResourceA(module, "QRN_ICON", RT_GROUP_ICON), nullptr);
    EXPECT_NE(FindResourceA(module, "START_BANNER", RT_DIALOG), nullptr);
}

TEST_F(ResourcesTest, PopupMenusToolbarBitmapAndTooltips) {
    for (const char* name : {"QRN_MENU1", "QRN_MENU1_J"}) {
        HMENU m = LoadMenuA(module, name);
        ASSERT_NE(m, nullptr) << name;
        ASSERT_EQ(GetMenuItemCount(m), 3) << name;
        // File or directory, information lines, archive.
        EXPECT_EQ(GetMenuItemCount(GetSubMenu(m, 0)), 17);
        EXPECT_EQ(GetMenuItemCount(GetSubMenu(m, 1)), 3);
        EXPECT_EQ(GetMenuItemCount(GetSubMenu(m, 2)), 13);
        EXPECT_EQ(GetMenuItemID(GetSubMenu(m, 2), 7), static_cast<UINT>(CMD_UNPACK));
        DestroyMenu(m);
    }
    HMENU en = LoadMenuA(module, MAKEINTRESOURCEA(MENU_ENGLISH));
    EXPECT_EQ(Item(en, 9), "Custom");
    DestroyMenu(en);
    HMENU ja = LoadMenuA(module, MAKEINTRESOURCEA(MENU_JAPANESE));
    EXPECT_EQ(Item(ja, 9), "ｶｽﾀﾏｲｽﾞ");
    DestroyMenu(ja);
    HBITMAP strip = static_cast<HBITMAP>(LoadImageA(module, MAKEINTRESOURCEA(TOOLBAR_BITMAP), IMAGE_BITMAP, 0, 0, 0));
    ASSERT_NE(strip, nullptr);
    BITMAP bm;
    GetObjectA(strip, sizeof bm, &bm);
    EXPECT_EQ(bm.bmHeight, 16);
    EXPECT_EQ(bm.bmWidth, 21 * 16);  // the 21 images the toolbar is created with
    DeleteObject(strip);
}

TEST(CommandDispatch, EveryCommandIdHasOneEntryInOrder) {
    int count = 0;
    const qrn::CommandEntry* table = qrn::CommandTable(count);
    ASSERT_EQ(count, qrn::kLastCommand - qrn::kFirstCommand + 1);
    for (int i = 0; i < count; ++i) {
        EXPECT_EQ(table[i].id, qrn::kFirstCommand + i);
        EXPECT_NE(table[i].handler, nullptr);
    }
}
