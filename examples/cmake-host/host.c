/* The smallest host of an installed ZUBO.dll. */
#include <stdio.h>

#include "zubo.h"

int main(void) {
    Gdirlist *list = CreateGdirlist();
    GdirlistEntry e = {"song", "song.gp4", 1, 2, "", 0};
    Gdirlist_Add(list, &e);
    printf("%d entry, match %d\n", (int)Gdirlist_GetSize(list),
           (int)MatchDosWildcard("*.GP4", e.name2, 1));
    Gdirlist_Release(list);
    return 0;
}
