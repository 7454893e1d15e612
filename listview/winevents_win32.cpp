// The list view's WinEvents (see winevents_win32.h).
#include "listview/winevents_win32.h"

#include "listview/accessible.h"
#include "listview/entries.h"

namespace zubo::listview {
namespace {

// A client's in-context hook runs inside NotifyWinEvent and may do anything
// to the view, destroying it included.
bool Raise(ListViewState *s, DWORD event, int32_t child) {
    NotifyWinEvent(event, s->hwnd, OBJID_CLIENT, child);
    return !Destroyed(s);
}

// One row changed: an event for its child; many: one for the list.
bool RaiseForRows(ListViewState *s, const RowSet &rows, DWORD oneEvent, DWORD manyEvent) {
    if (rows.count == 0) return true;
    if (rows.count > 1) return Raise(s, manyEvent, kListChild);
    return Raise(s, oneEvent, ChildOfRow(rows.row));
}

// A mark that changed is the row's selection added or removed, whichever
// the entry holds now.
bool RaiseForMarks(ListViewState *s, const RowSet &marks) {
    if (marks.count != 1)
        return RaiseForRows(s, marks, EVENT_OBJECT_SELECTIONWITHIN, EVENT_OBJECT_SELECTIONWITHIN);
    const GdirlistEntry *e = Gdirlist_GetDataPtr(s->shownList, marks.row);
    if (!e) return true;
    return Raise(s, IsMarked(e) ? EVENT_OBJECT_SELECTIONADD : EVENT_OBJECT_SELECTIONREMOVE,
                 ChildOfRow(marks.row));
}

// A row that came at the end is told of when it lands on the page; rows
// added beyond it are found by a client when it counts the children, so
// that filling a long list does not flood the clients with events.
bool RaiseForAddedRow(ListViewState *s, const RowSet &added) {
    if (added.count != 1 || !RowInView(added.row, s->topRow, s->pageRows)) return true;
    return Raise(s, EVENT_OBJECT_CREATE, ChildOfRow(added.row));
}

bool RaiseForRowEvents(ListViewState *s, const RowEvents &e) {
    if (e.reordered) {
        if (!Raise(s, EVENT_OBJECT_REORDER, kListChild)) return false;
    } else {
        if (!RaiseForRows(s, e.texts, EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_REORDER)) return false;
        if (!RaiseForAddedRow(s, e.added)) return false;
    }
    return RaiseForMarks(s, e.marks);
}

void RememberFocus(ViewAccess &a, int32_t row, const GdirlistEntry *e) {
    a.focusRow = row;
    a.focusEntry = e;
}

bool RaiseFocus(ListViewState *s, int32_t row, const GdirlistEntry *e) {
    return Raise(s, EVENT_OBJECT_FOCUS, e ? ChildOfRow(row) : kListChild);
}

// The cursor row, when it is not the one last announced.
bool AnnounceCursorRow(ListViewState *s) {
    ViewAccess &a = AccessOf(s);
    if (!a.focused) return true;
    const int32_t row = CursorPos(s);
    const GdirlistEntry *e = Gdirlist_GetDataPtrCursor(s->shownList);
    if (row == a.focusRow && e == a.focusEntry) return true;
    RememberFocus(a, row, e);
    return RaiseFocus(s, row, e);
}

}  // namespace

bool AnnounceChange(ListViewState *s, const ViewChange &change) {
    if (AccessOf(s).object && !RaiseForRowEvents(s, change.events)) return false;
    return AnnounceCursorRow(s);
}

void AnnounceFocusGained(ListViewState *s) {
    ViewAccess &a = AccessOf(s);
    a.focused = true;
    const int32_t row = CursorPos(s);
    const GdirlistEntry *e = Gdirlist_GetDataPtrCursor(s->shownList);
    RememberFocus(a, row, e);
    (void)RaiseFocus(s, row, e);
}

void NoteFocusLost(ListViewState *s) { AccessOf(s).focused = false; }

}  // namespace zubo::listview
