// Binary insertion sort over the linked list. Nodes are relinked, never
// copied, so entry pointers held by callers stay valid.
//
// Each entry is placed by a binary search whose probes need the node at a
// given position of the sorted part. Walking the links to it costs O(i) per
// entry and a cache miss per step, which makes sorting 100 000 entries take
// minutes. So the sort first tries to allocate a temporary rank index (the
// sorted part's nodes in blocks, in list order) and finds probe nodes
// through it; when the index cannot be allocated it walks the links. Both
// ways make the same comparisons in the same order and the same placements.
#include "recordlist/sort.h"

#include <stdint.h>
#include <string.h>

#include "library/alloc.h"

namespace zubo::recordlist {
namespace {

// The sorted part's nodes in list order, cut into blocks of at most cap_
// pointers. Blocks are kept in a separate order table so that splitting a
// full block moves block numbers, not pointers. Every block but the last
// holds at least half its capacity, which bounds the number of blocks.
class RankIndex {
public:
    RankIndex() = default;
    RankIndex(const RankIndex &) = delete;
    RankIndex &operator=(const RankIndex &) = delete;
    ~RankIndex() { free(memory_); }

    bool Allocate(int32_t n) {
        // About sqrt(4n) pointers a block: moving pointers inside a block
        // and stepping over blocks then cost about the same.
        cap_ = 64;
        while (cap_ * cap_ < 4 * static_cast<size_t>(n)) cap_ *= 2;
        maxBlocks_ = 2 * static_cast<size_t>(n) / cap_ + 2;
        const uint64_t bytes = static_cast<uint64_t>(maxBlocks_) *
                               (cap_ * sizeof(GdirlistNode *) + sizeof(size_t) + sizeof(uint32_t));
        if (bytes > SIZE_MAX / 2) return false;
        memory_ = zubo::Allocate(static_cast<size_t>(bytes));
        if (!memory_) return false;
        slots_ = static_cast<GdirlistNode **>(memory_);
        order_ = reinterpret_cast<size_t *>(slots_ + maxBlocks_ * cap_);
        counts_ = reinterpret_cast<uint32_t *>(order_ + maxBlocks_);
        return true;
    }

    // Node at a position of the sorted part (0 ... size - 1). The search
    // starts from the block of the previous lookup, as the probes close in.
    GdirlistNode *At(size_t pos) {
        while (pos < hintBase_) hintBase_ -= counts_[--hintBlock_];
        while (pos >= hintBase_ + counts_[hintBlock_]) hintBase_ += counts_[hintBlock_++];
        return Block(hintBlock_)[pos - hintBase_];
    }

    // Inserts a node so that it has the position (0 ... size).
    void InsertAt(size_t pos, GdirlistNode *node) {
        if (blocks_ == 0) {
            order_[0] = used_++;
            counts_[0] = 0;
            blocks_ = 1;
        }
        // The first block that reaches the position (its end included).
        size_t k = 0, base = 0;
        while (k + 1 < blocks_ && pos > base + counts_[k]) base += counts_[k++];
        if (counts_[k] == cap_) {
            SplitBlock(k);
            if (pos > base + counts_[k]) base += counts_[k++];
        }
        GdirlistNode **items = Block(k);
        const size_t at = pos - base;
        memmove(items + at + 1, items + at, (counts_[k] - at) * sizeof *items);
        items[at] = node;
        ++counts_[k];
        hintBlock_ = hintBase_ = 0;  // positions after the insertion moved
    }

private:
    GdirlistNode **Block(size_t k) { return slots_ + order_[k] * cap_; }

    // A new block after block k takes the upper half of it.
    void SplitBlock(size_t k) {
        memmove(order_ + k + 2, order_ + k + 1, (blocks_ - k - 1) * sizeof *order_);
        memmove(counts_ + k + 2, counts_ + k + 1, (blocks_ - k - 1) * sizeof *counts_);
        order_[k + 1] = used_++;
        ++blocks_;
        const uint32_t moved = counts_[k] / 2;
        memcpy(Block(k + 1), Block(k) + counts_[k] - moved, moved * sizeof(GdirlistNode *));
        counts_[k + 1] = moved;
        counts_[k] -= moved;
    }

