// The screen buffer's ring, resize and allocation failures, seen from the
// inside (slots, cells, the ring invariants).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "console/screen.h"
#include "console/test_support.h"
#include "library/alloc.h"
#include "library/heap_test_support.h"

using namespace zubo_test;

namespace {

// Which text (by first byte) each ring slot holds; '-' for an empty slot,
// ' ' for a blank line.
std::string SlotLetters(Consout *c) {
    std::string s;
    for (int32_t i = 0; i < c->maxline; ++i) {
        ConsoutLine *line = zubo::console::Lines(c)[i];
        s += line ? static_cast<char>(zubo::console::Cells(line)[0].code) : '-';
    }
    return s;
}

int32_t Notified(Consout *, ZuboUserValue user) {
    ++*reinterpret_cast<int *>(user);
    return 0;
}

TEST(ConsoleScreen, CreationFillsTheScreenWithBlankLines) {
    Console c(80, 25, 200);
    ASSERT_NE(c.c, nullptr);
    EXPECT_EQ(c->consHeight, 25);
    EXPECT_EQ(c->linecnt, 25);
    EXPECT_EQ(c->nextLine, 25);
    EXPECT_EQ(c->screenTop, 0);
    EXPECT_EQ(c->viewTop, 0);
    EXPECT_EQ(Consout_GetMaxline(c), 200);
    EXPECT_EQ(Consout_GetLinecnt(c), 25);
    for (int32_t y = 0; y < 25; ++y)
        for (int32_t x = 0; x < 80; ++x) {
            ASSERT_EQ(Cell(c, x, y).code, 0x0020);
            ASSERT_EQ(Cell(c, x, y).attr, 0xF0);
        }
    EXPECT_EQ(zubo::console::Lines(c.c)[25], nullptr);
    ExpectDirty(c, 0, 0, 80, 25);
    EXPECT_RING_OK(c);

    Console full(80, 30, 20);  // the height is cut to the ring: full at once
    EXPECT_EQ(full->consHeight, 20);
    EXPECT_EQ(full->linecnt, 20);
    EXPECT_EQ(full->firstLine, 0);
    EXPECT_EQ(full->nextLine, 0);
    EXPECT_EQ(Consout_SetViewline(full, 1), 0);
    EXPECT_RING_OK(full);
}

TEST(ConsoleScreen, SizesBelowOneAndFailedAllocationsGiveNoConsole) {
    EXPECT_EQ(CreateConsout(0, 25, 100), nullptr);
    EXPECT_EQ(CreateConsout(80, 0, 100), nullptr);
    EXPECT_EQ(CreateConsout(80, 25, 0), nullptr);
    EXPECT_EQ(CreateConsout(-1, 25, 100), nullptr);
    // Every allocation of the creation in turn fails: the record, then each
    // of the 5 lines. Whatever was allocated is freed at once.
    for (long budget = 0; budget < 6; ++budget) {
        HeapWatch heap;
        zubo::SetAllocationBudget(budget);
        EXPECT_EQ(CreateConsout(10, 5, 8), nullptr) << budget;
        zubo::SetAllocationBudget(-1);
        EXPECT_EQ(heap.BytesHeldSince(), 0) << budget;
    }
    zubo::SetAllocationBudget(6);
    Consout *c = CreateConsout(10, 5, 8);
    zubo::SetAllocationBudget(-1);
    ASSERT_NE(c, nullptr);
    Consout_Release(c);
    Consout_Release(nullptr);
}

// One column of the worked scroll: ring slots (by first letter), counters,
// screen rows and cursor row.
struct RingState {
    const char *slots;
    int32_t linecnt, firstLine, nextLine, screenTop, viewTop;
    const char *rows[3];
    int32_t curY;
};

void ExpectRing(Consout *c, const RingState &s) {
    EXPECT_EQ(SlotLetters(c), s.slots);
    EXPECT_EQ(c->linecnt, s.linecnt);
    EXPECT_EQ(c->firstLine, s.firstLine);
    EXPECT_EQ(c->nextLine, s.nextLine);
    EXPECT_EQ(c->screenTop, s.screenTop);
    EXPECT_EQ(c->viewTop, s.viewTop);
    for (int32_t y = 0; y < 3; ++y) EXPECT_EQ(Row(c, y), s.rows[y]) << y;
    EXPECT_EQ(Consout_GetCurY(c), s.curY);
    EXPECT_RING_OK(c);
}

// maxline 5, width 4, height 3: twenty bytes, four cells each of A ... E.
// The wrap after the twentieth byte is the first line feed with a full ring.
TEST(ConsoleScreen, WorkedScrollWithAFullRing) {
    Console c(4, 3, 5);
    for (char ch : std::string("ABCD")) Feed(c, std::string(4, ch));
    Feed(c, "EEE");
    // As the line feed begins (only the last E is still to come).
    ExpectRing(c, {"ABCDE", 5, 0, 0, 2, 2, {"CCCC", "DDDD", "EEE "}, 2});
    ConsoutLine *lineA = zubo::console::Lines(c.c)[0];
    Feed(c, "E");
    ExpectRing(c, {" BCDE", 5, 1, 1, 3, 3, {"DDDD", "EEEE", "    "}, 2});
    EXPECT_EQ(zubo::console::Lines(c.c)[0], lineA);  // A was cleared in place
    EXPECT_EQ(Consout_GetCurX(c), 0);
    EXPECT_EQ(Consout_SetViewline(c, 2), 1);
    EXPECT_EQ(Consout_SetViewline(c, 3), 0);
}

TEST(ConsoleScreen, ScrollFillsTheRingThenReusesTheOldestLine) {
    Console c(10, 3, 6);
    int notes = 0;
    Consout_SetScrollNotifyProc(c, Notified, reinterpret_cast<ZuboUserValue>(&notes));
    Consout_MoveCurDownMost(c);
    Consout_DirtyClean(c);
    for (int32_t i = 1; i <= 3; ++i) {
        EXPECT_EQ(Consout_MoveCurDown(c), 1);
        EXPECT_EQ(Consout_GetLinecnt(c), 3 + i);
    }
    ExpectDirty(c, 0, 0, 10, 3);
    ConsoutLine *oldest = zubo::console::Lines(c.c)[0];
    EXPECT_EQ(Consout_MoveCurDown(c), 1);
    EXPECT_EQ(Consout_GetLinecnt(c), 6);
    EXPECT_EQ(zubo::console::Lines(c.c)[0], oldest);  // cleared in place
    EXPECT_EQ(c->screenTop, 4);
    EXPECT_EQ(notes, 4);
    EXPECT_RING_OK(c);
}

TEST(ConsoleScreen, ViewLineFollowsOutput) {
    Console c(10, 5, 50);
    int notes = 0;
    Consout_SetScrollNotifyProc(c, Notified, reinterpret_cast<ZuboUserValue>(&notes));
    Consout_MoveCurDownMost(c);
    for (int i = 0; i < 4; ++i) Consout_MoveCurDown(c);
    notes = 0;
    Consout_DirtyClean(c);
    EXPECT_EQ(Consout_SetViewline(c, 5), 0);  // linecnt - consHeight is 4
    EXPECT_EQ(c->dirtyLeft, DIRTY_CLEAN);
    EXPECT_EQ(Consout_SetViewline(c, -1), 0);
    EXPECT_EQ(Consout_SetViewline(c, 3), 1);
    EXPECT_EQ(Consout_GetViewline(c), 3);
    ExpectDirty(c, 0, -3, 10, 2);  // the rows the view shows: 3 above the screen
    EXPECT_EQ(notes, 0);
    Consout_ClearScreen(c);
    EXPECT_EQ(Consout_GetViewline(c), 3);  // clearing keeps the view
    Consout_MoveCurDownMost(c);
    Consout_MoveCurDown(c);
    EXPECT_EQ(Consout_GetViewline(c), 0);
    EXPECT_EQ(notes, 1);
    EXPECT_RING_OK(c);
}

// A cell is half the widest character, as ever where that is at least the
// single-width advance, and the advance where it is not (a Western font
// whose widest character is its narrow one). The stand-in font handle
// carries the advance in bits 32-47.
TEST(ConsoleScreen, CellWidthIsHalfTheWidestButNeverLessThanTheAdvance) {
    if (sizeof(uintptr_t) < 8) GTEST_SKIP() << "the stand-in font has no room for the advance";
    struct Case {
        uint64_t widest, advance, height;
        int32_t cell;
    } const cases[] = {
        {16, 8, 16, 8},   // a Japanese font made for the rule: unchanged
        {21, 8, 20, 10},  // half the widest is more than the advance: unchanged
        {18, 8, 16, 9},
        {10, 10, 19, 10}, // widest = narrow: the advance, not 5
        {16, 0, 16, 8},   // advance unknown: half the widest
        {1, 0, 4, 1},     // never below 1
    };
    for (const Case &k : cases) {
        Console c(10, 3, 10);
        void *font = reinterpret_cast<void *>(
            static_cast<uintptr_t>(k.advance << 32 | k.widest << 16 | k.height));
        Consout_DirtyClean(c);
        EXPECT_TRUE(zubo::console::ApplyFont(c, font));
        EXPECT_EQ(Consout_GetFontWidth(c), k.cell) << k.widest << "/" << k.advance;
        EXPECT_EQ(Consout_GetFontHeight(c), static_cast<int32_t>(k.height));
        ExpectDirty(c, 0, 0, 10, 3);
    }
}

TEST(ConsoleScreen, NarrowingKeepsLinesAndWideningShowsTheTextAgain) {
    Console c(80, 25, 100);
    std::string text;
    for (int i = 0; i < 80; ++i) text += static_cast<char>('0' + i % 10);
    Feed(c, text);
    Feed(c, text.substr(0, 70));
    EXPECT_EQ(Consout_GetCurX(c), 70);
    int notes = 0;
    Consout_SetScrollNotifyProc(c, Notified, reinterpret_cast<ZuboUserValue>(&notes));
    EXPECT_EQ(Consout_SetConsSize(c, 40, 25), 25);
    EXPECT_EQ(Consout_GetCurX(c), 39);
    EXPECT_EQ(zubo::console::ScreenLine(c, 0)->count, 80);
    EXPECT_EQ(Consout_SetConsSize(c, 80, 25), 25);
    EXPECT_EQ(Row(c, 0), text);
    EXPECT_EQ(Row(c, 1), text.substr(0, 70) + std::string(10, ' '));
    EXPECT_EQ(notes, 2);
    // Widening past the old width copies each line into a longer one.
    Consout_SetAttr(c, 0x14);
    EXPECT_EQ(Consout_SetConsSize(c, 100, 25), 25);
    EXPECT_EQ(Row(c, 0), text + std::string(20, ' '));
    EXPECT_EQ(Cell(c, 85, 0).attr, 0x14);
    EXPECT_EQ(Cell(c, 5, 0).attr, 0xF0);
    EXPECT_RING_OK(c);
}

TEST(ConsoleScreen, ShrinkingKeepsOrDropsTheCursorLine) {
    Console c(20, 25, 100);
    Consout_MoveCur(c, 3, 20);
    Feed(c, "X");
    EXPECT_EQ(Consout_SetConsSize(c, 20, 10), 10);
    EXPECT_EQ(Consout_GetCurY(c), 5);
    EXPECT_EQ(Consout_GetCurX(c), 4);
    EXPECT_EQ(Row(c, 5).substr(3, 1), "X");

    Console d(20, 25, 100);
    Consout_MoveCur(d, 7, 3);
    EXPECT_EQ(Consout_SetConsSize(d, 20, 10), 10);
    EXPECT_EQ(Consout_GetCurY(d), 0);
    EXPECT_EQ(Consout_GetCurX(d), 7);
    EXPECT_RING_OK(c);
    EXPECT_RING_OK(d);
}

TEST(ConsoleScreen, GrowingTakesRowsFromTheScrollBackFirst) {
    Console c(10, 25, 200);
    // 100 lines of scroll-back, each numbered by its first byte.
    Consout_MoveCurDownMost(c);
    for (int i = 0; i < 100; ++i) {
        Feed(c, std::string(1, static_cast<char>(0x21 + i)));
        Consout_MoveCurDown(c);
        Consout_MoveCurLeftMost(c);
    }
    Consout_MoveCur(c, 2, 10);
    const int32_t lines = Consout_GetLinecnt(c);
    const std::string cursorRow = Row(c, 10);
    EXPECT_EQ(Consout_SetConsSize(c, 10, 30), 30);
    EXPECT_EQ(Consout_GetLinecnt(c), lines);
    EXPECT_EQ(Consout_GetCurY(c), 15);
    EXPECT_EQ(Row(c, 15), cursorRow);
    EXPECT_EQ(Consout_SetConsSize(c, 10, 500), 200);  // clamped to the ring
    EXPECT_EQ(Consout_GetLinecnt(c), 200);
    EXPECT_RING_OK(c);

    // A ring that is full and as tall as the screen: widening widens every
    // screen line.
    Console f(10, 4, 4);
    EXPECT_EQ(Consout_SetConsSize(f, 30, 4), 4);
    for (int32_t y = 0; y < 4; ++y) EXPECT_EQ(zubo::console::ScreenLine(f, y)->count, 30);
    EXPECT_RING_OK(f);
}

TEST(ConsoleScreen, GrowingIntoShortScrollBackLinesWidensThem) {
    Console c(10, 3, 20);
    Feed(c, "abcdefghij");
    EXPECT_EQ(Consout_SetConsSize(c, 5, 2), 2);
    Feed(c, "\n\n\nvwxyz");  // lines of 5 cells, pushing older ones up
    const int32_t newest = c->nextLine;
    EXPECT_EQ(zubo::console::Lines(c.c)[(newest + 20 - 3) % 20]->count, 5);  // now scroll-back
    EXPECT_EQ(Consout_SetConsSize(c, 12, 6), 6);
    for (int32_t y = 0; y < 6; ++y) EXPECT_GE(zubo::console::ScreenLine(c, y)->count, 12) << y;
    EXPECT_EQ(Row(c, 0), "abcdefghij  ");
    EXPECT_EQ(Row(c, 4), "vwxyz       ");
    EXPECT_RING_OK(c);
}

TEST(ConsoleScreen, RefusedOrFailedResizesChangeNothing) {
    Console c(10, 4, 20);
    Feed(c, "hello");
    EXPECT_EQ(Consout_SetConsSize(c, 0, 4), 4);
    EXPECT_EQ(Consout_SetConsSize(c, 10, -3), 4);
    EXPECT_EQ(Consout_GetConsWidth(c), 10);
    // Growing needs 6 new lines and 4 widened ones (with a list of the
    // latter); any of them failing leaves the console's size, lines and
    // cursor as they were, and the heap as it was.
    for (long budget = 0; budget < 11; ++budget) {
        Console d(10, 4, 20);
        Feed(d, "hello");
        HeapWatch heap;
        zubo::SetAllocationBudget(budget);
        EXPECT_EQ(Consout_SetConsSize(d, 20, 10), 4) << budget;
        zubo::SetAllocationBudget(-1);
        EXPECT_EQ(heap.BytesHeldSince(), 0) << budget;
        for (int32_t y = 0; y < 4; ++y) EXPECT_EQ(zubo::console::ScreenLine(d, y)->count, 10) << budget;
        EXPECT_EQ(Consout_GetConsWidth(d), 10);
        EXPECT_EQ(Consout_GetLinecnt(d), 4);
        EXPECT_EQ(Consout_GetCurX(d), 5);
        EXPECT_EQ(Row(d, 0), "hello     ");
        EXPECT_RING_OK(d);
        EXPECT_EQ(Consout_SetConsSize(d, 20, 10), 10);  // with memory it works
        EXPECT_EQ(Row(d, 0), "hello" + std::string(15, ' '));
        EXPECT_RING_OK(d);
    }
}

// Sizes beyond the limits are refused before the heap is touched at all.
TEST(ConsoleScreen, SizesBeyondTheLimitsAllocateNothing) {
    if (!HeapWatch::Available()) GTEST_SKIP() << "needs the AddressSanitizer allocator";
    Console c(80, 25, 1000), tall(2, 25, CONSOUT_MAX_HEIGHT + 10);
    Feed(c, "hello");
    const int32_t absurd[][3] = {
        {CONSOUT_MAX_WIDTH + 1, 25, 100}, {80, 25, CONSOUT_MAX_LINES + 1},
        {CONSOUT_MAX_CELLS / 1000 + 1, 25, 1000}, {2, CONSOUT_MAX_HEIGHT + 1, CONSOUT_MAX_HEIGHT + 1},
        {CONSOUT_MAX_WIDTH + 1, 1, 1}, {INT32_MAX, INT32_MAX, INT32_MAX},
    };
    HeapWatch heap;
    for (const auto &a : absurd) EXPECT_EQ(CreateConsout(a[0], a[1], a[2]), nullptr) << a[0];
    for (const auto &a : absurd)  // widths beyond the limits, for a ring of 1000
        if (a[0] > 2) {
            EXPECT_EQ(Consout_SetConsSize(c, a[0], a[1]), 25) << a[0];
        }
    EXPECT_EQ(Consout_SetConsSize(tall, 2, CONSOUT_MAX_HEIGHT + 1), 25);
    EXPECT_EQ(Consout_SetConsSize(tall, 2, INT32_MAX), 25);
    EXPECT_EQ(heap.AllocationsSince(), 0);
    EXPECT_EQ(heap.BytesHeldSince(), 0);
    EXPECT_EQ(Consout_GetConsWidth(c), 80);
    EXPECT_EQ(Row(c, 0), "hello" + std::string(75, ' '));
    EXPECT_RING_OK(c);
}

// At the widest width the last column still counts as dirty: columns stay
// below the value that marks a clean rectangle.
TEST(ConsoleScreen, TheLastColumnOfTheWidestConsoleIsDirty) {
    Console c(CONSOUT_MAX_WIDTH, 2, 2);
    ASSERT_NE(c.c, nullptr);
    Consout_DirtyClean(c);
    ASSERT_EQ(Consout_MoveCur(c, CONSOUT_MAX_WIDTH - 1, 0), 1);
    Feed(c, "x");
    ExpectDirty(c, CONSOUT_MAX_WIDTH - 1, 0, CONSOUT_MAX_WIDTH, 1);
    EXPECT_LT(c->dirtyLeft, DIRTY_CLEAN);
    EXPECT_RING_OK(c);
}

TEST(ConsoleScreen, ScrollWithoutMemoryKeepsTheScreenGoing) {
    Console c(4, 3, 10);
    Feed(c, "AAAABBBBCCC");
    zubo::SetAllocationBudget(0);
    Feed(c, "C");  // the wrap must scroll but no line can be had
    zubo::SetAllocationBudget(-1);
    EXPECT_EQ(Consout_GetLinecnt(c), 3);
    EXPECT_EQ(Row(c, 0), "BBBB");
    EXPECT_EQ(Row(c, 1), "CCCC");
    EXPECT_EQ(Row(c, 2), "    ");
    EXPECT_EQ(Consout_GetCurY(c), 2);
    EXPECT_RING_OK(c);

    // A full ring whose oldest line is too short for the screen must be
    // replaced; without memory the screen rotates the same way.
    Console f(4, 2, 3);
    Feed(f, "\n\n");
    ASSERT_EQ(Consout_SetConsSize(f, 6, 2), 2);  // the oldest line keeps 4 cells
    Feed(f, "XXXXXX");
    zubo::SetAllocationBudget(0);
    Feed(f, "\n");
    zubo::SetAllocationBudget(-1);
    EXPECT_EQ(Row(f, 0), "      ");
    EXPECT_RING_OK(f);
}

}  // namespace
