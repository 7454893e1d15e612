// List view operations on its record lists that need no window: the walks,
// deleting the marked entries, the removed-entries stack and the clipboard
// text in both directions. The window code adds repainting, scrolling and
// notifications around them.
#ifndef ZUBO_LISTVIEW_ENTRIES_H
#define ZUBO_LISTVIEW_ENTRIES_H

#include <stddef.h>
#include <stdint.h>

#include "zubo.h"

namespace zubo::listview {

inline bool IsMarked(const GdirlistEntry *e) { return (e->flags & GDIRLIST_MARK) != 0; }

// Called for each entry of a walk; false stops the walk.
using EntryVisitor = bool (*)(GdirlistEntry *entry, void *context);

// Steps the list's cursor over every entry (or only the marked ones) from
// index 0 and calls visit (when not null) with each; the entry for which it
// returns false is the last one. The cursor is put back where it was.
// Returns the number of entries visited.
int32_t WalkEntries(Gdirlist *list, bool markedOnly, EntryVisitor visit, void *context);

// Marks an entry whose name2 matches a DOS wildcard pattern; never unmarks.
struct WildcardMark {
    const char *pattern;
    int32_t ignoreCase;
};
bool MarkMatch(GdirlistEntry *entry, void *wildcardMark);

// Deletes every marked entry. The cursor ends on its old index minus the
// number of marked entries at or above it (not below 0), which is returned.
int32_t DeleteMarkedEntries(Gdirlist *list);

// Moves the cursor entry onto the removed-entries stack (the cursor then
// names the entry that followed). False, changing nothing, on the end row or
// when the copy cannot be made.
bool RemoveCursorEntry(Gdirlist *shown, Gdirlist *removed);
// Moves the most recently removed entry back in front of the cursor and puts
// the cursor on it. False, changing nothing, when the stack is empty or the
// copy cannot be made.
bool RestoreRemovedEntry(Gdirlist *shown, Gdirlist *removed);

// Clipboard text: one list line ending in CR LF per marked entry, in list
// order. Each line is cut (inside its comment, keeping CR LF) to the
// 1024-byte line area; a line that does not fit cap together with the final
// terminator ends the text. Returns the length without the terminator.
size_t WriteMarkedText(Gdirlist *list, char *out, size_t cap);
// The length of that text without its terminator, when cap is no limit.
size_t MarkedTextLength(Gdirlist *list);

// Inserts the entries of clipboard text in front of the cursor, in the order
// of the text. Lines end at CR (the byte after it is skipped) or at the end
// of the text, which is its terminator or its first byte 0x1A (as in a list
// file); a lone LF stays inside its line. Lines are cut to 1023 bytes
// and texts to 255 bytes; comment and blank lines are skipped and a line
// with fewer than three fields ends the paste. Returns the number inserted.
int32_t InsertListText(Gdirlist *list, const char *text);

}  // namespace zubo::listview

#endif
