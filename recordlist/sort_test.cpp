// The sort against a plain model of its rules over a vector: the same
// comparisons in the same order, the same final order, the cursor on 0.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "recordlist/checked_test_support.h"
#include "zubo.h"
#ifdef ZUBO_FAULT_INJECTION
#include "library/alloc.h"
#include "recordlist/sort.h"
#endif

namespace {

ZUBO_CHECKED_LIST_OPERATIONS;

// Entries carry their key in num1 and a unique id in num2.
struct Recorder {
    std::vector<std::pair<int32_t, int32_t>> calls;  // (placed id, other id)
    std::mt19937 *noise = nullptr;                    // inconsistent answers when set
};

int32_t ZUBOAPI CompareByKey(const GdirlistEntry *a, const GdirlistEntry *b,
                             ZuboUserValue user) {
    Recorder *rec = reinterpret_cast<Recorder *>(user);
    rec->calls.emplace_back(a->num2, b->num2);
    if (rec->noise) return static_cast<int32_t>((*rec->noise)() % 3) - 1;
    return a->num1 < b->num1 ? -1 : a->num1 > b->num1 ? 1 : 0;
}

struct Item {
    int32_t key, id;
};

// The rules, transcribed over a vector: returns the final order of ids.
std::vector<int32_t> ModelSort(const std::vector<Item> &input, Recorder *rec) {
    std::vector<Item> v;
    auto cmp = [&](const Item &x, const Item &y) {
        rec->calls.emplace_back(x.id, y.id);
        return x.key < y.key ? -1 : x.key > y.key ? 1 : 0;
    };
    for (size_t i = 0; i < input.size(); ++i) {
        const Item x = input[i];
        if (i == 0 || cmp(x, v[i - 1]) >= 0) {
            v.push_back(x);
            continue;
        }
        if (cmp(x, v[0]) <= 0) {
            v.insert(v.begin(), x);
            continue;
        }
        int lo = 1, hi = static_cast<int>(i) - 2;
        for (;;) {
            const int mid = (lo + hi) / 2;
            const int r = cmp(x, v[mid]);
            if (r == 0 || (mid == hi && r > 0)) {
                v.insert(v.begin() + mid + 1, x);
                break;
            }
            if (mid == lo && r < 0) {
                v.insert(v.begin() + mid, x);
                break;
            }
            if (r > 0) lo = mid + 1;
            else hi = mid - 1;
        }
    }
    std::vector<int32_t> ids;
    for (auto &it : v) ids.push_back(it.id);
    return ids;
}

// Building a list and reading it back are not what these tests examine:
// they call the list directly and check it once at the end, which keeps
// lists of 20,000 entries linear to test (the sort itself stays checked).
Gdirlist *MakeList(const std::vector<Item> &items) {
    Gdirlist *list = ::CreateGdirlist();
    for (auto &it : items) {
        GdirlistEntry e = {const_cast<char *>("n"), nullptr, it.key, it.id, nullptr, 0};
        ::Gdirlist_Add(list, &e);
    }
    zubo_test::checked::ExpectListSound(list, "building the list");
    return list;
}

std::vector<int32_t> Ids(Gdirlist *list) {
    std::vector<int32_t> ids;
    for (int32_t i = 0; i < ::Gdirlist_GetSize(list); ++i)
        ids.push_back(::Gdirlist_GetDataPtr(list, i)->num2);
    zubo_test::checked::ExpectListSound(list, "reading the entries by index");
    return ids;
}

std::vector<Item> RandomItems(std::mt19937 &rng, int n, int keyRange) {
    std::vector<Item> items;
    for (int i = 0; i < n; ++i) items.push_back({static_cast<int32_t>(rng() % keyRange), i});
    return items;
}

// Sorts a list of the items with the cursor in the middle and checks it
// against the model: the same comparisons in the same order, the same
// final order, the cursor on the first entry. Returns the sort's own
// account of how many entries went through its rank index (-1 where the
// test cannot see it: always with a budget < 0, which sorts through the
// exported function).
int32_t SortAndCheck(const std::vector<Item> &items, [[maybe_unused]] long budget) {
    const int32_t n = static_cast<int32_t>(items.size());
    Recorder model, real;
    const std::vector<int32_t> expected = ModelSort(items, &model);
    Gdirlist *list = MakeList(items);
    Gdirlist_SetCurPos(list, n / 2);
    int32_t indexed = -1;
#ifdef ZUBO_FAULT_INJECTION
    if (budget >= 0) {
        zubo::SetAllocationBudget(budget);
        indexed =
            zubo::recordlist::Sort(*list, CompareByKey, reinterpret_cast<ZuboUserValue>(&real));
        zubo::SetAllocationBudget(-1);
    } else
#endif
    {
        EXPECT_EQ(Gdirlist_Sort(list, CompareByKey, reinterpret_cast<ZuboUserValue>(&real)), list);
    }
    EXPECT_EQ(real.calls, model.calls) << "n " << n << " budget " << budget;
    EXPECT_EQ(Ids(list), expected) << "n " << n << " budget " << budget;
    EXPECT_EQ(Gdirlist_GetCurPos(list), 0);
    if (n > 1) {
        EXPECT_EQ(Gdirlist_GetDataPtrCursor(list)->num2, expected[0]);
    }
    // The result is ordered by key, and walking back from the end meets
    // the same entries.
    std::vector<int32_t> keys;
    for (int32_t i = 0; i < n; ++i) keys.push_back(::Gdirlist_GetDataPtr(list, i)->num1);
    EXPECT_TRUE(std::is_sorted(keys.begin(), keys.end()));
    ::Gdirlist_SetCurPos(list, n);
    for (int32_t i = n - 1; i >= 0; --i) {
        ::Gdirlist_CursorUp(list);
        if (::Gdirlist_GetDataPtrCursor(list)->num2 != expected[i]) {
            ADD_FAILURE() << "backward walk differs at " << i;
            break;
        }
    }
    zubo_test::checked::ExpectListSound(list, "walking back");
    Gdirlist_Release(list);
    return indexed;
}

// Sorting uses a temporary rank index when it can have the memory, and
// walks the links otherwise; either way it must agree with the model.
void RunAgainstModel(long budget) {
    std::mt19937 rng(12345);
    for (int round = 0; round < 420; ++round) {
        // Mostly short lists, and some long enough for many index blocks.
        const int n = round < 400 ? static_cast<int>(rng() % 70) : 200 + (round - 400) * 100;
        // Many ties in short lists, mostly distinct keys in long ones.
        const int keyRange = round < 400 ? 1 + static_cast<int>(rng() % 20) : 4 * n;
        SortAndCheck(RandomItems(rng, n, keyRange), budget);
        if (::testing::Test::HasFailure()) {
            ADD_FAILURE() << "round " << round;
            return;
        }
    }
}

TEST(Sort, MatchesTheModelCallForCallOnRandomInput) { RunAgainstModel(-1); }

TEST(Sort, LongListsMatchTheModel) {
    std::mt19937 rng(99);
    // Distinct keys, many ties, and nearly sorted input (long runs placed
    // at the end, a few placed deep inside).
    SortAndCheck(RandomItems(rng, 20000, 80000), -1);
    SortAndCheck(RandomItems(rng, 20000, 50), -1);
    std::vector<Item> nearly;
    for (int i = 0; i < 20000; ++i)
        nearly.push_back({rng() % 100 == 0 ? static_cast<int32_t>(rng() % 20000) : i, i});
    SortAndCheck(nearly, -1);
}

#ifdef ZUBO_FAULT_INJECTION
TEST(Sort, MatchesTheModelWhenNoIndexCanBeAllocated) { RunAgainstModel(0); }

// The index takes its tables first, then its blocks as it grows: when a
// block cannot be had halfway, the sort goes on walking the links and
// still makes the model's comparisons. Every allocation the sort makes is
// made to fail in turn.
TEST(Sort, MatchesTheModelWhenTheIndexRunsOutOfMemoryHalfway) {
    std::mt19937 rng(2024);
    for (const int n : {150, 700, 3000}) {
        const std::vector<Item> items = RandomItems(rng, n, 4 * n);
        EXPECT_EQ(SortAndCheck(items, 1000000), n);
        EXPECT_EQ(SortAndCheck(items, 0), 0);
        int32_t previous = 0;
        bool halfway = false;
        for (long budget = 1;; ++budget) {
            const int32_t indexed = SortAndCheck(items, budget);
            ASSERT_FALSE(::testing::Test::HasFailure()) << "n " << n << " budget " << budget;
            // A bigger budget lets the index go at least as far.
            EXPECT_GE(indexed, previous);
            previous = indexed;
            if (indexed == n) break;  // the budget sufficed
            halfway = halfway || indexed > 0;
        }
        EXPECT_TRUE(halfway) << "n " << n;
    }
}
#endif

TEST(Sort, ShortListsAreLeftAloneCursorIncluded) {
    Recorder rec;
    Gdirlist *list = MakeList({});
    Gdirlist_Sort(list, CompareByKey, reinterpret_cast<ZuboUserValue>(&rec));
    EXPECT_EQ(Gdirlist_GetCurPos(list), 0);
    Gdirlist_Release(list);
    list = MakeList({{5, 0}});
    Gdirlist_SetCurPos(list, 1);
    Gdirlist_Sort(list, CompareByKey, reinterpret_cast<ZuboUserValue>(&rec));
    EXPECT_EQ(Gdirlist_GetCurPos(list), 1);
    EXPECT_TRUE(rec.calls.empty());
    Gdirlist_Release(list);
}

TEST(Sort, SortedAndReversedInputCostTheStatedComparisons) {
    std::vector<Item> up, down;
    for (int i = 0; i < 10; ++i) {
        up.push_back({i, i});
        down.push_back({10 - i, i});
    }
    Recorder rec;
    Gdirlist *list = MakeList(up);
    Gdirlist_SetCurPos(list, 7);
    Gdirlist_Sort(list, CompareByKey, reinterpret_cast<ZuboUserValue>(&rec));
    EXPECT_EQ(rec.calls.size(), 9u);
    EXPECT_EQ(Ids(list), (std::vector<int32_t>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(Gdirlist_GetCurPos(list), 0);
    Gdirlist_Release(list);

    rec.calls.clear();
    list = MakeList(down);
    Gdirlist_Sort(list, CompareByKey, reinterpret_cast<ZuboUserValue>(&rec));
    EXPECT_EQ(rec.calls.size(), 18u);  // each placed entry: predecessor, then first
    EXPECT_EQ(Ids(list), (std::vector<int32_t>{9, 8, 7, 6, 5, 4, 3, 2, 1, 0}));
    Gdirlist_Release(list);
}

TEST(Sort, TiesFollowThePlacementRules) {
    // Equal to the last of the sorted part: stays behind it.
    Recorder rec;
    Gdirlist *list = MakeList({{1, 0}, {1, 1}, {1, 2}});
    Gdirlist_Sort(list, CompareByKey, reinterpret_cast<ZuboUserValue>(&rec));
    EXPECT_EQ(Ids(list), (std::vector<int32_t>{0, 1, 2}));
    Gdirlist_Release(list);
    // Less than its predecessor but equal to the first: goes in front.
    list = MakeList({{1, 0}, {5, 1}, {1, 2}});
    Gdirlist_Sort(list, CompareByKey, reinterpret_cast<ZuboUserValue>(&rec));
    EXPECT_EQ(Ids(list), (std::vector<int32_t>{2, 0, 1}));
    Gdirlist_Release(list);
    // Equal to a probed entry: directly after it.
    list = MakeList({{1, 0}, {3, 1}, {5, 2}, {7, 3}, {3, 4}});
    Gdirlist_Sort(list, CompareByKey, reinterpret_cast<ZuboUserValue>(&rec));
    EXPECT_EQ(Ids(list), (std::vector<int32_t>{0, 1, 4, 2, 3}));
    Gdirlist_Release(list);
}

TEST(Sort, EntryPointersStayValid) {
    Gdirlist *list = MakeList({{3, 0}, {1, 1}, {2, 2}});
    GdirlistEntry *first = Gdirlist_GetDataPtr(list, 0);
    Recorder rec;
    Gdirlist_Sort(list, CompareByKey, reinterpret_cast<ZuboUserValue>(&rec));
    EXPECT_EQ(Gdirlist_GetDataPtr(list, 2), first);
    EXPECT_EQ(first->num1, 3);
    Gdirlist_Release(list);
}

// A comparison that contradicts itself must still end, keeping every entry.
TEST(Sort, InconsistentComparisonEndsWithEveryEntryKept) {
    std::mt19937 noise(7);
    for (int round = 0; round < 200; ++round) {
        const int n = 2 + round % 40;
        std::vector<Item> items;
        for (int i = 0; i < n; ++i) items.push_back({0, i});
        Recorder rec;
        rec.noise = &noise;
        Gdirlist *list = MakeList(items);
        Gdirlist_Sort(list, CompareByKey, reinterpret_cast<ZuboUserValue>(&rec));
        std::vector<int32_t> ids = Ids(list);
        std::sort(ids.begin(), ids.end());
        for (int i = 0; i < n; ++i) ASSERT_EQ(ids[i], i);
        // Walking backwards from the end reaches the same entries.
        Gdirlist_SetCurPos(list, n);
        int steps = 0;
        while (Gdirlist_GetCurPos(list) > 0) {
            Gdirlist_CursorUp(list);
            ASSERT_NE(Gdirlist_GetDataPtrCursor(list), nullptr);
            ++steps;
        }
        EXPECT_EQ(steps, n);
        Gdirlist_Release(list);
    }
}

}  // namespace
