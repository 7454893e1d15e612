// The exported functions of the list view (Zubolist_*, InitZubolist). This
// file owns their handle policy: a window handle is looked up here, and a
// null handle, a window of another class or of another process does
// nothing and gives 0 (null for a pointer), except that Zubolist_MarkSet
// returns its status argument as always. A call on a thread other than the
// window's owner is carried out on the owner thread. Everything behind it
// takes the state of a live list view, held for the call's duration.
#include <windows.h>

#include <string.h>

#include "listview/clipboard_win32.h"
#include "listview/editing_win32.h"
#include "listview/lifetime_win32.h"
#include "listview/marks_win32.h"
#include "listview/navigation_win32.h"
#include "listview/owner_thread_win32.h"
#include "listview/view_lookup_win32.h"
#include "listview/window_win32.h"

using namespace zubo::listview;

namespace {

// Whether a window of this process is one of ours. Class names compare
// without regard to case. Our windows give the name as registered, which a
// plain comparison settles at once; the locale-aware one costs about a
// microsecond a call under wine, on every export.
bool IsListView(HWND hwnd) {
    char name[sizeof kClassName + 1];
    if (GetClassNameA(hwnd, name, sizeof name) != sizeof kClassName - 1) return false;
    return memcmp(name, kClassName, sizeof kClassName) == 0 || lstrcmpiA(name, kClassName) == 0;
}

// The state of a list view window on the calling thread; null when its
// creation failed or it is being destroyed. Only windows of this class
// carry our state in their extra bytes.
ListViewState *StateOf(HWND hwnd) {
    return reinterpret_cast<ListViewState *>(GetWindowLongPtrA(hwnd, 0));
}

// Runs op on the state of a list view window, on the window's owner
// thread, and gives its result; 0 for any other window. The process check
// comes before the class name is read: the pointer in another process's
// window means nothing here. A view this thread called before is found
// without the checks (view_lookup_win32.h).
template <typename Op>
LRESULT WithState(HWND hwnd, Op op) {
    auto held = [&op](ListViewState *s) -> LRESULT {
        StateHold hold(s);  // the host may destroy the window inside the call
        return static_cast<LRESULT>(op(s));
    };
    if (ListViewState *s = hwnd ? RememberedState(hwnd) : nullptr) return held(s);
    const Owner owner = OwnerOf(hwnd);
    if (owner == Owner::kNone || !IsListView(hwnd)) return 0;
    // The owner thread looks the state up itself: a window destroyed
    // before it gets there refuses the call in the same way.
    if (owner == Owner::kAnotherThread) return ForwardToOwner(hwnd, held);
    ListViewState *s = StateOf(hwnd);
    if (!s) return 0;
    RememberState(hwnd, s);
    return held(s);
}

// The same for an operation whose export gives a fixed result.
template <typename Op>
void WithStateDo(HWND hwnd, Op op) {
    WithState(hwnd, [&op](ListViewState *s) {
        op(s);
        return 0;
    });
}

}  // namespace

