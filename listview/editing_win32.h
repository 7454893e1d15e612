// Adding, sorting, removing and restoring, deleting, and list files.
#ifndef ZUBO_LISTVIEW_EDITING_WIN32_H
#define ZUBO_LISTVIEW_EDITING_WIN32_H

#include <stdint.h>

#include "listview/state_win32.h"

namespace zubo::listview {

// Appends a copy of the entry (none for null); the entry count.
int32_t AddEntry(ListViewState *s, const GdirlistEntry *entry);
// Sorts with the comparison; the cursor goes to row 0, the view stays.
void SortEntries(ListViewState *s, GdirlistCompareProc compare, ZuboUserValue user);
// Moves the cursor entry to the removed-entries stack; the entry count.
int32_t RemoveEntry(ListViewState *s);
// Brings the latest removed entry back at the cursor; the entry count.
int32_t RestoreEntry(ListViewState *s);
// Deletes every entry (the stack stays).
void DeleteAll(ListViewState *s);
// Deletes every marked entry; the cursor keeps its entry or goes to the last
// unmarked one above it.
void DeleteMarked(ListViewState *s);
// Appends the entries of a list file; the number read.
int32_t AddListFile(ListViewState *s, const char *path);
// Writes every entry to a list file; the number written, 0 on failure.
int32_t SaveListFile(ListViewState *s, const char *path);
// Writes the marked entries to a list file; false (old file kept) on any
// failure.
bool SaveMarkedListFile(ListViewState *s, const char *path);

}  // namespace zubo::listview

#endif
