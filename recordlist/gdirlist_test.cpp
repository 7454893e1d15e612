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
