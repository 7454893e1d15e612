// Every record list operation in random sequences against a plain vector
// model, with allocations failing now and then; after each operation the
// list's invariants (recordlist/invariants.h) must hold and the list must
// equal the model: entries, order, cursor index and cursor entry.
#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <random>
#include <string>
#include <vector>

#include "library/alloc.h"
#include "recordlist/invariants.h"
#include "zubo.h"

namespace {

struct Item {
    std::string name;
    int32_t num1;
    uint32_t flags;
    bool operator==(const Item &o) const {
        return name == o.name && num1 == o.num1 && flags == o.flags;
    }
};

struct Model {
    std::vector<Item> items;
    int32_t cursor = 0;
    int32_t size() const { return static_cast<int32_t>(items.size()); }
};

int32_t ZUBOAPI ByNum1ThenName(const GdirlistEntry *a, const GdirlistEntry *b, ZuboUserValue) {
    if (a->num1 != b->num1) return a->num1 < b->num1 ? -1 : 1;
    return strcmp(a->name, b->name);
}

Item ItemOf(const GdirlistEntry *e) { return {e->name, e->num1, e->flags}; }

// The whole comparison, as one message: empty when the list matches.
std::string Mismatch(Gdirlist *list, const Model &m) {
    if (const char *broken = zubo::recordlist::BrokenInvariant(*list)) return broken;
    if (Gdirlist_GetSize(list) != m.size()) return "size";
    if (Gdirlist_GetCurPos(list) != m.cursor) return "cursor index";
    const GdirlistEntry *cur = Gdirlist_GetDataPtrCursor(list);
    if ((cur == nullptr) != (m.cursor == m.size())) return "cursor past the end";
    if (cur && !(ItemOf(cur) == m.items[m.cursor])) return "cursor entry";
    // Walk the links themselves, not the index lookup under test.
    const GdirlistNode *node = list->head.next;
    for (int32_t i = 0; i < m.size(); ++i, node = node->next)
        if (!(ItemOf(&node->data) == m.items[i])) return "entry " + std::to_string(i);
    return "";
}

class Runner {
public:
    explicit Runner(uint32_t seed) : rng_(seed) {}
    ~Runner() {
        zubo::SetAllocationBudget(-1);
        Gdirlist_Release(list_);
    }

