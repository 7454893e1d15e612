// Clipboard text pasted into a list view's record list, and the marked
// entries copied back out: any bytes must parse without overrunning the
// line and text areas, and the copy must stay within its block.
#include <stddef.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

#include "listview/entries.h"
#include "fuzz/fuzz_support.h"
#include "recordlist/invariants.h"

namespace {

using zubo_fuzz::CheckList;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const std::string text(reinterpret_cast<const char *>(data), size);  // cut at a NUL
    Gdirlist *list = CreateGdirlist();
    GdirlistEntry cursor = {nullptr, nullptr, 0, 0, nullptr, 0};
    Gdirlist_Add(list, &cursor);
    CheckList(list);
    const int32_t added = zubo::listview::InsertListText(list, text.c_str());
    CheckList(list);
    if (added != Gdirlist_GetSize(list) - 1 || Gdirlist_GetCurPos(list) != added) __builtin_trap();
    Gdirlist_OrFlagAll(list, GDIRLIST_MARK);
    CheckList(list);
    std::vector<char> out(size % 4096 + 1);
    const size_t n = zubo::listview::WriteMarkedText(list, out.data(), out.size());
    if (n >= out.size() || out[n] != '\0') __builtin_trap();
    CheckList(list);
    zubo::listview::DeleteMarkedEntries(list);
    CheckList(list);
    if (Gdirlist_GetSize(list) != 0 || Gdirlist_GetCurPos(list) != 0) __builtin_trap();
    Gdirlist_Release(list);
    return 0;
}
