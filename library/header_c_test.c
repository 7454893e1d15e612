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
