// The list view as an accessible list, free of any window: how its rows
// are numbered for accessibility clients, where navigation leads, what a
// selection request does to the marks, and whether a routine changed an
// entry. The window's accessible object (accessible_win32.cpp) feeds these
// with its state and carries the results out.
//
// The list itself is child 0; the entry in row r is child r + 1. The end
// row shows no entry and is not a child: with the cursor on it, the list
// itself is the focused object.
#ifndef ZUBO_LISTVIEW_ACCESSIBLE_H
#define ZUBO_LISTVIEW_ACCESSIBLE_H

#include <stdint.h>

#include "zubo.h"

namespace zubo::listview {

constexpr int32_t kListChild = 0;
inline int32_t ChildOfRow(int32_t row) { return row + 1; }
inline int32_t RowOfChild(int32_t child) { return child - 1; }
// The child of row `row` among `count` entries: the list itself on the end
// row.
inline int32_t ChildAtRow(int32_t row, int32_t count) {
    return row >= 0 && row < count ? ChildOfRow(row) : kListChild;
}
// Whether `child` names the list or one of its `count` entries.
inline bool IsChild(int32_t child, int32_t count) { return child >= 0 && child <= count; }

// Whether row `row` is on the page that starts at `topRow`, `pageRows` rows
// long (a partly visible last row included).
inline bool RowInView(int32_t row, int32_t topRow, int32_t pageRows) {
    return row >= topRow && row - topRow < pageRows;
}

// Navigation directions, numbered as the accessibility interface numbers
// them (NAVDIR_UP ... NAVDIR_LASTCHILD).
enum class Direction : int32_t {
    kUp = 1,
    kDown,
    kLeft,
    kRight,
    kNext,
    kPrevious,
    kFirstChild,
    kLastChild,
};
struct NavigationTarget {
    enum class Kind : uint8_t {
        kRefused,  // the request makes no sense (an unknown direction, a child's child)
        kNone,     // nothing lies that way
        kFound,
    };
    Kind kind;
    int32_t child;
};
// Where navigating from child `from` (the list or an entry) leads among
// `count` entries in one column: down and next go to the following entry,
// up and previous to the one before; the first and last child only from
// the list itself; nothing lies left or right. From the list, the other
// directions lead to its siblings, which the list does not know: nothing.
NavigationTarget Navigate(int32_t direction, int32_t from, int32_t count);

// Selection request flags, numbered as SELFLAG_TAKEFOCUS ...
// SELFLAG_REMOVESELECTION.
constexpr int32_t kTakeFocus = 0x1;
constexpr int32_t kTakeSelection = 0x2;
constexpr int32_t kExtendSelection = 0x4;
constexpr int32_t kAddSelection = 0x8;
constexpr int32_t kRemoveSelection = 0x10;

// What a selection request on an entry does to the marks, which are the
// list's selection, and to the cursor, which is its focus and selection
// anchor.
struct SelectPlan {
    bool valid;        // false: a flag combination that contradicts itself
    bool clearAll;     // every mark is cleared first
    int32_t first;     // then rows first ... last get `mark` (none when last < first)
    int32_t last;
    bool mark;
    bool moveCursor;   // the cursor then goes to the target
};
// Plans a request with `flags` on row `target`, the cursor (the anchor)
// standing on row `anchor` whose mark is `anchorMarked` (false on the end
// row), among `count` entries. Taking the selection marks the target alone;
// adding or removing it marks or unmarks the target; extending it gives
// every row from the anchor to the target the anchor's mark, or the mark
// that an add or remove flag beside it asks for.
SelectPlan PlanSelect(int32_t flags, int32_t target, int32_t anchor, bool anchorMarked,
                      int32_t count);

// A digest of what an entry shows (its texts and numbers, not its flags),
// to tell whether a host's routine changed it.
uint64_t EntryDigest(const GdirlistEntry *entry);

}  // namespace zubo::listview

#endif
