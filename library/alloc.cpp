#include "library/alloc.h"

#ifdef ZUBO_FAULT_INJECTION
namespace zubo {
namespace {
long budget = -1;  // test builds only
}

void *Allocate(size_t size) {
    if (budget == 0) return nullptr;
    if (budget > 0) --budget;
    return malloc(size);
}

void SetAllocationBudget(long count) { budget = count; }
}  // namespace zubo
#endif
