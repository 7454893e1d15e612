// Exported calls made on a thread other than the one that owns the window.
// A list view's state is the owner thread's alone (it paints from it, and
// the host's parent and callbacks expect that thread), so such a call is
// carried over to the owner with SendMessage, as the system does with
// messages to a control, and its result comes back the same way.
#ifndef ZUBO_LISTVIEW_OWNER_THREAD_WIN32_H
#define ZUBO_LISTVIEW_OWNER_THREAD_WIN32_H

#include <windows.h>

#include "listview/state_win32.h"

namespace zubo::listview {

// The private message that carries a call; wParam names it.
constexpr UINT kForwardedCallMessage = WM_USER + 0x5A42;

// Where a window stands for the calling thread.
enum class Owner {
    kNone,          // not a window, or one of another process
    kThisThread,    // the caller owns it
    kAnotherThread  // a window of this process on another thread
};
Owner OwnerOf(HWND hwnd);

// A call waiting for the owner thread: run(state, op) on that thread.
struct ForwardedCall {
    HWND hwnd;
    LRESULT (*run)(ListViewState *s, void *op);
    void *op;
    ForwardedCall *next;  // in the list of calls under way
};

// Sends the call to the window's owner thread and returns its result; 0
// when the window is gone before the owner takes it.
LRESULT SendToOwner(ForwardedCall *call);

// The owner's side, from the window procedure: runs the call named by
// wParam. False (nothing run) when wParam names no call under way for this
// window: such a message did not come from SendToOwner, and its wParam
// is not followed.
bool RunForwardedCall(ListViewState *s, WPARAM wParam, LRESULT *result);

// Carries op (callable with the state) out on the owner thread of the
// window, whose state is looked up there.
template <typename Op>
LRESULT ForwardToOwner(HWND hwnd, Op &op) {
    ForwardedCall call{hwnd,
                       [](ListViewState *s, void *p) -> LRESULT {
                           return static_cast<LRESULT>((*static_cast<Op *>(p))(s));
                       },
                       &op, nullptr};
    return SendToOwner(&call);
}

}  // namespace zubo::listview

#endif
