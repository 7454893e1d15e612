/* A small host of ZUBO.dll: reads a list file, sorts it by name and prints
 * it, the way a Windows program links and calls the library. */
#include <stdio.h>
#include <string.h>

#include "zubo.h"

static int32_t ZUBOAPI CompareNames(const GdirlistEntry *a, const GdirlistEntry *b,
                                    ZuboUserValue user) {
    (void)user;
    return strcmp(a->name ? a->name : "", b->name ? b->name : "");
}

int main(int argc, char **argv) {
    const char *path = argc > 1 ? argv[1] : "sample.lst";
    Gdirlist *list = CreateGdirlist();
    int32_t i, n;
    if (!list) return 1;
    n = Gdirlist_AddListFile(list, path);
    if (n == 0) {
        fprintf(stderr, "zubo-demo: no entries read from %s\n", path);
        Gdirlist_Release(list);
        return 1;
    }
    Gdirlist_Sort(list, CompareNames, 0);
    printf("%d entries from %s, sorted by name:\n", (int)n, path);
    for (i = 0; i < Gdirlist_GetSize(list); ++i) {
        const GdirlistEntry *e = Gdirlist_GetDataPtr(list, i);
        /* A comment after ";" keeps the line feed of its line. */
        int len = (int)strcspn(e->comment, "\r\n");
        printf("%-16s %-20s %9d %9d  %.*s\n", e->name, e->name2, (int)e->num1, (int)e->num2,
               len, e->comment);
    }
    i = 0;
    for (n = 0; n < Gdirlist_GetSize(list); ++n)
        i += MatchDosWildcard("*.gp4", Gdirlist_GetDataPtr(list, n)->name2, 1);
    printf("%d of them name a *.gp4 file.\n", (int)i);
    Gdirlist_Release(list);
    return 0;
}
