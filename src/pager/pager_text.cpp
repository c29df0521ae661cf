#include "pager/pager_text.h"

#include <algorithm>
#include <cstring>

#include "base/sjis.h"
#include "listing/list_keys.h"

namespace qrn {

const unsigned char* TextWindow::Span(std::uint64_t offset, std::size_t& count) {
    count = 0;
    if (offset >= size_) return nullptr;
    const std::uint64_t start = offset - offset % kBlockSize;
    Block* b = &blocks_[last_];
    if (b->start != start) {
        b = nullptr;
        for (Block& x : blocks_)
            if (x.start == start) b = &x;
        if (!b) {
            b = &blocks_[0];
            for (Block& x : blocks_)
                if (x.used < b->used) b = &x;
            if (b->bytes.empty()) b->bytes.resize(kBlockSize);
            const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(kBlockSize, size_ - start));
            std::size_t got = 0;
            while (got < want) {
                const std::size_t n = source_.Read(start + got, b->bytes.data() + got, want - got);
                if (n == 0) break;
                got += n;
            }
            b->start = start;
            b->length = got;
            if (got < want) size_ = start + got;  // the file ended early (cut short, or unreadable from here)
        }
        last_ = static_cast<int>(b - blocks_);
    }
    b->used = ++clock_;
    if (offset >= start + b->length) return nullptr;
    count = static_cast<std::size_t>(start + b->length - offset);
    return b->bytes.data() + (offset - start);
}

// ---------------------------------------------------------------------------

void LineIndex::Found(std::uint64_t start) {
    ++lines_;
    lastStart_ = start;
    if (lines_ % stride_ != 0) return;
    if (marks_.size() == kMaxMarks) {
        // Keep every other start: the index stays the same size however long the file.
        for (std::size_t j = 1; 2 * j < marks_.size(); ++j) marks_[j] = marks_[2 * j];
        marks_.resize((marks_.size() + 1) / 2);
        stride_ *= 2;
        if (lines_ % stride_ != 0) return;
    }
    marks_.push_back(start);
}

// Reads on until lines line feeds have been found and bytes bytes looked at,
// or the text has ended; a whole block at a time.
void LineIndex::Scan(std::uint64_t lines, std::uint64_t bytes) {
    while (!complete_ && (lines_ < lines || scanned_ < bytes)) {
        std::size_t n;
        const unsigned char* p = text_.Span(scanned_, n);
        if (!p) {
            complete_ = true;
            break;
        }
        const void* eof = std::memchr(p, kEndOfFileByte, n);
        const std::size_t m = eof ? static_cast<std::size_t>(static_cast<const unsigned char*>(eof) - p) : n;
        for (const unsigned char *q = p, *end = p + m;
             (q = static_cast<const unsigned char*>(std::memchr(q, '\n', static_cast<std::size_t>(end - q))));)
            Found(scanned_ + static_cast<std::uint64_t>(++q - p));
        scanned_ += m;
        if (eof) complete_ = true;
    }
}

namespace {

// Moves offset on past count line feeds, no further than limit; how many it passed.
std::uint64_t SkipLineFeeds(TextWindow& text, std::uint64_t& offset, std::uint64_t count, std::uint64_t limit) {
    std::uint64_t passed = 0;
    while (passed < count && offset < limit) {
        std::size_t n;
        const unsigned char* p = text.Span(offset, n);
        if (!p) break;
        n = static_cast<std::size_t>(std::min<std::uint64_t>(n, limit - offset));
        const unsigned char* q = p;
        const unsigned char* end = p + n;
        while (passed < count && (q = static_cast<const unsigned char*>(std::memchr(q, '\n', static_cast<std::size_t>(end - q))))) {
            ++q;
            ++passed;
        }
        offset += static_cast<std::uint64_t>((passed < count ? end : q) - p);
    }
    return passed;
}

}  // namespace

