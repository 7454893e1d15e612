// The window class, layout, font, scroll bar and painting.
#include <algorithm>
#include <set>
#include <vector>

#include "listview/test_support_win32.h"

namespace zubo_test {
namespace {

TEST_F(ListViewTest, ClassStateAndRefusals) {
    EXPECT_EQ(InitZubolist(), 0);  // already registered
    WNDCLASSA wc;
    ASSERT_TRUE(GetClassInfoA(GetModuleHandleA(nullptr), "ZUBOLIST", &wc));
    EXPECT_EQ(wc.style, static_cast<UINT>(CS_GLOBALCLASS | CS_HREDRAW));
    EXPECT_EQ(wc.cbWndExtra, static_cast<int>(sizeof(void *)));  // the state pointer
    EXPECT_EQ(wc.hbrBackground, GetStockObject(WHITE_BRUSH));
    EXPECT_NE(GetWindowLongPtrA(view, 0), 0);
    EXPECT_EQ(Zubolist_GetListNum(view) + Bar().nMax + Bar().nPos, 0);
    EXPECT_EQ(Zubolist_GetDataPtr(view), nullptr);
    // Windows of other classes are refused.
    EXPECT_EQ(Zubolist_CursorEnd(parent) + Zubolist_MarkAll(nullptr), 0);
    EXPECT_EQ(Zubolist_GetDataPtr(parent), nullptr);
}

TEST_F(ListViewTest, ScrollBarRequestsNeverMoveTheCursor) {
    Fill(100);
    Zubolist_CursorDown(view);
    Forget();
    EXPECT_EQ(Bar().nMax, 100);  // the end row is part of the range
    EXPECT_EQ(Bar().nPage, 10u);
    const int steps[][2] = {{SB_LINEDOWN, 1},  {SB_PAGEDOWN, 11}, {SB_LINEUP, 10},
                            {SB_PAGEUP, 0},    {SB_LINEUP, 0},    {SB_THUMBPOSITION, 0},
                            {SB_BOTTOM, 0},    {SB_ENDSCROLL, 0}};
    int top = 0;
    for (const auto &s : steps) {
        EXPECT_EQ(SendMessageA(view, WM_VSCROLL, MAKEWPARAM(s[0], 50), 0), 1);
        EXPECT_EQ(Top(), s[1]) << s[0];
        EXPECT_EQ(Update(), top != s[1] ? "all" : "") << s[0];
        top = s[1];
    }
    for (int i = 0; i < 20; ++i) SendMessageA(view, WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(Top(), 91);  // the end row on the last row of the page, never beyond
    EXPECT_EQ(Cursor(), 1);
    EXPECT_EQ(Sent(), "");
}

// Dragging the thumb with the mouse sends SB_THUMBTRACK while the system
// tracks it; the view follows the track position.
TEST_F(ListViewTest, ThumbTrackScrolls) {
    Fill(100);
    RECT w;
    GetWindowRect(view, &w);
    const int x = w.right - GetSystemMetrics(SM_CXVSCROLL) / 2;
    const int from = w.top + GetSystemMetrics(SM_CYVSCROLL) + 2, to = (w.top + w.bottom) / 2;
    const int moves[][3] = {{from, 0}, {from, MOUSEEVENTF_LEFTDOWN}, {to, 0},
                            {to, MOUSEEVENTF_LEFTUP}};
    for (const auto &m : moves) {
        INPUT in = {};
        in.type = INPUT_MOUSE;
        in.mi.dx = x * 65536 / GetSystemMetrics(SM_CXSCREEN);
        in.mi.dy = m[0] * 65536 / GetSystemMetrics(SM_CYSCREEN);
        in.mi.dwFlags = m[1] | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
        SendInput(1, &in, sizeof in);
    }
    for (int i = 0; i < 50 && Top() == 0; ++i, Sleep(10)) Pump();
    EXPECT_GT(Top(), 20);
    EXPECT_EQ(Cursor(), 0);
}

// The middle column of the scroll bar as the screen shows it, after a full
// redraw of the window and its frame when asked.
std::vector<COLORREF> BarColumn(HWND view, bool fullRedraw = false) {
    if (fullRedraw) RedrawWindow(view, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    SCROLLBARINFO sbi = {sizeof sbi};
    EXPECT_TRUE(GetScrollBarInfo(view, OBJID_VSCROLL, &sbi));
    RECT w;
    GetWindowRect(view, &w);
    std::vector<COLORREF> c;
    HDC dc = GetWindowDC(view);
    for (int y = sbi.rcScrollBar.top; y < sbi.rcScrollBar.bottom; ++y)
        c.push_back(GetPixel(dc, (sbi.rcScrollBar.left + sbi.rcScrollBar.right) / 2 - w.left,
                             y - w.top));
    ReleaseDC(view, dc);
    return c;
}

// Whatever changed the bar, it is drawn with the application's next paint
// (UpdateWindow, or the message loop), however many changes came before
// it, and then looks as a full redraw draws it.
TEST_F(ListViewTest, ScrollBarIsDrawnWithTheNextPaint) {
    Fill(30);
    const std::vector<COLORREF> atTop = BarColumn(view);
    SendMessageA(view, WM_VSCROLL, SB_PAGEDOWN, 0);
    UpdateWindow(view);
    const std::vector<COLORREF> moved = BarColumn(view);
    EXPECT_NE(moved, atTop);
    EXPECT_EQ(BarColumn(view, true), moved);
    GdirlistEntry e = {};
    // The host validating the client area leaves the bar's repaint pending.
    std::vector<COLORREF> last = BarColumn(view);
    int changes = 0;
    for (int i = 0; i < 20; ++i) {
        Zubolist_Add(view, &e);
        ValidateRect(view, nullptr);
        if (i % 3 == 0) ValidateRgn(view, nullptr);
        Pump();
        const std::vector<COLORREF> shown = BarColumn(view);
        changes += shown != last;
        last = shown;
        ASSERT_EQ(BarColumn(view, true), shown) << i;
    }
    EXPECT_GT(changes, 10);  // the thumb shrank with most entries
    // GetScrollInfo follows every entry at once, whenever the bar is drawn.
    auto expectBar = [this](int count, int top) {
        const SCROLLINFO si = Bar();
        return si.nMin == 0 && si.nMax == count && si.nPage == 10u && si.nPos == top &&
               si.nTrackPos == top;
    };
    for (int i = 50; i < 400;) {
        for (int k = i % 5; k >= 0; --k, ++i) {  // 1 ... 5 changes
            Zubolist_Add(view, &e);
            ASSERT_TRUE(expectBar(i + 1, 10)) << i;
        }
        if (i % 2)
            UpdateWindow(view);
        else
            Pump();
        const std::vector<COLORREF> shown = BarColumn(view);
        ASSERT_EQ(BarColumn(view, true), shown) << i;
    }
    // Moving the cursor (and with it the view) changes the bar too.
    for (int i = 0; i < 40; ++i) {
        Zubolist_CursorDown(view);
        if (i % 3 == 0) Zubolist_CursorPageDown(view);
        UpdateWindow(view);
        const std::vector<COLORREF> shown = BarColumn(view);
        ASSERT_EQ(BarColumn(view, true), shown) << i;
    }
}

TEST_F(ListViewTest, LayoutFontAndZeroHeight) {
    Fill(100);
    Zubolist_CursorEnd(view);
    MoveWindow(view, 0, 0, 400, 20 * lineHeight - 1, TRUE);  // a partly visible row counts
    EXPECT_EQ(Bar().nPage, 20u);
    EXPECT_EQ(Top(), 81);  // pulled up: the end row on the last row
    EXPECT_EQ(Update(), "all");
    HFONT big = CreateFontA(-3 * lineHeight, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, FIXED_PITCH, "");
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, big);
    TEXTMETRICA tm;
    GetTextMetricsA(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    EXPECT_EQ(Zubolist_SetFont(view, big), 1);
    EXPECT_EQ(static_cast<int>(Bar().nPage), (20 * lineHeight - 1 + tm.tmHeight - 1) / tm.tmHeight);
    EXPECT_EQ(SendMessageA(view, WM_SETFONT, (WPARAM)GetStockObject(SYSTEM_FIXED_FONT), 0), 0);
    EXPECT_EQ(Bar().nPage, 20u);
    DestroyWindow(view);
    view = nullptr;
    EXPECT_NE(GetObjectType(big), 0u);  // the font stays the host's
    DeleteObject(big);
    MakeView(0);  // a zero-height window
    Fill(5);
    EXPECT_EQ(Bar().nPage, 0u);
    EXPECT_EQ(Zubolist_CursorPageDown(view), 0);  // no page: no move, still a notification
    EXPECT_EQ(Sent(), "C1");
    EXPECT_EQ(Zubolist_CursorDown(view), 1);
    Click(WM_LBUTTONDOWN, 0);
    MoveWindow(view, 0, 0, 400, 1, TRUE);
    EXPECT_EQ(Bar().nPage, 1u);
}

constexpr COLORREF kBlack = RGB(0, 0, 0), kWhite = RGB(255, 255, 255), kRed = RGB(255, 0, 0);

struct PaintTest : ListViewTest {
    int width = 0;
    std::vector<COLORREF> pixels;

    // Paints what is pending and reads the client area back.
    void Capture() {
        Settle();
        const RECT c = Client();
        width = c.right;
        BITMAPINFO bi = {{sizeof bi.bmiHeader, width, -c.bottom, 1, 32}};
        void *bits = nullptr;
        HDC screen = GetDC(view), mem = CreateCompatibleDC(screen);
        HBITMAP bmp = CreateDIBSection(mem, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ old = SelectObject(mem, bmp);
        BitBlt(mem, 0, 0, width, c.bottom, screen, 0, 0, SRCCOPY);
        GdiFlush();
        pixels.clear();
        for (const uint32_t *p = static_cast<uint32_t *>(bits), *e = p + width * c.bottom; p < e; ++p)
            pixels.push_back(RGB(*p >> 16, (*p >> 8) & 0xFF, *p & 0xFF));
        SelectObject(mem, old);
        DeleteObject(bmp);
        DeleteDC(mem);
        ReleaseDC(view, screen);
    }
    COLORREF At(int x, int y) { return pixels[y * width + x]; }
    std::set<COLORREF> Colours(int row) {
        return std::set<COLORREF>(pixels.begin() + row * lineHeight * width,
                                  pixels.begin() + (row + 1) * lineHeight * width);
    }
    // The right edge of a row, and whether the row shows a colour at all.
    COLORREF Edge(int row) { return At(width - 1, row * lineHeight + lineHeight / 2); }
    bool Has(int row, COLORREF c) { return Colours(row).count(c) != 0; }
};

TEST_F(PaintTest, CursorBarMarksEndRowAndWorkspace) {
    const std::set<COLORREF> black{kBlack}, white{kWhite}, workspace{GetSysColor(COLOR_APPWORKSPACE)};
    Capture();  // empty: the end row with the cursor, then the workspace
    EXPECT_EQ(Colours(0), black);
    EXPECT_EQ(Colours(1), workspace);
    Fill(3);
    Click(WM_RBUTTONDOWN, 1);
    Capture();
    EXPECT_TRUE(Edge(0) == kBlack && Has(0, kWhite) && !Has(0, kRed));   // white on black
    EXPECT_TRUE(Edge(1) == kWhite && Has(1, kRed) && !Has(1, kBlack));   // marked: red
    EXPECT_TRUE(Edge(2) == kWhite && Has(2, kBlack) && !Has(2, kRed));   // plain
    EXPECT_EQ(Colours(3), white);                                          // end row
    EXPECT_EQ(Colours(4), workspace);
    Zubolist_CursorDown(view);  // the cursor bar of a marked entry: white on red
    Capture();
    EXPECT_TRUE(Edge(1) == kRed && Has(1, kWhite) && !Has(1, kBlack));
    EXPECT_TRUE(Edge(0) == kWhite && !Has(0, kRed));
    Zubolist_CursorEnd(view);
    Capture();
    EXPECT_EQ(Colours(3), black);
    EXPECT_EQ(Cursor(), 3);  // painting put the cursor back
    Fill(30, 3);
    SendMessageA(view, WM_VSCROLL, SB_LINEDOWN, 0);  // rows from the top row on
    Capture();
    EXPECT_TRUE(Has(0, kRed) && !Has(1, kRed));
}

// The name is right-aligned in nameWidth characters, so where its glyphs
// start shows where the column ends; nameWidth grows with the width.
TEST_F(PaintTest, NameColumnGrowsWithTheWidth) {
    int previous = 0;
    for (int viewWidth : {300, 500, 800}) {
        MakeView(3, viewWidth);
        std::string comment(100, 'c');
        GdirlistEntry e = {const_cast<char *>("WW"), const_cast<char *>("x"), 1, 2, &comment[0], 0};
        Zubolist_Add(view, &e);
        Capture();
        // A cell: half the widest character, never less than the advance
        // of the (fixed-pitch) font's characters; each glyph starts on its
        // cell.
        const int cell = std::max<int>(font.tmMaxCharWidth / 2, font.tmAveCharWidth);
        const int cols = width / cell;
        const int nameWidth = cols > 49 ? (cols - 49) / 2 + 12 : 12;
        int x = 0;
        while (x < width && At(x, lineHeight / 2) == kBlack && At(x, lineHeight / 3) == kBlack)
            ++x;
        EXPECT_GE(x, (nameWidth - 2) * cell) << viewWidth;
        EXPECT_LT(x, (nameWidth - 1) * cell) << viewWidth;
        EXPECT_GT(nameWidth, previous);
        previous = nameWidth;
    }
}

// WM_SETREDRAW FALSE: nothing is drawn or asked to be repainted, also when
// a repaint comes from outside, while the entries, the cursor, the view
// and the bar's values change as ever and the parent hears of cursor
// moves. TRUE: the whole window and the bar are repainted once.
TEST_F(PaintTest, RedrawOffDrawsNothingAndOnRepaintsEverything) {
    Fill(3);
    Capture();
    const std::vector<COLORREF> before = pixels, barBefore = BarColumn(view);
    EXPECT_EQ(SendMessageA(view, WM_SETREDRAW, FALSE, 0), 0);
    GdirlistEntry e = {const_cast<char *>("n"), const_cast<char *>("m"), 0, 0,
                       const_cast<char *>("c"), 0};
    for (int i = 0; i < 30; ++i) Zubolist_Add(view, &e);
    Zubolist_CursorDown(view);
    EXPECT_EQ(Sent(), "C1");
    SendMessageA(view, WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(Top(), 10);
    EXPECT_EQ(Bar().nMax, 33);
    EXPECT_EQ(Bar().nPos, 10);
    EXPECT_EQ(Update(), "");
    InvalidateRect(view, nullptr, TRUE);  // a repaint asked for from outside
    Capture();
    EXPECT_EQ(pixels, before);
    EXPECT_EQ(BarColumn(view), barBefore);

    EXPECT_EQ(SendMessageA(view, WM_SETREDRAW, TRUE, 0), 0);
    RECT invalid, client = Client();
    EXPECT_TRUE(GetUpdateRect(view, &invalid, FALSE));
    EXPECT_TRUE(EqualRect(&invalid, &client));
    Capture();
    const std::vector<COLORREF> shown = pixels, bar = BarColumn(view);
    EXPECT_NE(shown, before);
    EXPECT_NE(bar, barBefore);
    InvalidateRect(view, nullptr, TRUE);
    Capture();
    EXPECT_EQ(pixels, shown);
    EXPECT_EQ(BarColumn(view, true), bar);
    // On again, operations ask for repaints as ever.
    SendMessageA(view, WM_VSCROLL, SB_PAGEUP, 0);
    EXPECT_EQ(Update(), "all");
    Zubolist_CursorDown(view);
    EXPECT_EQ(Update(), "rows 1-2");
}

}  // namespace
}  // namespace zubo_test
