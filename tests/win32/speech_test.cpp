// The speech bridge against the stand-ins of the readers' libraries, loaded
// by their bare names from the current directory.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>

#include "base/speech.h"
#include "app/speech_win32.h"
#include "temp_tree.h"

using namespace qrn;
using qrntest::TempTree;

namespace {

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}
bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// A top-level window of the given class in this process, as a reader shows.
class ReaderWindow {
public:
    explicit ReaderWindow(const char* className) : name_(className) {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = name_;
        RegisterClassA(&wc);
        window_ = CreateWindowA(name_, "reader", WS_OVERLAPPED, 0, 0, 100, 50, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    }
    ~ReaderWindow() {
        if (window_) DestroyWindow(window_);
        UnregisterClassA(name_, GetModuleHandleA(nullptr));
    }
    ReaderWindow(const ReaderWindow&) = delete;
    ReaderWindow& operator=(const ReaderWindow&) = delete;
    bool Made() const { return window_ != nullptr; }

private:
    const char* name_;
    HWND window_ = nullptr;
};

// The platform as it is while a reader's window is open; everything else is real.
class ReaderShown : public Win32SpeechPlatform {
public:
    using Win32SpeechPlatform::Win32SpeechPlatform;
    bool ReaderWindowExists() override { return true; }
};

class SpeechWin32 : public ::testing::Test {
protected:
    void SetUp() override {
        g_speech = SpeechState{};
        SetEnvironmentVariableA("QRN_SPEECH_LOG", nullptr);  // the log lies beside the library
        GetCurrentDirectoryA(sizeof previous_, previous_);
        ASSERT_TRUE(SetCurrentDirectoryA(t.Path().c_str()));
        SetSpeechPlatform(&platform);
    }
    void TearDown() override {
        SetSpeechPlatform(nullptr);
        g_speech = SpeechState{};
        SetCurrentDirectoryA(previous_);
    }
    // Puts a stand-in library into the temporary folder under the given name.
    void Provide(const char* library, const char* as = nullptr) {
        std::string from = qrntest::TestProgramFolder() + "\\..\\doubles\\" + library;
        ASSERT_TRUE(CopyFileA(from.c_str(), (t / (as ? as : library)).c_str(), FALSE)) << from;
    }
    std::string Log() const { return Slurp(t / "speech.log"); }

    TempTree t;
    Win32SpeechPlatform platform{true};  // goes before the tree, freeing its library
    char previous_[MAX_PATH] = "";
};

}  // namespace

TEST_F(SpeechWin32, WithoutAReaderWindowSpeaksThroughPctk) {
    Provide("PCTKUsr.dll");
    Provide("SOUNDP.DLL");
    EXPECT_FALSE(platform.ReaderWindowExists());
    EXPECT_EQ(1, Speak("abc"));
    EXPECT_EQ(2, SpeechEngine());
    char name[kSpeechTextSize] = "a_b.txt";
    MakeReadable(name, kReadNames);
    EXPECT_EQ(1, Speak(name));
    SetSpeechMode(9);
    EXPECT_EQ(1, Speak("x"));
    EXPECT_EQ("PCTKPRead\t1\t1\tabc\n"
              "PCTKPRead\t1\t1\taアンダーラインbぴりおどtxt\n"
              "PCTKPRead\t4\t1\tx\n",
              Log());
    // The copy in the current directory was the one loaded.
    char loaded[MAX_PATH] = "";
    GetModuleFileNameA(GetModuleHandleA("PCTKUsr.dll"), loaded, sizeof loaded);
    EXPECT_EQ(0, lstrcmpiA((t / "PCTKUsr.dll").c_str(), loaded)) << loaded;
}

TEST_F(SpeechWin32, WithAReaderWindowSpeaksThroughSoundp) {
    Provide("SOUNDP.DLL");
    Provide("PCTKUsr.dll");
    ReaderShown shown(true);
    SetSpeechPlatform(&shown);
    EXPECT_EQ(1, Speak("abc"));
    EXPECT_EQ(1, SpeechEngine());
    SetSpeechMode(9);
    EXPECT_EQ(1, Speak("def"));
    SetSpeechMode(1);
    EXPECT_EQ(1, Speak("ダ"));
    EXPECT_EQ("SoundMessage\t128\tabc\nSoundMessage\t2\tdef\nSoundMessage\t128\tダ\n", Log());
}

TEST_F(SpeechWin32, FindsTheReadersWindowByItsClass) {
    Provide("SOUNDP.DLL");
    Provide("PCTKUsr.dll");
    {
        ReaderWindow other("Reader");
        ASSERT_TRUE(other.Made()) << "windows need a display (the tests run under xvfb-run)";
        EXPECT_FALSE(platform.ReaderWindowExists());
    }
    for (const char* className : {"95Reader", "98Reader"}) {
        SCOPED_TRACE(className);
        ReaderWindow window(className);
        ASSERT_TRUE(window.Made());
        EXPECT_TRUE(platform.ReaderWindowExists());
    }
    EXPECT_FALSE(platform.ReaderWindowExists());
    // Speech starts with the engine of the window that is there.
    ReaderWindow window("95Reader");
    EXPECT_EQ(1, Speak("abc"));
    EXPECT_EQ(1, SpeechEngine());
    EXPECT_EQ("SoundMessage\t128\tabc\n", Log());
}

TEST_F(SpeechWin32, AReaderThatGoesAwayTurnsSpeechOff) {
    Provide("SOUNDP.DLL");
    ReaderShown shown(true);
    SetSpeechPlatform(&shown);
    EXPECT_EQ(1, Speak("one"));
    EXPECT_EQ(2, g_speech.State);
    t.File("soundp.off");
    EXPECT_EQ(1, Speak("two"));
    EXPECT_EQ(1, g_speech.State);
    // The reader is back; speech stays off for this run.
    ASSERT_TRUE(DeleteFileA((t / "soundp.off").c_str()));
    EXPECT_EQ(1, Speak("three"));
    EXPECT_EQ("SoundMessage\t128\tone\nSoundMessage\t128\ttwo\n", Log());
}

TEST_F(SpeechWin32, AMissingLibraryTurnsSpeechOffForGood) {
    EXPECT_EQ(0, Speak("a"));
    EXPECT_EQ(1, g_speech.State);
    // Once off, the library is not looked for again, even when it appears.
    Provide("PCTKUsr.dll");
    EXPECT_EQ(1, Speak("b"));
    EXPECT_EQ(nullptr, GetModuleHandleA("PCTKUsr.dll"));
    EXPECT_FALSE(Exists(t / "speech.log"));
}

TEST_F(SpeechWin32, ALibraryWithoutTheEntryPointIsReleased) {
    Provide("PCTKUsr.dll", "SOUNDP.DLL");  // has no SoundMessage
    ReaderShown shown(true);
    SetSpeechPlatform(&shown);
    EXPECT_EQ(0, Speak("a"));
    EXPECT_EQ(1, g_speech.State);
    EXPECT_EQ(nullptr, GetModuleHandleA("SOUNDP.DLL"));
    EXPECT_EQ(1, Speak("b"));
    EXPECT_FALSE(Exists(t / "speech.log"));
}
