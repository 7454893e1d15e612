// The record list's binary insertion sort.
#ifndef ZUBO_RECORDLIST_SORT_H
#define ZUBO_RECORDLIST_SORT_H

#include "recordlist/gdirlist.h"

namespace zubo::recordlist {

// Sorts in place (nodes are relinked, so entry pointers stay valid) and
// puts the cursor on index 0. Lists of 0 or 1 entries are left as they are,
// cursor included. Returns how many entries went through the temporary rank
// index: the size when its memory could be had throughout, fewer when it
// ran out (the rest were placed walking the links), 0 for a short list.
int32_t Sort(Gdirlist &list, GdirlistCompareProc compare, ZuboUserValue user);

}  // namespace zubo::recordlist

#endif
