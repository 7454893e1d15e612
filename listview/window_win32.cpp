// The "ZUBOLIST" window class: registration, the window procedure, the
// state record's life, font and layout, the scroll bar and painting.
#include "listview/window_win32.h"

#include <string.h>

#include "library/alloc.h"
#include "library/codepage_win32.h"
#include "library/font_win32.h"
#include "listview/accessible_win32.h"
#include "listview/keymap_win32.h"
#include "listview/lifetime_win32.h"
#include "listview/navigation_win32.h"
#include "listview/owner_thread_win32.h"
#include "listview/rowtext.h"
#include "listview/update_win32.h"
#include "listview/winevents_win32.h"

namespace zubo::listview {
namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

LRESULT Create(HWND hwnd, const CREATESTRUCTA *cs) {
    ListViewWindow *w = static_cast<ListViewWindow *>(Allocate(sizeof(ListViewWindow)));
    ListViewState *s = w ? &w->state : nullptr;
    SetWindowLongPtrA(hwnd, 0, reinterpret_cast<LONG_PTR>(s));
    if (!s) return -1;
    memset(w, 0, sizeof *w);
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

bool LooksTheSame(const SCROLLBARINFO &a, const SCROLLBARINFO &b) {
    return EqualRect(&a.rcScrollBar, &b.rcScrollBar) && a.dxyLineButton == b.dxyLineButton &&
           a.xyThumbTop == b.xyThumbTop && a.xyThumbBottom == b.xyThumbBottom &&
           memcmp(a.rgstate, b.rgstate, sizeof a.rgstate) == 0;
}

SCROLLBARINFO BarNow(HWND hwnd) {
    SCROLLBARINFO bar = {};
    bar.cbSize = sizeof bar;
    if (!GetScrollBarInfo(hwnd, OBJID_VSCROLL, &bar)) bar.cbSize = 0;
    return bar;
}

// After the bar's values changed: when it would look different from what
// was drawn last, its area is made invalid, so that the next paint draws
// it. Drawing it at once costs a synchronous paint of the bar for every
// change; filling a long list changes the range on every entry, mostly
// without moving a pixel, and a fill is many changes before one paint.
// A window that is not shown (or whose bar is not) draws nothing now, and
// the system paints its whole frame when it appears.
void RedrawBarLater(ListViewState *s) {
    ViewDrawing &d = DrawingOf(s);
    if (d.redrawOff || d.barPending || !IsWindowVisible(s->hwnd)) return;
    const SCROLLBARINFO now = BarNow(s->hwnd);
    if (!now.cbSize || IsRectEmpty(&now.rcScrollBar)) return;
    if (d.barDrawn.cbSize && LooksTheSame(now, d.barDrawn)) return;
    RECT r = now.rcScrollBar;  // screen coordinates, to the window's client ones
    MapWindowPoints(nullptr, s->hwnd, reinterpret_cast<POINT *>(&r), 2);
    RedrawWindow(s->hwnd, &r, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_NOCHILDREN);
    d.barPending = true;
}

// The frame, scroll bar included, is drawn by the system; what it drew is
// what later changes are measured against.
LRESULT PaintFrame(ListViewState *s, WPARAM wParam, LPARAM lParam) {
    const LRESULT r = DefWindowProcA(s->hwnd, WM_NCPAINT, wParam, lParam);
    ViewDrawing &d = DrawingOf(s);
    d.barDrawn = BarNow(s->hwnd);
    d.barPending = false;
    return r;
}

// WM_SETREDRAW: off, nothing is drawn or asked for; on, everything is
// repainted once, the frame and its scroll bar included. The system's own
// handling comes first: it hides the window from drawing while off (the
// scroll bar included, which the system would draw when it is enabled or
// disabled) and shows it again, without a repaint, when on.
LRESULT SetRedraw(ListViewState *s, WPARAM on, LPARAM lParam) {
    DefWindowProcA(s->hwnd, WM_SETREDRAW, on, lParam);
    DrawingOf(s).redrawOff = !on;
    if (on) RedrawWindow(s->hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
    return 0;
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
    if (DrawingOf(s).redrawOff) return;
    RECT r;
    GetClientRect(s->hwnd, &r);
    const int32_t y0 = BackgroundTop(EntryCount(s), s->topRow, s->lineHeight);
    if (y0 < r.bottom) {
        r.top = y0;
        FillRect(dc, &r, s->eraseBrush);
    }
}

static_assert(kRowTextMax <= kTextOutMax, "a row is one text output");

// One row at y: the entry's text (in the way of ChooseTextWay), each
// character on its cells and the cells on the background, then the rest of
// the row filled up to the window's right edge. The text width is counted
// in cells, not measured.
void PaintRow(ListViewState *s, HDC dc, const TextWay &way, int32_t y, int32_t clientWidth,
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
    PutCells(dc, way, {0, y, s->charWidth, s->lineHeight, true, text, static_cast<int32_t>(len)});
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
    if (dc && first <= size && !DrawingOf(s).redrawOff) {
        RECT client;
        GetClientRect(s->hwnd, &client);
        const int32_t cursor = Gdirlist_GetCurPos(s->shownList);
        HGDIOBJ oldFont = SelectObject(dc, s->font);
        SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
        SetBkMode(dc, OPAQUE);
        const TextWay way = ChooseTextWay(dc);
        int32_t index = Gdirlist_SetCurPos(s->shownList, first);
        for (int32_t y = (first - s->topRow) * s->lineHeight; y < ps.rcPaint.bottom;
             y += s->lineHeight) {
            const GdirlistEntry *e = Gdirlist_GetDataPtrCursor(s->shownList);
            PaintRow(s, dc, way, y, client.right, e, index == cursor);
            if (!e) break;
            index = Gdirlist_CursorDown(s->shownList);
        }
        Gdirlist_SetCurPos(s->shownList, cursor);
        if (oldFont) SelectObject(dc, oldFont);
    }
    EndPaint(s->hwnd, &ps);
}

// The focus messages are the system's as well; the view only notes them
// for accessibility clients.
LRESULT FocusGained(ListViewState *s, WPARAM wParam, LPARAM lParam) {
    const LRESULT r = DefWindowProcA(s->hwnd, WM_SETFOCUS, wParam, lParam);
    AnnounceFocusGained(s);
    return r;
}

LRESULT FocusLost(ListViewState *s, WPARAM wParam, LPARAM lParam) {
    NoteFocusLost(s);
    return DefWindowProcA(s->hwnd, WM_KILLFOCUS, wParam, lParam);
}

LRESULT ForwardedCall(ListViewState *s, UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT result;
    if (RunForwardedCall(s, wParam, &result)) return result;
    return DefWindowProcA(s->hwnd, msg, wParam, lParam);
}

LRESULT Dispatch(HWND hwnd, ListViewState *s, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_DESTROY: EndLife(hwnd, s); return 0;
    case WM_SIZE: LayoutView(s); return 0;
    case WM_PAINT: PaintRows(s); return 0;
    case WM_ERASEBKGND: EraseBackground(s, reinterpret_cast<HDC>(wParam)); return 1;
    case WM_SETFONT: ApplyFont(s, reinterpret_cast<HFONT>(wParam)); return 0;
    case WM_KEYDOWN: HandleKey(s, wParam); return 0;
    case WM_VSCROLL: return Scroll(s, LOWORD(wParam));
    case WM_NCPAINT: return PaintFrame(s, wParam, lParam);
    case WM_SETREDRAW: return SetRedraw(s, wParam, lParam);
    case WM_LBUTTONDOWN: LeftButtonDown(s, lParam); return 0;
    case WM_RBUTTONDOWN: RightButtonDown(s, lParam); return 0;
    case WM_SETFOCUS: return FocusGained(s, wParam, lParam);
    case WM_KILLFOCUS: return FocusLost(s, wParam, lParam);
    case WM_GETOBJECT: return AnswerGetObject(s, wParam, lParam);
    case kForwardedCallMessage: return ForwardedCall(s, msg, wParam, lParam);
    default: return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

LRESULT CALLBACK ListViewWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    ListViewState *s = reinterpret_cast<ListViewState *>(GetWindowLongPtrA(hwnd, 0));
    // A repeated WM_CREATE (sent by hand) must not replace a live state.
    if (msg == WM_CREATE) return s ? 0 : Create(hwnd, reinterpret_cast<CREATESTRUCTA *>(lParam));
    if (!s) return DefWindowProcA(hwnd, msg, wParam, lParam);
    StateHold hold(s);  // the state outlives a destruction inside this message
    return Dispatch(hwnd, s, msg, wParam, lParam);
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
        const CellMetrics cell = CellMetricsFromFont(m.maxCharWidth, m.narrowAdvance, m.height);
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
    const bool columnsChanged = w.name != s->nameWidth || w.name2 != s->name2Width ||
                                w.num1 != s->num1Width || w.num2 != s->num2Width;
    s->nameWidth = w.name;
    s->name2Width = w.name2;
    s->num1Width = w.num1;
    s->num2Width = w.num2;
    // The scroll bar may appear and so re-enter through WM_SIZE; everything
    // above is already in place by then.
    ApplyChange(s, LaidOut(columnsChanged));
}

void SetTopRow(ListViewState *s, int32_t top) {
    SCROLLINFO si = {};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS | SIF_DISABLENOSCROLL;
    si.nMin = 0;
    si.nMax = EntryCount(s);  // the range includes the end row
    si.nPage = static_cast<UINT>(s->pageRows);
    si.nPos = top;
    SetScrollInfo(s->hwnd, SB_VERT, &si, FALSE);
    RedrawBarLater(s);
    if (top != s->topRow) {
        InvalidateAll(s);
        s->topRow = top;
    }
}

}  // namespace zubo::listview
