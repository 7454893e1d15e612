// The scripted session that `make demo` runs headless: it drives the list
// view with the keys a user would press, checks the state each step leaves
// behind, scrolls the console back, checks that the pictures are what
// drawing everything afresh gives, and writes three screenshots.
#include <stdio.h>
#include <string.h>
#include <windows.h>

#include <string>
#include <vector>

#include "demo.h"

namespace {

int failures = 0;

void Check(const char *what, bool ok) {
    printf("%s  %s\n", ok ? "ok  " : "FAIL", what);
    fflush(stdout);
    if (!ok) ++failures;
}

void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void SendCtrl(bool down) {
    INPUT in = {};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = VK_CONTROL;
    in.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    SendInput(1, &in, sizeof in);
}

// A key as the list view receives it; with ctrl, Ctrl is held down (as the
// system's key state shows it) while the key arrives.
void Key(HWND list, WPARAM vk, bool ctrl = false) {
    if (ctrl) SendCtrl(true);
    SendMessageA(list, WM_KEYDOWN, vk, 1);
    if (ctrl) SendCtrl(false);
    Pump();
}

std::vector<std::string> Names(HWND list) {
    std::vector<std::string> names;
    Zubolist_EnumAll(
        list,
        [](HWND, GdirlistEntry *e, void *user) -> int {
            static_cast<std::vector<std::string> *>(user)->push_back(e->name ? e->name : "");
            return 1;
        },
        &names);
    return names;
}

std::string ClipboardText(HWND owner) {
    std::string text;
    if (!OpenClipboard(owner)) return text;
    if (HANDLE h = GetClipboardData(CF_TEXT)) {
        if (const char *p = static_cast<const char *>(GlobalLock(h))) {
            text = p;
            GlobalUnlock(h);
        }
    }
    CloseClipboard();
    return text;
}

// The clipboard's Unicode text, which other programs read.
std::wstring ClipboardUnicode(HWND owner) {
    std::wstring text;
    if (!OpenClipboard(owner)) return text;
    if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
        if (const wchar_t *p = static_cast<const wchar_t *>(GlobalLock(h))) {
            text = p;
            GlobalUnlock(h);
        }
    }
    CloseClipboard();
    return text;
}

std::wstring FromShiftJis(const std::string &bytes) {
    std::wstring text(bytes.size(), L'\0');
    const int n = MultiByteToWideChar(932, 0, bytes.data(), static_cast<int>(bytes.size()),
                                      &text[0], static_cast<int>(text.size()));
    text.resize(n > 0 ? n : 0);
    return text;
}

// Whether two surfaces of one size hold the same pixels.
bool SamePixels(MemoryDC *a, MemoryDC *b, int width, int height) {
    GdiFlush();
    MemoryDCInfo ia, ib;
    a->ops.GetInfo(a, &ia);
    b->ops.GetInfo(b, &ib);
    if (!ia.bits || !ib.bits) return false;
    for (int y = 0; y < height; ++y) {
        const char *ra = static_cast<const char *>(ia.bits) + y * ia.bytesPerLine;
        const char *rb = static_cast<const char *>(ib.bits) + y * ib.bytesPerLine;
        if (memcmp(ra, rb, static_cast<size_t>(width) * 4) != 0) return false;
    }
    return true;
}

// The list view's client area as the screen shows it.
MemoryDC *CaptureClient(HWND window, const RECT &client) {
    MemoryDC *shot = CreateMemoryDC(client.right, client.bottom, 32);
    if (!shot) return nullptr;
    HDC screen = GetDC(window);
    shot->ops.BltFrom(shot, 0, 0, screen, &client);
    ReleaseDC(window, screen);
    return shot;
}

// The console pane's picture, made by its updates so far, against the
// whole view drawn afresh: the cells of the screen, as the screen shows
// them.
bool ConsoleShowsItsView(Demo *demo) {
    const int width = Consout_GetConsWidth(demo->console) * Consout_GetFontWidth(demo->console);
    const int height =
        Consout_GetConsHeight(demo->console) * Consout_GetBaselineskip(demo->console);
    const RECT cells = {0, 0, width, height};
    MemoryDC *shown = CaptureClient(demo->pane, cells);
    MemoryDC *fresh = CreateMemoryDC(width, height, 32);
    bool same = false;
    if (shown && fresh) {
        Consout_Draw(demo->console, fresh->ops.GetHDC(fresh), 0, 0, 0, 0, width, height);
        same = SamePixels(shown, fresh, width, height);
    }
    if (shown) shown->ops.Release(shown);
    if (fresh) fresh->ops.Release(fresh);
    return same;
}

// The list view as its paints so far left it against all of it painted
// afresh over a colour that no row uses: the same pixels, so nothing of an
// earlier picture stays and every pixel is painted.
bool ListViewPaintsCleanly(HWND list) {
    RECT client;
    GetClientRect(list, &client);
    MemoryDC *before = CaptureClient(list, client);
    HDC dc = GetDC(list);
    HBRUSH marker = CreateSolidBrush(RGB(1, 2, 3));
    FillRect(dc, &client, marker);
    DeleteObject(marker);
    ReleaseDC(list, dc);
    RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    MemoryDC *after = CaptureClient(list, client);
    const bool same = before && after && SamePixels(before, after, client.right, client.bottom);
    if (before) before->ops.Release(before);
    if (after) after->ops.Release(after);
    return same;
}

int CountLines(const std::string &text) {
    int n = 0;
    for (size_t at = 0; (at = text.find("\r\n", at)) != std::string::npos; at += 2) ++n;
    return n;
}

}  // namespace

