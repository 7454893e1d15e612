// Marks on the cursor entry and on all entries, marking by wildcard, and
// the walks with a host's routine.
#include "listview/marks_win32.h"

#include "listview/accessible.h"
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

// A walk whose visitor may change the entries. Once an accessibility
// client has asked for the view, what it changes (marks, texts) is noted
// row by row, for the events that tell the client.
struct WatchedWalk {
    EntryVisitor visit;
    void *context;
    ListViewState *s;
    RowSet marks;
    RowSet texts;
};

bool VisitWatched(GdirlistEntry *e, void *context) {
    WatchedWalk *w = static_cast<WatchedWalk *>(context);
    const bool wasMarked = IsMarked(e);
    const uint64_t digest = EntryDigest(e);
    const bool goOn = w->visit(e, w->context);
    if (Destroyed(w->s)) return false;
    const int32_t row = CursorPos(w->s);  // the walk's cursor stands on e
    if (IsMarked(e) != wasMarked) w->marks = WithRow(w->marks, row);
    if (EntryDigest(e) != digest) w->texts = WithRow(w->texts, row);
    return goOn;
}

// A walk moves the list's cursor from entry to entry and repaints
// everything afterwards.
int32_t Walk(ListViewState *s, bool markedOnly, EntryVisitor visit, void *context) {
    WatchedWalk w{visit, context, s, kNoRowSet, kNoRowSet};
    const bool watched = visit && AccessOf(s).object;
    const int32_t count = WalkEntries(s->shownList, markedOnly, watched ? VisitWatched : visit,
                                      watched ? &w : context);
    ApplyChange(s, EntriesWalked(w.marks, w.texts));
    return count;
}

}  // namespace

int32_t MarkAll(ListViewState *s) {
    Gdirlist_OrFlagAll(s->shownList, GDIRLIST_MARK);
    ApplyChange(s, AllMarksChanged());
    return EntryCount(s);
}

int32_t MarkClearAll(ListViewState *s) {
    Gdirlist_AndFlagAll(s->shownList, ~GDIRLIST_MARK);
    ApplyChange(s, MarksCleared());
    return EntryCount(s);
}

int32_t MarkInvertAll(ListViewState *s) {
    Gdirlist_XorFlagAll(s->shownList, GDIRLIST_MARK);
    ApplyChange(s, AllMarksChanged());
    return EntryCount(s);
}

void MarkSet(ListViewState *s, bool marked) {
    GdirlistEntry *e = Gdirlist_GetDataPtrCursor(s->shownList);
    if (!e) return;
    const bool was = IsMarked(e);
    if (marked)
        e->flags |= GDIRLIST_MARK;
    else
        e->flags &= ~GDIRLIST_MARK;
    // The row is repainted either way.
    const int32_t row = CursorPos(s);
    ApplyChange(s, was == marked ? RowChanged(row) : MarkChanged(row));
}

void MarkInvert(ListViewState *s) {
    GdirlistEntry *e = Gdirlist_GetDataPtrCursor(s->shownList);
    if (!e) return;
    e->flags ^= GDIRLIST_MARK;
    ApplyChange(s, MarkChanged(CursorPos(s)));
}

int32_t MarkInvertAndDown(ListViewState *s) {
    GdirlistEntry *e = Gdirlist_GetDataPtrCursor(s->shownList);
    if (!e) return 0;
    e->flags ^= GDIRLIST_MARK;
    // Repaints both rows (or scrolls) and notifies, telling of the mark.
    return CursorDownAfterMarking(s, OneRow(CursorPos(s)));
}

void SetMarks(ListViewState *s, int32_t first, int32_t last, bool marked, bool clearAll) {
    if (clearAll) Gdirlist_AndFlagAll(s->shownList, ~GDIRLIST_MARK);
    RowSet changed = clearAll ? kManyRows : kNoRowSet;
    for (int32_t row = first; row <= last; ++row) {
        // Index lookups start from the one before: one step each.
        GdirlistEntry *e = Gdirlist_GetDataPtr(s->shownList, row);
        if (!e || IsMarked(e) == marked) continue;
        e->flags ^= GDIRLIST_MARK;
        changed = WithRow(changed, row);
    }
    ApplyChange(s, clearAll ? AllMarksChanged() : MarksChanged(first, last, changed));
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