    void *memory_ = nullptr;
    GdirlistNode **slots_ = nullptr;
    size_t *order_ = nullptr;
    uint32_t *counts_ = nullptr;
    size_t cap_ = 0, maxBlocks_ = 0, blocks_ = 0, used_ = 0;
    size_t hintBlock_ = 0, hintBase_ = 0;
};

// Finds probe nodes by walking the links from the previous probe.
class LinkWalker {
public:
    LinkWalker(GdirlistNode *start, int32_t pos) : node_(start), pos_(pos) {}
    GdirlistNode *At(int32_t pos) {
        for (; pos_ < pos; ++pos_) node_ = node_->next;
        for (; pos_ > pos; --pos_) node_ = node_->prev;
        return node_;
    }

private:
    GdirlistNode *node_;
    int32_t pos_;
};

// Places x among positions 1 ... i - 2 of the sorted part, x being less
// than the node at i - 1 and greater than the first node. Returns the
// position x now has.
template <typename Probe>
int32_t PlaceByBinarySearch(GdirlistNode *x, int32_t i, Probe probeAt,
                            GdirlistCompareProc compare, ZuboUserValue user) {
    int32_t lo = 1, hi = i - 2;
    for (;;) {
        const int32_t mid = (lo + hi) / 2;
        GdirlistNode *probe = probeAt(mid);
        const int32_t r = compare(&x->data, &probe->data, user);
        const bool after = r == 0 || (mid == hi && r > 0);
        const bool before = !after && mid == lo && r < 0;
        // Only a comparison that contradicts its earlier answers can empty
        // the range (for example "greater than the first node", then "less
        // than it"); the search ends there instead of probing outside it.
        const bool exhausted = !after && !before && (r > 0 ? mid + 1 > hi : lo > mid - 1);
        if (after || (exhausted && r > 0)) {
            LinkAfter(x, probe);
            return mid + 1;
        }
        if (before || exhausted) {
            LinkBefore(x, probe);
            return mid;
        }
        if (r > 0) lo = mid + 1;
        else hi = mid - 1;
    }
}

void SortList(Gdirlist &list, GdirlistCompareProc compare, ZuboUserValue user,
              RankIndex *index) {
    GdirlistNode *x = list.head.next;
    if (index) index->InsertAt(0, x);
    x = x->next;  // position 1
    for (int32_t i = 1; i < list.size; ++i) {
        GdirlistNode *following = x->next;
        GdirlistNode *p = x->prev;
        int32_t placed = i;
        if (compare(&x->data, &p->data, user) < 0) {
            Unlink(x);
            GdirlistNode *first = list.head.next;
            if (compare(&x->data, &first->data, user) <= 0) {
                LinkBefore(x, first);
                placed = 0;
            } else if (index) {
                placed = PlaceByBinarySearch(
                    x, i, [&](int32_t pos) { return index->At(static_cast<size_t>(pos)); },
                    compare, user);
            } else {
                LinkWalker walker(p->prev, i - 2);
                placed = PlaceByBinarySearch(
                    x, i, [&](int32_t pos) { return walker.At(pos); }, compare, user);
            }
        }
        if (index) index->InsertAt(static_cast<size_t>(placed), x);
        x = following;
    }
}

}  // namespace

void Sort(Gdirlist &list, GdirlistCompareProc compare, ZuboUserValue user) {
    if (list.size <= 1) return;
    RankIndex index;
    SortList(list, compare, user, index.Allocate(list.size) ? &index : nullptr);
    list.curPos = 0;
    list.curNode = list.head.next;
}

}  // namespace zubo::recordlist
