// Readable forms of names, dates and times, and the speaking state machine
// against a scripted platform.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "base/speech.h"

using namespace qrn;

namespace {

std::string Readable(const std::string& text, int table) {
    char buf[kSpeechTextSize];
    std::strcpy(buf, text.c_str());
    MakeReadable(buf, table);
    return buf;
}

}  // namespace

TEST(Readable, NamesSpellOutMarksAndDropBlanks) {
    EXPECT_EQ("aアンダーラインbぴりおどtxt", Readable("a_b.txt", kReadNames));
    EXPECT_EQ("だいなりしょうなりあすたりすく", Readable("><*", kReadNames));
    EXPECT_EQ("ab", Readable("a b", kReadNames));
    EXPECT_EQ("", Readable("     ", kReadNames));
    // A trail byte that looks like a mark stays part of its character: "ダ" is 0x83 0x5F.
    ASSERT_EQ('_', "ダ"[1]);
    EXPECT_EQ("ダぴりおど", Readable("ダ.", kReadNames));
    EXPECT_EQ("\xb1\xb2-", Readable("\xb1\xb2-", kReadNames));  // half-width kana and others as they are
}

TEST(Readable, EachTableReplacesOnlyItsOwnCharacters) {
    EXPECT_EQ("2024/01/31", Readable("2024-01-31", kReadDates));
    EXPECT_EQ("a_b.txt", Readable("a_b.txt", kReadDates));
    EXPECT_EQ("12:34 a_b.-", Readable("12:34 a_b.-", kReadTimes));
    EXPECT_EQ("a_b. >-", Readable("a_b. >-", kReadPlain));
    EXPECT_EQ("a_b. >-", Readable("a_b. >-", 99));
}

TEST(Readable, RunsAreCutToThreeBeforeReplacement) {
    EXPECT_EQ("aaabaaa", Readable("aaaabaaaaa", kReadPlain));
    EXPECT_EQ("aab", Readable("aab", kReadPlain));
    EXPECT_EQ("---", Readable("-----", kReadPlain));
    EXPECT_EQ("///", Readable("-----", kReadDates));
    EXPECT_EQ("アンダーラインアンダーラインアンダーライン", Readable("_____", kReadNames));
    EXPECT_EQ("ぴりおどぴりおどぴりおどxぴりおど", Readable("....x.", kReadNames));
    // The run is counted on the source: blanks that read as nothing still separate runs.
    EXPECT_EQ("aaaa", Readable("aa aa", kReadNames));
    EXPECT_EQ("ab", Readable("a     b", kReadNames));
    EXPECT_EQ("a   b", Readable("a     b", kReadPlain));
}

TEST(Readable, DoubleByteCharactersFormRunsAsWholes) {
    EXPECT_EQ("あああ", Readable("ああああ", kReadPlain));
    EXPECT_EQ("ダダダ", Readable("ダダダダダ", kReadNames));
    // Same lead byte, different characters: no run.
    ASSERT_EQ("あ"[0], "え"[0]);
    EXPECT_EQ("あいうえ", Readable("あいうえ", kReadPlain));
    // A single byte equal to a trail byte does not continue the run of a double-byte character.
    EXPECT_EQ("ダダダ___", Readable("ダダダ___", kReadPlain));
    // A lead byte left without its trail byte is not read.
    EXPECT_EQ("ab", Readable("ab\x83", kReadPlain));
}

TEST(Readable, LongResultsAreCutAtAWholeReadingWithinTheBuffer) {
    // Source pieces and what each reads as, in table 1; no character repeats.
    const std::vector<std::pair<std::string, std::string>> units = {
        {"_", "アンダーライン"}, {"ア", "ア"}, {".", "ぴりおど"}, {"b", "b"}, {"<", "しょうなり"}, {" ", ""}};
    for (std::size_t shift = 0; shift < units.size(); ++shift) {
        std::string source, expected;
        bool full = false;
        for (std::size_t i = shift; source.size() < kSpeechTextSize - 1; ++i) {
            const auto& u = units[i % units.size()];
            if (source.size() + u.first.size() > kSpeechTextSize - 1) {
                source += 'c';  // one byte left: a plain character
                if (!full && expected.size() + 1 <= kSpeechTextSize - 1) expected += 'c';
                break;
            }
            source += u.first;
            if (!full && expected.size() + u.second.size() <= kSpeechTextSize - 1)
                expected += u.second;
            else
                full = true;
        }
        ASSERT_EQ(kSpeechTextSize - 1, source.size());
        // Exactly the buffer's size on the heap, so any write past it is caught.
        std::unique_ptr<char[]> buf(new char[kSpeechTextSize]);
        std::memcpy(buf.get(), source.c_str(), kSpeechTextSize);
        MakeReadable(buf.get(), kReadNames);
        EXPECT_EQ(expected, std::string(buf.get())) << "shift " << shift;
        EXPECT_LE(std::strlen(buf.get()), kSpeechTextSize - 1);
    }
}

