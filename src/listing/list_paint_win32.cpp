#include "listing/list_paint_win32.h"

#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "listing/listing_texts.h"

namespace qrn {

namespace {

COLORREF ColorOf(const ListView& v, ColorIndex i) {
    const Rgb& c = v.colors[i];
    return RGB(c.r, c.g, c.b);
}

int StatusBarHeight(const PaintContext& c) {
    if (!c.statusBar || !IsWindowVisible(c.statusBar)) return 0;
    RECT r;
    GetWindowRect(c.statusBar, &r);
    return r.bottom - r.top;
}

// Measures the window and the font into the view.
void Measure(HWND window, HDC dc, ListView& v, const PaintContext& c) {
    RECT client;
    GetClientRect(window, &client);
    TEXTMETRICA tm;
    GetTextMetricsA(dc, &tm);
    v.screen = ComputeScreenLayout(tm.tmHeight + tm.tmExternalLeading, tm.tmAveCharWidth,
                                   c.settings.ToolbarHeight, client.right, client.bottom - StatusBarHeight(c));
    v.screenValid = true;
}

NameFormat CurrentNameFormat(const ListView& v, const PaintContext& c) {
    return ViewNameFormat(v, c.settings, PlatformLower, PlatformUpper);
}

// A device context of a list window with the list font selected, for the
// redraws outside WM_PAINT.
class WindowDc {
public:
    WindowDc(HWND w, ListView& v, const PaintContext& c) : window_(w), dc_(GetDC(w)) {
        old_ = SelectObject(dc_, ListFont(c));
        if (!v.screenValid) Measure(window_, dc_, v, c);
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

void DrawValue(HDC dc, const ListView& v, int x, int y, const char* text, int n) {
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorOf(v, kInfd));
    DrawField(dc, v, x, y, text, n);
}

void ShowCountsOn(HDC dc, const ListView& v, const PaintContext& c) {
    const ScreenLayout& sl = v.screen;
    char text[48];
    FilesValue(v.table, text);
    DrawValue(dc, v, sl.x[3], sl.y[2], text, 17);
    PageValue(v.PageNumber, v.PageCount, text);
    DrawValue(dc, v, sl.x[5], sl.y[2], text, 9);
    MarkValue(v.table, text);
    DrawValue(dc, v, sl.x[1], sl.y[2], text, 17);
    if (c.statusBar) {
        char f[48], t[48], u[48];
        StatusTexts(v.table, f, t, u);
        SendMessageA(c.statusBar, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(f));
        SendMessageA(c.statusBar, SB_SETTEXTA, 1, reinterpret_cast<LPARAM>(t));
        SendMessageA(c.statusBar, SB_SETTEXTA, 2, reinterpret_cast<LPARAM>(u));
    }
}

void ShowEntryInfoOn(HDC dc, const ListView& v, const char* name, std::uint16_t date, std::uint16_t time,
                     std::uint32_t attributes, std::uint64_t size) {
    const ScreenLayout& sl = v.screen;
    // The name line is blanked to its end by 256 trailing blanks.
    char line[kPathSize * 2 + 260];
    std::size_t n = std::strlen(name);
    if (n > sizeof line - 257) n = sizeof line - 257;
    std::memcpy(line, name, n);
    std::memset(line + n, ' ', 256);
    line[n + 256] = '\0';
    DrawValue(dc, v, sl.x[1], sl.y[0], line, 256);
    char text[32];
    FormatNumber(text, sizeof text, size, 10);
    DrawValue(dc, v, sl.x[1], sl.y[1], text, static_cast<int>(std::strlen(text)));
    DateTimeValue(date, time, text);
    DrawValue(dc, v, sl.x[3], sl.y[1], text, 17);
    AttrValue(attributes, text);
    DrawValue(dc, v, sl.x[5], sl.y[1], text, 5);
}

void ShowCursorInfoOn(HDC dc, const ListView& v, const PaintContext& c, int index) {
    const EntryTable& t = v.table;
    if (index < 0 || index >= t.EntryCount) {
        ShowEntryInfoOn(dc, v, "", 0, 0, 0, 0);
        return;
    }
    const FileEntry& e = t.rows[index];
    char name[kPathSize * 2];
    if (c.settings.FileNameFull == 1 && c.directory)
        std::snprintf(name, sizeof name, "%s%s", c.directory, e.name);
    else
        std::snprintf(name, sizeof name, "%s", e.name);
    ShowEntryInfoOn(dc, v, name, e.date, e.time, e.attributes, e.size);
}

}  // namespace

HFONT ListFont(const PaintContext& c) {
    if (!*c.font) {
        const Settings& s = c.settings;
        *c.font = CreateFontA(s.FontSize, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, static_cast<BYTE>(s.FontCharSet),
                              OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN,
                              s.Font);
    }
    return *c.font;
}

namespace {

// One brush of the background colour for all the fields drawn, made anew
// only when the colour changes.
HBRUSH BackBrush(COLORREF color) {
    static HBRUSH brush = nullptr;
    static COLORREF made = 0;
    if (!brush || made != color) {
        if (brush) DeleteObject(brush);
        brush = CreateSolidBrush(color);
        made = color;
    }
    return brush;
}

}  // namespace

void DrawField(HDC dc, const ListView& v, int x, int y, const char* text, int n) {
    const ScreenLayout& sl = v.screen;
    RECT box{x, y, x + n * sl.cw + 1, y + sl.lh + 1};
    FillRect(dc, &box, BackBrush(ColorOf(v, kBack)));
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

void RowOrigin(const ListView& v, int index, int& x, int& y) {
    const ScreenLayout& sl = v.screen;
    x = sl.x[0] + RowColumn(v, index) * PitchPixels(v, v.Layout, sl.cw);
    y = sl.listTop + RowLine(v, index) * sl.lh;
}

namespace {

// The BIN_COLOR answers while rows are drawn: a page shows few distinct
// extensions, so qrn.ini is asked once for each of them, not once per row;
// and the answers are kept from one paint to the next for as long as the
// file has not changed.
struct ExtensionMemo {
    Profile* ini = nullptr;
    std::uint64_t stamp = 0;
    std::vector<std::pair<std::string, int>> seen;
};

ExtensionMemo& Memo() {
    static ExtensionMemo memo;
    return memo;
}

class ExtensionColors {
public:
    explicit ExtensionColors(Profile& ini) : ini_(ini) {
        ExtensionMemo& m = Memo();
        const std::uint64_t stamp = ini.ChangeStamp();
        if (stamp == 0 || m.ini != &ini || m.stamp != stamp || m.seen.size() > 256) {
            m.seen.clear();
            m.ini = &ini;
            m.stamp = stamp;
        }
    }
    int Lookup(const char* key) {
        ExtensionMemo& m = Memo();
        for (const auto& [k, v] : m.seen)
            if (k == key) return v;
        const int value = ini_.GetInt(kSectionBinColor, key, -1);
        m.seen.emplace_back(key, value);
        return value;
    }

private:
    Profile& ini_;
};

void DrawRowWith(HDC dc, const ListView& v, const PaintContext& c, int x, int y, int index, bool isCursor,
                 ExtensionColors& colors) {
    const EntryTable& t = v.table;
    if (index < 0 || index >= t.EntryCount) return;
    const FileEntry& e = t.rows[index];
    const COLORREF rowColor = ColorOf(v, RowColor(e));
    const COLORREF back = ColorOf(v, kBack);
    if (isCursor) {
        SetBkMode(dc, OPAQUE);
        SetBkColor(dc, rowColor);
        SetTextColor(dc, back);
    } else {
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, rowColor);
    }
    const NameFormat f = CurrentNameFormat(v, c);
    char name[kRowTextSize], ext[kExtTextSize], row[kRowTextSize];
    FormatEntryName(e, f, name, sizeof name, ext, sizeof ext);
    RowText(e, v.Layout, name, row, sizeof row);
    DrawField(dc, v, x, y, row, static_cast<int>(std::strlen(row)));

    if (e.ext != 0) {
        char key[kExtTextSize];
        BinColorKey(ext, PlatformUpper, key, sizeof key);
        const int index7 = key[0] ? colors.Lookup(key) : -1;
        if (index7 >= 0) {
            const int E = f.expDispSize;
            const int cw = v.screen.cw;
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
            DrawField(dc, v, ex, y, ext, E);
        }
    }
    SetBkMode(dc, TRANSPARENT);
}

}  // namespace

void DrawRow(HDC dc, const ListView& v, const PaintContext& c, int x, int y, int index, bool isCursor) {
    ExtensionColors colors(c.binColors);
    DrawRowWith(dc, v, c, x, y, index, isCursor, colors);
}

void PaintList(HDC dc, ListView& l, const PaintContext& c) {
    PaintRows(dc, l, c);
    ShowCursorInfoOn(dc, l, c, l.table.EntryCount > 0 ? l.CursorIndex : -1);
}

void PaintRows(HDC dc, ListView& l, const PaintContext& c) {
    const ScreenLayout& sl = l.screen;
    HBRUSH brush = CreateSolidBrush(ColorOf(l, kBack));
    RECT area{0, sl.listTop, sl.clientWidth, sl.listBottom};
    FillRect(dc, &area, brush);
    DeleteObject(brush);

    const int count = l.table.EntryCount;
    const int pitch = PitchPixels(l, l.Layout, sl.cw);
    int x = sl.x[0], y = sl.listTop, line = 0, column = 0;
    int last = l.TopIndex - 1;
    ExtensionColors colors(c.binColors);
    for (int i = l.TopIndex; i < count; ++i) {
        DrawRowWith(dc, l, c, x, y, i, false, colors);
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
        RowOrigin(l, l.CursorIndex, cx, cy);
        DrawRowWith(dc, l, c, cx, cy, l.CursorIndex, true, colors);
    }
}

void PaintAll(HWND window, HDC dc, ListView& v, const PaintContext& c) {
    if (*c.font) {
        DeleteObject(*c.font);
        *c.font = nullptr;
    }
    HGDIOBJ oldFont = SelectObject(dc, ListFont(c));
    RECT client;
    GetClientRect(window, &client);
    const int listBottom = client.bottom - StatusBarHeight(c);

    HBRUSH brush = CreateSolidBrush(ColorOf(v, kBack));
    HPEN pen = CreatePen(PS_SOLID, 2, ColorOf(v, kBack));
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    Rectangle(dc, 0, c.settings.ToolbarHeight, client.right, listBottom);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(pen);
    DeleteObject(brush);

    Measure(window, dc, v, c);
    const ScreenLayout& sl = v.screen;
    ComputePageGeometry(v, c.settings);

    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorOf(v, kInfo));
    TextOutA(dc, sl.x[0], sl.y[0], kHeaderName, 5);
    TextOutA(dc, sl.x[0], sl.y[1], kHeaderSize, 5);
    TextOutA(dc, sl.x[4], sl.y[1], kHeaderAttr, 5);
    TextOutA(dc, sl.x[2], sl.y[1], kHeaderDate, 5);
    TextOutA(dc, sl.x[0], sl.y[2], kHeaderMark, 5);
    TextOutA(dc, sl.x[2], sl.y[2], kHeaderFiles, 6);
    DrawLine(dc, 0, sl.sepY, sl.clientWidth, sl.sepY, 1, 255, 255, 255);
    DrawLine(dc, 0, sl.sepY + 2, sl.clientWidth, sl.sepY + 2, 1, 0, 0, 0);
    TextOutA(dc, sl.x[4], sl.y[2], kHeaderPage, 5);

