// What an operation did to a list view, as data. Each operation describes
// its change with one of the functions below; ApplyChange
// (listview/update_win32.cpp) is the one place that turns a change into
// scrolling, repaint requests and the parent's notification.
#ifndef ZUBO_LISTVIEW_CHANGE_H
#define ZUBO_LISTVIEW_CHANGE_H

#include <stdint.h>

namespace zubo::listview {

// A band of rows, both ends included. kAllRows stands for the whole window.
struct RowBand {
    int32_t first;
    int32_t last;
};
constexpr RowBand kNoRows = {0, -1};
constexpr RowBand kAllRows = {-1, -1};

struct ViewChange {
    enum class View : uint8_t {
        kStays,         // nothing asks the view to move
        kRangeChanged,  // the entry count changed: the scroll bar follows, the view stays
        kFollowCursor,  // the cursor row must be on screen (the keep-visible rule)
        kBackToTop,     // the view returns to row 0
    };
    View view;
    // Rows that look different now. When the view scrolled, everything is
    // repainted anyway and the bands add nothing.
    RowBand rows[2];
    // A row that appeared at the end: the whole window is repainted when it
    // lies within the page (-1: none).
    int32_t appendedRow;
    // The cursor may stand elsewhere: the parent hears ZLN_CURSORMOVE.
    bool cursorMoved;
};

// The cursor stepped one row: the rows it left and reached change, unless
// the view scrolls to keep the cursor visible.
constexpr ViewChange CursorStepped(int32_t from, int32_t to) {
    return {ViewChange::View::kFollowCursor,
            {{from < to ? from : to, from < to ? to : from}, kNoRows}, -1, true};
}
// The cursor jumped (by a page, or to either end).
constexpr ViewChange CursorJumped() {
    return {ViewChange::View::kFollowCursor, {kAllRows, kNoRows}, -1, true};
}
// The cursor was put on another row on screen (a click): the old and the
// new cursor rows change; no scrolling.
constexpr ViewChange CursorPlaced(int32_t from, int32_t to) {
    return {ViewChange::View::kStays, {{from, from}, {to, to}}, -1, true};
}
// One row looks different (its mark).
constexpr ViewChange RowChanged(int32_t row) {
    return {ViewChange::View::kStays, {{row, row}, kNoRows}, -1, false};
}
// Any row may look different (marks on all, a sort, a walk, a save).
constexpr ViewChange AllRowsChanged() {
    return {ViewChange::View::kStays, {kAllRows, kNoRows}, -1, false};
}
// Every mark was cleared: the view also goes back to row 0.
constexpr ViewChange MarksCleared() {
    return {ViewChange::View::kBackToTop, {kAllRows, kNoRows}, -1, false};
}
// An entry was appended as row `row` (the cursor keeps its index).
constexpr ViewChange EntryAppended(int32_t row) {
    return {ViewChange::View::kRangeChanged, {kNoRows, kNoRows}, row, false};
}
// Entries from a list file were appended as rows first ... endRow - 1; the
// end row moved to endRow.
constexpr ViewChange EntriesAppended(int32_t first, int32_t endRow) {
    return {ViewChange::View::kFollowCursor, {{first, endRow}, kNoRows}, -1, false};
}
// The entry at row `row` went to the removed-entries stack: the rows below
// it, down to the new end row, moved up.
constexpr ViewChange EntryRemoved(int32_t row, int32_t endRow) {
    return {ViewChange::View::kRangeChanged, {{row, endRow}, kNoRows}, -1, false};
}
// A removed entry came back as row `row`, under the cursor: the rows from
// the one above it down to the new end row change.
constexpr ViewChange EntryRestored(int32_t row, int32_t endRow) {
    return {ViewChange::View::kFollowCursor, {{row - 1, endRow}, kNoRows}, -1, false};
}
// Entries were inserted above the cursor (a paste).
constexpr ViewChange EntriesInserted() {
    return {ViewChange::View::kFollowCursor, {kAllRows, kNoRows}, -1, false};
}
// Entries were deleted for good; the cursor may have moved.
constexpr ViewChange EntriesDeleted() {
    return {ViewChange::View::kFollowCursor, {kAllRows, kNoRows}, -1, true};
}

}  // namespace zubo::listview

#endif
