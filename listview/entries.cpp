#include "listview/entries.h"

#include <string.h>

#include "recordlist/listfile.h"
#include "recordlist/listline.h"

namespace zubo::listview {

using recordlist::kListLineMax;

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
    int32_t cursor = Gdirlist_GetCurPos(list);
    // Backward from the cursor: each marked entry at or above it moves the
    // cursor's final index up by one.
    for (int32_t steps = cursor + 1; steps > 0; --steps) {
        const GdirlistEntry *e = Gdirlist_GetDataPtrCursor(list);
        if (e && IsMarked(e)) {
            Gdirlist_DeleteCursor(list);
            --cursor;
        }
        Gdirlist_CursorUp(list);
    }
    if (cursor < 0) cursor = 0;
    // Forward from the new cursor over everything below it.
    Gdirlist_SetCurPos(list, cursor);
    for (const GdirlistEntry *e; (e = Gdirlist_GetDataPtrCursor(list));) {
        if (IsMarked(e))
            Gdirlist_DeleteCursor(list);
        else
            Gdirlist_CursorDown(list);
    }
    return Gdirlist_SetCurPos(list, cursor);
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

bool AppendCopiedLine(GdirlistEntry *e, void *context) {
    TextSink *sink = static_cast<TextSink *>(context);
    char line[kListLineMax];
    const size_t n = recordlist::FormatListLine(e, "\r\n", line, sizeof line);
    if (sink->len + n + 1 > sink->cap) return false;
    memcpy(sink->out + sink->len, line, n);
    sink->len += n;
    return true;
}

bool CountCopiedLine(GdirlistEntry *e, void *context) {
    char line[kListLineMax];
    *static_cast<size_t *>(context) += recordlist::FormatListLine(e, "\r\n", line, sizeof line);
    return true;
}

// The lines of clipboard text: a line ends at CR, and the byte after the CR
// (its LF) is skipped; a line longer than the area is cut and its rest
// skipped. The text ends at its terminator or at its first end-of-text
// byte, where a list file of the same text would end.
class ClipboardLines final : public recordlist::ListLineSource {
public:
    explicit ClipboardLines(const char *text) : next_(AtEnd(text) ? nullptr : text) {}

    bool Next(char *line, size_t cap) override {
        if (!next_) return false;
        const char *p = next_;
        size_t n = 0;
        for (; !AtEnd(p) && *p != '\r'; ++p)
            if (n + 1 < cap) line[n++] = *p;
        line[n] = '\0';
        if (AtEnd(p))
            next_ = nullptr;  // ended with the text
        else if (AtEnd(++p))  // past the CR
            next_ = nullptr;  // a CR at the very end ends the text
        else
            next_ = p + 1;    // the byte after a CR (its LF) is skipped
        return true;
    }

private:
    static bool AtEnd(const char *p) { return *p == '\0' || *p == recordlist::kEndOfText; }

    const char *next_;  // null after the last line
};

}  // namespace

size_t WriteMarkedText(Gdirlist *list, char *out, size_t cap) {
    if (cap == 0) return 0;
    TextSink sink{out, cap, 0};
    WalkEntries(list, true, AppendCopiedLine, &sink);
    out[sink.len] = '\0';
    return sink.len;
}

size_t MarkedTextLength(Gdirlist *list) {
    size_t len = 0;
    WalkEntries(list, true, CountCopiedLine, &len);
    return len;
}

int32_t InsertListText(Gdirlist *list, const char *text) {
    ClipboardLines lines(text);
    return recordlist::AddListLines(*list, lines, recordlist::Placement::kBeforeCursor);
}

}  // namespace zubo::listview
