// The text of one list view row, built without any window so that its
// layout can be checked anywhere.
#ifndef ZUBO_LISTVIEW_ROWTEXT_H
#define ZUBO_LISTVIEW_ROWTEXT_H

#include <stddef.h>

#include "listview/geometry.h"
#include "zubo.h"

namespace zubo::listview {

// Rows are formatted into an area of this size, terminator included.
constexpr size_t kRowTextMax = 1024;

// Formats the row of an entry: name right-aligned and cut to widths.name,
// "/", name2 left-aligned and cut to widths.name2, a space and num1 right-
// aligned in at least widths.num1, a space and num2 likewise, a space and
// the whole comment. Writes at most cap - 1 bytes and a terminator (cap >=
// 1) and returns the byte count. Null texts are shown as empty ones.
size_t FormatRowText(const GdirlistEntry *entry, const ColumnWidths &widths, char *out,
                     size_t cap);

}  // namespace zubo::listview

#endif
