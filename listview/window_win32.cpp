// The "ZUBOLIST" window class: registration, the window procedure, the
// state record's life, font and layout, the scroll bar and painting.
#include "listview/window_win32.h"

#include <string.h>

#include "library/alloc.h"
#include "library/codepage_win32.h"
#include "library/font_win32.h"
#include "listview/keymap_win32.h"
#include "listview/navigation_win32.h"
#include "listview/rowtext.h"
#include "listview/update_win32.h"

namespace zubo::listview {
namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

void FreeState(ListViewState *s) {
    if (s->redBrush) DeleteObject(s->redBrush);
    Gdirlist_Release(s->shownList);
    Gdirlist_Release(s->removedList);
    free(s);
}

LRESULT Create(HWND hwnd, const CREATESTRUCTA *cs) {
    ListViewState *s = static_cast<ListViewState *>(Allocate(sizeof(ListViewState)));
    SetWindowLongPtrA(hwnd, 0, reinterpret_cast<LONG_PTR>(s));
    if (!s) return -1;
    memset(s, 0, sizeof *s);
    s->hwnd = hwnd;
    s->ctrlId = cs ? static_cast<int32_t>(reinterpret_cast<INT_PTR>(cs->hMenu)) : 0;
    s->shownList = CreateGdirlist();
    s->removedList = CreateGdirlist();
    // Made before the first layout, which may already repaint.
    s->redBrush = CreateSolidBrush(kRed);
    s->blackBrush = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    s->whiteBrush = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    s->eraseBrush = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_APPWORKSPACE + 1));
    // A view without its lists or its brush cannot work: creation fails.
    if (!s->shownList || !s->removedList || !s->redBrush) {
        SetWindowLongPtrA(hwnd, 0, 0);
        FreeState(s);
        return -1;
    }
    s->charWidth = kFallbackCharWidth;  // kept if the font cannot be measured
    s->lineHeight = kFallbackLineHeight;
    ApplyFont(s, static_cast<HFONT>(GetStockObject(SYSTEM_FIXED_FONT)));
    return 0;
}

void Destroy(HWND hwnd, ListViewState *s) {
    if (!s) return;
    SetWindowLongPtrA(hwnd, 0, 0);  // later messages find no state
    FreeState(s);
}

bool LooksTheSame(const SCROLLBARINFO &a, const SCROLLBARINFO &b) {
    return EqualRect(&a.rcScrollBar, &b.rcScrollBar) && a.dxyLineButton == b.dxyLineButton &&
           a.xyThumbTop == b.xyThumbTop && a.xyThumbBottom == b.xyThumbBottom &&
           memcmp(a.rgstate, b.rgstate, sizeof a.rgstate) == 0;
}

// Sets the vertical bar and redraws it at once, but only when it would look
// different: a redraw is a synchronous paint of the bar, and adding entries
// to a long list changes the range on every call without moving a pixel.
void SetScrollBar(HWND hwnd, const SCROLLINFO &si) {
    SCROLLINFO old = {};
    old.cbSize = sizeof old;
    old.fMask = SIF_ALL;
    GetScrollInfo(hwnd, SB_VERT, &old);
    SCROLLBARINFO before = {}, after = {};
    before.cbSize = after.cbSize = sizeof before;
    const BOOL known = GetScrollBarInfo(hwnd, OBJID_VSCROLL, &before);
    SetScrollInfo(hwnd, SB_VERT, &si, FALSE);
    if (known && GetScrollBarInfo(hwnd, OBJID_VSCROLL, &after) && LooksTheSame(before, after))
        return;
    // Back to the old values, then the new ones with the redraw, so that the
    // bar sees the change it has to draw.
    old.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    SetScrollInfo(hwnd, SB_VERT, &old, FALSE);
    SetScrollInfo(hwnd, SB_VERT, &si, TRUE);
}

LRESULT Scroll(ListViewState *s, int code) {
    SCROLLINFO si = {};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    GetScrollInfo(s->hwnd, SB_VERT, &si);
    int32_t top;
    if (ScrollTarget(code, si.nPos, static_cast<int32_t>(si.nPage), si.nMax, si.nTrackPos, &top))
        SetTopRow(s, top);
    return 1;
}

void EraseBackground(ListViewState *s, HDC dc) {
    RECT r;
    GetClientRect(s->hwnd, &r);
    const int32_t y0 = BackgroundTop(EntryCount(s), s->topRow, s->lineHeight);
    if (y0 < r.bottom) {
        r.top = y0;
        FillRect(dc, &r, s->eraseBrush);
    }
}

static_assert(kRowTextMax <= kTextOutMax, "a row is one text output");

// One row at y: the entry's text (on the path of ChooseTextPath), then the
// rest of the row filled up to the right edge. The text width is counted in
// cells, not measured.
void PaintRow(ListViewState *s, HDC dc, TextPath path, int32_t y, int32_t clientWidth,
              const GdirlistEntry *e, bool cursorRow) {
    RECT row = {0, y, clientWidth, y + s->lineHeight};
    if (!e) {  // the end row
        FillRect(dc, &row, cursorRow ? s->blackBrush : s->whiteBrush);
        return;
    }
    const bool marked = (e->flags & GDIRLIST_MARK) != 0;
    const COLORREF base = marked ? kRed : kBlack;
    SetTextColor(dc, cursorRow ? kWhite : base);
    SetBkColor(dc, cursorRow ? base : kWhite);
    char text[kRowTextMax];
    const size_t len = FormatRowText(e, ColumnsOf(s), text, sizeof text);
    PutText(dc, path, 0, y, text, static_cast<int32_t>(len));
    row.left = static_cast<LONG>(len) * s->charWidth;
    if (row.left < clientWidth)
        FillRect(dc, &row,
                 !cursorRow ? s->whiteBrush : marked ? s->redBrush : s->blackBrush);
}

