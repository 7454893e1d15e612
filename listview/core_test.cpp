// The list view's window-free parts: geometry, row text, and the entry
// operations where bad input and exhausted memory are easiest to reach.
#include <gtest/gtest.h>

#include <string.h>

#include <string>

#include "library/alloc.h"
#include "listview/entries.h"
#include "listview/geometry.h"
#include "listview/rowtext.h"
#include "recordlist/listline.h"

namespace zubo::listview {
namespace {

TEST(Geometry, KeepVisibleRule) {
    const struct {
        int32_t size, top, page, a;
        bool pullUp;
        int32_t newTop;
        bool stayed;
    } cases[] = {
        {100, 0, 10, 9, false, 1, false},   // the last row of the page: one row margin
        {100, 0, 3, 3, false, 1, false},    // three rows: no margin
        {20, 15, 10, 12, true, 11, true},   // pulled up to 11 first, then in view
        {5, 0, 10, 5, false, 0, true},      // everything fits
        {5, 0, 0, 0, false, 1, false},      // no page at all
    };
    for (const auto &c : cases) {
        const KeepVisiblePlan p = PlanKeepVisible(c.size, c.top, c.page, c.a);
        EXPECT_EQ(p.pullUp, c.pullUp) << c.size << "/" << c.top << "/" << c.a;
        EXPECT_EQ(p.top, c.newTop) << c.size << "/" << c.top << "/" << c.a;
        EXPECT_EQ(p.stayed, c.stayed) << c.size << "/" << c.top << "/" << c.a;
    }
    EXPECT_EQ(TopRowAfterLayout(100, 95, 10) * 100 + TopRowAfterLayout(5, 3, 10), 9100);
    EXPECT_EQ(CellMetricsFromFont(1, 0, 0).charWidth * CellMetricsFromFont(1, 0, 0).lineHeight, 1);
    // Half the widest character, never less than the single-width advance.
    EXPECT_EQ(CellMetricsFromFont(16, 8, 20).charWidth, 8);
    EXPECT_EQ(CellMetricsFromFont(21, 8, 20).charWidth, 10);
    EXPECT_EQ(CellMetricsFromFont(10, 10, 19).charWidth, 10);
    EXPECT_EQ(CellMetricsFromFont(10, 0, 19).charWidth, 5);
}

std::string Row(const char *name, const char *name2, int32_t n1, const char *comment,
                size_t cap = kRowTextMax) {
    GdirlistEntry e = {const_cast<char *>(name), const_cast<char *>(name2), n1, -4,
                       const_cast<char *>(comment), 0};
    char out[kRowTextMax];
    const size_t n = FormatRowText(&e, ColumnWidths{12, 16, 9, 9}, out, cap);
    EXPECT_EQ(n, strlen(out));
    return out;
}

TEST(RowText, ColumnsAreCutPaddedOrWidened) {
    EXPECT_EQ(Row("abc", "song.gp4", 120, "note"),
              "         abc/song.gp4               120        -4 note");
    EXPECT_EQ(Row("abcdefghijklmnop", "0123456789abcdefXYZ", INT32_MIN, "note"),
              "abcdefghijkl/0123456789abcdef -2147483648        -4 note");
    EXPECT_EQ(Row(nullptr, nullptr, 0, nullptr), std::string(12, ' ') + "/" +
                                                     std::string(16, ' ') + "         0        -4 ");
    const std::string comment(2000, 'c');
    EXPECT_EQ(Row("a", "b", 1, comment.c_str()).size(), kRowTextMax - 1);  // the row limit
    EXPECT_EQ(Row("a", "b", 1, comment.c_str(), 14), "           a/");
}

struct EntriesTest : ::testing::Test {
    Gdirlist *list = CreateGdirlist(), *removed = CreateGdirlist();
    ~EntriesTest() override {
        SetAllocationBudget(-1);
        Gdirlist_Release(list);
        Gdirlist_Release(removed);
    }
    // One entry per letter; upper-case letters are marked.
    void Fill(const char *names, int32_t cursor) {
        Gdirlist_DeleteAll(list);
        for (const char *p = names; *p; ++p) {
            char name[2] = {*p, 0};
            GdirlistEntry e = {name, name, 1, 2, name, *p < 'a' ? 1u : 0u};
            Gdirlist_Add(list, &e);
        }
        Gdirlist_SetCurPos(list, cursor);
    }
    std::string Names(Gdirlist *l) {
        std::string s;
        for (int32_t i = 0; i < Gdirlist_GetSize(l); ++i) s += Gdirlist_GetDataPtr(l, i)->name;
        return s;
    }
};

TEST_F(EntriesTest, DeleteMarkedPlacesTheCursor) {
    const struct {
        const char *names;
        int32_t cursor;
        const char *left;
        int32_t newCursor;
    } cases[] = {
        {"aBCd", 2, "ad", 0},  // a marked cursor entry: the last unmarked one above
        {"ABc", 1, "c", 0},    // none above: row 0
        {"Ab", 2, "b", 1},     // the end row stays the end row
        {"AbCd", 3, "bd", 1},  // an unmarked cursor entry keeps the cursor
        {"ABC", 3, "", 0},
    };
    for (const auto &c : cases) {
        Fill(c.names, c.cursor);
        EXPECT_EQ(DeleteMarkedEntries(list), c.newCursor) << c.names;
        EXPECT_EQ(Names(list), c.left) << c.names;
        EXPECT_EQ(Gdirlist_GetCurPos(list), c.newCursor) << c.names;
    }
}

TEST_F(EntriesTest, RemoveAndRestoreWithoutMemoryChangeNothing) {
    Fill("abc", 1);
    SetAllocationBudget(0);
    EXPECT_FALSE(RemoveCursorEntry(list, removed));
    SetAllocationBudget(-1);
    ASSERT_TRUE(RemoveCursorEntry(list, removed));
    SetAllocationBudget(1);  // the node, but not its texts
    EXPECT_FALSE(RestoreRemovedEntry(list, removed));
    SetAllocationBudget(-1);
    EXPECT_EQ(Names(list) + Names(removed), "acb");
    EXPECT_EQ(Gdirlist_GetCurPos(removed), 1);  // still at its end
    EXPECT_TRUE(RestoreRemovedEntry(list, removed));
    EXPECT_EQ(Names(list), "abc");
}

// A line that does not fit the block with the final terminator ends the
// copied text; each line stays whole.
TEST_F(EntriesTest, CopiedTextEndsBeforeALineThatDoesNotFit) {
    Fill("ABc", 0);
    char out[64];
    EXPECT_EQ(WriteMarkedText(list, out, sizeof out), 54u);  // A and B, 27 bytes each
    EXPECT_EQ(WriteMarkedText(list, out, 54), 27u);
    EXPECT_EQ(std::string(out), "A\t        1\t        2\tA\tA\r\n");
}

TEST_F(EntriesTest, PastedLines) {
    const std::string longName(300, 'n'), longLine = "a 1 2 b ;" + std::string(2000, 'c');
    const struct {
        std::string text;
        const char *names;
    } cases[] = {
        {"a\t1\t2\tx\tc\r\nb 3 4\r\n", "ab"},  // a closing CR LF gives no extra entry
        {"a 1 2\r\nb 3\r\nc 5 6\r\n", "a"},     // a two-field line ends the paste
        {"a 1 2 x\nb 3 4 y\n", "a"},            // LF alone ends no line
        {";note\r\n\r\n \r\nd 1 2", "d"},        // comment and blank lines
        {"a 1 2\rXb 3 4\r", "ab"},              // the byte after a CR is skipped
        {longLine + "\r\nz 1 2\r\n", "az"},      // the rest of a long line is no line
        {longName + " 1 2 " + longName, "n"},
        {"", ""},
        {"a 1 2\r\nb 3 4 x\x1a\r\nc 5 6\r\n", "ab"},  // 0x1A ends the text, as in a file
        {"a 1 2\r\x1a" "b 3 4", "a"},                     // also right after a CR
        {"\x1a" "a 1 2", ""},
    };
    for (const auto &c : cases) {
        Fill("Z", 0);  // pasted entries go above the cursor entry, unmarked
        EXPECT_EQ(InsertListText(list, c.text.c_str()), static_cast<int32_t>(strlen(c.names)));
        std::string firsts;
        for (int32_t i = 0; i < Gdirlist_GetSize(list); ++i) {
            const GdirlistEntry *e = Gdirlist_GetDataPtr(list, i);
            firsts += e->name[0];
            EXPECT_LT(strlen(e->name) + strlen(e->name2) + strlen(e->comment),
                      3 * recordlist::kListTextMax);
            EXPECT_EQ(e->flags, i + 1 < Gdirlist_GetSize(list) ? 0u : 1u);
        }
        EXPECT_EQ(firsts, std::string(c.names) + "Z") << c.text.substr(0, 20);
    }
    SetAllocationBudget(4);  // one entry: the node and its three texts
    Fill("", 0);
    EXPECT_EQ(InsertListText(list, "a 1 2 x y\r\nb 1 2 x y\r\n"), 1);
}

}  // namespace
}  // namespace zubo::listview
