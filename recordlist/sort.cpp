// Binary insertion sort over the linked list. Nodes are relinked, never
// copied, so entry pointers held by callers stay valid.
//
// Each entry is placed by a binary search whose probes need the node at a
// given position of the sorted part. Walking the links to it costs O(i) per
// entry and a cache miss per step, which makes sorting 100 000 entries take
// minutes. So the sort keeps a temporary rank index beside the list: the
// sorted part's nodes in blocks, in list order, with a Fenwick tree over the
// block sizes, where finding the node at a position costs O(log n) (O(1)
// near the previous probe) and inserting one costs O(log n) plus a block's
// worth of pointer moves. Its blocks are allocated as it grows; when memory
// cannot be had, at the start or halfway, the sort goes on walking the
// links. Both ways make the same comparisons in the same order and the same
// placements.
#include "recordlist/sort.h"

#include <stdint.h>
#include <string.h>

#include "library/alloc.h"

namespace zubo::recordlist {
namespace {

// The sorted part's nodes in list order, cut into blocks of at most cap_
// pointers. A full block is split in halves, so once a block has been split
// every block holds at least half its capacity; that bounds the number of
// blocks, and the tables (block pointers, counts, tree) are taken in full at
// the start.
class RankIndex {
public:
    RankIndex() = default;
    RankIndex(const RankIndex &) = delete;
    RankIndex &operator=(const RankIndex &) = delete;
    ~RankIndex() { Release(); }

    // Tables for up to n nodes; false when they cannot be allocated.
    bool Start(int32_t n) {
        // Bigger blocks for bigger lists: fewer blocks to count over and more
        // of a search's last probes in one block (where they are prefetched),
        // at the price of longer pointer moves inside a block.
        cap_ = 64;
        while (cap_ < 1024 && cap_ * cap_ < 2 * static_cast<uint64_t>(n)) cap_ *= 2;
        maxBlocks_ = 2 * static_cast<size_t>(n) / cap_ + 1;
        treeSize_ = 1;
        while (treeSize_ < maxBlocks_) treeSize_ *= 2;
        const uint64_t bytes = static_cast<uint64_t>(maxBlocks_) *
                                   (sizeof(GdirlistNode **) + sizeof(uint32_t)) +
                               (static_cast<uint64_t>(treeSize_) + 1) * sizeof(uint32_t);
        if (bytes > SIZE_MAX / 2) return false;
        tables_ = zubo::Allocate(static_cast<size_t>(bytes));
        if (!tables_) return false;
        blocks_ = static_cast<GdirlistNode ***>(tables_);
        counts_ = reinterpret_cast<uint32_t *>(blocks_ + maxBlocks_);
        tree_ = counts_ + maxBlocks_;
        memset(tree_, 0, (treeSize_ + 1) * sizeof *tree_);
        return true;
    }

    // Frees everything; the index is then unusable.
    void Release() {
        for (size_t k = 0; k < used_; ++k) free(blocks_[k]);
        free(tables_);
        tables_ = nullptr;
        used_ = 0;
    }

    // Node at a position of the sorted part (0 ... size - 1).
    GdirlistNode *At(int32_t position) {
        const uint32_t pos = static_cast<uint32_t>(position);
        Seek(pos);
        return blocks_[hintBlock_][pos - hintBase_];
    }

    // Asks the processor to fetch the entry at a position in advance when
    // the position is in the block of the last lookup: deep in a search,
    // where the probed entries are the ones not in the cache yet. (Inlined by
    // force: the optimizer may drop a call to a function that only
    // prefetches.)
    __attribute__((always_inline)) void Prefetch(int32_t position) const {
        const uint32_t pos = static_cast<uint32_t>(position);
        if (pos - hintBase_ < counts_[hintBlock_])
            __builtin_prefetch(&blocks_[hintBlock_][pos - hintBase_]->data);
    }

    // Inserts a node so that it has the position (0 ... size). False when a
    // new block was needed and could not be allocated; nothing changed then.
    bool Insert(uint32_t pos, GdirlistNode *node) {
        if (used_ == 0) {
            if (!(blocks_[0] = NewBlock())) return false;
            counts_[0] = 0;
            used_ = 1;
            hintBlock_ = hintBase_ = 0;
        }
        // The block that takes the position: the one that holds it, or the
        // one it ends when the position is one past its last entry.
        if (pos == size_) {
            hintBlock_ = used_ - 1;
            hintBase_ = size_ - counts_[hintBlock_];
        } else if (pos - hintBase_ > counts_[hintBlock_]) {
            Seek(pos);
        }
        size_t k = hintBlock_;
        uint32_t base = hintBase_;
        if (counts_[k] == cap_) {
            if (!SplitBlock(k)) return false;
            if (pos - base > counts_[k]) base += counts_[k++];
        }
        GdirlistNode **items = blocks_[k];
        const uint32_t at = pos - base;
        memmove(items + at + 1, items + at, (counts_[k] - at) * sizeof *items);
        items[at] = node;
        ++counts_[k];
        for (size_t i = k + 1; i <= treeSize_; i += i & (~i + 1)) ++tree_[i];
        ++size_;
        hintBlock_ = k;
        hintBase_ = base;
        return true;
    }

private:
    // Blocks walked one by one from the previous one before the tree is
    // asked instead: the probes of one search close in on their place.
    static constexpr uint32_t kWalkBlocks = 8;

    GdirlistNode **NewBlock() {
        return static_cast<GdirlistNode **>(zubo::Allocate(cap_ * sizeof(GdirlistNode *)));
    }

