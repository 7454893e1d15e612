// Heap allocation for the library's objects. Everything comes from the C
// runtime heap (malloc/free). Native test builds can make allocations fail
// on purpose to exercise the out-of-memory paths.
#ifndef ZUBO_LIBRARY_ALLOC_H
#define ZUBO_LIBRARY_ALLOC_H

#include <stdlib.h>

namespace zubo {

#ifdef ZUBO_FAULT_INJECTION
void *Allocate(size_t size);
// After this call, `count` more allocations succeed and the rest fail;
// a negative count makes every allocation succeed again.
void SetAllocationBudget(long count);
#else
inline void *Allocate(size_t size) { return malloc(size); }
#endif

}  // namespace zubo

#endif
