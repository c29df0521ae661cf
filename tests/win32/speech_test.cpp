// The speech bridge against the stand-ins of the readers' libraries, loaded
// by their bare names from the current directory (each logs beside itself).
#include <gtest/gtest.h>

#include "app/speech_win32.h"
#include "support.h"

using namespace qrn;
using namespace qrntest;

namespace {

using Libraries = std::vector<std::pair<const char*, const char*>>;  // stand-in, and the name it goes by
const Libraries kBoth = {{"SOUNDP.DLL", "SOUNDP.DLL"}, {"PCTKUsr.dll", "PCTKUsr.dll"}};

// A fresh start of speech in a folder of its own, made the current one, with the libraries
// copied in and, when named, a window such as a reader shows (never on the display).
struct Bridge {
    Bridge(const Libraries& libraries, const char* readerClass) {
        ResetSpeech();
        SetEnvironmentVariableA("QRN_SPEECH_LOG", nullptr);  // the log lies beside the library
        for (const auto& [library, as] : libraries)
            EXPECT_TRUE(CopyFileA(DoublePath(library).c_str(), (tree / as).c_str(), FALSE)) << library;
        SetCurrentDirectoryA(tree.Path().c_str());
        SetSpeechPlatform(&platform);
        if (!readerClass) return;
        WNDCLASSA wc{0, DefWindowProcA, 0, 0, GetModuleHandleA(nullptr), nullptr, nullptr, nullptr, nullptr, readerClass};
        RegisterClassA(&wc);
        reader = CreateWindowA(readerClass, "reader", WS_OVERLAPPED, 0, 0, 99, 99, nullptr, nullptr, wc.hInstance, 0);
    }
    ~Bridge() {
        SetSpeechPlatform(nullptr);
        if (reader) DestroyWindow(reader);
    }
    std::string Log() const { return Slurp(tree / "speech.log"); }
    TempTree tree;
    Win32SpeechPlatform platform{true};  // goes before the tree, freeing its library
    HWND reader = nullptr;
};

}  // namespace

// Then the stand-in of SOUNDP.DLL answers that its reader has gone: that one stops for the run.
TEST(Speech, TheReadersWindowChoosesTheLibrary) {
    const char* const pctk = "PCTKPRead\t1\t1\tabc\nPCTKPRead\t4\t1\tダ\nPCTKPRead\t4\t1\tgone\nPCTKPRead\t4\t1\tx\n";
    const char* const soundp = "SoundMessage\t128\tabc\nSoundMessage\t2\tダ\nSoundMessage\t2\tgone\n";
    const struct { const char* window; const char* library; const char* log; } cases[] = {
        {nullptr, "PCTKUsr.dll", pctk}, {"Reader", "PCTKUsr.dll", pctk},  // not a class a reader shows
        {"95Reader", "SOUNDP.DLL", soundp}, {"98Reader", "SOUNDP.DLL", soundp}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.window ? c.window : "no window");
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

TEST(Speech, AnUnusableLibraryTurnsSpeechOffForGood) {
    const struct { const char* window; Libraries libraries; } cases[] = {
        {nullptr, {}}, {"95Reader", {{"PCTKUsr.dll", "SOUNDP.DLL"}}}};  // missing; without its entry point
    for (const auto& c : cases) {
        Bridge b(c.libraries, c.window);
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
