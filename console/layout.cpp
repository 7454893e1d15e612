// Layouts of the console's cell, line and record. Cells and lines are part
// of the interface; the record keeps the field order of the 32-bit DLL so
// that its memory reads the same in a debugger or a dump.
#include <stddef.h>

#include "console/consout.h"

static_assert(sizeof(ConsoutCell) == 4, "cell: two 16-bit words");
static_assert(offsetof(ConsoutCell, attr) == 2, "cell layout");
static_assert(offsetof(ConsoutLine, cells) == 4, "line: count, then the cells");
static_assert(sizeof(ConsoutColor) == 4, "colour values are 32 bits");

// The record, frozen so that a console reads the same in a debugger or a dump.
#if defined(_WIN32) && !defined(_WIN64)
static_assert(offsetof(Consout, font) == 64, "record layout");
static_assert(offsetof(Consout, consWidth) == 68, "record layout");
static_assert(offsetof(Consout, outputMode) == 112, "record layout");
static_assert(offsetof(Consout, escLen) == 116, "record layout");
static_assert(offsetof(Consout, escBuf) == 120, "record layout");
static_assert(offsetof(Consout, escState) == 248, "record layout");
static_assert(offsetof(Consout, scrollNotifyProc) == 252, "record layout");
static_assert(offsetof(Consout, escProcData) == 264, "record layout");
static_assert(offsetof(Consout, dirtyLeft) == 268, "record layout");
static_assert(offsetof(Consout, maxline) == 304, "record layout");
static_assert(sizeof(Consout) == 308, "the ring of line pointers follows at 308");
#endif