    PaintList(dc, v, c);
    ShowCountsOn(dc, v, c);
    SelectObject(dc, oldFont);
}

void ShowCounts(HWND window, ListView& v, const PaintContext& c) {
    WindowDc dc(window, v, c);
    ShowCountsOn(dc.get(), v, c);
}

void ShowCursorInfo(HWND window, ListView& v, const PaintContext& c, int index) {
    WindowDc dc(window, v, c);
    ShowCursorInfoOn(dc.get(), v, c, index);
}

void ShowEntryInfo(HWND window, ListView& v, const PaintContext& c, const char* name, std::uint16_t date,
                   std::uint16_t time, std::uint32_t attributes, std::uint64_t size) {
    WindowDc dc(window, v, c);
    ShowEntryInfoOn(dc.get(), v, name, date, time, attributes, size);
}

void RedrawCursor(HWND window, ListView& v, const PaintContext& c, int oldCursor) {
    WindowDc dc(window, v, c);
    int x, y;
    if (oldCursor != v.CursorIndex && oldCursor >= v.TopIndex && oldCursor <= v.LastOnPage) {
        RowOrigin(v, oldCursor, x, y);
        DrawRow(dc.get(), v, c, x, y, oldCursor, false);
    }
    RowOrigin(v, v.CursorIndex, x, y);
    DrawRow(dc.get(), v, c, x, y, v.CursorIndex, true);
    ShowCursorInfoOn(dc.get(), v, c, v.CursorIndex);
    ShowCountsOn(dc.get(), v, c);
}

void RedrawPage(HWND window, ListView& v, const PaintContext& c) {
    ComputePageGeometry(v, c.settings);
    WindowDc dc(window, v, c);
    PaintList(dc.get(), v, c);
    ShowCountsOn(dc.get(), v, c);
}

}  // namespace qrn
