// The pager on a 100 MiB text file, in one run:
//  - opening it to its first painted page (the file opened, its first page
//    built and drawn), against reading the whole file into one buffer first
//    and counting line feeds from its start, as a viewer without an index does;
//  - a page turn at the end of the file against one at its start, both ways.
//   qrn_bench_pager [MIB]   (default 100)
// Pages are drawn with the pager's own drawing into a shown window of
// 640 x 480 pixels with the FixedSys font. Prints medians and ratios.
#include <windows.h>

#include "bench_clock.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "pager/pager_text.h"
#include "pager/pager_window_win32.h"

using namespace qrn;

using bench::Median;
using bench::Now;

namespace {

struct Screen {
    HWND window;
    HDC dc;
    RECT client;
    HFONT font;
    int cw, lh;
    PageGeometry g;
};

Screen MakeScreen() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "QRN pager bench";
    RegisterClassA(&wc);
    Screen s{};
    s.window = CreateWindowExA(0, wc.lpszClassName, "bench", WS_OVERLAPPEDWINDOW, 0, 0, 640, 480, nullptr, nullptr,
                               wc.hInstance, nullptr);
    ShowWindow(s.window, SW_SHOW);
    s.dc = GetDC(s.window);
    GetClientRect(s.window, &s.client);
    s.font = CreateFontA(16, 0, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, FIXED_PITCH, "FixedSys");
    SelectObject(s.dc, s.font);
    TEXTMETRICA tm;
    GetTextMetricsA(s.dc, &tm);
    s.cw = tm.tmAveCharWidth;
    s.lh = tm.tmHeight + tm.tmExternalLeading;
    s.g = GeometryOf(s.client.right, s.client.bottom, s.cw, s.lh, 8);
    return s;
}

void Draw(Screen& s, const Page& p) {
    DrawPage(s.dc, s.client, p, s.font, RGB(0, 0, 0), RGB(255, 255, 255), s.cw, s.lh);
    GdiFlush();
}

bool WriteText(const char* path, std::uint64_t bytes) {
    HANDLE f = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    std::string chunk;
    for (int i = 0; chunk.size() < (1u << 20); ++i) {
        char line[128];
        const int n = std::snprintf(line, sizeof line, "%07d\tThe quick brown fox \x82\xa0\x82\xa2 jumps %.*s\r\n", i,
                                    i % 40, "over the lazy dog over the lazy dog over");
        chunk.append(line, static_cast<std::size_t>(n));
    }
    chunk.resize(1u << 20);
    chunk.back() = '\n';
    DWORD w;
    for (std::uint64_t done = 0; done < bytes; done += chunk.size())
        if (!WriteFile(f, chunk.data(), static_cast<DWORD>(chunk.size()), &w, nullptr)) return CloseHandle(f), false;
    CloseHandle(f);
    return true;
}

// The whole file in one buffer, the top line found by counting line feeds
// from the start; the screen lines built by the pager's own builder.
struct WholeFile {
    std::vector<unsigned char> bytes;
    class Source : public ByteSource {
    public:
        explicit Source(const std::vector<unsigned char>& b) : b_(b) {}
        std::size_t Read(std::uint64_t offset, unsigned char* out, std::size_t n) override {
            if (offset >= b_.size()) return 0;
            if (n > b_.size() - offset) n = static_cast<std::size_t>(b_.size() - offset);
            std::memcpy(out, b_.data() + offset, n);
            return n;
        }

    private:
        const std::vector<unsigned char>& b_;
    };

    bool Load(const char* path) {
        std::uint64_t size = 0;
        auto src = OpenPagerFile(path, size);
        if (!src) return false;
        bytes.assign(static_cast<std::size_t>(size) + 1024, 0);
        std::size_t got = 0;
        while (got < size) {
            const std::size_t n = src->Read(got, bytes.data() + got, static_cast<std::size_t>(size) - got);
            if (!n) break;
            got += n;
        }
        bytes.resize(got);
        return got == size;
    }
    Page PageAt(std::uint64_t top, const PageGeometry& g) {
        std::uint64_t i = 0, feeds = 0;
        const unsigned char* p = bytes.data();
        const std::uint64_t n = bytes.size();
        while (feeds < top && i < n)
            if (p[i++] == '\n') ++feeds;
        Page page;
        if (feeds < top) return page;
        Source source(bytes);
        TextWindow text(source, n);
        LineBuilder b(text, i, g.limit, g.tabWidth);
        std::string line;
        bool ended;
        while (static_cast<int>(page.lines.size()) < g.linesPerPage && b.Next(line, ended)) page.lines.push_back(line);
        page.answer = static_cast<std::int64_t>(top + page.lines.size());
        return page;
    }
};

}  // namespace

