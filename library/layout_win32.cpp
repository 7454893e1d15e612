// Layouts that hosts rely on. In the 32-bit DLL every field is 32 bits
// wide; the 64-bit build widens pointers and handles only.
#include "zubo.h"

#include <stddef.h>

#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(void *) == 4, "the product is a 32-bit DLL");
static_assert(sizeof(GdirlistEntry) == 24, "entry record: six 32-bit fields");
static_assert(offsetof(GdirlistEntry, name2) == 4, "entry record layout");
static_assert(offsetof(GdirlistEntry, num1) == 8, "entry record layout");
static_assert(offsetof(GdirlistEntry, num2) == 12, "entry record layout");
static_assert(offsetof(GdirlistEntry, comment) == 16, "entry record layout");
static_assert(offsetof(GdirlistEntry, flags) == 20, "entry record layout");
static_assert(sizeof(ZuboUserValue) == 4, "user values are 32 bits");
#endif

#if defined(_WIN64)
static_assert(sizeof(GdirlistEntry) == 40, "entry record: pointers widened");
static_assert(offsetof(GdirlistEntry, num1) == 16, "entry record layout");
static_assert(offsetof(GdirlistEntry, flags) == 32, "entry record layout");
static_assert(sizeof(ZuboUserValue) == sizeof(void *), "user values hold a pointer");
#endif
