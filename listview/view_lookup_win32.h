// The list views this thread has called lately, with their states, so that
// a further call on one of them finds its state without asking the system
// (under wine each window query costs about as much as the operation it
// guards). A view is remembered only after the full check found it to be
// a live list view owned by this thread, and forgotten when it is
// destroyed, which happens on this same thread; a handle the system hands
// out again is therefore always checked afresh.
#ifndef ZUBO_LISTVIEW_VIEW_LOOKUP_WIN32_H
#define ZUBO_LISTVIEW_VIEW_LOOKUP_WIN32_H

#include <windows.h>

#include "listview/state_win32.h"

namespace zubo::listview {

// The remembered state of a view of this thread, or null.
ListViewState *RememberedState(HWND hwnd);
void RememberState(HWND hwnd, ListViewState *s);
// WM_DESTROY, on the owner thread: the handle no longer names this view.
void ForgetState(HWND hwnd);

}  // namespace zubo::listview

#endif
