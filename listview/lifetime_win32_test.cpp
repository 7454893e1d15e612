// A parent (or a host's routine) that destroys the list view while the view
// is still at work: "pick and close" from ZLN_ACTIVATE, closing on any
// cursor move, a walk or a sort comparison that closes the window, a
// clipboard owner that closes it while rendering the text. Right after the
// destruction the host reuses the freed memory: blocks of the state's size,
// filled with a pattern, so that a view still reading its old state reads
// the pattern and faults.
#include <gtest/gtest.h>
#include <malloc.h>
#include <windows.h>

#include <string.h>

#include <functional>
#include <string>
#include <vector>

#include "listview/test_support_win32.h"
#include "zubo.h"

namespace zubo_test {
namespace {

constexpr int kClosingId = 77;

// What the closing parent does: destroy the view when it hears `closeOn`
// (0: any notification), then reuse the memory.
struct Closer {
    HWND view = nullptr;
    int closeOn = 0;
    bool emptyInstead = false;  // empty the view instead of closing it
    size_t stateSize = 0;
    std::vector<void *> reused;
    std::string heard;

    // Destroys the view once and fills blocks of its state's size.
    void CloseView() {
        if (!view) return;
        DestroyWindow(view);
        view = nullptr;
        for (int i = 0; i < 64; ++i) {
            void *p = malloc(stateSize);
            memset(p, 0xA5, stateSize);
            reused.push_back(p);
        }
    }
    void FreeReused() {
        for (void *p : reused) free(p);
        reused.clear();
    }
};

Closer &TheCloser() {
    static Closer closer;
    return closer;
}

LRESULT CALLBACK ClosingParentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Closer &c = TheCloser();
    if (msg == WM_COMMAND && LOWORD(wParam) == kClosingId) {
        c.heard += "C" + std::to_string(HIWORD(wParam));
        if (c.closeOn != 0 && c.closeOn != HIWORD(wParam)) return 0;
        if (c.emptyInstead)
            Zubolist_DeleteAll(c.view);
        else
            c.CloseView();
        return 0;
    }
    if (msg == WM_RENDERFORMAT && wParam == CF_TEXT) {  // delayed clipboard text
        c.heard += "R";
        const char text[] = "x\t1\t2\ty.txt\tz\r\n";
        HGLOBAL g = GlobalAlloc(GMEM_MOVEABLE, sizeof text);
        memcpy(GlobalLock(g), text, sizeof text);
        GlobalUnlock(g);
        SetClipboardData(CF_TEXT, g);
        c.CloseView();  // the text is there: the view goes on to read it
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

HWND ClosingParent() {
    static HWND parent = [] {
        Parent();  // registers the list view class
        WNDCLASSA wc = {};
        wc.lpfnWndProc = ClosingParentProc;
        wc.lpszClassName = "ZuboClosingParent";
        RegisterClassA(&wc);
        // Beside the shared parent, whose views other tests click on.
        return CreateWindowA("ZuboClosingParent", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 920, 0,
                             340, 400, nullptr, nullptr, nullptr, nullptr);
    }();
    return parent;
}

struct LifetimeTest : ::testing::Test {
    Closer &closer = TheCloser();
    HWND view = nullptr;

    // A shown view of 20 entries with the cursor on row 3, entry 5 marked,
    // which closes itself when its parent hears `closeOn`.
    void MakeView(int closeOn) {
        view = CreateWindowA("ZUBOLIST", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL, 0, 0, 300, 200,
                             ClosingParent(), reinterpret_cast<HMENU>(kClosingId), nullptr,
                             nullptr);
        ASSERT_NE(view, nullptr);
        for (int i = 0; i < 20; ++i) {
            std::string name = "e" + std::to_string(i);
            GdirlistEntry e = {&name[0], const_cast<char *>("f.txt"), i, 0,
                               const_cast<char *>("c"), i == 5 ? GDIRLIST_MARK : 0u};
            Zubolist_Add(view, &e);
        }
        for (int i = 0; i < 3; ++i) Zubolist_CursorDown(view);
        UpdateWindow(view);
        closer.view = view;
        closer.closeOn = closeOn;
        closer.emptyInstead = false;
        closer.stateSize = _msize(reinterpret_cast<void *>(GetWindowLongPtrA(view, 0)));
        closer.heard.clear();
        ASSERT_GT(closer.stateSize, 0u);
    }
    // After the path ran: the view is gone, every later call refuses.
    void ExpectClosed(const char *heard) {
        EXPECT_EQ(closer.heard, heard);
        EXPECT_EQ(closer.view, nullptr) << "the parent did not close the view";
        EXPECT_FALSE(IsWindow(view));
        EXPECT_EQ(Zubolist_GetListNum(view), 0);
        EXPECT_EQ(Zubolist_GetDataPtr(view), nullptr);
        closer.FreeReused();
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    }
    void Key(WPARAM vk) { SendMessageA(view, WM_KEYDOWN, vk, 1); }
    void Click(UINT msg, int row) {
        TEXTMETRICA tm;
        HDC dc = GetDC(nullptr);
        HGDIOBJ old = SelectObject(dc, GetStockObject(SYSTEM_FIXED_FONT));
        GetTextMetricsA(dc, &tm);
        SelectObject(dc, old);
        ReleaseDC(nullptr, dc);
        SendMessageA(view, msg, 0, MAKELPARAM(5, row * tm.tmHeight + tm.tmHeight / 2));
    }
};

TEST_F(LifetimeTest, PickAndCloseFromActivation) {
    MakeView(ZLN_ACTIVATE);
    Key(VK_RETURN);  // activates, then would step down
    ExpectClosed("C2");
    MakeView(ZLN_ACTIVATE);
    Click(WM_LBUTTONDOWN, 3);  // on the cursor row: activates, then would take the focus
    ExpectClosed("C2");
}

TEST_F(LifetimeTest, ClosedOnACursorMoveFromEveryKeyAndClick) {
    const WPARAM keys[] = {VK_DOWN, VK_UP, VK_NEXT, VK_PRIOR, VK_HOME, VK_END, VK_SPACE, '0'};
    for (WPARAM key : keys) {
        SCOPED_TRACE("key " + std::to_string(key));
        MakeView(ZLN_CURSORMOVE);
        Key(key);
        ExpectClosed("C1");
    }
    MakeView(ZLN_CURSORMOVE);
    Click(WM_LBUTTONDOWN, 1);  // another row: the cursor moves, then the focus
    ExpectClosed("C1");
}

TEST_F(LifetimeTest, ClosedOnANotificationThatAnExportSent) {
    const std::function<void(HWND)> calls[] = {
        [](HWND h) { EXPECT_EQ(Zubolist_CursorDown(h), 4); },
        [](HWND h) { Zubolist_CursorUp(h); },
        [](HWND h) { Zubolist_CursorPageDown(h); },
        [](HWND h) { Zubolist_CursorPageUp(h); },
        [](HWND h) { Zubolist_CursorTop(h); },
        [](HWND h) { Zubolist_CursorEnd(h); },
        [](HWND h) { Zubolist_MarkInvertAndDown(h); },
        [](HWND h) { EXPECT_EQ(Zubolist_DeleteAll(h), 0); },
        [](HWND h) { EXPECT_EQ(Zubolist_MarkDeleteAll(h), 0); },
    };
    for (const auto &call : calls) {
        MakeView(ZLN_CURSORMOVE);
        call(view);
        ExpectClosed("C1");
    }
}

TEST_F(LifetimeTest, ClosedByAWalkRoutineOrASortComparison) {
    MakeView(-1);
    auto closeAtThird = [](HWND, GdirlistEntry *, void *seen) {
        if (++*static_cast<int *>(seen) == 3) TheCloser().CloseView();
        return 1;
    };
    int seen = 0;
    EXPECT_EQ(Zubolist_EnumAll(view, closeAtThird, &seen), 3);  // the walk stops there
    EXPECT_EQ(seen, 3);
    ExpectClosed("");

    MakeView(-1);
    auto closeWhileSorting = [](const GdirlistEntry *a, const GdirlistEntry *b,
                                ZuboUserValue) -> int32_t {
        TheCloser().CloseView();
        return b->num1 - a->num1;
    };
    EXPECT_EQ(Zubolist_Sort(view, closeWhileSorting, 0), 1);
    ExpectClosed("");
}

TEST_F(LifetimeTest, ClosedByTheClipboardOwnerDuringAPaste) {
    MakeView(-1);
    ASSERT_TRUE(OpenClipboard(ClosingParent()));
    EmptyClipboard();
    SetClipboardData(CF_TEXT, nullptr);  // rendered when asked for
    CloseClipboard();
    EXPECT_EQ(Zubolist_InsertFromClipboard(view), 0);  // the view died while it read
    ExpectClosed("R");
}

// A parent may also change the view from a notification: the operation
// goes on from what the parent left.
TEST_F(LifetimeTest, AParentEmptiesTheViewFromActivation) {
    MakeView(ZLN_ACTIVATE);
    closer.emptyInstead = true;
    Key(VK_RETURN);  // activates; the parent empties the view; the step down finds the end row
    EXPECT_EQ(closer.heard, "C2C1");
    EXPECT_EQ(Zubolist_GetListNum(view), 0);
    EXPECT_EQ(Zubolist_GetDataPtr(view), nullptr);
    closer.view = nullptr;
    DestroyWindow(view);
}

TEST_F(LifetimeTest, AClosedViewFreesWhatItOwned) {
    MakeView(ZLN_ACTIVATE);
    Key(VK_RETURN);
    ExpectClosed("C2");
    const int before = HeapBlocksInUse();
    for (int i = 0; i < 20; ++i) {
        MakeView(ZLN_ACTIVATE);
        Key(VK_RETURN);
        ExpectClosed("C2");
    }
    EXPECT_EQ(HeapBlocksInUse(), before);  // each view's state and lists were freed
}

}  // namespace
}  // namespace zubo_test
