// Cursor movement and the mouse buttons.
#ifndef ZUBO_LISTVIEW_NAVIGATION_WIN32_H
#define ZUBO_LISTVIEW_NAVIGATION_WIN32_H

#include <windows.h>

#include <stdint.h>

#include "listview/state_win32.h"

namespace zubo::listview {

// Each moves the cursor, keeps it visible, repaints and sends
// ZLN_CURSORMOVE, and returns the cursor index afterwards; at its limit
// nothing happens and the index is returned unchanged.
int32_t CursorUp(ListViewState *s);
int32_t CursorDown(ListViewState *s);
int32_t CursorPageUp(ListViewState *s);
int32_t CursorPageDown(ListViewState *s);
int32_t CursorEnd(ListViewState *s);
int32_t CursorTop(ListViewState *s);

// WM_LBUTTONDOWN: a click on the cursor row activates it, a click on
// another row (the end row included) puts the cursor there.
void LeftButtonDown(ListViewState *s, LPARAM lParam);
// WM_RBUTTONDOWN: inverts the mark of the entry clicked on.
void RightButtonDown(ListViewState *s, LPARAM lParam);

}  // namespace zubo::listview

#endif
