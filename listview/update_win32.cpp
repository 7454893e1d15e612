// The after-change step of the list view and the primitives it is made of.
#include "listview/update_win32.h"

#include "listview/geometry.h"
#include "listview/window_win32.h"
#include "listview/winevents_win32.h"

namespace zubo::listview {

void ApplyChange(ListViewState *s, const ViewChange &change) {
    // A host's routine (a sort comparison, a walk) may have destroyed the
    // window on the way here.
    if (Destroyed(s)) return;
    bool scrolled = false;
    switch (change.view) {
    case ViewChange::View::kStays:
        break;
    case ViewChange::View::kRangeChanged:
        SetTopRow(s, s->topRow);
        break;
    case ViewChange::View::kFollowCursor:
        scrolled = !KeepCursorVisible(s, CursorPos(s));
        break;
    case ViewChange::View::kBackToTop:
        SetTopRow(s, 0);
        break;
    }
    // A scroll has asked for the whole window already.
    if (!scrolled)
        for (const RowBand &band : change.rows)
            if (band.last >= band.first) InvalidateRows(s, band.first, band.last);
    if (change.appendedRow >= 0 && change.appendedRow < s->topRow + s->pageRows) InvalidateAll(s);
    // Accessibility clients hear of the change before the parent does: the
    // parent may move the cursor again, and the last focus event raised
    // must be the cursor row's that holds in the end.
    if (!AnnounceChange(s, change)) return;
    if (change.cursorMoved) (void)NotifyParent(s, ZLN_CURSORMOVE);
}

bool KeepCursorVisible(ListViewState *s, int32_t cursor) {
    const KeepVisiblePlan plan = PlanKeepVisible(EntryCount(s), s->topRow, s->pageRows, cursor);
    if (plan.pullUp) SetTopRow(s, plan.pullUpTop);
    SetTopRow(s, plan.top);
    return plan.stayed;
}

void InvalidateRows(ListViewState *s, int32_t first, int32_t last) {
    if (DrawingOf(s).redrawOff) return;
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

bool NotifyParent(ListViewState *s, int code) {
    if (HWND parent = GetParent(s->hwnd))
        SendMessageA(parent, WM_COMMAND, MAKEWPARAM(s->ctrlId & 0xFFFF, code),
                     reinterpret_cast<LPARAM>(s->hwnd));
    return !Destroyed(s);
}

}  // namespace zubo::listview
