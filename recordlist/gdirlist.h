// Internal layout of the record list: a doubly linked list with head and
// tail sentinels held in the list header, and one cursor (node and index).
#ifndef ZUBO_RECORDLIST_GDIRLIST_H
#define ZUBO_RECORDLIST_GDIRLIST_H

#include "zubo.h"

struct GdirlistNode {
    GdirlistNode *next;  // null only in the tail sentinel
    GdirlistNode *prev;  // null only in the head sentinel
    GdirlistEntry data;  // entry pointers handed out point here
};

struct Gdirlist {
    int32_t size;
    GdirlistNode head;
    GdirlistNode tail;
    GdirlistNode *curNode;  // the tail sentinel when the cursor is past the end
    int32_t curPos;         // 0 ... size
};

namespace zubo {

// Node at index k (k == size gives the tail sentinel), walking from the
// nearest of the first node, the cursor and the last node; null when k is
// out of 0 ... size.
GdirlistNode *NodeAt(Gdirlist *list, int32_t k);

// The node that owns an entry record handed out by the list.
inline GdirlistNode *NodeOf(GdirlistEntry *entry) {
    return reinterpret_cast<GdirlistNode *>(reinterpret_cast<char *>(entry) -
                                            offsetof(GdirlistNode, data));
}

}  // namespace zubo

#endif
