// The program against the stand-ins of tests/doubles: the speech bridge over the readers' libraries,
// loaded by their bare names from the current directory (each logs beside itself), update mode, which
// copies the new program over the old one, and the launcher's Run.
#include <gtest/gtest.h>

#include "app/speech_win32.h"
#include "app/update_win32.h"
#include "launch/launch_win32.h"
#include "launch/shortcut_win32.h"

#include <shlobj.h>
#include "support.h"

using namespace qrn;
using namespace qrntest;
using Strings = std::vector<std::string>;

namespace {

using Libraries = std::vector<std::pair<const char*, const char*>>;  // stand-in, and the name it goes by
const Libraries kBoth = {{"SOUNDP.DLL", "SOUNDP.DLL"}, {"PCTKUsr.dll", "PCTKUsr.dll"}};

// A fresh start of speech in a folder of its own, made the current one, with the libraries
// copied in and a window of the class given, as a reader shows one (never on the display).
struct Bridge {
    Bridge(const Libraries& libraries, const char* readerClass) {
        ResetSpeech();
        SetEnvironmentVariableA("QRN_SPEECH_LOG", nullptr);  // the log lies beside the library
        for (const auto& [library, as] : libraries)
            EXPECT_TRUE(CopyFileA(DoublePath(library).c_str(), (tree / as).c_str(), FALSE)) << library;
        SetCurrentDirectoryA(tree.Path().c_str());
        SetSpeechPlatform(&platform);
        WNDCLASSA wc{0, DefWindowProcA, 0, 0, GetModuleHandleA(nullptr), nullptr, nullptr, nullptr, nullptr, readerClass};
        RegisterClassA(&wc);
        reader = CreateWindowA(readerClass, "reader", WS_OVERLAPPED, 0, 0, 99, 99, nullptr, nullptr, wc.hInstance, 0);
    }
    ~Bridge() { SetSpeechPlatform(nullptr); DestroyWindow(reader); }
    std::string Log() const { return Slurp(tree / "speech.log"); }
    TempTree tree;
    Win32SpeechPlatform platform{true};  // goes before the tree, freeing its library
    HWND reader = nullptr;
};

// This program's imports of Sleep and WinExec, which the update and the launcher call through.
#if defined(__i386__)
#define QRN_IMPORT(name, bytes) __asm__("__imp__" #name "@" #bytes)
#else
#define QRN_IMPORT(name, bytes) __asm__("__imp_" #name)
#endif
extern "C" ULONG_PTR g_sleepImport QRN_IMPORT(Sleep, 4);
extern "C" ULONG_PTR g_winExecImport QRN_IMPORT(WinExec, 8);

struct ImportReplaced {  // points one of them at another function while it lives
    ImportReplaced(ULONG_PTR& slot, void* f) : slot(slot), original(Swap(slot, reinterpret_cast<ULONG_PTR>(f))) {}
    ~ImportReplaced() { Swap(slot, original); }
    static ULONG_PTR Swap(ULONG_PTR& slot, ULONG_PTR value) {
        DWORD old;
        VirtualProtect(&slot, sizeof value, PAGE_READWRITE, &old);
        std::swap(slot, value);
        VirtualProtect(&slot, sizeof value, old, &old);
        return value;
    }
    ULONG_PTR& slot;
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

Strings g_executed;  // the command lines handed to WinExec, and how to show them
UINT g_execAnswer = 0;
UINT WINAPI RecordedExec(LPCSTR line, UINT show) {
    g_executed.push_back(line + ("|" + std::to_string(show)));
    return g_execAnswer;
}

}  // namespace

// Then the stand-in of SOUNDP.DLL answers that its reader has gone: that one stops for the run.
TEST(Speech, TheReadersWindowChoosesTheLibrary) {
    const char* const pctk = "PCTKPRead\t1\t1\tabc\nPCTKPRead\t4\t1\tダ\nPCTKPRead\t4\t1\tgone\nPCTKPRead\t4\t1\tx\n";
    const char* const soundp = "SoundMessage\t128\tabc\nSoundMessage\t2\tダ\nSoundMessage\t2\tgone\n";
    const struct { const char* window; const char* library; const char* log; } cases[] = {  // Reader: no reader's class
        {"Reader", "PCTKUsr.dll", pctk}, {"95Reader", "SOUNDP.DLL", soundp}, {"98Reader", "SOUNDP.DLL", soundp}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.window);
        Bridge b(kBoth, c.window);
        EXPECT_EQ(1, Speak("abc"));
        SetSpeechMode(9);  // queued
        EXPECT_EQ(1, Speak("ダ"));
        EXPECT_EQ(c.library == std::string("SOUNDP.DLL") ? 1 : 2, SpeechEngine());
        b.tree.File("soundp.off");
        EXPECT_EQ(1, Speak("gone"));
        EXPECT_EQ(SpeechEngine() == 1 ? kSpeechOff : kSpeechReady, SpeechStatus().State);
        ASSERT_TRUE(DeleteFileA((b.tree / "soundp.off").c_str()));
        EXPECT_EQ(1, Speak("x"));
        EXPECT_EQ(c.log, b.Log());
    }
}

