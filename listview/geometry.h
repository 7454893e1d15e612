// Row geometry of the list view, free of any window: the page and column
// layout, the keep-visible rule, which pixels a range of rows covers and
// where a scroll request leads. The window code feeds these with its state
// and applies the results.
#ifndef ZUBO_LISTVIEW_GEOMETRY_H
#define ZUBO_LISTVIEW_GEOMETRY_H

#include <stdint.h>

namespace zubo::listview {

// Used when the creation font cannot be measured; also the floor of both
// metrics, since rows and columns are found by dividing by them.
constexpr int32_t kFallbackCharWidth = 8;
constexpr int32_t kFallbackLineHeight = 16;

// Cell metrics from a font's maximum character width, single-width advance
// (0 when unknown) and height: the cell is half the maximum width (a
// double-byte character takes two cells), but never narrower than the
// advance (CellWidthFor). Neither ever comes out below 1.
struct CellMetrics {
    int32_t charWidth;
    int32_t lineHeight;
};
CellMetrics CellMetricsFromFont(int32_t maxCharWidth, int32_t narrowAdvance, int32_t height);

// Column widths in characters.
struct ColumnWidths {
    int32_t name;
    int32_t name2;
    int32_t num1;
    int32_t num2;
};
// The name column takes half of the width beyond 49 characters.
ColumnWidths ColumnsForWidth(int32_t clientWidth, int32_t charWidth);

// Rows in the client height, a partly visible last row included.
int32_t PageRowsFor(int32_t clientHeight, int32_t lineHeight);

// Top row after a layout: a view reaching past the end row is pulled up
// until the end row sits on the last row of the page (never below 0).
int32_t TopRowAfterLayout(int32_t size, int32_t topRow, int32_t pageRows);

// What keeping the cursor row visible asks of the view. When pullUp is set,
// the view first moves to pullUpTop; it then moves to top (which may equal
// the top row in place: a scroll-bar refresh only). stayed is true when the
// second step left the top row as it was.
struct KeepVisiblePlan {
    bool pullUp;
    int32_t pullUpTop;
    int32_t top;
    bool stayed;
};
KeepVisiblePlan PlanKeepVisible(int32_t size, int32_t topRow, int32_t pageRows,
                                int32_t cursor);

// Pixel span [*y0, *y1) of rows first ... last (inclusive) clipped to the
// rows on screen; false when none of them is on screen.
bool RowSpan(int32_t first, int32_t last, int32_t topRow, int32_t clientHeight,
             int32_t lineHeight, int32_t *y0, int32_t *y1);

// Row under a client y coordinate.
inline int32_t RowAt(int32_t y, int32_t lineHeight, int32_t topRow) {
    return y / lineHeight + topRow;
}

// New top row for a scroll-bar request (codes as SB_LINEUP = 0 ...
// SB_THUMBTRACK = 5) from the bar's position, page, maximum and track
// position; false for the codes that do nothing.
bool ScrollTarget(int code, int32_t pos, int32_t page, int32_t max, int32_t trackPos,
                  int32_t *top);

// Top of the background below the end row.
inline int32_t BackgroundTop(int32_t size, int32_t topRow, int32_t lineHeight) {
    return (size - topRow + 1) * lineHeight;
}

}  // namespace zubo::listview

#endif
