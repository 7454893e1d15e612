// A list view inside a parent window of the test's own. The parent records
// what it receives as a message sequence ("C1" is WM_COMMAND code 1 from
// the view with its child id; anything else is spelled out), and the view's
// update region shows which rows an operation asked to repaint.
#ifndef ZUBO_LISTVIEW_TEST_SUPPORT_WIN32_H
#define ZUBO_LISTVIEW_TEST_SUPPORT_WIN32_H

#include <gtest/gtest.h>
#include <malloc.h>
#include <windows.h>

#include <string>

#include "zubo.h"

namespace zubo_test {

constexpr int kChildId = 0x12345;  // notifications carry its low 16 bits

inline std::string &Received() {
    static std::string messages;
    return messages;
}
inline HWND &CurrentView() {
    static HWND view;
    return view;
}

inline LRESULT CALLBACK ParentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_COMMAND || msg == WM_NOTIFY) {
        std::string &r = Received();
        r += r.empty() ? "" : " ";
        if (msg == WM_COMMAND && LOWORD(wParam) == (kChildId & 0xFFFF) &&
            reinterpret_cast<HWND>(lParam) == CurrentView())
            r += "C" + std::to_string(HIWORD(wParam));
        else
            r += "msg" + std::to_string(msg) + "/" + std::to_string(wParam);
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

// Blocks in use on the C runtime's heap, which the library shares.
inline int HeapBlocksInUse() {
    _HEAPINFO info = {};
    int used = 0, status;
    while ((status = _heapwalk(&info)) == _HEAPOK)
        if (info._useflag == _USEDENTRY) ++used;
    EXPECT_EQ(status, _HEAPEND);
    return used;
}

inline void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// One parent for the whole program: under Xvfb without a window manager
// each top-level window takes seconds to take down.
inline HWND Parent() {
    static HWND parent = [] {
        EXPECT_NE(InitZubolist(), 0);
        WNDCLASSA wc = {};
        wc.lpfnWndProc = ParentProc;
        wc.lpszClassName = "ZuboTestParent";
        RegisterClassA(&wc);
        return CreateWindowA("ZuboTestParent", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 900,
                             700, nullptr, nullptr, nullptr, nullptr);
    }();
    return parent;
}

// Presses or releases Ctrl as the system sees it (GetAsyncKeyState).
inline void SendCtrl(DWORD flags) {
    INPUT in = {};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = VK_CONTROL;
    in.ki.dwFlags = flags;
    SendInput(1, &in, sizeof in);
}

struct ListViewTest : ::testing::Test {
    // Views go into the shared parent unless a fixture gives its own.
    explicit ListViewTest(HWND p = Parent()) : parent(p) {}

    HWND parent;
    HWND view = nullptr;
    TEXTMETRICA font = {};  // of the view's default font
    int lineHeight = 0;

    void SetUp() override {
        HDC dc = GetDC(nullptr);
        HGDIOBJ old = SelectObject(dc, GetStockObject(SYSTEM_FIXED_FONT));
        GetTextMetricsA(dc, &font);
        SelectObject(dc, old);
        ReleaseDC(nullptr, dc);
        lineHeight = font.tmHeight;
        MakeView(10);
    }
    void TearDown() override { DestroyWindow(view); }

    // A view of `rows` full rows, `width` pixels wide with its scroll bar,
    // with the class's own style bits in `style`.
    void MakeView(int rows, int width = 400, DWORD style = 0) {
        if (view) DestroyWindow(view);
        view = CurrentView() = CreateWindowA("ZUBOLIST", "",
                                             WS_CHILD | WS_VISIBLE | WS_VSCROLL | style,
                                             0, 0, width, rows * lineHeight, parent,
                                             reinterpret_cast<HMENU>(kChildId), nullptr, nullptr);
        ASSERT_NE(view, nullptr);
        Settle();
    }
    // Entries e<i> with name2 f<i>.txt, num1 i and num2 -i.
    void Fill(int n, int from = 0) {
        for (int i = from; i < from + n; ++i) {
            std::string name = "e" + std::to_string(i), name2 = "f" + std::to_string(i) + ".txt";
            GdirlistEntry e = {&name[0], &name2[0], i, -i, const_cast<char *>("c"), 0};
            Zubolist_Add(view, &e);
        }
        Settle();
    }
    // Paints what is pending and forgets what was sent.
    void Settle() {
        Pump();
        UpdateWindow(view);
        Pump();
        Received().clear();
    }

    SCROLLINFO Bar() {
        SCROLLINFO si = {sizeof si, SIF_ALL};
        GetScrollInfo(view, SB_VERT, &si);
        return si;
    }
    int Top() { return Bar().nPos; }
    int Cursor() {  // entries carry their first index in num1
        GdirlistEntry *e = Zubolist_GetDataPtr(view);
        return e ? e->num1 : Zubolist_GetListNum(view);
    }
    RECT Client() {
        RECT r;
        GetClientRect(view, &r);
        return r;
    }
    std::string Sent() {
        std::string s;
        s.swap(Received());
        return s;
    }
    // The update region, then cleared: "" for none, "all" for the client
    // area, "rows a-b" for one band of whole rows, "other" for the rest.
    std::string Update() {
        HRGN rgn = CreateRectRgn(0, 0, 0, 0);
        const int type = GetUpdateRgn(view, rgn, FALSE);
        RECT b, c = Client();
        GetRgnBox(rgn, &b);
        DeleteObject(rgn);
        ValidateRect(view, nullptr);
        if (type == NULLREGION) return "";
        if (type == SIMPLEREGION && EqualRect(&b, &c)) return "all";
        if (type != SIMPLEREGION || b.left || b.right != c.right || b.top % lineHeight ||
            b.bottom % lineHeight)
            return "other";
        return "rows " + std::to_string(b.top / lineHeight) + "-" +
               std::to_string(b.bottom / lineHeight - 1);
    }
    void Forget() {
        ValidateRect(view, nullptr);
        Received().clear();
    }
    // Entries in order, marked ones with "*", the cursor entry in brackets.
    std::string Names() {
        struct Out {
            std::string s;
            const GdirlistEntry *cursor;
        } out{"", Zubolist_GetDataPtr(view)};
        Zubolist_EnumAll(view, [](HWND, GdirlistEntry *e, void *p) {
            Out *o = static_cast<Out *>(p);
            o->s += std::string(o->s.empty() ? "" : " ") + (e == o->cursor ? "[" : "") + e->name +
                    (e->flags & 1 ? "*" : "") + (e == o->cursor ? "]" : "");
            return 1;
        }, &out);
        ValidateRect(view, nullptr);  // the walk repainted everything
        return out.s + (out.cursor ? "" : " []");
    }

    void Key(WPARAM vk, bool ctrl = false) {
        if (ctrl) SendCtrl(0);
        ASSERT_EQ((GetAsyncKeyState(VK_CONTROL) & 0x8000) != 0, ctrl);
        SendMessageA(view, WM_KEYDOWN, vk, 1);
        if (ctrl) SendCtrl(KEYEVENTF_KEYUP);
    }
    void Click(UINT msg, int row) {
        SendMessageA(view, msg, 0, MAKELPARAM(7, row * lineHeight + lineHeight / 2));
    }
    // Moves the cursor with clicks, which never scroll.
    void Mark(std::initializer_list<int> rows, int cursor) {
        for (int row : rows) Click(WM_RBUTTONDOWN, row - Top());
        Click(WM_LBUTTONDOWN, cursor - Top());
        Forget();
    }
};

}  // namespace zubo_test

#endif
