// A full repaint of one page of a 2000-row listing against bare GDI calls,
// in the same run.
//   qrn_bench_paint [REPEATS]   (default 50 repaints a batch, 9 batches)
// PaintAll draws into a GetDC of a shown top-level window, with the program's
// own globals set up as the main window has them. The baseline draws the same
// texts into the same DC with the same font: one fill of the client area,
// then for every field PaintAll writes (each row of the page, the cursor row
// again, the coloured extensions, the header values) one FillRect of the
// field's box and one TextOutA of the same length, and the seven header
// labels with TextOutA. Fonts, brush and texts are made before the clock
// starts. A second baseline adds the BIN_COLOR lookups of a repaint that
// asks qrn.ini again (one GetPrivateProfileIntA for each distinct extension
// of the page); PaintAll keeps the answers while the file is unchanged.
// Prints the median time of a batch of each and the ratios.
#include <windows.h>

#include "bench_clock.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/main_window_win32.h"
#include "base/settings.h"
#include "base/startup.h"
#include "base/entry_table.h"
#include "listing/list_format.h"
#include "listing/list_paint_win32.h"

using namespace qrn;

using bench::Median;
using bench::Now;

namespace {

LRESULT CALLBACK BenchWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(hwnd, &ps);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    default:
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

void PumpMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

const char* const kExtensions[] = {"txt", "dat", "exe", "c", "h", "lzh", "", "bmp"};

// 2000 rows of a listing: mostly files of several kinds, some directories,
// some read-only, hidden and system entries.
void FillListing() {
    ResetListing(g_listing);
    std::strcpy(g_listing.CurrentDir, "C:\\bench\\");
    EntryTable& t = g_listing.table;
    std::uint64_t bytes = 0;
    int longest = 0;
    for (int i = 0; i < kTableRows; ++i) {
        FileEntry& e = t.rows[i];
        std::memset(&e, 0, sizeof e);
        if (i % 25 == 0) {
            std::snprintf(e.name, sizeof e.name, "dir%04d", i);
            e.attributes = kAttrDirectory | ((i % 100 == 0) ? kAttrHidden : 0);
        } else {
            const char* ext = kExtensions[i % 8];
            if (ext[0])
                std::snprintf(e.name, sizeof e.name, "file%04d.%s", i, ext);
            else
                std::snprintf(e.name, sizeof e.name, "file%04d", i);
            e.attributes = kAttrArchive;
            if (i % 7 == 0) e.attributes |= kAttrReadOnly;
            if (i % 11 == 0) e.attributes |= kAttrHidden;
            if (i % 29 == 0) e.attributes |= kAttrSystem;
            e.size = static_cast<std::uint64_t>(i) * 7919u % 5000000u;
        }
        e.ext = ExtensionIndex(e.name);
        e.date = static_cast<std::uint16_t>(((2001 - 1980 + i % 20) << 9) | ((1 + i % 12) << 5) | (1 + i % 28));
        e.time = static_cast<std::uint16_t>(((i % 24) << 11) | ((i % 60) << 5) | (i % 30));
        bytes += e.size;
        longest = std::max(longest, static_cast<int>(std::strlen(e.name)));
    }
    t.EntryCount = kTableRows;
    t.ListedBytes = bytes;
    t.LongestName = longest;
    t.DiskTotal = 40000000000ull;
    t.DiskFree = 12000000000ull;
    t.DiskUsed = t.DiskTotal - t.DiskFree;
    ComputePitches(g_listing, g_settings.ExpDispSize, g_settings.FileDispSize);
}

struct Field {
    int x, y;
    std::string text;
    int n;            // characters written (and cells filled)
    std::string key;  // BIN_COLOR key looked up for this row, if any
};

struct Label {
    int x, y;
    const char* text;
};

void Lower(char* s) { CharLowerA(s); }
void Upper(char* s) { CharUpperA(s); }

// The fields of the page as the last PaintAll left it.
std::vector<Field> PageFields(std::vector<Label>& labels, int& rows) {
    const ScreenLayout& sl = g_listing.screen;
    const Listing& l = g_listing;
    std::vector<Field> fields;
    const NameFormat f{l.NameWidth, g_settings.ExpDispSize, g_settings.NameCase, Lower, Upper};
    auto addRow = [&](int index) {
        const FileEntry& e = l.table.rows[index];
        int x, y;
        RowOrigin(l, index, x, y);
        char name[kRowTextSize], ext[kExtTextSize], row[kRowTextSize];
        FormatEntryName(e, f, name, sizeof name, ext, sizeof ext);
        RowText(e, l.Layout, name, row, sizeof row);
        fields.push_back({x, y, row, static_cast<int>(std::strlen(row)), ""});
        if (e.ext != 0) {
            char key[kExtTextSize];
            BinColorKey(ext, Upper, key, sizeof key);
            fields.back().key = key;
            if (key[0] && static_cast<int>(GetPrivateProfileIntA(kSectionBinColor, key, -1, g_startup.IniPath)) >= 0) {
                const int E = f.expDispSize;
                const int gap = f.W - (E + 1);
                fields.push_back({x + (gap < 0 ? f.W - 2 : gap + 2) * sl.cw, y, ext, E, ""});
            }
        }
    };
    rows = l.LastOnPage - l.TopIndex + 1;
    for (int i = l.TopIndex; i <= l.LastOnPage; ++i) addRow(i);
    addRow(l.CursorIndex);  // drawn again as the cursor

    // Header values: the cursor's name line, size, date and attributes, then
    // files, page and marks.
    const FileEntry& c = l.table.rows[l.CursorIndex];
    char text[48];
    fields.push_back({sl.x[1], sl.y[0], std::string(c.name) + std::string(256, ' '), 256, ""});
    FormatNumber(text, sizeof text, c.size, 10);
    fields.push_back({sl.x[1], sl.y[1], text, static_cast<int>(std::strlen(text)), ""});
    DateTimeValue(c.date, c.time, text);
    fields.push_back({sl.x[3], sl.y[1], text, 17, ""});
    AttrValue(c.attributes, text);
    fields.push_back({sl.x[5], sl.y[1], text, 5, ""});
    FilesValue(l.table, text);
    fields.push_back({sl.x[3], sl.y[2], text, 17, ""});
    PageValue(l.PageNumber, l.PageCount, text);
    fields.push_back({sl.x[5], sl.y[2], text, 9, ""});
    MarkValue(l.table, text);
    fields.push_back({sl.x[1], sl.y[2], text, 17, ""});

    labels = {{sl.x[0], sl.y[0], "Name:"}, {sl.x[0], sl.y[1], "Size:"}, {sl.x[4], sl.y[1], "Attr:"},
              {sl.x[2], sl.y[1], "Date:"}, {sl.x[0], sl.y[2], "Mark:"}, {sl.x[2], sl.y[2], "Files:"},
              {sl.x[4], sl.y[2], "Page:"}};
    return fields;
}

void Baseline(HWND hwnd, HDC dc, HBRUSH back, const std::vector<Field>& fields, const std::vector<Label>& labels,
              bool lookups) {
    const ScreenLayout& sl = g_listing.screen;
    RECT client;
    GetClientRect(hwnd, &client);
    FillRect(dc, &client, back);
    for (const Label& l : labels) TextOutA(dc, l.x, l.y, l.text, static_cast<int>(std::strlen(l.text)));
    std::vector<std::string> asked;
    for (const Field& f : fields) {
        if (lookups && !f.key.empty() && std::find(asked.begin(), asked.end(), f.key) == asked.end()) {
            GetPrivateProfileIntA(kSectionBinColor, f.key.c_str(), -1, g_startup.IniPath);
            asked.push_back(f.key);
        }
        RECT box{f.x, f.y, f.x + f.n * sl.cw + 1, f.y + sl.lh + 1};
        FillRect(dc, &box, back);
        const int len = static_cast<int>(f.text.size());
        TextOutA(dc, f.x, f.y, f.text.c_str(), f.n < len ? f.n : len);
    }
}

bool WriteIni(const char* path) {
    const char text[] =
        "[BIN_COLOR]\r\n"
        "TXT=2\r\n"
        "EXE=4\r\n"
        "LZH=6\r\n"
        "C=3\r\n"
        "BMP=5\r\n";
    HANDLE f = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    WriteFile(f, text, sizeof text - 1, &written, nullptr);
    // Written a minute ago, as a qrn.ini is long before the list is drawn.
    FILETIME t;
    GetSystemTimeAsFileTime(&t);
    ULARGE_INTEGER u{{t.dwLowDateTime, t.dwHighDateTime}};
    u.QuadPart -= 600000000ull;
    t = {u.LowPart, u.HighPart};
    SetFileTime(f, nullptr, nullptr, &t);
    CloseHandle(f);
    return written == sizeof text - 1;
}

}  // namespace

