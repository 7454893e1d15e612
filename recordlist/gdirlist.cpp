// Record list core: creation, cursor, index access, insertion, deletion and
// the flag operations on all entries.
#include "recordlist/gdirlist.h"

#include <stdlib.h>
#include <string.h>

#include "library/alloc.h"

namespace zubo::recordlist {
namespace {

void FreeNode(GdirlistNode *node) {
    free(node->data.name);
    free(node->data.name2);
    free(node->data.comment);
    free(node);
}

// A private copy of the template, not yet linked. Null when any part cannot
// be allocated; nothing is left allocated then.
GdirlistNode *CopyTemplate(const GdirlistEntry &tmpl) {
    GdirlistNode *node = static_cast<GdirlistNode *>(Allocate(sizeof(GdirlistNode)));
    if (!node) return nullptr;
    node->next = node->prev = nullptr;
    node->data = tmpl;
    node->data.name = DupText(tmpl.name);
    node->data.name2 = DupText(tmpl.name2);
    node->data.comment = DupText(tmpl.comment);
    if ((tmpl.name && !node->data.name) || (tmpl.name2 && !node->data.name2) ||
        (tmpl.comment && !node->data.comment)) {
        FreeNode(node);
        return nullptr;
    }
    return node;
}

void FreeAllNodes(Gdirlist &list) {
    GdirlistNode *node = list.head.next;
    while (node->next) {
        GdirlistNode *next = node->next;
        FreeNode(node);
        node = next;
    }
}

// Keeps the finger off the node at index k, which is about to be unlinked
// and freed: a finger on it moves to the next node (which takes index k) or
// goes when that is the tail sentinel; a finger further on keeps its node,
// one index lower.
void FingerForDeletion(Gdirlist &list, GdirlistNode *node, int32_t k) {
    if (!list.finger || list.fingerPos < k) return;
    if (list.fingerPos > k) {
        --list.fingerPos;
    } else if (node->next->next) {
        list.finger = node->next;
    } else {
        DropFinger(list);
    }
}

void MakeEmpty(Gdirlist &list) {
    DropFinger(list);
    list.size = 0;
    list.head.next = &list.tail;
    list.head.prev = nullptr;
    list.tail.next = nullptr;
    list.tail.prev = &list.head;
    list.curNode = &list.tail;
    list.curPos = 0;
}

}  // namespace

Gdirlist *NewList() {
    Gdirlist *list = static_cast<Gdirlist *>(Allocate(sizeof(Gdirlist)));
    if (list) MakeEmpty(*list);
    return list;
}

void FreeList(Gdirlist *list) {
    FreeAllNodes(*list);
    free(list);
}

char *DupText(const char *text) {
    if (!text) return nullptr;
    const size_t len = strlen(text) + 1;
    char *copy = static_cast<char *>(Allocate(len));
    if (copy) memcpy(copy, text, len);
    return copy;
}

GdirlistNode *NodeAt(Gdirlist &list, int32_t k) {
    const int32_t n = list.size;
    if (k < 0 || k > n) return nullptr;
    if (k == n) return &list.tail;
    // Start from whichever of the first node, the last node, the cursor and
    // the finger is nearest, so that walking by consecutive indexes costs
    // O(1) a step whether or not the cursor follows. (The cursor may stand
    // on the tail sentinel, index n: stepping back from it works too.)
    GdirlistNode *node = list.head.next;
    int32_t from = 0, steps = k;
    if (n - 1 - k < steps) {
        node = list.tail.prev;
        from = n - 1;
        steps = n - 1 - k;
    }
    const int32_t toCursor = k < list.curPos ? list.curPos - k : k - list.curPos;
    if (toCursor < steps) {
        node = list.curNode;
        from = list.curPos;
        steps = toCursor;
    }
    if (list.finger) {
        const int32_t toFinger = k < list.fingerPos ? list.fingerPos - k : k - list.fingerPos;
        if (toFinger < steps) {
            node = list.finger;
            from = list.fingerPos;
        }
    }
    for (; from < k; ++from) node = node->next;
    for (; from > k; --from) node = node->prev;
    list.finger = node;
    list.fingerPos = k;
    return node;
}

GdirlistEntry *Append(Gdirlist &list, const GdirlistEntry &tmpl) {
    GdirlistNode *node = CopyTemplate(tmpl);
    if (!node) return nullptr;
    LinkBefore(node, &list.tail);
    ++list.size;
    // A cursor past the end keeps its index and so now rests on the new entry.
    if (list.curNode == &list.tail) list.curNode = node;
    return &node->data;
}

GdirlistEntry *InsertAt(Gdirlist &list, const GdirlistEntry &tmpl, int32_t k) {
    GdirlistNode *at = NodeAt(list, k);
    GdirlistNode *node = CopyTemplate(tmpl);
    if (!node) return nullptr;
    LinkBefore(node, at);
    ++list.size;
    if (k <= list.curPos) ++list.curPos;
    if (list.finger && k <= list.fingerPos) ++list.fingerPos;
    return &node->data;
}

GdirlistEntry *InsertAtCursor(Gdirlist &list, const GdirlistEntry &tmpl) {
    GdirlistNode *node = CopyTemplate(tmpl);
    if (!node) return nullptr;
    if (list.finger && list.curPos <= list.fingerPos) ++list.fingerPos;
    LinkBefore(node, list.curNode);
    ++list.size;
    ++list.curPos;
    return &node->data;
}

void DeleteAt(Gdirlist &list, int32_t k) {
    GdirlistNode *node = NodeAt(list, k);
    if (k == list.curPos) {
        list.curNode = node->next;
        ++list.curPos;
    }
    FingerForDeletion(list, node, k);
    Unlink(node);
    FreeNode(node);
    if (k < list.curPos) --list.curPos;
    --list.size;
}

int32_t DeleteAtCursor(Gdirlist &list) {
    if (list.curPos >= list.size) return list.curPos;
    GdirlistNode *node = list.curNode;
    list.curNode = node->next;
    FingerForDeletion(list, node, list.curPos);
    Unlink(node);
    FreeNode(node);
    --list.size;
    return list.size;
}

void DeleteAllEntries(Gdirlist &list) {
    FreeAllNodes(list);
    MakeEmpty(list);
}

void ApplyFlags(Gdirlist &list, FlagOp op, uint32_t value) {
    // One loop per operation, so that none of them tests the operation per
    // entry.
    auto each = [&list](auto change) {
        for (GdirlistNode *node = list.head.next; node->next; node = node->next)
            node->data.flags = change(node->data.flags);
    };
    switch (op) {
    case FlagOp::kSet: each([value](uint32_t) { return value; }); break;
    case FlagOp::kXor: each([value](uint32_t f) { return f ^ value; }); break;
    case FlagOp::kAnd: each([value](uint32_t f) { return f & value; }); break;
    case FlagOp::kOr: each([value](uint32_t f) { return f | value; }); break;
    }
}

}  // namespace zubo::recordlist
