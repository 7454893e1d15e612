// The C++ half of the MSVC-mode host: zubo.h compiled as C++ must declare
// the exports with C linkage (a decorated C++ name would not be found in
// ZUBO.lib at link time) and the records with the layouts the DLL uses.
#include "zubo.h"

#include <stddef.h>

#include "host.h"

#if defined(_WIN64)
static_assert(sizeof(GdirlistEntry) == 40, "entry record: pointers widened");
static_assert(offsetof(GdirlistEntry, num1) == 16, "entry record layout");
static_assert(offsetof(GdirlistEntry, flags) == 32, "entry record layout");
static_assert(sizeof(ZuboUserValue) == 8, "user values hold a pointer");
static_assert(sizeof(ZuboMenuRow) == 24, "menu rows: three pointer-sized words");
#else
static_assert(sizeof(GdirlistEntry) == 24, "entry record: six 32-bit fields");
static_assert(offsetof(GdirlistEntry, num1) == 8, "entry record layout");
static_assert(offsetof(GdirlistEntry, flags) == 20, "entry record layout");
static_assert(sizeof(ZuboUserValue) == 4, "user values are 32 bits");
static_assert(sizeof(ZuboMenuRow) == 12, "menu rows: three 32-bit words");
static_assert(offsetof(MemoryDC, ops) == 4 && offsetof(MemoryDC, surface) == 64,
              "memory DC: type word, 15 operations, then the surface");
#endif
static_assert(sizeof(ConsoutCell) == 4 && sizeof(RECT) == 16 && sizeof(RGBQUAD) == 4,
              "cells and the Windows records the interface uses");

namespace {

struct Tally {
    int calls = 0;
    int lengthSum = 0;
};

int Length(const char *text) {
    int n = 0;
    while (text && text[n]) ++n;
    return n;
}

// Shorter second names first; the user value carries a C++ object.
int32_t ZUBOAPI ByLength(const GdirlistEntry *placed, const GdirlistEntry *other,
                         ZuboUserValue user) {
    Tally *tally = reinterpret_cast<Tally *>(user);
    ++tally->calls;
    tally->lengthSum += Length(placed->name2);
    return Length(placed->name2) - Length(other->name2);
}

}  // namespace

extern "C" void HostCxxChecks(void) {
    // The record's texts are not const in the interface; the list copies them.
    static char c[] = "c", ccc[] = "ccc.txt", a[] = "a", aTxt[] = "a.txt", b[] = "b",
                bb[] = "bb.txt";
    static const GdirlistEntry entries[] = {
        {c, ccc, 3, 0, nullptr, 0}, {a, aTxt, 1, 0, nullptr, 0}, {b, bb, 2, 0, nullptr, 0}};
    Gdirlist *list = CreateGdirlist();
    HostCheck(list != nullptr, "C++: CreateGdirlist");
    if (!list) return;
    for (const GdirlistEntry &entry : entries) Gdirlist_Add(list, &entry);
    Tally tally;
    Gdirlist_Sort(list, ByLength, reinterpret_cast<ZuboUserValue>(&tally));
    HostCheck(tally.calls > 0 && tally.lengthSum > 0, "C++: the comparison got its user value");
    bool ordered = Gdirlist_GetSize(list) == 3;
    for (int32_t i = 0; ordered && i < 3; ++i) {
        const GdirlistEntry *entry = Gdirlist_GetDataPtr(list, i);
        ordered = entry && entry->num1 == i + 1 && entry->comment == nullptr;
    }
    HostCheck(ordered, "C++: sorted by the length of the second name, null texts kept");
    HostCheck(MatchDosWildcard("?.TXT", Gdirlist_GetDataPtr(list, 0)->name2, 1) == 1 &&
                  MatchDosWildcard("?.TXT", Gdirlist_GetDataPtr(list, 1)->name2, 1) == 0,
              "C++: MatchDosWildcard");
    Gdirlist_Release(list);

    char sjis[8] = {};
    const char jis[] = "\x1b$B\x30\x21\x1b(B";  // JIS 0x3021, Shift_JIS 0x889F
    HostCheck(ConvJisToSjis(sjis, jis) == sjis && static_cast<unsigned char>(sjis[0]) == 0x88 &&
                  static_cast<unsigned char>(sjis[1]) == 0x9F && sjis[2] == '\0',
              "C++: ConvJisToSjis");
}