bool LineIndex::LineStart(std::uint64_t n, std::uint64_t& offset) {
    if (n > lines_) Scan(n, 0);
    if (n > lines_) return false;
    if (n == lines_) {
        offset = lastStart_;
        return true;
    }
    offset = marks_[static_cast<std::size_t>(n / stride_)];
    SkipLineFeeds(text_, offset, n % stride_, scanned_);
    return true;
}

std::uint64_t LineIndex::LineFeedsBefore(std::uint64_t bytes) {
    Scan(0, bytes);
    bytes = std::min(bytes, scanned_);
    // The last noted start at or before bytes, then the line feeds from there.
    const auto k = static_cast<std::size_t>(std::upper_bound(marks_.begin(), marks_.end(), bytes) - marks_.begin() - 1);
    std::uint64_t offset = marks_[k];
    return k * stride_ + SkipLineFeeds(text_, offset, ~std::uint64_t{0}, bytes);
}

std::uint64_t LineIndex::LineCount() {
    Scan(~std::uint64_t{0}, ~std::uint64_t{0});
    // Line n > 0 is there when some text follows the n-th line feed.
    return lines_ + (lastStart_ < scanned_ ? 1 : 0);
}

// ---------------------------------------------------------------------------

LineBuilder::LineBuilder(TextWindow& text, std::uint64_t offset, int limit, int tabWidth)
    : text_(text), base_(offset), limit_(std::max(limit, 1)), tabWidth_(tabWidth < 1 ? 8 : tabWidth) {}

int LineBuilder::Peek() {
    if (p_ == end_) {
        base_ = Offset();
        std::size_t n;
        begin_ = p_ = text_.Span(base_, n);
        end_ = p_ ? p_ + n : p_;
        if (p_ == end_) return -1;
    }
    return *p_;
}

bool LineBuilder::Next(std::string& out, bool& lineEnded) {
    out.clear();
    lineEnded = false;
    if (atEnd_) return false;
    const std::size_t limit = static_cast<std::size_t>(limit_);
    for (;;) {
        const int c = Peek();
        if (c < 0 || c == kEndOfFileByte) {
            atEnd_ = true;
            lineEnded = true;
            return !out.empty();
        }
        Skip();
        if (c == '\n') {
            lineEnded = true;
            return true;
        }
        if (c == '\r' && Peek() == '\n') continue;  // CR LF ends a line as LF does
        if (c == '\t') {
            do out += ' ';
            while (out.size() % static_cast<std::size_t>(tabWidth_) != 0 && out.size() < limit);
        } else if (IsLeadByte(static_cast<unsigned char>(c))) {
            out += static_cast<char>(c);
            // Its trail byte comes along; a lead byte with none stands alone.
            const int t = Peek();
            if (t >= 0x40 && t <= 0xFC && t != 0x7F) {
                out += static_cast<char>(t);
                Skip();
            }
        } else {
            out += static_cast<char>(c);
        }
        if (out.size() >= limit) return true;  // full: the line goes on below
    }
}

PageGeometry GeometryOf(int clientWidth, int clientHeight, int charWidth, int lineHeight, int tabWidth) {
    PageGeometry g;
    g.linesPerPage = lineHeight > 0 ? std::max(clientHeight / lineHeight, 1) : 1;
    g.limit = charWidth > 0 ? std::clamp(clientWidth / charWidth - 3, 1, kMaxScreenLine) : 1;
    g.tabWidth = tabWidth;
    return g;
}

Page BuildPage(LineIndex& index, std::uint64_t topLine, const PageGeometry& g) {
    Page page;
    if (!index.LineStart(topLine, page.topOffset)) return page;
    LineBuilder b(index.Text(), page.topOffset, g.limit, g.tabWidth);
    std::string line;
    bool ended;
    while (static_cast<int>(page.lines.size()) < g.linesPerPage && b.Next(line, ended)) page.lines.push_back(line);
    page.atEnd = b.AtEnd();
    // Nothing after the last line feed: no line there, past the text.
    if (topLine > 0 && page.lines.empty()) return Page{};
    page.answer = static_cast<std::int64_t>(topLine + page.lines.size());
    return page;
}

