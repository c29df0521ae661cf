// qrn.ini through the system's profile functions, and update mode.
#include <gtest/gtest.h>

#include <cstring>

#include "app/update_win32.h"
#include "base/profile_win32.h"
#include "support.h"

using namespace qrn;
using namespace qrntest;

TEST(IniFile, TheProfileFunctionsOnARealFile) {
    TempTree t;
    t.File("qrn.ini", "garbage\r\n[QRNInit]\r\nFontSize=-40\r\nEditor=" + std::string(400, 'e') +
                          "\r\n[QRNInit]\r\nFontSize=14\r\n[Gone]\r\nx=1\r\n");
    const std::string path = t / "qrn.ini";
    IniFileProfile p(path.c_str());
    EXPECT_EQ(-40, p.GetInt("QRNInit", "FontSize", 16));  // the first occurrence wins
    EXPECT_EQ(7, p.GetInt("QRNInit", "Missing", 7));
    char v[MAX_PATH];
    EXPECT_EQ(7u, p.GetString("QRNInit", "Editor", "", v, 8));  // cut
    EXPECT_EQ(std::vector<std::string>{"x"}, p.SectionKeys("Gone"));  // a long section: in the EXT dialog's test
    p.WriteString("Gone", nullptr, nullptr);
    EXPECT_TRUE(p.SectionKeys("Gone").empty());

}

namespace {

// This program's import of Sleep, which the update calls through.
#if defined(__i386__)
extern "C" ULONG_PTR g_sleepImport __asm__("__imp__Sleep@4");
#else
extern "C" ULONG_PTR g_sleepImport __asm__("__imp_Sleep");
#endif

// Points the import at another function while it lives.
struct SleepReplaced {
    explicit SleepReplaced(void (WINAPI* replacement)(DWORD)) : original(Set(reinterpret_cast<ULONG_PTR>(replacement))) {}
    ~SleepReplaced() { Set(original); }
    static ULONG_PTR Set(ULONG_PTR value) {
        DWORD old;
        VirtualProtect(&g_sleepImport, sizeof value, PAGE_READWRITE, &old);
        std::swap(g_sleepImport, value);
        VirtualProtect(&g_sleepImport, sizeof value, old, &old);
        return value;
    }
    const ULONG_PTR original;
};

// The update's pauses between attempts: counted, not waited; the first may let the target go.
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
    const struct { const char* source; int mode; Hold hold; std::size_t pauses; DWORD error; } cases[] = {
        {"new.exe", 1, kFree, 0, 0}, {"new.exe", 2, kFree, 0, 0}, {"new.exe", 1, kUntilFirstPause, 1, 0},
        {"new.exe", 1, kThroughout, 3, ERROR_SHARING_VIOLATION}, {"absent.exe", 1, kFree, 0, ERROR_FILE_NOT_FOUND},
        {"old.exe", 1, kFree, 0, ERROR_INVALID_PARAMETER}, {"", 1, kFree, 0, ERROR_INVALID_PARAMETER}};
    const SleepReplaced pauses(CountedPause);
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.source) + " " + std::to_string(c.mode) + " " + std::to_string(c.hold));
        TempTree t;
        ASSERT_TRUE(CopyFileA(DoublePath("logargs.exe").c_str(), (t / "new.exe").c_str(), FALSE));
        t.File("old.exe", "old program");
        SetEnvironmentVariableA("QRN_DOUBLE_LOG", (t / "started.log").c_str());
        PendingUpdateRecord u{};
        std::snprintf(u.source, sizeof u.source, "%s", c.source[0] ? (t / c.source).c_str() : "");
        std::snprintf(u.target, sizeof u.target, "%s", (t / "old.exe").c_str());
        u.mode = c.mode;
        HANDLE held = c.hold ? CreateFileA(u.target, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr) : nullptr;
        g_releasedAtFirstPause = c.hold == kUntilFirstPause ? held : nullptr;
        g_pauses.clear();
        char failure[3 * kPathSize];
        const bool ok = RunUpdate(u, failure, sizeof failure, UpdateTiming{100, 300});
        if (c.hold == kThroughout) CloseHandle(held);
        EXPECT_EQ(c.error == 0, ok) << failure;
        EXPECT_EQ(!ok, u.pending);
        EXPECT_EQ(std::vector<DWORD>(c.pauses, 100), g_pauses);
        if (ok) WaitForProgram("old.exe");
        EXPECT_EQ(ok ? Slurp(DoublePath("logargs.exe")) : "old program", Slurp(t / "old.exe"));
        EXPECT_EQ(ok ? "\"" + std::string(u.target) + "\"\n" : "", Slurp(t / "started.log"));  // started by its quoted path
        EXPECT_EQ(!ok || c.mode == 1, Exists(t / "new.exe"));  // a move takes the source away
        if (!ok) EXPECT_EQ(std::to_string(c.error) + ":" + u.source + "," + u.target, failure);
    }
    SetEnvironmentVariableA("QRN_DOUBLE_LOG", nullptr);
}