TEST(Readable, FullLengthTextWithoutReplacementsIsKept) {
    std::string source(257, 'a');
    for (std::size_t i = 3; i < source.size(); i += 4) source[i] = 'b';
    source += "ア";
    ASSERT_EQ(kSpeechTextSize - 1, source.size());
    EXPECT_EQ(source, Readable(source, kReadNames));
}

TEST(Readable, AppendStopsAtWholeCharactersAndReadings) {
    char dest[8] = "ab";
    AppendReadable(dest, sizeof dest, "ア.", kReadNames);  // "ぴりおど" (8 bytes) does not fit
    EXPECT_STREQ("abア", dest);

    char five[5] = "ab";
    AppendReadable(five, sizeof five, "アイ", kReadPlain);
    EXPECT_STREQ("abア", five);

    char four[4] = "ab";
    AppendReadable(four, sizeof four, "アb", kReadPlain);  // one byte left: never half of "ア"
    EXPECT_STREQ("ab", four);

    char later[6] = "";
    AppendReadable(later, sizeof later, ".ab", kReadNames);  // a reading that does not fit ends the copy
    EXPECT_STREQ("", later);

    char runs[32] = "aa";
    AppendReadable(runs, sizeof runs, "aaaa-----", kReadDates);  // runs counted in text only
    EXPECT_STREQ("aaaaa///", runs);

    char one[1] = {'\0'};
    AppendReadable(one, sizeof one, "abc", kReadPlain);
    EXPECT_EQ('\0', one[0]);
}

namespace {

class ScriptedSpeech final : public SpeechPlatform {
public:
    struct CallRecord {
        int Engine;
        std::string Text;
        int Flag;
    };
    bool Window = false;
    bool Loads = true;
    int Result = 1;
    int WindowChecks = 0;
    std::vector<int> Loaded;
    std::vector<CallRecord> Calls;

    bool ReaderWindowExists() override {
        ++WindowChecks;
        return Window;
    }
    bool LoadEngine(int engine) override {
        Loaded.push_back(engine);
        return Loads;
    }
    int Call(int engine, char* text, int flag) override {
        Calls.push_back({engine, text, flag});
        text[0] = 'Z';  // the engine may scribble on what it is given
        return Result;
    }
};

class Speech : public ::testing::Test {
protected:
    void SetUp() override {
        ResetSpeech();
        SetSpeechPlatform(&fake);
    }
    void TearDown() override {
        SetSpeechPlatform(nullptr);
        SetDefaultSpeechPlatform(nullptr);
        ResetSpeech();
    }
    ScriptedSpeech fake;
};

}  // namespace

TEST_F(Speech, WithoutAReaderWindowUsesTheSecondEngine) {
    EXPECT_EQ(1, Speak("abc"));
    EXPECT_EQ(2, SpeechEngine());
    EXPECT_EQ(2, SpeechStatus().State);
    SetSpeechMode(9);
    EXPECT_EQ(1, Speak("def"));
    ASSERT_EQ(std::vector<int>{2}, fake.Loaded);
    ASSERT_EQ(2u, fake.Calls.size());
    EXPECT_EQ(2, fake.Calls[0].Engine);
    EXPECT_EQ("abc", fake.Calls[0].Text);
    EXPECT_EQ(1, fake.Calls[0].Flag);
    EXPECT_EQ(2, fake.Calls[1].Engine);
    EXPECT_EQ("def", fake.Calls[1].Text);
    EXPECT_EQ(4, fake.Calls[1].Flag);
    // Its result does not matter.
    fake.Result = 0;
    EXPECT_EQ(1, Speak("ghi"));
    EXPECT_EQ(1, Speak("jkl"));
    EXPECT_EQ(4u, fake.Calls.size());
    EXPECT_EQ(2, SpeechStatus().State);
}

TEST_F(Speech, WithAReaderWindowUsesTheFirstEngine) {
    fake.Window = true;
    EXPECT_EQ(1, Speak("abc"));
    EXPECT_EQ(1, SpeechEngine());
    SetSpeechMode(9);
    EXPECT_EQ(1, Speak("def"));
    SetSpeechMode(1);
    EXPECT_EQ(1, Speak("ghi"));
    ASSERT_EQ(std::vector<int>{1}, fake.Loaded);
    ASSERT_EQ(3u, fake.Calls.size());
    EXPECT_EQ(1, fake.Calls[0].Engine);
    EXPECT_EQ(128, fake.Calls[0].Flag);
    EXPECT_EQ(1, fake.Calls[1].Engine);
    EXPECT_EQ(2, fake.Calls[1].Flag);
    EXPECT_EQ(128, fake.Calls[2].Flag);
    EXPECT_EQ("ghi", fake.Calls[2].Text);
}

