// An accessibility client in a process of its own, as a screen reader is:
// it reads a list view of another process through the view's accessible
// object and follows the view's WinEvents with an out-of-context hook. Its
// argument is the view's handle in decimal. Commands come one a line on
// standard input; each is answered on standard output, ending with a line
// ".":
//   read N    the description of the view and its first N rows (Describe)
//   hook      follows the events of the view's process from now on
//   events N [MS]
//             waits (MS milliseconds, 10 s unless given) for N events of the
//             view's client area and prints each as AccessibleObjectFromEvent
//             resolves it: event, child id, the child it resolves to and that
//             child's name
//   dead      calls on the object that "read" got, printing their results
//   quit
#include <windows.h>
#include <fcntl.h>
#include <io.h>
#include <oleacc.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

#include "listview/accessible_test_support_win32.h"

using namespace zubo_test;

namespace {

HWND g_view;
std::vector<std::string> g_events;

void CALLBACK OnEvent(HWINEVENTHOOK, DWORD event, HWND hwnd, LONG object, LONG child, DWORD,
                      DWORD) {
    const char *name = EventName(event);
    if (hwnd != g_view || object != OBJID_CLIENT || !name) return;
    // Resolving waits for the view's process, and meanwhile the next event
    // may come in: each takes its place first.
    const size_t slot = g_events.size();
    g_events.emplace_back();
    IAccessible *acc = nullptr;
    VARIANT v;
    VariantInit(&v);
    std::string line = std::string(name) + " " + std::to_string(child);
    if (SUCCEEDED(AccessibleObjectFromEvent(hwnd, object, child, &acc, &v)) && acc) {
        line += " -> " + (v.vt == VT_I4 ? std::to_string(v.lVal) : "?") + " " +
                Name(acc, v.vt == VT_I4 ? v.lVal : 0);
        acc->Release();
    } else {
        line += " -> unresolved";
    }
    g_events[slot] = line;
}

void WaitForEvents(size_t n, DWORD ms) {
    const DWORD end = GetTickCount() + ms;
    while (g_events.size() < n && GetTickCount() < end) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    }
}

std::string Dead(IAccessible *acc) {
    if (!acc) return "no object\n";
    long count = 0;
    BSTR name = nullptr;
    VARIANT v;
    std::string s = "count " + Hex(acc->get_accChildCount(&count));
    s += " name " + Hex(acc->get_accName(Child(1), &name));
    s += " state " + Hex(acc->get_accState(Child(0), &v));
    s += " action " + Hex(acc->accDoDefaultAction(Child(1)));
    SysFreeString(name);
    return s + "\n";
}

}  // namespace

int main(int argc, char **argv) {
    if (argc < 2) return 2;
    g_view = reinterpret_cast<HWND>(static_cast<UINT_PTR>(strtoull(argv[1], nullptr, 10)));
    _setmode(_fileno(stdout), _O_BINARY);  // lines end in LF alone
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    DWORD process = 0;
    GetWindowThreadProcessId(g_view, &process);
    Ref<IAccessible> held;
    HWINEVENTHOOK hook = nullptr;
    char line[256];
    while (fgets(line, sizeof line, stdin)) {
        std::string out;
        char *rest = strchr(line, ' ');
        const long n = rest ? strtol(rest, &rest, 10) : 0;
        const long ms = rest ? strtol(rest, nullptr, 10) : 0;
        if (!strncmp(line, "read", 4)) {
            const HRESULT hr = AccessibleObjectFromWindow(
                g_view, static_cast<DWORD>(OBJID_CLIENT), kIidAccessible,
                reinterpret_cast<void **>(held.Out()));
            out = held ? Describe(held.get(), n) : "no object " + Hex(hr) + "\n";
        } else if (!strncmp(line, "hook", 4)) {
            hook = SetWinEventHook(EVENT_OBJECT_CREATE, EVENT_OBJECT_NAMECHANGE, nullptr, OnEvent,
                                   process, 0, WINEVENT_OUTOFCONTEXT);
            out = hook ? "hooked\n" : "no hook\n";
        } else if (!strncmp(line, "events", 6)) {
            WaitForEvents(static_cast<size_t>(n), ms > 0 ? static_cast<DWORD>(ms) : 10000);
            for (const std::string &e : g_events) out += e + "\n";
            g_events.clear();
        } else if (!strncmp(line, "dead", 4)) {
            out = Dead(held.get());
        } else if (!strncmp(line, "quit", 4)) {
            break;
        }
        printf("%s.\n", out.c_str());
        fflush(stdout);
    }
    held.Reset();
    if (hook) UnhookWinEvent(hook);
    CoUninitialize();
    return 0;
}
