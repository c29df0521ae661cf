#include "listing/list_paint_win32.h"

#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "app/main_window_win32.h"
#include "app/settings.h"
#include "app/speech.h"

namespace qrn {

PaintState g_paint;

namespace {

void LowerFn(char* s) { CharLowerA(s); }
void UpperFn(char* s) { CharUpperA(s); }

COLORREF ColorOf(ColorIndex i) {
    const Rgb& c = g_settings.Colors[i];
    return RGB(c.r, c.g, c.b);
}

int StatusBarHeight() {
    if (!g_window.StatusBar || !IsWindowVisible(g_window.StatusBar)) return 0;
    RECT r;
    GetWindowRect(g_window.StatusBar, &r);
    return r.bottom - r.top;
}

// The list font, created on the first use when no full repaint made it yet.
HFONT ListFont() {
    if (!g_window.ListFont) {
        g_window.ListFont = CreateFontA(g_settings.FontSize, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                        static_cast<BYTE>(g_settings.FontCharSet), OUT_DEFAULT_PRECIS,
                                        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN,
                                        g_settings.Font);
    }
    return g_window.ListFont;
}

// Measures the window and the font into g_paint.
void Measure(HWND window, HDC dc) {
    RECT client;
    GetClientRect(window, &client);
    TEXTMETRICA tm;
    GetTextMetricsA(dc, &tm);
    g_paint.screen = ComputeScreenLayout(tm.tmHeight + tm.tmExternalLeading, tm.tmAveCharWidth,
                                         g_settings.ToolbarHeight, client.right,
                                         client.bottom - StatusBarHeight());
    g_paint.valid = true;
}

NameFormat CurrentNameFormat() {
    return NameFormat{g_listing.NameWidth, g_settings.ExpDispSize, g_settings.NameCase, LowerFn, UpperFn};
}

// A device context of the main window with the list font selected, for the
// redraws outside WM_PAINT.
class WindowDc {
public:
    explicit WindowDc(HWND w) : window_(w), dc_(GetDC(w)) {
        old_ = SelectObject(dc_, ListFont());
        if (!g_paint.valid) Measure(window_, dc_);
    }
    ~WindowDc() {
        SelectObject(dc_, old_);
        ReleaseDC(window_, dc_);
    }
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
    HGDIOBJ old_;
};

void DrawValue(HDC dc, int x, int y, const char* text, int n) {
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorOf(kInfd));
    DrawField(dc, x, y, text, n);
}

void SetTitle(HWND window) {
    char title[8 + kPathSize + sizeof g_listing.FileMask];
    std::snprintf(title, sizeof title, "QRN - %s%s", g_listing.CurrentDir, g_listing.FileMask);
    SetWindowTextA(window, title);
}

void ShowCountsOn(HWND window, HDC dc) {
    const ScreenLayout& sl = g_paint.screen;
    char text[48];
    FilesValue(g_listing.table, text);
    DrawValue(dc, sl.x[3], sl.y[2], text, 17);
    PageValue(g_listing.PageNumber, g_listing.PageCount, text);
    DrawValue(dc, sl.x[5], sl.y[2], text, 9);
    MarkValue(g_listing.table, text);
    DrawValue(dc, sl.x[1], sl.y[2], text, 17);
    if (g_window.StatusBar) {
        char f[48], t[48], u[48];
        StatusTexts(g_listing.table, f, t, u);
        SendMessageA(g_window.StatusBar, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(f));
        SendMessageA(g_window.StatusBar, SB_SETTEXTA, 1, reinterpret_cast<LPARAM>(t));
        SendMessageA(g_window.StatusBar, SB_SETTEXTA, 2, reinterpret_cast<LPARAM>(u));
    }
}

void ShowEntryInfoOn(HDC dc, const char* name, std::uint16_t date, std::uint16_t time,
                     std::uint32_t attributes, std::uint64_t size) {
    const ScreenLayout& sl = g_paint.screen;
    // The name line is blanked to its end by 256 trailing blanks.
    char line[kPathSize * 2 + 260];
    std::size_t n = std::strlen(name);
    if (n > sizeof line - 257) n = sizeof line - 257;
    std::memcpy(line, name, n);
    std::memset(line + n, ' ', 256);
    line[n + 256] = '\0';
    DrawValue(dc, sl.x[1], sl.y[0], line, 256);
    char text[32];
    FormatNumber(text, sizeof text, size, 10);
    DrawValue(dc, sl.x[1], sl.y[1], text, static_cast<int>(std::strlen(text)));
    DateTimeValue(date, time, text);
    DrawValue(dc, sl.x[3], sl.y[1], text, 17);
    AttrValue(attributes, text);
    DrawValue(dc, sl.x[5], sl.y[1], text, 5);
}

void ShowCursorInfoOn(HDC dc, int index) {
    const EntryTable& t = g_listing.table;
    if (index < 0 || index >= t.EntryCount) {
        ShowEntryInfoOn(dc, "", 0, 0, 0, 0);
        return;
    }
    const FileEntry& e = t.rows[index];
    char name[kPathSize * 2];
    if (g_settings.FileNameFull == 1)
        std::snprintf(name, sizeof name, "%s%s", g_listing.CurrentDir, e.name);
    else
        std::snprintf(name, sizeof name, "%s", e.name);
    ShowEntryInfoOn(dc, name, e.date, e.time, e.attributes, e.size);
}

}  // namespace

