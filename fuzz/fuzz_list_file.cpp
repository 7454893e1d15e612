// List files with arbitrary contents: reading never overruns its buffers,
// texts stay within 255 bytes, and what was read saves and reads back to
// the same entries (except names beginning with ";", which the format
// cannot store: such a line reads as a comment).
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <string>

#include "zubo.h"

namespace {

std::string TempPath(const char *tag) {
    return "/tmp/zubo_fuzz_" + std::to_string(getpid()) + "_" + tag;
}

bool Same(const char *a, const char *b) { return strcmp(a ? a : "", b ? b : "") == 0; }

// A comment kept verbatim after ";" normally ends with its line's line
// feed; one whose line was cut (at a NUL byte or at 1023 characters) has
// none, and gains it when written and read again.
bool SameComment(const char *original, const char *back) {
    if (Same(original, back)) return true;
    const size_t n = strlen(original);
    return strchr(original, ';') && (n == 0 || original[n - 1] != '\n') &&
           strlen(back) == n + 1 && strncmp(original, back, n) == 0 && back[n] == '\n';
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const std::string in = TempPath("in.lst"), out = TempPath("out.lst");
    FILE *f = fopen(in.c_str(), "wb");
    if (!f) return 0;
    fwrite(data, 1, size, f);
    fclose(f);

    Gdirlist *list = CreateGdirlist();
    const int32_t n = Gdirlist_AddListFile(list, in.c_str());
    if (n != Gdirlist_GetSize(list)) abort();
    int32_t storable = 0;
    for (int32_t i = 0; i < n; ++i) {
        const GdirlistEntry *e = Gdirlist_GetDataPtr(list, i);
        if (strlen(e->name) > 255 || strlen(e->name2) > 255 || strlen(e->comment) > 255) abort();
        if (e->flags != 0) abort();
        storable += e->name[0] != ';';
    }
    if (n > 0) {
        if (Gdirlist_SaveListFile(list, out.c_str()) != n) abort();
        Gdirlist *back = CreateGdirlist();
        if (Gdirlist_AddListFile(back, out.c_str()) != storable) abort();
        for (int32_t i = 0, j = 0; i < n; ++i) {
            const GdirlistEntry *e = Gdirlist_GetDataPtr(list, i);
            if (e->name[0] == ';') continue;
            const GdirlistEntry *g = Gdirlist_GetDataPtr(back, j++);
            if (!Same(e->name, g->name) || !Same(e->name2, g->name2) ||
                !SameComment(e->comment, g->comment) || e->num1 != g->num1 || e->num2 != g->num2)
                abort();
        }
        Gdirlist_Release(back);
        remove(out.c_str());
    }
    Gdirlist_Release(list);
    remove(in.c_str());
    return 0;
}