namespace {

// Screen lines that line n takes, counting no further than cap.
int ScreenLinesOf(LineIndex& index, std::uint64_t n, const PageGeometry& g, int cap) {
    std::uint64_t start;
    if (!index.LineStart(n, start)) return 0;
    LineBuilder b(index.Text(), start, g.limit, g.tabWidth);
    std::string line;
    bool ended = false;
    int count = 0;
    while (count < cap && !ended && b.Next(line, ended)) ++count;
    return count;
}

}  // namespace

std::uint64_t LastPageTop(LineIndex& index, const PageGeometry& g) {
    const std::uint64_t count = index.LineCount();
    if (count == 0) return 0;
    std::uint64_t top = count - 1;
    int used = ScreenLinesOf(index, top, g, g.linesPerPage + 1);
    while (top > 0) {
        const int more = ScreenLinesOf(index, top - 1, g, g.linesPerPage + 1);
        if (used + more > g.linesPerPage) break;
        used += more;
        --top;
    }
    return top;
}

int TabWidthFor(const char* name) {
    const char* dot = std::strrchr(name, '.');
    if (!dot) return 8;
    char ext[8] = {};
    const std::size_t n = std::strlen(dot + 1);
    if (n >= sizeof ext) return 8;
    for (std::size_t i = 0; i < n; ++i) {
        const char c = dot[1 + i];
        ext[i] = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    }
    for (const char* e : {"C", "H", "INC", "PAS", "CPP"})
        if (std::strcmp(ext, e) == 0) return 4;
    return 8;
}

int ScrollShift(std::uint64_t size) {
    int shift = 0;
    while ((size >> shift) > 0x7FFFFFFF) ++shift;
    return shift;
}

PagerAction PagerKey(PagerState& s, LineIndex& index, int key, bool shift) {
    const std::uint64_t page = static_cast<std::uint64_t>(s.geometry.linesPerPage);
    switch (key) {
    case kKeyUp:
        if (s.TopLine == 0) return kPagerNothing;
        --s.TopLine;
        return kPagerPaint;
    case kKeyDown:
        if (s.AtEnd) return kPagerNothing;
        ++s.TopLine;
        return kPagerPaint;
    case kKeyPrior:
    case kKeyLeft:
        if (s.TopLine == 0) return kPagerNothing;
        s.TopLine = s.TopLine > page ? s.TopLine - page : 0;
        return kPagerPaint;
    case kKeyNext:
    case kKeyRight:
        s.TopLine += page;
        return kPagerPaint;
    case kKeyHome:
        if (s.TopLine == 0) return kPagerNothing;
        s.TopLine = 0;
        return kPagerPaint;
    case kKeyEnd:
        s.TopLine = LastPageTop(index, s.geometry);
        return kPagerPaint;
    case kKeyTab:
        s.TabWidth = s.TabWidth == 4 ? 8 : 4;
        s.geometry.tabWidth = s.TabWidth;
        return kPagerPaint;
    case kKeyEscape:
        return kPagerClose;
    case kPagerKeyV:
    case kPagerKeyF7:
    case kKeyReturn:
        return shift ? kPagerEditThenClose : kPagerClose;
    default:
        return kPagerNothing;
    }
}

void PagerThumb(PagerState& s, LineIndex& index, std::uint64_t p) { s.TopLine = index.LineFeedsBefore(p + 1); }

void AcceptPage(PagerState& s, const Page& page) {
    if (page.answer < 1) {
        s.TopLine = s.PreviousTopLine;
        if (page.answer == 0) s.AtEnd = page.atEnd;  // an empty text was drawn
        return;
    }
    s.PreviousTopLine = s.TopLine;
    s.AtEnd = page.atEnd;
}

}  // namespace qrn
