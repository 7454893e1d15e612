// List files: reading (Gdirlist_AddListFile) and writing
// (Gdirlist_SaveListFile), one entry per line in the list line format.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "recordlist/gdirlist.h"
#include "recordlist/listline.h"
#include "recordlist/safe_file.h"

namespace zubo {
namespace {

// Reads text lines of at most cap - 1 characters. A longer line gives its
// first cap - 1 characters and the rest of it is skipped, so that a long
// line never turns into several lines. Lines keep their line feed when it
// fits, as fgets keeps it.
class LineReader {
public:
    explicit LineReader(FILE *f) : file_(f) {}

    bool Next(char *line, size_t cap) {
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
        if (len_ == 0) atEnd_ = true;
        return len_ > 0;
    }

    FILE *file_;
    char buf_[16384];
    size_t pos_ = 0, len_ = 0;
    bool atEnd_ = false;
};

}  // namespace

bool WriteListLine(FILE *f, const GdirlistEntry *e) {
    char fixed[kListLineMax];
    const size_t need = ListLineLength(e, 1) + 1;
    char *line = need <= sizeof fixed ? fixed : static_cast<char *>(malloc(need));
    if (!line) return false;
    const size_t len = FormatListLine(e, "\n", line, need);
    const bool ok = fwrite(line, 1, len, f) == len;
    if (line != fixed) free(line);
    return ok;
}

}  // namespace zubo

using namespace zubo;

extern "C" int32_t ZUBOAPI Gdirlist_AddListFile(Gdirlist *list, const char *path) {
    if (!list || !path) return 0;
    FILE *f = fopen(path, "r");
    if (!f) return 0;
    LineReader reader(f);
    char line[kListLineMax], name[kListTextMax], name2[kListTextMax], comment[kListTextMax];
    GdirlistEntry tmpl = {name, name2, 0, 0, comment, 0};
    int32_t count = 0;
    while (reader.Next(line, sizeof line)) {
        const int32_t r = SplitListLine(line, name, sizeof name, name2, sizeof name2,
                                        &tmpl.num1, &tmpl.num2, comment, sizeof comment);
        if (r < 0) break;
        if (r == 0) continue;
        if (!Gdirlist_Add(list, &tmpl)) break;  // out of memory: keep what was read
        ++count;
    }
    fclose(f);
    return count;
}

extern "C" int32_t ZUBOAPI Gdirlist_SaveListFile(Gdirlist *list, const char *path) {
    if (!list || !path) return 0;
    SafeFileWriter writer;
    FILE *f = writer.Open(path);
    if (!f) return 0;
    int32_t count = 0;
    for (const GdirlistNode *node = list->head.next; node->next; node = node->next) {
        if (!WriteListLine(f, &node->data)) return 0;
        ++count;
    }
    return writer.Commit() ? count : 0;
}