    // One random operation, checked against the model.
    void Step(int step) {
        // Now and then the next allocations fail: a failed insertion must
        // leave the list exactly as it was.
        zubo::SetAllocationBudget(Pick(8) == 0 ? static_cast<long>(Pick(4)) : -1);
        const int32_t n = m_.size();
        std::string what;
        switch (Pick(16)) {
        case 0:
        case 1: {
            what = "Add";
            GdirlistEntry t = Template();
            if (GdirlistEntry *e = Gdirlist_Add(list_, &t)) {
                m_.items.push_back(ItemOf(&t));
                EXPECT_TRUE(ItemOf(e) == m_.items.back());
            }
            break;
        }
        case 2:
        case 3: {
            // The cursor's own index, its neighbours and the ends are the
            // interesting places.
            const int32_t k = Pick(2) ? m_.cursor + static_cast<int32_t>(Pick(3)) - 1
                                      : static_cast<int32_t>(Pick(n + 3)) - 1;
            what = "Insert at " + std::to_string(k);
            GdirlistEntry t = Template();
            GdirlistEntry *e = Gdirlist_Insert(list_, &t, k);
            if (k < 0 || k > n) {
                EXPECT_EQ(e, nullptr) << what;
            }
            if (e) {
                m_.items.insert(m_.items.begin() + k, ItemOf(&t));
                if (k <= m_.cursor) ++m_.cursor;
                EXPECT_EQ(Gdirlist_GetDataPtr(list_, k), e) << what;
            }
            break;
        }
        case 4: {
            what = "InsertCursor";
            GdirlistEntry t = Template();
            if (Gdirlist_InsertCursor(list_, &t)) {
                m_.items.insert(m_.items.begin() + m_.cursor, ItemOf(&t));
                ++m_.cursor;
            }
            break;
        }
        case 5:
        case 6: {
            const int32_t k = Pick(2) ? m_.cursor + static_cast<int32_t>(Pick(3)) - 1
                                      : static_cast<int32_t>(Pick(n + 2)) - 1;
            what = "Delete at " + std::to_string(k);
            Gdirlist_Delete(list_, k);
            if (k >= 0 && k < n) {
                m_.items.erase(m_.items.begin() + k);
                if (k < m_.cursor) --m_.cursor;
            }
            break;
        }
        case 7:
            what = "DeleteCursor";
            if (m_.cursor < n) {
                m_.items.erase(m_.items.begin() + m_.cursor);
                EXPECT_EQ(Gdirlist_DeleteCursor(list_), m_.size());
            } else {
                EXPECT_EQ(Gdirlist_DeleteCursor(list_), m_.cursor);
            }
            break;
        case 8:
            what = "DeleteAll";
            if (Pick(4) == 0) {
                EXPECT_EQ(Gdirlist_DeleteAll(list_), 0);
                m_.items.clear();
                m_.cursor = 0;
            }
            break;
        case 9:
            what = "CursorUp";
            if (m_.cursor > 0) --m_.cursor;
            EXPECT_EQ(Gdirlist_CursorUp(list_), m_.cursor);
            break;
        case 10:
            what = "CursorDown";
            if (m_.cursor < n) ++m_.cursor;
            EXPECT_EQ(Gdirlist_CursorDown(list_), m_.cursor);
            break;
        case 11: {
            const int32_t k = static_cast<int32_t>(Pick(n + 5)) - 2;
            what = "SetCurPos " + std::to_string(k);
            m_.cursor = std::clamp(k, 0, n);
            EXPECT_EQ(Gdirlist_SetCurPos(list_, k), m_.cursor);
            break;
        }
        case 12: {
            const int32_t k = static_cast<int32_t>(Pick(n + 3)) - 1;
            what = "GetDataPtr " + std::to_string(k);
            const GdirlistEntry *e = Gdirlist_GetDataPtr(list_, k);
            if (k < 0 || k >= n)
                EXPECT_EQ(e, nullptr) << what;
            else
                EXPECT_TRUE(e && ItemOf(e) == m_.items[k]) << what;
            break;
        }
        case 13: {
            what = "flags";
            const uint32_t v = static_cast<uint32_t>(rng_());
            switch (Pick(4)) {
            case 0: Gdirlist_SetFlagAll(list_, v); for (Item &i : m_.items) i.flags = v; break;
            case 1: Gdirlist_XorFlagAll(list_, v); for (Item &i : m_.items) i.flags ^= v; break;
            case 2: Gdirlist_AndFlagAll(list_, v); for (Item &i : m_.items) i.flags &= v; break;
            default: Gdirlist_OrFlagAll(list_, v); for (Item &i : m_.items) i.flags |= v; break;
            }
            break;
        }
        case 14:
            what = "Sort";
            Gdirlist_Sort(list_, ByNum1ThenName, 0);
            std::sort(m_.items.begin(), m_.items.end(), [](const Item &a, const Item &b) {
                return a.num1 != b.num1 ? a.num1 < b.num1 : a.name < b.name;
            });
            if (n >= 2) m_.cursor = 0;
            break;
        default:
            what = "GetDataPtrCursor";
            Gdirlist_GetDataPtrCursor(list_);
            break;
        }
        zubo::SetAllocationBudget(-1);
        const std::string mismatch = Mismatch(list_, m_);
        EXPECT_EQ(mismatch, "") << "step " << step << ": " << what;
        if (!mismatch.empty()) failed_ = true;
    }
    bool failed() const { return failed_; }

private:
    uint32_t Pick(uint32_t n) { return static_cast<uint32_t>(rng_() % n); }
    // A new entry with a unique name, so that sorting has no ties.
    GdirlistEntry Template() {
        names_.push_back("e" + std::to_string(names_.size()));
        return {&names_.back()[0], nullptr, static_cast<int32_t>(Pick(5)), 0, nullptr,
                static_cast<uint32_t>(Pick(4))};
    }

