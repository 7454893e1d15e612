// The step after every change to a list view: keeping the cursor visible,
// the scroll bar, repaint requests and the parent's notifications.
#ifndef ZUBO_LISTVIEW_UPDATE_WIN32_H
#define ZUBO_LISTVIEW_UPDATE_WIN32_H

#include <windows.h>

#include <stdint.h>

#include "listview/change.h"
#include "listview/state_win32.h"

namespace zubo::listview {

// Brings the view up to date after a change: first the view (scroll bar,
// keep-visible rule or back to row 0), then the repaint requests, then the
// accessibility clients' events (winevents_win32.h), then ZLN_CURSORMOVE to
// the parent when the cursor moved. Does nothing for a destroyed window;
// callers check Destroyed before going on after it.
void ApplyChange(ListViewState *s, const ViewChange &change);

// Moves the view so that the cursor row is on screen, with a one-row margin
// where the page allows; false when the view scrolled (everything is then
// repainted), true when the top row stayed.
bool KeepCursorVisible(ListViewState *s, int32_t cursor);
// Asks for a repaint of rows first ... last, as far as they are on screen;
// a negative first row stands for the whole window. Neither asks for
// anything while redrawing is off (WM_SETREDRAW).
void InvalidateRows(ListViewState *s, int32_t first, int32_t last);
inline void InvalidateAll(ListViewState *s) {
    if (!DrawingOf(s).redrawOff) InvalidateRect(s->hwnd, nullptr, TRUE);
}
// Sends WM_COMMAND with the code to the parent window, if there is one.
// False when the window was destroyed meanwhile (the parent may close the
// view from any notification): the caller then does nothing more.
[[nodiscard]] bool NotifyParent(ListViewState *s, int code);

}  // namespace zubo::listview

#endif
