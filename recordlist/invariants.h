// The structural invariants of a record list, checked by the record list's
// tests and the fuzz targets after every operation (internal: no export
// uses it).
#ifndef ZUBO_RECORDLIST_INVARIANTS_H
#define ZUBO_RECORDLIST_INVARIANTS_H

#include "recordlist/gdirlist.h"

namespace zubo::recordlist {

// Null when every invariant holds, else the first one broken: the head and
// tail sentinels end the links, the links agree in both directions, size
// counts the nodes between the sentinels, and the cursor's index lies in
// 0 ... size with its node the node at that index (the tail sentinel at
// size). The walk is bounded by size, so a cycle is reported, not followed.
const char *BrokenInvariant(const Gdirlist &list);

}  // namespace zubo::recordlist

#endif
