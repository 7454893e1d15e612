// The console pane: a child window that shows a console through a memory DC
// back buffer, with a scroll bar over the console's scroll-back.
#include <windows.h>

#include "demo.h"

namespace {

const char kPaneClass[] = "ZuboDemoConsole";

// Lines the view can stand above the screen.
int ScrollBack(Consout *con) { return Consout_GetLinecnt(con) - Consout_GetConsHeight(con); }

int32_t ZUBOAPI OnScroll(Consout *, ZuboUserValue user) {
    ConsoleSyncScrollBar(reinterpret_cast<Demo *>(user));
    return 0;
}

void OnVScroll(Demo *demo, int code) {
    SCROLLINFO si = {sizeof si, SIF_ALL};
    GetScrollInfo(demo->pane, SB_VERT, &si);
    int pos = si.nPos;
    const int page = Consout_GetConsHeight(demo->console);
    switch (code) {
    case SB_LINEUP: pos -= 1; break;
    case SB_LINEDOWN: pos += 1; break;
    case SB_PAGEUP: pos -= page; break;
    case SB_PAGEDOWN: pos += page; break;
    case SB_THUMBTRACK: pos = si.nTrackPos; break;
    case SB_TOP: pos = 0; break;
    case SB_BOTTOM: pos = ScrollBack(demo->console); break;
    default: return;
    }
    const int back = ScrollBack(demo->console);
    pos = pos < 0 ? 0 : pos > back ? back : pos;
    // The bar's top is the oldest line; the view line counts from the screen.
    Consout_SetViewline(demo->console, back - pos);
    ConsoleSyncScrollBar(demo);
    ConsoleFlush(demo);
}

void OnPaint(Demo *demo) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(demo->pane, &ps);
    RECT r = ps.rcPaint;
    demo->back->ops.BltTo(demo->back, dc, r.left, r.top, &r);
    EndPaint(demo->pane, &ps);
}

LRESULT CALLBACK PaneProc(HWND pane, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_NCCREATE:
        StoreDemoPointer(pane, lp);
        break;
    case WM_PAINT:
        OnPaint(DemoOf(pane));
        return 0;
    case WM_ERASEBKGND:
        return 1;  // the back buffer covers everything
    case WM_VSCROLL:
        OnVScroll(DemoOf(pane), LOWORD(wp));
        return 0;
    case WM_MOUSEWHEEL:
        OnVScroll(DemoOf(pane), GET_WHEEL_DELTA_WPARAM(wp) > 0 ? SB_LINEUP : SB_LINEDOWN);
        return 0;
    }
    return DefWindowProcA(pane, msg, wp, lp);
}

}  // namespace

bool RegisterConsolePane(HINSTANCE instance) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = PaneProc;
    wc.cbWndExtra = sizeof(LONG_PTR);
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = kPaneClass;
    return RegisterClassA(&wc) != 0;
}

bool CreateConsolePane(Demo *demo, int x, int y) {
    Consout *con = demo->console;
    Consout_SetFont(con, demo->font);
    demo->paneWidth = Consout_GetConsWidth(con) * Consout_GetFontWidth(con);
    demo->paneHeight = Consout_GetConsHeight(con) * Consout_GetBaselineskip(con);
    demo->back = CreateMemoryDC(demo->paneWidth, demo->paneHeight, 32);
    if (!demo->back) return false;
    RECT r = {0, 0, demo->paneWidth, demo->paneHeight};
    AdjustWindowRectEx(&r, WS_CHILD | WS_VSCROLL, FALSE, WS_EX_CLIENTEDGE);
    r.right += GetSystemMetrics(SM_CXVSCROLL);
    demo->pane = CreateWindowExA(WS_EX_CLIENTEDGE, kPaneClass, "",
                                 WS_CHILD | WS_VISIBLE | WS_VSCROLL, x, y, r.right - r.left,
                                 r.bottom - r.top, demo->main,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(kPaneId)),
                                 demo->instance, demo);
    if (!demo->pane) return false;
    Consout_SetScrollNotifyProc(con, OnScroll, reinterpret_cast<ZuboUserValue>(demo));
    ConsoleSyncScrollBar(demo);
    return true;
}

void ConsoleSyncScrollBar(Demo *demo) {
    const int back = ScrollBack(demo->console);
    const int page = Consout_GetConsHeight(demo->console);
    SCROLLINFO si = {sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL};
    si.nMin = 0;
    si.nMax = back + page - 1;
    si.nPage = static_cast<UINT>(page);
    si.nPos = back - Consout_GetViewline(demo->console);
    SetScrollInfo(demo->pane, SB_VERT, &si, TRUE);
}

void ConsoleFlush(Demo *demo) {
    RECT dirty;
    Consout_GetDirtyRect(demo->console, &dirty);
    HDC dc = demo->back->ops.GetHDC(demo->back);
    Consout_Update(demo->console, dc, 0, 0);
    GdiFlush();
    if (dirty.left < dirty.right && dirty.top < dirty.bottom)
        InvalidateRect(demo->pane, &dirty, FALSE);
}

void ConsolePrint(Demo *demo, const std::string &bytes) {
    for (unsigned char b : bytes) Consout_Putchar(demo->console, b);
    ConsoleFlush(demo);
}
