// Layouts that hosts rely on: the object with its type word, operation
// table and surface, and the info and size records. In the 32-bit DLL every
// field is 32 bits wide; the 64-bit build widens pointers and handles only.
#include <stddef.h>

#include "zubo.h"

#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(MemoryDCOperations) == 15 * 4, "15 operation slots");
static_assert(offsetof(MemoryDC, ops) == 4, "table follows the type word");
static_assert(offsetof(MemoryDC, ops.Resize) == 4 + 14 * 4, "slot 15");
static_assert(offsetof(MemoryDC, ops.GetInfo2) == 4 + 12 * 4, "slot 13");
static_assert(offsetof(MemoryDC, surface) == 64, "surface follows the table");
static_assert(offsetof(MemoryDC, surface.bytesPerLine) == 76, "surface layout");
static_assert(offsetof(MemoryDC, surface.hdc) == 80, "surface layout");
static_assert(offsetof(MemoryDC, surface.hpal) == 84, "surface layout");
static_assert(offsetof(MemoryDC, surface.palEntries) == 88, "surface layout");
static_assert(offsetof(MemoryDC, surface.hbm) == 92, "surface layout");
static_assert(offsetof(MemoryDC, surface.hbmOld) == 96, "surface layout");
static_assert(offsetof(MemoryDC, surface.bits) == 100, "surface layout");
static_assert(sizeof(MemoryDC) == 104, "object: 26 words");
static_assert(sizeof(MemoryDCInfo) == 24, "info record: six 32-bit fields");
static_assert(offsetof(MemoryDCInfo, bits) == 20, "info record layout");
#endif

#if defined(_WIN64)
static_assert(sizeof(MemoryDCOperations) == 15 * 8, "15 pointer-sized slots");
static_assert(offsetof(MemoryDC, ops) == 8, "table aligned after the type word");
static_assert(offsetof(MemoryDC, surface) == 128, "surface follows the table");
static_assert(offsetof(MemoryDC, surface.hdc) == 144, "surface layout");
static_assert(offsetof(MemoryDC, surface.palEntries) == 160, "surface layout");
static_assert(offsetof(MemoryDC, surface.bits) == 184, "surface layout");
static_assert(sizeof(MemoryDC) == 192, "object layout");
static_assert(sizeof(MemoryDCInfo) == 32, "info record: bits widened");
static_assert(offsetof(MemoryDCInfo, bits) == 24, "info record layout");
#endif

static_assert(sizeof(MemoryDCSize) == 16, "size record: four 32-bit fields");
static_assert(offsetof(MemoryDCSize, width) == 8 && offsetof(MemoryDCSize, height) == 12,
              "size record layout");
