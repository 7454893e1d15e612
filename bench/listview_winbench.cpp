// The list view under wine with 100k entries, beside a plain record list
// filled with the same entries and the system list view (comctl32
// SysListView32, report view, one column, items held by the control)
// filled with the same rows and repainted, in the same run; and with and
// without an accessibility client. Each comparison runs its two sides in
// alternating rounds (winbench.h).
#include <windows.h>
#include <commctrl.h>
#include <oleacc.h>

#include <stdio.h>
#include <string.h>

#include <atomic>
#include <memory>
#include <string>

#include "bench/winbench.h"
#include "zubo.h"

namespace {

constexpr int kRows = 100000;
constexpr int kPageRows = 40;

HWND Parent() {
    static HWND parent = [] {
        InitZubolist();
        INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_LISTVIEW_CLASSES};
        InitCommonControlsEx(&icc);
        WNDCLASSA wc = {};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "ZuboBenchParent";
        RegisterClassA(&wc);
        return CreateWindowA("ZuboBenchParent", "bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                             1000, 900, nullptr, nullptr, nullptr, nullptr);
    }();
    return parent;
}

void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

int LineHeight() {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, GetStockObject(SYSTEM_FIXED_FONT));
    TEXTMETRICA tm;
    GetTextMetricsA(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return tm.tmHeight;
}

// The texts of row i, the same in both controls.
struct Row {
    char name[16], name2[16];
};
Row RowTexts(int i) {
    Row r;
    snprintf(r.name, sizeof r.name, "song%06d", i);
    snprintf(r.name2, sizeof r.name2, "song%06d.gp4", i);
    return r;
}
const char kComment[] = "a comment of some length";

HWND NewZubolist() {
    HWND v = CreateWindowA("ZUBOLIST", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL, 0, 0, 800,
                           kPageRows * LineHeight(), Parent(), reinterpret_cast<HMENU>(1),
                           nullptr, nullptr);
    Pump();
    return v;
}

void FillZubolist(HWND v, int rows = kRows) {
    for (int i = 0; i < rows; ++i) {
        Row r = RowTexts(i);
        GdirlistEntry e = {r.name, r.name2, i, rows - i, const_cast<char *>(kComment), 0};
        Zubolist_Add(v, &e);
    }
}

void Repaint(HWND v) {
    InvalidateRect(v, nullptr, TRUE);
    UpdateWindow(v);
}

// Filling a shown view, and filling it the way hosts fill a list view in
// bulk: with redrawing switched off (WM_SETREDRAW) until the end. The time
// includes the paint that the fill leaves pending (UpdateWindow), so a
// deferred redraw is paid for.
void FillTimed(winbench::State &state, HWND (*make)(), void (*fill)(HWND), bool quiet) {
    for (auto _ : state) {
        state.PauseTiming();
        HWND v = make();
        state.ResumeTiming();
        if (quiet) SendMessageA(v, WM_SETREDRAW, FALSE, 0);
        fill(v);
        if (quiet) SendMessageA(v, WM_SETREDRAW, TRUE, 0);
        UpdateWindow(v);
        state.PauseTiming();
        DestroyWindow(v);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}

void FillZubolist100k(HWND v) { FillZubolist(v); }

void BM_Zubolist_Fill100k(winbench::State &state) {
    FillTimed(state, NewZubolist, FillZubolist100k, false);
}

// The same entries added to a record list of their own, which no window
// shows: the floor for a shown fill.
void BM_Gdirlist_Fill100k(winbench::State &state) {
    for (auto _ : state) {
        state.PauseTiming();
        Gdirlist *list = CreateGdirlist();
        state.ResumeTiming();
        for (int i = 0; i < kRows; ++i) {
            Row r = RowTexts(i);
            GdirlistEntry e = {r.name, r.name2, i, kRows - i, const_cast<char *>(kComment), 0};
            Gdirlist_Add(list, &e);
        }
        state.PauseTiming();
        Gdirlist_Release(list);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
WINBENCH_VERSUS(BM_Zubolist_Fill100k, BM_Gdirlist_Fill100k);

void BM_Zubolist_Fill100k_NoRedraw(winbench::State &state) {
    FillTimed(state, NewZubolist, FillZubolist100k, true);
}

struct FilledZubolist {
    HWND view = NewZubolist();
    FilledZubolist() {
        FillZubolist(view);
        // Somewhere in the middle, so that painting starts from a cursor
        // far from either end.
        for (int i = 0; i < 10; ++i) Zubolist_CursorPageDown(view);
        Repaint(view);
    }
    ~FilledZubolist() { DestroyWindow(view); }
};

void BM_Zubolist_FullPaint(winbench::State &state) {
    FilledZubolist z;
    for (auto _ : state) Repaint(z.view);
    state.counters["rows"] = kPageRows;
}

// An accessibility client, as a screen reader is one: it asks for a view's
// accessible object (which the view then keeps, raising the events about
// its rows), and it may hook every WinEvent of the process out of context,
// on a thread of its own that takes them from its message queue.
const IID kIidAccessible = {0x618736E0, 0x3C3D, 0x11CF,
                            {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};

std::atomic<long> g_eventsHeard{0};

void CALLBACK HearEvent(HWINEVENTHOOK, DWORD, HWND, LONG, LONG, DWORD, DWORD) {
    ++g_eventsHeard;
}

// Wine keeps a thread's view of the installed hooks until the thread sets
// or removes a hook itself: without this, events raised after another
// thread hooked them would be dropped, and after it unhooked them still
// sent to the server.
void RefreshHookView() {
    UnhookWinEvent(SetWinEventHook(EVENT_MIN, EVENT_MIN, nullptr, HearEvent, 0, 0,
                                   WINEVENT_OUTOFCONTEXT));
}

class HookThread {
public:
    HookThread() : ready_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
        thread_ = CreateThread(nullptr, 0, Run, this, 0, &id_);
        WaitForSingleObject(ready_, INFINITE);
        RefreshHookView();
    }
    ~HookThread() {
        PostThreadMessageA(id_, WM_QUIT, 0, 0);
        WaitForSingleObject(thread_, INFINITE);
        CloseHandle(thread_);
        CloseHandle(ready_);
        RefreshHookView();
    }

private:
    static DWORD WINAPI Run(void *p) {
        HookThread *self = static_cast<HookThread *>(p);
        HWINEVENTHOOK hook = SetWinEventHook(EVENT_MIN, EVENT_MAX, nullptr, HearEvent,
                                             GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
        MSG msg;
        PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);  // the queue exists before anything comes
        SetEvent(self->ready_);
        while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
        UnhookWinEvent(hook);
        return 0;
    }
    HANDLE ready_;
    HANDLE thread_;
    DWORD id_ = 0;
};

IAccessible *AskForObject(HWND view) {
    IAccessible *acc = nullptr;
    AccessibleObjectFromWindow(view, static_cast<DWORD>(OBJID_CLIENT), kIidAccessible,
                               reinterpret_cast<void **>(&acc));
    return acc;
}

enum class Client : uint8_t {
    kNone,       // nobody asked for the view's object, nobody hooks events
    kAsked,      // a client asked for the object; nobody hooks events
    kListening,  // a client asked, and hooks every event
};

// The client's side for one view, from its construction to its end.
class ClientOf {
public:
    ClientOf(HWND view, Client c)
        : hook_(c == Client::kListening ? new HookThread : nullptr),
          acc_(c == Client::kNone ? nullptr : AskForObject(view)) {
        RefreshHookView();
    }
    ~ClientOf() {
        if (acc_) acc_->Release();
    }
    ClientOf(const ClientOf &) = delete;
    ClientOf &operator=(const ClientOf &) = delete;
    IAccessible *Object() const { return acc_; }

private:
    std::unique_ptr<HookThread> hook_;
    IAccessible *acc_;
};

// Steps between two rows in the middle of the page, so that no step
// scrolls: each one invalidates two rows, which are repainted when paint is
// set, and otherwise left for a paint that never comes in the loop. With
// the view focused, each step also raises the focus event for the new
// cursor row, which the client, if any, may hear.
void StepBetweenTwoRows(winbench::State &state, bool paint, bool focused = false,
                        Client client = Client::kNone) {
    FilledZubolist z;
    ClientOf c(z.view, client);
    if (focused) {
        SetForegroundWindow(Parent());
        SetFocus(z.view);
    }
    Zubolist_CursorUp(z.view);
    Repaint(z.view);
    const long heard = g_eventsHeard;
    for (auto _ : state) {
        for (int i = 0; i < 1000; ++i) {
            if (i % 2)
                Zubolist_CursorUp(z.view);
            else
                Zubolist_CursorDown(z.view);
            if (paint) UpdateWindow(z.view);
        }
    }
    ValidateRect(z.view, nullptr);
    if (focused) SetFocus(nullptr);
    state.SetItemsProcessed(state.iterations() * 1000);
    if (client == Client::kListening)
        state.counters["events_heard"] = static_cast<double>(g_eventsHeard - heard);
}

void BM_Zubolist_1000CursorSteps(winbench::State &state) { StepBetweenTwoRows(state, true); }
WINBENCH(BM_Zubolist_1000CursorSteps);

// The move, the two row invalidations, the scroll bar's values and the
// parent's notification, without the paint.
void BM_Zubolist_1000CursorSteps_NoPaint(winbench::State &state) {
    StepBetweenTwoRows(state, false);
}
WINBENCH(BM_Zubolist_1000CursorSteps_NoPaint);

// Focused: each step raises the focus event, which nobody hears.
void BM_Zubolist_1000CursorSteps_Focused(winbench::State &state) {
    StepBetweenTwoRows(state, false, true);
}
// A client asked for the view's object and hooks every event.
void BM_Zubolist_1000CursorSteps_ClientListening(winbench::State &state) {
    StepBetweenTwoRows(state, false, true, Client::kListening);
}
WINBENCH_VERSUS(BM_Zubolist_1000CursorSteps_Focused, BM_Zubolist_1000CursorSteps_NoPaint);
WINBENCH_VERSUS(BM_Zubolist_1000CursorSteps_ClientListening, BM_Zubolist_1000CursorSteps_Focused);

// 100k shown adds to a view whose object a client asked for: each add
// raises the event of a new row.
HWND NewAskedZubolist() {
    HWND v = NewZubolist();
    if (IAccessible *acc = AskForObject(v)) acc->Release();  // the view keeps its object
    return v;
}

void BM_Zubolist_Fill100k_ClientAsked(winbench::State &state) {
    FillTimed(state, NewAskedZubolist, FillZubolist100k, false);
}
void BM_Zubolist_Fill100k_ClientListening(winbench::State &state) {
    HookThread hook;
    const long heard = g_eventsHeard;
    FillTimed(state, NewAskedZubolist, FillZubolist100k, false);
    state.counters["events_heard"] = static_cast<double>(g_eventsHeard - heard);
}
WINBENCH_VERSUS(BM_Zubolist_Fill100k_ClientAsked, BM_Zubolist_Fill100k);
WINBENCH_VERSUS(BM_Zubolist_Fill100k_ClientListening, BM_Zubolist_Fill100k);

// A client reading 40 rows' names in a view of 1,000,000 entries: next to
// the cursor in the middle, and at the start. Each child is found by index
// from the nearest known node, never by a walk from the list's start.
struct MillionView {
    HWND view = NewZubolist();
    IAccessible *acc = nullptr;
    MillionView() {
        FillZubolist(view, 1000000);
        acc = AskForObject(view);
        VARIANT middle;
        middle.vt = VT_I4;
        middle.lVal = 500001;
        if (acc) acc->accSelect(SELFLAG_TAKEFOCUS, middle);  // the cursor on row 500,000
    }
};
MillionView &Million() {
    static MillionView m;
    return m;
}

void ReadNames(winbench::State &state, LONG firstChild) {
    IAccessible *acc = Million().acc;
    for (auto _ : state) {
        for (LONG c = firstChild; c < firstChild + 40; ++c) {
            VARIANT child;
            child.vt = VT_I4;
            child.lVal = c;
            BSTR name = nullptr;
            if (acc) acc->get_accName(child, &name);
            SysFreeString(name);
        }
    }
    state.SetItemsProcessed(state.iterations() * 40);
}

void BM_Accessible_40NamesAtTheCursorOf1M(winbench::State &state) {
    ReadNames(state, 500001 - 20);
}
void BM_Accessible_40NamesAtTheStartOf1M(winbench::State &state) { ReadNames(state, 1); }
WINBENCH_VERSUS(BM_Accessible_40NamesAtTheCursorOf1M, BM_Accessible_40NamesAtTheStartOf1M);

int ZUBOAPI MarkEven(HWND, GdirlistEntry *e, void *) {
    if (e->num1 % 2 == 0) e->flags |= GDIRLIST_MARK;
    return 1;
}

void BM_Zubolist_MarkDeleteAll_HalfOf100k(winbench::State &state) {
    HWND v = NewZubolist();
    for (auto _ : state) {
        state.PauseTiming();
        Zubolist_DeleteAll(v);
        FillZubolist(v);
        Zubolist_EnumAll(v, MarkEven, nullptr);
        Zubolist_CursorEnd(v);
        for (int i = 0; i < 1000; ++i) Zubolist_CursorPageUp(v);  // cursor in the middle
        state.ResumeTiming();
        Zubolist_MarkDeleteAll(v);
        UpdateWindow(v);
    }
    state.counters["left"] = Zubolist_GetListNum(v);
    DestroyWindow(v);
}
WINBENCH(BM_Zubolist_MarkDeleteAll_HalfOf100k);

void BM_Zubolist_Paste10kLines(winbench::State &state) {
    std::string text;
    for (int i = 0; i < 10000; ++i) {
        Row r = RowTexts(i);
        char line[128];
        snprintf(line, sizeof line, "%s\t%9d\t%9d\t%s\t%s\r\n", r.name, i, 10000 - i, r.name2,
                 kComment);
        text += line;
    }
    HWND v = NewZubolist();
    OpenClipboard(v);
    EmptyClipboard();
    HGLOBAL g = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    memcpy(GlobalLock(g), text.c_str(), text.size() + 1);
    GlobalUnlock(g);
    SetClipboardData(CF_TEXT, g);
    CloseClipboard();
    for (auto _ : state) {
        state.PauseTiming();
        Zubolist_DeleteAll(v);
        UpdateWindow(v);
        state.ResumeTiming();
        Zubolist_InsertFromClipboard(v);
        UpdateWindow(v);
    }
    state.counters["entries"] = Zubolist_GetListNum(v);
    DestroyWindow(v);
    state.SetItemsProcessed(state.iterations() * 10000);
}
WINBENCH(BM_Zubolist_Paste10kLines);

// The system list view, one column holding the row text the list view
// shows for the same entry.
HWND NewSysListView() {
    HWND v = CreateWindowA(WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL,
                           0, 0, 800, kPageRows * LineHeight(), Parent(), nullptr, nullptr,
                           nullptr);
    SendMessageA(v, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(SYSTEM_FIXED_FONT)), 0);
    LVCOLUMNA col = {};
    col.mask = LVCF_WIDTH | LVCF_TEXT;
    col.cx = 780;
    col.pszText = const_cast<char *>("entry");
    SendMessageA(v, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&col));
    Pump();
    return v;
}

void FillSysListView(HWND v) {
    for (int i = 0; i < kRows; ++i) {
        Row r = RowTexts(i);
        char text[256];
        snprintf(text, sizeof text, "%12.12s/%-16.16s %9d %9d %s", r.name, r.name2, i, kRows - i,
                 kComment);
        LVITEMA item = {};
        item.mask = LVIF_TEXT;
        item.iItem = i;
        item.pszText = text;
        SendMessageA(v, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
}

// Filled with redrawing on, wine's list view takes milliseconds an item,
// more as it grows (4.6 ms at 200 items, 6.7 ms at 1,000 when measured
// apart), so 100k would take well over ten minutes: only the bulk fill is
// measured.
void BM_SysListView32_Fill100k_NoRedraw(winbench::State &state) {
    FillTimed(state, NewSysListView, FillSysListView, true);
}
WINBENCH_VERSUS(BM_Zubolist_Fill100k_NoRedraw, BM_SysListView32_Fill100k_NoRedraw);

void BM_SysListView32_FullPaint(winbench::State &state) {
    HWND v = NewSysListView();
    SendMessageA(v, WM_SETREDRAW, FALSE, 0);
    FillSysListView(v);
    SendMessageA(v, WM_SETREDRAW, TRUE, 0);
    SendMessageA(v, LVM_ENSUREVISIBLE, kRows / 2, FALSE);
    Repaint(v);
    for (auto _ : state) Repaint(v);
    DestroyWindow(v);
}
WINBENCH_VERSUS(BM_Zubolist_FullPaint, BM_SysListView32_FullPaint);

}  // namespace

int main() { return winbench::RunAll(); }
