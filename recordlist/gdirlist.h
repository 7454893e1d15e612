// The record list behind the Gdirlist_ exports: its layout (a doubly linked
// list with head and tail sentinels held in the list header, one cursor,
// node and index, and the finger: the node and index of the last index
// lookup) and the typed operations on it. Every function here takes
// a list that exists; the null and range policy of the exported functions
// lives in recordlist/exports.cpp.
#ifndef ZUBO_RECORDLIST_GDIRLIST_H
#define ZUBO_RECORDLIST_GDIRLIST_H

#include <stddef.h>
#include <stdint.h>

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
    // Null, or an entry node (never a sentinel) and its index 0 ... size - 1.
    // Index lookups start from it too, so that visiting by consecutive
    // indexes costs a step each although such lookups leave the cursor
    // alone. Every operation that inserts, deletes or relinks nodes keeps it
    // on its node with the node's new index, moves it or drops it.
    GdirlistNode *finger;
    int32_t fingerPos;
};

namespace zubo::recordlist {

// An empty list (cursor 0, past the end); null when out of memory.
Gdirlist *NewList();
// Frees every entry with its texts, then the list.
void FreeList(Gdirlist *list);

// A copy of a text on the C runtime heap; null for a null text or when out
// of memory.
char *DupText(const char *text);

// Node at index k (k == size gives the tail sentinel), walking from the
// nearest of the first node, the cursor, the finger and the last node; null
// when k is out of 0 ... size. An entry node found becomes the finger.
GdirlistNode *NodeAt(Gdirlist &list, int32_t k);

// Forgets the finger (for operations that relink nodes wholesale).
inline void DropFinger(Gdirlist &list) {
    list.finger = nullptr;
    list.fingerPos = 0;
}

// The node that owns an entry record handed out by the list.
inline GdirlistNode *NodeOf(GdirlistEntry *entry) {
    return reinterpret_cast<GdirlistNode *>(reinterpret_cast<char *>(entry) -
                                            offsetof(GdirlistNode, data));
}

// Linking primitives, shared by the list operations and the sort.
inline void LinkAfter(GdirlistNode *node, GdirlistNode *after) {
    node->prev = after;
    node->next = after->next;
    after->next->prev = node;
    after->next = node;
}
inline void LinkBefore(GdirlistNode *node, GdirlistNode *before) {
    LinkAfter(node, before->prev);
}
inline void Unlink(GdirlistNode *node) {
    node->prev->next = node->next;
    node->next->prev = node->prev;
}

// Cursor moves (inline: hosts walk lists one step at a time). Each returns
// the cursor index afterwards.
inline int32_t CursorUp(Gdirlist &list) {  // 0 stays 0
    if (list.curPos > 0) {
        list.curNode = list.curNode->prev;
        --list.curPos;
    }
    return list.curPos;
}
inline int32_t CursorDown(Gdirlist &list) {  // size stays size
    if (list.curPos < list.size) {
        list.curNode = list.curNode->next;
        ++list.curPos;
    }
    return list.curPos;
}
inline int32_t SetCursor(Gdirlist &list, int32_t k) {  // clamped to 0 ... size
    if (k > list.size) k = list.size;
    if (k < 0) k = 0;
    list.curNode = NodeAt(list, k);  // looked up while the old cursor stands
    list.curPos = k;
    return k;
}

// The entry at index k, null when k is not 0 ... size - 1.
inline GdirlistEntry *EntryAt(Gdirlist &list, int32_t k) {
    if (k < 0 || k >= list.size) return nullptr;
    return &NodeAt(list, k)->data;
}
// The entry under the cursor, null past the end.
inline GdirlistEntry *CursorEntry(Gdirlist &list) {
    return list.curPos < list.size ? &list.curNode->data : nullptr;
}

// Insertions copy the template (texts duplicated) and return the new entry;
// null, with the list exactly as it was, when memory runs out.
// Appends; a cursor past the end comes to rest on the new entry.
GdirlistEntry *Append(Gdirlist &list, const GdirlistEntry &tmpl);
// Inserts so that the new entry has index k (0 ... size, checked by the
// caller); the cursor keeps its entry.
GdirlistEntry *InsertAt(Gdirlist &list, const GdirlistEntry &tmpl, int32_t k);
// Inserts before the cursor entry; the cursor keeps its entry.
GdirlistEntry *InsertAtCursor(Gdirlist &list, const GdirlistEntry &tmpl);

// Deletes the entry at index k (0 ... size - 1, checked by the caller); a
// deleted cursor entry leaves the cursor on the entry that followed.
void DeleteAt(Gdirlist &list, int32_t k);
// Deletes the cursor entry (nothing past the end). Returns the size, or the
// cursor index when there was nothing to delete.
int32_t DeleteAtCursor(Gdirlist &list);
// Deletes every entry; cursor 0.
void DeleteAllEntries(Gdirlist &list);

// The flag operations on the whole flags word of every entry.
enum class FlagOp { kSet, kXor, kAnd, kOr };
void ApplyFlags(Gdirlist &list, FlagOp op, uint32_t value);

}  // namespace zubo::recordlist

#endif