// Draws the rows that meet the update rectangle, walking the list's cursor
// from the first of them and putting it back afterwards.
void PaintRows(ListViewState *s) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(s->hwnd, &ps);
    const int32_t size = EntryCount(s);
    const int32_t first = ps.rcPaint.top / s->lineHeight + s->topRow;
    if (dc && first <= size) {
        RECT client;
        GetClientRect(s->hwnd, &client);
        const int32_t cursor = Gdirlist_GetCurPos(s->shownList);
        HGDIOBJ oldFont = SelectObject(dc, s->font);
        SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
        SetBkMode(dc, OPAQUE);
        const TextPath path = ChooseTextPath(dc);
        int32_t index = Gdirlist_SetCurPos(s->shownList, first);
        for (int32_t y = (first - s->topRow) * s->lineHeight; y < ps.rcPaint.bottom;
             y += s->lineHeight) {
            const GdirlistEntry *e = Gdirlist_GetDataPtrCursor(s->shownList);
            PaintRow(s, dc, path, y, client.right, e, index == cursor);
            if (!e) break;
            index = Gdirlist_CursorDown(s->shownList);
        }
        Gdirlist_SetCurPos(s->shownList, cursor);
        if (oldFont) SelectObject(dc, oldFont);
    }
    EndPaint(s->hwnd, &ps);
}

LRESULT CALLBACK ListViewWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    ListViewState *s = reinterpret_cast<ListViewState *>(GetWindowLongPtrA(hwnd, 0));
    // A repeated WM_CREATE (sent by hand) must not replace a live state.
    if (msg == WM_CREATE) return s ? 0 : Create(hwnd, reinterpret_cast<CREATESTRUCTA *>(lParam));
    if (!s) return DefWindowProcA(hwnd, msg, wParam, lParam);
    switch (msg) {
    case WM_DESTROY: Destroy(hwnd, s); return 0;
    case WM_SIZE: LayoutView(s); return 0;
    case WM_PAINT: PaintRows(s); return 0;
    case WM_ERASEBKGND: EraseBackground(s, reinterpret_cast<HDC>(wParam)); return 1;
    case WM_SETFONT: ApplyFont(s, reinterpret_cast<HFONT>(wParam)); return 0;
    case WM_KEYDOWN: HandleKey(s, wParam); return 0;
    case WM_VSCROLL: return Scroll(s, LOWORD(wParam));
    case WM_LBUTTONDOWN: LeftButtonDown(s, lParam); return 0;
    case WM_RBUTTONDOWN: RightButtonDown(s, lParam); return 0;
    default: return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

}  // namespace

ATOM RegisterListViewClass() {
    WNDCLASSA wc = {};
    wc.style = CS_GLOBALCLASS | CS_HREDRAW;
    wc.lpfnWndProc = ListViewWndProc;
    wc.cbWndExtra = sizeof(ListViewState *);
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = kClassName;
    return RegisterClassA(&wc);
}

bool ApplyFont(ListViewState *s, HFONT font) {
    s->font = font;
    // Whatever font the context holds is measured, also when the handle
    // cannot be selected: WM_SETFONT with a null handle means the system
    // font, which is what the context then keeps.
    const FontMeasure m = MeasureFontOnScreen(font);
    if (m.measured) {
        const CellMetrics cell = CellMetricsFromFont(m.maxCharWidth, m.height);
        s->charWidth = cell.charWidth;
        s->lineHeight = cell.lineHeight;
    }
    LayoutView(s);
    return m.measured;
}

void LayoutView(ListViewState *s) {
    RECT r;
    GetClientRect(s->hwnd, &r);
    s->pageRows = PageRowsFor(r.bottom, s->lineHeight);
    s->topRow = TopRowAfterLayout(EntryCount(s), s->topRow, s->pageRows);
    const ColumnWidths w = ColumnsForWidth(r.right, s->charWidth);
    s->nameWidth = w.name;
    s->name2Width = w.name2;
    s->num1Width = w.num1;
    s->num2Width = w.num2;
    // May show the scroll bar and so re-enter through WM_SIZE; everything
    // above is already in place by then.
    SetTopRow(s, s->topRow);
    InvalidateAll(s);
}

void SetTopRow(ListViewState *s, int32_t top) {
    SCROLLINFO si = {};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS | SIF_DISABLENOSCROLL;
    si.nMin = 0;
    si.nMax = EntryCount(s);  // the range includes the end row
    si.nPage = static_cast<UINT>(s->pageRows);
    si.nPos = top;
    SetScrollBar(s->hwnd, si);
    if (top != s->topRow) {
        InvalidateAll(s);
        s->topRow = top;
    }
}

}  // namespace zubo::listview
