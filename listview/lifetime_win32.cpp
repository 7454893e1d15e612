// The life of a list view's state (see lifetime_win32.h).
#include "listview/lifetime_win32.h"

#include <stdlib.h>

#include "listview/accessible_win32.h"
#include "listview/view_lookup_win32.h"

namespace zubo::listview {

void FreeState(ListViewState *s) {
    if (s->redBrush) DeleteObject(s->redBrush);
    Gdirlist_Release(s->shownList);
    Gdirlist_Release(s->removedList);
    free(s);
}

void EndLife(HWND hwnd, ListViewState *s) {
    SetWindowLongPtrA(hwnd, 0, 0);  // later messages and calls find no state
    ForgetState(hwnd);
    // Clients may keep the accessible object: it answers that the view is
    // gone from now on.
    DisconnectAccessible(s);
    ViewLife &life = LifeOf(s);
    life.destroyed = true;
    // The window procedure holds the state while it handles WM_DESTROY, so
    // the release of the last hold frees it.
    if (life.holds == 0) FreeState(s);
}

}  // namespace zubo::listview
