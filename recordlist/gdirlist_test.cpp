// Record list core through its public functions.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "recordlist/checked_test_support.h"
#include "zubo.h"

namespace {

ZUBO_CHECKED_LIST_OPERATIONS;

GdirlistEntry Entry(const char *name, int32_t num1 = 0, uint32_t flags = 0) {
    return GdirlistEntry{const_cast<char *>(name), const_cast<char *>("n2"), num1, 0,
                         const_cast<char *>("c"), flags};
}

struct ListTest : ::testing::Test {
    Gdirlist *list = CreateGdirlist();
    ~ListTest() override { Gdirlist_Release(list); }

    void Fill(std::initializer_list<const char *> names) {
        for (const char *n : names) {
            GdirlistEntry e = Entry(n);
            ASSERT_NE(Gdirlist_Add(list, &e), nullptr);
        }
    }
    std::vector<std::string> Names() {
        std::vector<std::string> out;
        for (int32_t i = 0; i < Gdirlist_GetSize(list); ++i)
            out.push_back(Gdirlist_GetDataPtr(list, i)->name);
        return out;
    }
    std::string CursorName() {
        GdirlistEntry *e = Gdirlist_GetDataPtrCursor(list);
        return e ? e->name : "<end>";
    }
};

TEST_F(ListTest, NewListIsEmptyWithCursorPastTheEnd) {
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(Gdirlist_GetSize(list), 0);
    EXPECT_EQ(Gdirlist_GetCurPos(list), 0);
    EXPECT_EQ(Gdirlist_GetDataPtrCursor(list), nullptr);
    EXPECT_EQ(Gdirlist_CursorUp(list), 0);
    EXPECT_EQ(Gdirlist_CursorDown(list), 0);
    EXPECT_EQ(Gdirlist_DeleteCursor(list), 0);
    EXPECT_EQ(Gdirlist_SetCurPos(list, 5), 0);
    EXPECT_EQ(Gdirlist_GetDataPtr(list, 0), nullptr);
    EXPECT_EQ(Gdirlist_SetFlagAll(list, 7u), 7u);
    EXPECT_EQ(Gdirlist_XorFlagAll(list, 3u), 3u);
}

TEST_F(ListTest, AddCopiesTheTemplateAndCursorPastTheEndTakesTheNewEntry) {
    char name[] = "alpha";
    GdirlistEntry tmpl = {name, nullptr, -5, 7, const_cast<char *>("comment"), 0x81u};
    GdirlistEntry *e = Gdirlist_Add(list, &tmpl);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(Gdirlist_GetDataPtrCursor(list), e);
    EXPECT_EQ(Gdirlist_GetCurPos(list), 0);
    name[0] = 'X';  // the list holds its own copy
    EXPECT_STREQ(e->name, "alpha");
    EXPECT_NE(e->name, tmpl.name);
    EXPECT_EQ(e->name2, nullptr);
    EXPECT_STREQ(e->comment, "comment");
    EXPECT_EQ(e->num1, -5);
    EXPECT_EQ(e->num2, 7);
    EXPECT_EQ(e->flags, 0x81u);
}

TEST_F(ListTest, AddAndInsertCursorAroundAnEntry) {
    Fill({"a", "b", "c"});
    Gdirlist_SetCurPos(list, 1);
    GdirlistEntry d = Entry("d");
    Gdirlist_Add(list, &d);
    EXPECT_EQ(Gdirlist_GetCurPos(list), 1);
    EXPECT_EQ(CursorName(), "b");

    GdirlistEntry x = Entry("x");
    Gdirlist_InsertCursor(list, &x);
    EXPECT_EQ(Names(), (std::vector<std::string>{"a", "x", "b", "c", "d"}));
    EXPECT_EQ(Gdirlist_GetCurPos(list), 2);
    EXPECT_EQ(CursorName(), "b");
}

TEST_F(ListTest, InsertCursorPastTheEndAppendsAndStaysPastTheEnd) {
    Fill({"a", "b", "c"});
    Gdirlist_SetCurPos(list, 3);
    GdirlistEntry x = Entry("x");
    Gdirlist_InsertCursor(list, &x);
    EXPECT_EQ(Gdirlist_GetCurPos(list), 4);
    EXPECT_EQ(Gdirlist_GetDataPtrCursor(list), nullptr);
    EXPECT_EQ(Names().back(), "x");
    GdirlistEntry y = Entry("y");
    Gdirlist_Add(list, &y);
    EXPECT_EQ(Gdirlist_GetCurPos(list), 4);
    EXPECT_EQ(CursorName(), "y");
}

TEST_F(ListTest, InsertAtIndexBoundsAndCursor) {
    Fill({"a", "b"});
    Gdirlist_SetCurPos(list, 1);
    GdirlistEntry x = Entry("x");
    EXPECT_EQ(Gdirlist_Insert(list, &x, -1), nullptr);
    EXPECT_EQ(Gdirlist_Insert(list, &x, 3), nullptr);
    EXPECT_EQ(Gdirlist_GetSize(list), 2);
    EXPECT_NE(Gdirlist_Insert(list, &x, 0), nullptr);
    EXPECT_EQ(Gdirlist_GetCurPos(list), 2);  // still on "b"
    EXPECT_EQ(CursorName(), "b");
    GdirlistEntry y = Entry("y");
    EXPECT_NE(Gdirlist_Insert(list, &y, 3), nullptr);  // index == size appends
    EXPECT_EQ(Names(), (std::vector<std::string>{"x", "a", "b", "y"}));
    EXPECT_EQ(CursorName(), "b");
}

TEST_F(ListTest, DeleteKeepsTheCursorOnItsEntry) {
    Fill({"a", "b", "c", "d"});
    Gdirlist_SetCurPos(list, 2);
    Gdirlist_Delete(list, 0);
    EXPECT_EQ(Gdirlist_GetCurPos(list), 1);
    EXPECT_EQ(CursorName(), "c");
    Gdirlist_Delete(list, 1);  // the cursor entry: cursor moves to the next one
    EXPECT_EQ(Gdirlist_GetCurPos(list), 1);
    EXPECT_EQ(CursorName(), "d");
    Gdirlist_Delete(list, 5);
    Gdirlist_Delete(list, -1);
    EXPECT_EQ(Names(), (std::vector<std::string>{"b", "d"}));
    Gdirlist_Delete(list, 1);  // the last entry under the cursor
    EXPECT_EQ(Gdirlist_GetCurPos(list), 1);
    EXPECT_EQ(Gdirlist_GetDataPtrCursor(list), nullptr);
}

TEST_F(ListTest, DeleteCursorAndDeleteAll) {
    Fill({"a", "b", "c"});
    Gdirlist_SetCurPos(list, 2);
    EXPECT_EQ(Gdirlist_DeleteCursor(list), 2);
    EXPECT_EQ(Gdirlist_GetCurPos(list), 2);  // past the end now
    EXPECT_EQ(Gdirlist_DeleteCursor(list), 2);
    EXPECT_EQ(Gdirlist_DeleteAll(list), 0);
    EXPECT_EQ(Gdirlist_GetSize(list), 0);
    EXPECT_EQ(Gdirlist_GetCurPos(list), 0);
    Fill({"z"});
    EXPECT_EQ(CursorName(), "z");
}

TEST_F(ListTest, CursorMovesAndClamping) {
    Fill({"a", "b", "c"});
    EXPECT_EQ(Gdirlist_SetCurPos(list, -3), 0);
    EXPECT_EQ(Gdirlist_CursorUp(list), 0);
    EXPECT_EQ(Gdirlist_CursorDown(list), 1);
    EXPECT_EQ(Gdirlist_CursorDown(list), 2);
    EXPECT_EQ(Gdirlist_CursorDown(list), 3);
    EXPECT_EQ(Gdirlist_CursorDown(list), 3);
    EXPECT_EQ(Gdirlist_GetDataPtrCursor(list), nullptr);
    EXPECT_EQ(Gdirlist_SetCurPos(list, 13), 3);
    EXPECT_EQ(Gdirlist_CursorUp(list), 2);
    EXPECT_EQ(CursorName(), "c");
}

TEST_F(ListTest, IndexLookupAgreesFromEveryCursorPosition) {
    std::vector<std::string> names;
    for (int i = 0; i < 23; ++i) names.push_back("e" + std::to_string(i));
    for (auto &n : names) {
        GdirlistEntry e = Entry(n.c_str());
        Gdirlist_Add(list, &e);
    }
    for (int32_t c = 0; c <= 23; ++c) {
        for (int32_t k = 0; k < 23; ++k) {
            Gdirlist_SetCurPos(list, c);
            ASSERT_STREQ(Gdirlist_GetDataPtr(list, k)->name, names[k].c_str())
                << "cursor " << c << " index " << k;
            ASSERT_EQ(Gdirlist_GetCurPos(list), c);
            Gdirlist_SetCurPos(list, c);
            ASSERT_EQ(Gdirlist_SetCurPos(list, k), k);
            ASSERT_EQ(CursorName(), names[k]);
        }
    }
}

TEST_F(ListTest, FlagOperationsApplyToTheWholeWord) {
    GdirlistEntry a = Entry("a", 0, 0xF0u), b = Entry("b", 0, 0x01u);
    Gdirlist_Add(list, &a);
    Gdirlist_Add(list, &b);
    EXPECT_EQ(Gdirlist_XorFlagAll(list, 1u), 1u);
    EXPECT_EQ(Gdirlist_GetDataPtr(list, 0)->flags, 0xF1u);
    EXPECT_EQ(Gdirlist_GetDataPtr(list, 1)->flags, 0x00u);
    EXPECT_EQ(Gdirlist_OrFlagAll(list, 0x100u), 0x100u);
    EXPECT_EQ(Gdirlist_AndFlagAll(list, ~1u), ~1u);
    EXPECT_EQ(Gdirlist_GetDataPtr(list, 0)->flags, 0x1F0u);
    EXPECT_EQ(Gdirlist_GetDataPtr(list, 1)->flags, 0x100u);
    EXPECT_EQ(Gdirlist_SetFlagAll(list, 0xDEADBEEFu), 0xDEADBEEFu);
    EXPECT_EQ(Gdirlist_GetDataPtr(list, 1)->flags, 0xDEADBEEFu);
}

TEST_F(ListTest, TextsCanBeReplacedInPlaceWithTheLibraryHeap) {
    Fill({"a"});
    GdirlistEntry *e = Gdirlist_GetDataPtr(list, 0);
    char *old = e->name;
    e->name = Gdirlist_StrDup("replaced");
    Gdirlist_StrFree(old);
    EXPECT_STREQ(Gdirlist_GetDataPtr(list, 0)->name, "replaced");
    EXPECT_EQ(Gdirlist_StrDup(nullptr), nullptr);
    Gdirlist_StrFree(nullptr);
}

TEST(ListRefusals, NullArgumentsAreRefused) {
    GdirlistEntry e = Entry("a");
    EXPECT_EQ(Gdirlist_Add(nullptr, &e), nullptr);
    EXPECT_EQ(Gdirlist_GetSize(nullptr), 0);
    Gdirlist *list = CreateGdirlist();
    EXPECT_EQ(Gdirlist_Add(list, nullptr), nullptr);
    EXPECT_EQ(Gdirlist_InsertCursor(list, nullptr), nullptr);
    EXPECT_EQ(Gdirlist_Insert(list, nullptr, 0), nullptr);
    EXPECT_EQ(Gdirlist_GetSize(list), 0);
    Gdirlist_Release(list);
    Gdirlist_Release(nullptr);
}

// A null list is refused by every function: 0 or null, or the argument for
// the functions that always return one.
TEST(ListRefusals, EveryFunctionAcceptsANullList) {
    GdirlistEntry e = Entry("a");
    auto never = [](const GdirlistEntry *, const GdirlistEntry *, ZuboUserValue) -> int32_t {
        ADD_FAILURE() << "compared on a null list";
        return 0;
    };
    EXPECT_EQ(Gdirlist_GetCurPos(nullptr), 0);
    EXPECT_EQ(Gdirlist_CursorUp(nullptr), 0);
    EXPECT_EQ(Gdirlist_CursorDown(nullptr), 0);
    EXPECT_EQ(Gdirlist_SetCurPos(nullptr, 5), 0);
    EXPECT_EQ(Gdirlist_GetDataPtr(nullptr, 0), nullptr);
    EXPECT_EQ(Gdirlist_GetDataPtrCursor(nullptr), nullptr);
    EXPECT_EQ(Gdirlist_Insert(nullptr, &e, 0), nullptr);
    EXPECT_EQ(Gdirlist_InsertCursor(nullptr, &e), nullptr);
    Gdirlist_Delete(nullptr, 0);
    EXPECT_EQ(Gdirlist_DeleteCursor(nullptr), 0);
    EXPECT_EQ(Gdirlist_DeleteAll(nullptr), 0);
    EXPECT_EQ(Gdirlist_Sort(nullptr, never, 0), nullptr);
    EXPECT_EQ(Gdirlist_SetFlagAll(nullptr, 7u), 7u);
    EXPECT_EQ(Gdirlist_XorFlagAll(nullptr, 6u), 6u);
    EXPECT_EQ(Gdirlist_AndFlagAll(nullptr, 5u), 5u);
    EXPECT_EQ(Gdirlist_OrFlagAll(nullptr, 4u), 4u);
}

TEST_F(ListTest, ANullComparisonLeavesTheListAsItWas) {
    Fill({"c", "a", "b"});
    Gdirlist_SetCurPos(list, 2);
    EXPECT_EQ(Gdirlist_Sort(list, nullptr, 0), list);
    EXPECT_EQ(Names(), (std::vector<std::string>{"c", "a", "b"}));
    EXPECT_EQ(Gdirlist_GetCurPos(list), 2);
}

}  // namespace

