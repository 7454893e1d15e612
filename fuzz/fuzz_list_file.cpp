// List files with arbitrary contents: reading never overruns its buffers,
// texts stay within 255 bytes, and what was read saves (a list file ends
// at its first byte 0x1A, so nothing read holds one) and reads back to the
// same entries; the record list's invariants hold after every operation.
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <string>

#include "fuzz/fuzz_support.h"
#include "recordlist/invariants.h"
#include "recordlist/test_support.h"
#include "zubo.h"

namespace {

std::string TempPath(const char *tag) {
    return "/tmp/zubo_fuzz_" + std::to_string(getpid()) + "_" + tag;
}

using zubo_fuzz::CheckList;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const std::string in = TempPath("in.lst"), out = TempPath("out.lst");
    FILE *f = fopen(in.c_str(), "wb");
    if (!f) return 0;
    fwrite(data, 1, size, f);
    fclose(f);

    Gdirlist *list = CreateGdirlist();
    const int32_t n = Gdirlist_AddListFile(list, in.c_str());
    CheckList(list);
    if (n != Gdirlist_GetSize(list)) abort();
    for (int32_t i = 0; i < n; ++i) {
        const GdirlistEntry *e = Gdirlist_GetDataPtr(list, i);
        if (strlen(e->name) > 255 || strlen(e->name2) > 255 || strlen(e->comment) > 255) abort();
        if (e->flags != 0) abort();
        if (strchr(e->name, 0x1A) || strchr(e->name2, 0x1A) || strchr(e->comment, 0x1A)) abort();
    }
    CheckList(list);
    if (n > 0) {
        if (Gdirlist_SaveListFile(list, out.c_str()) != n) abort();
        CheckList(list);
        Gdirlist *back = CreateGdirlist();
        if (Gdirlist_AddListFile(back, out.c_str()) != n) abort();
        CheckList(back);
        for (int32_t i = 0; i < n; ++i)
            if (!zubo_test::SameAsReadBack(*Gdirlist_GetDataPtr(list, i), *Gdirlist_GetDataPtr(back, i)))
                abort();
        CheckList(back);
        Gdirlist_Release(back);
        remove(out.c_str());
    }
    Gdirlist_Release(list);
    remove(in.c_str());
    return 0;
}
