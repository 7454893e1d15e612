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

/* A static menu table as a C host writes it. */
static ZuboMenuRow fileMenu[] = {{ZUBOMENU_GUARD, 0, 0},
                                 {ZUBOMENU_ITEM, 100, (intptr_t)"Open"},
                                 {ZUBOMENU_END, 0, 0}};
static ZuboMenuRow menuBar[] = {{ZUBOMENU_GUARD, 0, 0},
                                {ZUBOMENU_SUBMENU, (intptr_t)fileMenu, (intptr_t)"File"},
                                {ZUBOMENU_END, 0, 0}};

/* 1 natively; on Windows the memory DC's padded width (12 for 10 pixels at
 * 24 bits) plus 1000 when the menu bar and its submenu were built. */
int zubo_header_windows_from_c(void) {
#ifdef _WIN32
    MemoryDC *dc = CreateMemoryDC(10, 2, 24);
    MemoryDCInfo info;
    int result;
    if (!dc || dc->type != MEMORYDC_TYPE || !dc->ops.GetInfo(dc, &info)) return -1;
    result = info.mask == MEMORYDC_INFO_ALL ? info.width : -1;
    dc->ops.Release(dc);
    if (ZuboMenu_CreateMenu(menuBar, 0) && ZuboMenu_GetMenuHandle(fileMenu)) result += 1000;
    return result;
#else
    return menuBar[1].value == (intptr_t)fileMenu;
#endif
}
