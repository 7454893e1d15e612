// Record list core: creation, cursor, index access, insertion, deletion and
// the flag operations on all entries.
#include "recordlist/gdirlist.h"

#include "library/alloc.h"

#include <stdlib.h>
#include <string.h>

namespace zubo {

GdirlistNode *NodeAt(Gdirlist *list, int32_t k) {
    const int32_t n = list->size;
    const int32_t c = list->curPos;
    if (k < 0 || k > n) return nullptr;
    if (k == n) return &list->tail;
    GdirlistNode *node;
    // Start from whichever of the first node, the cursor and the last node
    // is nearest, so that walking by consecutive indexes costs O(1) a step.
    // The sum is taken in 64 bits: (c + n) cannot overflow there.
    if ((static_cast<int64_t>(c) + n) / 2 < k) {
        node = list->tail.prev;
        for (int32_t i = n - 1; i > k; --i) node = node->prev;
    } else if (c < k) {
        node = list->curNode;
        for (int32_t i = c; i < k; ++i) node = node->next;
    } else if (c / 2 < k) {
        node = list->curNode;
        for (int32_t i = c; i > k; --i) node = node->prev;
    } else {
        node = list->head.next;
        for (int32_t i = 0; i < k; ++i) node = node->next;
    }
    return node;
}

}  // namespace zubo

using zubo::NodeAt;

namespace {

char *DupText(const char *text) {
    if (!text) return nullptr;
    size_t len = strlen(text) + 1;
    char *copy = static_cast<char *>(zubo::Allocate(len));
    if (copy) memcpy(copy, text, len);
    return copy;
}

void FreeNode(GdirlistNode *node) {
    free(node->data.name);
    free(node->data.name2);
    free(node->data.comment);
    free(node);
}

// A private copy of the template, not yet linked. Null when any part cannot
// be allocated; nothing is left allocated then.
GdirlistNode *CopyTemplate(const GdirlistEntry *tmpl) {
    GdirlistNode *node = static_cast<GdirlistNode *>(zubo::Allocate(sizeof(GdirlistNode)));
    if (!node) return nullptr;
    node->next = node->prev = nullptr;
    node->data = *tmpl;
    node->data.name = DupText(tmpl->name);
    node->data.name2 = DupText(tmpl->name2);
    node->data.comment = DupText(tmpl->comment);
    if ((tmpl->name && !node->data.name) || (tmpl->name2 && !node->data.name2) ||
        (tmpl->comment && !node->data.comment)) {
        FreeNode(node);
        return nullptr;
    }
    return node;
}

void LinkBefore(GdirlistNode *node, GdirlistNode *before) {
    node->next = before;
    node->prev = before->prev;
    before->prev->next = node;
    before->prev = node;
}

void Unlink(GdirlistNode *node) {
    node->prev->next = node->next;
    node->next->prev = node->prev;
}

void FreeAllNodes(Gdirlist *list) {
    GdirlistNode *node = list->head.next;
    while (node->next) {
        GdirlistNode *next = node->next;
        FreeNode(node);
        node = next;
    }
}

void MakeEmpty(Gdirlist *list) {
    list->size = 0;
    list->head.next = &list->tail;
    list->head.prev = nullptr;
    list->tail.next = nullptr;
    list->tail.prev = &list->head;
    list->curNode = &list->tail;
    list->curPos = 0;
}

template <typename Op>
uint32_t ForEachFlags(Gdirlist *list, uint32_t value, Op op) {
    if (!list) return value;
    for (GdirlistNode *node = list->head.next; node->next; node = node->next)
        node->data.flags = op(node->data.flags, value);
    return value;
}

}  // namespace

