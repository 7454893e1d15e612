// The exported functions of the record list (Gdirlist_*, CreateGdirlist,
// SplitGdirlistLine). This file owns their argument policy: a null list,
// template or path is refused here with the family's refusal value (0 or
// null; functions whose result is an argument return it all the same), and
// indexes are checked here. Everything behind it takes a list that exists.
#include <stdint.h>
#include <stdlib.h>

#include "recordlist/gdirlist.h"
#include "recordlist/listfile.h"
#include "recordlist/listline.h"
#include "recordlist/sort.h"

using namespace zubo::recordlist;

extern "C" {

Gdirlist *ZUBOAPI CreateGdirlist(void) { return NewList(); }

void ZUBOAPI Gdirlist_Release(Gdirlist *list) {
    if (list) FreeList(list);
}

int32_t ZUBOAPI Gdirlist_GetSize(Gdirlist *list) { return list ? list->size : 0; }

void ZUBOAPI Gdirlist_StrFree(char *text) { free(text); }

char *ZUBOAPI Gdirlist_StrDup(const char *text) { return DupText(text); }

Gdirlist *ZUBOAPI Gdirlist_Sort(Gdirlist *list, GdirlistCompareProc compare,
                                ZuboUserValue user) {
    if (list && compare) Sort(*list, compare, user);
    return list;
}

int32_t ZUBOAPI Gdirlist_GetCurPos(Gdirlist *list) { return list ? list->curPos : 0; }

int32_t ZUBOAPI Gdirlist_CursorUp(Gdirlist *list) { return list ? CursorUp(*list) : 0; }

int32_t ZUBOAPI Gdirlist_CursorDown(Gdirlist *list) { return list ? CursorDown(*list) : 0; }

int32_t ZUBOAPI Gdirlist_SetCurPos(Gdirlist *list, int32_t index) {
    return list ? SetCursor(*list, index) : 0;
}

GdirlistEntry *ZUBOAPI Gdirlist_GetDataPtr(Gdirlist *list, int32_t index) {
    return list ? EntryAt(*list, index) : nullptr;
}

GdirlistEntry *ZUBOAPI Gdirlist_GetDataPtrCursor(Gdirlist *list) {
    return list ? CursorEntry(*list) : nullptr;
}

GdirlistEntry *ZUBOAPI Gdirlist_Add(Gdirlist *list, const GdirlistEntry *tmpl) {
    return list && tmpl ? Append(*list, *tmpl) : nullptr;
}

GdirlistEntry *ZUBOAPI Gdirlist_Insert(Gdirlist *list, const GdirlistEntry *tmpl,
                                       int32_t index) {
    if (!list || !tmpl || index < 0 || index > list->size) return nullptr;
    return InsertAt(*list, *tmpl, index);
}

GdirlistEntry *ZUBOAPI Gdirlist_InsertCursor(Gdirlist *list, const GdirlistEntry *tmpl) {
    return list && tmpl ? InsertAtCursor(*list, *tmpl) : nullptr;
}

void ZUBOAPI Gdirlist_Delete(Gdirlist *list, int32_t index) {
    if (list && index >= 0 && index < list->size) DeleteAt(*list, index);
}

int32_t ZUBOAPI Gdirlist_DeleteCursor(Gdirlist *list) { return list ? DeleteAtCursor(*list) : 0; }

int32_t ZUBOAPI Gdirlist_DeleteAll(Gdirlist *list) {
    if (list) DeleteAllEntries(*list);
    return 0;
}

int32_t ZUBOAPI SplitGdirlistLine(const char *line, char *name, char *name2, int32_t *num1,
                                  int32_t *num2, char *comment) {
    if (!line || !name || !name2 || !num1 || !num2 || !comment) return -1;
    // The caller's buffers are sized for the whole line.
    return SplitListLine(line, name, SIZE_MAX, name2, SIZE_MAX, num1, num2, comment, SIZE_MAX);
}

int32_t ZUBOAPI Gdirlist_AddListFile(Gdirlist *list, const char *path) {
    return list && path ? AddListFile(*list, path) : 0;
}

int32_t ZUBOAPI Gdirlist_SaveListFile(Gdirlist *list, const char *path) {
    if (!list || !path) return 0;
    const SaveOutcome saved = SaveListFile(*list, path, Selection::kAll);
    return saved.written ? saved.lines : 0;
}

uint32_t ZUBOAPI Gdirlist_SetFlagAll(Gdirlist *list, uint32_t value) {
    if (list) ApplyFlags(*list, FlagOp::kSet, value);
    return value;
}

uint32_t ZUBOAPI Gdirlist_XorFlagAll(Gdirlist *list, uint32_t value) {
    if (list) ApplyFlags(*list, FlagOp::kXor, value);
    return value;
}

uint32_t ZUBOAPI Gdirlist_AndFlagAll(Gdirlist *list, uint32_t value) {
    if (list) ApplyFlags(*list, FlagOp::kAnd, value);
    return value;
}

uint32_t ZUBOAPI Gdirlist_OrFlagAll(Gdirlist *list, uint32_t value) {
    if (list) ApplyFlags(*list, FlagOp::kOr, value);
    return value;
}

}  // extern "C"
