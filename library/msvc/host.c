/*
 * A host of ZUBO.dll built the way a Visual C++ project builds it: compiled
 * in MSVC mode, linked by an MSVC-compatible linker against ZUBO.lib, run
 * with ZUBO.dll beside it. What it proves is the boundary: names resolved
 * through the MSVC import library, the __cdecl convention both ways (the
 * library calling the host's comparison, escape and walk routines), and
 * pointers, numbers and records passed and returned intact.
 *
 * There is no C runtime here (no Visual C++ runtime can be installed on
 * this machine), so the host has its own entry point, reports through
 * kernel32 and ends with ExitProcess: status 0 when every check passed.
 */
#include "zubo.h"

#include "host.h"

static int checks;
static int failures;

static unsigned TextLength(const char *text) {
    unsigned n = 0;
    while (text[n]) ++n;
    return n;
}

static int SameText(const char *a, const char *b) {
    if (!a || !b) return a == b;
    while (*a && *a == *b) ++a, ++b;
    return *a == *b;
}

static int CompareText(const char *a, const char *b) {
    while (*a && *a == *b) ++a, ++b;
    return (unsigned char)*a - (unsigned char)*b;
}

void HostPrint(const char *text) {
    DWORD written;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text, TextLength(text), &written, NULL);
}

static void PrintNumber(int value) {
    char digits[16];
    int i = (int)sizeof digits - 1;
    digits[i] = '\0';
    do {
        digits[--i] = (char)('0' + value % 10);
        value /= 10;
    } while (value > 0 && i > 0);
    HostPrint(digits + i);
}

void HostCheck(int ok, const char *what) {
    ++checks;
    if (!ok) {
        ++failures;
        HostPrint("FAIL: ");
        HostPrint(what);
        HostPrint("\n");
    }
}

/* ----------------------------------------------------------------------- */
/* Record list: pointers in and out, a sort calling back into the host       */
/* ----------------------------------------------------------------------- */

/* What the comparison routines get as their user value. */
typedef struct SortContext {
    int calls;
    int foreignEntries; /* arguments that are not the list's records */
    const GdirlistEntry *records[4]; /* the list's records, taken before sorting */
    int32_t direction;  /* 1 ascending, -1 descending */
} SortContext;

/* Sorting relinks the records but keeps their addresses. */
static int IsRecord(const SortContext *context, const GdirlistEntry *entry) {
    int i;
    for (i = 0; i < 4; ++i)
        if (context->records[i] == entry) return 1;
    return 0;
}

static int32_t ZUBOAPI ByName(const GdirlistEntry *placed, const GdirlistEntry *other,
                              ZuboUserValue user) {
    SortContext *context = (SortContext *)user;
    ++context->calls;
    if (placed == other || !IsRecord(context, placed) || !IsRecord(context, other))
        ++context->foreignEntries;
    return context->direction * CompareText(placed->name, other->name);
}

static int32_t ZUBOAPI ByNum1(const GdirlistEntry *placed, const GdirlistEntry *other,
                              ZuboUserValue user) {
    SortContext *context = (SortContext *)user;
    ++context->calls;
    if (placed == other || !IsRecord(context, placed) || !IsRecord(context, other))
        ++context->foreignEntries;
    return context->direction * (placed->num1 - other->num1);
}

static int NamesInOrder(Gdirlist *list, const char *const *names, int count) {
    int i;
    if (Gdirlist_GetSize(list) != count) return 0;
    for (i = 0; i < count; ++i) {
        GdirlistEntry *entry = Gdirlist_GetDataPtr(list, i);
        if (!entry || !SameText(entry->name, names[i])) return 0;
    }
    return 1;
}