// A missing library is the NVDA case without any client below.
TEST(Speech, AReadersLibraryWithoutItsEntryPointTurnsSpeechOff) {
    Bridge b({{"PCTKUsr.dll", "SOUNDP.DLL"}}, "95Reader");
    EXPECT_EQ(0, Speak("a"));
    EXPECT_EQ(kSpeechOff, SpeechStatus().State);
    EXPECT_EQ(nullptr, GetModuleHandleA("SOUNDP.DLL"));  // released again
}

// NVDA's client (when neither reader can be used) comes from the program's folder before the search path,
// under this build's name before the plain one, never under the other bitness's; the text reaches it in UTF-16.
TEST(Speech, NvdaClientIsLookedForInTheProgramFolderFirst) {
    const std::string own = kNvdaLibraries[0], plain = kNvdaLibraries[1];
    const std::string other = sizeof(void*) == 8 ? "nvdaControllerClient32.dll" : "nvdaControllerClient64.dll";
    const struct { Strings program, current; std::string loaded; bool fromProgram; } cases[] = {
        {{plain}, {own}, plain, true}, {{plain, own}, {}, own, true}, {{}, {plain, own}, own, false},
        {{other}, {plain}, plain, false}, {{other}, {}, "", false}};
    const std::string said = reinterpret_cast<const char*>(u8"testIfRunning\t0\ncancelSpeech\nspeakText\t表ダ\n");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.loaded);
        TempTree program, current;
        for (const auto& [names, folder] : {std::pair{&c.program, &program}, std::pair{&c.current, &current}})
            for (const std::string& name : *names)
                ASSERT_TRUE(CopyFileA(DoublePath(own.c_str()).c_str(), (*folder / name).c_str(), FALSE)) << name;
        ResetSpeech();
        SetCurrentDirectoryA(current.Path().c_str());
        {
            Win32SpeechPlatform platform(true, program.Path());
            SetSpeechPlatform(&platform);
            EXPECT_EQ(c.loaded.empty() ? 0 : 1, Speak("表ダ"));
            for (const std::string& name : {own, plain, other})
                EXPECT_EQ(name == c.loaded, GetModuleHandleA(name.c_str()) != nullptr) << name;
            SetSpeechPlatform(nullptr);
        }
        EXPECT_EQ(c.loaded.empty() || !c.fromProgram ? "" : said, Slurp(program / "nvda.log"));
        EXPECT_EQ(c.loaded.empty() || c.fromProgram ? "" : said, Slurp(current / "nvda.log"));
    }
}

// A library is taken, by bare name or full path, only with every entry point of its table: one lacking any
// is freed at once with every pointer null. It goes with its handle, unless kept for the process.
TEST(Library, IsTakenOnlyWithEveryEntryPointOfItsTable) {
    TempTree t;
    ASSERT_TRUE(CopyFileA(DoublePath("SOUNDP.DLL").c_str(), (t / "SOUNDP.DLL").c_str(), FALSE));
    SetCurrentDirectoryA(t.Path().c_str());
    using L = Library::Lifetime;
    const std::string full = t / "SOUNDP.DLL";
    const struct { const char* path; int entries; L lifetime; bool loaded; } cases[] = {
        {"SOUNDP.DLL", 1, L::UntilDestroyed, true}, {full.c_str(), 1, L::Process, true},
        {"SOUNDP.DLL", 2, L::Process, false}, {"absent.dll", 1, L::UntilDestroyed, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.path) + " " + std::to_string(c.entries));
        SoundMessageProc sound = nullptr;
        PctkPReadProc pctk = nullptr;
        const EntryPoint entries[] = {{"SoundMessage", &sound}, {"PCTKPRead", &pctk}};
        Library kept = Library(c.path, std::span(entries, c.entries), c.lifetime);
        EXPECT_EQ((std::vector<bool>{c.loaded, c.loaded, c.loaded, false}),
                  (std::vector<bool>{kept.Loaded(), sound != nullptr, GetModuleHandleA("SOUNDP.DLL") != nullptr,
                                     pctk != nullptr}));
        kept = Library();
        EXPECT_EQ(c.loaded && c.lifetime == L::Process, FreeLibrary(GetModuleHandleA("SOUNDP.DLL")) != FALSE);
        EXPECT_EQ(nullptr, GetModuleHandleA("SOUNDP.DLL"));
    }
}