#ifdef ZUBO_FAULT_INJECTION
#include "library/alloc.h"

namespace {

ZUBO_CHECKED_LIST_OPERATIONS;

// Every allocation of an insertion (node and three texts) may fail; the
// list must then be exactly as before and nothing may leak.
TEST(ListOutOfMemory, FailedInsertionsLeaveTheListUnchanged) {
    Gdirlist *list = CreateGdirlist();
    GdirlistEntry a = Entry("a");
    Gdirlist_Add(list, &a);
    Gdirlist_Add(list, &a);
    Gdirlist_SetCurPos(list, 1);
    GdirlistEntry full = {const_cast<char *>("x"), const_cast<char *>("y"), 1, 2,
                          const_cast<char *>("z"), 0};
    for (long budget = 0; budget < 4; ++budget) {
        zubo::SetAllocationBudget(budget);
        EXPECT_EQ(Gdirlist_Add(list, &full), nullptr) << budget;
        zubo::SetAllocationBudget(budget);
        EXPECT_EQ(Gdirlist_Insert(list, &full, 0), nullptr) << budget;
        zubo::SetAllocationBudget(budget);
        EXPECT_EQ(Gdirlist_InsertCursor(list, &full), nullptr) << budget;
        zubo::SetAllocationBudget(-1);
        EXPECT_EQ(Gdirlist_GetSize(list), 2);
        EXPECT_EQ(Gdirlist_GetCurPos(list), 1);
        EXPECT_EQ(Gdirlist_GetDataPtrCursor(list), Gdirlist_GetDataPtr(list, 1));
    }
    zubo::SetAllocationBudget(0);
    EXPECT_EQ(CreateGdirlist(), nullptr);
    zubo::SetAllocationBudget(-1);
    EXPECT_NE(Gdirlist_Add(list, &full), nullptr);
    EXPECT_EQ(Gdirlist_GetSize(list), 3);
    Gdirlist_Release(list);
}

}  // namespace
#endif