void DrawField(HDC dc, int x, int y, const char* text, int n) {
    const ScreenLayout& sl = g_paint.screen;
    HBRUSH brush = CreateSolidBrush(ColorOf(kBack));
    RECT box{x, y, x + n * sl.cw + 1, y + sl.lh + 1};
    FillRect(dc, &box, brush);
    DeleteObject(brush);
    int len = static_cast<int>(std::strlen(text));
    TextOutA(dc, x, y, text, n < len ? n : len);
}

void DrawLine(HDC dc, int x1, int y1, int x2, int y2, int width, int r, int g, int b) {
    HPEN pen = CreatePen(PS_SOLID, width, RGB(r, g, b));
    HGDIOBJ old = SelectObject(dc, pen);
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
    SelectObject(dc, old);
    DeleteObject(pen);
}

void UpdatePageGeometry() { ComputePageGeometry(g_listing, g_settings, g_paint.screen); }

void RowOrigin(int index, int& x, int& y) {
    const ScreenLayout& sl = g_paint.screen;
    x = sl.x[0] + RowColumn(g_listing, index) * PitchPixels(g_listing, g_listing.Layout, sl.cw);
    y = sl.listTop + RowLine(g_listing, index) * sl.lh;
}

namespace {

// The BIN_COLOR answers while rows are drawn: a page shows few distinct
// extensions, so qrn.ini is asked once for each of them, not once per row.
// Nothing is kept from one page to the next.
class ExtensionColors {
public:
    int Lookup(const char* key) {
        for (const auto& [k, v] : seen_)
            if (k == key) return v;
        const int value = IniProfile().GetInt("BIN_COLOR", key, -1);
        seen_.emplace_back(key, value);
        return value;
    }

private:
    std::vector<std::pair<std::string, int>> seen_;
};

void DrawRowWith(HWND window, HDC dc, int x, int y, int index, bool isCursor, ExtensionColors& colors) {
    const EntryTable& t = g_listing.table;
    if (index < 0 || index >= t.EntryCount) return;
    const FileEntry& e = t.rows[index];
    const COLORREF rowColor = ColorOf(RowColor(e));
    const COLORREF back = ColorOf(kBack);
    if (isCursor) {
        SetBkMode(dc, OPAQUE);
        SetBkColor(dc, rowColor);
        SetTextColor(dc, back);
    } else {
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, rowColor);
    }
    const NameFormat f = CurrentNameFormat();
    char name[kRowTextSize], ext[kExtTextSize], row[kRowTextSize];
    FormatEntryName(e, f, name, sizeof name, ext, sizeof ext);
    RowText(e, g_listing.Layout, name, row, sizeof row);
    DrawField(dc, x, y, row, static_cast<int>(std::strlen(row)));

    if (isCursor && g_window.PendingOperation == 0) {
        char spoken[kSpeechTextSize];
        SpokenRowText(e, g_listing.Layout, name, spoken, sizeof spoken);
        SetSpeechMode(1);
        Speak(spoken);
    }

    if (e.ext != 0) {
        char key[kExtTextSize];
        BinColorKey(ext, UpperFn, key, sizeof key);
        const int index7 = key[0] ? colors.Lookup(key) : -1;
        if (index7 >= 0) {
            const int E = f.expDispSize;
            const int cw = g_paint.screen.cw;
            const int gap = f.W - (E + 1);
            const int ex = x + (gap < 0 ? f.W - 2 : gap + 2) * cw;
            const Rgb c = BinColor(index7);
            const COLORREF extColor = RGB(c.r, c.g, c.b);
            if (isCursor) {
                SetBkMode(dc, OPAQUE);
                SetBkColor(dc, extColor);
                SetTextColor(dc, back);
            } else {
                SetBkMode(dc, TRANSPARENT);
                SetTextColor(dc, extColor);
            }
            DrawField(dc, ex, y, ext, E);
        }
    }
    SetBkMode(dc, TRANSPARENT);
    (void)window;
}

}  // namespace

