// Adding, sorting, removing and restoring, deleting, and list files.
#include "listview/editing_win32.h"

#include "listview/entries.h"
#include "listview/update_win32.h"
#include "recordlist/listfile.h"

namespace zubo::listview {

int32_t AddEntry(ListViewState *s, const GdirlistEntry *entry) {
    const bool added = entry && Gdirlist_Add(s->shownList, entry);
    const int32_t count = EntryCount(s);
    ApplyChange(s, added ? EntryAppended(count - 1) : NothingAppended(count - 1));
    return count;
}

void SortEntries(ListViewState *s, GdirlistCompareProc compare, ZuboUserValue user) {
    Gdirlist_Sort(s->shownList, compare, user);
    ApplyChange(s, EntriesSorted());
}

int32_t RemoveEntry(ListViewState *s) {
    const int32_t row = CursorPos(s);
    if (RemoveCursorEntry(s->shownList, s->removedList))
        ApplyChange(s, EntryRemoved(row, EntryCount(s)));
    return EntryCount(s);
}

int32_t RestoreEntry(ListViewState *s) {
    if (RestoreRemovedEntry(s->shownList, s->removedList))
        ApplyChange(s, EntryRestored(CursorPos(s), EntryCount(s)));
    return EntryCount(s);
}

void DeleteAll(ListViewState *s) {
    Gdirlist_DeleteAll(s->shownList);
    ApplyChange(s, EntriesDeleted());
}

void DeleteMarked(ListViewState *s) {
    DeleteMarkedEntries(s->shownList);
    ApplyChange(s, EntriesDeleted());
}

int32_t AddListFile(ListViewState *s, const char *path) {
    const int32_t first = EntryCount(s);
    const int32_t added = Gdirlist_AddListFile(s->shownList, path);
    ApplyChange(s, EntriesAppended(first, first + added));
    return added;
}

int32_t SaveListFile(ListViewState *s, const char *path) {
    return Gdirlist_SaveListFile(s->shownList, path);
}

bool SaveMarkedListFile(ListViewState *s, const char *path) {
    const recordlist::SaveOutcome saved =
        recordlist::SaveListFile(*s->shownList, path, recordlist::Selection::kMarked);
    if (!saved.created) return false;
    // Saving walks the marked entries, which repaints the view as every
    // walk does.
    ApplyChange(s, AllRowsChanged());
    return saved.written;
}

}  // namespace zubo::listview