// The target is started by its quoted path (handed to the system, which answers as the case says).
TEST(Update, CopiesOverTheTargetWaitingWhileItIsHeldAndStartsIt) {
    enum Hold { kFree, kUntilFirstPause, kThroughout };
    const struct { const char* source; int mode; Hold hold; std::size_t pauses; DWORD error; UINT exec = 33; } cases[] = {
        {"new.exe", 2, kFree, 0, 0}, {"new.exe", 1, kUntilFirstPause, 1, 0}, {"old.exe", 1, kFree, 0, ERROR_INVALID_PARAMETER},
        {"new.exe", 1, kThroughout, 3, ERROR_SHARING_VIOLATION}, {"absent.exe", 1, kFree, 0, ERROR_FILE_NOT_FOUND},
        {"", 1, kFree, 0, ERROR_INVALID_PARAMETER}, {"new.exe", 1, kFree, 0, 0, ERROR_FILE_NOT_FOUND}};  // copied, not started
    const ImportReplaced sleep(g_sleepImport, reinterpret_cast<void*>(CountedPause));
    const ImportReplaced exec(g_winExecImport, reinterpret_cast<void*>(RecordedExec));
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.source) + " " + std::to_string(c.mode) + " " + std::to_string(c.hold));
        TempTree t;
        t.File("new.exe", "new program");
        t.File("old.exe", "old program");
        PendingUpdateRecord u{};
        std::snprintf(u.source, sizeof u.source, "%s", c.source[0] ? (t / c.source).c_str() : "");
        std::snprintf(u.target, sizeof u.target, "%s", (t / "old.exe").c_str());
        u.mode = c.mode;
        HANDLE held = c.hold ? CreateFileA(u.target, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr) : nullptr;
        g_releasedAtFirstPause = c.hold == kUntilFirstPause ? held : nullptr;
        g_pauses.clear();
        g_executed.clear();
        g_execAnswer = c.exec;
        char failure[3 * kPathSize];
        const bool ok = RunUpdate(u, failure, sizeof failure, UpdateTiming{100, 300});
        if (c.hold == kThroughout) CloseHandle(held);
        const bool copied = c.error == 0, started = copied && c.exec >= 32;
        const std::string quoted = "\"" + std::string(u.target) + "\"";
        EXPECT_EQ(started, ok) << failure;
        EXPECT_EQ(!ok, u.pending);
        EXPECT_EQ(std::vector<DWORD>(c.pauses, 100), g_pauses);
        EXPECT_EQ(copied ? "new program" : "old program", Slurp(t / "old.exe"));
        EXPECT_EQ(copied ? Strings{quoted + "|1"} : Strings{}, g_executed);
        EXPECT_EQ(!copied || c.mode == 1, Exists(t / "new.exe"));  // a move takes the source away
        EXPECT_EQ(started ? "" : copied ? quoted : std::to_string(c.error) + ":" + u.source + "," + u.target, failure);
    }
}

// The command line goes to the system as it stands, and counts as started by its answer; an empty
// one is refused without asking.
TEST(Launch, RunHandsTheCommandLineToTheSystemAndRefusesAnEmptyOne) {
    const ImportReplaced exec(g_winExecImport, reinterpret_cast<void*>(RecordedExec));
    Win32LaunchPlatform launcher(nullptr, nullptr);
    g_executed.clear();
    g_execAnswer = 32;  // the least answer that counts as started, then the greatest that does not
    EXPECT_FALSE(launcher.Run(""));
    EXPECT_TRUE(launcher.Run("prog.exe a \"b c\""));
    g_execAnswer = 31;
    EXPECT_FALSE(launcher.Run("absent.exe"));
    EXPECT_EQ((Strings{"prog.exe a \"b c\"|1", "absent.exe|1"}), g_executed);
}

// A shortcut to a file, a directory and a Shift-JIS path reads back through
// the shell-link component with its target, working directory and description.
TEST(Shortcut, ReadsBackWithItsTargetWorkingDirectoryAndDescription) {
    TempTree t;
    t.File("a.txt"), t.Dir("tools"), t.File("\x83\x5C\x95\x5C.txt");  // ソ表: trail bytes 0x5C
    const std::string dir = t.Path().substr(0, t.Path().size() - 1);
    const struct {
        const char* name;
        std::string workingDir;
    } rows[] = {{"a.txt", dir}, {"tools", ""}, {"\x83\x5C\x95\x5C.txt", dir}};
    CoInitialize(nullptr);
    for (const auto& r : rows) {
        const std::string target = t / r.name, name = std::string(r.name) + " link";
        ASSERT_EQ(qrn::kShortcutDone, qrn::CreateShortcut(target.c_str(), dir.c_str(), r.workingDir.c_str(), name.c_str(), false));
        IShellLinkA* link = nullptr;
        IPersistFile* file = nullptr;
        ASSERT_TRUE(SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                               reinterpret_cast<void**>(&link))));
        link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
        wchar_t wide[MAX_PATH];
        MultiByteToWideChar(CP_ACP, 0, (t / name + ".lnk").c_str(), -1, wide, MAX_PATH);
        EXPECT_TRUE(SUCCEEDED(file->Load(wide, STGM_READ))) << r.name;
        char path[MAX_PATH] = "", work[MAX_PATH] = "", description[MAX_PATH] = "";
        link->GetPath(path, MAX_PATH, nullptr, SLGP_RAWPATH);
        link->GetWorkingDirectory(work, MAX_PATH);
        link->GetDescription(description, MAX_PATH);
        EXPECT_EQ(target + "|" + r.workingDir + "|" + name, std::string(path) + "|" + work + "|" + description);
        file->Release(), link->Release();
    }
    CoUninitialize();
}
