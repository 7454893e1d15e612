// Marks on the cursor entry and on all entries, marking by wildcard, and
// the walks with a host's routine.
#include <windows.h>

#include "listview/entries.h"
#include "listview/state.h"

namespace zubo {
namespace {

// Applies a flag operation to every entry and repaints everything.
template <typename FlagOp>
int MarkAllWith(HWND hwnd, FlagOp op, uint32_t value, bool scrollToTop) {
    return WithState(hwnd, [&](ListViewState *s) {
        op(s->shownList, value);
        if (scrollToTop) SetTopRow(s, 0);
        InvalidateRows(s, -1, -1);
        return EntryCount(s);
    });
}

struct WalkCall {
    ZubolistWalkProc walk;
    HWND hwnd;
    void *user;
};

bool CallWalkRoutine(GdirlistEntry *e, void *context) {
    const WalkCall *call = static_cast<const WalkCall *>(context);
    return call->walk(call->hwnd, e, call->user) != 0;
}

int Walk(HWND hwnd, bool markedOnly, EntryVisitor visit, void *context) {
    return WithState(hwnd, [&](ListViewState *s) {
        const int32_t count = WalkEntries(s->shownList, markedOnly, visit, context);
        InvalidateAll(s);
        return count;
    });
}

int WalkWithRoutine(HWND hwnd, bool markedOnly, ZubolistWalkProc walk, void *user) {
    WalkCall call{walk, hwnd, user};
    return Walk(hwnd, markedOnly, walk ? CallWalkRoutine : nullptr, &call);
}

}  // namespace
}  // namespace zubo

using namespace zubo;

extern "C" int ZUBOAPI Zubolist_MarkAll(HWND hwnd) {
    return MarkAllWith(hwnd, Gdirlist_OrFlagAll, GDIRLIST_MARK, false);
}

extern "C" int ZUBOAPI Zubolist_MarkClearAll(HWND hwnd) {
    return MarkAllWith(hwnd, Gdirlist_AndFlagAll, ~GDIRLIST_MARK, true);
}

extern "C" int ZUBOAPI Zubolist_MarkInvertAll(HWND hwnd) {
    return MarkAllWith(hwnd, Gdirlist_XorFlagAll, GDIRLIST_MARK, false);
}

extern "C" int ZUBOAPI Zubolist_MarkSet(HWND hwnd, int status) {
    ListViewState *s = StateOf(hwnd);
    GdirlistEntry *e = s ? Gdirlist_GetDataPtrCursor(s->shownList) : nullptr;
    if (e) {
        if (status)
            e->flags |= GDIRLIST_MARK;
        else
            e->flags &= ~GDIRLIST_MARK;
        InvalidateRows(s, CursorPos(s), CursorPos(s));
    }
    return status;
}

extern "C" int ZUBOAPI Zubolist_MarkInvert(HWND hwnd) {
    ListViewState *s = StateOf(hwnd);
    if (GdirlistEntry *e = s ? Gdirlist_GetDataPtrCursor(s->shownList) : nullptr) {
        e->flags ^= GDIRLIST_MARK;
        InvalidateRows(s, CursorPos(s), CursorPos(s));
    }
    return 0;
}

extern "C" int ZUBOAPI Zubolist_MarkInvertAndDown(HWND hwnd) {
    return WithState(hwnd, [](ListViewState *s) {
        GdirlistEntry *e = Gdirlist_GetDataPtrCursor(s->shownList);
        if (!e) return 0;
        e->flags ^= GDIRLIST_MARK;
        return CursorDown(s);  // repaints both rows (or scrolls) and notifies
    });
}

extern "C" int ZUBOAPI Zubolist_EnumMark(HWND hwnd, ZubolistWalkProc walk, void *user) {
    return WalkWithRoutine(hwnd, true, walk, user);
}

extern "C" int ZUBOAPI Zubolist_EnumAll(HWND hwnd, ZubolistWalkProc walk, void *user) {
    return WalkWithRoutine(hwnd, false, walk, user);
}

extern "C" int ZUBOAPI Zubolist_MarkMatchWildcard(HWND hwnd, const char *pattern,
                                                  int ignoreCase) {
    WildcardMark mark{pattern, ignoreCase};
    return Walk(hwnd, false, MarkMatch, &mark);
}