int main(int argc, char** argv) {
    const int repeats = argc > 1 ? std::max(1, std::atoi(argv[1])) : 50;
    const int batches = 9;

    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::snprintf(g_startup.IniPath, sizeof g_startup.IniPath, "%sqrn_bench_paint_%lu.ini", temp,
                  static_cast<unsigned long>(GetCurrentProcessId()));
    if (!WriteIni(g_startup.IniPath)) {
        std::printf("paint: cannot write %s\n", g_startup.IniPath);
        return 1;
    }
    DefaultSettings(g_settings);
    FillListing();

    HINSTANCE instance = GetModuleHandleA(nullptr);
    g_window.Instance = instance;
    WNDCLASSA wc;
    std::memset(&wc, 0, sizeof wc);
    wc.lpfnWndProc = BenchWindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = "QrnBenchPaint";
    if (!RegisterClassA(&wc)) {
        std::printf("paint: RegisterClassA failed (%lu)\n", GetLastError());
        return 1;
    }
    HWND hwnd = CreateWindowExA(0, wc.lpszClassName, "QRN paint bench", WS_OVERLAPPEDWINDOW, 0, 0, 800, 600,
                                nullptr, nullptr, instance, nullptr);
    if (!hwnd) {
        std::printf("paint: CreateWindowExA failed (%lu)\n", GetLastError());
        return 1;
    }
    ShowWindow(hwnd, SW_SHOWNORMAL);
    UpdateWindow(hwnd);
    PumpMessages();

    HDC dc = GetDC(hwnd);
    PaintAll(hwnd, dc, g_listing, MainPaint());  // lays out the page and warms the profile and font caches
    GdiFlush();

    std::vector<Label> labels;
    int rows = 0;
    const std::vector<Field> fields = PageFields(labels, rows);
    HFONT font = CreateFontA(g_settings.FontSize, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                             static_cast<BYTE>(g_settings.FontCharSet), OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                             DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, g_settings.Font);
    HBRUSH back = CreateSolidBrush(RGB(g_settings.Colors[kBack].r, g_settings.Colors[kBack].g,
                                       g_settings.Colors[kBack].b));
    const COLORREF norm = RGB(g_settings.Colors[kNorm].r, g_settings.Colors[kNorm].g, g_settings.Colors[kNorm].b);

    std::vector<std::string> keys;
    for (const Field& f : fields)
        if (!f.key.empty() && std::find(keys.begin(), keys.end(), f.key) == keys.end()) keys.push_back(f.key);
    const int lookups = static_cast<int>(keys.size());

    std::vector<double> bare, looked, qrn;
    for (int b = 0; b < batches; ++b) {
        HGDIOBJ oldFont = SelectObject(dc, font);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, norm);
        double t0 = Now();
        for (int r = 0; r < repeats; ++r) Baseline(hwnd, dc, back, fields, labels, false);
        GdiFlush();
        double t1 = Now();
        for (int r = 0; r < repeats; ++r) Baseline(hwnd, dc, back, fields, labels, true);
        GdiFlush();
        double t2 = Now();
        SelectObject(dc, oldFont);

        double t3 = Now();
        for (int r = 0; r < repeats; ++r) PaintAll(hwnd, dc, g_listing, MainPaint());
        GdiFlush();
        double t4 = Now();
        bare.push_back(t1 - t0);
        looked.push_back(t2 - t1);
        qrn.push_back(t4 - t3);
        PumpMessages();
    }

    TEXTMETRICA tm{};
    {
        HGDIOBJ old = SelectObject(dc, font);
        GetTextMetricsA(dc, &tm);
        SelectObject(dc, old);
    }
    const double q = Median(qrn), bb = Median(bare), bl = Median(looked);
    std::printf("paint one page, %d of %d rows (layout %d, cells %ldx%ld px, %d fields, %d BIN_COLOR lookups):\n"
                "  PaintAll %.2f ms, bare GDI %.2f ms, ratio %.2f; with the lookups %.2f ms, ratio %.2f\n",
                rows, g_listing.table.EntryCount, g_listing.Layout, tm.tmAveCharWidth, tm.tmHeight,
                static_cast<int>(fields.size()), lookups, q * 1000 / repeats, bb * 1000 / repeats, q / bb,
                bl * 1000 / repeats, q / bl);

    ReleaseDC(hwnd, dc);
    DeleteObject(font);
    DeleteObject(back);
    if (g_window.ListFont) {
        DeleteObject(g_window.ListFont);
        g_window.ListFont = nullptr;
    }
    DestroyWindow(hwnd);
    DeleteFileA(g_startup.IniPath);
    return 0;
}
