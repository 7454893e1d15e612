// Cursor movement and the mouse buttons.
#include "listview/navigation_win32.h"

#include "listview/update_win32.h"

namespace zubo::listview {
namespace {

// Moves by index to `target` unless the cursor is at its limit.
int32_t JumpTo(ListViewState *s, bool atLimit, int32_t target) {
    if (atLimit) return CursorPos(s);
    const int32_t moved = Gdirlist_SetCurPos(s->shownList, target);
    ApplyChange(s, CursorJumped());
    return moved;
}

// A click focuses the view, unless the parent closed it meanwhile.
void TakeFocus(ListViewState *s) {
    if (!Destroyed(s)) SetFocus(s->hwnd);
}

int32_t RowFromLParam(const ListViewState *s, LPARAM lParam) {
    const int32_t y = static_cast<int32_t>(HIWORD(lParam));  // taken unsigned
    return RowAt(y, s->lineHeight, s->topRow);
}

}  // namespace

int32_t CursorUp(ListViewState *s) {
    const int32_t from = CursorPos(s);
    if (from <= 0) return from;
    const int32_t to = Gdirlist_CursorUp(s->shownList);
    ApplyChange(s, CursorStepped(from, to));
    return to;
}

int32_t CursorDown(ListViewState *s) { return CursorDownAfterMarking(s, kNoRowSet); }

int32_t CursorDownAfterMarking(ListViewState *s, RowSet marksChanged) {
    const int32_t from = CursorPos(s);
    if (from >= EntryCount(s)) return from;
    const int32_t to = Gdirlist_CursorDown(s->shownList);
    ViewChange change = CursorStepped(from, to);
    change.events.marks = marksChanged;
    ApplyChange(s, change);
    return to;
}

int32_t CursorPageUp(ListViewState *s) {
    const int32_t cursor = CursorPos(s);
    return JumpTo(s, cursor <= 0, cursor - s->pageRows < 0 ? 0 : cursor - s->pageRows);
}

int32_t CursorPageDown(ListViewState *s) {
    const int32_t cursor = CursorPos(s), size = EntryCount(s);
    return JumpTo(s, cursor >= size, cursor + s->pageRows > size ? size : cursor + s->pageRows);
}

int32_t CursorEnd(ListViewState *s) {
    return JumpTo(s, CursorPos(s) == EntryCount(s), EntryCount(s));
}

int32_t CursorTop(ListViewState *s) { return JumpTo(s, CursorPos(s) == 0, 0); }

int32_t CursorTo(ListViewState *s, int32_t row) {
    const int32_t from = CursorPos(s);
    if (row == from || row < 0 || row > EntryCount(s)) return from;
    const int32_t to = Gdirlist_SetCurPos(s->shownList, row);
    ApplyChange(s, CursorMoved(from, to));
    return to;
}

void ActivateAndStepDown(ListViewState *s) {
    if (NotifyParent(s, ZLN_ACTIVATE)) CursorDown(s);
}

void LeftButtonDown(ListViewState *s, LPARAM lParam) {
    const int32_t row = RowFromLParam(s, lParam);
    const int32_t cursor = CursorPos(s);
    if (row == cursor) {
        if (!NotifyParent(s, ZLN_ACTIVATE)) return;
    } else if (row <= EntryCount(s)) {
        // The clicked row is on screen: no scrolling.
        Gdirlist_SetCurPos(s->shownList, row);
        ApplyChange(s, CursorPlaced(cursor, row));
    }
    TakeFocus(s);
}

void RightButtonDown(ListViewState *s, LPARAM lParam) {
    const int32_t row = RowFromLParam(s, lParam);
    if (row < EntryCount(s)) {
        Gdirlist_GetDataPtr(s->shownList, row)->flags ^= GDIRLIST_MARK;
        ApplyChange(s, MarkChanged(row));
    }
    TakeFocus(s);
}

}  // namespace zubo::listview
