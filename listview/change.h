// What an operation did to a list view, as data. Each operation describes
// its change with one of the functions below; ApplyChange
// (listview/update_win32.cpp) is the one place that turns a change into
// scrolling, repaint requests, the accessibility clients' events and the
// parent's notification.
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

// Rows that something happened to, as the view's accessibility clients are
// told: none, one row, or many (any count above one). All zero: none.
struct RowSet {
    int32_t count;
    int32_t row;  // the row, when count is 1
};
constexpr RowSet kNoRowSet = {0, 0};
constexpr RowSet kManyRows = {2, 0};
constexpr RowSet OneRow(int32_t row) { return {1, row}; }
constexpr RowSet WithRow(RowSet set, int32_t row) {
    return set.count == 0 || (set.count == 1 && set.row == row) ? OneRow(row) : kManyRows;
}

// What the accessibility clients hear about the rows (winevents_win32.cpp).
// The cursor row is not described here: it is compared with the one last
// announced. All zero: nothing to tell.
struct RowEvents {
    RowSet marks;    // rows whose mark changed (their selection)
    RowSet texts;    // rows whose text changed in place
    RowSet added;    // a row that came at the end (told of while on the page)
    bool reordered;  // rows came, went or moved: the client reads them anew
};

struct ViewChange {
    enum class View : uint8_t {
        kStays,         // nothing asks the view to move
        kRangeChanged,  // the count or the page changed: the scroll bar follows, the view stays
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
    RowEvents events;
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
// The cursor was put on any row (by an accessibility client): the old and
// the new cursor rows change, unless the view scrolls to show the new one.
constexpr ViewChange CursorMoved(int32_t from, int32_t to) {
    return {ViewChange::View::kFollowCursor, {{from, from}, {to, to}}, -1, true};
}
// One row looks different, though nothing in it changed.
constexpr ViewChange RowChanged(int32_t row) {
    return {ViewChange::View::kStays, {{row, row}, kNoRows}, -1, false};
}
// The mark of one row changed.
constexpr ViewChange MarkChanged(int32_t row) {
    return {ViewChange::View::kStays, {{row, row}, kNoRows}, -1, false, {OneRow(row)}};
}
// The marks of rows first ... last changed, `marks` telling which.
constexpr ViewChange MarksChanged(int32_t first, int32_t last, RowSet marks) {
    return {ViewChange::View::kStays, {{first, last}, kNoRows}, -1, false, {marks}};
}
// Any row may look different (a save's walk), though nothing changed.
constexpr ViewChange AllRowsChanged() {
    return {ViewChange::View::kStays, {kAllRows, kNoRows}, -1, false};
}
// Every entry's mark may have changed (marking, unmarking or inverting all).
constexpr ViewChange AllMarksChanged() {
    return {ViewChange::View::kStays, {kAllRows, kNoRows}, -1, false, {kManyRows}};
}
// Every mark was cleared: the view also goes back to row 0.
constexpr ViewChange MarksCleared() {
    return {ViewChange::View::kBackToTop, {kAllRows, kNoRows}, -1, false, {kManyRows}};
}
// A walk went over the entries; its routine changed the marks and the
// texts of the rows named.
constexpr ViewChange EntriesWalked(RowSet marks, RowSet texts) {
    return {ViewChange::View::kStays, {kAllRows, kNoRows}, -1, false, {marks, texts}};
}
// The entries were sorted (the cursor went to row 0).
constexpr ViewChange EntriesSorted() {
    return {ViewChange::View::kStays, {kAllRows, kNoRows}, -1, false,
            {kNoRowSet, kNoRowSet, kNoRowSet, true}};
}
// An entry was appended as row `row` (the cursor keeps its index).
constexpr ViewChange EntryAppended(int32_t row) {
    return {ViewChange::View::kRangeChanged, {kNoRows, kNoRows}, row, false,
            {kNoRowSet, kNoRowSet, OneRow(row)}};
}
// Nothing was appended, but the view is brought up to date as if a row had
// been (an add without an entry).
constexpr ViewChange NothingAppended(int32_t row) {
    return {ViewChange::View::kRangeChanged, {kNoRows, kNoRows}, row, false};
}
// Entries from a list file were appended as rows first ... endRow - 1; the
// end row moved to endRow.
constexpr ViewChange EntriesAppended(int32_t first, int32_t endRow) {
    return {ViewChange::View::kFollowCursor, {{first, endRow}, kNoRows}, -1, false,
            {kNoRowSet, kNoRowSet, kNoRowSet, endRow > first}};
}
// The entry at row `row` went to the removed-entries stack: the rows below
// it, down to the new end row, moved up.
constexpr ViewChange EntryRemoved(int32_t row, int32_t endRow) {
    return {ViewChange::View::kRangeChanged, {{row, endRow}, kNoRows}, -1, false,
            {kNoRowSet, kNoRowSet, kNoRowSet, true}};
}
// A removed entry came back as row `row`, under the cursor: the rows from
// the one above it down to the new end row change.
constexpr ViewChange EntryRestored(int32_t row, int32_t endRow) {
    return {ViewChange::View::kFollowCursor, {{row - 1, endRow}, kNoRows}, -1, false,
            {kNoRowSet, kNoRowSet, kNoRowSet, true}};
}
// Entries were inserted above the cursor (a paste).
constexpr ViewChange EntriesInserted() {
    return {ViewChange::View::kFollowCursor, {kAllRows, kNoRows}, -1, false,
            {kNoRowSet, kNoRowSet, kNoRowSet, true}};
}
// Entries were deleted for good; the cursor may have moved.
constexpr ViewChange EntriesDeleted() {
    return {ViewChange::View::kFollowCursor, {kAllRows, kNoRows}, -1, true,
            {kNoRowSet, kNoRowSet, kNoRowSet, true}};
}
// The view was laid out anew (a size or font change): every row is
// repainted, and when the columns changed width every row's text did too.
constexpr ViewChange LaidOut(bool columnsChanged) {
    return {ViewChange::View::kRangeChanged, {kAllRows, kNoRows}, -1, false,
            {kNoRowSet, columnsChanged ? kManyRows : kNoRowSet}};
}

}  // namespace zubo::listview

#endif
