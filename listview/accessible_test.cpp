// The accessible list's window-free rules: child ids, navigation, what a
// selection request does to the marks, and the entry digest.
#include <gtest/gtest.h>

#include <string>

#include "listview/accessible.h"

namespace zubo::listview {
namespace {

std::string Where(int32_t direction, int32_t from, int32_t count) {
    const NavigationTarget t = Navigate(direction, from, count);
    switch (t.kind) {
    case NavigationTarget::Kind::kRefused: return "refused";
    case NavigationTarget::Kind::kNone: return "none";
    case NavigationTarget::Kind::kFound: return std::to_string(t.child);
    }
    return "?";
}

TEST(Accessible, ChildIdsLeaveOutTheEndRow) {
    EXPECT_EQ(ChildAtRow(0, 3), 1);
    EXPECT_EQ(ChildAtRow(2, 3), 3);
    EXPECT_EQ(ChildAtRow(3, 3), kListChild);  // the end row
    EXPECT_EQ(ChildAtRow(7, 3), kListChild);  // below it
    EXPECT_TRUE(IsChild(0, 0));
    EXPECT_TRUE(IsChild(3, 3));
    EXPECT_FALSE(IsChild(4, 3));
    EXPECT_FALSE(IsChild(-1, 3));
    EXPECT_FALSE(RowInView(4, 5, 10));
    EXPECT_TRUE(RowInView(5, 5, 10));
    EXPECT_TRUE(RowInView(14, 5, 10));
    EXPECT_FALSE(RowInView(15, 5, 10));
    EXPECT_FALSE(RowInView(0, 0, 0));
}

TEST(Accessible, NavigationInOneColumn) {
    const int32_t up = 1, down = 2, left = 3, right = 4, next = 5, previous = 6, first = 7,
                  last = 8;
    EXPECT_EQ(Where(first, kListChild, 4), "1");
    EXPECT_EQ(Where(last, kListChild, 4), "4");
    EXPECT_EQ(Where(first, kListChild, 0), "none");
    EXPECT_EQ(Where(last, kListChild, 0), "none");
    EXPECT_EQ(Where(next, 1, 4), "2");
    EXPECT_EQ(Where(down, 3, 4), "4");
    EXPECT_EQ(Where(next, 4, 4), "none");
    EXPECT_EQ(Where(previous, 2, 4), "1");
    EXPECT_EQ(Where(up, 1, 4), "none");
    EXPECT_EQ(Where(left, 2, 4), "none");
    EXPECT_EQ(Where(right, 2, 4), "none");
    EXPECT_EQ(Where(next, kListChild, 4), "none");  // the list's siblings are not its to know
    EXPECT_EQ(Where(first, 2, 4), "refused");       // an entry has no children
    EXPECT_EQ(Where(next, 5, 4), "refused");        // no such child
    EXPECT_EQ(Where(0, 1, 4), "refused");
    EXPECT_EQ(Where(9, 1, 4), "refused");
}

// The marks a plan sets, as "clear, first-last=mark, move" for comparison.
std::string Plan(int32_t flags, int32_t target, int32_t anchor, bool anchorMarked,
                 int32_t count = 10) {
    const SelectPlan p = PlanSelect(flags, target, anchor, anchorMarked, count);
    if (!p.valid) return "invalid";
    std::string s = p.clearAll ? "clear " : "";
    if (p.last >= p.first)
        s += std::to_string(p.first) + "-" + std::to_string(p.last) + "=" + (p.mark ? "1" : "0");
    return s + (p.moveCursor ? " move" : "");
}

TEST(Accessible, SelectionRequestsOnMarks) {
    EXPECT_EQ(Plan(kTakeFocus, 4, 1, false), " move");
    EXPECT_EQ(Plan(kAddSelection, 4, 1, false), "4-4=1");
    EXPECT_EQ(Plan(kRemoveSelection, 4, 1, true), "4-4=0");
    EXPECT_EQ(Plan(kTakeSelection | kTakeFocus, 4, 1, false), "clear 4-4=1 move");
    // Extending gives the rows from the anchor to the target the anchor's
    // mark, unless an add or remove flag says otherwise.
    EXPECT_EQ(Plan(kExtendSelection, 6, 2, true), "2-6=1");
    EXPECT_EQ(Plan(kExtendSelection, 1, 5, false), "1-5=0");
    EXPECT_EQ(Plan(kExtendSelection | kAddSelection, 1, 5, false), "1-5=1");
    EXPECT_EQ(Plan(kExtendSelection | kRemoveSelection | kTakeFocus, 8, 3, true), "3-8=0 move");
    EXPECT_EQ(Plan(kExtendSelection, 7, 10, false), "7-9=0");  // anchor on the end row
    EXPECT_EQ(Plan(0, 4, 1, false), "");
    // Contradictions, unknown flags and rows that are not entries.
    EXPECT_EQ(Plan(kAddSelection | kRemoveSelection, 4, 1, false), "invalid");
    EXPECT_EQ(Plan(kTakeSelection | kAddSelection, 4, 1, false), "invalid");
    EXPECT_EQ(Plan(kTakeSelection | kRemoveSelection, 4, 1, false), "invalid");
    EXPECT_EQ(Plan(kTakeSelection | kExtendSelection, 4, 1, false), "invalid");
    EXPECT_EQ(Plan(0x20, 4, 1, false), "invalid");
    EXPECT_EQ(Plan(kAddSelection, 10, 1, false), "invalid");
    EXPECT_EQ(Plan(kAddSelection, -1, 1, false), "invalid");
}

TEST(Accessible, DigestFollowsWhatTheRowShows) {
    char name[] = "song", name2[] = "song.gp4", comment[] = "fine";
    GdirlistEntry e = {name, name2, 1, 2, comment, 0};
    const uint64_t before = EntryDigest(&e);
    e.flags |= GDIRLIST_MARK;  // the mark is not text
    EXPECT_EQ(EntryDigest(&e), before);
    comment[0] = 'F';  // changed in place
    EXPECT_NE(EntryDigest(&e), before);
    comment[0] = 'f';
    EXPECT_EQ(EntryDigest(&e), before);
    e.num2 = 3;
    EXPECT_NE(EntryDigest(&e), before);
    e.num2 = 2;
    // Texts do not run into each other: "song" + "song.gp4" differs from
    // "songs" + "ong.gp4".
    char moved[] = "songs", rest[] = "ong.gp4";
    GdirlistEntry shifted = {moved, rest, 1, 2, comment, 0};
    EXPECT_NE(EntryDigest(&shifted), before);
    GdirlistEntry empty = {nullptr, nullptr, 1, 2, nullptr, 0};
    char none[] = "";
    GdirlistEntry blank = {none, none, 1, 2, none, 0};
    EXPECT_EQ(EntryDigest(&empty), EntryDigest(&blank));  // a null text shows as an empty one
}

}  // namespace
}  // namespace zubo::listview
