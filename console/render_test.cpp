// Drawing, apart from GDI: which rows and columns a rectangle draws, runs of
// equal attribute and the dirty rectangle in pixels. Native cells are 8 x 16
// pixels (the stand-in stock font).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "console/render.h"
#include "console/test_support.h"

using namespace zubo_test;

namespace {

struct TextOut {
    int32_t x, y;
    uint16_t attr;
    std::string text;
};

struct Recorder final : zubo::console::RunSink {
    std::vector<TextOut> runs;
    int begins = 0, ends = 0;
    void Begin() override { ++begins; }
    void End() override { ++ends; }
    void Run(int32_t x, int32_t y, uint16_t attr, const char *bytes, int32_t n) override {
        runs.push_back({x, y, attr, std::string(bytes, n)});
    }
};

Recorder Draw(Consout *c, int32_t x, int32_t y, int32_t w, int32_t h, int32_t ox = 0,
              int32_t oy = 0, int32_t *result = nullptr) {
    Recorder r;
    const int32_t got = zubo::console::DrawView(c, r, ox, oy, x, y, w, h);
    if (result) *result = got;
    EXPECT_EQ(r.begins, got);
    EXPECT_EQ(r.ends, got);
    return r;
}

// Writes one row of text: line y gets "0123456789..." in attribute 0xF0.
void FillRows(Consout *c, int32_t rows) {
    for (int32_t y = 0; y < rows; ++y) {
        Consout_MoveCur(c, 0, y);
        std::string row;
        for (int32_t x = 0; x < c->consWidth; ++x) row += static_cast<char>('0' + (x + y) % 10);
        Feed(c, row.substr(0, c->consWidth - 1));
    }
}

TEST(ConsoleRender, RectanglesDrawEveryColumnTheyTouch) {
    Console c(10, 4, 10);
    FillRows(c, 4);
    ASSERT_EQ(c->fontWidth, 8);
    ASSERT_EQ(c->baselineskip, 16);
    Recorder r = Draw(c, 13, 0, 10, 1);
    ASSERT_EQ(r.runs.size(), 1u);
    EXPECT_EQ(r.runs[0].x, 8);
    EXPECT_EQ(r.runs[0].text, "12");
    r = Draw(c, 16, 20, 16, 13, 5, 7);  // rows 1 and 2, origin subtracted
    ASSERT_EQ(r.runs.size(), 2u);
    EXPECT_EQ(r.runs[0].text, "34");
    EXPECT_EQ(r.runs[0].x, 16 - 5);
    EXPECT_EQ(r.runs[0].y, 16 - 7);
    EXPECT_EQ(r.runs[1].y, 32 - 7);
    // Taller than the view: stops after the last row.
    r = Draw(c, 0, 0, 1000, 1000);
    ASSERT_EQ(r.runs.size(), 4u);
    EXPECT_EQ(r.runs[3].text, "345678901 ");
}

TEST(ConsoleRender, RectanglesStartingBeyondTheScreen) {
    Console c(10, 4, 10);
    int32_t result = -1;
    Recorder r = Draw(c, 0, 64, 80, 16, 0, 0, &result);  // exactly at H
    EXPECT_EQ(result, 1);
    EXPECT_TRUE(r.runs.empty());
    Draw(c, 81, 0, 8, 8, 0, 0, &result);
    EXPECT_EQ(result, 0);
    Draw(c, 0, 65, 8, 8, 0, 0, &result);
    EXPECT_EQ(result, 0);
    r = Draw(c, 16, 0, 0, 16, 0, 0, &result);  // width 0 draws nothing
    EXPECT_EQ(result, 1);
    EXPECT_TRUE(r.runs.empty());
    // Negative positions are cut at the view's edge.
    r = Draw(c, -20, -40, 36, 50);
    ASSERT_EQ(r.runs.size(), 1u);
    EXPECT_EQ(r.runs[0].x, 0);
    EXPECT_EQ(r.runs[0].y, 0);
    EXPECT_EQ(r.runs[0].text.size(), 2u);
    EXPECT_TRUE(Draw(c, INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX).runs.empty());
    EXPECT_EQ(Draw(c, 0, 0, INT32_MAX, INT32_MAX, INT32_MIN, INT32_MAX).runs.size(), 4u);
}

// A negative width or height is not raised to 0: the offset into the first
// cell or row is added to it as it is.
TEST(ConsoleRender, NegativeWidthsAndHeightsTakeTheOffsetAsTheyAre) {
    Console c(10, 4, 10);
    FillRows(c, 4);
    int32_t result = -1;
    Recorder r = Draw(c, 8 + 1, 0, -1, 16, 0, 0, &result);  // width 1 - 1 = 0
    EXPECT_EQ(result, 1);
    EXPECT_TRUE(r.runs.empty());
    r = Draw(c, 0, 16 + 1, 16, -1);  // height 1 - 1 = 0
    EXPECT_TRUE(r.runs.empty());
    r = Draw(c, 8 + 3, 16 + 5, -1, -2);  // width 2, height 3: cell (1, 1)
    ASSERT_EQ(r.runs.size(), 1u);
    EXPECT_EQ(r.runs[0].x, 8);
    EXPECT_EQ(r.runs[0].y, 16);
    EXPECT_EQ(r.runs[0].text, "2");
    EXPECT_TRUE(Draw(c, 8 + 1, 0, INT32_MIN, 16).runs.empty());
    EXPECT_TRUE(Draw(c, 0, 16 + 1, 16, INT32_MIN).runs.empty());
}

TEST(ConsoleRender, ZeroWidthAtColumnZeroLooksAtNoCellBeforeIt) {
    // 0x1041 columns: the count in front of the cells reads like a
    // WIDE_FIRST code word if it were taken for the cell before column 0.
    Console c(0x1041, 2, 4);
    EXPECT_TRUE(Draw(c, 0, 0, 0, 16).runs.empty());
}

TEST(ConsoleRender, DoubleWidthCharactersCutByAnEdgeAreDrawnWhole) {
    Console c(10, 2, 4);
    Consout_MoveCur(c, 3, 0);
    Feed(c, "\x88\x9f");  // columns 3 and 4
    Recorder r = Draw(c, 4 * 8, 0, 8, 16);
    ASSERT_EQ(r.runs.size(), 1u);
    EXPECT_EQ(r.runs[0].x, 24);
    EXPECT_EQ(r.runs[0].text, "\x88\x9f");
    r = Draw(c, 0, 0, 4 * 8, 16);
    ASSERT_EQ(r.runs.size(), 1u);
    EXPECT_EQ(r.runs[0].text, "   \x88\x9f");
    // The view can reach past the newest line only when the view is taller
    // than the ring holds lines, which never happens: stop after it.
    r = Draw(c, 0, 0, 80, 32);
    EXPECT_EQ(r.runs.size(), 2u);
}

TEST(ConsoleRender, RunsSplitOnAnyAttributeBitAndStopAtRunMax) {
    Console c(1100, 2, 2);
    // Bit 9 draws nothing but still splits runs.
    Consout_SetAttr(c, 0x20F);
    Feed(c, "y");
    EXPECT_EQ(Draw(c, 0, 0, 4 * 8, 16).runs.size(), 2u);
    // A double-width character at RUN_MAX - 1 ... RUN_MAX would be cut by
    // the buffer's end: the first run ends before it.
    Consout_SetAttr(c, ATTR_DEFAULT);
    Consout_MoveCur(c, RUN_MAX - 1, 1);
    Feed(c, "\x88\x9f");
    Recorder r = Draw(c, 0, 16, 1100 * 8, 16);
    ASSERT_EQ(r.runs.size(), 2u);
    EXPECT_EQ(r.runs[0].text.size(), static_cast<size_t>(RUN_MAX - 1));
    EXPECT_EQ(r.runs[1].text.substr(0, 2), "\x88\x9f");
    EXPECT_EQ(r.runs[1].x, (RUN_MAX - 1) * 8);
}

// Each line of the ring in its own attribute and text, so that any line
// drawn in a wrong place shows in the runs.
void FillRing(Consout *c, int32_t lines) {
    for (int32_t k = 0; k < lines; ++k) {
        Consout_SetAttr(c, 0x10 + k % 0xF0);
        Feed(c, "line " + std::to_string(k) + "\r\n");
    }
}

bool SameRuns(const Recorder &a, const Recorder &b) {
    if (a.runs.size() != b.runs.size()) return false;
    for (size_t i = 0; i < a.runs.size(); ++i) {
        const TextOut &x = a.runs[i], &y = b.runs[i];
        if (x.x != y.x || x.y != y.y || x.attr != y.attr || x.text != y.text) return false;
    }
    return true;
}

// After the view is scrolled back, the next update draws the whole view:
// the same text outputs as drawing all of it, however far back it stands.
// Cells written meanwhile draw where the view shows their row (or not at
// all when it lies below the view), and anything that marks the whole
// screen dirty keeps the whole view dirty.
TEST(ConsoleRender, UpdateAfterScrollingBackDrawsTheWholeView) {
    const int32_t h = 4;
    for (int32_t v : {1, h - 1, h, h + 3}) {
        for (int step = 0; step < 4; ++step) {
            Console c(12, h, 40);
            Consout_SetOutputMode(c, OUTMODE_ENABLE | OUTMODE_NEWLINE_CR);
            FillRing(c, 20);
            Consout_DirtyClean(c);
            ASSERT_EQ(Consout_SetViewline(c, v), 1);
            if (step == 1) {  // a cell on every screen row
                for (int32_t y = 0; y < h; ++y) {
                    Consout_MoveCur(c, 2 * y, y);
                    Feed(c, "*");
                }
            } else if (step == 2) {
                Consout_ClearScreen(c);
            } else if (step == 3) {
                Consout_SetBaselineskip(c, 16);
            }
            int32_t rect[4];
            zubo::console::DirtyRectPixels(c, rect);
            EXPECT_EQ(rect[0], 0) << v << "/" << step;
            EXPECT_EQ(rect[1], 0) << v << "/" << step;
            EXPECT_GE(rect[2], 12 * 8) << v << "/" << step;
            EXPECT_GE(rect[3], h * 16) << v << "/" << step;
            const Recorder whole = Draw(c, 0, 0, 12 * 8, h * 16);
            Recorder update;
            zubo::console::UpdateView(c, update, 0, 0);
            EXPECT_TRUE(SameRuns(update, whole)) << v << "/" << step;
            ASSERT_EQ(whole.runs.empty(), false);
            EXPECT_EQ(whole.runs[0].y, 0);
            EXPECT_EQ(c->dirtyLeft, DIRTY_CLEAN);
            EXPECT_RING_OK(c);
        }
    }
    // Written after the update, a cell draws alone, at the view row where
    // its screen row shows; a line feed brings the view back to the screen
    // and marks the screen dirty as ever.
    Console c(12, h, 40);
    Consout_SetOutputMode(c, OUTMODE_ENABLE | OUTMODE_NEWLINE_CR);
    FillRing(c, 20);
    ASSERT_EQ(Consout_SetViewline(c, 2), 1);
    Recorder first;
    zubo::console::UpdateView(c, first, 0, 0);
    Consout_MoveCur(c, 3, 1);
    Feed(c, "#");
    Recorder one;
    zubo::console::UpdateView(c, one, 0, 0);
    ASSERT_EQ(one.runs.size(), 1u);
    EXPECT_EQ(one.runs[0].text, "#");
    EXPECT_EQ(one.runs[0].x, 3 * 8);
    EXPECT_EQ(one.runs[0].y, (1 + 2) * 16);
    Consout_MoveCurDownMost(c);
    Consout_MoveCurDown(c);
    EXPECT_EQ(Consout_GetViewline(c), 0);
    ExpectDirty(c, 0, 0, 12, h);
}

TEST(ConsoleRender, ScrolledBackViewAndDirtyRectangle) {
    Console c(10, 4, 20);
    for (int i = 0; i < 6; ++i) Feed(c, std::string(1, static_cast<char>('a' + i)) + "\r\n");
    // Lines a ... f, then a blank: the screen shows d, e, f, blank.
    ASSERT_EQ(Consout_SetViewline(c, 3), 1);
    Recorder r = Draw(c, 0, 0, 8, 64);
    ASSERT_EQ(r.runs.size(), 4u);
    EXPECT_EQ(r.runs[0].text, "a");
    EXPECT_EQ(r.runs[3].text, "d");
    Consout_DirtyClean(c);
    Feed(c, "x");  // row 3
    c->dirtyTop = 0;
    c->dirtyBottom = 2;
    int32_t rect[4];
    zubo::console::DirtyRectPixels(c, rect);
    EXPECT_EQ(rect[1], 3 * 16);
    EXPECT_EQ(rect[3], 5 * 16);
    EXPECT_EQ(rect[0], 0);
    EXPECT_EQ(rect[2], 8);

    // Update of a dirty rectangle below the scrolled-back view: nothing
    // drawn, still cleaned.
    Consout_DirtyClean(c);
    Consout_MoveCur(c, 5, 3);
    Feed(c, "y");
    Recorder u;
    zubo::console::UpdateView(c, u, 0, 0);
    EXPECT_TRUE(u.runs.empty());
    EXPECT_EQ(c->dirtyLeft, DIRTY_CLEAN);
    EXPECT_EQ(c->dirtyBottom, 0);
    EXPECT_EQ(u.begins, 0);  // the rectangle starts below the view
    Consout_SetViewline(c, 0);
    Consout_DirtyClean(c);
    zubo::console::UpdateView(c, u, 0, 0);  // clean: draws nothing
    EXPECT_EQ(u.begins, 0);
}

}  // namespace
