// Exported calls carried over to the window's owner thread.
#include "listview/owner_thread_win32.h"

namespace zubo::listview {
namespace {

// The calls under way from every thread of the process. A message of our
// number whose wParam is not among them is not followed: the message may
// come from another process, where a pointer means nothing here. The list
// is short (one entry per waiting thread) and each lock is held for a few
// instructions, so a spin lock does.
ForwardedCall *g_calls;
volatile LONG g_callsLock;

class CallsLock {
public:
    CallsLock() {
        while (InterlockedExchange(&g_callsLock, 1) != 0) Sleep(0);
    }
    ~CallsLock() { InterlockedExchange(&g_callsLock, 0); }
    CallsLock(const CallsLock &) = delete;
    CallsLock &operator=(const CallsLock &) = delete;
};

void Enlist(ForwardedCall *call) {
    CallsLock lock;
    call->next = g_calls;
    g_calls = call;
}

void Delist(ForwardedCall *call) {
    CallsLock lock;
    for (ForwardedCall **p = &g_calls; *p; p = &(*p)->next)
        if (*p == call) {
            *p = call->next;
            return;
        }
}

bool UnderWay(const ForwardedCall *call, HWND hwnd) {
    CallsLock lock;
    for (const ForwardedCall *c = g_calls; c; c = c->next)
        if (c == call) return c->hwnd == hwnd;
    return false;
}

}  // namespace

Owner OwnerOf(HWND hwnd) {
    DWORD process = 0;
    const DWORD thread = hwnd ? GetWindowThreadProcessId(hwnd, &process) : 0;
    if (!thread || process != GetCurrentProcessId()) return Owner::kNone;
    return thread == GetCurrentThreadId() ? Owner::kThisThread : Owner::kAnotherThread;
}

LRESULT SendToOwner(ForwardedCall *call) {
    Enlist(call);
    const LRESULT result =
        SendMessageA(call->hwnd, kForwardedCallMessage, reinterpret_cast<WPARAM>(call), 0);
    Delist(call);
    return result;
}

bool RunForwardedCall(ListViewState *s, WPARAM wParam, LRESULT *result) {
    ForwardedCall *call = reinterpret_cast<ForwardedCall *>(wParam);
    // The sender waits in SendToOwner until we return, so the record stays
    // valid while it runs.
    if (!UnderWay(call, s->hwnd)) return false;
    *result = call->run(s, call->op);
    return true;
}

}  // namespace zubo::listview
