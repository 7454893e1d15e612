// Remembered list views, per thread (see view_lookup_win32.h).
#include "listview/view_lookup_win32.h"

namespace zubo::listview {
namespace {

struct KnownView {
    HWND hwnd;
    ListViewState *state;
};

// A few views cover a host that works on several at once; the oldest
// entry gives way to a new one.
constexpr int kKnownViews = 4;
thread_local KnownView t_known[kKnownViews];
thread_local int t_next;

}  // namespace

ListViewState *RememberedState(HWND hwnd) {
    for (const KnownView &k : t_known)
        if (k.hwnd == hwnd) return k.state;
    return nullptr;
}

void RememberState(HWND hwnd, ListViewState *s) {
    t_known[t_next] = {hwnd, s};
    t_next = (t_next + 1) % kKnownViews;
}

void ForgetState(HWND hwnd) {
    for (KnownView &k : t_known)
        if (k.hwnd == hwnd) k = {nullptr, nullptr};
}

}  // namespace zubo::listview