int main(int argc, char** argv) {
    const std::uint64_t mib = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 100;
    char dir[MAX_PATH], path[MAX_PATH];
    GetTempPathA(sizeof dir, dir);
    std::snprintf(path, sizeof path, "%sqrn_bench_pager.txt", dir);
    if (!WriteText(path, mib << 20)) return std::printf("cannot write %s\n", path), 1;
    Screen s = MakeScreen();
    const int runs = 7, turns = 41;

    // Opening to the first page.
    std::vector<double> open, wholeOpen;
    for (int r = 0; r < runs; ++r) {
        double t0 = Now();
        std::uint64_t size = 0;
        auto src = OpenPagerFile(path, size);
        TextWindow text(*src, size);
        LineIndex index(text);
        Draw(s, BuildPage(index, 0, s.g));
        open.push_back(Now() - t0);

        t0 = Now();
        WholeFile whole;
        whole.Load(path);
        Draw(s, whole.PageAt(0, s.g));
        wholeOpen.push_back(Now() - t0);
    }

    // Page turns: Page Down from the start; Page Up and Down at the end, once
    // End has read the file (measured on its own).
    std::uint64_t size = 0;
    auto src = OpenPagerFile(path, size);
    TextWindow text(*src, size);
    LineIndex index(text);
    const double e0 = Now();
    const std::uint64_t last = LastPageTop(index, s.g);
    Draw(s, BuildPage(index, last, s.g));
    const double endKey = Now() - e0;
    const std::uint64_t page = static_cast<std::uint64_t>(s.g.linesPerPage);
    std::vector<double> atStart, atEnd, wholeStart, wholeEnd;
    WholeFile whole;
    whole.Load(path);
    for (int k = 0; k < turns; ++k) {
        const std::uint64_t top = page * static_cast<std::uint64_t>(1 + k % 4);
        const std::uint64_t bottom = last - page * static_cast<std::uint64_t>(1 + k % 4);
        double t0 = Now();
        Draw(s, BuildPage(index, top, s.g));
        atStart.push_back(Now() - t0);
        t0 = Now();
        Draw(s, BuildPage(index, bottom, s.g));
        atEnd.push_back(Now() - t0);
        if (k < 9) {
            t0 = Now();
            Draw(s, whole.PageAt(top, s.g));
            wholeStart.push_back(Now() - t0);
            t0 = Now();
            Draw(s, whole.PageAt(bottom, s.g));
            wholeEnd.push_back(Now() - t0);
        }
    }
    DeleteFileA(path);

    const double o = Median(open), wo = Median(wholeOpen);
    const double ps = Median(atStart), pe = Median(atEnd), ws = Median(wholeStart), we = Median(wholeEnd);
    std::printf("pager open %llu MiB to the first page %.2f ms; whole file read first %.1f ms; ratio %.3f\n",
                static_cast<unsigned long long>(mib), o * 1e3, wo * 1e3, o / wo);
    std::printf("pager page turn at the end %.3f ms, at the start %.3f ms; ratio %.2f (End, reading the file once: %.0f ms; %llu lines, a start noted every %llu)\n",
                pe * 1e3, ps * 1e3, pe / ps, endKey * 1e3, static_cast<unsigned long long>(index.LineCount()),
                static_cast<unsigned long long>(index.Stride()));
    std::printf("pager page turn counting line feeds from the start: at the end %.2f ms, at the start %.3f ms; ratio %.0f\n",
                we * 1e3, ws * 1e3, we / ws);
    return 0;
}
