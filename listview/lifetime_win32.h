// The life of a list view's state: created by WM_CREATE, ended by
// WM_DESTROY, and freed when no message or exported call is still at work
// on it. Every entry into the state (the window procedure, each exported
// function) holds it for its duration with a StateHold.
#ifndef ZUBO_LISTVIEW_LIFETIME_WIN32_H
#define ZUBO_LISTVIEW_LIFETIME_WIN32_H

#include "listview/state_win32.h"

namespace zubo::listview {

// Frees the state and everything it owns (its lists and its red brush).
void FreeState(ListViewState *s);

// WM_DESTROY: detaches the state from the window, so that later messages
// and calls find none, and frees it once the last hold is released.
void EndLife(HWND hwnd, ListViewState *s);

class StateHold {
public:
    explicit StateHold(ListViewState *s) : s_(s) { ++LifeOf(s_).holds; }
    ~StateHold() {
        ViewLife &life = LifeOf(s_);
        if (--life.holds == 0 && life.destroyed) FreeState(s_);
    }
    StateHold(const StateHold &) = delete;
    StateHold &operator=(const StateHold &) = delete;

private:
    ListViewState *s_;
};

}  // namespace zubo::listview

#endif
