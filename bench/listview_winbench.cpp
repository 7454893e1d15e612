// The list view under wine with 100k entries, beside a plain record list
// filled with the same entries and the system list view (comctl32
// SysListView32, report view, one column, items held by the control)
// filled with the same rows and repainted, in the same run. Each
// comparison runs its two sides in alternating rounds (winbench.h).
#include <windows.h>
#include <commctrl.h>

#include <stdio.h>
#include <string.h>

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

// Steps between two rows in the middle of the page, so that no step
// scrolls: each one invalidates two rows, which are repainted when paint is
// set, and otherwise left for a paint that never comes in the loop.
void StepBetweenTwoRows(winbench::State &state, bool paint) {
    FilledZubolist z;
    Zubolist_CursorUp(z.view);
    Repaint(z.view);
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
    state.SetItemsProcessed(state.iterations() * 1000);
}

void BM_Zubolist_1000CursorSteps(winbench::State &state) { StepBetweenTwoRows(state, true); }
WINBENCH(BM_Zubolist_1000CursorSteps);

// The move, the two row invalidations, the scroll bar's values and the
// parent's notification, without the paint.
void BM_Zubolist_1000CursorSteps_NoPaint(winbench::State &state) {
    StepBetweenTwoRows(state, false);
}
WINBENCH(BM_Zubolist_1000CursorSteps_NoPaint);

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
