// Binary insertion sort over the linked list. Nodes are relinked, never
// copied, so entry pointers held by callers stay valid.
#include "recordlist/gdirlist.h"

namespace {

void LinkAfter(GdirlistNode *node, GdirlistNode *after) {
    node->prev = after;
    node->next = after->next;
    after->next->prev = node;
    after->next = node;
}

void LinkBefore(GdirlistNode *node, GdirlistNode *before) {
    LinkAfter(node, before->prev);
}

void Unlink(GdirlistNode *node) {
    node->prev->next = node->next;
    node->next->prev = node->prev;
}

// Places x among positions 1 ... i - 2 of the sorted part, x being known to
// be less than the node at i - 1 and greater than the first node. The probe
// walks node by node from its previous position to each midpoint.
void PlaceByBinarySearch(GdirlistNode *x, GdirlistNode *beforeP, int32_t i,
                         GdirlistCompareProc compare, ZuboUserValue user) {
    int32_t lo = 1, hi = i - 2;
    GdirlistNode *probe = beforeP;
    int32_t pos = i - 2;
    for (;;) {
        const int32_t mid = (lo + hi) / 2;
        for (; pos < mid; ++pos) probe = probe->next;
        for (; pos > mid; --pos) probe = probe->prev;
        const int32_t r = compare(&x->data, &probe->data, user);
        if (r == 0) return LinkAfter(x, probe);
        if (mid == lo && r < 0) return LinkBefore(x, probe);
        if (mid == hi && r > 0) return LinkAfter(x, probe);
        if (r > 0) lo = mid + 1;
        else hi = mid - 1;
        // Only a comparison that contradicts its earlier answers can empty
        // the range (for example "greater than the first node", then "less
        // than it"); end the search there instead of probing outside it.
        if (lo > hi) return r > 0 ? LinkAfter(x, probe) : LinkBefore(x, probe);
    }
}

}  // namespace

extern "C" Gdirlist *ZUBOAPI Gdirlist_Sort(Gdirlist *list, GdirlistCompareProc compare,
                                           ZuboUserValue user) {
    if (!list || !compare || list->size <= 1) return list;
    GdirlistNode *x = list->head.next->next;  // position 1
    for (int32_t i = 1; i < list->size; ++i) {
        GdirlistNode *following = x->next;
        GdirlistNode *p = x->prev;
        if (compare(&x->data, &p->data, user) < 0) {
            Unlink(x);
            GdirlistNode *first = list->head.next;
            if (compare(&x->data, &first->data, user) <= 0)
                LinkBefore(x, first);
            else
                PlaceByBinarySearch(x, p->prev, i, compare, user);
        }
        x = following;
    }
    list->curPos = 0;
    list->curNode = list->head.next;
    return list;
}