void DrawRow(HWND window, HDC dc, int x, int y, int index, bool isCursor) {
    ExtensionColors colors;
    DrawRowWith(window, dc, x, y, index, isCursor, colors);
}

void PaintList(HWND window, HDC dc) {
    const ScreenLayout& sl = g_paint.screen;
    SetTitle(window);
    HBRUSH brush = CreateSolidBrush(ColorOf(kBack));
    RECT area{0, sl.listTop, sl.clientWidth, sl.listBottom};
    FillRect(dc, &area, brush);
    DeleteObject(brush);

    Listing& l = g_listing;
    const int count = l.table.EntryCount;
    const int pitch = PitchPixels(l, l.Layout, sl.cw);
    int x = sl.x[0], y = sl.listTop, line = 0, column = 0;
    int last = l.TopIndex - 1;
    ExtensionColors colors;
    for (int i = l.TopIndex; i < count; ++i) {
        DrawRowWith(window, dc, x, y, i, false, colors);
        last = i;
        y += sl.lh;
        if (++line == l.RowsPerColumn) {
            line = 0;
            y = sl.listTop;
            x += pitch;
            if (++column == l.ColumnsPerPage) break;
        }
    }
    l.LastOnPage = last;
    if (l.CursorIndex > l.LastOnPage) l.CursorIndex = l.LastOnPage;
    if (l.CursorIndex < l.TopIndex) l.CursorIndex = l.TopIndex;
    if (count > 0) {
        int cx, cy;
        RowOrigin(l.CursorIndex, cx, cy);
        DrawRowWith(window, dc, cx, cy, l.CursorIndex, true, colors);
    }
    ShowCursorInfoOn(dc, count > 0 ? l.CursorIndex : -1);
}

void PaintAll(HWND window, HDC dc) {
    if (g_window.ListFont) {
        DeleteObject(g_window.ListFont);
        g_window.ListFont = nullptr;
    }
    HGDIOBJ oldFont = SelectObject(dc, ListFont());
    RECT client;
    GetClientRect(window, &client);
    const int listBottom = client.bottom - StatusBarHeight();

    HBRUSH brush = CreateSolidBrush(ColorOf(kBack));
    HPEN pen = CreatePen(PS_SOLID, 2, ColorOf(kBack));
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    Rectangle(dc, 0, g_settings.ToolbarHeight, client.right, listBottom);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(pen);
    DeleteObject(brush);

    Measure(window, dc);
    const ScreenLayout& sl = g_paint.screen;
    UpdatePageGeometry();

    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorOf(kInfo));
    TextOutA(dc, sl.x[0], sl.y[0], "Name:", 5);
    TextOutA(dc, sl.x[0], sl.y[1], "Size:", 5);
    TextOutA(dc, sl.x[4], sl.y[1], "Attr:", 5);
    TextOutA(dc, sl.x[2], sl.y[1], "Date:", 5);
    TextOutA(dc, sl.x[0], sl.y[2], "Mark:", 5);
    TextOutA(dc, sl.x[2], sl.y[2], "Files:", 6);
    DrawLine(dc, 0, sl.sepY, sl.clientWidth, sl.sepY, 1, 255, 255, 255);
    DrawLine(dc, 0, sl.sepY + 2, sl.clientWidth, sl.sepY + 2, 1, 0, 0, 0);
    TextOutA(dc, sl.x[4], sl.y[2], "Page:", 5);

    PaintList(window, dc);
    ShowCountsOn(window, dc);
    SelectObject(dc, oldFont);
}

void ShowCounts(HWND window) {
    WindowDc dc(window);
    ShowCountsOn(window, dc.get());
}

void ShowCursorInfo(HWND window, int index) {
    WindowDc dc(window);
    ShowCursorInfoOn(dc.get(), index);
}

void ShowEntryInfo(HWND window, const char* name, std::uint16_t date, std::uint16_t time,
                   std::uint32_t attributes, std::uint64_t size) {
    WindowDc dc(window);
    ShowEntryInfoOn(dc.get(), name, date, time, attributes, size);
}

void RefreshListing(HWND window) {
    ReadDirectory(g_listing, g_settings, DirPlatform(), window, g_listing.CurrentDir, sizeof g_listing.CurrentDir);
    g_window.FullRedraw = true;
    InvalidateRect(window, nullptr, FALSE);
    UpdateWindow(window);
}

}  // namespace qrn
