// Marks on the cursor entry and on all entries, marking by wildcard, and
// the walks with a host's routine.
#ifndef ZUBO_LISTVIEW_MARKS_WIN32_H
#define ZUBO_LISTVIEW_MARKS_WIN32_H

#include <windows.h>

#include <stdint.h>

#include "listview/state_win32.h"

namespace zubo::listview {

// Mark, unmark or invert every entry; each returns the entry count.
// Unmarking also brings the view back to row 0.
int32_t MarkAll(ListViewState *s);
int32_t MarkClearAll(ListViewState *s);
int32_t MarkInvertAll(ListViewState *s);
// The cursor entry's mark (nothing on the end row).
void MarkSet(ListViewState *s, bool marked);
void MarkInvert(ListViewState *s);
// Inverts the cursor entry's mark and steps down; the new cursor index, or 0
// on the end row (nothing done).
int32_t MarkInvertAndDown(ListViewState *s);
// Gives rows first ... last the mark `marked`, after clearing every mark
// when clearAll is set (rows outside the entries are left alone).
void SetMarks(ListViewState *s, int32_t first, int32_t last, bool marked, bool clearAll);
// Calls walk (may be null) with each marked entry, or with each entry, until
// it returns 0; the number visited.
int32_t EnumEntries(ListViewState *s, bool markedOnly, ZubolistWalkProc walk, void *user);
// Marks every entry whose name2 matches a DOS wildcard pattern; the entry
// count.
int32_t MarkMatchWildcard(ListViewState *s, const char *pattern, bool ignoreCase);

}  // namespace zubo::listview

#endif
