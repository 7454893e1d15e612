// Cursor movement, the keep-visible rule, row repaints, parent
// notifications and the mouse buttons.
#include <windows.h>

#include "listview/state.h"

namespace zubo {
namespace {

// After the cursor moved to n: keep it visible, repaint rows first ... last
// (first < 0: the whole window) unless the view scrolled, and tell the
// parent.
int32_t FinishMove(ListViewState *s, int32_t n, int32_t first, int32_t last) {
    if (KeepCursorVisible(s, n)) InvalidateRows(s, first, last);
    NotifyParent(s, ZLN_CURSORMOVE);
    return n;
}

// Moves by index to n unless the guard says the cursor is at its limit;
// these moves repaint the whole window.
int32_t JumpTo(ListViewState *s, bool atLimit, int32_t n) {
    if (atLimit) return CursorPos(s);
    return FinishMove(s, Gdirlist_SetCurPos(s->shownList, n), -1, -1);
}

int32_t CursorUp(ListViewState *s) {
    if (CursorPos(s) <= 0) return CursorPos(s);
    const int32_t n = Gdirlist_CursorUp(s->shownList);
    return FinishMove(s, n, n, n + 1);
}

int32_t PageUp(ListViewState *s) {
    const int32_t c = CursorPos(s);
    return JumpTo(s, c <= 0, c - s->pageRows < 0 ? 0 : c - s->pageRows);
}

int32_t PageDown(ListViewState *s) {
    const int32_t c = CursorPos(s), size = EntryCount(s);
    return JumpTo(s, c >= size, c + s->pageRows > size ? size : c + s->pageRows);
}

int32_t RowFromLParam(const ListViewState *s, LPARAM lParam) {
    const int32_t y = static_cast<int32_t>(HIWORD(lParam));  // taken unsigned
    return RowAt(y, s->lineHeight, s->topRow);
}

}  // namespace

int32_t KeepCursorVisible(ListViewState *s, int32_t a) {
    const KeepVisiblePlan plan = PlanKeepVisible(EntryCount(s), s->topRow, s->pageRows, a);
    if (plan.pullUp) SetTopRow(s, plan.pullUpTop);
    SetTopRow(s, plan.top);
    return plan.stayed ? 1 : 0;
}

void InvalidateRows(ListViewState *s, int32_t first, int32_t last) {
    if (first < 0) {
        InvalidateAll(s);
        return;
    }
    RECT r;
    GetClientRect(s->hwnd, &r);
    int32_t y0, y1;
    if (!RowSpan(first, last, s->topRow, r.bottom, s->lineHeight, &y0, &y1)) return;
    r.top = y0;
    r.bottom = y1;
    InvalidateRect(s->hwnd, &r, TRUE);
}

void NotifyParent(ListViewState *s, int code) {
    if (HWND parent = GetParent(s->hwnd))
        SendMessageA(parent, WM_COMMAND, MAKEWPARAM(s->ctrlId & 0xFFFF, code),
                     reinterpret_cast<LPARAM>(s->hwnd));
}

int32_t CursorDown(ListViewState *s) {
    if (CursorPos(s) >= EntryCount(s)) return CursorPos(s);
    const int32_t n = Gdirlist_CursorDown(s->shownList);
    return FinishMove(s, n, n - 1, n);
}

void LeftButtonDown(ListViewState *s, LPARAM lParam) {
    const int32_t row = RowFromLParam(s, lParam);
    const int32_t c = CursorPos(s);
    if (row == c) {
        NotifyParent(s, ZLN_ACTIVATE);
    } else if (row <= EntryCount(s)) {
        // The clicked row is on screen: no scrolling.
        Gdirlist_SetCurPos(s->shownList, row);
        InvalidateRows(s, c, c);
        InvalidateRows(s, row, row);
        NotifyParent(s, ZLN_CURSORMOVE);
    }
    SetFocus(s->hwnd);
}

void RightButtonDown(ListViewState *s, LPARAM lParam) {
    const int32_t row = RowFromLParam(s, lParam);
    if (row < EntryCount(s)) {
        Gdirlist_GetDataPtr(s->shownList, row)->flags ^= GDIRLIST_MARK;
        InvalidateRows(s, row, row);
    }
    SetFocus(s->hwnd);
}

}  // namespace zubo


using zubo::WithState;

extern "C" int ZUBOAPI Zubolist_CursorUp(HWND hwnd) { return WithState(hwnd, zubo::CursorUp); }

extern "C" int ZUBOAPI Zubolist_CursorDown(HWND hwnd) {
    return WithState(hwnd, zubo::CursorDown);
}

extern "C" int ZUBOAPI Zubolist_CursorPageUp(HWND hwnd) {
    return WithState(hwnd, zubo::PageUp);
}

extern "C" int ZUBOAPI Zubolist_CursorPageDown(HWND hwnd) {
    return WithState(hwnd, zubo::PageDown);
}

extern "C" int ZUBOAPI Zubolist_CursorEnd(HWND hwnd) {
    return WithState(hwnd, [](ListViewState *s) {
        return zubo::JumpTo(s, zubo::CursorPos(s) == zubo::EntryCount(s), zubo::EntryCount(s));
    });
}

extern "C" int ZUBOAPI Zubolist_CursorTop(HWND hwnd) {
    return WithState(hwnd, [](ListViewState *s) {
        return zubo::JumpTo(s, zubo::CursorPos(s) == 0, 0);
    });
}
