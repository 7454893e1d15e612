// Cursor movement and the mouse buttons.
#ifndef ZUBO_LISTVIEW_NAVIGATION_WIN32_H
#define ZUBO_LISTVIEW_NAVIGATION_WIN32_H

#include <windows.h>

#include <stdint.h>

#include "listview/change.h"
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
// CursorDown after the marks of `marksChanged` changed: the same change
// tells of them.
int32_t CursorDownAfterMarking(ListViewState *s, RowSet marksChanged);
// To any row (the end row included), keeping it visible; nothing when the
// cursor is there already or the row does not exist.
int32_t CursorTo(ListViewState *s, int32_t row);

// What Enter does: ZLN_ACTIVATE to the parent, then one row down (unless
// the parent destroyed the view).
void ActivateAndStepDown(ListViewState *s);

// WM_LBUTTONDOWN: a click on the cursor row activates it, a click on
// another row (the end row included) puts the cursor there.
void LeftButtonDown(ListViewState *s, LPARAM lParam);
// WM_RBUTTONDOWN: inverts the mark of the entry clicked on.
void RightButtonDown(ListViewState *s, LPARAM lParam);

}  // namespace zubo::listview

#endif
