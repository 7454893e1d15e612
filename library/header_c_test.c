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

#ifdef _WIN32
static int ZUBOAPI CountEntry(HWND window, GdirlistEntry *entry, void *user) {
    (void)window;
    (void)entry;
    ++*(int *)user;
    return 1;
}

/* A list view driven from C: one entry added, one visited. */
int zubo_listview_from_c(void) {
    GdirlistEntry entry = {0, 0, 1, 2, 0, 0};
    int visited = 0;
    HWND view;
    InitZubolist();
    view = CreateWindowA("ZUBOLIST", "", WS_POPUP, 0, 0, 100, 100, NULL, NULL, NULL, NULL);
    if (!view) return -1;
    Zubolist_Add(view, &entry);
    Zubolist_EnumAll(view, CountEntry, &visited);
    visited += Zubolist_GetListNum(view) * 10 + (Zubolist_GetDataPtr(view) != NULL) * 100;
    DestroyWindow(view);
    return visited + ZLN_CURSORMOVE * 1000 + ZLN_ACTIVATE * 10000;
}
#endif