extern "C" {

Gdirlist *ZUBOAPI CreateGdirlist(void) {
    Gdirlist *list = static_cast<Gdirlist *>(zubo::Allocate(sizeof(Gdirlist)));
    if (list) MakeEmpty(list);
    return list;
}

void ZUBOAPI Gdirlist_Release(Gdirlist *list) {
    if (!list) return;
    FreeAllNodes(list);
    free(list);
}

int32_t ZUBOAPI Gdirlist_GetSize(Gdirlist *list) { return list ? list->size : 0; }

void ZUBOAPI Gdirlist_StrFree(char *text) { free(text); }

char *ZUBOAPI Gdirlist_StrDup(const char *text) { return DupText(text); }

int32_t ZUBOAPI Gdirlist_GetCurPos(Gdirlist *list) { return list ? list->curPos : 0; }

int32_t ZUBOAPI Gdirlist_CursorUp(Gdirlist *list) {
    if (!list) return 0;
    if (list->curPos > 0) {
        list->curNode = list->curNode->prev;
        --list->curPos;
    }
    return list->curPos;
}

int32_t ZUBOAPI Gdirlist_CursorDown(Gdirlist *list) {
    if (!list) return 0;
    if (list->curPos < list->size) {
        list->curNode = list->curNode->next;
        ++list->curPos;
    }
    return list->curPos;
}

int32_t ZUBOAPI Gdirlist_SetCurPos(Gdirlist *list, int32_t k) {
    if (!list) return 0;
    if (k > list->size) k = list->size;
    if (k < 0) k = 0;
    list->curNode = NodeAt(list, k);  // looked up while the old cursor stands
    list->curPos = k;
    return k;
}

GdirlistEntry *ZUBOAPI Gdirlist_GetDataPtr(Gdirlist *list, int32_t k) {
    if (!list || k < 0 || k >= list->size) return nullptr;
    return &NodeAt(list, k)->data;
}

GdirlistEntry *ZUBOAPI Gdirlist_GetDataPtrCursor(Gdirlist *list) {
    if (!list || list->curPos >= list->size) return nullptr;
    return &list->curNode->data;
}

GdirlistEntry *ZUBOAPI Gdirlist_Add(Gdirlist *list, const GdirlistEntry *tmpl) {
    if (!list || !tmpl) return nullptr;
    GdirlistNode *node = CopyTemplate(tmpl);
    if (!node) return nullptr;
    LinkBefore(node, &list->tail);
    ++list->size;
    // A cursor past the end keeps its index and so now rests on the new entry.
    if (list->curNode == &list->tail) list->curNode = node;
    return &node->data;
}

GdirlistEntry *ZUBOAPI Gdirlist_Insert(Gdirlist *list, const GdirlistEntry *tmpl,
                                       int32_t k) {
    if (!list || !tmpl || k < 0 || k > list->size) return nullptr;
    GdirlistNode *at = NodeAt(list, k);
    GdirlistNode *node = CopyTemplate(tmpl);
    if (!node) return nullptr;
    LinkBefore(node, at);
    ++list->size;
    if (k <= list->curPos) ++list->curPos;
    return &node->data;
}

GdirlistEntry *ZUBOAPI Gdirlist_InsertCursor(Gdirlist *list, const GdirlistEntry *tmpl) {
    if (!list || !tmpl) return nullptr;
    GdirlistNode *node = CopyTemplate(tmpl);
    if (!node) return nullptr;
    LinkBefore(node, list->curNode);
    ++list->size;
    ++list->curPos;
    return &node->data;
}

void ZUBOAPI Gdirlist_Delete(Gdirlist *list, int32_t k) {
    if (!list || k < 0 || k >= list->size) return;
    GdirlistNode *node = NodeAt(list, k);
    if (k == list->curPos) {
        list->curNode = node->next;
        ++list->curPos;
    }
    Unlink(node);
    FreeNode(node);
    if (k < list->curPos) --list->curPos;
    --list->size;
}

int32_t ZUBOAPI Gdirlist_DeleteCursor(Gdirlist *list) {
    if (!list) return 0;
    if (list->curPos >= list->size) return list->curPos;
    GdirlistNode *node = list->curNode;
    list->curNode = node->next;
    Unlink(node);
    FreeNode(node);
    --list->size;
    return list->size;
}

int32_t ZUBOAPI Gdirlist_DeleteAll(Gdirlist *list) {
    if (!list) return 0;
    FreeAllNodes(list);
    MakeEmpty(list);
    return 0;
}

uint32_t ZUBOAPI Gdirlist_SetFlagAll(Gdirlist *list, uint32_t value) {
    return ForEachFlags(list, value, [](uint32_t, uint32_t v) { return v; });
}

uint32_t ZUBOAPI Gdirlist_XorFlagAll(Gdirlist *list, uint32_t value) {
    return ForEachFlags(list, value, [](uint32_t f, uint32_t v) { return f ^ v; });
}

uint32_t ZUBOAPI Gdirlist_AndFlagAll(Gdirlist *list, uint32_t value) {
    return ForEachFlags(list, value, [](uint32_t f, uint32_t v) { return f & v; });
}

uint32_t ZUBOAPI Gdirlist_OrFlagAll(Gdirlist *list, uint32_t value) {
    return ForEachFlags(list, value, [](uint32_t f, uint32_t v) { return f | v; });
}

}  // extern "C"
