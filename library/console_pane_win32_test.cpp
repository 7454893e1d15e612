// zubo::ConsolePane: its size, its scroll bar over the scroll-back (set
// once per Write, however many lines scroll), the bar's and the wheel's
// scroll requests, painting of a scrolled-back view, and letting go of the
// console when its window goes.
#include "zubo_console_pane.hpp"

#include <gtest/gtest.h>

#include <string>

#include "library/window_test_support_win32.h"

namespace {

HWND Parent() {
    static HWND parent = zubo_test::MakeTopLevelWindow(
        "ZuboPaneTestParent", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 900, 700);
    return parent;
}

struct ConsolePaneTest : ::testing::Test {
    zubo::Console console{20, 5, 50};
    zubo::ConsolePane pane;
    void SetUp() override {
        ASSERT_TRUE(zubo::ConsolePane::Register(GetModuleHandleA(nullptr)));
        Consout_SetOutputMode(console.get(), 7);
        ASSERT_TRUE(pane.Create(Parent(), 7, 0, 0, console.get()));
    }
    SCROLLINFO Bar() {
        SCROLLINFO si = {};
        si.cbSize = sizeof si;
        si.fMask = SIF_ALL;
        GetScrollInfo(pane.Window(), SB_VERT, &si);
        return si;
    }
    int View() { return Consout_GetViewline(console.get()); }
    void Lines(int n) {
        std::string text;
        for (int i = 0; i < n; ++i) text += "line " + std::to_string(i) + "\n";
        pane.Write(text);
    }
    void Scroll(int code) { SendMessageA(pane.Window(), WM_VSCROLL, MAKEWPARAM(code, 0), 0); }
    void Wheel(int delta) {
        SendMessageA(pane.Window(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(delta)), 0);
    }
};

TEST_F(ConsolePaneTest, SizedToTheScreenWithTheBarOverTheScrollBack) {
    RECT client;
    GetClientRect(pane.Window(), &client);
    EXPECT_EQ(client.right, 20 * Consout_GetFontWidth(console.get()));
    EXPECT_EQ(client.bottom, 5 * Consout_GetBaselineskip(console.get()));
    EXPECT_EQ(Bar().nMax, 4);  // nothing to scroll back to yet
    Lines(12);  // 8 lines scroll
    const SCROLLINFO si = Bar();
    EXPECT_EQ(si.nMin, 0);
    EXPECT_EQ(si.nMax, Consout_GetLinecnt(console.get()) - 1);
    EXPECT_EQ(si.nPage, 5u);
    EXPECT_EQ(si.nPos, 8);  // the screen, at the bottom
}

// The bar waits for the end of a Write: an escape procedure looks at it
// midway. Output fed straight through Consout_Putchar moves it at once.
TEST_F(ConsolePaneTest, WriteSetsTheBarOnceAtTheEnd) {
    int midway = -1;
    console.OnEscape([&](Consout *, const uint8_t *bytes, int32_t count) {
        if (bytes[count - 1] != 'm') return 0;
        midway = Bar().nPos;
        return 1;
    });
    Lines(3);
    pane.Write("a\nb\nc\nd\n\x1b[0m");  // four more lines: 3 of them scroll
    EXPECT_EQ(midway, 0);
    EXPECT_EQ(Bar().nPos, 3);
    Consout_Putchar(console.get(), '\n');
    EXPECT_EQ(Bar().nPos, 4);
}

TEST_F(ConsolePaneTest, BarAndWheelMoveTheView) {
    Lines(34);  // 30 lines of scroll-back
    Scroll(SB_LINEUP);
    EXPECT_EQ(View(), 1);
    Scroll(SB_PAGEUP);
    EXPECT_EQ(View(), 6);
    EXPECT_EQ(Bar().nPos, 30 - 6);
    Scroll(SB_PAGEDOWN);
    Scroll(SB_LINEDOWN);
    EXPECT_EQ(View(), 0);
    Scroll(SB_LINEDOWN);  // clamped at the screen
    EXPECT_EQ(View(), 0);
    Scroll(SB_TOP);
    EXPECT_EQ(View(), 30);
    Scroll(SB_LINEUP);  // clamped at the oldest line
    EXPECT_EQ(View(), 30);
    Scroll(SB_BOTTOM);
    EXPECT_EQ(View(), 0);

    UINT lines = 3;
    SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    Wheel(WHEEL_DELTA);
    EXPECT_EQ(View(), static_cast<int>(lines));
    Wheel(WHEEL_DELTA / 2);  // half a notch waits for the other half
    EXPECT_EQ(View(), static_cast<int>(lines));
    Wheel(WHEEL_DELTA / 2);
    EXPECT_EQ(View(), 2 * static_cast<int>(lines));
    Wheel(-2 * WHEEL_DELTA);
    EXPECT_EQ(View(), 0);
    EXPECT_EQ(Bar().nPos, 30);
}

// WM_PAINT draws the view where it stands: a red line in the history shows
// at the top once the view is scrolled back to it.
TEST_F(ConsolePaneTest, PaintsTheScrolledBackView) {
    pane.Write("\x1b[0;41m" + std::string(12, ' ') + "\x1b[0m\n");
    Lines(10);
    // Column 10 of the top row: red in the first line, blank in the others.
    const int x = 10 * Consout_GetFontWidth(console.get()) + 1;
    const auto atTop = [&] {
        RedrawWindow(pane.Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        HDC dc = GetDC(pane.Window());
        const COLORREF c = GetPixel(dc, x, 1);
        ReleaseDC(pane.Window(), dc);
        return c;
    };
    EXPECT_EQ(atTop(), RGB(0, 0, 0));
    Scroll(SB_TOP);
    EXPECT_EQ(atTop(), RGB(0xC0, 0, 0));
    Scroll(SB_BOTTOM);
    EXPECT_EQ(atTop(), RGB(0, 0, 0));
}

TEST_F(ConsolePaneTest, LetsGoOfTheConsoleWithItsWindow) {
    DestroyWindow(pane.Window());
    EXPECT_EQ(pane.Window(), nullptr);
    for (int i = 0; i < 10; ++i) Consout_Putchar(console.get(), '\n');  // no notify left
    EXPECT_EQ(Consout_GetLinecnt(console.get()), 5 + 6);
    // A new window for the same pane object and console.
    ASSERT_TRUE(pane.Create(Parent(), 7, 0, 0, console.get()));
    EXPECT_EQ(Bar().nPos, 6);
}

}  // namespace
