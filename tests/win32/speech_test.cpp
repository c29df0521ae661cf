// The speech bridge against the stand-ins of the readers' libraries, loaded
// by their bare names from the current directory.
#include <gtest/gtest.h>

#include "app/speech_win32.h"
#include "support.h"

using namespace qrn;
using namespace qrntest;

namespace {

// A fresh start of speech in a folder of its own, made the current one, with
// the stand-ins copied in (each under the name given, or its own).
struct Bridge {
    explicit Bridge(std::vector<std::pair<const char*, const char*>> libraries) {
        ResetSpeech();
        SetEnvironmentVariableA("QRN_SPEECH_LOG", nullptr);  // the log lies beside the library
        for (const auto& [library, as] : libraries)
            EXPECT_TRUE(CopyFileA(DoublePath(library).c_str(), (tree / as).c_str(), FALSE)) << library;
        SetCurrentDirectoryA(tree.Path().c_str());
        SetSpeechPlatform(&platform);
    }
    ~Bridge() {
        SetSpeechPlatform(nullptr);
        ResetSpeech();
        if (reader) DestroyWindow(reader);
    }
    // A window of that class, as a reader shows one (never on the display).
    void Reader(const char* className) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = className;
        RegisterClassA(&wc);
        reader = CreateWindowA(className, "reader", WS_OVERLAPPED, 0, 0, 100, 50, nullptr, nullptr, wc.hInstance, nullptr);
        ASSERT_NE(nullptr, reader);
    }
    std::string Log() const { return Slurp(tree / "speech.log"); }

    TempTree tree;
    Win32SpeechPlatform platform{true};  // goes before the tree, freeing its library
    HWND reader = nullptr;
};

const std::vector<std::pair<const char*, const char*>> kBoth = {{"SOUNDP.DLL", "SOUNDP.DLL"},
                                                                {"PCTKUsr.dll", "PCTKUsr.dll"}};

}  // namespace

TEST(Speech, TheReadersWindowChoosesTheLibrary) {
    const struct { const char* window; int engine; const char* log; } cases[] = {
        {nullptr, 2, "PCTKPRead\t1\t1\tabc\nPCTKPRead\t4\t1\tダ\n"},
        {"Reader", 2, "PCTKPRead\t1\t1\tabc\nPCTKPRead\t4\t1\tダ\n"},  // not a class the reader shows
        {"95Reader", 1, "SoundMessage\t128\tabc\nSoundMessage\t2\tダ\n"},
        {"98Reader", 1, "SoundMessage\t128\tabc\nSoundMessage\t2\tダ\n"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.window ? c.window : "no window");
        Bridge b(kBoth);
        if (c.window) b.Reader(c.window);
        EXPECT_EQ(c.window && c.engine == 1, b.platform.ReaderWindowExists());
        EXPECT_EQ(1, Speak("abc"));
        SetSpeechMode(9);  // queued
        EXPECT_EQ(1, Speak("ダ"));
        EXPECT_EQ(c.engine, SpeechEngine());
        EXPECT_EQ(c.log, b.Log());
        // The copy in the current directory was the one loaded.
        char loaded[MAX_PATH] = "";
        GetModuleFileNameA(GetModuleHandleA(c.engine == 1 ? "SOUNDP.DLL" : "PCTKUsr.dll"), loaded, sizeof loaded);
        EXPECT_EQ(0, lstrcmpiA((b.tree / (c.engine == 1 ? "SOUNDP.DLL" : "PCTKUsr.dll")).c_str(), loaded)) << loaded;
    }
}

TEST(Speech, AReaderThatGoesAwayTurnsSpeechOffForTheRun) {
    Bridge b(kBoth);
    b.Reader("95Reader");
    EXPECT_EQ(1, Speak("one"));
    EXPECT_EQ(kSpeechReady, SpeechStatus().State);
    b.tree.File("soundp.off");  // the stand-in then answers that the reader is gone
    EXPECT_EQ(1, Speak("two"));
    EXPECT_EQ(kSpeechOff, SpeechStatus().State);
    ASSERT_TRUE(DeleteFileA((b.tree / "soundp.off").c_str()));
    EXPECT_EQ(1, Speak("three"));
    EXPECT_EQ("SoundMessage\t128\tone\nSoundMessage\t128\ttwo\n", b.Log());
}

TEST(Speech, AnUnusableLibraryTurnsSpeechOffForGood) {
    const struct { const char* name; const char* window; std::vector<std::pair<const char*, const char*>> libraries; }
        cases[] = {{"missing", nullptr, {}},
                   {"without its entry point", "95Reader", {{"PCTKUsr.dll", "SOUNDP.DLL"}}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Bridge b(c.libraries);
        if (c.window) b.Reader(c.window);
        EXPECT_EQ(0, Speak("a"));
        EXPECT_EQ(kSpeechOff, SpeechStatus().State);
        EXPECT_EQ(nullptr, GetModuleHandleA("SOUNDP.DLL"));  // released again
        // Not looked for again, even once it is there.
        ASSERT_TRUE(CopyFileA(DoublePath("PCTKUsr.dll").c_str(), (b.tree / "PCTKUsr.dll").c_str(), FALSE));
        EXPECT_EQ(1, Speak("b"));
        EXPECT_EQ(nullptr, GetModuleHandleA("PCTKUsr.dll"));
        EXPECT_FALSE(Exists(b.tree / "speech.log"));
    }
}
