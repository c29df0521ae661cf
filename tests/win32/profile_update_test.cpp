// qrn.ini through the system's profile functions, and update mode.
#include <gtest/gtest.h>

#include <cstring>

#include "app/update_win32.h"
#include "base/profile_win32.h"
#include "base/settings.h"
#include "listing/dir_platform_win32.h"
#include "support.h"

using namespace qrn;
using namespace qrntest;

TEST(IniFile, TheProfileFunctionsOnARealFile) {
    TempTree t;
    std::string keys;
    for (int i = 0; i < 100; ++i) keys += "Key" + std::to_string(100 + i) + "=v\r\n";  // 700 bytes of names
    t.File("qrn.ini", "garbage line\r\n[QRNInit]\r\nFontSize=-40\r\nEditor=" + std::string(400, 'e') +
                          "\r\n[QRNInit]\r\nFontSize=14\r\n[Long]\r\n" + keys);
    const std::string path = t / "qrn.ini";
    IniFileProfile p(path.c_str());
    EXPECT_EQ(-40, p.GetInt("QRNInit", "FontSize", 16));  // the first occurrence wins
    EXPECT_EQ(7, p.GetInt("QRNInit", "Missing", 7));
    char small[8];
    EXPECT_EQ(7u, p.GetString("QRNInit", "Editor", "", small, sizeof small));
    EXPECT_STREQ("eeeeeee", small);
    p.WriteString("QRN_CurDir", "C:", "C:\\\x83\x5c\\");  // ソ: its trail byte is a backslash
    char back[64];
    p.GetString("QRN_CurDir", "C:", "", back, sizeof back);
    EXPECT_STREQ("C:\\\x83\x5c\\", back);
    p.WriteInt("QRNInit", "init_x_pos", -12);
    EXPECT_EQ(-12, p.GetInt("QRNInit", "init_x_pos", 0));
    const std::vector<std::string> listed = p.SectionKeys("Long");
    ASSERT_EQ(100u, listed.size());
    EXPECT_EQ("Key100", listed.front());
    EXPECT_EQ("Key199", listed.back());
    EXPECT_TRUE(p.SectionKeys("Absent").empty());
    p.WriteString("Long", nullptr, nullptr);
    EXPECT_TRUE(p.SectionKeys("Long").empty());
    EXPECT_EQ(-40, p.GetInt("QRNInit", "FontSize", 16));
}

TEST(IniFile, SaveOnExitWritesGeometryMaskAndTheDirectoriesOfFixedDrives) {
    TempTree t;
    t.Dir("work");
    const std::string path = t / "qrn.ini";
    IniFileProfile p(path.c_str());
    Settings s;
    DefaultSettings(s);
    Win32SettingsPlatform platform;
    ASSERT_TRUE(platform.MakeCurrentDirectory((t / "work").c_str()));
    char types[26] = {};
    const char fixed = t.Path()[0], cd = MappedDrive("CDROM");
    types[fixed - 'A'] = 'H';
    types[cd - 'A'] = 'C';
    SaveOnExit(s, "*.txt", p, WindowPlacement{false, false, 10, 20, 640, 480}, types, platform);
    SetCurrentDirectoryA("C:\\");
    EXPECT_EQ(640, p.GetInt("QRNInit", "init_x_siz", 0));
    EXPECT_EQ(20, p.GetInt("QRNInit", "init_y_pos", 0));
    char v[MAX_PATH];
    p.GetString("QRNInit", "Mask", "", v, sizeof v);
    EXPECT_STREQ("*.txt", v);
    const char fixedKey[3] = {fixed, ':', '\0'}, cdKey[3] = {cd, ':', '\0'};
    p.GetString("QRN_CurDir", fixedKey, "", v, sizeof v);
    EXPECT_EQ(t / "work\\", v);
    p.GetString("QRN_CurDir", cdKey, "none", v, sizeof v);
    EXPECT_STREQ("none", v);
    // Maximised: only the flag, the stored geometry stays.
    SaveOnExit(s, "*.*", p, WindowPlacement{true, false, 0, 0, 9999, 9999}, types, platform);
    EXPECT_EQ(1, p.GetInt("QRNInit", "WinSizeIsMax", 0));
    EXPECT_EQ(640, p.GetInt("QRNInit", "init_x_siz", 0));
}

