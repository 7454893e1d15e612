// The "ZUBOLIST" window: its class, its font and layout, and the top row
// with the scroll bar.
#ifndef ZUBO_LISTVIEW_WINDOW_WIN32_H
#define ZUBO_LISTVIEW_WINDOW_WIN32_H

#include <windows.h>

#include <stdint.h>

#include "listview/state_win32.h"

namespace zubo::listview {

constexpr char kClassName[] = "ZUBOLIST";

// Registers the class for the process; its atom, 0 on failure.
ATOM RegisterListViewClass();

// Sets the painting font (the host's; never deleted), takes the cell size
// from its metrics and lays the view out again; false when no metrics
// could be read (the old ones stay).
bool ApplyFont(ListViewState *s, HFONT font);
// Recomputes the page, the top-row limit and the column widths from the
// client rectangle, and repaints everything.
void LayoutView(ListViewState *s);
// Sets the top row (unchecked) and the scroll bar's values; a new top row
// repaints everything. The bar itself is drawn with the next paint, and
// only when it would look different.
void SetTopRow(ListViewState *s, int32_t top);

}  // namespace zubo::listview

#endif