int RunScript(Demo *demo, const std::string &outDir) {
    HWND list = demo->list;
    Pump();
    printf("info  ANSI code page %u\n", GetACP());
    const std::vector<std::string> names = Names(list);
    Check("the sample list is loaded (320 entries)", Zubolist_GetListNum(list) == 320);
    bool sorted = true;
    for (size_t i = 1; i < names.size(); ++i)
        sorted = sorted && CompareJapaneseText(names[i - 1].c_str(), names[i].c_str()) <= 0;
    Check("Zubolist_Sort ordered it by name", sorted);

    // Space marks the cursor row and steps down.
    Key(list, VK_HOME);
    Key(list, VK_DOWN);
    Key(list, VK_DOWN);
    for (int i = 0; i < 3; ++i) Key(list, VK_SPACE);
    Check("three Spaces mark three rows", Zubolist_EnumMark(list, nullptr, nullptr) == 3);
    const GdirlistEntry *cursor = Zubolist_GetDataPtr(list);
    Check("the cursor went down past them (row 5)", cursor && names[5] == cursor->name);

    // Ctrl+C copies the marked rows as list lines.
    Key(list, 'C', true);
    const std::string copied = ClipboardText(list);
    Check("Ctrl+C put three CR LF lines on the clipboard", CountLines(copied) == 3);
    Check("the first copied line is row 2", copied.compare(0, names[2].size() + 1,
                                                           names[2] + "\t") == 0);
    Check("other programs read the copied Shift_JIS as Unicode",
          !copied.empty() && ClipboardUnicode(list) == FromShiftJis(copied));

    // Ctrl+V on the end row appends them, unmarked.
    Key(list, VK_END);
    Key(list, 'V', true);
    Check("Ctrl+V appended three entries", Zubolist_GetListNum(list) == 323);
    Check("pasted entries are unmarked", Zubolist_EnumMark(list, nullptr, nullptr) == 3);

    // Delete moves the cursor entry to the removed stack, Insert brings it
    // back at the cursor.
    Key(list, VK_HOME);
    const std::string first = Zubolist_GetDataPtr(list)->name;
    Key(list, VK_DELETE);
    Check("Delete removed the first entry", Zubolist_GetListNum(list) == 322 &&
                                                first != Zubolist_GetDataPtr(list)->name);
    Key(list, VK_INSERT);
    Check("Insert restored it", Zubolist_GetListNum(list) == 323 &&
                                    first == Zubolist_GetDataPtr(list)->name);

    // Enter activates: the demo prints the entry in the console.
    const int linesBefore = Consout_GetLinecnt(demo->console);
    const int rowBefore = Consout_GetCurY(demo->console);
    Key(list, VK_DOWN);
    Key(list, VK_DOWN);
    Key(list, VK_RETURN);
    Check("Enter activated the row once", demo->activations == 1);
    // One line feed: the cursor goes down a row, or on the last row the
    // screen scrolls and the history grows by a line.
    Check("and the entry was printed as one console line",
          Consout_GetCurY(demo->console) == rowBefore + 1 ||
              Consout_GetLinecnt(demo->console) == linesBefore + 1);

    // The console's scroll bar reaches back into the history; each step
    // is drawn by the pane's update alone.
    CreateDirectoryA(outDir.c_str(), nullptr);
    Check("the console shows its view", ConsoleShowsItsView(demo));
    for (int i = 0; i < 5; ++i) SendMessageA(demo->pane, WM_VSCROLL, SB_LINEUP, 0);
    Check("the scroll bar moved the view 5 lines back", Consout_GetViewline(demo->console) == 5);
    SCROLLINFO si = {sizeof si, SIF_POS | SIF_RANGE | SIF_PAGE};
    GetScrollInfo(demo->pane, SB_VERT, &si);
    Check("the scroll bar follows the view",
          si.nPos == si.nMax - static_cast<int>(si.nPage) + 1 - 5);
    Check("the scrolled-back console shows its whole view", ConsoleShowsItsView(demo));
    SendMessageA(demo->pane, WM_VSCROLL, SB_PAGEUP, 0);
    Check("a page further back too", ConsoleShowsItsView(demo));
    // As the pane's updates left it, not repainted for the picture.
    const std::string scrolledShot = outDir + "/demo-console-scrolled.png";
    Check(("wrote " + scrolledShot).c_str(), CaptureWindowAsShownPng(demo->pane, scrolledShot));
    SendMessageA(demo->pane, WM_VSCROLL, SB_BOTTOM, 0);
    Check("back on the screen, the console shows its view", ConsoleShowsItsView(demo));
    Check("and back to the screen", Consout_GetViewline(demo->console) == 0);
    Pump();

    // For the picture: the end of the list, where the Japanese names and the
    // pasted entries are, with two of them marked.
    Key(list, VK_END);
    Key(list, VK_PRIOR);
    Key(list, VK_SPACE);
    Key(list, VK_SPACE);
    Pump();

    Check("the list view's rows are painted cleanly", ListViewPaintsCleanly(list));
    const std::string listShot = outDir + "/demo-listview.png";
    const std::string consoleShot = outDir + "/demo-console.png";
    // The main window from its menu bar down to the end of the list view.
    RECT listRect, mainRect;
    GetWindowRect(list, &listRect);
    GetWindowRect(demo->main, &mainRect);
    POINT client = {0, 0};
    ClientToScreen(demo->main, &client);
    const int menuTop = client.y - mainRect.top - GetSystemMetrics(SM_CYMENU);
    Check(("wrote " + listShot).c_str(),
          CaptureWindowPng(demo->main, listShot, menuTop, listRect.bottom - mainRect.top));
    Check(("wrote " + consoleShot).c_str(), CaptureWindowPng(demo->pane, consoleShot));
    printf("%s: %d check(s) failed\n", failures ? "FAILED" : "passed", failures);
    return failures;
}
