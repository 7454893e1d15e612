/* zubo.h must compile as plain C with every warning enabled (see the
 * compile options in CMakeLists.txt); this file uses its declarations. */
#include "zubo.h"

int zubo_header_from_c(void) {
    GdirlistEntry entry = {0, 0, 1, 2, 0, GDIRLIST_MARK};
    Gdirlist *list = CreateGdirlist();
    int32_t size;
    if (!list) return -1;
    Gdirlist_Add(list, &entry);
    size = Gdirlist_GetSize(list);
    Gdirlist_Release(list);
    return size + MatchDosWildcard("*.c", "x.c", 0);
}