#ifdef ZUBO_FAULT_INJECTION
// The finger (the node of the last index lookup) seen from inside: after
// every operation it is absent or an entry node of the list standing at
// its index, so that a lookup may start from it.
#include <algorithm>
#include <random>

#include "recordlist/gdirlist.h"
#include "recordlist/invariants.h"
#include "recordlist/sort.h"

namespace {

using zubo::recordlist::NodeOf;

// Null when the list, its finger included, is sound, else what is wrong.
const char *BrokenFinger(const Gdirlist &list) { return zubo::recordlist::BrokenInvariant(list); }

// The list's ids (num2) in link order, read without an index lookup.
std::vector<int32_t> LinkedIds(const Gdirlist &list) {
    std::vector<int32_t> ids;
    for (const GdirlistNode *n = list.head.next; n->next; n = n->next) ids.push_back(n->data.num2);
    return ids;
}

GdirlistEntry Numbered(int32_t key, int32_t id) {
    return GdirlistEntry{const_cast<char *>("e"), const_cast<char *>("n2"), key, id,
                         const_cast<char *>("c"), 0};
}

int32_t ZUBOAPI ByNum1(const GdirlistEntry *a, const GdirlistEntry *b, ZuboUserValue) {
    return a->num1 < b->num1 ? -1 : a->num1 > b->num1;
}

struct FingerTest : ::testing::Test {
    Gdirlist *list = CreateGdirlist();
    ~FingerTest() override { Gdirlist_Release(list); }
    void Fill(int n) {
        for (int i = 0; i < n; ++i) {
            GdirlistEntry e = Numbered(i, i);
            Gdirlist_Add(list, &e);
        }
    }
};

TEST_F(FingerTest, AnIndexLookupLeavesTheFingerOnItsNodeAndTheCursorAlone) {
    EXPECT_EQ(list->finger, nullptr);
    Fill(10);
    EXPECT_EQ(list->finger, nullptr);  // appending needs no lookup
    GdirlistEntry *e = Gdirlist_GetDataPtr(list, 6);
    EXPECT_EQ(list->finger, NodeOf(e));
    EXPECT_EQ(list->fingerPos, 6);
    EXPECT_EQ(Gdirlist_GetCurPos(list), 0);
    EXPECT_EQ(Gdirlist_GetDataPtr(list, 10), nullptr);  // refused: no lookup made
    EXPECT_EQ(list->fingerPos, 6);
    Gdirlist_SetCurPos(list, 10);  // the tail sentinel never becomes the finger
    EXPECT_EQ(list->fingerPos, 6);
    EXPECT_EQ(BrokenFinger(*list), nullptr);
}

TEST_F(FingerTest, InsertionsBeforeTheFingerMoveItsIndex) {
    Fill(5);
    GdirlistEntry *at3 = Gdirlist_GetDataPtr(list, 3);
    GdirlistEntry x = Numbered(0, 100);
    Gdirlist_Insert(list, &x, 1);  // looks up index 1, then inserts before it
    EXPECT_EQ(BrokenFinger(*list), nullptr);
    EXPECT_EQ(Gdirlist_GetDataPtr(list, 4), at3);
    Gdirlist_GetDataPtr(list, 2);
    Gdirlist_SetCurPos(list, 1);
    Gdirlist_GetDataPtr(list, 3);
    Gdirlist_InsertCursor(list, &x);  // before the cursor, before the finger
    EXPECT_EQ(list->fingerPos, 4);
    EXPECT_EQ(BrokenFinger(*list), nullptr);
    Gdirlist_SetCurPos(list, 3);  // a lookup too: the finger is on index 3
    EXPECT_EQ(list->fingerPos, 3);
    Gdirlist_GetDataPtr(list, 0);
    Gdirlist_InsertCursor(list, &x);  // after the finger: it keeps its index
    EXPECT_EQ(list->fingerPos, 0);
    EXPECT_EQ(BrokenFinger(*list), nullptr);
}

TEST_F(FingerTest, DeletingTheFingerNodeMovesItToTheNextOrDropsIt) {
    Fill(4);
    GdirlistEntry *third = Gdirlist_GetDataPtr(list, 2);
    Gdirlist_GetDataPtr(list, 1);
    Gdirlist_Delete(list, 1);
    EXPECT_EQ(list->finger, NodeOf(third));  // the next node took index 1
    EXPECT_EQ(list->fingerPos, 1);
    Gdirlist_GetDataPtr(list, 2);  // the last entry
    Gdirlist_Delete(list, 2);
    EXPECT_EQ(list->finger, nullptr);
    Gdirlist_GetDataPtr(list, 1);
    Gdirlist_SetCurPos(list, 1);
    Gdirlist_DeleteCursor(list);  // the cursor entry was the finger, and last
    EXPECT_EQ(list->finger, nullptr);
    EXPECT_EQ(BrokenFinger(*list), nullptr);
    Fill(3);
    Gdirlist_SetCurPos(list, 0);
    Gdirlist_GetDataPtr(list, 3);
    Gdirlist_DeleteCursor(list);  // before the finger
    EXPECT_EQ(list->fingerPos, 2);
    EXPECT_EQ(BrokenFinger(*list), nullptr);
    Gdirlist_DeleteAll(list);
    EXPECT_EQ(list->finger, nullptr);
}

TEST_F(FingerTest, SortDropsTheFingerAndShortListsKeepIt) {
    Fill(1);
    Gdirlist_GetDataPtr(list, 0);
    Gdirlist_Sort(list, ByNum1, 0);  // one entry: nothing changes
    EXPECT_EQ(list->fingerPos, 0);
    EXPECT_EQ(BrokenFinger(*list), nullptr);
    Fill(5);
    Gdirlist_GetDataPtr(list, 4);
    Gdirlist_Sort(list, ByNum1, 0);
    EXPECT_EQ(list->finger, nullptr);
    Gdirlist_GetDataPtr(list, 3);
    zubo::SetAllocationBudget(0);  // a sort without its index drops it too
    zubo::recordlist::Sort(*list, ByNum1, 0);
    zubo::SetAllocationBudget(-1);
    EXPECT_EQ(list->finger, nullptr);
}

// Random operations of every kind, allocation failures included, against
// a vector model: after each one the finger is sound, the list holds the
// model's entries in its order, and lookups from wherever the finger, the
// cursor and the ends stand find the model's entries.
TEST(FingerModel, EveryOperationKeepsTheFingerSound) {
    std::mt19937 rng(77);
    for (int round = 0; round < 40; ++round) {
        Gdirlist *list = CreateGdirlist();
        std::vector<int32_t> model;  // ids in list order; key = id % 17
        int32_t cursor = 0, nextId = 0;
        for (int step = 0; step < 400; ++step) {
            const int32_t n = static_cast<int32_t>(model.size());
            const int32_t k = static_cast<int32_t>(rng() % (n + 3)) - 1;  // -1 ... n + 1
            const bool starve = rng() % 8 == 0;  // this insertion runs out of memory
            GdirlistEntry e = Numbered(nextId % 17, nextId);
            std::string what;
            switch (rng() % 12) {
            case 0:
            case 1:
                what = "add";
                if (starve) zubo::SetAllocationBudget(static_cast<long>(rng() % 4));
                if (Gdirlist_Add(list, &e)) {
                    model.push_back(nextId++);
                    // a cursor past the end now rests on the new entry
                }
                break;
            case 2:
                what = "insert " + std::to_string(k);
                if (starve) zubo::SetAllocationBudget(static_cast<long>(rng() % 4));
                if (Gdirlist_Insert(list, &e, k)) {
                    model.insert(model.begin() + k, nextId++);
                    if (k <= cursor) ++cursor;
                }
                break;
            case 3:
                what = "insert at cursor";
                if (starve) zubo::SetAllocationBudget(static_cast<long>(rng() % 4));
                if (Gdirlist_InsertCursor(list, &e)) {
                    model.insert(model.begin() + cursor, nextId++);
                    ++cursor;
                }
                break;
            case 4:
                what = "delete " + std::to_string(k);
                Gdirlist_Delete(list, k);
                if (k >= 0 && k < n) {
                    model.erase(model.begin() + k);
                    if (k < cursor) --cursor;
                }
                break;
            case 5:
                what = "delete at cursor";
                Gdirlist_DeleteCursor(list);
                if (cursor < n) model.erase(model.begin() + cursor);
                break;
            case 6: {
                // A run of lookups by increasing or decreasing index.
                what = "visit";
                const int32_t from = static_cast<int32_t>(rng() % (n + 1));
                const int32_t len = static_cast<int32_t>(rng() % 40);
                const bool up = rng() % 2 == 0;
                for (int32_t j = 0; j < len; ++j) {
                    const int32_t at = up ? from + j : from - j;
                    GdirlistEntry *got = Gdirlist_GetDataPtr(list, at);
                    if (at < 0 || at >= n) {
                        ASSERT_EQ(got, nullptr);
                        continue;
                    }
                    ASSERT_NE(got, nullptr);
                    ASSERT_EQ(got->num2, model[at]) << "round " << round << " step " << step;
                    ASSERT_EQ(BrokenFinger(*list), nullptr);
                }
                break;
            }
            case 7:
                what = "lookup " + std::to_string(k);
                if (GdirlistEntry *got = Gdirlist_GetDataPtr(list, k)) {
                    ASSERT_EQ(got->num2, model[k]);
                } else {
                    ASSERT_TRUE(k < 0 || k >= n);
                }
                break;
            case 8:
                what = "set cursor " + std::to_string(k);
                cursor = std::min(std::max(k, 0), n);
                ASSERT_EQ(Gdirlist_SetCurPos(list, k), cursor);
                break;
            case 9:
                what = "cursor step";
                if (rng() % 2) {
                    Gdirlist_CursorUp(list);
                    if (cursor > 0) --cursor;
                } else {
                    Gdirlist_CursorDown(list);
                    if (cursor < n) ++cursor;
                }
                break;
            case 10:
                what = "sort";
                if (starve) zubo::SetAllocationBudget(static_cast<long>(rng() % 3));
                Gdirlist_Sort(list, ByNum1, 0);
                zubo::SetAllocationBudget(-1);
                if (n > 1) {
                    model = LinkedIds(*list);  // the order is the sort's test's business
                    cursor = 0;
                }
                break;
            default:
                if (rng() % 10 == 0) {
                    what = "delete all";
                    Gdirlist_DeleteAll(list);
                    model.clear();
                    cursor = 0;
                }
                break;
            }
            zubo::SetAllocationBudget(-1);
            ASSERT_EQ(BrokenFinger(*list), nullptr) << "after " << what << ", step " << step;
            ASSERT_EQ(LinkedIds(*list), model) << "after " << what << ", step " << step;
            ASSERT_EQ(Gdirlist_GetCurPos(list), cursor) << "after " << what;
            const GdirlistEntry *atCursor = Gdirlist_GetDataPtrCursor(list);
            if (cursor < static_cast<int32_t>(model.size())) {
                ASSERT_NE(atCursor, nullptr);
                ASSERT_EQ(atCursor->num2, model[cursor]) << "after " << what;
            } else {
                ASSERT_EQ(atCursor, nullptr) << "after " << what;
            }
        }
        Gdirlist_Release(list);
    }
}

}  // namespace
#endif
