#include "listview/entries.h"

#include <string.h>

#include "recordlist/listline.h"

namespace zubo {

int32_t WalkEntries(Gdirlist *list, bool markedOnly, EntryVisitor visit, void *context) {
    const int32_t saved = Gdirlist_GetCurPos(list);
    int32_t count = 0;
    Gdirlist_SetCurPos(list, 0);
    for (GdirlistEntry *e; (e = Gdirlist_GetDataPtrCursor(list)); Gdirlist_CursorDown(list)) {
        if (markedOnly && !IsMarked(e)) continue;
        ++count;
        if (visit && !visit(e, context)) break;
    }
    Gdirlist_SetCurPos(list, saved);
    return count;
}

bool MarkMatch(GdirlistEntry *e, void *context) {
    const WildcardMark *w = static_cast<const WildcardMark *>(context);
    if (MatchDosWildcard(w->pattern, e->name2, w->ignoreCase)) e->flags |= GDIRLIST_MARK;
    return true;
}

int32_t DeleteMarkedEntries(Gdirlist *list) {
    int32_t c = Gdirlist_GetCurPos(list);
    // Backward from the cursor: each marked entry at or above it moves the
    // cursor's final index up by one.
    for (int32_t steps = c + 1; steps > 0; --steps) {
        const GdirlistEntry *e = Gdirlist_GetDataPtrCursor(list);
        if (e && IsMarked(e)) {
            Gdirlist_DeleteCursor(list);
            --c;
        }
        Gdirlist_CursorUp(list);
    }
    if (c < 0) c = 0;
    // Forward from the new cursor over everything below it.
    Gdirlist_SetCurPos(list, c);
    for (const GdirlistEntry *e; (e = Gdirlist_GetDataPtrCursor(list));) {
        if (IsMarked(e))
            Gdirlist_DeleteCursor(list);
        else
            Gdirlist_CursorDown(list);
    }
    return Gdirlist_SetCurPos(list, c);
}

bool RemoveCursorEntry(Gdirlist *shown, Gdirlist *removed) {
    const GdirlistEntry *e = Gdirlist_GetDataPtrCursor(shown);
    // The stack's cursor stays past its end, so the copy is appended.
    if (!e || !Gdirlist_InsertCursor(removed, e)) return false;
    Gdirlist_DeleteCursor(shown);
    return true;
}

bool RestoreRemovedEntry(Gdirlist *shown, Gdirlist *removed) {
    if (Gdirlist_GetSize(removed) == 0) return false;
    Gdirlist_CursorUp(removed);
    if (!Gdirlist_InsertCursor(shown, Gdirlist_GetDataPtrCursor(removed))) {
        Gdirlist_CursorDown(removed);  // keep the entry on the stack
        return false;
    }
    Gdirlist_CursorUp(shown);
    Gdirlist_DeleteCursor(removed);
    return true;
}

namespace {

struct TextSink {
    char *out;
    size_t cap;
    size_t len;
};

bool AppendLine(GdirlistEntry *e, void *context) {
    TextSink *sink = static_cast<TextSink *>(context);
    char line[kListLineMax];
    const size_t n = FormatListLine(e, "\r\n", line, sizeof line);
    if (sink->len + n + 1 > sink->cap) return false;
    memcpy(sink->out + sink->len, line, n);
    sink->len += n;
    return true;
}

// Copies the next line of clipboard text into line (cut to cap - 1 bytes)
// and returns where the following line starts, or null after the last one.
const char *NextClipboardLine(const char *p, char *line, size_t cap) {
    size_t n = 0;
    for (; *p && *p != '\r'; ++p)
        if (n + 1 < cap) line[n++] = *p;
    line[n] = '\0';
    if (!*p) return nullptr;  // ended at the terminator
    ++p;                      // the CR
    if (!*p) return nullptr;  // a CR at the very end ends the text
    return p + 1;             // the byte after a CR (its LF) is skipped
}

}  // namespace

size_t WriteMarkedText(Gdirlist *list, char *out, size_t cap) {
    if (cap == 0) return 0;
    TextSink sink{out, cap, 0};
    WalkEntries(list, true, AppendLine, &sink);
    out[sink.len] = '\0';
    return sink.len;
}

int32_t InsertListText(Gdirlist *list, const char *text) {
    char line[kListLineMax], name[kListTextMax], name2[kListTextMax], comment[kListTextMax];
    GdirlistEntry rec = {name, name2, 0, 0, comment, 0};
    int32_t count = 0;
    const char *p = *text ? text : nullptr;
    while (p) {
        p = NextClipboardLine(p, line, sizeof line);
        const int32_t r = SplitListLine(line, name, sizeof name, name2, sizeof name2, &rec.num1,
                                        &rec.num2, comment, sizeof comment);
        if (r < 0) break;
        if (r == 0) continue;
        if (!Gdirlist_InsertCursor(list, &rec)) break;  // out of memory: keep what is in
        ++count;
    }
    return count;
}

}  // namespace zubo
