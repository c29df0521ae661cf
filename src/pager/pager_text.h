// The text the pager shows. The file is read through a few blocks kept in
// memory, whatever its size; the start of every line (or of every n-th line
// of a long file) is noted as the reading goes, so that a page at the end of
// the file is found as fast as one at its start; and a page's screen lines
// are built from the line it begins with: tabs expanded, long lines wrapped
// without splitting a double-byte character, the text ending at a byte 26.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace qrn {

constexpr unsigned char kEndOfFileByte = 26;
constexpr int kMaxScreenLine = 255;  // bytes of a screen line before it is cut (one more for a double-byte character)

// Where the bytes come from.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Up to n bytes at offset; how many were read (0 at the end or on failure).
    virtual std::size_t Read(std::uint64_t offset, unsigned char* out, std::size_t n) = 0;
};

// The first size bytes of a source, through kBlocks blocks of kBlockSize
// bytes, the least recently used one read anew. A read that comes back short
// ends the text there.
class TextWindow {
public:
    static constexpr std::size_t kBlockSize = 64 * 1024;
    static constexpr int kBlocks = 8;

    TextWindow(ByteSource& source, std::uint64_t size) : source_(source), size_(size) {}
    // The bytes from offset to the end of its block; null and count 0 at the end.
    const unsigned char* Span(std::uint64_t offset, std::size_t& count);
    std::uint64_t Size() const { return size_; }

private:
    struct Block {
        std::uint64_t start = ~std::uint64_t{0};
        std::size_t length = 0;
        std::uint64_t used = 0;
        std::vector<unsigned char> bytes;
    };
    ByteSource& source_;
    std::uint64_t size_;
    Block blocks_[kBlocks];
    std::uint64_t clock_ = 0;
    int last_ = 0;
};

// Line starts: line 0 at offset 0, line n just after the n-th line feed.
// The text ends at its size or at its first byte 26.
class LineIndex {
public:
    static constexpr std::size_t kMaxMarks = std::size_t{1} << 17;  // 1 MiB of offsets at most

    explicit LineIndex(TextWindow& text) : text_(text) {}
    TextWindow& Text() { return text_; }
    // The start of line n; false when the text has fewer than n line feeds.
    bool LineStart(std::uint64_t n, std::uint64_t& offset);
    // Line feeds among the first bytes bytes of the text.
    std::uint64_t LineFeedsBefore(std::uint64_t bytes);
    // Lines of the whole text (none when it is empty); reads it to its end once.
    std::uint64_t LineCount();
    // The offset just past the text, once the reading has reached it.
    bool Complete() const { return complete_; }
    std::uint64_t TextEnd() const { return scanned_; }
    // Every how many lines a start is noted (grows as the file does).
    std::uint64_t Stride() const { return stride_; }

private:
    void Scan(std::uint64_t lines, std::uint64_t bytes);
    void Found(std::uint64_t start);

    TextWindow& text_;
    std::vector<std::uint64_t> marks_{0};  // marks_[k]: start of line k * stride_
    std::uint64_t stride_ = 1;
    std::uint64_t lines_ = 0;      // line feeds found so far
    std::uint64_t lastStart_ = 0;  // start of line lines_
    std::uint64_t scanned_ = 0;    // bytes looked at
    bool complete_ = false;
};

// Screen lines one after another from a line start.
class LineBuilder {
public:
    // limit: bytes of a screen line before it is cut (at least 1).
    LineBuilder(TextWindow& text, std::uint64_t offset, int limit, int tabWidth);
    // The next screen line; false when the text ends where it would begin.
    // lineEnded tells whether it finished its line of the file.
    bool Next(std::string& out, bool& lineEnded);
    // The text has ended (its size or a byte 26 reached).
    bool AtEnd() const { return atEnd_; }

private:
    int Peek();
    void Skip() { ++p_; }
    std::uint64_t Offset() const { return base_ + static_cast<std::uint64_t>(p_ - begin_); }

    TextWindow& text_;
    std::uint64_t base_;
    const unsigned char* begin_ = nullptr;
    const unsigned char* p_ = nullptr;
    const unsigned char* end_ = nullptr;
    int limit_, tabWidth_;
    bool atEnd_ = false;
};

// How a page is laid out in the window.
struct PageGeometry {
    int linesPerPage = 1;
    int limit = 1;  // client width / character width - 3, at most kMaxScreenLine
    int tabWidth = 8;
};
PageGeometry GeometryOf(int clientWidth, int clientHeight, int charWidth, int lineHeight, int tabWidth);

struct Page {
    std::int64_t answer = -1;  // -1: the top line lies beyond the text; else top line + lines drawn
    std::uint64_t topOffset = 0;
    bool atEnd = false;        // the text ended on this page
    std::vector<std::string> lines;
};
Page BuildPage(LineIndex& index, std::uint64_t topLine, const PageGeometry& g);

// The top line of the last page: as many of the last lines as fit.
std::uint64_t LastPageTop(LineIndex& index, const PageGeometry& g);

// Tab width by the name's extension: 4 for C, H, INC, PAS and CPP, else 8.
int TabWidthFor(const char* name);

// Scroll-bar positions stand for byte offsets shifted right by this much, so
// that the range of a file of any size fits the scroll bar's.
int ScrollShift(std::uint64_t size);

// What a key or scroll-bar action asks of the window.
enum PagerAction : int { kPagerNothing = 0, kPagerPaint, kPagerClose, kPagerEditThenClose };

// Keys after TranslateListKey; scroll-bar actions arrive as the keys they match.
constexpr int kPagerKeyV = 'V', kPagerKeyF7 = 0x76;

struct PagerState {
    std::uint64_t TopLine = 0;
    std::uint64_t PreviousTopLine = 0;
    int TabWidth = 8;
    bool AtEnd = false;
    PageGeometry geometry;
};

// Changes TopLine (or the tab width) for a key; kPagerPaint asks for a paint.
PagerAction PagerKey(PagerState& s, LineIndex& index, int key, bool shift);
// The thumb released at byte position p.
void PagerThumb(PagerState& s, LineIndex& index, std::uint64_t p);
// After a paint: a page beyond the text puts TopLine back where it was.
void AcceptPage(PagerState& s, const Page& page);

}  // namespace qrn