    std::mt19937 rng_;
    Gdirlist *list_ = CreateGdirlist();
    Model m_;
    std::deque<std::string> names_;  // the texts of the templates, kept in place
    bool failed_ = false;
};

TEST(GdirlistModel, RandomOperationsKeepTheInvariantsAndMatchTheModel) {
    for (uint32_t seed = 1; seed <= 200; ++seed) {
        Runner run(seed);
        for (int step = 0; step < 300 && !run.failed(); ++step) run.Step(step);
        ASSERT_FALSE(run.failed()) << "seed " << seed;
    }
}

// The cursor's own index: the new entry goes before the cursor entry, and
// the cursor keeps its entry, so its index grows by one.
TEST(GdirlistModel, InsertAtTheCursorsOwnIndex) {
    Gdirlist *list = CreateGdirlist();
    char a[] = "a", b[] = "b", c[] = "c", x[] = "x";
    for (char *name : {a, b, c}) {
        GdirlistEntry e = {name, nullptr, 0, 0, nullptr, 0};
        Gdirlist_Add(list, &e);
    }
    for (int32_t k : {0, 2, 4, 6}) {  // first entry, middle, last entry, past the end
        Gdirlist_SetCurPos(list, k);
        GdirlistEntry *before = Gdirlist_GetDataPtrCursor(list);
        GdirlistEntry e = {x, nullptr, 0, 0, nullptr, 0};
        GdirlistEntry *added = Gdirlist_Insert(list, &e, k);
        ASSERT_NE(added, nullptr);
        EXPECT_EQ(zubo::recordlist::BrokenInvariant(*list), nullptr) << k;
        EXPECT_EQ(Gdirlist_GetCurPos(list), k + 1) << k;
        EXPECT_EQ(Gdirlist_GetDataPtrCursor(list), before) << k;
        EXPECT_EQ(Gdirlist_GetDataPtr(list, k), added) << k;
    }
    Gdirlist_Release(list);
}

// The checker itself finds each kind of broken list.
TEST(GdirlistModel, TheCheckerFindsBrokenLinksSizesAndCursors) {
    Gdirlist *list = CreateGdirlist();
    char a[] = "a";
    for (int i = 0; i < 4; ++i) {
        GdirlistEntry e = {a, nullptr, i, 0, nullptr, 0};
        Gdirlist_Add(list, &e);
    }
    Gdirlist_SetCurPos(list, 2);
    using zubo::recordlist::BrokenInvariant;
    ASSERT_EQ(BrokenInvariant(*list), nullptr);
    GdirlistNode *second = list->head.next->next;

    ++list->size;
    EXPECT_NE(BrokenInvariant(*list), nullptr);
    list->size -= 2;
    EXPECT_NE(BrokenInvariant(*list), nullptr);
    ++list->size;

    ++list->curPos;
    EXPECT_NE(BrokenInvariant(*list), nullptr);  // the node no longer matches the index
    list->curPos = 5;
    EXPECT_NE(BrokenInvariant(*list), nullptr);
    list->curPos = 2;
    list->curNode = &list->tail;
    EXPECT_NE(BrokenInvariant(*list), nullptr);
    list->curNode = second->next;

    GdirlistNode *prev = second->prev;
    second->prev = second;
    EXPECT_NE(BrokenInvariant(*list), nullptr);
    second->prev = prev;

    GdirlistNode *next = second->next;
    second->next = second;  // a cycle: reported, not followed forever
    EXPECT_NE(BrokenInvariant(*list), nullptr);
    second->next = nullptr;
    EXPECT_NE(BrokenInvariant(*list), nullptr);
    second->next = next;

    list->head.prev = second;
    EXPECT_NE(BrokenInvariant(*list), nullptr);
    list->head.prev = nullptr;
    list->tail.next = second;
    EXPECT_NE(BrokenInvariant(*list), nullptr);
    list->tail.next = nullptr;

    EXPECT_EQ(BrokenInvariant(*list), nullptr);
    Gdirlist_Release(list);
}

}  // namespace
