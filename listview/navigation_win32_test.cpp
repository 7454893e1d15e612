// Cursor moves, the keep-visible rule, repainted rows, notifications and
// the mouse, with 100 entries in a page of 10 rows.
#include "listview/test_support_win32.h"

namespace zubo_test {
namespace {

struct NavigationTest : ListViewTest {
    void SetUp() override {
        ListViewTest::SetUp();
        Fill(100);
    }
    // The view at top row `top` (by the scroll bar), the cursor on `cursor`.
    void Place(int top, int cursor) {
        while (Top() > top) SendMessageA(view, WM_VSCROLL, SB_LINEUP, 0);
        while (Top() < top) SendMessageA(view, WM_VSCROLL, SB_LINEDOWN, 0);
        Mark({}, cursor);
        Settle();
    }
};

TEST_F(NavigationTest, MovesRepaintTwoRowsOrScrollAndNotify) {
    const struct {
        int top, cursor;
        int (*op)(HWND);
        int result, newTop;
        const char *update;
    } cases[] = {
        {0, 1, Zubolist_CursorUp, 0, 0, "rows 0-1"},
        {0, 3, Zubolist_CursorDown, 4, 0, "rows 3-4"},
        {0, 8, Zubolist_CursorDown, 9, 1, "all"},  // onto the last row: one row margin
        {5, 6, Zubolist_CursorUp, 5, 4, "all"},    // onto the first row
        {0, 0, Zubolist_CursorPageDown, 10, 2, "all"},
        {0, 2, Zubolist_CursorPageUp, 0, 0, "all"},  // not below 0
        {35, 40, Zubolist_CursorTop, 0, 0, "all"},
        {0, 0, Zubolist_CursorEnd, 100, 91, "all"},
        {91, 99, Zubolist_CursorDown, 100, 91, "rows 8-9"},  // the end row takes no margin
        {91, 95, Zubolist_CursorPageDown, 100, 91, "all"},
    };
    for (const auto &c : cases) {
        Place(c.top, c.cursor);
        EXPECT_EQ(c.op(view), c.result) << c.top << "/" << c.cursor;
        EXPECT_EQ(Cursor(), c.result);
        EXPECT_EQ(Top(), c.newTop) << c.top << "/" << c.cursor;
        EXPECT_EQ(Update(), c.update) << c.top << "/" << c.cursor;
        EXPECT_EQ(Sent(), "C1") << c.top << "/" << c.cursor;
    }
    MakeView(3);  // three rows or fewer: no margin
    Fill(100);
    Place(0, 2);
    EXPECT_EQ(Zubolist_CursorDown(view), 3);
    EXPECT_EQ(Top(), 1);
}

TEST_F(NavigationTest, NothingHappensAtTheLimits) {
    Place(0, 0);
    EXPECT_EQ(Zubolist_CursorUp(view) + Zubolist_CursorPageUp(view) + Zubolist_CursorTop(view), 0);
    Zubolist_CursorEnd(view);
    Settle();
    EXPECT_EQ(Zubolist_CursorEnd(view), 100);
    EXPECT_EQ(Zubolist_CursorDown(view), 100);
    EXPECT_EQ(Zubolist_CursorPageDown(view), 100);
    EXPECT_EQ(Update(), "");
    EXPECT_EQ(Sent(), "");
}

TEST_F(NavigationTest, Clicks) {
    Place(20, 25);
    SetFocus(parent);
    Click(WM_LBUTTONDOWN, 2);  // row 22: moves without scrolling
    EXPECT_EQ(Cursor() * 1000 + Top(), 22020);
    EXPECT_EQ(Update(), "other");  // rows 2 and 5, apart
    Click(WM_LBUTTONDOWN, 2);      // on the cursor row: activation only
    EXPECT_EQ(Cursor(), 22);
    EXPECT_EQ(Update(), "");
    Click(WM_LBUTTONDOWN, 3);
    EXPECT_EQ(Update(), "rows 2-3");
    EXPECT_EQ(Sent(), "C1 C2 C1");
    EXPECT_EQ(GetFocus(), view);
    SetFocus(parent);
    Click(WM_RBUTTONDOWN, 4);  // toggles the mark of row 24 only
    EXPECT_EQ(Update(), "rows 4-4");
    Click(WM_RBUTTONDOWN, 5);
    Click(WM_RBUTTONDOWN, 5);
    EXPECT_EQ(Zubolist_EnumMark(view, nullptr, nullptr) * 100 + Cursor(), 123);
    EXPECT_EQ(GetFocus(), view);
    Place(91, 95);
    Click(WM_LBUTTONDOWN, 9);  // the end row
    EXPECT_EQ(Cursor(), 100);
    Click(WM_RBUTTONDOWN, 9);  // has no mark
    EXPECT_EQ(Update(), "other");
    EXPECT_EQ(Sent(), "C1");
    MakeView(10);
    Fill(3);
    SetFocus(parent);
    Click(WM_LBUTTONDOWN, 5);  // below the end row: only the focus
    Click(WM_RBUTTONDOWN, 5);
    EXPECT_EQ(Cursor() + Zubolist_EnumMark(view, nullptr, nullptr), 0);
    EXPECT_EQ(Update() + Sent(), "all");  // (from the walk)
    EXPECT_EQ(GetFocus(), view);
}

}  // namespace
}  // namespace zubo_test