    // Makes the block that holds pos (0 ... size - 1) the hint.
    void Seek(uint32_t pos) {
        if (pos - hintBase_ < counts_[hintBlock_]) return;
        const uint32_t reach = kWalkBlocks * (cap_ / 2);
        if (pos >= hintBase_ && pos - hintBase_ < reach) {
            while (pos >= hintBase_ + counts_[hintBlock_]) hintBase_ += counts_[hintBlock_++];
        } else if (pos < hintBase_ && hintBase_ - pos < reach) {
            while (pos < hintBase_) hintBase_ -= counts_[--hintBlock_];
        } else {
            // Descends the Fenwick tree: the largest number of whole blocks
            // whose sizes add up to no more than pos.
            size_t k = 0;
            uint32_t rest = pos;
            for (size_t bit = treeSize_ / 2; bit; bit >>= 1) {
                const uint32_t t = tree_[k + bit];
                if (t <= rest) {
                    k += bit;
                    rest -= t;
                }
            }
            hintBlock_ = k;
            hintBase_ = pos - rest;
        }
    }

    // A new block after block k takes the upper half of it. False when the
    // block cannot be allocated; nothing changed then.
    bool SplitBlock(size_t k) {
        GdirlistNode **upper = NewBlock();
        if (!upper) return false;
        memmove(blocks_ + k + 2, blocks_ + k + 1, (used_ - k - 1) * sizeof *blocks_);
        memmove(counts_ + k + 2, counts_ + k + 1, (used_ - k - 1) * sizeof *counts_);
        ++used_;
        const uint32_t moved = counts_[k] / 2;
        memcpy(upper, blocks_[k] + counts_[k] - moved, moved * sizeof *upper);
        blocks_[k + 1] = upper;
        counts_[k + 1] = moved;
        counts_[k] -= moved;
        RebuildTreeFrom(k);
        return true;
    }

    // The tree's sums that cover block k or a later one, from the counts.
    void RebuildTreeFrom(size_t k) {
        for (size_t i = k + 1; i <= treeSize_; ++i) tree_[i] = i <= used_ ? counts_[i - 1] : 0;
        for (size_t i = 1; i < treeSize_; ++i) {
            const size_t up = i + (i & (~i + 1));
            if (up > k && up <= treeSize_) tree_[up] += tree_[i];
        }
    }

    void *tables_ = nullptr;
    GdirlistNode ***blocks_ = nullptr;  // in list order
    uint32_t *counts_ = nullptr;        // nodes in each block
    uint32_t *tree_ = nullptr;          // Fenwick tree over counts_, 1-based
    size_t maxBlocks_ = 0, treeSize_ = 0, used_ = 0;
    uint32_t cap_ = 0, size_ = 0;
    size_t hintBlock_ = 0;  // the block of the last lookup or insertion
    uint32_t hintBase_ = 0; // the position of its first node
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
    void Prefetch(int32_t) const {}

private:
    GdirlistNode *node_;
    int32_t pos_;
};

// Prefetches the nodes that the first two probes of the search range
// [lo, hi] would be at: its middle and the middles of its halves.
template <typename Probes>
__attribute__((always_inline)) inline void PrefetchTwoProbes(const Probes &probes, int32_t lo,
                                                             int32_t hi) {
    if (lo > hi) return;
    const int32_t mid = (lo + hi) / 2;
    probes.Prefetch(mid);
    if (lo < mid) probes.Prefetch((lo + mid - 1) / 2);
    if (mid < hi) probes.Prefetch((mid + 1 + hi) / 2);
}

// Places x among positions 1 ... i - 2 of the sorted part, x being less
// than the node at i - 1 and greater than the first node. Returns the
// position x now has. probes.At(pos) gives the node at a position;
// probes.Prefetch(pos) may fetch it in advance.
template <typename Probes>
int32_t PlaceByBinarySearch(GdirlistNode *x, int32_t i, Probes &probes,
                            GdirlistCompareProc compare, ZuboUserValue user) {
    int32_t lo = 1, hi = i - 2;
    for (;;) {
        const int32_t mid = (lo + hi) / 2;
        GdirlistNode *probe = probes.At(mid);
        // While x is compared with this probe, the nodes of the next two
        // probes on either side are fetched: one of each pair is needed.
        PrefetchTwoProbes(probes, lo, mid - 1);
        PrefetchTwoProbes(probes, mid + 1, hi);
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

}  // namespace

int32_t Sort(Gdirlist &list, GdirlistCompareProc compare, ZuboUserValue user) {
    if (list.size <= 1) return 0;
    RankIndex store;
    RankIndex *index = store.Start(list.size) ? &store : nullptr;
    int32_t indexed = 0;
    // Nodes are relinked from here on: an index lookup's remembered node
    // would no longer stand at its position.
    DropFinger(list);

    GdirlistNode *x = list.head.next;
    for (int32_t i = 0; i < list.size; ++i) {
        GdirlistNode *following = x->next;
        int32_t placed = i;
        if (i > 0 && compare(&x->data, &x->prev->data, user) < 0) {
            GdirlistNode *p = x->prev;
            Unlink(x);
            GdirlistNode *first = list.head.next;
            if (compare(&x->data, &first->data, user) <= 0) {
                LinkBefore(x, first);
                placed = 0;
            } else if (index) {
                placed = PlaceByBinarySearch(x, i, *index, compare, user);
            } else {
                LinkWalker walker(p->prev, i - 2);
                placed = PlaceByBinarySearch(x, i, walker, compare, user);
            }
        }
        if (index) {
            if (index->Insert(static_cast<uint32_t>(placed), x)) {
                ++indexed;
            } else {
                index->Release();  // out of memory: the rest walks the links
                index = nullptr;
            }
        }
        x = following;
    }
    list.curPos = 0;
    list.curNode = list.head.next;
    return indexed;
}

}  // namespace zubo::recordlist