extern "C" {

int ZUBOAPI InitZubolist(void) { return RegisterListViewClass(); }

int ZUBOAPI Zubolist_SetFont(HWND hwnd, HFONT font) {
    return WithState(hwnd, [font](ListViewState *s) { return ApplyFont(s, font) ? 1 : 0; });
}

int ZUBOAPI Zubolist_CursorUp(HWND hwnd) { return WithState(hwnd, CursorUp); }
int ZUBOAPI Zubolist_CursorDown(HWND hwnd) { return WithState(hwnd, CursorDown); }
int ZUBOAPI Zubolist_CursorPageUp(HWND hwnd) { return WithState(hwnd, CursorPageUp); }
int ZUBOAPI Zubolist_CursorPageDown(HWND hwnd) { return WithState(hwnd, CursorPageDown); }
int ZUBOAPI Zubolist_CursorEnd(HWND hwnd) { return WithState(hwnd, CursorEnd); }
int ZUBOAPI Zubolist_CursorTop(HWND hwnd) { return WithState(hwnd, CursorTop); }

int ZUBOAPI Zubolist_MarkAll(HWND hwnd) { return WithState(hwnd, MarkAll); }
int ZUBOAPI Zubolist_MarkClearAll(HWND hwnd) { return WithState(hwnd, MarkClearAll); }
int ZUBOAPI Zubolist_MarkInvertAll(HWND hwnd) { return WithState(hwnd, MarkInvertAll); }

int ZUBOAPI Zubolist_MarkSet(HWND hwnd, int status) {
    WithStateDo(hwnd, [status](ListViewState *s) { MarkSet(s, status != 0); });
    return status;
}

int ZUBOAPI Zubolist_MarkInvert(HWND hwnd) {
    WithStateDo(hwnd, MarkInvert);
    return 0;
}

int ZUBOAPI Zubolist_MarkInvertAndDown(HWND hwnd) { return WithState(hwnd, MarkInvertAndDown); }

int ZUBOAPI Zubolist_EnumMark(HWND hwnd, ZubolistWalkProc walk, void *user) {
    return WithState(hwnd, [=](ListViewState *s) { return EnumEntries(s, true, walk, user); });
}

int ZUBOAPI Zubolist_EnumAll(HWND hwnd, ZubolistWalkProc walk, void *user) {
    return WithState(hwnd, [=](ListViewState *s) { return EnumEntries(s, false, walk, user); });
}

int ZUBOAPI Zubolist_MarkMatchWildcard(HWND hwnd, const char *pattern, int ignoreCase) {
    return WithState(hwnd, [=](ListViewState *s) {
        return MarkMatchWildcard(s, pattern, ignoreCase != 0);
    });
}

int ZUBOAPI Zubolist_GetListNum(HWND hwnd) { return WithState(hwnd, EntryCount); }

GdirlistEntry *ZUBOAPI Zubolist_GetDataPtr(HWND hwnd) {
    return reinterpret_cast<GdirlistEntry *>(WithState(hwnd, [](ListViewState *s) {
        return reinterpret_cast<LRESULT>(Gdirlist_GetDataPtrCursor(s->shownList));
    }));
}

int ZUBOAPI Zubolist_Add(HWND hwnd, const GdirlistEntry *entry) {
    return WithState(hwnd, [entry](ListViewState *s) { return AddEntry(s, entry); });
}

int ZUBOAPI Zubolist_Sort(HWND hwnd, GdirlistCompareProc compare, ZuboUserValue user) {
    return WithState(hwnd, [=](ListViewState *s) {
        if (!compare) return 0;
        SortEntries(s, compare, user);
        return 1;
    });
}

int ZUBOAPI Zubolist_RemoveData(HWND hwnd) { return WithState(hwnd, RemoveEntry); }
int ZUBOAPI Zubolist_RestoreData(HWND hwnd) { return WithState(hwnd, RestoreEntry); }

int ZUBOAPI Zubolist_DeleteAll(HWND hwnd) {
    WithStateDo(hwnd, DeleteAll);
    return 0;
}

int ZUBOAPI Zubolist_MarkDeleteAll(HWND hwnd) {
    WithStateDo(hwnd, DeleteMarked);
    return 0;
}

int ZUBOAPI Zubolist_MarkCopyClipboard(HWND hwnd) {
    WithStateDo(hwnd, CopyMarkedToClipboard);
    return 0;
}

int ZUBOAPI Zubolist_InsertFromClipboard(HWND hwnd) {
    return WithState(hwnd, [](ListViewState *s) { return InsertFromClipboard(s) ? 1 : 0; });
}

int ZUBOAPI Zubolist_AddListFile(HWND hwnd, const char *path) {
    return WithState(hwnd, [path](ListViewState *s) { return AddListFile(s, path); });
}

int ZUBOAPI Zubolist_SaveListFile(HWND hwnd, const char *path) {
    return WithState(hwnd, [path](ListViewState *s) { return SaveListFile(s, path); });
}

int ZUBOAPI Zubolist_MarkAllSaveListFile(HWND hwnd, const char *path) {
    return WithState(hwnd, [path](ListViewState *s) { return SaveMarkedListFile(s, path) ? 1 : 0; });
}

}  // extern "C"
