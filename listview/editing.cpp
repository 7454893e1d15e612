// Adding, sorting, removing and restoring, deleting, and list files.
#include <windows.h>

#include <stdio.h>

#include "listview/entries.h"
#include "listview/state.h"
#include "recordlist/listline.h"
#include "recordlist/safe_file.h"

using namespace zubo;

namespace {

struct MarkedFile {
    FILE *file;
    bool ok;
};

// Stops the walk at the first line that cannot be written.
bool WriteMarkedLine(GdirlistEntry *e, void *context) {
    MarkedFile *out = static_cast<MarkedFile *>(context);
    out->ok = WriteListLine(out->file, e);
    return out->ok;
}

}  // namespace

extern "C" int ZUBOAPI Zubolist_GetListNum(HWND hwnd) { return WithState(hwnd, EntryCount); }

extern "C" GdirlistEntry *ZUBOAPI Zubolist_GetDataPtr(HWND hwnd) {
    ListViewState *s = StateOf(hwnd);
    return s ? Gdirlist_GetDataPtrCursor(s->shownList) : nullptr;
}

extern "C" int ZUBOAPI Zubolist_Add(HWND hwnd, const GdirlistEntry *entry) {
    return WithState(hwnd, [entry](ListViewState *s) {
        if (entry) Gdirlist_Add(s->shownList, entry);
        SetTopRow(s, s->topRow);  // the scroll bar's range grew
        const int32_t count = EntryCount(s);
        if (count <= s->topRow + s->pageRows) InvalidateAll(s);
        return count;
    });
}

extern "C" int ZUBOAPI Zubolist_Sort(HWND hwnd, GdirlistCompareProc compare,
                                     ZuboUserValue user) {
    return WithState(hwnd, [=](ListViewState *s) {
        if (!compare) return 0;
        Gdirlist_Sort(s->shownList, compare, user);
        InvalidateAll(s);
        return 1;
    });
}

extern "C" int ZUBOAPI Zubolist_RemoveData(HWND hwnd) {
    return WithState(hwnd, [](ListViewState *s) {
        const int32_t c = CursorPos(s);
        if (RemoveCursorEntry(s->shownList, s->removedList)) {
            SetTopRow(s, s->topRow);
            InvalidateRows(s, c, EntryCount(s));  // everything below moved up
        }
        return EntryCount(s);
    });
}

extern "C" int ZUBOAPI Zubolist_RestoreData(HWND hwnd) {
    return WithState(hwnd, [](ListViewState *s) {
        if (RestoreRemovedEntry(s->shownList, s->removedList)) {
            const int32_t c = CursorPos(s);
            KeepCursorVisible(s, c);
            InvalidateRows(s, c - 1, EntryCount(s));
        }
        return EntryCount(s);
    });
}

extern "C" int ZUBOAPI Zubolist_DeleteAll(HWND hwnd) {
    WithState(hwnd, [](ListViewState *s) {
        Gdirlist_DeleteAll(s->shownList);
        KeepCursorVisible(s, 0);
        InvalidateAll(s);
        NotifyParent(s, ZLN_CURSORMOVE);
        return 0;
    });
    return 0;
}

extern "C" int ZUBOAPI Zubolist_MarkDeleteAll(HWND hwnd) {
    WithState(hwnd, [](ListViewState *s) {
        KeepCursorVisible(s, DeleteMarkedEntries(s->shownList));
        InvalidateAll(s);
        NotifyParent(s, ZLN_CURSORMOVE);
        return 0;
    });
    return 0;
}

extern "C" int ZUBOAPI Zubolist_AddListFile(HWND hwnd, const char *path) {
    return WithState(hwnd, [path](ListViewState *s) {
        const int32_t k = EntryCount(s);
        const int32_t r = Gdirlist_AddListFile(s->shownList, path);
        KeepCursorVisible(s, CursorPos(s));
        InvalidateRows(s, k, k + r);
        return r;
    });
}

extern "C" int ZUBOAPI Zubolist_SaveListFile(HWND hwnd, const char *path) {
    return WithState(hwnd, [path](ListViewState *s) {
        return Gdirlist_SaveListFile(s->shownList, path);
    });
}

// Like Gdirlist_SaveListFile, the file is written beside the target and
// replaces it only when every line was written.
extern "C" int ZUBOAPI Zubolist_MarkAllSaveListFile(HWND hwnd, const char *path) {
    return WithState(hwnd, [path](ListViewState *s) {
        SafeFileWriter writer;
        MarkedFile out{writer.Open(path), true};
        if (!out.file) return 0;
        WalkEntries(s->shownList, true, WriteMarkedLine, &out);
        InvalidateAll(s);
        return out.ok && writer.Commit() ? 1 : 0;
    });
}
