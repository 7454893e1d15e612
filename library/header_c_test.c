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

static int32_t ZUBOAPI CountingEscProc(Consout *console, const uint8_t *bytes, int32_t count,
                                       ZuboUserValue user) {
    (void)console;
    (void)bytes;
    ++*(int *)user;
    return count >= 2;
}

int zubo_header_console_from_c(void) {
    ConsoutColor colors[CONSOUT_NCOLORS] = DEFAULT_COLORS;
    ConsoutCell cell = {CONSOUT_BLANK, ATTR_DEFAULT};
    ConsoutEscProc proc = CountingEscProc;
    int calls = 0;
    int32_t x;
    Consout *con = CreateConsout(80, 25, 100);
    if (!con) return -1;
    Consout_SetColors(con, colors);
    Consout_SetOutputMode(con, OUTMODE_ENABLE | OUTMODE_NEWLINE_CR);
    Consout_SetESCProc(con, proc, (ZuboUserValue)&calls);
    Consout_Putchar(con, 0x1B);
    Consout_Putchar(con, '[');
    Consout_Putchar(con, 'A');
    x = Consout_GetCurX(con);
    Consout_Release(con);
    return x + calls + (cell.attr == CONSOUT_ATTR(15, 0)) + (WIDE_SECOND == 0x11);
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
