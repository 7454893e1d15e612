// List files: reading lines into entries and writing entries as lines.
#include "recordlist/listfile.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "recordlist/listline.h"
#include "recordlist/safe_file.h"

namespace zubo::recordlist {
namespace {

// Reads text lines from a file as fgets would (a line keeps its line feed
// when it fits), but a line longer than the area gives its first cap - 1
// characters and the rest of it is skipped.
class FileLines final : public ListLineSource {
public:
    explicit FileLines(FILE *f) : file_(f) {}

    bool Next(char *line, size_t cap) override {
        size_t n = 0;
        for (;;) {
            if (pos_ == len_ && !Fill()) break;
            const char *start = buf_ + pos_;
            const size_t avail = len_ - pos_;
            const char *nl = static_cast<const char *>(memchr(start, '\n', avail));
            const size_t take = nl ? static_cast<size_t>(nl - start) + 1 : avail;
            const size_t fits = take < cap - 1 - n ? take : cap - 1 - n;
            memcpy(line + n, start, fits);
            n += fits;
            pos_ += take;
            if (nl) break;  // the line ended in this block
        }
        line[n] = '\0';
        return n > 0 || !atEnd_;
    }

private:
    bool Fill() {
        if (atEnd_) return false;
        len_ = fread(buf_, 1, sizeof buf_, file_);
        pos_ = 0;
        // The file ends at its first end-of-text byte, as text-mode reading
        // on Windows ends it there.
        if (const char *eot = static_cast<const char *>(memchr(buf_, kEndOfText, len_))) {
            len_ = static_cast<size_t>(eot - buf_);
            atEnd_ = true;
        }
        if (len_ == 0) atEnd_ = true;
        return len_ > 0;
    }

    FILE *file_;
    char buf_[16384];
    size_t pos_ = 0, len_ = 0;
    bool atEnd_ = false;
};

// Writes an entry as one whole list line ending in "\n" (text-mode streams
// turn it into the platform's line end). False on a write error or when
// memory for a long line runs out.
bool WriteListLine(FILE *f, const GdirlistEntry &e) {
    char fixed[kListLineMax];
    const size_t need = ListLineLength(&e, 1) + 1;
    char *line = need <= sizeof fixed ? fixed : static_cast<char *>(malloc(need));
    if (!line) return false;
    const size_t len = FormatListLine(&e, "\n", line, need);
    const bool ok = fwrite(line, 1, len, f) == len;
    if (line != fixed) free(line);
    return ok;
}

}  // namespace

int32_t AddListLines(Gdirlist &list, ListLineSource &lines, Placement where) {
    char line[kListLineMax], name[kListTextMax], name2[kListTextMax], comment[kListTextMax];
    GdirlistEntry tmpl = {name, name2, 0, 0, comment, 0};
    int32_t count = 0;
    while (lines.Next(line, sizeof line)) {
        const int32_t r = SplitListLine(line, name, sizeof name, name2, sizeof name2,
                                        &tmpl.num1, &tmpl.num2, comment, sizeof comment);
        if (r < 0) break;
        if (r == 0) continue;
        const GdirlistEntry *added =
            where == Placement::kAppend ? Append(list, tmpl) : InsertAtCursor(list, tmpl);
        if (!added) break;  // out of memory: keep what is in
        ++count;
    }
    return count;
}

int32_t AddListFile(Gdirlist &list, const char *path) {
    FILE *f = fopen(path, "r");
    if (!f) return 0;
    FileLines lines(f);
    const int32_t count = AddListLines(list, lines, Placement::kAppend);
    fclose(f);
    return count;
}

SaveOutcome SaveListFile(const Gdirlist &list, const char *path, Selection which) {
    SaveOutcome outcome{false, false, 0};
    auto selected = [which](const GdirlistNode *node) {
        return which == Selection::kAll || (node->data.flags & GDIRLIST_MARK);
    };
    // A save either gives every entry back when the file is read, or does
    // nothing: an entry that the format cannot carry is refused before the
    // file is touched.
    for (const GdirlistNode *node = list.head.next; node->next; node = node->next)
        if (selected(node) && !ListLineReadsBack(&node->data)) return outcome;
    SafeFileWriter writer;
    FILE *f = writer.Open(path);
    if (!f) return outcome;
    outcome.created = true;
    for (const GdirlistNode *node = list.head.next; node->next; node = node->next) {
        if (!selected(node)) continue;
        if (!WriteListLine(f, node->data)) return outcome;  // the writer removes the file
        ++outcome.lines;
    }
    outcome.written = writer.Commit();
    return outcome;
}

}  // namespace zubo::recordlist
