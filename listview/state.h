// The per-window state of a "ZUBOLIST" list view and the operations that
// the window procedure, the cursor, mark and editing code share.
#ifndef ZUBO_LISTVIEW_STATE_H
#define ZUBO_LISTVIEW_STATE_H

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

#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(ListViewState) == 68, "state record: seventeen 32-bit fields");
static_assert(offsetof(ListViewState, font) == 16, "state record layout");
static_assert(offsetof(ListViewState, topRow) == 44, "state record layout");
static_assert(offsetof(ListViewState, pageRows) == 64, "state record layout");
#endif

namespace zubo {

// The state of a list view window; null for a window that is not one of
// ours or whose creation failed.
ListViewState *StateOf(HWND hwnd);

// Runs op on the state of a list view window; 0 for any other window.
template <typename Op>
int WithState(HWND hwnd, Op op) {
    ListViewState *s = StateOf(hwnd);
    return s ? op(s) : 0;
}

inline int32_t CursorPos(const ListViewState *s) { return Gdirlist_GetCurPos(s->shownList); }
inline int32_t EntryCount(const ListViewState *s) { return Gdirlist_GetSize(s->shownList); }

// Window (window.cpp).
int32_t ApplyFont(ListViewState *s, HFONT font);
void LayoutView(ListViewState *s);
void SetTopRow(ListViewState *s, int32_t n);
inline ColumnWidths ColumnsOf(const ListViewState *s) {
    return ColumnWidths{s->nameWidth, s->name2Width, s->num1Width, s->num2Width};
}

// Cursor and repaint (navigation.cpp).
int32_t KeepCursorVisible(ListViewState *s, int32_t a);
void InvalidateRows(ListViewState *s, int32_t first, int32_t last);
inline void InvalidateAll(ListViewState *s) { InvalidateRect(s->hwnd, nullptr, TRUE); }
void NotifyParent(ListViewState *s, int code);
int32_t CursorDown(ListViewState *s);
void LeftButtonDown(ListViewState *s, LPARAM lParam);
void RightButtonDown(ListViewState *s, LPARAM lParam);

// Keyboard (keymap.cpp).
void HandleKey(ListViewState *s, WPARAM key);

}  // namespace zubo

#endif
