#include "recordlist/invariants.h"

#include <stdint.h>

namespace zubo::recordlist {

const char *BrokenInvariant(const Gdirlist &list) {
    if (list.head.prev) return "the head sentinel has no previous node";
    if (list.tail.next) return "the tail sentinel has no next node";
    if (list.size < 0) return "size is not negative";
    if (list.curPos < 0 || list.curPos > list.size) return "the cursor index is 0 ... size";
    // The finger, the node of the last index lookup, is either unset or an
    // entry node (never a sentinel, never a freed node) at its index.
    if (!list.finger && list.fingerPos != 0) return "no finger but a finger index";
    if (list.finger && (list.fingerPos < 0 || list.fingerPos >= list.size))
        return "the finger index is 0 ... size - 1";
    // Node k of the walk is the node at index k; the tail sentinel must be
    // node size, and no other node may be a sentinel or end the links.
    const GdirlistNode *prev = &list.head;
    const GdirlistNode *node = list.head.next;
    const GdirlistNode *atCursor = nullptr;
    const GdirlistNode *atFinger = nullptr;
    for (int64_t k = 0;; ++k) {
        if (!node) return "the links from the head reach the tail sentinel";
        if (node == &list.head) return "the head sentinel is not in the chain";
        if (node->prev != prev) return "each node's prev is the node before it";
        if (k == list.curPos) atCursor = node;
        if (list.finger && k == list.fingerPos) atFinger = node;
        if (node == &list.tail) {
            if (k != list.size) return "size counts the nodes between the sentinels";
            break;
        }
        if (k >= list.size) return "size counts the nodes between the sentinels";
        if (!node->next) return "only the tail sentinel ends the links";
        prev = node;
        node = node->next;
    }
    if (atCursor != list.curNode) return "the cursor node is the node at the cursor index";
    if (atFinger != list.finger) return "the finger is the node at the finger index";
    return nullptr;
}

}  // namespace zubo::recordlist