TEST_F(Speech, StartsOnTheFirstTextThereIsToSay) {
    EXPECT_EQ(1, Speak(""));
    EXPECT_EQ(1, Speak(nullptr));
    EXPECT_EQ(0, fake.WindowChecks);
    EXPECT_TRUE(fake.Loaded.empty());
    EXPECT_EQ(0, SpeechStatus().State);
    EXPECT_EQ(0, SpeechEngine());
    EXPECT_EQ(1, Speak("x"));
    EXPECT_EQ(1, Speak(""));  // nothing is said for an empty text
    EXPECT_EQ(1, Speak("y"));
    // The reader is looked for once.
    fake.Window = true;
    EXPECT_EQ(1, Speak("z"));
    EXPECT_EQ(1, fake.WindowChecks);
    EXPECT_EQ(std::vector<int>{2}, fake.Loaded);
    ASSERT_EQ(3u, fake.Calls.size());
    EXPECT_EQ("z", fake.Calls[2].Text);
    EXPECT_EQ(2, fake.Calls[2].Engine);
}

TEST_F(Speech, AFailedStartTurnsSpeechOffForGood) {
    fake.Window = true;
    fake.Loads = false;
    EXPECT_EQ(0, Speak("x"));
    EXPECT_EQ(1, SpeechStatus().State);
    EXPECT_EQ(0, SpeechEngine());
    fake.Loads = true;
    EXPECT_EQ(1, Speak("y"));
    fake.Window = false;
    EXPECT_EQ(1, Speak("z"));
    EXPECT_EQ(1, fake.WindowChecks);
    EXPECT_EQ(std::vector<int>{1}, fake.Loaded);
    EXPECT_TRUE(fake.Calls.empty());
    EXPECT_EQ(1, SpeechStatus().State);
}

TEST_F(Speech, ARefusedFirstEngineCallTurnsSpeechOff) {
    fake.Window = true;
    fake.Result = 0;
    EXPECT_EQ(1, Speak("x"));
    EXPECT_EQ(1, SpeechStatus().State);
    // The reader comes back: speech stays off.
    fake.Result = 1;
    fake.Window = false;
    EXPECT_EQ(1, Speak("y"));
    fake.Window = true;
    EXPECT_EQ(1, Speak("z"));
    ASSERT_EQ(1u, fake.Calls.size());
    EXPECT_EQ("x", fake.Calls[0].Text);
    EXPECT_EQ(1, fake.WindowChecks);
    EXPECT_EQ(std::vector<int>{1}, fake.Loaded);
}

TEST_F(Speech, SpeaksACopyCutToTheTextSize) {
    char mine[] = "hello";
    EXPECT_EQ(1, Speak(mine));
    EXPECT_STREQ("hello", mine);  // the engine wrote into its own copy
    std::string longText(258, 'a');
    longText += "ア";  // 260 bytes: the double-byte character does not fit
    EXPECT_EQ(1, Speak(longText.c_str()));
    std::string exact(257, 'b');
    exact += "ア";
    EXPECT_EQ(1, Speak(exact.c_str()));
    ASSERT_EQ(3u, fake.Calls.size());
    EXPECT_EQ("hello", fake.Calls[0].Text);
    EXPECT_EQ(std::string(258, 'a'), fake.Calls[1].Text);
    EXPECT_EQ(exact, fake.Calls[2].Text);
}

TEST_F(Speech, UsesTheReplacementThenTheProgramsOwnPlatform) {
    SetSpeechPlatform(nullptr);
    EXPECT_EQ(1, Speak("x"));  // no platform at all: nothing happens
    EXPECT_EQ(0, SpeechStatus().State);

    ScriptedSpeech own;
    own.Window = true;
    SetDefaultSpeechPlatform(&own);
    SetSpeechPlatform(&fake);
    EXPECT_EQ(1, Speak("a"));
    EXPECT_EQ(2, SpeechEngine());
    ResetSpeech();
    SetSpeechPlatform(nullptr);
    EXPECT_EQ(1, Speak("b"));
    EXPECT_EQ(1, SpeechEngine());
    ASSERT_EQ(1u, fake.Calls.size());
    EXPECT_EQ("a", fake.Calls[0].Text);
    ASSERT_EQ(1u, own.Calls.size());
    EXPECT_EQ("b", own.Calls[0].Text);
}
