#include "listview/geometry.h"

#include "library/cell_width.h"

namespace zubo::listview {

CellMetrics CellMetricsFromFont(int32_t maxCharWidth, int32_t narrowAdvance, int32_t height) {
    CellMetrics m{CellWidthFor(maxCharWidth, narrowAdvance), height};
    // A font with no height would give a zero divisor for the row
    // arithmetic (the cell width is never below 1).
    if (m.lineHeight < 1) m.lineHeight = 1;
    return m;
}

ColumnWidths ColumnsForWidth(int32_t clientWidth, int32_t charWidth) {
    ColumnWidths w{12, 16, 9, 9};
    const int32_t cols = clientWidth / (charWidth > 0 ? charWidth : 1);
    if (cols - 49 > 0) w.name = (cols - 49) / 2 + 12;
    return w;
}

int32_t PageRowsFor(int32_t clientHeight, int32_t lineHeight) {
    if (clientHeight <= 0) return 0;
    return (clientHeight + lineHeight - 1) / lineHeight;
}

int32_t TopRowAfterLayout(int32_t size, int32_t topRow, int32_t pageRows) {
    if (size < topRow + pageRows) {
        topRow = size - pageRows + 1;
        if (topRow < 0) topRow = 0;
    }
    return topRow;
}

KeepVisiblePlan PlanKeepVisible(int32_t size, int32_t topRow, int32_t pageRows,
                                int32_t cursor) {
    KeepVisiblePlan plan{false, topRow, topRow, false};
    if (size > pageRows && topRow + pageRows > size) {
        plan.pullUp = true;
        plan.pullUpTop = topRow = size - pageRows + 1;
    }
    // With more than three rows the cursor keeps one row of margin from
    // either edge of the page, except above row 0 and below the end row.
    const bool margin = pageRows > 3;
    if (margin && cursor > 0 && cursor <= topRow)
        plan.top = cursor - 1;
    else if (cursor < topRow)
        plan.top = cursor;
    else if (margin && cursor >= topRow + pageRows - 1 && cursor < size)
        plan.top = cursor - pageRows + 2;
    else if (cursor >= topRow + pageRows)
        plan.top = cursor - pageRows + 1;
    else {
        plan.top = topRow;
        plan.stayed = true;
    }
    return plan;
}

bool RowSpan(int32_t first, int32_t last, int32_t topRow, int32_t clientHeight,
             int32_t lineHeight, int32_t *y0, int32_t *y1) {
    const int32_t bottomRow = clientHeight / lineHeight + topRow;
    if (first > bottomRow || last < topRow) return false;
    if (first < topRow) first = topRow;
    if (last > bottomRow) last = bottomRow;
    *y0 = (first - topRow) * lineHeight;
    *y1 = (last - topRow + 1) * lineHeight;
    return true;
}

bool ScrollTarget(int code, int32_t pos, int32_t page, int32_t max, int32_t trackPos,
                  int32_t *top) {
    switch (code) {
    case 0: pos -= 1; break;         // line up
    case 1: pos += 1; break;         // line down
    case 2: pos -= page; break;      // page up
    case 3: pos += page; break;      // page down
    case 5: pos = trackPos; break;   // thumb dragged
    default: return false;           // thumb released, top, bottom, end...
    }
    if (pos > max - page + 1) pos = max - page + 1;
    if (pos < 0) pos = 0;
    *top = pos;
    return true;
}

}  // namespace zubo::listview
