// The frame of the library's table-driven objects: a zero-filled heap block
// that starts with its type word and its operation table.
#ifndef ZUBO_MEMORYDC_OBJECT_WIN32_H
#define ZUBO_MEMORYDC_OBJECT_WIN32_H

#include <stddef.h>

#include "zubo.h"

namespace zubo::memorydc {

// Allocates size bytes (at least sizeof(MemoryDC)), zero-filled, stores the
// type word and fills the table with the default operations: Release frees
// the block and returns 1, GetInfo stores 0 in the record's mask and returns
// 0, every other slot does nothing and returns 0. Null when out of memory.
MemoryDC *NewObject(uint32_t type, size_t size);

// Frees a block made by NewObject.
void FreeObject(MemoryDC *object);

}  // namespace zubo::memorydc

#endif
