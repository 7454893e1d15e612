// The list view as an accessible list for Microsoft Active Accessibility
// clients (screen readers): the IAccessible object that WM_GETOBJECT
// hands out for OBJID_CLIENT. The list is ROLE_SYSTEM_LIST, named by the
// window text; each entry is a ROLE_SYSTEM_LISTITEM child named by its row
// text as shown; the marks are the selection and the cursor is the focus
// (accessible.h numbers the children; winevents_win32.h raises the events).
//
// The object lives on its own (clients hold references to it) and reaches
// the view only through a link that the window clears when it is
// destroyed; from then on every method answers RPC_E_DISCONNECTED. Methods
// may be called on any thread (a client in the process may hold the object
// itself); each one does its work on the window's thread, as the exported
// functions do (owner_thread_win32.h), holding the state meanwhile.
#ifndef ZUBO_LISTVIEW_ACCESSIBLE_WIN32_H
#define ZUBO_LISTVIEW_ACCESSIBLE_WIN32_H

#include <windows.h>

#include "listview/state_win32.h"

namespace zubo::listview {

// WM_GETOBJECT: for OBJID_CLIENT, the view's object (made on the first
// request, when the system's accessibility libraries are loaded) as
// LresultFromObject gives it; anything else, and any failure, takes the
// default path.
LRESULT AnswerGetObject(ListViewState *s, WPARAM wParam, LPARAM lParam);

// When the window is destroyed: the object, if any, is cut off from the
// view and loses the window's reference.
void DisconnectAccessible(ListViewState *s);

}  // namespace zubo::listview

#endif