static void RecordListChecks(void) {
    static const char *const ascending[] = {"alpha", "bravo", "charlie", "delta"};
    static const char *const byNumberDown[] = {"delta", "charlie", "bravo", "alpha"};
    static const GdirlistEntry templates[4] = {
        {"delta", "d.gp4", 4, 40, "fourth", 0},
        {"alpha", "a.GP4", 1, 10, "first", GDIRLIST_MARK},
        {"charlie", "c.txt", 3, 30, "third", 0},
        {"bravo", "b.gp4", 2, 20, "second", 0}};
    SortContext context = {0, 0, {NULL, NULL, NULL, NULL}, 1};
    Gdirlist *list = CreateGdirlist();
    GdirlistEntry *entry;
    char *copy;
    int i, matches, exactMatches;

    HostCheck(list != NULL, "CreateGdirlist returns a list");
    if (!list) return;
    for (i = 0; i < 4; ++i) {
        context.records[i] = entry = Gdirlist_Add(list, &templates[i]);
        HostCheck(entry != NULL && entry != &templates[i], "Gdirlist_Add returns the list's record");
        if (!entry) return;
        HostCheck(entry->name != templates[i].name && SameText(entry->name, templates[i].name) &&
                      SameText(entry->name2, templates[i].name2) &&
                      SameText(entry->comment, templates[i].comment),
                  "Gdirlist_Add copies the texts");
        HostCheck(entry->num1 == templates[i].num1 && entry->num2 == templates[i].num2 &&
                      entry->flags == templates[i].flags,
                  "Gdirlist_Add copies numbers and flags");
    }
    HostCheck(Gdirlist_GetSize(list) == 4, "Gdirlist_GetSize is 4");
    HostCheck(Gdirlist_SetCurPos(list, 99) == 4, "Gdirlist_SetCurPos clamps to the size");

    HostCheck(Gdirlist_Sort(list, ByName, (ZuboUserValue)&context) == list,
              "Gdirlist_Sort returns the list");
    HostCheck(context.calls > 0, "the comparison routine was called");
    HostCheck(context.foreignEntries == 0,
              "the comparison routine got the list's records and the user value");
    HostCheck(NamesInOrder(list, ascending, 4), "sorted by name");
    HostCheck(Gdirlist_GetDataPtr(list, 0) == context.records[1] &&
                  Gdirlist_GetDataPtr(list, 3) == context.records[0],
              "sorting moves the records without copying them");
    HostCheck(Gdirlist_GetCurPos(list) == 0, "sorting puts the cursor on index 0");

    context.calls = 0;
    context.direction = -1;
    Gdirlist_Sort(list, ByNum1, (ZuboUserValue)&context);
    HostCheck(context.calls > 0 && context.foreignEntries == 0 &&
                  NamesInOrder(list, byNumberDown, 4),
              "sorted by number, descending (the routine's sign is obeyed)");

    entry = Gdirlist_GetDataPtr(list, 3);
    HostCheck(entry != NULL && entry->num1 == 1 && entry->num2 == 10 &&
                  entry->flags == GDIRLIST_MARK,
              "Gdirlist_GetDataPtr reads the record's fields");
    HostCheck(Gdirlist_GetDataPtr(list, 4) == NULL && Gdirlist_GetDataPtr(list, -1) == NULL,
              "Gdirlist_GetDataPtr is null out of range");
    HostCheck(Gdirlist_SetCurPos(list, 2) == 2 && Gdirlist_GetDataPtrCursor(list) ==
                                                      Gdirlist_GetDataPtr(list, 2),
              "the cursor record is the record at its index");
    HostCheck(Gdirlist_OrFlagAll(list, 0x80000000u) == 0x80000000u &&
                  Gdirlist_GetDataPtr(list, 0)->flags == 0x80000000u &&
                  Gdirlist_GetDataPtr(list, 3)->flags == (0x80000000u | GDIRLIST_MARK),
              "Gdirlist_OrFlagAll sets the top bit of every record");

    /* The DOS wildcard match on each record's second name. */
    matches = exactMatches = 0;
    for (i = 0; i < Gdirlist_GetSize(list); ++i) {
        entry = Gdirlist_GetDataPtr(list, i);
        matches += MatchDosWildcard("*.gp4", entry->name2, 1);
        exactMatches += MatchDosWildcard("*.gp4", entry->name2, 0);
    }
    HostCheck(matches == 3, "MatchDosWildcard ignoring case matches three names");
    HostCheck(exactMatches == 2, "MatchDosWildcard with case matches two names");

    copy = Gdirlist_StrDup("a copy");
    HostCheck(copy != NULL && SameText(copy, "a copy"), "Gdirlist_StrDup returns a copy");
    Gdirlist_StrFree(copy);
    HostCheck(Gdirlist_StrDup(NULL) == NULL, "Gdirlist_StrDup of null is null");

    HostCheck(Gdirlist_DeleteAll(list) == 0 && Gdirlist_GetSize(list) == 0,
              "Gdirlist_DeleteAll empties the list");
    Gdirlist_Release(list);
}

static void WildcardChecks(void) {
    HostCheck(MatchDosWildcard("S?NG.*", "song.gp4", 1) == 1, "wildcard ? and * ignoring case");
    HostCheck(MatchDosWildcard("S?NG.*", "song.gp4", 0) == 0, "wildcard with case");
    HostCheck(MatchDosWildcard("*.gp4", "song.gp4x", 1) == 0, "wildcard matches the whole text");
    HostCheck(MatchDosWildcard(NULL, "song", 1) == 0, "wildcard with a null pattern is 0");
}

/* ----------------------------------------------------------------------- */
/* JIS / Shift_JIS conversion: buffers in, the destination pointer back      */
/* ----------------------------------------------------------------------- */

