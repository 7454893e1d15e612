// The per-window state of a "ZUBOLIST" list view, which every part of the
// window code works on. Each part declares its operations in its own header
// (window_win32.h, update_win32.h, navigation_win32.h, marks_win32.h,
// editing_win32.h, clipboard_win32.h, keymap_win32.h, accessible_win32.h,
// winevents_win32.h); all of them take the
// state of a live list view. Finding that state from a window handle, and
// refusing other windows, is the exported functions' business
// (exports_win32.cpp).
#ifndef ZUBO_LISTVIEW_STATE_WIN32_H
#define ZUBO_LISTVIEW_STATE_WIN32_H

#include <windows.h>

#include <stddef.h>
#include <stdint.h>

#include "listview/geometry.h"
#include "zubo.h"

struct ListViewState {
    HWND hwnd;
    int32_t ctrlId;          // notifications carry its low 16 bits
    Gdirlist *shownList;     // its cursor is the view's cursor
    Gdirlist *removedList;   // stack of removed entries, latest last
    HFONT font;              // the host's; never deleted here
    int32_t charWidth;       // pixels per character cell
    int32_t lineHeight;      // pixels per row, never 0
    HBRUSH redBrush;         // owned
    HBRUSH blackBrush;       // stock
    HBRUSH whiteBrush;       // stock
    HBRUSH eraseBrush;       // system colour COLOR_APPWORKSPACE + 1
    int32_t topRow;
    int32_t nameWidth;
    int32_t name2Width;
    int32_t num1Width;
    int32_t num2Width;
    int32_t pageRows;
};

// Layout frozen in the 32-bit DLL: window long 0 hands this record to
// whoever asks, and tools written against that DLL read it at these offsets.
#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(ListViewState) == 68, "state record: seventeen 32-bit fields");
static_assert(offsetof(ListViewState, font) == 16, "state record layout");
static_assert(offsetof(ListViewState, topRow) == 44, "state record layout");
static_assert(offsetof(ListViewState, pageRows) == 64, "state record layout");
#endif

namespace zubo::listview {

// What a window keeps beside its frozen record: it follows the record in
// the same allocation, so window long 0 still points at the record.
struct ViewDrawing {
    // WM_SETREDRAW FALSE: nothing is drawn or asked to be repainted until
    // it is turned back on, which repaints everything once.
    bool redrawOff;
    // The scroll bar's area is invalid and is drawn with the next paint;
    // until then further changes to the bar need no new request.
    bool barPending;
    // The bar as it was last drawn (cbSize 0: not drawn yet).
    SCROLLBARINFO barDrawn;
};
// How long the state lives. Whoever receives a message the view sends (its
// parent, a host's callback) may destroy the window while the view is still
// inside one of its own operations further up the stack; the state then
// stays allocated until the outermost of them has returned, and each of
// them stops at its next look at `destroyed` (lifetime_win32.h).
struct ViewLife {
    int32_t holds;   // messages and exported calls under way on this state
    bool destroyed;  // WM_DESTROY came: nothing more is done for the window
};
class AccessibleView;
// What the window keeps for accessibility clients (accessible_win32.h,
// winevents_win32.h).
struct ViewAccess {
    // Made on the first WM_GETOBJECT and kept, with one reference of the
    // window's own, until the window is destroyed; null until a client asks.
    AccessibleView *object;
    bool focused;  // between WM_SETFOCUS and WM_KILLFOCUS
    // The cursor row last announced as focused, and the entry it showed
    // (null: the end row).
    int32_t focusRow;
    const GdirlistEntry *focusEntry;
};
struct ListViewWindow {
    ListViewState state;
    ViewDrawing drawing;
    ViewLife life;
    ViewAccess access;
};
inline ViewDrawing &DrawingOf(ListViewState *s) {
    return reinterpret_cast<ListViewWindow *>(s)->drawing;
}
inline ViewLife &LifeOf(ListViewState *s) { return reinterpret_cast<ListViewWindow *>(s)->life; }
inline ViewAccess &AccessOf(ListViewState *s) {
    return reinterpret_cast<ListViewWindow *>(s)->access;
}
// True once the window has been destroyed; an operation that sent a
// message or called a host's routine checks it before it goes on.
inline bool Destroyed(ListViewState *s) { return LifeOf(s).destroyed; }

inline int32_t CursorPos(const ListViewState *s) { return Gdirlist_GetCurPos(s->shownList); }
inline int32_t EntryCount(const ListViewState *s) { return Gdirlist_GetSize(s->shownList); }
inline ColumnWidths ColumnsOf(const ListViewState *s) {
    return ColumnWidths{s->nameWidth, s->name2Width, s->num1Width, s->num2Width};
}

}  // namespace zubo::listview

#endif
