// The pager's text: the windowed reading, the line index and the screen
// lines, against the plain reading of a page (the whole text in memory, line
// feeds counted from its start) on generated texts.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "base/sjis.h"
#include "listing/list_keys.h"
#include "pager/pager_text.h"

namespace qrn::test {
namespace {

using Strings = std::vector<std::string>;

// A text in memory, handed out in pieces of at most chunk bytes.
struct StringSource : ByteSource {
    explicit StringSource(std::string t, std::size_t c = ~std::size_t{0}) : text(std::move(t)), chunk(c) {}
    std::string text;
    std::size_t chunk;
    std::size_t Read(std::uint64_t offset, unsigned char* out, std::size_t n) override {
        if (offset >= text.size()) return 0;
        n = std::min({n, chunk, static_cast<std::size_t>(text.size() - offset)});
        std::copy_n(text.data() + offset, n, out);
        return n;
    }
};

// The plain page: the text is one buffer, the top line found by counting line
// feeds from its start, the screen lines built byte by byte.
Page PlainPage(const std::string& all, std::uint64_t top, const PageGeometry& g) {
    const std::size_t end = std::min(all.find('\x1A'), all.size());
    std::size_t i = 0;
    for (std::uint64_t feeds = 0; feeds < top; ++i) {
        if (i >= end) return Page{};
        if (all[i] == '\n') ++feeds;
    }
    Page p;
    p.topOffset = i;
    std::string line;
    auto put = [&] { p.lines.push_back(line), line.clear(); };
    while (static_cast<int>(p.lines.size()) < g.linesPerPage) {
        if (i >= end) {
            p.atEnd = true;
            if (!line.empty()) put();
            break;
        }
        const unsigned char c = static_cast<unsigned char>(all[i++]);
        if (c == '\n') {
            put();
            continue;
        }
        if (c == '\r' && i < end && all[i] == '\n') continue;
        if (c == '\t') {
            do line += ' ';
            while (line.size() % g.tabWidth && static_cast<int>(line.size()) < g.limit);
        } else {
            line += static_cast<char>(c);
            const unsigned char t = i < end ? static_cast<unsigned char>(all[i]) : 0;
            if (IsLeadByte(c) && t >= 0x40 && t <= 0xFC && t != 0x7F) line += all[i++];
        }
        if (static_cast<int>(line.size()) >= g.limit) put();
    }
    if (top > 0 && p.lines.empty()) return Page{};
    p.answer = static_cast<std::int64_t>(top + p.lines.size());
    return p;
}

std::string RandomText(std::mt19937& rng, std::size_t size, bool withEof) {
    static const char* const pieces[] = {"a", "Z", " ", "\t", "\n", "\r\n", "\r", "\x83\x5C", "\x82\xA0", "\x88\x9F",
                                         "\x81", "\xB1", "", "\n\n"};  // 12: a NUL
    std::string s;
    std::uniform_int_distribution<int> pick(0, 13), run(1, 400);
    while (s.size() < size) {
        const int k = pick(rng);
        if (k == 12) s += '\0';
        else if (k == 0) s.append(static_cast<std::size_t>(run(rng)), 'x');  // long lines
        else s += pieces[k];
    }
    if (withEof) s.insert(s.size() * 3 / 4, 1, '\x1A');
    return s;
}

// A page as one value: its answer, top offset, end and lines.
auto Fields(const Page& p) { return std::tie(p.answer, p.topOffset, p.atEnd, p.lines); }

TEST(PagerText, PagesMatchThePlainReadingOnGeneratedTexts) {
    std::mt19937 rng(7);
    for (int round = 0; round < 13; ++round) {
        // Some texts cross block boundaries; some are read in small pieces; the
        // last has more lines than the index notes one by one.
        const std::size_t size = round < 6 ? 3000 : 150000 + round * 20011;
        std::string all = round < 12 ? RandomText(rng, size, round % 3 == 1) : "";
        for (int i = 0; round == 12 && i < 300000; ++i) all += i % 7 ? "\n" : "ab\n";
        StringSource source(all, round % 2 ? 999 : ~std::size_t{0});
        TextWindow window(source, all.size());
        LineIndex index(window);
        const PageGeometry g{1 + round % 23, 2 + (round * 37) % 80, round % 2 ? 4 : 8};
        // The line feeds before the end, and one line more for text after the last of them.
        const std::size_t end = std::min(all.find('\x1A'), all.size());
        const std::uint64_t lines = std::count(all.begin(), all.begin() + end, '\n') + (end && all[end - 1] != '\n');
        EXPECT_EQ(lines, index.LineCount()) << round;
        // Every top line near both ends, a spread between, and beyond the text.
        std::vector<std::uint64_t> tops;
        for (std::uint64_t t = 0; t < 40; ++t) tops.push_back(t), tops.push_back(lines + 2 - std::min(t, lines + 2));
        for (int k = 0; k < 60; ++k) tops.push_back(rng() % (lines + 3));
        for (std::uint64_t t : tops) EXPECT_EQ(Fields(PlainPage(all, t, g)), Fields(BuildPage(index, t, g))) << t;
        // The thumb: line feeds in the first p + 1 bytes.
        for (int k = 0; k < 40; ++k) {
            const std::size_t p = rng() % (all.size() + 2);
            const auto want = static_cast<std::uint64_t>(std::count(all.begin(), all.begin() + std::min(p + 1, end), '\n'));
            EXPECT_EQ(want, index.LineFeedsBefore(p + 1)) << p;
        }
        if (round == 12) EXPECT_GT(index.Stride(), 1u);
    }
}

// What the generated texts seldom or never hold, as the pages show it.
TEST(PagerText, PagesTheWay) {
    const struct { const char* what; std::string text; std::uint64_t top; PageGeometry g; std::int64_t answer; Strings lines;
                   bool atEnd; } cases[] = {
        {"an empty file", "", 0, {20, 70, 8}, 0, {}, true},
        {"a 3 MiB line without a line feed is one line", std::string(3 << 20, 'x'), 1, {20, 70, 8}, -1, {}, false}};
    for (const auto& c : cases) {
        StringSource source(c.text);
        TextWindow window(source, c.text.size());
        LineIndex index(window);
        const Page p = BuildPage(index, c.top, c.g);
        EXPECT_EQ(std::tie(c.answer, c.lines, c.atEnd), std::tie(p.answer, p.lines, p.atEnd)) << c.what;
    }
}

TEST(PagerText, OffsetsBeyondFourGibibytesAreReadWhereTheyAre) {
    // A source as large as no 32-bit size holds; each byte tells its offset's top bits.
    struct Huge : ByteSource {
        std::size_t Read(std::uint64_t offset, unsigned char* out, std::size_t n) override {
            for (std::size_t i = 0; i < n; ++i) out[i] = static_cast<unsigned char>('A' + ((offset + i) >> 32));
            return n;
        }
    } source;
    const std::uint64_t size = (std::uint64_t{5} << 32) + 10;  // 20 GiB
    TextWindow window(source, size);
    std::size_t n;
    const unsigned char* p = window.Span((std::uint64_t{4} << 32) + 3, n);
    ASSERT_NE(nullptr, p);
    EXPECT_EQ('E', p[0]);
    EXPECT_EQ(nullptr, window.Span(size, n));
    EXPECT_EQ(4, ScrollShift(size));  // 20 GiB >> 4 fits the scroll bar's range
    EXPECT_EQ(0, ScrollShift(0x7FFFFFFF));
}

TEST(PagerText, KeysMoveTheTopLine) {
    std::string all;
    for (int i = 0; i < 25; ++i) all += "line\n";
    StringSource source(all);
    TextWindow window(source, all.size());
    LineIndex index(window);
    PagerState s;
    s.geometry = PageGeometry{10, 70, 8};
    auto press = [&](int key) {
        const PagerAction a = PagerKey(s, index, key, false);
        if (a == kPagerPaint) AcceptPage(s, BuildPage(index, s.TopLine, s.geometry));
        return a;
    };
    // Key; what it asks for and the top line after it. Past the end the page stays; Down does nothing once the
    // text ended on the page.
    const struct { int key; PagerAction action; std::uint64_t top; } steps[] = {
        {kKeyUp, kPagerNothing, 0}, {kKeyNext, kPagerPaint, 10}, {kKeyRight, kPagerPaint, 20}, {kKeyNext, kPagerPaint, 20},
        {kKeyDown, kPagerNothing, 20}, {kKeyPrior, kPagerPaint, 10}, {kKeyUp, kPagerPaint, 9}, {kKeyLeft, kPagerPaint, 0},
        {kKeyEnd, kPagerPaint, 15}, {kKeyHome, kPagerPaint, 0}, {kKeyTab, kPagerPaint, 0}, {kPagerKeyF7, kPagerClose, 0}};
    for (const auto& st : steps) EXPECT_EQ((std::pair{st.action, st.top}), (std::pair{press(st.key), s.TopLine})) << st.key;
    EXPECT_EQ((std::pair{4, 4}), (std::pair{s.TabWidth, s.geometry.tabWidth}));  // the next lines use it
}

}  // namespace
}  // namespace qrn::test
