// Marks on the cursor entry and on all entries, marking by wildcard, and
// the walks with a host's routine.
#include "listview/marks_win32.h"

#include "listview/entries.h"
#include "listview/navigation_win32.h"
#include "listview/update_win32.h"

namespace zubo::listview {
namespace {

struct WalkCall {
    ZubolistWalkProc walk;
    ListViewState *s;
    void *user;
};

// The walk stops when the routine says so, and when it destroyed the
// window.
bool CallWalkRoutine(GdirlistEntry *e, void *context) {
    const WalkCall *call = static_cast<const WalkCall *>(context);
    return call->walk(call->s->hwnd, e, call->user) != 0 && !Destroyed(call->s);
}

// A walk moves the list's cursor from entry to entry and repaints
// everything afterwards.
int32_t Walk(ListViewState *s, bool markedOnly, EntryVisitor visit, void *context) {
    const int32_t count = WalkEntries(s->shownList, markedOnly, visit, context);
    ApplyChange(s, AllRowsChanged());
    return count;
}

}  // namespace

int32_t MarkAll(ListViewState *s) {
    Gdirlist_OrFlagAll(s->shownList, GDIRLIST_MARK);
    ApplyChange(s, AllRowsChanged());
    return EntryCount(s);
}

int32_t MarkClearAll(ListViewState *s) {
    Gdirlist_AndFlagAll(s->shownList, ~GDIRLIST_MARK);
    ApplyChange(s, MarksCleared());
    return EntryCount(s);
}

int32_t MarkInvertAll(ListViewState *s) {
    Gdirlist_XorFlagAll(s->shownList, GDIRLIST_MARK);
    ApplyChange(s, AllRowsChanged());
    return EntryCount(s);
}

void MarkSet(ListViewState *s, bool marked) {
    GdirlistEntry *e = Gdirlist_GetDataPtrCursor(s->shownList);
    if (!e) return;
    if (marked)
        e->flags |= GDIRLIST_MARK;
    else
        e->flags &= ~GDIRLIST_MARK;
    ApplyChange(s, RowChanged(CursorPos(s)));
}

void MarkInvert(ListViewState *s) {
    GdirlistEntry *e = Gdirlist_GetDataPtrCursor(s->shownList);
    if (!e) return;
    e->flags ^= GDIRLIST_MARK;
    ApplyChange(s, RowChanged(CursorPos(s)));
}

int32_t MarkInvertAndDown(ListViewState *s) {
    GdirlistEntry *e = Gdirlist_GetDataPtrCursor(s->shownList);
    if (!e) return 0;
    e->flags ^= GDIRLIST_MARK;
    return CursorDown(s);  // repaints both rows (or scrolls) and notifies
}

int32_t EnumEntries(ListViewState *s, bool markedOnly, ZubolistWalkProc walk, void *user) {
    WalkCall call{walk, s, user};
    return Walk(s, markedOnly, walk ? CallWalkRoutine : nullptr, &call);
}

int32_t MarkMatchWildcard(ListViewState *s, const char *pattern, bool ignoreCase) {
    WildcardMark mark{pattern, ignoreCase ? 1 : 0};
    return Walk(s, false, MarkMatch, &mark);
}

}  // namespace zubo::listview