static void ConversionChecks(void) {
    /* "A", then two kana (JIS 0x2433 0x2473, Shift_JIS 0x82B1 0x82F1). */
    static const char sjis[] = "A\x82\xb1\x82\xf1";
    static const char jis[] = "A\x1b$B\x24\x33\x24\x73\x1b(B";
    char out[32];
    char back[32];
    HostCheck(ConvSjisToJis(out, sjis) == out, "ConvSjisToJis returns the destination");
    HostCheck(SameText(out, jis), "ConvSjisToJis shifts into JIS and back to ASCII");
    HostCheck(ConvJisToSjis(back, out) == back, "ConvJisToSjis returns the destination");
    HostCheck(SameText(back, sjis), "ConvJisToSjis gives back the Shift_JIS text");
}

/* ----------------------------------------------------------------------- */
/* Console: an escape routine of the host that hands over to the library's  */
/* ----------------------------------------------------------------------- */

typedef struct EscapeContext {
    Consout *console;
    int calls;
    int lastCount;
} EscapeContext;

static int32_t ZUBOAPI CountingEscape(Consout *console, const uint8_t *bytes, int32_t count,
                                      ZuboUserValue user) {
    EscapeContext *context = (EscapeContext *)user;
    if (console == context->console && bytes[0] == 0x1b) {
        ++context->calls;
        context->lastCount = count;
    }
    return Consout_ESCProc_ANSI(console, bytes, count, user);
}

static void ConsoleChecks(void) {
    static const char text[] = "ab\x1b[3C";
    EscapeContext context = {NULL, 0, 0};
    const char *p;
    Consout *console = CreateConsout(20, 5, 10);
    HostCheck(console != NULL, "CreateConsout returns a console");
    if (!console) return;
    context.console = console;
    HostCheck(Consout_GetConsWidth(console) == 20 && Consout_GetConsHeight(console) == 5,
              "the console has the size asked for");
    HostCheck(Consout_SetESCProc(console, CountingEscape, (ZuboUserValue)&context) == 1,
              "Consout_SetESCProc returns 1");
    for (p = text; *p; ++p)
        HostCheck(Consout_Putchar(console, (unsigned char)*p) == (unsigned char)*p,
                  "Consout_Putchar returns its byte");
    HostCheck(context.calls == 3 && context.lastCount == 4,
              "the escape routine saw ESC [ 3 C byte by byte");
    HostCheck(Consout_GetCurX(console) == 5, "ESC [ 3 C moved the cursor three cells");
    Consout_Release(console);
}

/* ----------------------------------------------------------------------- */
/* List view: a window handle in, a walk routine called back                 */
/* ----------------------------------------------------------------------- */

typedef struct WalkContext {
    HWND window;
    int visited;
    int32_t sum;
} WalkContext;

static int ZUBOAPI SumNumbers(HWND window, GdirlistEntry *entry, void *user) {
    WalkContext *context = (WalkContext *)user;
    if (window == context->window) {
        ++context->visited;
        context->sum += entry->num1;
    }
    return 1;
}

static void ListViewChecks(void) {
    GdirlistEntry first = {"one", "1.gp4", 100, 0, "", 0};
    GdirlistEntry second = {"two", "2.gp4", 23, 0, "", 0};
    WalkContext context = {NULL, 0, 0};
    HWND view;
    HostCheck(InitZubolist() != 0, "InitZubolist registers the class");
    view = CreateWindowExA(0, "ZUBOLIST", "", WS_POPUP, 0, 0, 200, 100, NULL, NULL, NULL, NULL);
    HostCheck(view != NULL, "a ZUBOLIST window is created");
    if (!view) return;
    context.window = view;
    HostCheck(Zubolist_Add(view, &first) == 1 && Zubolist_Add(view, &second) == 2,
              "Zubolist_Add returns the entry count");
    HostCheck(Zubolist_EnumAll(view, SumNumbers, &context) == 2 && context.visited == 2 &&
                  context.sum == 123,
              "Zubolist_EnumAll calls the walk routine with the window and each record");
    HostCheck(Zubolist_GetDataPtr(view) != NULL && Zubolist_GetDataPtr(view)->num1 == 100,
              "Zubolist_GetDataPtr is the cursor record");
    HostCheck(Zubolist_GetListNum((HWND)0) == 0, "a window that is not a list view gives 0");
    DestroyWindow(view);
}

/* The entry point (lld-link /entry:HostEntry); there is no runtime to
 * return to. */
void HostEntry(void) {
    RecordListChecks();
    WildcardChecks();
    ConversionChecks();
    ConsoleChecks();
    ListViewChecks();
    HostCxxChecks();
    HostHppChecks();
    HostPrint("msvc host: ");
    if (failures == 0) {
        HostPrint("all ");
        PrintNumber(checks);
        HostPrint(" checks passed\n");
    } else {
        PrintNumber(failures);
        HostPrint(" of ");
        PrintNumber(checks);
        HostPrint(" checks failed\n");
    }
    ExitProcess(failures == 0 ? 0 : 1);
}