namespace {

// Points this program's imports of a kernel32 function at a replacement
// while it lives.
class ImportPatch {
public:
    ImportPatch(const char* function, void* replacement) {
        auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
        auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
        const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
        for (auto* d = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); d->Name; ++d) {
            if (lstrcmpiA(reinterpret_cast<char*>(base + d->Name), "kernel32.dll") != 0) continue;
            auto* name = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->OriginalFirstThunk);
            auto* slot = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->FirstThunk);
            for (; name->u1.AddressOfData; ++name, ++slot) {
                if (IMAGE_SNAP_BY_ORDINAL(name->u1.Ordinal)) continue;
                auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + name->u1.AddressOfData);
                if (std::strcmp(reinterpret_cast<char*>(byName->Name), function) != 0) continue;
                patched_.push_back({&slot->u1.Function, slot->u1.Function});
                Set(&slot->u1.Function, reinterpret_cast<ULONG_PTR>(replacement));
            }
        }
        EXPECT_FALSE(patched_.empty()) << function << " is imported";
    }
    ~ImportPatch() {
        for (const auto& [at, original] : patched_) Set(at, original);
    }

private:
    static void Set(ULONG_PTR* at, ULONG_PTR value) {
        DWORD old;
        VirtualProtect(at, sizeof *at, PAGE_READWRITE, &old);
        *at = value;
        VirtualProtect(at, sizeof *at, old, &old);
    }
    std::vector<std::pair<ULONG_PTR*, ULONG_PTR>> patched_;
};

// The update's pauses between attempts: counted, not waited; the first one
// may let the target go.
std::vector<DWORD> g_pauses;
HANDLE g_releasedAtFirstPause = nullptr;
void WINAPI CountedPause(DWORD ms) {
    g_pauses.push_back(ms);
    if (g_releasedAtFirstPause) CloseHandle(g_releasedAtFirstPause);
    g_releasedAtFirstPause = nullptr;
}

}  // namespace

TEST(Update, CopiesOverTheTargetWaitingWhileItIsHeldAndStartsIt) {
    enum Hold { kFree, kUntilFirstPause, kThroughout };
    struct Case { const char* name; const char* source; int mode; Hold hold; bool ok; std::size_t pauses; DWORD error; };
    const Case cases[] = {{"copy", "new.exe", 1, kFree, true, 0, 0},
                          {"move", "new.exe", 2, kFree, true, 0, 0},
                          {"held a while", "new.exe", 1, kUntilFirstPause, true, 1, 0},
                          {"held", "new.exe", 1, kThroughout, false, 3, ERROR_SHARING_VIOLATION},
                          {"no source", "absent.exe", 1, kFree, false, 0, ERROR_FILE_NOT_FOUND},
                          {"onto itself", "old.exe", 1, kFree, false, 0, ERROR_INVALID_PARAMETER},
                          {"nothing", "", 1, kFree, false, 0, ERROR_INVALID_PARAMETER}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempTree t;
        ASSERT_TRUE(CopyFileA(DoublePath("logargs.exe").c_str(), (t / "new.exe").c_str(), FALSE));
        t.File("old.exe", "old program");
        SetEnvironmentVariableA("QRN_DOUBLE_LOG", (t / "started.log").c_str());
        PendingUpdateRecord u{};
        std::snprintf(u.source, sizeof u.source, "%s", c.source[0] ? (t / c.source).c_str() : "");
        std::snprintf(u.target, sizeof u.target, "%s", (t / "old.exe").c_str());
        u.mode = c.mode;
        HANDLE held = c.hold == kFree ? nullptr
                                      : CreateFileA(u.target, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        g_releasedAtFirstPause = c.hold == kUntilFirstPause ? held : nullptr;
        g_pauses.clear();
        char failure[3 * kPathSize];
        bool ok;
        {
            ImportPatch pauses("Sleep", reinterpret_cast<void*>(CountedPause));
            ok = RunUpdate(u, failure, sizeof failure, UpdateTiming{100, 300});
        }
        if (c.hold == kThroughout) CloseHandle(held);
        EXPECT_EQ(c.ok, ok) << failure;
        EXPECT_EQ(!c.ok, u.pending);
        EXPECT_EQ(std::vector<DWORD>(c.pauses, 100), g_pauses);
        if (ok) {
            WaitForProgram("old.exe");
            EXPECT_EQ(Slurp(DoublePath("logargs.exe")), Slurp(t / "old.exe"));
            EXPECT_EQ(c.mode == 1, Exists(t / "new.exe"));
            EXPECT_NE(std::string::npos, Slurp(t / "started.log").find("old.exe"));
        } else {
            EXPECT_EQ(std::to_string(c.error) + ":" + u.source + "," + u.target, failure);
            EXPECT_EQ("old program", Slurp(t / "old.exe"));
        }
    }
    SetEnvironmentVariableA("QRN_DOUBLE_LOG", nullptr);
}
